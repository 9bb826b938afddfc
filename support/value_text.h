#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nerim {

// The texts of the numeric input fields: what a field's text must be, the messages that explain
// an invalid entry, and the conversions between a field's text and its number. Plain functions,
// with no user-interface library, shared by the validated edit and every window that reads a field.
//
// Messages break their lines with "\n" (what tooltips and message boxes show); only files use
// CR LF.

// What a field's text must be.
enum TValueType : std::uint8_t {
    typInteger = 0,     // a 32-bit integer
    typDouble = 1,      // a real number; empty, "-" and "+" stand for 0
    typIdentifier = 2,  // a name without the characters kIdentifierForbidden
    typCustom = 3,      // decided by the field's own handlers
};

// The characters a name cannot hold (file names and keys are made of them).
inline constexpr std::string_view kIdentifierForbidden = ",\\/:*?\"<>|";

// Checks text as a value of the given type. A range applies while minValue and maxValue differ,
// ends included; an integer's range is the two limits rounded to integers (halves away from zero).
// Blanks at either end of a number are ignored. On failure message receives the explanation;
// on success it is emptied. typCustom texts are always valid here: the field asks its handler.
bool IsValidText(std::string_view text, TValueType type, double minValue, double maxValue, std::string& message);

// The one message of a text that is not the number a field expects: the text in quotes and the
// kind of number, e.g. "abc" no es un número real válido.
std::string IntegerConvertMessage(std::string_view text);
std::string RealConvertMessage(std::string_view text);

// A field's text as an integer (blanks at either end ignored); throws EConvertError otherwise.
std::int32_t TextToInteger(std::string_view text);

// A field's text as a real number (blanks at either end ignored); throws EConvertError otherwise.
double TextToReal(std::string_view text);

// The value of a real-number field: 0 for an empty text, "-" or "+", else TextToReal.
double FieldTextToReal(std::string_view text);

// The text of a real-number field: the value through the field's format ("%.3f" when empty),
// with "." whatever the locale and halves rounded away from zero. A format that does not suit a
// real throws EConvertError; an infinity or a NaN throws EFloatingPointError.
std::string RealToFieldText(double value, std::string_view floatFormat);

}  // namespace nerim
