#include "canvas/geometry/regions.h"

#include "canvas/geometry/geometry_funcs.h"

namespace nerim {

void TRegion::SetBounds(const TRect2D& r) {
    bounds_ = r;
    NormalizeRect(bounds_);
}

bool TRegion::ContainsPoint(const TPoint2D& p) const { return PointInRect(p, bounds_); }

bool TRegion::ContainsSegment(const TSegment2D& s) const {
    return PointInRect(s.P1, bounds_) && PointInRect(s.P2, bounds_);
}

bool TRegion::IsConvex() const { throw EAbstractError("TRegion.IsConvex"); }

bool TRegion::Intersects(const TRegion& other) const { return RectsIntersect(bounds_, other.bounds_); }

bool TRegion::ContainsRegion(const TRegion& other) const { return RectInRect(bounds_, other.bounds_); }

bool TRegion::IsInsideRegion(const TRegion& other) const { return RectInRect(other.bounds_, bounds_); }

}  // namespace nerim
