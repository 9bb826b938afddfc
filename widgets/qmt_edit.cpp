#include "widgets/qmt_edit.h"

#include <cmath>
#include <limits>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QWheelEvent>

#include "widgets/qmt_spin_button.h"

namespace nerim {
namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

// The standard context menu's texts, as Qt translates them.
bool IsAction(const QAction* action, const char* text) {
    return action->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr(text);
}

// A step that lands a rounding error beyond a limit (0.2 + 0.1 against 0.3) lands on the limit.
constexpr double kStepTolerance = 1e-9;

}  // namespace

TQmtEdit::TQmtEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TQmtEdit::TextChanged);
    ShowValidity(QString());
}

TQmtEdit::~TQmtEdit() = default;

void TQmtEdit::SetUseSpin(bool Value) {
    if (Value == UseSpin()) return;
    if (Value) {
        spin_ = new TQmtSpinButton(this);
        spin_->setFocusPolicy(Qt::NoFocus);
        spin_->setCursor(Qt::ArrowCursor);
        spin_->SetFocusControl(this);
        spin_->OnUpClick = [this](TQmtSpinButton&) { UpClick(); };
        spin_->OnDownClick = [this](TQmtSpinButton&) { DownClick(); };
        spin_->resize(15, 17);
        spin_->show();
    } else {
        delete spin_;
        spin_ = nullptr;
    }
    PlaceSpin();
}

void TQmtEdit::SetErrorColor(const QColor& Value) {
    errorColor_ = Value;
    ShowValidity(shownError_);
}

void TQmtEdit::SetUnits(const QString& Value) {
    units_ = Value;
    ShowValidity(shownError_);
}

void TQmtEdit::SetAlignment(TAlignment Value) {
    alignment_ = Value;
    const Qt::Alignment horizontal = Value == taRightJustify ? Qt::AlignRight
                                     : Value == taCenter     ? Qt::AlignHCenter
                                                             : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignVCenter);
}

int TQmtEdit::AsInteger() const { return TextToInteger(Utf8(text())); }

void TQmtEdit::SetAsInteger(int Value) { setText(QString::number(Value)); }

double TQmtEdit::AsFloat() {
    if (valueType_ == typCustom) {
        double value = 0.0;
        if (CustomToDouble) CustomToDouble(*this, value);
        return value;
    }
    return FieldTextToReal(Utf8(text()));
}

void TQmtEdit::SetAsFloat(double Value) {
    if (valueType_ == typCustom) {
        QString text;
        if (CustomFromDouble) CustomFromDouble(*this, Value, text);
        setText(text);
        return;
    }
    if (floatFormat_.isEmpty()) floatFormat_ = QStringLiteral("%.3f");
    setText(QString::fromStdString(RealToFieldText(Value, Utf8(floatFormat_))));
}

bool TQmtEdit::IsValidText(const QString& Text, TValueType Type, QString& Message) {
    Message.clear();
    if (Type == typCustom) {
        bool valid = true;
        if (CustomIsValid) CustomIsValid(*this, Text, valid, Message);
        return valid;
    }
    std::string message;
    const bool valid = nerim::IsValidText(Utf8(Text), Type, minValue_, maxValue_, message);
    Message = QString::fromStdString(message);
    return valid;
}

void TQmtEdit::ShowValidity(const QString& Message) {
    shownError_ = Message;
    QColor background = errorColor_;
    QString hint = baseHint_;
    if (!units_.isEmpty()) hint += QStringLiteral(" (") + units_ + QLatin1Char(')');
    if (!Message.isEmpty()) {
        if (!hint.isEmpty()) hint += QLatin1Char('\n');
        hint += QStringLiteral("Error: ") + Message;
    } else {
        background = QApplication::palette(this).color(isReadOnly() ? QPalette::Button : QPalette::Base);
    }
    // Texts from the strings and translation files break lines with CR LF; tooltips want "\n".
    hint.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::Base, background);
    p.setColor(QPalette::Inactive, QPalette::Base, background);
    setPalette(p);
    settingHint_ = true;
    setToolTip(hint);
    settingHint_ = false;
}

void TQmtEdit::SetBaseHint(const QString& Value) {
    baseHint_ = Value;
    ShowValidity(shownError_);
}

void TQmtEdit::Validate() {
    QString message;
    IsValidText(text(), valueType_, message);
    ShowValidity(message);
}

