#include "objects/ce_ellipse.h"

#include <cmath>
#include <numbers>

#include "canvas/canvax_viewport.h"
#include "canvas/geometry/geometry_funcs.h"
#include "support/exception.h"

namespace nerim {

namespace {

// The previous answer of GetBounds, shared by every ellipse.
TRect2D PreviousBounds{0, 0, 0, 0};

constexpr int kSides = 128;
constexpr TColor32 kFillColor = Color32(0, 127, 0, 200);

}  // namespace

TCEEllipse::TCEEllipse(TCanvax& Canvax) : TCENerimObject(Canvax) {}

TCEEllipse::TCEEllipse(TCanvax& Canvax, const TPoint2D& Center, double RadiusX, double RadiusY)
    : TCENerimObject(Canvax), radiusY_(RadiusY), radiusX_(RadiusX), center_(Center) {}

ElementHandle<TCEEllipse> TCEEllipse::CreateAt(TCanvax& Canvax, TCanvaxElement& Parent, const TPoint2D& Center,
                                               double RadiusX, double RadiusY) {
    ElementHandle<TCEEllipse> ellipse = MakeElement<TCEEllipse>(Canvax, Center, RadiusX, RadiusY);
    Parent.AddChild(*ellipse);
    return ellipse;
}

void TCEEllipse::SetColor(TColor C) {
    if (C == color_) return;
    color_ = C;
    Redraw();
}

void TCEEllipse::Paint(TCanvaxViewport& View) {
    TCENerimObject::Paint(View);
    TViewCanvas* canvas = View.GetCanvas();
    if (!canvas) return;
    canvas->SmoothColor = kFillColor;
    const auto screen = [&](double x, double y) {
        const TPoint2D s = View.WorldToScreen({x, y});
        return TPoint2D{double(RoundToInt(s.X)), double(RoundToInt(s.Y))};
    };
    const TPoint2D start = screen(center_.X + radiusX_, center_.Y);
    canvas->SmoothMoveTo(start.X, start.Y);
    for (int i = 1; i <= kSides; ++i) {
        const double a = i * 2 * std::numbers::pi / kSides;
        const TPoint2D s = screen(center_.X + radiusX_ * std::cos(a), center_.Y + radiusY_ * std::sin(a));
        canvas->SmoothLineTo(s.X, s.Y);
    }
}

TRect2D TCEEllipse::GetBounds(const TCanvaxViewport&) {
    TRect2D box{center_.X - radiusX_, center_.Y - radiusY_, center_.X + radiusX_, center_.Y + radiusY_};
    // Negative semi-axes describe the same ellipse.
    NormalizeRect(box);
    const TRect2D grown = InflateRect(box, 4);
    const TRect2D bounds = RectUnion(grown, PreviousBounds);
    PreviousBounds = grown;
    return bounds;
}

void TCEEllipse::WriteText(TextWriter&) { throw EAbstractError("TCEEllipse.WriteText"); }

void TCEEllipse::ReadText(TextReader&) { throw EAbstractError("TCEEllipse.ReadText"); }

void TCEEllipse::RequireRadii() const {
    if (radiusX_ == 0 || radiusY_ == 0)
        throw EFloatingPointError("División por cero: la elipse tiene un semieje nulo");
}

bool TCEEllipse::ContainsPoint(const TPoint2D& P) const {
    RequireRadii();
    TVector2D d = P - center_;
    d.X = d.X / radiusX_;
    d.Y = d.Y / radiusY_;
    return VectorLength(d) < 1;
}

bool TCEEllipse::FirstCrossing(const TSegment2D& S, TPoint2D& Q) const {
    RequireRadii();
    const TVector2D d = S.P2 - S.P1;
    if (IsZeroVector(d)) return false;
    // The walk A + t·(B − A), 0 <= t <= 1, scaled so that the ellipse becomes the unit circle:
    // |p + t·q|² = 1.
    const TVector2D p{(S.P1.X - center_.X) / radiusX_, (S.P1.Y - center_.Y) / radiusY_};
    const TVector2D q{d.X / radiusX_, d.Y / radiusY_};
    const double a = DotProduct(q, q);
    const double b = 2 * DotProduct(p, q);
    const double c = DotProduct(p, p) - 1;
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0) return false;
    const double root = std::sqrt(discriminant);
    for (const double t : {(-b - root) / (2 * a), (-b + root) / (2 * a)}) {
        if (t >= 0 && t <= 1) {
            Q = S.P1 + d * t;
            return true;
        }
    }
    return false;
}

}  // namespace nerim
