#pragma once

#include <string>
#include <vector>

#include "canvas/cursors.h"

namespace nerim {

// A cursor of the program's resources, loaded by name and registered under an id of its own.
//
// Every construction appends the name to one list kept for the whole run; the id is the name's
// position in that list counted from 1 (id 0 is the default arrow and is never replaced). The
// cursor picture is the resource of that name (see LoadCursorResource); when the program has no
// such resource the id shows the default cursor. Elements create the cursors they use once.
class TSmartCursor {
public:
    explicit TSmartCursor(const std::string& CursorName);

    TCursorId Cursor() const { return cursor_; }

private:
    TCursorId cursor_ = crDefault;
};

// The names loaded so far; the name at index i has the id i + 1.
const std::vector<std::string>& SmartCursorNames();

}  // namespace nerim
