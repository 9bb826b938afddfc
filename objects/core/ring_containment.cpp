#include "objects/core/ring_containment.h"

namespace nerim {

bool RingContainsPoint(std::span<const TPoint2D> ring, const TPoint2D& p) {
    if (ring.empty()) return false;
    TPoint2D v0 = ring.back();
    bool above0 = v0.Y >= p.Y;
    bool inside = false;
    for (const TPoint2D& v1 : ring) {
        const bool above1 = v1.Y >= p.Y;
        if (above1 != above0 && EdgeCrossesAtOrRightOf(v0, v1, p)) inside = !inside;
        above0 = above1;
        v0 = v1;
    }
    return inside;
}

}  // namespace nerim
