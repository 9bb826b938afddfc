#include "support/text_writer.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "support/encoding.h"
#include "support/exception.h"
#include "support/number_format.h"

namespace nerim {
namespace {

[[noreturn]] void ThrowIo(const std::string& action, const std::filesystem::path& path, int error) {
    throw EInOutError("Error de entrada/salida: no se puede " + action + " el archivo \"" + path.string() +
                      "\" (" + std::strerror(error) + ")");
}

}  // namespace

void TextWriter::Write(std::string_view text) {
    if (IsAscii(text))
        buffer_.append(text);
    else
        buffer_.append(Utf8ToCp1252(text));
    MaybeFlush();
}

void TextWriter::WriteBytes(std::string_view bytes) {
    buffer_.append(bytes);
    MaybeFlush();
}

void TextWriter::EndLine() {
    buffer_.append("\r\n");
    MaybeFlush();
}

void TextWriter::WriteLine(std::string_view text) {
    Write(text);
    EndLine();
}

void TextWriter::WriteIntegerLine(long long value) {
    buffer_.append(FormatInteger(value));
    EndLine();
}

void TextWriter::WriteRealLine(double value) {
    char text[kRealTextWidth];
    buffer_.append(text, FormatRealTo(text, value));
    EndLine();
}

void TextWriter::Flush() {
    if (buffer_.empty()) return;
    Emit(buffer_);
    buffer_.clear();
}

const std::string& StringTextWriter::Bytes() {
    Flush();
    return bytes_;
}

FileTextWriter::FileTextWriter(std::filesystem::path target) : target_(std::move(target)) {
    temporary_ = target_;
    temporary_ += ".part";
    file_ = std::fopen(temporary_.c_str(), "wb");
    if (!file_) ThrowIo("crear", target_, errno);
}

FileTextWriter::~FileTextWriter() {
    if (committed_) return;
    if (file_) std::fclose(file_);
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

void FileTextWriter::Emit(std::string_view bytes) {
    if (!file_) ThrowIo("escribir en", target_, EBADF);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) ThrowIo("escribir en", target_, errno);
}

void FileTextWriter::Commit() {
    if (!file_) ThrowIo("escribir en", target_, EBADF);
    Flush();
    if (std::fflush(file_) != 0) ThrowIo("escribir en", target_, errno);
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fclose(f) != 0) ThrowIo("escribir en", target_, errno);
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) ThrowIo("reemplazar", target_, error.value());
    committed_ = true;
}

}  // namespace nerim
