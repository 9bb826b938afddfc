#include "canvas/canvax_viewport.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "canvas/canvax.h"
#include "canvas/geometry/geometry_funcs.h"
#include "canvas/ue_zoom.h"
#include "canvas/virtuals_list.h"

namespace nerim {

namespace {

bool Finite(const TPoint2D& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

}  // namespace

QImage TCanvaxViewport::BlankImage(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    if (!image.isNull()) image.fill(Qt::black);
    return image;
}

TCanvaxViewport::TCanvaxViewport(QSize Size) : clientSize_(Size) {
    buffer_ = BlankImage(Size);
    screen_ = BlankImage(Size);
    bufferCanvas_ = std::make_unique<TViewCanvas>(buffer_);
    screenCanvas_ = std::make_unique<TViewCanvas>(screen_);
    virtuals_ = std::make_unique<TVirtualsList>(this);
    transform_ = TransformFromParal(frame_);
    pixelDiagonal_ = VectorLength(frame_.U + frame_.V);
    visibleArea_ = {0, 0, double(Size.width()), double(Size.height())};
}

TCanvaxViewport::~TCanvaxViewport() {
    life_.reset();
    destroying_ = true;
    bufferCanvas_.reset();
    try {
        virtuals_->DetachAll();
    } catch (...) {
        // Overlays that fail to leave are dropped.
    }
    virtuals_.reset();
    if (canvax_) canvax_->DetachView(this);
}

void TCanvaxViewport::SetClientSize(int Width, int Height) {
    clientSize_ = QSize(Width, Height);
    Resized();
}

void TCanvaxViewport::RequireCanvax() const {
    if (!canvax_) throw EViewWithoutCanvax();
}

void TCanvaxViewport::SetCanvax(TCanvax* Canvax) {
    if (Canvax == canvax_) return;
    if (canvax_) canvax_->DetachView(this);
    canvax_ = Canvax;
    if (!canvax_) return;
    canvax_->AttachView(this);
    EnsureBuffer();
    ApplyReferences(frame_.Origin, frame_.U, frame_.V);
    SetCursorId(canvax_->DefaultCursor());
}

void TCanvaxViewport::EnsureBuffer() {
    // A view resized while detached kept its old buffer and has no buffer canvas.
    if (buffer_.size() != ClientSize()) {
        buffer_ = BlankImage(ClientSize());
        bufferValid_ = false;
        screenValid_ = false;
    }
    if (!bufferCanvas_) bufferCanvas_ = std::make_unique<TViewCanvas>(buffer_);
}

void TCanvaxViewport::SetVirtualsColor(TColor Color) {
    if (Color == virtualsColor_) return;
    virtualsColor_ = Color;
    InvalidateBuffer();
}

void TCanvaxViewport::SetCursorId(TCursorId Id) {
    cursorId_ = Id;
    ApplyCursor(Id);
}

void TCanvaxViewport::RaiseLocked(TCanvax* cvx, const TViewNotify& Handler) {
    if (!Handler) return;
    const TViewNotify handler = Handler;
    if (!cvx) {
        handler(*this);
        return;
    }
    cvx->Lock();
    try {
        handler(*this);
    } catch (...) {
        cvx->Unlock();
        throw;
    }
    cvx->Unlock();
}

// Coordinates.

TPoint2D TCanvaxViewport::ScreenToWorld(const TPoint2D& P) const { return ToWorldPoint(transform_, P); }
TPoint2D TCanvaxViewport::WorldToScreen(const TPoint2D& P) const { return ToLocalPoint(transform_, P); }
TVector2D TCanvaxViewport::ScreenToWorldVector(const TVector2D& V) const { return ToWorldVector(transform_, V); }
TVector2D TCanvaxViewport::WorldToScreenVector(const TVector2D& V) const { return ToLocalVector(transform_, V); }
TParal2D TCanvaxViewport::WorldToScreenParal(const TParal2D& P) const { return ParalToLocal(transform_, P); }
TParal2D TCanvaxViewport::ScreenToWorldParal(const TParal2D& P) const { return ParalToWorld(transform_, P); }

void TCanvaxViewport::UpdateVisibleArea() {
    const double w = ClientSize().width(), h = ClientSize().height();
    const TPoint2D a = ScreenToWorld({-1, -1});
    const TPoint2D b = ScreenToWorld({w + 1, h + 1});
    const TPoint2D c = ScreenToWorld({-1, h + 1});
    const TPoint2D d = ScreenToWorld({w + 1, -1});
    visibleArea_ = {Min4(a.X, b.X, c.X, d.X), Min4(a.Y, b.Y, c.Y, d.Y), Max4(a.X, b.X, c.X, d.X),
                    Max4(a.Y, b.Y, c.Y, d.Y)};
}

void TCanvaxViewport::SetReferences(const TPoint2D& Origin, const TVector2D& RefX, const TVector2D& RefY) {
    RequireCanvax();
    switch (canvax_->AllowedViews()) {
        case avOrthogonal:
            if (!SameValue(0, DotProduct(RefX, RefY)))
                throw EInvalidRef(
                    "Cuando la propiedad \"AllowedViews\" del canvax es \"vaOrthogonal\", los vectores de "
                    "referencia han de ser perpendiculares");
            break;
        case avProportionalToSpace:
            if (!SameValue(RefY.Y, RefX.X) || !SameValue(0, RefX.Y) || !SameValue(0, RefY.X))
                throw EInvalidRef(
                    "Cuando la propiedad \"AllowedViews\" del canvax es \"vaProportionalToSpace\", los vectores de "
                    "referencia han de ser del mismo módulo y paralelos a (1,0) y (0,1)");
            break;
        case avAll:
        default: break;
    }
    ApplyReferences(Origin, RefX, RefY);
}

void TCanvaxViewport::ApplyReferences(const TPoint2D& Origin, const TVector2D& RefX, const TVector2D& RefY) {
    RequireCanvax();
    if (!Finite(Origin) || !Finite(RefX) || !Finite(RefY))
        throw EFloatingPointError("Operación de coma flotante no válida: referencias no finitas");
    if (VectorsParallel(RefX, RefY)) throw EInvalidRef("Los vectores de referencia no pueden ser paralelos.");
    const TParal2D frame{Origin, RefX, RefY};
    const TParalTransform transform = TransformFromParal(frame);
    frame_ = frame;
    transform_ = transform;
    pixelDiagonal_ = VectorLength(RefX + RefY);
    UpdateVisibleArea();
    try {
        RaiseLocked(canvax_, OnChangeRef);
    } catch (...) {
        InvalidateBuffer();
        throw;
    }
    InvalidateBuffer();
}

// Zoom.

void TCanvaxViewport::BeginZoom(const TParal2D& Frame) {
    RequireCanvax();
    if (inZoom_) throw Exception("Ha llamado dos veces consecutivas a BeginZoom");
    inZoom_ = true;
    zoomFrame_ = Frame;
    Zoom({0, 0, 1, 1});
}

void TCanvaxViewport::BeginZoom() {
    RequireCanvax();
    const TPoint2D origin = ScreenToWorld({0, 0});
    const TParal2D frame{origin, ScreenToWorld({double(ClientSize().width()), 0}) - origin,
                         ScreenToWorld({0, double(ClientSize().height())}) - origin};
    BeginZoom(frame);
}

void TCanvaxViewport::Zoom(const TRect2D& R) {
    RequireCanvax();
    if (!inZoom_) throw ECanNotZoom("No se puede hacer un zoom sin llamar previamente a BeginZoom");
    if (SameValue(R.X2, R.X1) || SameValue(R.Y2, R.Y1)) throw ECanNotZoom("Error, zoom nulo");
    const bool record = canvax_->UndoFilter().Contains(uaZoom);

    // The rectangle's corner and side vectors in world coordinates; a reversed rectangle gives
    // reversed vectors and so a mirrored view.
    TPoint2D origin = zoomFrame_.Origin + zoomFrame_.U * R.X1 + zoomFrame_.V * R.Y1;
    const TVector2D sideX = zoomFrame_.U * (R.X2 - R.X1);
    const TVector2D sideY = zoomFrame_.V * (R.Y2 - R.Y1);
    const double w = ClientSize().width(), h = ClientSize().height();
    if (w <= 0 || h <= 0) throw EFloatingPointError("División por cero: la vista no tiene superficie");
    const double lengthX = VectorLength(sideX), lengthY = VectorLength(sideY);
    if (lengthX == 0 || lengthY == 0) throw ECanNotZoom("Error, zoom nulo");

    TVector2D refX, refY;
    if (!zoomMustKeepAspect_) {
        refX = sideX * (1 / w);
        refY = sideY * (1 / h);
    } else if (w / h > lengthX / lengthY) {
        // The client area is relatively wider: the height fits, the width is centred.
        const double needed = lengthY * w / h;
        origin = origin + UnitVector(sideX) * ((lengthX - needed) / 2);
        refY = sideY * (1 / h);
        refX = UnitVector(sideX) * VectorLength(refY);
    } else {
        // Relatively taller (or the same): the width fits, the height is centred.
        const double needed = lengthX * h / w;
        origin = origin + UnitVector(sideY) * ((lengthY - needed) / 2);
        refX = sideX * (1 / w);
        refY = UnitVector(sideY) * VectorLength(refX);
    }

    const TParal2D saved = frame_;
    std::unique_ptr<TUEZoom> entry;
    if (record) entry = std::make_unique<TUEZoom>(*this, R);
    try {
        ApplyReferences(origin, refX, refY);
        if (entry) entry->RecordAfter();
        InvalidateBuffer();
        if (entry) canvax_->Undo().Add(std::move(entry));
    } catch (...) {
        // The zoom does not take place; the previous frame comes back and nothing is reported.
        ApplyReferences(saved.Origin, saved.U, saved.V);
        InvalidateBuffer();
    }
}

void TCanvaxViewport::ZoomToScreenRect(const TRect2D& R) {
    RequireCanvax();
    if (!inZoom_) throw ECanNotZoom("No se puede hacer un zoom sin llamar previamente a BeginZoom");
    if (!VectorsParallel(zoomFrame_.U, frame_.U) || !VectorsParallel(zoomFrame_.V, frame_.V))
        throw ECanNotZoom("Las referencias del zoom y el canvax no son compatibles");
    const TParalTransform zoom = TransformFromParal(zoomFrame_);
    const TPoint2D a = ToLocalPoint(zoom, ScreenToWorld({R.X1, R.Y1}));
    const TPoint2D b = ToLocalPoint(zoom, ScreenToWorld({R.X2, R.Y2}));
    Zoom({a.X, a.Y, b.X, b.Y});
}

// Painting.

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

// Mouse.

void TCanvaxViewport::RunLocked(const std::function<void()>& Step) {
    TCanvax* cvx = canvax_;
    cvx->Lock();
    try {
        Step();
    } catch (EElementException& error) {
        try {
            if (cvx->OnException) {
                const TOnException handler = cvx->OnException;
                handler(*cvx, error);
            }
        } catch (...) {
            cvx->Unlock();
            throw;
        }
        cvx->Unlock();
        return;
    } catch (...) {
        cvx->Unlock();
        throw;
    }
    cvx->Unlock();
}

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

void TCanvaxViewport::Resized() {
    EraseVirtuals();
    try {
        bufferCanvas_.reset();
        screen_ = BlankImage(ClientSize());
        screenValid_ = false;
        if (canvax_) {
            RunLocked([&] {
                buffer_ = BlankImage(ClientSize());
                bufferValid_ = false;
            });
            bufferCanvas_ = std::make_unique<TViewCanvas>(buffer_);
        }
    } catch (...) {
        EraseVirtuals();
        UpdateVisibleArea();
        throw;
    }
    EraseVirtuals();
    UpdateVisibleArea();
    ScheduleUpdate();
}
}  // namespace nerim
