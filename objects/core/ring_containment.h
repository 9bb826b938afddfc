#pragma once

#include <span>

#include "canvas/geometry/geometry_types.h"

namespace nerim {

// The crossing-number test shared by every point-in-polygon question of the domain objects,
// so that a vertex list and a flat copy of it give identical answers.

// For an edge v0 -> v1 whose ends lie on different sides of the horizontal line through p
// (one at or below p.Y, the other above): true when it crosses that line at or to the right of p.
inline bool EdgeCrossesAtOrRightOf(const TPoint2D& v0, const TPoint2D& v1, const TPoint2D& p) {
    const bool right0 = v0.X >= p.X;
    const bool right1 = v1.X >= p.X;
    if (right0 == right1) return right0;
    return v1.X - (v1.Y - p.Y) * (v0.X - v1.X) / (v0.Y - v1.Y) >= p.X;
}

// Whether p lies inside the closed ring through the vertices (the last one connects back to
// the first). No bounding-box rejection and no tolerance: on an axis-aligned rectangle,
// points of the right and top edges (largest X, largest Y) are inside, those of the left and
// bottom edges outside. An empty ring contains nothing.
bool RingContainsPoint(std::span<const TPoint2D> ring, const TPoint2D& p);

}  // namespace nerim
