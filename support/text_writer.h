#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace nerim {

// Writes the program's text files: 8-bit Windows-1252 text, every line ended by CR LF.
// Text handed in is UTF-8; the writer converts it. Output is buffered and sent to the sink in
// large blocks.
class TextWriter {
public:
    TextWriter() = default;
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;
    virtual ~TextWriter() = default;

    // UTF-8 text, converted to the file's code page.
    void Write(std::string_view text);
    // Text already in the file's code page, such as numbers; written as it is. A large block
    // goes to the sink as it is, without being copied into the buffer.
    void WriteBytes(std::string_view bytes);
    // Ends the current line with CR LF.
    void EndLine();
    void WriteLine(std::string_view text = {});

    void WriteIntegerLine(long long value);
    // A line holding the value in the default real text form.
    void WriteRealLine(double value);

    // Hands everything buffered to the sink.
    void Flush();

protected:
    virtual void Emit(std::string_view bytes) = 0;

private:
    static constexpr std::size_t kBlock = 1 << 16;
    void MaybeFlush() {
        if (buffer_.size() >= kBlock) Flush();
    }
    std::string buffer_;
};

// Collects the file's bytes in memory.
class StringTextWriter final : public TextWriter {
public:
    // Everything written so far, flushed.
    const std::string& Bytes();

protected:
    void Emit(std::string_view bytes) override { bytes_.append(bytes); }

private:
    std::string bytes_;
};

// Writes a file so that the file of that name is either left as it was or replaced by the
// complete new text: the text goes to a temporary file beside it, which has no name until Commit
// (where the system allows: a process that is killed leaves nothing behind) and then one of its
// own (the target's, this process's number and a count, so that writers in other processes never
// share it), and Commit puts it in the target's place. A writer destroyed without Commit removes
// the temporary file.
//
// A target that exists and is not a regular file (a device such as /dev/null or /dev/full, a
// pipe, standard output through /dev/stdout) is written directly. A target that is a symbolic
// link to a file is replaced where the link leads, and stays a link. A target that is a
// directory is refused.
// Failures throw EInOutError naming the file, and saying so when a previous file of that name
// is left as it was.
//
// How the new file takes the old one's place depends on what the file is:
// - wmKeep (the default), a file the user's work lives in (a project, a translation): Commit
//   waits until the new text is on the disk before the rename, so that a power cut never leaves a
//   name on an empty or partial file.
// - wmDerived, a file the program can make again from its sources (the mesh file, the quality
//   points): the names are exchanged without waiting for the disk; the target's name is on a
//   complete file for every running program, and after a power cut the file is only as safe as
//   ordinary delayed writes.
enum TWriteMode : std::uint8_t { wmKeep, wmDerived };

class FileTextWriter final : public TextWriter {
public:
    explicit FileTextWriter(std::filesystem::path target, TWriteMode mode = wmKeep);
    ~FileTextWriter() override;

    void Commit();
    const std::filesystem::path& Target() const { return target_; }

protected:
    void Emit(std::string_view bytes) override;

private:
    [[noreturn]] void Fail(const char* action, int error) const;
    // Gives the temporary file its name beside the file replaced (opening it, when it has none yet).
    void NameTemporary();
    void PutInPlace();

    std::filesystem::path target_;
    std::filesystem::path place_;      // the file replaced: the target, or where its link leads
    std::filesystem::path temporary_;  // empty when the target is written directly
    int file_ = -1;
    bool unnamed_ = false;    // the temporary file has no name yet
    bool replacing_ = false;  // a regular file of the target's name was there at the start
    bool committed_ = false;
    TWriteMode mode_ = wmKeep;
};

}  // namespace nerim
