#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace nerim {

// One argument of Format: an integer, a real or a text.
using FormatArg = std::variant<long long, double, std::string>;

// Fills a format string the way the program's message formats expect, independently of the
// locale: "%d" (integer), "%f" (real, two decimals by default), "%e" (real, scientific),
// "%s" (text), "%x" (hexadecimal integer) and "%%", each with an optional "-" (left
// alignment), width and ".precision": "%.4f", "%.8f", "%.4d", "%5s". A specifier that does
// not suit its argument, or a missing argument, throws EConvertError naming the format.
std::string Format(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace nerim
