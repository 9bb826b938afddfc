#pragma once

#include "canvas/geometry/geometry_types.h"
#include "canvas/virtual_element.h"

namespace nerim {

// A parallelogram outline in pixels (Origin, Origin + U, Origin + U + V, Origin + V), three
// pixels wide, drawn with XOR. With U zero only the side from Origin to Origin + V is drawn; with
// V zero only the side along U.
class TVEParal : public TVirtualElement {
public:
    explicit TVEParal(TCanvaxViewport* View = nullptr, TColor Color = clBlack) : TVirtualElement(View, Color) {}

    const TPoint2D& Origin() const { return origin_; }
    const TVector2D& U() const { return u_; }
    const TVector2D& V() const { return v_; }
    void SetOrigin(const TPoint2D& Value);
    void SetU(const TVector2D& Value);
    void SetV(const TVector2D& Value);

    // XOR: showing and removing are the same drawing, so Showing is not looked at.
    void Draw(bool Showing) override;

private:
    TPoint2D origin_;
    TVector2D u_;
    TVector2D v_;
};

}  // namespace nerim
