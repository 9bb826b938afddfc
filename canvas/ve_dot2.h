#pragma once

#include <cstdint>
#include <string>

#include <QImage>

#include "canvas/geometry/geometry_types.h"
#include "canvas/virtual_element.h"

namespace nerim {

// A marker dot over a pixel box: an aqua-edged blue ellipse (Round) or rectangle, with an
// optional caption centred in it. It is drawn in copy mode after saving the clean pixels under it
// from the view's buffer, and removed by putting those pixels back.
class TVEDot2 : public TVirtualElement {
public:
    explicit TVEDot2(TCanvaxViewport* View = nullptr, TColor Color = clBlack) : TVirtualElement(View, Color) {}

    // The box, in pixels: Left + Radius and Top + Radius are its centre.
    std::int32_t Left() const { return left_; }
    std::int32_t Top() const { return top_; }
    std::int32_t Right() const { return right_; }
    std::int32_t Bottom() const { return bottom_; }
    std::int32_t Radius() const { return radius_; }
    bool Round() const { return round_; }
    const std::string& Caption() const { return caption_; }

    // Centres the box on P (rounded to whole pixels); nothing happens when it is centred there.
    void SetCenter(const TPoint2D& P);
    // Grows or shrinks the box about its centre; nothing happens when R is the radius already.
    void SetRadius(std::int32_t R);
    void SetRound(bool Value);
    void SetCaption(const std::string& Value);

    void Draw(bool Showing) override;

private:
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t right_ = 0;
    std::int32_t bottom_ = 0;
    std::int32_t radius_ = 0;
    bool round_ = false;
    std::string caption_;
    // The buffer's pixels under the box grown by one pixel on each side.
    QImage save_;
};

}  // namespace nerim
