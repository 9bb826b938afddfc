#pragma once

#include <array>
#include <cstdint>

#include <QImage>
#include <QPoint>

#include "canvas/canvas_types.h"
#include "canvas/cursors.h"
#include "canvas/geometry/geometry_types.h"
#include "canvas/virtual_element.h"

namespace nerim {

// The transformation frame: a parallelogram with handles that an element can let the user drag
// to move, scale and rotate its geometry. The element reads StartParal (the frame when the drag
// began) and CurrentParal (the frame as dragged) to transform its own geometry.
//
// Handle codes, with (u, v) the coordinates in StartParal ((0, 0) its origin corner, u along U,
// v along V):
//   0 none; 1 rotate, 30 pixels beyond corner (1, 1) along U and V (also the inside with Ctrl);
//   2 move, the inside; corners 3 (0, 1), 5 (0, 0), 8 (1, 1), 10 (1, 0);
//   edges 4 (0, ½), 6 (½, 1), 7 (½, 0), 9 (1, ½).
// The handles are drawn as the "HANDLE" picture, the rotation handle as "ROTATE" and the centre
// as "CENTER"; the pixels under them are saved from the view's buffer and put back to erase them.
// While dragging, CurrentParal is outlined with a red XOR pen.
class TVEFrame : public TVirtualElement {
public:
    // The unit square (origin (0, 0), U (1, 0), V (0, 1)) in pixels, not dragging, with the
    // rotation handle shown.
    explicit TVEFrame(TCanvaxViewport* View = nullptr, TColor Color = clBlack);

    // Makes P (pixels) the frame, both as start and as current, and ends any drag. Nothing
    // happens when P is the start frame already. A degenerate parallelogram (U and V parallel)
    // raises EFloatingPointError and leaves the frame as it was.
    void SetParal(const TParal2D& P);
    // The start and the current frame in pixels of the view (as stored without a view).
    TParal2D GetStartParal() const;
    TParal2D GetCurrentParal() const;
    // The same in world coordinates, as stored.
    const TParal2D& StartParal() const { return startParal_; }
    const TParal2D& CurrentParal() const { return currentParal_; }
    // Frame coordinates (u, v) of StartParal.
    const TParalTransform& StartTransform() const { return startTransform_; }

    bool RotateHandleShown() const { return rotateHandleShown_; }
    void SetRotateHandleShown(bool Value);
    bool Dragging() const { return dragging_; }
    std::uint8_t DragHandle() const { return dragHandle_; }
    const TPoint2D& DragStart() const { return dragStart_; }

    // The handle under the pixel (X, Y), 0 for none.
    std::uint8_t HandleAt(int X, int Y, TShiftState Shift) const;
    // The default cursor for no handle, the four-way sizing cursor for any handle.
    static TCursorId CursorForHandle(std::uint8_t Code);
    // Starts dragging handle Code from the pixel (X, Y).
    void BeginDrag(std::uint8_t Code, int X, int Y);
    // The pointer is at the pixel (X, Y): CurrentParal follows the dragged handle. Corners keep
    // the frame's proportions unless FreeAspect. Nothing happens when not dragging.
    void Drag(int X, int Y, bool FreeAspect);
    // Ends the drag. With Apply the dragged frame becomes the start frame, unless it collapsed to
    // a line, which cannot be a frame: the start frame then stays and CurrentParal returns to it.
    // Without Apply CurrentParal stays as dragged and the start frame as it was.
    void EndDrag(bool Apply);

    void Draw(bool Showing) override;

    // The side of the square pictures.
    static constexpr int kBitmapSize = 13;

private:
    // The top-left corners of the ten pictures: 0 the centre, 1 the rotation handle, 2 to 9 the
    // handles 3 to 10.
    std::array<QPoint, 10> BitmapPositions() const;
    // Frame coordinates of the pixel (X, Y).
    TPoint2D FramePoint(int X, int Y) const;
    TPoint2D ToScreen(const TPoint2D& P) const;
    TPoint2D ToWorld(const TPoint2D& P) const;
    void OutlineCurrent();

    TParal2D startParal_;
    TParal2D currentParal_;
    bool rotateHandleShown_ = true;
    TPoint2D dragStart_;
    bool dragging_ = false;
    std::uint8_t dragHandle_ = 0;
    TParalTransform startTransform_;
    std::array<QImage, 10> saves_;
};

}  // namespace nerim
