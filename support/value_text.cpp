#include "support/value_text.h"

#include <cmath>
#include <limits>

#include "support/exception.h"
#include "support/format.h"
#include "support/number_format.h"
#include "support/string_table.h"
#include "support/text_utils.h"

namespace nerim {
namespace {

constexpr std::string_view kDefaultFloatFormat = "%.3f";

// A range limit rounded to the nearest integer, halves away from zero, kept within 32 bits so
// that huge or non-finite limits neither overflow nor print nonsense.
long long RoundedLimit(double limit) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(limit)) return 0;
    if (limit <= lo) return static_cast<long long>(lo);
    if (limit >= hi) return static_cast<long long>(hi);
    return std::llround(limit);
}

bool IsValidInteger(std::string_view text, double minValue, double maxValue, std::string& message) {
    const std::string_view trimmed = Trim(text);
    const auto value = ParseInteger(trimmed);
    if (!value) {
        message = Format(StringTableText(fsIntegerExpected, "La cadena \"%s\" no puede reconocerse como un número entero"),
                         {std::string(trimmed)});
        return false;
    }
    if (maxValue != minValue) {
        const long long lo = RoundedLimit(minValue);
        const long long hi = RoundedLimit(maxValue);
        if (*value < lo || *value > hi) {
            message = Format(StringTableText(fsIntegerRange, "El valor debe estar comprendido entre: %d y %d"), {lo, hi});
            return false;
        }
    }
    return true;
}

bool IsValidDouble(std::string_view text, double minValue, double maxValue, std::string& message) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed == "-" || trimmed == "+") return true;
    const auto value = ParseReal(trimmed);
    if (!value) {
        message = Format(StringTableText(fsRealExpected, "La cadena \"%s\" no puede reconocerse como un número"),
                         {std::string(trimmed)});
        return false;
    }
    if (maxValue != minValue && (*value < minValue || *value > maxValue)) {
        message = Format(StringTableText(fsRealRange, "El valor debe estar comprendido entre: %.3f y %.3f"),
                         {minValue, maxValue});
        return false;
    }
    return true;
}

bool IsValidIdentifier(std::string_view text, std::string& message) {
    if (text.find_first_of(kIdentifierForbidden) == std::string_view::npos) return true;
    message = StringTableText(fsIdentifierChars, "Un identificador no puede contener los caracteres:") + "\n";
    for (std::size_t i = 0; i < kIdentifierForbidden.size(); ++i) {
        if (i > 0) message += ' ';
        message += kIdentifierForbidden[i];
    }
    return false;
}

}  // namespace

bool IsValidText(std::string_view text, TValueType type, double minValue, double maxValue, std::string& message) {
    message.clear();
    switch (type) {
        case typInteger:
            return IsValidInteger(text, minValue, maxValue, message);
        case typDouble:
            return IsValidDouble(text, minValue, maxValue, message);
        case typIdentifier:
            return IsValidIdentifier(text, message);
        case typCustom:
            break;
    }
    return true;
}

std::string IntegerConvertMessage(std::string_view text) {
    return "\"" + std::string(text) + "\" no es un número entero válido";
}

std::string RealConvertMessage(std::string_view text) {
    return "\"" + std::string(text) + "\" no es un número real válido";
}

std::int32_t TextToInteger(std::string_view text) {
    const auto value = ParseInteger(Trim(text));
    if (!value) throw EConvertError(IntegerConvertMessage(text));
    return *value;
}

double TextToReal(std::string_view text) {
    const auto value = ParseReal(Trim(text));
    if (!value) throw EConvertError(RealConvertMessage(text));
    return *value;
}

double FieldTextToReal(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed == "-" || trimmed == "+") return 0.0;
    return TextToReal(text);
}

std::string RealToFieldText(double value, std::string_view floatFormat) {
    return Format(floatFormat.empty() ? kDefaultFloatFormat : floatFormat, {value});
}

}  // namespace nerim
