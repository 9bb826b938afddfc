#pragma once

#include <filesystem>
#include <string>

namespace nerim::testing {

// A fresh directory under the system's temporary directory, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Whole contents of a file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);
// Writes the bytes exactly as given.
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace nerim::testing
