#include "canvas/ve_line.h"

#include "canvas/canvax_viewport.h"

namespace nerim {

void TVELine::SetX1(std::int32_t Value) {
    EraseAll();
    x1_ = Value;
    DrawAll();
}

void TVELine::SetY1(std::int32_t Value) {
    EraseAll();
    y1_ = Value;
    DrawAll();
}

void TVELine::SetX2(std::int32_t Value) {
    EraseAll();
    x2_ = Value;
    DrawAll();
}

void TVELine::SetY2(std::int32_t Value) {
    EraseAll();
    y2_ = Value;
    DrawAll();
}

void TVELine::Draw(bool) {
    if (!Visible() || !View()) return;
    TViewCanvas& canvas = View()->ScreenCanvas();
    canvas.Pen = {Color(), 2, psDash, pmXor};
    canvas.MoveTo(x1_, y1_);
    canvas.LineTo(x2_, y2_);
}

}  // namespace nerim
