#include "support/format.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "support/exception.h"
#include "support/number_format.h"

namespace nerim {
namespace {

struct Spec {
    bool leftAlign = false;
    int width = -1;
    int precision = -1;
    char kind = 0;
};

[[noreturn]] void Invalid(std::string_view format) {
    throw EConvertError("El formato \"" + std::string(format) + "\" no es válido o no corresponde a sus argumentos");
}

int ReadNumber(std::string_view format, std::size_t& i) {
    int value = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') value = value * 10 + (format[i++] - '0');
    return value;
}

std::string Scientific(double value, int precision) {
    // Delphi-style "%e": d.ddd...E+ddd with three exponent digits.
    if (precision < 1) precision = 15;
    if (!std::isfinite(value)) throw EFloatingPointError("Operación de coma flotante no válida: valor no finito");
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
    (void)ec;
    std::string out(buf, end);
    const auto e = out.find('e');
    std::string mantissa = out.substr(0, e);
    const char sign = out[e + 1];
    std::string digits = out.substr(e + 2);
    while (digits.size() < 3) digits.insert(digits.begin(), '0');
    return mantissa + "E" + sign + digits;
}

std::string Hex(long long value, int precision) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, static_cast<unsigned long long>(value) & 0xFFFFFFFFULL, 16);
    (void)ec;
    std::string text(buf, end);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (precision > static_cast<int>(text.size())) text.insert(0, static_cast<std::size_t>(precision) - text.size(), '0');
    return text;
}

std::string Render(const Spec& spec, const FormatArg& arg, std::string_view format) {
    switch (spec.kind) {
        case 'd':
            if (const auto* i = std::get_if<long long>(&arg)) return FormatInteger(*i, spec.precision);
            break;
        case 'x':
            if (const auto* i = std::get_if<long long>(&arg)) return Hex(*i, spec.precision);
            break;
        case 'f':
            if (const auto* d = std::get_if<double>(&arg)) return FormatFixed(*d, spec.precision < 0 ? 2 : spec.precision);
            break;
        case 'e':
            if (const auto* d = std::get_if<double>(&arg)) return Scientific(*d, spec.precision);
            break;
        case 's':
            if (const auto* s = std::get_if<std::string>(&arg))
                return spec.precision >= 0 && static_cast<std::size_t>(spec.precision) < s->size()
                           ? s->substr(0, static_cast<std::size_t>(spec.precision))
                           : *s;
            break;
        default:
            break;
    }
    Invalid(format);
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
    std::vector<const FormatArg*> list;
    for (const FormatArg& a : args) list.push_back(&a);
    std::size_t next = 0;
    std::string out;
    out.reserve(format.size() + 16);
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < format.size() && format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        Spec spec;
        if (i < format.size() && format[i] == '-') spec.leftAlign = true, ++i;
        if (i < format.size() && format[i] >= '0' && format[i] <= '9') spec.width = ReadNumber(format, i);
        if (i < format.size() && format[i] == '.') {
            ++i;
            spec.precision = ReadNumber(format, i);
        }
        if (i >= format.size() || next >= list.size()) Invalid(format);
        spec.kind = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i++])));
        std::string piece = Render(spec, *list[next++], format);
        if (spec.width > static_cast<int>(piece.size())) {
            const std::size_t pad = static_cast<std::size_t>(spec.width) - piece.size();
            if (spec.leftAlign)
                piece.append(pad, ' ');
            else
                piece.insert(0, pad, ' ');
        }
        out += piece;
    }
    return out;
}

}  // namespace nerim
