#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace nerim {

// Reads the program's text files the way their writers expect: lines ended by CR LF, LF or CR;
// 8-bit Windows-1252 text handed out as UTF-8; numbers read as a whole token after skipping
// blanks and line ends. Failures throw EInOutError naming the source and the line.
class TextReader {
public:
    TextReader(std::string bytes, std::string sourceName);
    // Reads the whole file into memory; throws EInOutError when it cannot be opened or read.
    static TextReader FromFile(const std::filesystem::path& path);

    // Nothing is left to read.
    bool Eof() const { return pos_ >= bytes_.size(); }
    // Skips blanks and line ends; true when nothing else is left.
    bool SeekEof();

    // The rest of the current line, without its line end, which is consumed.
    // Throws at the end of the source.
    std::string ReadLine();
    // Moves to the start of the next line (or to the end of the source).
    void SkipLine();

    // Skip blanks and line ends, then read one token as a number; the character after the token
    // is not consumed. A malformed token or the end of the source throws.
    double ReadReal();
    std::int32_t ReadInteger();

    // A number followed by the end of its line: the rest of the line is skipped.
    double ReadRealLine();
    std::int32_t ReadIntegerLine();

    // 1-based number of the line the reader is on.
    int LineNumber() const { return line_; }
    const std::string& SourceName() const { return sourceName_; }

    // Throws EInOutError with the message followed by the source and the current line.
    [[noreturn]] void Fail(const std::string& message) const;
    // The same naming another line, such as that of a line already read.
    [[noreturn]] void FailAtLine(int line, const std::string& message) const;

private:
    std::string_view ReadToken(const char* what);
    void ConsumeLineEnd();

    std::string bytes_;
    std::string sourceName_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace nerim
