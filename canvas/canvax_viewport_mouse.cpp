// Mouse routing: the pixel-level mouse calls, raised as the viewport's events and passed to the
// document's inserting or selected element in world coordinates.
#include "canvas/canvax_viewport.h"

#include "canvas/canvax.h"

namespace nerim {

void TCanvaxViewport::Route(TElementMouseAction Action, const TPoint2D& P, TMouseButton Button, TShiftState Shift) {
    TCanvax* cvx = canvax_;
    if (!cvx) return;
    if (TCanvaxElement* inserting = cvx->InsertingElement())
        inserting->MouseInserting(*this, Action, P, Button, Shift);
    else if (TCanvaxElement* selected = cvx->SelectedElement(); selected && selected->IsShowing())
        selected->MouseSelected(*this, Action, P, Button, Shift);
}

void TCanvaxViewport::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!canvax_) return;
    if (Button == mbLeft) {
        if (skipNextPress_) {
            skipNextPress_ = false;
            return;
        }
        lastPress_ = QPoint(X, Y);
        lastPressShift_ = Shift;
    }
    RunLocked([&] {
        if (OnMouseDown) {
            const TViewMouseEvent handler = OnMouseDown;
            handler(*this, Button, Shift, X, Y);
        }
        if (mouseActive_) Route(emaDown, ScreenToWorld({double(X), double(Y)}), Button, Shift);
    });
}

void TCanvaxViewport::MouseMove(TShiftState Shift, int X, int Y) {
    if (!canvax_) return;
    RunLocked([&] {
        if (OnMouseMove) {
            const TViewMouseMoveEvent handler = OnMouseMove;
            handler(*this, Shift, X, Y);
        }
        if (mouseActive_ && X >= 0 && X <= ClientSize().width() && Y >= 0 && Y <= ClientSize().height())
            Route(emaMove, ScreenToWorld({double(X), double(Y)}), mbLeft, Shift);
    });
}

void TCanvaxViewport::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!canvax_) return;
    RunLocked([&] {
        if (OnMouseUp) {
            const TViewMouseEvent handler = OnMouseUp;
            handler(*this, Button, Shift, X, Y);
        }
        if (mouseActive_) Route(emaUp, ScreenToWorld({double(X), double(Y)}), Button, Shift);
    });
}

void TCanvaxViewport::DblClick() {
    if (!canvax_) return;
    RunLocked([&] {
        if (OnDblClick) {
            const TViewNotify handler = OnDblClick;
            handler(*this);
        }
        // The press the window system sends right after a double click is swallowed.
        skipNextPress_ = true;
        if (mouseActive_)
            Route(emaDblClick, ScreenToWorld({double(lastPress_.x()), double(lastPress_.y())}), mbLeft,
                  lastPressShift_);
    });
}

}  // namespace nerim
