#pragma once

#include <span>

#include "canvas/geometry/geometry_types.h"

namespace nerim {

// The crossing-number test shared by every point-in-polygon question of the domain objects,
// so that a vertex list and a flat copy of it give identical answers.

// X at which the edge v0 -> v1 meets the horizontal line at height y (v0.Y != v1.Y). Every
// crossing test goes through this one expression, so that answers computed per point and per
// line of points agree to the last bit.
inline double EdgeCrossingX(const TPoint2D& v0, const TPoint2D& v1, double y) {
    return v1.X - (v1.Y - y) * (v0.X - v1.X) / (v0.Y - v1.Y);
}

// For an edge v0 -> v1 whose ends lie on different sides of the horizontal line through p
// (one at or below p.Y, the other above): true when it crosses that line at or to the right of p.
inline bool EdgeCrossesAtOrRightOf(const TPoint2D& v0, const TPoint2D& v1, const TPoint2D& p) {
    const bool right0 = v0.X >= p.X;
    const bool right1 = v1.X >= p.X;
    if (right0 == right1) return right0;
    return EdgeCrossingX(v0, v1, p.Y) >= p.X;
}

// The same question for every point of the line at height y at once: for an edge with finite
// ends on different sides of that line, EdgeCrossesAtOrRightOf(v0, v1, {x, y}) is true exactly when
// x <= EdgeCrossingThreshold(v0, v1, y). The threshold is the crossing X held within the edge's
// X range (a crossing that is not a number counts as the edge's left end, where the point test
// answers false for every x beyond it).
inline double EdgeCrossingThreshold(const TPoint2D& v0, const TPoint2D& v1, double y) {
    const double lo = v0.X < v1.X ? v0.X : v1.X;
    const double hi = v0.X < v1.X ? v1.X : v0.X;
    const double xc = EdgeCrossingX(v0, v1, y);
    if (xc >= hi) return hi;
    if (xc >= lo) return xc;
    return lo;
}

// Whether p lies inside the closed ring through the vertices (the last one connects back to
// the first). No bounding-box rejection and no tolerance: on an axis-aligned rectangle,
// points of the right and top edges (largest X, largest Y) are inside, those of the left and
// bottom edges outside. An empty ring contains nothing.
bool RingContainsPoint(std::span<const TPoint2D> ring, const TPoint2D& p);

}  // namespace nerim
