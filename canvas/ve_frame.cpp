#include "canvas/ve_frame.h"

#include <QRect>
#include <cmath>
#include <vector>

#include "canvas/canvas_resources.h"
#include "canvas/canvax_viewport.h"
#include "canvas/geometry/geometry_funcs.h"

namespace nerim {

namespace {

// The pictures shared by every frame, loaded when the first frame is constructed.
struct TFramePictures {
    QImage Rotate;
    QImage Center;
    QImage Handle;
};

const TFramePictures& FramePictures() {
    static const TFramePictures pictures{LoadBitmapResource("ROTATE"), LoadBitmapResource("CENTER"),
                                         LoadBitmapResource("HANDLE")};
    return pictures;
}

QPoint Rounded(const TPoint2D& p) { return QPoint(RoundToInt(p.X), RoundToInt(p.Y)); }

// Pixel distances turned into frame units meet their limits with rounding noise; a distance
// within GeometryEpsilon of its limit counts as exactly at it.
bool Below(double a, double limit) { return a < limit && !SameValue(a, limit); }
bool AtLeast(double a, double limit) { return a > limit || SameValue(a, limit); }

}  // namespace

TVEFrame::TVEFrame(TCanvaxViewport* View, TColor Color) : TVirtualElement(View, Color) {
    FramePictures();
    SetParal({{0, 0}, {1, 0}, {0, 1}});
    dragging_ = false;
    rotateHandleShown_ = true;
}

TPoint2D TVEFrame::ToScreen(const TPoint2D& P) const { return View() ? View()->WorldToScreen(P) : P; }

TPoint2D TVEFrame::ToWorld(const TPoint2D& P) const { return View() ? View()->ScreenToWorld(P) : P; }

TParal2D TVEFrame::GetStartParal() const {
    return View() ? View()->WorldToScreenParal(startParal_) : startParal_;
}

TParal2D TVEFrame::GetCurrentParal() const {
    return View() ? View()->WorldToScreenParal(currentParal_) : currentParal_;
}

void TVEFrame::SetParal(const TParal2D& P) {
    if (SameParal(P, GetStartParal())) return;
    const TParal2D world = View() ? View()->ScreenToWorldParal(P) : P;
    // Raises for a degenerate parallelogram before anything changes.
    const TParalTransform transform = TransformFromParal(world);
    EraseAll();
    startParal_ = world;
    currentParal_ = world;
    dragging_ = false;
    startTransform_ = transform;
    DrawAll();
}

void TVEFrame::SetRotateHandleShown(bool Value) {
    if (Value == rotateHandleShown_) return;
    EraseAll();
    rotateHandleShown_ = Value;
    DrawAll();
}

TPoint2D TVEFrame::FramePoint(int X, int Y) const {
    return ToLocalPoint(startTransform_, ToWorld({double(X), double(Y)}));
}

std::uint8_t TVEFrame::HandleAt(int X, int Y, TShiftState Shift) const {
    const TParal2D start = GetStartParal();
    const double lengthU = VectorLength(start.U);
    const double lengthV = VectorLength(start.V);
    const TPoint2D f = FramePoint(X, Y);
    const double u = f.X, v = f.Y;
    // Four pixels in frame units.
    const double cu = 4 / lengthU;
    const double cv = 4 / lengthV;

    std::uint8_t code = 0;
    if (Below(std::abs(u), cu)) {
        if (Below(std::abs(v), cv)) code = 5;
        else if (Below(std::abs(v - 0.5), cv)) code = 4;
        else if (Below(std::abs(v - 1), cv)) code = 3;
    } else if (Below(std::abs(u - 0.5), cu)) {
        if (Below(std::abs(v), cv)) code = 7;
        else if (Below(std::abs(v - 1), cv)) code = 6;
    } else if (Below(std::abs(u - 1), cu)) {
        if (Below(std::abs(v), cv)) code = 10;
        else if (Below(std::abs(v - 0.5), cv)) code = 9;
        else if (Below(std::abs(v - 1), cv)) code = 8;
    }
    // Eight pixels or more inside every side: the inside, which moves (or rotates with Ctrl).
    if (code == 0 && AtLeast(u, 2 * cu) && AtLeast(1 - 2 * cu, u) && AtLeast(v, 2 * cv) && AtLeast(1 - 2 * cv, v))
        code = Shift.Contains(ssCtrl) ? 1 : 2;
    if (rotateHandleShown_ && Below(std::abs(u - 1 - 30 / lengthU), 2 * cu) &&
        Below(std::abs(v - 1 - 30 / lengthV), 2 * cv))
        code = 1;
    return code;
}

TCursorId TVEFrame::CursorForHandle(std::uint8_t Code) { return Code == 0 ? crDefault : crSizeAll; }

void TVEFrame::BeginDrag(std::uint8_t Code, int X, int Y) {
    EraseAll();
    dragging_ = true;
    dragHandle_ = Code;
    dragStart_ = ToWorld({double(X), double(Y)});
    DrawAll();
}

void TVEFrame::Drag(int X, int Y, bool FreeAspect) {
    if (!dragging_) return;
    EraseAll();
    const TParal2D start = GetStartParal();
    const TPoint2D pointer{double(X), double(Y)};
    TParal2D world = currentParal_;
    switch (dragHandle_) {
        case 2: {
            // Move: the origin follows the pointer from where the drag began.
            const QPoint from = Rounded(ToScreen(dragStart_));
            TParal2D moved = GetCurrentParal();
            moved.Origin = start.Origin + pointer - TPoint2D{double(from.x()), double(from.y())};
            world = View() ? View()->ScreenToWorldParal(moved) : moved;
            break;
        }
        case 1: {
            if (!rotateHandleShown_) break;
            // Rotate about the centre by the angle the pointer turned through.
            const TPoint2D centre = start.Origin + start.U * 0.5 + start.V * 0.5;
            const QPoint from = Rounded(ToScreen(dragStart_));
            const double a0 = std::atan2(from.y() - centre.Y, from.x() - centre.X);
            const double a1 = std::atan2(pointer.Y - centre.Y, pointer.X - centre.X);
            TParal2D turned;
            turned.U = PolarVector(VectorLength(start.U), VectorAngle(start.U) - a0 + a1);
            turned.V = PolarVector(VectorLength(start.V), VectorAngle(start.V) - a0 + a1);
            turned.Origin = centre - turned.U * 0.5 - turned.V * 0.5;
            world = View() ? View()->ScreenToWorldParal(turned) : turned;
            break;
        }
        case 3: case 4: case 5: case 6: case 7: case 8: case 9: case 10: {
            // Scale in frame coordinates; the opposite corner or edge stays where it is.
            TPoint2D f = FramePoint(X, Y);
            double& u = f.X;
            double& v = f.Y;
            const bool diagonal = dragHandle_ == 5 || dragHandle_ == 8;
            const bool antiDiagonal = dragHandle_ == 3 || dragHandle_ == 10;
            if (!FreeAspect && (diagonal || antiDiagonal)) {
                const bool uFarther = std::abs(0.5 - u) > std::abs(0.5 - v);
                if (diagonal) {
                    if (uFarther) v = u;
                    else u = v;
                } else {
                    if (uFarther) v = 1 - u;
                    else u = 1 - v;
                }
            }
            TParal2D local = ParalToLocal(startTransform_, currentParal_);
            switch (dragHandle_) {
                case 3: local = {{u, 0}, {1 - u, 0}, {0, v}}; break;
                case 4: local.Origin = {u, 0}; local.U = {1 - u, 0}; break;
                case 5: local = {{u, v}, {1 - u, 0}, {0, 1 - v}}; break;
                case 6: local.V = {0, v}; break;
                case 7: local.Origin = {0, v}; local.V = {0, 1 - v}; break;
                case 8: local.U = {u, 0}; local.V = {0, v}; break;
                case 9: local.U = {u, 0}; break;
                case 10: local = {{0, v}, {u, 0}, {0, 1 - v}}; break;
                default: break;
            }
            world = ParalToWorld(startTransform_, local);
            break;
        }
        default: break;
    }
    currentParal_ = world;
    DrawAll();
}

void TVEFrame::EndDrag(bool Apply) {
    EraseAll();
    dragging_ = false;
    if (Apply) {
        // The dragged frame becomes the start frame, unless it collapsed to a line: its area,
        // measured in the start frame, vanished.
        const TParal2D local = ParalToLocal(startTransform_, currentParal_);
        if (SameValue(local.U.X * local.V.Y - local.U.Y * local.V.X, 0)) {
            currentParal_ = startParal_;
        } else {
            startTransform_ = TransformFromParal(currentParal_);
            startParal_ = currentParal_;
        }
    }
    DrawAll();
}

std::array<QPoint, 10> TVEFrame::BitmapPositions() const {
    const TParal2D p = GetStartParal();
    const TPoint2D& o = p.Origin;
    const TPoint2D points[10] = {
        o + p.U * 0.5 + p.V * 0.5,
        o + p.U + p.V + (UnitVector(p.U) + UnitVector(p.V)) * 30,
        o + p.V,
        o + p.V * 0.5,
        o,
        o + p.U * 0.5 + p.V,
        o + p.U * 0.5,
        o + p.U + p.V,
        o + p.U + p.V * 0.5,
        o + p.U,
    };
    std::array<QPoint, 10> positions;
    for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = Rounded(points[i] - TPoint2D{6.5, 6.5});
    return positions;
}

void TVEFrame::OutlineCurrent() {
    const TParal2D p = GetCurrentParal();
    TViewCanvas& canvas = View()->ScreenCanvas();
    canvas.Pen = {clRed, 1, psSolid, pmXor};
    canvas.Polyline({Rounded(p.Origin), Rounded(p.Origin + p.U), Rounded(p.Origin + p.U + p.V),
                     Rounded(p.Origin + p.V), Rounded(p.Origin)});
}

void TVEFrame::Draw(bool Showing) {
    if (!View() || !Visible() || View()->Destroying()) return;
    const std::array<QPoint, 10> positions = BitmapPositions();
    TViewCanvas& canvas = View()->ScreenCanvas();
    if (!Showing) {
        if (dragging_) OutlineCurrent();
        for (std::size_t i = 0; i < positions.size(); ++i)
            if (!saves_[i].isNull()) canvas.DrawImage(positions[i].x(), positions[i].y(), saves_[i]);
        return;
    }
    const QImage& buffer = View()->BufferImage();
    for (std::size_t i = 0; i < positions.size(); ++i)
        saves_[i] = buffer.copy(QRect(positions[i], QSize(kBitmapSize, kBitmapSize)));
    const TFramePictures& pictures = FramePictures();
    canvas.DrawTransparent(positions[0].x(), positions[0].y(), pictures.Center, clWhite);
    if (rotateHandleShown_) canvas.DrawTransparent(positions[1].x(), positions[1].y(), pictures.Rotate, clWhite);
    for (std::size_t i = 2; i < positions.size(); ++i)
        canvas.DrawTransparent(positions[i].x(), positions[i].y(), pictures.Handle, clWhite);
    if (dragging_) OutlineCurrent();
}

}  // namespace nerim
