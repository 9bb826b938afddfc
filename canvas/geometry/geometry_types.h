#pragma once

#include "support/exception.h"

namespace nerim {

// Plane geometry values in world coordinates (model units, x to the right, y down the screen).

struct TPoint2D {
    double X = 0.0;
    double Y = 0.0;
    friend bool operator==(const TPoint2D&, const TPoint2D&) = default;
};

// A displacement. It has the layout of a point and is used interchangeably with it:
// a point minus a point is a vector, a point plus a vector is a point.
using TVector2D = TPoint2D;

// An axis-aligned rectangle given by two opposite corners. It is "straight" when X1 <= X2 and
// Y1 <= Y2; (X1, Y1) is then its minimum corner.
struct TRect2D {
    double X1 = 0.0;
    double Y1 = 0.0;
    double X2 = 0.0;
    double Y2 = 0.0;
    friend bool operator==(const TRect2D&, const TRect2D&) = default;
};

// Two points; read as a rectangle it is the box with corners P1 and P2, not normalised.
struct TSegment2D {
    TPoint2D P1;
    TPoint2D P2;
    TRect2D AsRect() const { return {P1.X, P1.Y, P2.X, P2.Y}; }
    friend bool operator==(const TSegment2D&, const TSegment2D&) = default;
};

// The parallelogram with corners Origin, Origin+U, Origin+U+V and Origin+V.
struct TParal2D {
    TPoint2D Origin;
    TVector2D U;
    TVector2D V;
    friend bool operator==(const TParal2D&, const TParal2D&) = default;
};

// An affine map and its inverse. To local: u = A·x + B·y + E, v = C·x + D·y + F.
// To world: x = G·u + H·v + K, y = I·u + J·v + L.
struct TParalTransform {
    double A = 0, B = 0, C = 0, D = 0, E = 0, F = 0;
    double G = 0, H = 0, I = 0, J = 0, K = 0, L = 0;
};

// A rectangle argument that must be straight is not.
class EBadRectangle : public Exception {
public:
    EBadRectangle() : Exception("El rectángulo no está \"derecho\".") {}
};

}  // namespace nerim
