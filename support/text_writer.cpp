#include "support/text_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "support/encoding.h"
#include "support/exception.h"
#include "support/number_format.h"
#include "support/readable_text.h"

namespace nerim {
namespace {

// Numbers the temporary files of this process.
std::atomic<unsigned> temporaryCount{0};

}  // namespace

void TextWriter::Write(std::string_view text) {
    if (IsAscii(text))
        buffer_.append(text);
    else
        buffer_.append(Utf8ToCp1252(text));
    MaybeFlush();
}

void TextWriter::WriteBytes(std::string_view bytes) {
    if (bytes.size() >= kBlock) {
        Flush();
        Emit(bytes);
        return;
    }
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

void FileTextWriter::Fail(const char* action, int error) const {
    std::string message = std::string("Error de entrada/salida: no se puede ") + action + " el archivo " +
                          QuotedName(target_) + " (" + std::strerror(error) + ")";
    if (replacing_) message += "; el archivo que había queda como estaba";
    throw EInOutError(message);
}

FileTextWriter::FileTextWriter(std::filesystem::path target, TWriteMode mode)
    : target_(std::move(target)), place_(target_), mode_(mode) {
    struct stat status {};
    if (::stat(target_.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            throw EInOutError("Error de entrada/salida: no se puede crear el archivo " + QuotedName(target_) +
                              ": es una carpeta");
        if (!S_ISREG(status.st_mode)) {
            file_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
            if (file_ < 0) Fail("escribir en", errno);
            return;
        }
        replacing_ = true;
        struct stat link {};
        if (::lstat(target_.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            std::error_code error;
            std::filesystem::path resolved = std::filesystem::canonical(target_, error);
            if (!error) place_ = std::move(resolved);
        }
    }
#ifdef O_TMPFILE
    // A file without a name until it is complete: a run that is killed leaves nothing behind.
    // It takes its name through /proc; without it, or on a file system that has no such files,
    // the temporary file is named from the start.
    if (::access("/proc/self/fd", X_OK) == 0) {
        const std::filesystem::path folder = place_.has_parent_path() ? place_.parent_path() : ".";
        file_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (file_ >= 0) {
            unnamed_ = true;
            return;
        }
    }
#endif
    NameTemporary();
}

void FileTextWriter::NameTemporary() {
    const std::string self = "/proc/self/fd/" + std::to_string(file_);
    for (int attempt = 0;; ++attempt) {
        temporary_ = place_;
        temporary_ += '.';
        temporary_ += std::to_string(::getpid());
        temporary_ += '-';
        temporary_ += std::to_string(temporaryCount++);
        temporary_ += ".part";
        const bool made =
            unnamed_ ? ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) == 0
                     : (file_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)) >= 0;
        if (made) return;
        // A name left by an earlier process of the same number: take the next one.
        if (errno != EEXIST || attempt == 100) {
            const int error = errno;
            temporary_.clear();
            Fail("crear", error);
        }
    }
}

FileTextWriter::~FileTextWriter() {
    if (file_ >= 0) ::close(file_);
    if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

void FileTextWriter::Emit(std::string_view bytes) {
    if (file_ < 0) Fail("escribir en", EBADF);
    while (!bytes.empty()) {
        const ::ssize_t written = ::write(file_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            Fail("escribir en", errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void FileTextWriter::PutInPlace() {
#ifdef RENAME_EXCHANGE
    // Exchanging the two names and then removing the old file keeps the target's name on a
    // complete file at every moment, as a rename over it does; a rename over an existing file
    // also makes some file systems (ext4) start writing the new file out at once, and the run
    // would wait for the disk.
    if (replacing_ && mode_ == wmDerived &&
        ::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, place_.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temporary_.c_str());
        return;
    }
#endif
    if (::rename(temporary_.c_str(), place_.c_str()) != 0) Fail("reemplazar", errno);
}

void FileTextWriter::Commit() {
    if (file_ < 0) Fail("escribir en", EBADF);
    Flush();
    if (unnamed_) NameTemporary();
    const int f = file_;
    file_ = -1;
    // A file of the user's work is on the disk before its name is (a device is written as it is).
    if (mode_ == wmKeep && !temporary_.empty() && ::fsync(f) != 0) {
        const int error = errno;
        ::close(f);
        Fail("escribir en", error);
    }
    if (::close(f) != 0) Fail("escribir en", errno);
    if (!temporary_.empty()) PutInPlace();
    committed_ = true;
}

}  // namespace nerim
