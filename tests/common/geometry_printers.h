#pragma once

// Readable test failure messages for the geometry values.
#include <ostream>

#include "canvas/geometry/geometry_types.h"

namespace nerim {

inline void PrintTo(const TPoint2D& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }
inline void PrintTo(const TRect2D& r, std::ostream* os) {
    *os << "(" << r.X1 << ", " << r.Y1 << ", " << r.X2 << ", " << r.Y2 << ")";
}
inline void PrintTo(const TParal2D& p, std::ostream* os) {
    *os << "{O";
    PrintTo(p.Origin, os);
    *os << " U";
    PrintTo(p.U, os);
    *os << " V";
    PrintTo(p.V, os);
    *os << "}";
}

}  // namespace nerim