void TQmtEdit::TextChanged() {
    if (showError_ & seOnChange)
        Validate();
    else
        ShowValidity(QString());
    if (OnChange) OnChange(*this);
    emit Changed();
}

void TQmtEdit::UpClick() { Step(+1); }

void TQmtEdit::DownClick() { Step(-1); }

void TQmtEdit::Step(int Direction) {
    if (isReadOnly()) {
        QApplication::beep();
        return;
    }
    if (!Steps()) return;
    const bool ranged = minValue_ != maxValue_;
    const double limit = Direction > 0 ? maxValue_ : minValue_;
    const double base = valueType_ == typDouble ? AsFloat() : static_cast<double>(AsInteger());
    double value = base + Direction * increment_;
    if (ranged) {
        const double beyond = Direction * (value - limit);
        if (beyond > kStepTolerance * std::max(std::abs(increment_), std::abs(limit))) return;
        if (beyond > 0) value = limit;
    }
    if (valueType_ == typDouble) {
        SetAsFloat(value);
        return;
    }
    const double rounded = std::round(value);
    // A step past the 32-bit integers does nothing rather than wrap.
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max()) return;
    SetAsInteger(static_cast<int>(rounded));
}

void TQmtEdit::PlaceSpin() {
    if (!spin_) {
        setTextMargins(0, 0, 0, 0);
        return;
    }
    const int bw = spin_->width();
    if (hasFrame()) {
        const int f = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        spin_->setGeometry(width() - bw - f - 1, f + 1, bw, height() - 2 * f - 2);
    } else {
        spin_->setGeometry(width() - bw, 1, bw, height() - 3);
    }
    setTextMargins(0, 0, bw + 1, 0);
}

bool TQmtEdit::event(QEvent* event) {
    if (event->type() == QEvent::ToolTipChange && !settingHint_) {
        // A tooltip given from outside is the new base; the units and any error shown stay.
        baseHint_ = toolTip();
        const bool handled = QLineEdit::event(event);
        ShowValidity(shownError_);
        return handled;
    }
    return QLineEdit::event(event);
}

void TQmtEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange) ShowValidity(QString());
}

void TQmtEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
        case Qt::MouseFocusReason:
        case Qt::PopupFocusReason:
        case Qt::ActiveWindowFocusReason:
            break;
        default:
            if (autoSelect_)
                selectAll();
            else
                deselect();
    }
}

void TQmtEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (showError_ & seOnExit)
        Validate();
    else
        ShowValidity(QString());
}

void TQmtEdit::keyPressEvent(QKeyEvent* event) {
    if (!CanPasteOrCut() && (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut))) {
        event->accept();
        return;
    }
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (Steps() && modifiers == Qt::NoModifier && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        event->accept();
        if (event->key() == Qt::Key_Up)
            UpClick();
        else
            DownClick();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TQmtEdit::wheelEvent(QWheelEvent* event) {
    if (!Steps() || !hasFocus()) {
        QLineEdit::wheelEvent(event);
        return;
    }
    event->accept();
    // Fine-grained wheels send parts of a notch; one step per whole notch.
    wheelDelta_ += event->angleDelta().y();
    while (wheelDelta_ >= QWheelEvent::DefaultDeltasPerStep) {
        wheelDelta_ -= QWheelEvent::DefaultDeltasPerStep;
        UpClick();
    }
    while (wheelDelta_ <= -QWheelEvent::DefaultDeltasPerStep) {
        wheelDelta_ += QWheelEvent::DefaultDeltasPerStep;
        DownClick();
    }
}

void TQmtEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    PlaceSpin();
}

QMenu* TQmtEdit::CreateContextMenu() {
    QMenu* menu = createStandardContextMenu();
    if (!CanPasteOrCut()) {
        for (QAction* action : menu->actions())
            if (IsAction(action, "Cu&t") || IsAction(action, "&Paste")) action->setEnabled(false);
    }
    return menu;
}

void TQmtEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// The middle button pastes the selection on X11.
void TQmtEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && !CanPasteOrCut()) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TQmtEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && !CanPasteOrCut()) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TQmtEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (!CanPasteOrCut()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void TQmtEdit::dropEvent(QDropEvent* event) {
    if (!CanPasteOrCut()) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

}  // namespace nerim
