#pragma once

#include <string>

namespace nerim {

// The process-wide table of message formats STR1 to STR200, filled at start-up from the
// strings file. Entry 1 formats the sub-zone count label (two integers); entries 2, 3 and 4
// the default names of a new porous medium, obstacle and water material (one integer each).
inline constexpr int kStringTableSize = 200;

// Entry index (1 to 200); empty until the table is filled. Other indices throw EListIndexError.
const std::string& StringTableEntry(int index);
void SetStringTableEntry(int index, std::string text);

}  // namespace nerim
