#include "app/windows/map_tools.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>

#include "app/view_navigation.h"
#include "canvas/canvas_exceptions.h"
#include "canvas/widget/canvax_view.h"

namespace nerim {
namespace {

double Width(const TCanvaxViewport& view) { return view.ClientSize().width(); }
double Height(const TCanvaxViewport& view) { return view.ClientSize().height(); }

QPoint Pixel(const QPointF& p) { return QPoint(int(std::floor(p.x())), int(std::floor(p.y()))); }

QPixmap GlyphCanvas() {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QCursor TZoomTool::Cursor() const { return QCursor(Qt::CrossCursor); }

void TZoomTool::Press(TMouseButton Button, int X, int Y) {
    if (Button == mbLeft)
        view_.ZoomToScreenRect(ZoomInRect(X, Y, Width(view_), Height(view_)));
    else if (Button == mbRight)
        view_.ZoomToScreenRect(ZoomOutRect(X, Y, Width(view_), Height(view_)));
}

QCursor TPanTool::Cursor() const { return QCursor(panning_ ? Qt::ClosedHandCursor : Qt::OpenHandCursor); }

void TPanTool::Press(TMouseButton, int X, int Y) {
    panning_ = true;
    panLast_ = QPoint(X, Y);
}

void TPanTool::Move(int X, int Y) {
    if (!panning_) return;
    view_.ZoomToScreenRect(PanRect(panLast_.x(), panLast_.y(), X, Y, Width(view_), Height(view_)));
    panLast_ = QPoint(X, Y);
}

void TPanTool::Release(TMouseButton, int, int) { panning_ = false; }

TViewNavigator::TViewNavigator(TCanvaxView& View) : QObject(&View), view_(View) { View.installEventFilter(this); }

bool TViewNavigator::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &view_ || !view_.Canvax() || !view_.InZoom()) return false;
    switch (event->type()) {
        case QEvent::Wheel: {
            auto* wheel = static_cast<QWheelEvent*>(event);
            const int delta = wheel->angleDelta().y();
            if (delta == 0) return false;
            const QPoint p = Pixel(wheel->position());
            try {
                view_.ZoomToScreenRect(ZoomAboutRect(p.x(), p.y(), WheelZoomFactor(delta), Width(view_), Height(view_)));
            } catch (const ECanNotZoom&) {
                // As deep as the view can zoom: further turns of the wheel do nothing.
            }
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::MiddleButton) return false;
            panning_ = true;
            panLast_ = Pixel(mouse->position());
            savedCursor_ = view_.cursor();
            view_.setCursor(Qt::ClosedHandCursor);
            return true;
        }
        case QEvent::MouseMove: {
            if (!panning_) return false;
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint p = Pixel(mouse->position());
            view_.ZoomToScreenRect(PanRect(panLast_.x(), panLast_.y(), p.x(), p.y(), Width(view_), Height(view_)));
            panLast_ = p;
            if (OnPointer) OnPointer(p.x(), p.y());
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::MiddleButton || !panning_) return false;
            panning_ = false;
            view_.setCursor(savedCursor_);
            if (OnPointer) OnPointer(Pixel(mouse->position()).x(), Pixel(mouse->position()).y());
            return true;
        }
        default: return false;
    }
}

QIcon ZoomGlyph() {
    QPixmap pixmap = GlyphCanvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(200, 225, 255));
    p.drawEllipse(QRectF(2.5, 2.5, 10, 10));
    p.setPen(QPen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11.5, 11.5), QPointF(17, 17));
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.drawLine(QPointF(5, 7.5), QPointF(10, 7.5));
    p.drawLine(QPointF(7.5, 5), QPointF(7.5, 10));
    return QIcon(pixmap);
}

QIcon PanGlyph() {
    QPixmap pixmap = GlyphCanvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.drawLine(QPointF(10, 3), QPointF(10, 17));
    p.drawLine(QPointF(3, 10), QPointF(17, 10));
    p.setBrush(QColor(40, 40, 40));
    const auto arrow = [&](QPointF tip, QPointF a, QPointF b) {
        QPainterPath path(tip);
        path.lineTo(a);
        path.lineTo(b);
        path.closeSubpath();
        p.drawPath(path);
    };
    arrow({10, 1}, {7, 5}, {13, 5});
    arrow({10, 19}, {7, 15}, {13, 15});
    arrow({1, 10}, {5, 7}, {5, 13});
    arrow({19, 10}, {15, 7}, {15, 13});
    return QIcon(pixmap);
}

}  // namespace nerim
