#include "canvas/geometry/geometry_funcs.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace nerim {

TPoint2D MakePoint(double x, double y) { return {x, y}; }
TVector2D MakeVector(double x, double y) { return {x, y}; }
TVector2D PolarVector(double length, double angle) { return {length * std::cos(angle), length * std::sin(angle)}; }
TRect2D MakeRect(double x1, double y1, double x2, double y2) { return {x1, y1, x2, y2}; }
TSegment2D MakeSegment(const TPoint2D& p1, const TPoint2D& p2) { return {p1, p2}; }
TParal2D MakeParal(const TPoint2D& origin, const TVector2D& u, const TVector2D& v) { return {origin, u, v}; }

double Max2(double a, double b) { return a > b ? a : b; }
double Min2(double a, double b) { return a < b ? a : b; }
double Max4(double a, double b, double c, double d) { return Max2(Max2(a, b), Max2(c, d)); }
double Min4(double a, double b, double c, double d) { return Min2(Min2(a, b), Min2(c, d)); }

TVector2D VectorAdd(const TVector2D& a, const TVector2D& b) { return {a.X + b.X, a.Y + b.Y}; }
TVector2D VectorSub(const TVector2D& a, const TVector2D& b) { return {a.X - b.X, a.Y - b.Y}; }
TVector2D VectorScale(const TVector2D& a, double k) { return {a.X * k, a.Y * k}; }
double VectorLength(const TVector2D& a) { return std::sqrt(a.X * a.X + a.Y * a.Y); }
double PointDistance(const TPoint2D& p, const TPoint2D& q) { return VectorLength(VectorSub(p, q)); }
double DotProduct(const TVector2D& a, const TVector2D& b) { return a.X * b.X + a.Y * b.Y; }
bool IsZeroVector(const TVector2D& a) { return a.X == 0.0 && a.Y == 0.0; }

TVector2D UnitVector(const TVector2D& a) {
    if (IsZeroVector(a)) return a;
    return VectorScale(a, 1.0 / VectorLength(a));
}

TVector2D UnitNormal(const TVector2D& a) {
    if (IsZeroVector(a)) return a;
    return VectorScale(TVector2D{-a.Y, a.X}, 1.0 / VectorLength(a));
}

TVector2D RightPerpendicular(const TVector2D& a) { return {a.Y, -a.X}; }

double VectorAngle(const TVector2D& a) {
    if (a.X != 0.0) {
        const TVector2D u = UnitVector(a);
        return std::atan2(u.Y, u.X);
    }
    return a.Y >= 0.0 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
}

bool SameValue(double a, double b) { return std::abs(b - a) < GeometryEpsilon; }
bool SamePoint(const TPoint2D& p, const TPoint2D& q) { return SameValue(p.X, q.X) && SameValue(p.Y, q.Y); }
bool SameParal(const TParal2D& p, const TParal2D& q) {
    return SamePoint(p.Origin, q.Origin) && SamePoint(p.U, q.U) && SamePoint(p.V, q.V);
}

bool VectorsParallel(const TVector2D& a, const TVector2D& b) {
    // The sum, not the difference: scaling by it makes the test relative to the products' size.
    const double p = a.X * b.Y;
    const double q = b.X * a.Y;
    const double s = p + q;
    const double k = s == 0.0 ? 1.0 : 1.0 / s;
    return SameValue(p * k, q * k);
}

bool IsStraightRect(const TRect2D& r) { return r.X1 <= r.X2 && r.Y1 <= r.Y2; }

void NormalizeRect(TRect2D& r) {
    if (r.X1 > r.X2) std::swap(r.X1, r.X2);
    if (r.Y1 > r.Y2) std::swap(r.Y1, r.Y2);
}

namespace {
void RequireStraight(const TRect2D& r) {
    if (!IsStraightRect(r)) throw EBadRectangle();
}
}  // namespace

bool PointInRect(const TPoint2D& p, const TRect2D& r) {
    RequireStraight(r);
    return r.X1 <= p.X && p.X <= r.X2 && r.Y1 <= p.Y && p.Y <= r.Y2;
}

bool RectInRect(const TRect2D& outer, const TRect2D& inner) {
    RequireStraight(outer);
    RequireStraight(inner);
    return inner.X1 >= outer.X1 && inner.Y1 >= outer.Y1 && inner.X2 <= outer.X2 && inner.Y2 <= outer.Y2;
}

bool RectsIntersect(const TRect2D& r, const TRect2D& s) {
    RequireStraight(r);
    RequireStraight(s);
    return !(r.Y1 > s.Y2 || s.Y1 > r.Y2 || r.X1 > s.X2 || s.X1 > r.X2);
}

TRect2D RectUnion(const TRect2D& r, const TRect2D& s) {
    RequireStraight(r);
    RequireStraight(s);
    return {Min2(r.X1, s.X1), Min2(r.Y1, s.Y1), Max2(r.X2, s.X2), Max2(r.Y2, s.Y2)};
}

TRect2D InflateRect(const TRect2D& r, double d) {
    TRect2D out;
    if (r.X1 > r.X2) {
        out.X1 = r.X1 + d;
        out.X2 = r.X2 - d;
    } else {
        out.X1 = r.X1 - d;
        out.X2 = r.X2 + d;
    }
    if (r.Y1 > r.Y2) {
        out.Y1 = r.Y1 + d;
        out.Y2 = r.Y2 - d;
    } else {
        out.Y1 = r.Y1 - d;
        out.Y2 = r.Y2 + d;
    }
    return out;
}

TParalTransform TransformFromParal(const TParal2D& p) {
    const TPoint2D& o = p.Origin;
    const TVector2D& u = p.U;
    const TVector2D& v = p.V;
    TParalTransform t;
    t.G = u.X;
    t.H = v.X;
    t.I = u.Y;
    t.J = v.Y;
    t.K = o.X;
    t.L = o.Y;
    const double det = u.X * v.Y - u.Y * v.X;
    if (det == 0.0) throw EFloatingPointError("División por cero: el paralelogramo es degenerado");
    t.A = v.Y / det;
    t.B = -v.X / det;
    t.C = -u.Y / det;
    t.D = u.X / det;
    t.E = -(t.A * o.X + t.B * o.Y);
    t.F = -(t.C * o.X + t.D * o.Y);
    return t;
}

TVector2D ToLocalVector(const TParalTransform& t, const TVector2D& a) {
    return {t.A * a.X + t.B * a.Y, t.C * a.X + t.D * a.Y};
}

TVector2D ToWorldVector(const TParalTransform& t, const TVector2D& a) {
    return {t.G * a.X + t.H * a.Y, t.I * a.X + t.J * a.Y};
}

TPoint2D ToLocalPoint(const TParalTransform& t, const TPoint2D& p) {
    return {t.A * p.X + t.B * p.Y + t.E, t.C * p.X + t.D * p.Y + t.F};
}

TPoint2D ToWorldPoint(const TParalTransform& t, const TPoint2D& p) {
    return {t.G * p.X + t.H * p.Y + t.K, t.I * p.X + t.J * p.Y + t.L};
}

TParal2D ParalToLocal(const TParalTransform& t, const TParal2D& p) {
    return {ToLocalPoint(t, p.Origin), ToLocalVector(t, p.U), ToLocalVector(t, p.V)};
}

TParal2D ParalToWorld(const TParalTransform& t, const TParal2D& p) {
    return {ToWorldPoint(t, p.Origin), ToWorldVector(t, p.U), ToWorldVector(t, p.V)};
}

}  // namespace nerim
