#include "support/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "support/exception.h"

namespace nerim {
namespace {

// Extra digits asked of the exact conversion so that a halfway case can be told from its
// neighbours: a double differs from a tie by at least one unit in its 17th significant digit.
constexpr int kGuardDigits = 20;

void RequireFinite(double value) {
    if (!std::isfinite(value))
        throw EFloatingPointError("Operación de coma flotante no válida: no se puede escribir un valor " +
                                  std::string(std::isnan(value) ? "NaN" : "infinito"));
}

// Adds one unit to the last digit of the run of decimal digits [first, last), skipping the
// point. Returns true when the carry leaves the run (all digits were 9 and are now 0).
bool IncrementDigits(char* first, char* last) {
    for (char* p = last; p != first;) {
        --p;
        if (*p == '.') continue;
        if (*p != '9') {
            ++*p;
            return false;
        }
        *p = '0';
    }
    return true;
}

}  // namespace

char* FormatRealTo(char* out, double value) {
    RequireFinite(value);
    // 15 significant digits kept, the 16th decides the rounding.
    constexpr int kKept = 14;
    std::array<char, 64> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                   std::chars_format::scientific, kKept + kGuardDigits);
    (void)ec;
    // buf: d.ddd...de±xx
    char* mantissaEnd = buf.data() + 2 + kKept;  // after the 14th decimal
    const char* exponent = std::find(buf.data(), end, 'e') + 1;
    int exp = 0;
    std::from_chars(exponent + (*exponent == '+' ? 1 : 0), end, exp);
    if (*mantissaEnd >= '5' && IncrementDigits(buf.data(), mantissaEnd)) {
        // 9.99...9 rounded up to 10: one digit more before the point.
        buf[0] = '1';
        ++exp;
    }
    *out++ = std::signbit(value) ? '-' : ' ';
    out = std::copy(buf.data(), mantissaEnd, out);
    *out++ = 'E';
    *out++ = exp < 0 ? '-' : '+';
    const int mag = std::abs(exp);
    *out++ = static_cast<char>('0' + mag / 1000);
    *out++ = static_cast<char>('0' + mag / 100 % 10);
    *out++ = static_cast<char>('0' + mag / 10 % 10);
    *out++ = static_cast<char>('0' + mag % 10);
    return out;
}

std::string FormatReal(double value) {
    std::string text(kRealTextWidth, ' ');
    FormatRealTo(text.data(), value);
    return text;
}

std::string FormatFixed(double value, int decimals) {
    RequireFinite(value);
    decimals = std::clamp(decimals, 0, 40);
    // Up to 309 integer digits, the point, the decimals and the guard digits.
    std::array<char, 320 + 40 + kGuardDigits> buf{};
    auto [end, ec] = std::to_chars(buf.data() + 1, buf.data() + buf.size(), std::fabs(value),
                                   std::chars_format::fixed, decimals + kGuardDigits);
    (void)ec;
    char* first = buf.data() + 1;
    const char* point = std::find(first, end, '.');
    char* kept = const_cast<char*>(point) + (decimals > 0 ? decimals + 1 : 0);
    if (*(point + decimals + 1) >= '5' && IncrementDigits(first, kept)) *--first = '1';
    const bool zero = std::all_of(first, kept, [](char c) { return c == '0' || c == '.'; });
    std::string text;
    text.reserve(static_cast<std::size_t>(kept - first) + 1);
    if (std::signbit(value) && !zero) text += '-';
    text.append(first, kept);
    return text;
}

