#pragma once

#include <string_view>

namespace nerim {

// Small helpers on UTF-8 texts.

// Comparison without regard to the case of the ASCII letters; every other byte (accented letters
// included) compares by its value.

// Negative, zero or positive as a sorts before, equal to or after b.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Ordering for sorted containers keyed by such texts.
struct TextLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
};

// The text without the blanks and control characters (bytes up to 0x20) at either end.
std::string_view Trim(std::string_view text);

}  // namespace nerim
