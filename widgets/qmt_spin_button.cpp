#include "widgets/qmt_spin_button.h"

#include <algorithm>

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace nerim {

// --- TQmtTimerSpeedButton ---

TQmtTimerSpeedButton::TQmtTimerSpeedButton(QWidget* parent) : QToolButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &TQmtTimerSpeedButton::TimerExpired);
}

void TQmtTimerSpeedButton::SetRepeat(bool Value) {
    repeat_ = Value;
    if (!repeat_) timer_.stop();
}

void TQmtTimerSpeedButton::SetFocused(bool Value) {
    if (focused_ == Value) return;
    focused_ = Value;
    update();
}

void TQmtTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
    QToolButton::mousePressEvent(event);
    if (repeat_ && event->button() == Qt::LeftButton && isDown()) timer_.start(InitRepeatPause);
}

void TQmtTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    // Stopped first: a click on release that throws must not leave the repeats running.
    if (event->button() == Qt::LeftButton) timer_.stop();
    QToolButton::mouseReleaseEvent(event);
}

void TQmtTimerSpeedButton::TimerExpired() {
    timer_.setInterval(RepeatPause);
    // The mouse went off the button: no repeats until it comes back.
    if (!isDown()) return;
    // A window or menu opened by a click has the mouse now; its release will never come here.
    const QWidget* modal = QApplication::activeModalWidget();
    if (QApplication::activePopupWidget() || (modal && modal != window())) {
        timer_.stop();
        setDown(false);
        return;
    }
    try {
        emit clicked(isChecked());
    } catch (...) {
        timer_.stop();
        setDown(false);
        throw;
    }
}

void TQmtTimerSpeedButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    if (!focused_) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.state |= QStyle::State_KeyboardFocusChange;
    option.rect = rect().adjusted(3, 3, -3, -3);
    if (isDown()) option.rect.translate(1, 1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void TQmtTimerSpeedButton::hideEvent(QHideEvent* event) {
    timer_.stop();
    QToolButton::hideEvent(event);
}

void TQmtTimerSpeedButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) timer_.stop();
    QToolButton::changeEvent(event);
}

// --- TQmtSpinButton ---

TQmtSpinButton::TQmtSpinButton(QWidget* parent)
    : QWidget(parent), up_(new TQmtTimerSpeedButton(this)), down_(new TQmtTimerSpeedButton(this)), focusedButton_(up_) {
    setFocusPolicy(Qt::TabFocus);
    setMinimumWidth(15);
    for (TQmtTimerSpeedButton* button : {up_, down_}) {
        button->SetRepeat(true);
        connect(button, &QAbstractButton::pressed, this, [this, button] { ButtonPressed(button); });
        connect(button, &QAbstractButton::clicked, this, [this, button] { ButtonClicked(button); });
    }
    ApplyGlyph(up_, upGlyph_, upNumGlyphs_, Qt::UpArrow);
    ApplyGlyph(down_, downGlyph_, downNumGlyphs_, Qt::DownArrow);
    resize(20, 25);
}

void TQmtSpinButton::SetUpGlyph(const QPixmap& Glyph) {
    upGlyph_ = Glyph;
    ApplyGlyph(up_, upGlyph_, upNumGlyphs_, Qt::UpArrow);
}

void TQmtSpinButton::SetUpNumGlyphs(int Value) {
    upNumGlyphs_ = std::clamp(Value, 1, 4);
    ApplyGlyph(up_, upGlyph_, upNumGlyphs_, Qt::UpArrow);
}

void TQmtSpinButton::SetDownGlyph(const QPixmap& Glyph) {
    downGlyph_ = Glyph;
    ApplyGlyph(down_, downGlyph_, downNumGlyphs_, Qt::DownArrow);
}

void TQmtSpinButton::SetDownNumGlyphs(int Value) {
    downNumGlyphs_ = std::clamp(Value, 1, 4);
    ApplyGlyph(down_, downGlyph_, downNumGlyphs_, Qt::DownArrow);
}

void TQmtSpinButton::ApplyGlyph(TQmtTimerSpeedButton* Button, const QPixmap& Glyph, int NumGlyphs, Qt::ArrowType Arrow) {
    if (Glyph.isNull()) {
        Button->setIcon(QIcon());
        Button->setArrowType(Arrow);
        return;
    }
    const int w = Glyph.width() / NumGlyphs;
    QIcon icon(Glyph.copy(0, 0, w, Glyph.height()));
    if (NumGlyphs >= 2) icon.addPixmap(Glyph.copy(w, 0, w, Glyph.height()), QIcon::Disabled);
    Button->setArrowType(Qt::NoArrow);
    Button->setIcon(icon);
    Button->setIconSize(QSize(w, Glyph.height()));
}

void TQmtSpinButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width();
    const int half = height() / 2;
    up_->setGeometry(0, 0, w, half);
    down_->setGeometry(0, half - 1, w, height() - half + 1);
}

void TQmtSpinButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            SetFocusedButton(up_);
            ButtonClicked(up_);
            break;
        case Qt::Key_Down:
            SetFocusedButton(down_);
            ButtonClicked(down_);
            break;
        case Qt::Key_Space:
            ButtonClicked(focusedButton_);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void TQmtSpinButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    focusedButton_->SetFocused(true);
}

void TQmtSpinButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    focusedButton_->SetFocused(false);
}

void TQmtSpinButton::SetFocusedButton(TQmtTimerSpeedButton* Button) {
    // Only a spin button that can hold the focus has a focused button to move.
    if (Button == focusedButton_ || !(focusPolicy() & Qt::TabFocus) || !isEnabled()) return;
    focusedButton_->SetFocused(false);
    focusedButton_ = Button;
    if (hasFocus()) focusedButton_->SetFocused(true);
}

void TQmtSpinButton::ButtonPressed(TQmtTimerSpeedButton* Button) {
    SetFocusedButton(Button);
    QWidget* control = focusControl_;
    const auto canTakeFocus = [](const QWidget* w) {
        return w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus);
    };
    if (control && canTakeFocus(control)) {
        if (!control->hasFocus()) control->setFocus(Qt::MouseFocusReason);
    } else if (canTakeFocus(this) && !hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
}

void TQmtSpinButton::ButtonClicked(TQmtTimerSpeedButton* Button) {
    if (Button == up_) {
        if (OnUpClick) OnUpClick(*this);
    } else if (OnDownClick) {
        OnDownClick(*this);
    }
}

}  // namespace nerim
