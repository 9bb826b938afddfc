// The viewport's life: its images, its client size, the document it shows and the document lock.
#include "canvas/canvax_viewport.h"

#include "canvas/canvax.h"
#include "canvas/geometry/geometry_funcs.h"
#include "canvas/virtuals_list.h"

namespace nerim {

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

void TCanvaxViewport::RaiseLocked(TCanvax* Document, const TViewNotify& Handler) {
    if (!Handler) return;
    const TViewNotify handler = Handler;
    if (!Document) {
        handler(*this);
        return;
    }
    Document->Lock();
    try {
        handler(*this);
    } catch (...) {
        Document->Unlock();
        throw;
    }
    Document->Unlock();
}

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
