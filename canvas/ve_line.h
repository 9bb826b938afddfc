#pragma once

#include <cstdint>

#include "canvas/virtual_element.h"

namespace nerim {

// A rubber-band line in pixels: dashed, two pixels wide, drawn with XOR so that drawing it again
// removes it.
class TVELine : public TVirtualElement {
public:
    explicit TVELine(TCanvaxViewport* View = nullptr, TColor Color = clBlack) : TVirtualElement(View, Color) {}

    std::int32_t X1() const { return x1_; }
    std::int32_t Y1() const { return y1_; }
    std::int32_t X2() const { return x2_; }
    std::int32_t Y2() const { return y2_; }
    void SetX1(std::int32_t Value);
    void SetY1(std::int32_t Value);
    void SetX2(std::int32_t Value);
    void SetY2(std::int32_t Value);

    // XOR: showing and removing are the same drawing, so Showing is not looked at.
    void Draw(bool Showing) override;

private:
    std::int32_t x1_ = 0;
    std::int32_t y1_ = 0;
    std::int32_t x2_ = 0;
    std::int32_t y2_ = 0;
};

}  // namespace nerim
