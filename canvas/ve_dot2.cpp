#include "canvas/ve_dot2.h"

#include <algorithm>

#include <QRect>

#include "canvas/canvax_viewport.h"

namespace nerim {

void TVEDot2::SetCenter(const TPoint2D& P) {
    // A centre this far off is off every screen; keeping it there keeps the box's arithmetic
    // within range.
    constexpr int kFar = 1 << 24;
    const int cx = std::clamp(RoundToInt(P.X), -kFar, kFar);
    const int cy = std::clamp(RoundToInt(P.Y), -kFar, kFar);
    if (left_ + radius_ == cx && top_ + radius_ == cy) return;
    EraseAll();
    left_ = cx - radius_;
    top_ = cy - radius_;
    right_ = left_ + 2 * radius_;
    bottom_ = cy + radius_;
    DrawAll();
}

void TVEDot2::SetRadius(std::int32_t R) {
    if (R == radius_) return;
    EraseAll();
    const std::int32_t d = radius_ - R;
    left_ += d;
    top_ += d;
    right_ -= d;
    bottom_ -= d;
    radius_ = R;
    // The pixels saved until now belong to the old box.
    save_ = QImage();
    DrawAll();
}

void TVEDot2::SetRound(bool Value) {
    if (Value == round_) return;
    EraseAll();
    round_ = Value;
    DrawAll();
}

void TVEDot2::SetCaption(const std::string& Value) {
    if (Value == caption_) return;
    EraseAll();
    caption_ = Value;
    DrawAll();
}

void TVEDot2::Draw(bool Showing) {
    if (!Visible() || !View()) return;
    TViewCanvas& canvas = View()->ScreenCanvas();
    if (!Showing) {
        if (!save_.isNull()) canvas.DrawImage(left_ - 1, top_ - 1, save_);
        return;
    }
    // The wide pen reaches one pixel beyond the box on every side.
    save_ = View()->BufferImage().copy(QRect(left_ - 1, top_ - 1, right_ - left_ + 2, bottom_ - top_ + 2));
    canvas.Pen = {clAqua, 2, psSolid, pmCopy};
    canvas.Brush = {clBlue, bsSolid};
    if (round_) canvas.Ellipse(left_, top_, right_, bottom_);
    else canvas.Rectangle(left_, top_, right_, bottom_);
    if (!caption_.empty()) {
        const int x = left_ + (right_ - left_ - canvas.TextWidth(caption_)) / 2;
        canvas.TextRect(QRect(left_, top_, right_ - left_, bottom_ - top_), x, top_, caption_);
    }
}

}  // namespace nerim
