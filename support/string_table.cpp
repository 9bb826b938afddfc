#include "support/string_table.h"

#include <array>

#include "support/exception.h"
#include "support/internacionalization.h"

namespace nerim {
namespace {

std::array<std::string, kStringTableSize>& Table() {
    static std::array<std::string, kStringTableSize> table;
    return table;
}

}  // namespace

const std::string& StringTableEntry(int index) {
    CheckListIndex(index - 1, kStringTableSize);
    return Table()[static_cast<std::size_t>(index - 1)];
}

std::string StringTableText(int index, const std::string& fallback) {
    const std::string& text = StringTableEntry(index);
    return (text.empty() || text == kMissingString) && !fallback.empty() ? fallback : text;
}

void SetStringTableEntry(int index, std::string text) {
    CheckListIndex(index - 1, kStringTableSize);
    Table()[static_cast<std::size_t>(index - 1)] = std::move(text);
}

}  // namespace nerim
