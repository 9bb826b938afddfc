#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nerim {

// Number texts of the program's files. All of them use "." as decimal separator whatever the
// locale, and round halfway cases away from zero.

// Width of the default real text form.
inline constexpr int kRealTextWidth = 23;

// The default real text form of a double: a blank or a minus sign, one digit, a point, fourteen
// digits, "E", the exponent's sign and four exponent digits; 100 is " 1.00000000000000E+0002".
// Negative zero keeps its sign. Throws EFloatingPointError for an infinity or a NaN.
std::string FormatReal(double value);

// Writes the same 23 characters to out (which must hold at least kRealTextWidth bytes) and
// returns the position after them.
char* FormatRealTo(char* out, double value);

// Fixed point with the given number of decimals (0 to 40), as "%.Nf": a leading "-" when the
// value is negative and does not round to zero. Throws EFloatingPointError for an infinity or a NaN.
std::string FormatFixed(double value, int decimals);

// Most characters FormatFixedTo writes: a sign, 309 integer digits, the point, 40 decimals.
inline constexpr int kFixedTextMaxWidth = 351;

// Writes the text of FormatFixed(value, decimals) to out (which must hold kFixedTextMaxWidth
// bytes) and returns the position after it. For values below 2^53 in magnitude with at most
// three decimals the rounding is done in integers, without the long decimal expansion and without
// allocating; other values take the general way. Throws EFloatingPointError for an infinity or a NaN.
char* FormatFixedTo(char* out, double value, int decimals);

// A decimal integer with at least minDigits digits (leading zeros), as "%d" and "%.Nd".
std::string FormatInteger(long long value, int minDigits = 0);

// Reads a whole token as a real number: an optional sign, digits with an optional point, an
// optional exponent ("E" or "e", optional sign, digits). Leading or trailing characters, infinities,
// NaN and values beyond the range of a double give nothing; a value too small for a double is zero.
// The largest double as the real text form writes it (rounded up to 1.79769313486232E+0308) is
// within range and reads as the largest double.
std::optional<double> ParseReal(std::string_view token);

// Reads a whole token as a 32-bit signed integer: an optional sign and decimal digits.
std::optional<std::int32_t> ParseInteger(std::string_view token);

}  // namespace nerim
