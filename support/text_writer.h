#pragma once

#include <cstdio>
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
    // Text already in the file's code page, such as numbers; written as it is.
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
// complete new text: the text goes to a temporary file beside it, and Commit renames that
// over the target. A writer destroyed without Commit removes the temporary file.
// Failures throw EInOutError naming the file.
class FileTextWriter final : public TextWriter {
public:
    explicit FileTextWriter(std::filesystem::path target);
    ~FileTextWriter() override;

    void Commit();
    const std::filesystem::path& Target() const { return target_; }

protected:
    void Emit(std::string_view bytes) override;

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

}  // namespace nerim
