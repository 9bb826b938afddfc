#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace nerim {

// Texts that go into a one-line message whatever they hold: a control character or a byte that is
// not text is shown as "\x" and two hexadecimal digits ("\x00", "\x1A"), so that it can neither
// end the message early (a NUL), break it over lines nor garble the terminal.

// Bytes of a Windows-1252 file, such as a token that could not be read, as UTF-8: the bytes
// below 0x20, 0x7F and the five bytes the code page leaves undefined are escaped. A text longer
// than maxBytes shows its first maxBytes bytes followed by "…".
inline constexpr std::size_t kReadableTokenBytes = 64;
std::string ReadableBytes(std::string_view bytes, std::size_t maxBytes = kReadableTokenBytes);

// UTF-8 text, such as a file name: control characters and the bytes of malformed sequences are
// escaped, everything else is kept.
std::string ReadableText(std::string_view text);

// A message as one line of readable text: each line break (CR LF, LF or CR) becomes a blank and
// the rest is ReadableText.
std::string OneLineText(std::string_view text);

// A file name as messages show it: readable and between double quotes.
std::string QuotedName(const std::filesystem::path& path);

}  // namespace nerim
