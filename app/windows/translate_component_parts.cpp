#include "app/windows/translate_component_parts.h"

#include <exception>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace nerim {
namespace {

bool IsEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

// Whether a window whose closing can end the program is still open.
bool ProgramWindowOpen() {
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->testAttribute(Qt::WA_QuitOnClose)) return true;
    return false;
}

}  // namespace

void RunHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        QTimer::singleShot(0, qApp, [failure = std::current_exception()] { std::rethrow_exception(failure); });
    }
}

TTranslatePanel::TTranslatePanel(const QString& title, const QString& name, QWidget* parent)
    : QDockWidget(title, parent) {
    setObjectName(name);
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setAttribute(Qt::WA_QuitOnClose, false);
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating) return;
        // Docked, the panel vanished with the hidden window: it comes back where it was.
        QTimer::singleShot(0, this, [this] {
            const QRect geometry = floatingGeometry_;
            Float();
            if (geometry.isValid()) setGeometry(geometry);
            show();
        });
    });
}

void TTranslatePanel::Float() {
    const bool visible = isVisible();
    const QRect geometry = floatingGeometry_;
    if (!isFloating()) setFloating(true);
    if (!(windowFlags() & Qt::WindowStaysOnTopHint)) {
        // Changing the flags hides a window and may forget where it was.
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (geometry.isValid()) setGeometry(geometry);
    }
    setAttribute(Qt::WA_QuitOnClose, false);
    if (visible) show();
}

void TTranslatePanel::closeEvent(QCloseEvent* event) {
    // Before ending, the application closes every window and gives up when one refuses: once the
    // program's windows are closed the panels let it end.
    if (ProgramWindowOpen())
        event->ignore();
    else
        event->accept();
}

void TTranslatePanel::moveEvent(QMoveEvent* event) {
    QDockWidget::moveEvent(event);
    if (isFloating()) floatingGeometry_ = geometry();
}

void TTranslatePanel::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    if (isFloating()) floatingGeometry_ = geometry();
}

void TNumberEdit::keyPressEvent(QKeyEvent* event) {
    QSpinBox::keyPressEvent(event);
    if (IsEnter(event)) event->accept();
}

TMemoEdit::TMemoEdit(QWidget* parent) : QPlainTextEdit(parent) { setTabChangesFocus(true); }

void TMemoEdit::keyPressEvent(QKeyEvent* event) {
    if (!IsEnter(event)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        if (!isReadOnly()) insertPlainText(QStringLiteral("\n"));
        event->accept();
    } else {
        event->ignore();
    }
}

void TDefaultButtonPanel::SetDefaultButton(QPushButton* button) {
    default_ = button;
    if (button) button->setDefault(true);
}

void TDefaultButtonPanel::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event) && default_ && default_->isVisible() && default_->isEnabled()) {
        event->accept();
        default_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TPictureBox::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void TPictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void TOnDemandComboBox::showPopup() {
    if (beforePopup_) beforePopup_();
    QComboBox::showPopup();
}

void TNodeLookDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const TNodeLook look = look_(index);
    if (look.Background.isValid()) option->backgroundBrush = look.Background;
    if (look.Text.isValid()) {
        option->palette.setColor(QPalette::Text, look.Text);
        option->palette.setColor(QPalette::WindowText, look.Text);
    }
}

}  // namespace nerim
