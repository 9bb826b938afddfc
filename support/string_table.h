#pragma once

#include <string>

namespace nerim {

// The process-wide table of message formats STR1 to STR200, filled at start-up from the
// strings file. Entry 1 formats the sub-zone count label (two integers); entries 2, 3 and 4
// the default names of a new porous medium, obstacle and water material (one integer each).
inline constexpr int kStringTableSize = 200;

// The entries the support library's own messages take (the windows' are in app/window_texts.h):
// why a field's text is not what the field takes (support/value_text.h).
enum TFieldString : int {
    fsIntegerExpected = 34,  // "La cadena "%s" no puede reconocerse como un número entero"
    fsRealExpected = 35,     // "La cadena "%s" no puede reconocerse como un número"
    fsIntegerRange = 36,     // "El valor debe estar comprendido entre: %d y %d"
    fsRealRange = 37,        // "El valor debe estar comprendido entre: %.3f y %.3f"
    fsIdentifierChars = 38,  // "Un identificador no puede contener los caracteres:" (the characters follow)
};

// Entry index (1 to 200); empty until the table is filled. Other indices throw EListIndexError.
const std::string& StringTableEntry(int index);
void SetStringTableEntry(int index, std::string text);
// The entry, or fallback while the table has no text for it (empty, or the missing-key "****").
std::string StringTableText(int index, const std::string& fallback);

}  // namespace nerim
