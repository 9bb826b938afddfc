#include "support/readable_text.h"

#include "support/encoding.h"

namespace nerim {
namespace {

void AppendEscaped(std::string& out, unsigned char byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// The bytes Windows-1252 gives no character.
bool IsUndefinedCp1252(unsigned char byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

// The length of the well-formed UTF-8 sequence at text[i], 0 when it is malformed (overlong
// forms, surrogates and code points beyond U+10FFFF included).
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::string ReadableBytes(std::string_view bytes, std::size_t maxBytes) {
    const bool longer = bytes.size() > maxBytes;
    if (longer) bytes = bytes.substr(0, maxBytes);
    std::string out;
    out.reserve(bytes.size() + 8);
    std::size_t plain = 0;  // start of the run of bytes not yet converted
    auto flush = [&](std::size_t end) {
        out += Cp1252ToUtf8(bytes.substr(plain, end - plain));
        plain = end + 1;
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (IsControl(byte) || IsUndefinedCp1252(byte)) {
            flush(i);
            AppendEscaped(out, byte);
        }
    }
    flush(bytes.size());
    if (longer) out += "…";
    return out;
}

std::string ReadableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = SequenceLength(text, i);
        const auto byte = static_cast<unsigned char>(text[i]);
        if (length == 0 || IsControl(byte) || (length == 2 && byte == 0xC2 &&
                                               static_cast<unsigned char>(text[i + 1]) < 0xA0)) {
            // A malformed byte, or a C0 or C1 control character.
            if (length <= 1) {
                AppendEscaped(out, byte);
                ++i;
            } else {
                for (std::size_t k = 0; k < length; ++k) AppendEscaped(out, static_cast<unsigned char>(text[i + k]));
                i += length;
            }
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::string OneLineText(std::string_view text) {
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            joined += text[i];
            continue;
        }
        // A CR LF pair is one break.
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        joined += ' ';
    }
    return ReadableText(joined);
}

std::string QuotedName(const std::filesystem::path& path) {
    std::string quoted(1, '"');
    quoted += ReadableText(path.string());
    quoted += '"';
    return quoted;
}

}  // namespace nerim
