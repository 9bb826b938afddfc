// Painting: the invalid area, the buffer, the screen image and the overlay passes.
#include "canvas/canvax_viewport.h"

#include <QPainter>

#include "canvas/canvax.h"
#include "canvas/geometry/geometry_funcs.h"
#include "canvas/virtuals_list.h"

namespace nerim {

void TCanvaxViewport::InvalidateWorldRect(const TRect2D& R) {
    TRect2D r = R;
    NormalizeRect(r);
    if (pendingInvalid_.X2 - pendingInvalid_.X1 == 0 && pendingInvalid_.Y2 - pendingInvalid_.Y1 == 0)
        pendingInvalid_ = r;
    else {
        TRect2D pending = pendingInvalid_;
        NormalizeRect(pending);
        pendingInvalid_ = RectUnion(pending, r);
    }
}

void TCanvaxViewport::PaintInvalid() {
    TCanvax* cvx = canvax_;
    if (!cvx || !cvx->Active()) return;
    EraseVirtuals();
    try {
        const TRect2D p = pendingInvalid_;
        if (p.X1 != 0 || p.Y1 != 0 || p.X2 != 0 || p.Y2 != 0) {
            const TPoint2D c1 = WorldToScreen({p.X1, p.Y1});
            const TPoint2D c2 = WorldToScreen({p.X2, p.Y2});
            const TPoint2D c3 = WorldToScreen({p.X1, p.Y2});
            const TPoint2D c4 = WorldToScreen({p.X2, p.Y1});
            const double left = Max2(0, Min4(c1.X, c2.X, c3.X, c4.X));
            const double top = Max2(0, Min4(c1.Y, c2.Y, c3.Y, c4.Y));
            const double right = Min2(ClientSize().width(), Max4(c1.X, c2.X, c3.X, c4.X));
            const double bottom = Min2(ClientSize().height(), Max4(c1.Y, c2.Y, c3.Y, c4.Y));
            const int L = RoundToInt(left) - 1, T = RoundToInt(top) - 1;
            const int R = RoundToInt(right) + 1, B = RoundToInt(bottom) + 1;
            // Elements touching the grown box are drawn too.
            const TPoint2D w1 = ScreenToWorld({double(L), double(T)});
            const TPoint2D w2 = ScreenToWorld({double(R), double(B)});
            InvalidateWorldRect({w1.X, w1.Y, w2.X, w2.Y});
            if (TViewCanvas* canvas = GetCanvas()) {
                canvas->Pen.Style = psClear;
                canvas->Pen.Mode = pmCopy;
                canvas->Brush.Style = bsSolid;
                canvas->Brush.Color = cvx->BackgrdColor();
                canvas->Rectangle(L, T, R, B);
            }
            RaiseLocked(cvx, BeforePaint);
            cvx->Elements().PaintList(*this);
            RaiseLocked(cvx, AfterPaint);
            pendingInvalid_ = {0, 0, 0, 0};
        }
    } catch (...) {
        PresentBuffer();
        throw;
    }
    PresentBuffer();
}

void TCanvaxViewport::InvalidateBuffer() {
    bufferValid_ = false;
    screenValid_ = false;
    ScheduleUpdate();
}

void TCanvaxViewport::PaintBuffer() {
    if (!canvax_) return;
    const QRect clip = GetCanvas() ? GetCanvas()->ClipRect() : QRect(QPoint(0, 0), ClientSize());
    const double l = clip.left() - 1, t = clip.top() - 1;
    const double r = clip.left() + clip.width() + 1, b = clip.top() + clip.height() + 1;
    const TPoint2D a = ScreenToWorld({l, t}), c = ScreenToWorld({r, b});
    const TPoint2D d = ScreenToWorld({l, b}), e = ScreenToWorld({r, t});
    InvalidateWorldRect({Min4(a.X, c.X, d.X, e.X), Min4(a.Y, c.Y, d.Y, e.Y), Max4(a.X, c.X, d.X, e.X),
                         Max4(a.Y, c.Y, d.Y, e.Y)});
    // Valid even when painting fails, so that a failing element is not painted over and over
    // again; what was not painted stays pending.
    bufferValid_ = true;
    PaintInvalid();
}

void TCanvaxViewport::UpdateScreen() {
    if (!bufferValid_) PaintBuffer();
    if (!screenValid_) PresentBuffer();
}

void TCanvaxViewport::PresentBuffer() {
    if (destroying_) return;
    if (screen_.size() != ClientSize()) screen_ = BlankImage(ClientSize());
    if (buffer_.size() == screen_.size()) {
        screen_ = buffer_;
    } else if (!screen_.isNull()) {
        screen_.fill(Qt::black);
        QPainter painter(&screen_);
        painter.drawImage(QPoint(0, 0), buffer_);
    }
    screenValid_ = true;
    DrawVirtuals();
    ScheduleUpdate();
}

void TCanvaxViewport::RefreshOverlays() {
    if (destroying_) return;
    if (screenValid_) PresentBuffer();
    else ScheduleUpdate();
}

void TCanvaxViewport::EraseVirtuals() {
    if (destroying_ || !virtuals_) return;
    virtuals_->ErasePass();
    ScheduleUpdate();
}

void TCanvaxViewport::DrawVirtuals() {
    if (destroying_ || !virtuals_) return;
    virtuals_->DrawPass();
    ScheduleUpdate();
}

}  // namespace nerim
