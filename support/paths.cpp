#include "support/paths.h"

namespace nerim {

std::string IncludeTrailingSeparator(const std::string& directory) {
    if (directory.empty() || directory.back() == kPathSeparator) return directory;
    return directory + kPathSeparator;
}

std::string JoinPath(const std::string& directory, const std::string& fileName) {
    return IncludeTrailingSeparator(directory) + fileName;
}

std::string ExtractFileExt(const std::string& fileName) {
    const auto pos = fileName.find_last_of(std::string(".") + kPathSeparator);
    if (pos == std::string::npos || fileName[pos] != '.') return {};
    return fileName.substr(pos);
}

}  // namespace nerim
