#include "support/token_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "support/number_format.h"

namespace nerim {

TByteSet DefaultSeparators() {
    TByteSet set;
    for (unsigned char c : {' ', '\t', '\r', '\n'}) set.set(c);
    return set;
}

// ---- Reading ----

int TTokenFile::NextByte() {
    unsigned char byte = 0;
    return Read(&byte, 1) == 1 ? byte : -1;
}

void TTokenFile::FailAtEnd(const char* what) const {
    const std::string name = Name();
    if (name.empty()) throw EFileError(std::string("Fin de los datos alcanzado al leer ") + what);
    throw EFileError("Fin del archivo \"" + name + "\" alcanzado al leer " + what);
}

void TTokenFile::ReadExactly(void* buffer, std::size_t count, const char* what) {
    if (Read(buffer, count) != count) FailAtEnd(what);
}

char TTokenFile::ReadChar() {
    const int c = NextByte();
    if (c < 0) FailAtEnd("un carácter");
    return static_cast<char>(c);
}

void TTokenFile::ReadToken(std::string& S) {
    int c = 0;
    do {
        c = NextByte();
        if (c < 0) FailAtEnd("un token");
    } while (separators_[static_cast<std::size_t>(c)]);
    S.clear();
    for (;;) {
        S.push_back(static_cast<char>(c));
        // The byte read here is consumed in every case: the separator, the byte after a cut token,
        // or nothing when the source ends inside the token.
        c = NextByte();
        if (c < 0 || separators_[static_cast<std::size_t>(c)] || S.size() >= kMaxTokenLength) break;
    }
}

std::string TTokenFile::ReadToken() {
    std::string s;
    ReadToken(s);
    return s;
}

std::int32_t TTokenFile::ReadInteger() {
    std::string token;
    ReadToken(token);
    const auto value = ParseInteger(token);
    if (!value) throw EFileParseError("El token leido no puede interpretarse como entero");
    return *value;
}

std::uint8_t TTokenFile::ReadByteValue() {
    if (!isText_) {
        std::uint8_t byte = 0;
        ReadExactly(&byte, 1, "un byte");
        return byte;
    }
    const std::int32_t value = ReadInteger();
    if (value < 0 || value > 255) throw EFileRangeError("El entero no está en el rango de BYTE");
    return static_cast<std::uint8_t>(value);
}

std::int32_t TTokenFile::ReadLongInt() {
    if (isText_) return ReadInteger();
    std::array<unsigned char, 4> bytes{};
    ReadExactly(bytes.data(), bytes.size(), "un entero");
    const std::uint32_t bits = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                               std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
    return static_cast<std::int32_t>(bits);
}

void TTokenFile::ReadString(std::string& S) {
    if (isText_) {
        ReadToken(S);
        return;
    }
    unsigned char length = 0;
    ReadExactly(&length, 1, "la longitud de una cadena");
    std::string bytes(length, '\0');
    ReadExactly(bytes.data(), bytes.size(), "una cadena");
    S = std::move(bytes);
}

std::string TTokenFile::ReadString() {
    std::string s;
    ReadString(s);
    return s;
}

// ---- Writing ----

void TTokenFile::WriteInteger(std::int32_t N) {
    if (isText_) {
        WriteString(FormatInteger(N));
        return;
    }
    const auto bits = static_cast<std::uint32_t>(N);
    const std::array<unsigned char, 4> bytes{static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                             static_cast<unsigned char>(bits >> 16),
                                             static_cast<unsigned char>(bits >> 24)};
    Write(bytes.data(), bytes.size());
}

void TTokenFile::WriteString(std::string_view S) {
    if (isText_) {
        std::string text(S);
        if (separator_ != 0) text.push_back(static_cast<char>(separator_));
        Write(text.data(), text.size());
        return;
    }
    // The length byte cannot describe a longer string, and a wrong one would corrupt every later value.
    if (S.size() > 255)
        throw EFileRangeError("La cadena tiene " + std::to_string(S.size()) +
                              " caracteres y en un archivo binario caben como máximo 255");
    std::string record(1, static_cast<char>(S.size()));
    record.append(S);
    Write(record.data(), record.size());
}

// ---- Disk file ----

TDiskTokenFile::TDiskTokenFile(std::filesystem::path path, TFileAccess access)
    : path_(std::move(path)), access_(access) {
    if (access_ == faRead) {
        file_ = std::fopen(path_.c_str(), "rb");
        if (!file_) Fail("abrir", errno);
    } else {
        temporary_ = path_;
        temporary_ += ".part";
        file_ = std::fopen(temporary_.c_str(), "wb");
        if (!file_) Fail("crear", errno);
    }
}

TDiskTokenFile::~TDiskTokenFile() {
    if (!file_) return;
    std::fclose(file_);
    if (access_ == faWrite) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

void TDiskTokenFile::Fail(const std::string& action, int error) const {
    throw EFileError("Error de entrada/salida: no se puede " + action + " el archivo \"" + path_.string() + "\" (" +
                     std::strerror(error) + ")");
}

void TDiskTokenFile::Close() {
    if (!file_) return;
    std::FILE* f = file_;
    file_ = nullptr;
    if (access_ == faRead) {
        std::fclose(f);
        return;
    }
    const bool flushed = std::fflush(f) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(f) == 0;
    const int closeError = errno;
    std::error_code error;
    if (!flushed || !closed) {
        std::filesystem::remove(temporary_, error);
        Fail("escribir en", !flushed ? flushError : closeError);
    }
    std::filesystem::rename(temporary_, path_, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        Fail("reemplazar", error.value());
    }
}

std::size_t TDiskTokenFile::Read(void* buffer, std::size_t count) {
    if (!file_ || access_ != faRead) Fail("leer", EBADF);
    const std::size_t n = std::fread(buffer, 1, count, file_);
    if (n < count && std::ferror(file_)) Fail("leer", errno);
    return n;
}

void TDiskTokenFile::Write(const void* buffer, std::size_t count) {
    if (!file_ || access_ != faWrite) Fail("escribir en", EBADF);
    if (std::fwrite(buffer, 1, count, file_) != count) Fail("escribir en", errno);
}

// ---- Memory ----

std::size_t TMemoryTokenFile::Read(void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

void TMemoryTokenFile::Write(const void* buffer, std::size_t count) {
    bytes_.append(static_cast<const char*>(buffer), count);
}

}  // namespace nerim
