#pragma once

#include "canvas/geometry/geometry_epsilon.h"
#include "canvas/geometry/geometry_types.h"

namespace nerim {

// Constructors and small helpers.
TPoint2D MakePoint(double x, double y);
TVector2D MakeVector(double x, double y);
TVector2D PolarVector(double length, double angle);
TRect2D MakeRect(double x1, double y1, double x2, double y2);
TSegment2D MakeSegment(const TPoint2D& p1, const TPoint2D& p2);
TParal2D MakeParal(const TPoint2D& origin, const TVector2D& u, const TVector2D& v);
double Max2(double a, double b);
double Min2(double a, double b);
double Max4(double a, double b, double c, double d);
double Min4(double a, double b, double c, double d);

// Vector arithmetic.
TVector2D VectorAdd(const TVector2D& a, const TVector2D& b);
TVector2D VectorSub(const TVector2D& a, const TVector2D& b);
TVector2D VectorScale(const TVector2D& a, double k);
double VectorLength(const TVector2D& a);
double PointDistance(const TPoint2D& p, const TPoint2D& q);
double DotProduct(const TVector2D& a, const TVector2D& b);
bool IsZeroVector(const TVector2D& a);             // exact comparison
TVector2D UnitVector(const TVector2D& a);          // the zero vector stays zero
TVector2D UnitNormal(const TVector2D& a);          // turned +90°, unit length; zero stays zero
TVector2D RightPerpendicular(const TVector2D& a);  // turned −90°, not normalised
double VectorAngle(const TVector2D& a);            // radians; the zero vector has +π/2

inline TVector2D operator+(const TVector2D& a, const TVector2D& b) { return VectorAdd(a, b); }
inline TVector2D operator-(const TVector2D& a, const TVector2D& b) { return VectorSub(a, b); }
inline TVector2D operator*(const TVector2D& a, double k) { return VectorScale(a, k); }

// Comparisons within GeometryEpsilon.
bool SameValue(double a, double b);
bool SamePoint(const TPoint2D& p, const TPoint2D& q);
bool SameParal(const TParal2D& p, const TParal2D& q);
bool VectorsParallel(const TVector2D& a, const TVector2D& b);

// Rectangles. The tests that need straight rectangles throw EBadRectangle otherwise.
bool IsStraightRect(const TRect2D& r);
void NormalizeRect(TRect2D& r);
bool PointInRect(const TPoint2D& p, const TRect2D& r);
bool RectInRect(const TRect2D& outer, const TRect2D& inner);
bool RectsIntersect(const TRect2D& r, const TRect2D& s);
TRect2D RectUnion(const TRect2D& r, const TRect2D& s);
TRect2D InflateRect(const TRect2D& r, double d);  // keeps the orientation of r

// Transformations between a parallelogram's own coordinates and the world.
// TransformFromParal throws EFloatingPointError for a degenerate parallelogram.
TParalTransform TransformFromParal(const TParal2D& p);
TVector2D ToLocalVector(const TParalTransform& t, const TVector2D& a);
TVector2D ToWorldVector(const TParalTransform& t, const TVector2D& a);
TPoint2D ToLocalPoint(const TParalTransform& t, const TPoint2D& p);
TPoint2D ToWorldPoint(const TParalTransform& t, const TPoint2D& p);
TParal2D ParalToLocal(const TParalTransform& t, const TParal2D& p);
TParal2D ParalToWorld(const TParalTransform& t, const TParal2D& p);

}  // namespace nerim
