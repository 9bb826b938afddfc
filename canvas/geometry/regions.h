#pragma once

#include "canvas/geometry/geometry_types.h"

namespace nerim {

// Hit-test regions that canvas elements carry for selection. Bounds is always straight.
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect2D& bounds) { SetBounds(bounds); }
    virtual ~TRegion() = default;

    const TRect2D& Bounds() const { return bounds_; }
    // Copies r and normalises it.
    void SetBounds(const TRect2D& r);
    // The minimum corner of Bounds: the probe point of a click.
    TPoint2D Corner() const { return {bounds_.X1, bounds_.Y1}; }

    virtual bool ContainsPoint(const TPoint2D& p) const;
    virtual bool ContainsSegment(const TSegment2D& s) const;
    // A plain region does not know: the call throws EAbstractError.
    virtual bool IsConvex() const;
    virtual bool Intersects(const TRegion& other) const;
    virtual bool ContainsRegion(const TRegion& other) const;
    virtual bool IsInsideRegion(const TRegion& other) const;

private:
    TRect2D bounds_;
};

class TConvexRegion : public TRegion {
public:
    using TRegion::TRegion;
    bool IsConvex() const override { return true; }
};

// The region of a rectangular area.
class TRRectangle : public TConvexRegion {
public:
    using TConvexRegion::TConvexRegion;
};

}  // namespace nerim
