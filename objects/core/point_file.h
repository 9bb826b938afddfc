#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/geometry/geometry_types.h"

namespace nerim {

// Survey and design data as columns of numbers: one point a line, X and Y in model coordinates
// (Y upwards from the domain's bottom edge, as the window shows them). The two numbers are
// separated by a comma, a semicolon, a tab or blanks, with "." as the decimal separator; blanks
// around a number are ignored. Blank lines and lines whose first character other than a blank
// is "#" are skipped, and so is one header line of words ("X;Y", "distancia cota") before the
// first point. Lines end with CR LF, LF or CR; the text is Windows-1252.
//
// Any other line that is not exactly two numbers raises EInOutError naming the file and the line.

// The points of the file in order. A file that cannot be read raises EInOutError naming it.
std::vector<TPoint2D> ReadPointFile(const std::filesystem::path& File);

// The same for bytes already read; SourceName names them in messages.
std::vector<TPoint2D> ReadPointText(std::string_view Bytes, const std::string& SourceName);

}  // namespace nerim
