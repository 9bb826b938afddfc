#pragma once

#include <string>

#include <QImage>

namespace nerim {

// The pictures compiled into the program: the overlay bitmaps (":/nerim/bitmaps/<NAME>") and the
// cursors (":/nerim/cursors/<NAME>"). The library is static, so its resources must be registered
// explicitly; the loaders below do it, and calling this again does nothing.
void InitCanvasResources();

// The bitmap resource of that name ("ROTATE", "CENTER", "HANDLE"); a null image when the program
// has none.
QImage LoadBitmapResource(const std::string& Name);

// A cursor picture of the program's resources and its hot spot.
struct TCursorResource {
    QImage Image;
    int HotX = -1;  // -1: the toolkit's default (the picture's centre)
    int HotY = -1;
};

// The cursor resource of that name; a null image when the program has none. The hot spot is read
// from the optional hot-spot values of an XPM header ("width height colours chars x y").
TCursorResource LoadCursorResource(const std::string& Name);

}  // namespace nerim
