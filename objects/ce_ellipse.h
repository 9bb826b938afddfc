#pragma once

#include "canvas/colors.h"
#include "canvas/geometry/geometry_types.h"
#include "objects/ce_nerim_object.h"

namespace nerim {

// An axis-aligned ellipse in the domain, given by its centre and two semi-axes, drawn on every
// view as a closed polygon of 128 sides in a fixed semi-transparent green. It answers the
// containment test of the domain objects; it has no mouse editing, no region and no text form.
class TCEEllipse : public TCENerimObject {
public:
    // Centre (0, 0), both semi-axes 0, colour yellow.
    explicit TCEEllipse(TCanvax& Canvax);
    TCEEllipse(TCanvax& Canvax, const TPoint2D& Center, double RadiusX, double RadiusY);

    // A new ellipse with the given centre and semi-axes, added to the children of Parent (a
    // container element of the same document).
    static ElementHandle<TCEEllipse> CreateAt(TCanvax& Canvax, TCanvaxElement& Parent, const TPoint2D& Center,
                                              double RadiusX, double RadiusY);

    // Kept for the object's owner; the drawing does not use it.
    TColor Color() const { return color_; }
    void SetColor(TColor C);
    const TPoint2D& Center() const { return center_; }
    double RadiusX() const { return radiusX_; }
    double RadiusY() const { return radiusY_; }

    void Paint(TCanvaxViewport& View) override;
    // The box of the ellipse grown by 4 world units, united with the previous answer of any
    // ellipse (so that a repaint covers the old and the new extent).
    TRect2D GetBounds(const TCanvaxViewport& View) override;

    // An ellipse has no text form of its own: both raise EAbstractError.
    void WriteText(TextWriter& F) override;
    void ReadText(TextReader& F) override;
    // Strictly inside: points on the ellipse are outside. A zero semi-axis raises
    // EFloatingPointError (the test divides by both).
    bool ContainsPoint(const TPoint2D& P) const override;
    // The first point of the ellipse met walking from S.P1 towards S.P2. False when S has no
    // length or does not reach the ellipse; a zero semi-axis raises EFloatingPointError.
    bool FirstCrossing(const TSegment2D& S, TPoint2D& Q) const override;

protected:
    ~TCEEllipse() override = default;

private:
    void RequireRadii() const;

    TColor color_ = RGBColor(255, 255, 0);
    double radiusY_ = 0;
    double radiusX_ = 0;
    TPoint2D center_;
};

}  // namespace nerim
