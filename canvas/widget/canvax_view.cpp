#include "canvas/widget/canvax_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "canvas/canvax.h"

namespace nerim {

namespace {

bool ButtonFromQt(Qt::MouseButton button, TMouseButton& out) {
    switch (button) {
        case Qt::LeftButton: out = mbLeft; return true;
        case Qt::RightButton: out = mbRight; return true;
        case Qt::MiddleButton: out = mbMiddle; return true;
        default: return false;
    }
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
    if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
    if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
    if (buttons & Qt::LeftButton) shift.Include(ssLeft);
    if (buttons & Qt::RightButton) shift.Include(ssRight);
    if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
    return shift;
}

QPoint PixelOf(const QMouseEvent* event) {
    const QPointF p = event->position();
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}

}  // namespace

// The viewport starts with the widget's initial size.
TCanvaxView::TCanvaxView(QWidget* parent) : QWidget(parent), TCanvaxViewport(QWidget::size()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

TCanvaxView::~TCanvaxView() = default;

void TCanvaxView::SetClientSize(int Width, int Height) {
    resize(Width, Height);
    Resized();
}

void TCanvaxView::ApplyCursor(TCursorId Id) { setCursor(CursorFromId(Id)); }

void TCanvaxView::paintEvent(QPaintEvent* event) {
    if (!BufferValid() || !ScreenValid()) {
        if (TCanvax* cvx = Canvax()) {
            cvx->Lock();
            try {
                UpdateScreen();
            } catch (...) {
                cvx->Unlock();
                throw;
            }
            cvx->Unlock();
        } else {
            UpdateScreen();
        }
    }
    QPainter painter(this);
    painter.drawImage(event->rect(), ScreenImage(), event->rect());
}

void TCanvaxView::resizeEvent(QResizeEvent*) { Resized(); }

void TCanvaxView::mousePressEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!ButtonFromQt(event->button(), button)) return;
    const QPoint p = PixelOf(event);
    MouseDown(button, ShiftFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TCanvaxView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = PixelOf(event);
    MouseMove(ShiftFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TCanvaxView::mouseReleaseEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!ButtonFromQt(event->button(), button)) return;
    const QPoint p = PixelOf(event);
    MouseUp(button, ShiftFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TCanvaxView::mouseDoubleClickEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!ButtonFromQt(event->button(), button)) return;
    const QPoint p = PixelOf(event);
    const TShiftState shift = ShiftFromQt(event->modifiers(), event->buttons());
    if (button == mbLeft) DblClick();
    MouseDown(button, shift + ssDouble, p.x(), p.y());
}

}  // namespace nerim
