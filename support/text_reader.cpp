#include "support/text_reader.h"

#include "support/encoding.h"
#include "support/exception.h"
#include "support/file_bytes.h"
#include "support/number_format.h"
#include "support/readable_text.h"

namespace nerim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

TextReader::TextReader(std::string bytes, std::string sourceName)
    : bytes_(std::move(bytes)), sourceName_(std::move(sourceName)) {}

TextReader TextReader::FromFile(const std::filesystem::path& path) {
    return TextReader(ReadFileBytes(path), path.string());
}

void TextReader::Fail(const std::string& message) const { FailAtLine(line_, message); }

void TextReader::FailAtLine(int line, const std::string& message) const {
    throw EInOutError(message + " en " + QuotedName(sourceName_) + ", línea " + std::to_string(line));
}

void TextReader::ConsumeLineEnd() {
    // CR LF, LF or a lone CR end a line.
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
}

bool TextReader::SeekEof() {
    while (!Eof()) {
        if (IsBlank(bytes_[pos_]))
            ++pos_;
        else if (IsLineEnd(bytes_[pos_]))
            ConsumeLineEnd();
        else
            return false;
    }
    return true;
}

std::string TextReader::ReadLine() {
    if (Eof()) Fail("Fin de archivo inesperado");
    const std::size_t start = pos_;
    while (!Eof() && !IsLineEnd(bytes_[pos_])) ++pos_;
    std::string line = Cp1252ToUtf8(std::string_view(bytes_).substr(start, pos_ - start));
    if (!Eof()) ConsumeLineEnd();
    return line;
}

void TextReader::SkipLine() {
    while (!Eof() && !IsLineEnd(bytes_[pos_])) ++pos_;
    if (!Eof()) ConsumeLineEnd();
}

std::string_view TextReader::ReadToken(const char* what) {
    if (SeekEof()) Fail(std::string("Fin de archivo inesperado: se esperaba ") + what);
    const std::size_t start = pos_;
    while (!Eof() && !IsBlank(bytes_[pos_]) && !IsLineEnd(bytes_[pos_])) ++pos_;
    return std::string_view(bytes_).substr(start, pos_ - start);
}

double TextReader::ReadReal() {
    const std::string_view token = ReadToken("un número");
    if (const auto value = ParseReal(token)) return *value;
    Fail("Entrada numérica no válida (\"" + ReadableBytes(token) + "\")");
}

std::int32_t TextReader::ReadInteger() {
    const std::string_view token = ReadToken("un número entero");
    if (const auto value = ParseInteger(token)) return *value;
    Fail("Entrada numérica no válida: se esperaba un número entero (\"" + ReadableBytes(token) + "\")");
}

double TextReader::ReadRealLine() {
    const double value = ReadReal();
    SkipLine();
    return value;
}

std::int32_t TextReader::ReadIntegerLine() {
    const std::int32_t value = ReadInteger();
    SkipLine();
    return value;
}

}  // namespace nerim
