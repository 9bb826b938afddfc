#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "support/exception.h"

namespace nerim {

// A token file could not be read or written: it could not be opened, a read or write failed,
// or the source ended before the value asked for.
class EFileError : public Exception {
public:
    using Exception::Exception;
};

// A token that should be an integer is not one.
class EFileParseError : public EFileError {
public:
    using EFileError::EFileError;
};

// An integer read from a token file lies outside the range of the value asked for.
class EFileRangeError : public EFileError {
public:
    using EFileError::EFileError;
};

// A set of byte values.
using TByteSet = std::bitset<256>;

// Blank, tab, CR and LF: the bytes that end a token unless a file is told otherwise.
TByteSet DefaultSeparators();

// Reads and writes whitespace-separated tokens over a byte source or sink. In text mode
// (IsText, the default) integers and strings are tokens; in binary mode integers are four raw
// bytes, little-endian, and strings a length byte followed by their bytes. Bytes pass as they
// are: no code page conversion takes place.
//
// Reading past the end of the source throws EFileError, except that a token met by the end of
// the source ends there ("12" followed by the end reads as "12"). The end met before any token
// starts is an error.
class TTokenFile {
public:
    // Longest token ReadToken returns; a longer one is cut and its next byte is dropped.
    static constexpr std::size_t kMaxTokenLength = 255;

    TTokenFile() = default;
    TTokenFile(const TTokenFile&) = delete;
    TTokenFile& operator=(const TTokenFile&) = delete;
    virtual ~TTokenFile() = default;

    bool IsText() const { return isText_; }
    void SetIsText(bool value) { isText_ = value; }

    // The bytes that end a token and are skipped before one. Default: DefaultSeparators().
    const TByteSet& Separators() const { return separators_; }
    void SetSeparators(const TByteSet& value) { separators_ = value; }

    // Written after every string token in text mode; 0 writes nothing. Default: a blank.
    std::uint8_t Separator() const { return separator_; }
    void SetSeparator(std::uint8_t value) { separator_ = value; }

    // One raw byte of the source.
    char ReadChar();
    // Skips separators, then reads bytes up to the next separator, at most kMaxTokenLength of
    // them. The byte that ended the token is consumed: its separator or, for a cut token, its
    // next character.
    void ReadToken(std::string& S);
    std::string ReadToken();
    // A token converted to a 32-bit signed integer; EFileParseError when it is not one.
    std::int32_t ReadInteger();
    // Text: ReadInteger, with EFileRangeError outside 0..255. Binary: one raw byte.
    std::uint8_t ReadByteValue();
    // Text: ReadInteger. Binary: four raw bytes, little-endian.
    std::int32_t ReadLongInt();
    // Text: ReadToken. Binary: a length byte followed by that many bytes.
    void ReadString(std::string& S);
    std::string ReadString();

    // Text: the decimal form of N through WriteString. Binary: four raw bytes, little-endian.
    void WriteInteger(std::int32_t N);
    // Text: the bytes of S, then Separator unless it is 0. Binary: a length byte, then the bytes;
    // a string longer than 255 bytes cannot be stored and throws EFileRangeError, writing nothing.
    void WriteString(std::string_view S);

protected:
    // Fills buffer with up to count bytes of the source and returns how many it read; fewer than
    // count only at the end of the source. Failures other than the end throw EFileError.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Sends count bytes to the sink, or throws EFileError.
    virtual void Write(const void* buffer, std::size_t count) = 0;
    // How messages name the source or sink, e.g. a file's path; empty when there is nothing to name.
    virtual std::string Name() const { return {}; }

private:
    // The next byte, or -1 at the end of the source.
    int NextByte();
    void ReadExactly(void* buffer, std::size_t count, const char* what);
    [[noreturn]] void FailAtEnd(const char* what) const;

    bool isText_ = true;
    TByteSet separators_ = DefaultSeparators();
    std::uint8_t separator_ = ' ';
};

// A token file over a file on disk, opened for reading or for writing when it is constructed.
// Writing goes to a temporary file beside the target, and Close() renames it over the target, so
// the file of that name is either left as it was or replaced by the complete new contents. A file
// for writing destroyed without Close() removes its temporary file and leaves the target alone.
class TDiskTokenFile final : public TTokenFile {
public:
    enum TFileAccess : std::uint8_t { faRead = 0, faWrite = 1 };

    // Throws EFileError naming the file when it cannot be opened or created.
    TDiskTokenFile(std::filesystem::path path, TFileAccess access);
    ~TDiskTokenFile() override;

    // Closes the file; for writing, flushes it and puts it in place of the target. Throws
    // EFileError naming the file when that fails. Closing twice does nothing.
    void Close();
    const std::filesystem::path& Path() const { return path_; }

protected:
    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::string Name() const override { return path_.string(); }

private:
    [[noreturn]] void Fail(const std::string& action, int error) const;

    std::filesystem::path path_;
    std::filesystem::path temporary_;
    TFileAccess access_;
    std::FILE* file_ = nullptr;
};

// A token file over bytes in memory: reading starts at the first byte and goes forward,
// writing appends at the end.
class TMemoryTokenFile final : public TTokenFile {
public:
    explicit TMemoryTokenFile(std::string bytes = {}) : bytes_(std::move(bytes)) {}

    const std::string& Bytes() const { return bytes_; }
    // Number of bytes read so far.
    std::size_t Position() const { return position_; }

protected:
    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

}  // namespace nerim
