#include "support/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "support/exception.h"
#include "support/readable_text.h"

namespace nerim {
namespace {

[[noreturn]] void Fail(const char* action, const std::filesystem::path& path, int error) {
    throw EInOutError(std::string("Error de entrada/salida: no se puede ") + action + " el archivo " +
                      QuotedName(path) + " (" + std::strerror(error) + ")");
}

// Closes the descriptor whatever happens.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : fd_(fd) {}
    ~TDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::string ReadFileBytes(const std::filesystem::path& path) {
    const TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) Fail("abrir", path, errno);
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) Fail("leer", path, errno);
    if (S_ISDIR(status.st_mode))
        throw EInOutError("Error de entrada/salida: " + QuotedName(path) + " es una carpeta, no un archivo");
    if (S_ISREG(status.st_mode) && static_cast<std::uintmax_t>(status.st_size) > kMaxFileBytes)
        throw EInOutError("Error de entrada/salida: el archivo " + QuotedName(path) + " es demasiado grande (" +
                          std::to_string(status.st_size) + " bytes; el máximo es " + std::to_string(kMaxFileBytes) +
                          ")");
    // A regular file is read in one piece of its size; anything else (a pipe, a device) as it comes,
    // never beyond the largest file the program reads.
    std::string bytes;
    if (S_ISREG(status.st_mode) && status.st_size > 0) bytes.reserve(static_cast<std::size_t>(status.st_size));
    char block[1 << 16];
    for (;;) {
        const ::ssize_t got = ::read(file.Get(), block, sizeof block);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            Fail("leer", path, errno);
        }
        bytes.append(block, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxFileBytes)
            throw EInOutError("Error de entrada/salida: el archivo " + QuotedName(path) + " es demasiado grande (más de " +
                              std::to_string(kMaxFileBytes) + " bytes)");
    }
    return bytes;
}

}  // namespace nerim
