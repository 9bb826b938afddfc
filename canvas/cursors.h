#pragma once

#include <cstdint>

#include <QCursor>

namespace nerim {

// Cursor ids: 0 is the default arrow, negative ids are the toolkit's standard cursors, positive
// ids are free for cursors registered by name.
using TCursorId = std::int16_t;

constexpr TCursorId crDefault = 0;
constexpr TCursorId crNone = -1;
constexpr TCursorId crArrow = -2;
constexpr TCursorId crCross = -3;
constexpr TCursorId crIBeam = -4;
constexpr TCursorId crSizeNESW = -6;
constexpr TCursorId crSizeNS = -7;
constexpr TCursorId crSizeNWSE = -8;
constexpr TCursorId crSizeWE = -9;
constexpr TCursorId crUpArrow = -10;
constexpr TCursorId crHourGlass = -11;
constexpr TCursorId crDrag = -12;
constexpr TCursorId crNoDrop = -13;
constexpr TCursorId crHSplit = -14;
constexpr TCursorId crVSplit = -15;
constexpr TCursorId crMultiDrag = -16;
constexpr TCursorId crSQLWait = -17;
constexpr TCursorId crNo = -18;
constexpr TCursorId crAppStart = -19;
constexpr TCursorId crHelp = -20;
constexpr TCursorId crHandPoint = -21;
constexpr TCursorId crSizeAll = -22;  // the four-way sizing cursor
constexpr TCursorId crSize = -22;

// The cursor of an id. Unknown ids give the default arrow.
QCursor CursorFromId(TCursorId id);
// Installs (or replaces) the cursor of a positive id. Built-in ids (0 and below) are fixed and
// the call ignores them.
void RegisterCursor(TCursorId id, const QCursor& cursor);
bool IsCursorRegistered(TCursorId id);

}  // namespace nerim