namespace {

// FormatFixedTo for a fixed count of decimals (0 to 3) and a finite value below 2^53, given as
// its sign bit and |value| = m · 2^e with e <= 0.
template <int Decimals>
char* FixedDigitsTo(char* out, bool negative, std::uint64_t m, int e) {
    constexpr std::uint64_t kScale = Decimals == 0 ? 1 : Decimals == 1 ? 10 : Decimals == 2 ? 100 : 1000;
    // N = |value| · 10^Decimals rounded half away from zero: P = m · 10^Decimals < 2^63, shifted
    // right by s = −e, one more when the bits shifted out are at least one half.
    const std::uint64_t P = m * kScale;
    const int shift = -e;
    std::uint64_t N = 0;
    if (shift == 0) {
        N = P;
    } else if (shift < 64) {
        N = (P >> shift) + ((P >> (shift - 1)) & 1);
    }  // beyond 63 bits of shift, P · 2^−s < 1/2: zero
    if (negative && N != 0) *out++ = '-';
    std::uint64_t whole = N / kScale;
    if (whole < 10) {
        *out++ = static_cast<char>('0' + whole);
    } else {
        out = std::to_chars(out, out + 20, whole).ptr;
    }
    if constexpr (Decimals > 0) {
        *out++ = '.';
        std::uint64_t rest = N % kScale;
        for (int k = Decimals - 1; k >= 0; --k) {
            out[k] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        }
        out += Decimals;
    }
    return out;
}

}  // namespace

char* FormatFixedTo(char* out, double value, int decimals) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    // |value| = m · 2^e exactly; below 2^53 the exponent e is at most 0.
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t m = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int e = biased == 0 ? -1074 : biased - 1075;
    const bool negative = (bits >> 63) != 0;
    if (biased != 0x7FF && e <= 0) {
        switch (decimals) {
            case 0: return FixedDigitsTo<0>(out, negative, m, e);
            case 1: return FixedDigitsTo<1>(out, negative, m, e);
            case 2: return FixedDigitsTo<2>(out, negative, m, e);
            case 3: return FixedDigitsTo<3>(out, negative, m, e);
            default: break;
        }
    }
    const std::string text = FormatFixed(value, decimals);
    return std::copy(text.begin(), text.end(), out);
}

std::string FormatInteger(long long value, int minDigits) {
    std::array<char, 24> buf{};
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude);
    (void)ec;
    const auto digits = static_cast<int>(end - buf.data());
    std::string text;
    if (value < 0) text += '-';
    if (minDigits > digits) text.append(static_cast<std::size_t>(minDigits - digits), '0');
    text.append(buf.data(), end);
    return text;
}

std::optional<double> ParseReal(std::string_view token) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i, ++digits;
    if (i < token.size() && token[i] == '.') {
        ++i;
        while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    bool negativeExponent = false;
    if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
        ++i;
        if (i < token.size() && (token[i] == '+' || token[i] == '-')) negativeExponent = token[i++] == '-';
        const std::size_t expStart = i;
        while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i;
        if (i == expStart) return std::nullopt;
    }
    if (i != token.size()) return std::nullopt;

    // from_chars takes no "+" before the exponent's digits either; rebuild the number plainly.
    std::string plain(token.substr(start));
    std::erase(plain, '+');
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // The real text form keeps 15 digits, so the largest double is written rounded up beyond
        // itself (1.79769313486232E+0308): what does not exceed that text reads as the largest
        // double, so every written value reads back. Anything larger is out of range; anything
        // smaller is too small for a double and reads as zero.
        constexpr long double kLargestWritten = 1.79769313486232e308L;
        long double wide = 0.0L;
        const auto [wideEnd, wideError] = std::from_chars(plain.data(), plain.data() + plain.size(), wide);
        if (wideError == std::errc() && wideEnd == plain.data() + plain.size()) {
            if (wide > kLargestWritten) return std::nullopt;
            value = wide > 1.0L ? std::numeric_limits<double>::max() : 0.0;
        } else {
            if (!negativeExponent) return std::nullopt;
            value = 0.0;
        }
    } else if (ec != std::errc() || ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<std::int32_t> ParseInteger(std::string_view token) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    if (i == token.size()) return std::nullopt;
    long long magnitude = 0;
    for (; i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9') return std::nullopt;
        magnitude = magnitude * 10 + (token[i] - '0');
        if (magnitude > 2147483648LL) return std::nullopt;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace nerim
