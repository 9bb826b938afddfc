#include "canvas/ve_paral.h"

#include <QPoint>
#include <vector>

#include "canvas/canvax_viewport.h"
#include "canvas/geometry/geometry_funcs.h"

namespace nerim {

namespace {

QPoint Rounded(const TPoint2D& p) { return QPoint(RoundToInt(p.X), RoundToInt(p.Y)); }

}  // namespace

void TVEParal::SetOrigin(const TPoint2D& Value) {
    EraseAll();
    origin_ = Value;
    DrawAll();
}

void TVEParal::SetU(const TVector2D& Value) {
    EraseAll();
    u_ = Value;
    DrawAll();
}

void TVEParal::SetV(const TVector2D& Value) {
    EraseAll();
    v_ = Value;
    DrawAll();
}

void TVEParal::Draw(bool) {
    if (!Visible() || !View()) return;
    std::vector<QPoint> points{Rounded(origin_), Rounded(origin_ + u_), Rounded(origin_ + u_ + v_)};
    if (!IsZeroVector(u_) && !IsZeroVector(v_)) {
        points.push_back(Rounded(origin_ + v_));
        points.push_back(Rounded(origin_));
    }
    // One stroke: with a wide pen separate segments would XOR their joints twice.
    TViewCanvas& canvas = View()->ScreenCanvas();
    canvas.Pen = {Color(), 3, psSolid, pmXor};
    canvas.Polyline(points);
}

}  // namespace nerim
