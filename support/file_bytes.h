#pragma once

#include <filesystem>
#include <string>

namespace nerim {

// The whole content of a file. Throws EInOutError naming the file when it cannot be opened or read.
std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace nerim
