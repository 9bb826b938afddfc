#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace nerim {

// Largest file read whole into memory. The program's text files take kilobytes, a large project a
// few megabytes; anything beyond this is not one of them, and is refused before it is read.
inline constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{1} << 30;

// The whole content of a file. Throws EInOutError naming the file when it cannot be opened or read,
// or is larger than kMaxFileBytes.
std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace nerim
