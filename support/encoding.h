#pragma once

#include <string>
#include <string_view>

namespace nerim {

// Files are 8-bit text in the Windows-1252 code page; inside the program text is UTF-8.

// Windows-1252 bytes to UTF-8. The five bytes that code page leaves undefined map to the control
// characters of the same value (0x81 to U+0081), and back, so no byte is lost.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes. A character the code page cannot hold, or a malformed UTF-8
// sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view text);

// The same for XML text: a character the code page cannot hold becomes a character reference
// ("&#916;" for a Greek capital delta), so nothing is lost; a malformed sequence becomes "?".
// Only for attribute values and character data, where references are allowed.
std::string Utf8ToCp1252Xml(std::string_view text);

// The first character of UTF-8 text that Windows-1252 cannot hold (or the first malformed
// sequence): its byte position, its length in bytes and its code point (0xFFFFFFFF when
// malformed). Position std::string_view::npos when every character fits.
struct TUnrepresentable {
    std::size_t Position = std::string_view::npos;
    std::size_t Length = 0;
    char32_t CodePoint = 0;
};
TUnrepresentable FirstOutsideCp1252(std::string_view text);

// True when every byte is 7-bit ASCII, in which case both conversions are the identity.
bool IsAscii(std::string_view text);

// Position of the first byte of text that does not begin a well-formed UTF-8 sequence, or
// std::string_view::npos when there is none.
std::size_t InvalidUtf8Position(std::string_view text);

}  // namespace nerim
