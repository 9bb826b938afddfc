#pragma once

#include <string>

namespace nerim {

// Separator between the parts of a file path on this platform.
inline constexpr char kPathSeparator = '/';

// The directory with the path separator appended when it does not already end with one.
// An empty directory stays empty, so that joining to it never turns a name into a path
// from the root.
std::string IncludeTrailingSeparator(const std::string& directory);

// IncludeTrailingSeparator(directory) followed by the file name, taken as it is.
std::string JoinPath(const std::string& directory, const std::string& fileName);

// The extension of a file name: from its last "." after the last separator, dot included;
// empty when there is none (".dat" gives ".dat", "dir.d/file" gives "").
std::string ExtractFileExt(const std::string& fileName);

}  // namespace nerim
