#include "support/encoding.h"

#include <array>
#include <cstdint>

namespace nerim {
namespace {

// Code points of the bytes 0x80 to 0x9F; every other byte maps to the code point of the same value.
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their value as
// control characters, as Windows itself converts them, so that they survive reading and writing.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 sequence starting at text[i]; advances i. Returns 0xFFFFFFFF when malformed.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; }
    else return 0xFFFFFFFF;
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size()) return 0xFFFFFFFF;
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return 0xFFFFFFFF;
        cp = (cp << 6) | (next & 0x3F);
        ++i;
    }
    return cp;
}

}  // namespace

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::size_t InvalidUtf8Position(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const char32_t cp = DecodeUtf8(text, i);
        if (cp == 0xFFFFFFFF || cp > 0x10FFFF) return start;
    }
    return std::string_view::npos;
}

TUnrepresentable FirstOutsideCp1252(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const char32_t cp = DecodeUtf8(text, i);
        if (cp == 0xFFFFFFFF || (ByteOf(cp) == '?' && cp != '?')) return {start, i - start, cp};
    }
    return {};
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char c : bytes) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = DecodeUtf8(text, i);
        out += cp == 0xFFFFFFFF ? '?' : ByteOf(cp);
    }
    return out;
}

std::string Utf8ToCp1252Xml(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = DecodeUtf8(text, i);
        if (cp == 0xFFFFFFFF) {
            out += '?';
        } else if (const char byte = ByteOf(cp); byte != '?' || cp == '?') {
            out += byte;
        } else {
            out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
        }
    }
    return out;
}

}  // namespace nerim
