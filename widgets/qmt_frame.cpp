#include "widgets/qmt_frame.h"

#include <algorithm>

#include <QBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace nerim {
namespace {

// Draws the outline of r as its pixels run from left() to right() and top() to bottom().
void Outline(QPainter& painter, const QRect& r, const QColor& color) {
    painter.setPen(QPen(color, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

constexpr int kTextFlags = Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignTop;

QString CaptionText(const QString& caption) { return QLatin1Char(' ') + caption + QStringLiteral("  "); }

QLayout* LayoutHolding(QLayout* layout, const QWidget* widget) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget) return layout;
        if (item->layout())
            if (QLayout* found = LayoutHolding(item->layout(), widget)) return found;
    }
    return nullptr;
}

QLayout* ParentLayoutOf(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    return parent && parent->layout() ? LayoutHolding(parent->layout(), widget) : nullptr;
}

// Containers that follow the frame's growth: frames, group boxes and plain panels.
bool IsPanel(const QWidget* w) {
    const QMetaObject* mo = w->metaObject();
    return qobject_cast<const QGroupBox*>(w) || mo == &QFrame::staticMetaObject || mo == &QWidget::staticMetaObject;
}

}  // namespace

TQmtFrame::TQmtFrame(QWidget* parent) : TQmtFrame(QString(), parent) {}

TQmtFrame::TQmtFrame(const QString& Caption, QWidget* parent) : QGroupBox(Caption, parent) {
    setFocusPolicy(Qt::TabFocus);
    ApplyChildMargins();
}

void TQmtFrame::SetBorder(int Value) {
    border_ = Value;
    ApplyChildMargins();
    update();
}

void TQmtFrame::SetCollapsable(bool Value) {
    collapsable_ = Value;
    setFocusPolicy(Value ? Qt::TabFocus : Qt::NoFocus);
    update();
}

void TQmtFrame::SetCollapsed(bool Value) {
    collapsed_ = Value;
    expanded_ = !Value;
    update();
    if (loaded_ && releasing_ && collapsable_) ResizeToState(expanded_);
}

void TQmtFrame::SetLabelColor(const QColor& Value) {
    labelColor_ = Value;
    update();
}

void TQmtFrame::SetGlyph(const QPixmap& Value) {
    glyph_ = Value;
    if (!glyph_.isNull()) {
        const QColor transparent = glyph_.toImage().pixelColor(0, glyph_.height() - 1);
        glyph_.setMask(glyph_.createMaskFromColor(transparent, Qt::MaskInColor));
    }
    update();
}

void TQmtFrame::SetCtl3D(bool Value) {
    ctl3D_ = Value;
    update();
}

// The caption's text box as it is filled, before its outline.
QRect TQmtFrame::TextBox() const {
    if (title().isEmpty()) return {};
    const QSize size = fontMetrics().size(kTextFlags, CaptionText(title()));
    // Measured from (Border + 8, Border + 2), then one pixel lower at the top and three taller
    // at the bottom.
    return QRect(QPoint(border_ + 8, border_ + 3), QPoint(border_ + 7 + size.width(), border_ + 4 + size.height()));
}

QRect TQmtFrame::CaptionBox() const {
    const QRect text = TextBox();
    if (text.isEmpty()) return {};
    // The outlines: highlight one pixel wider on the right, shadow one pixel up and left.
    return QRect(text.topLeft() - QPoint(1, 1), text.bottomRight() + QPoint(1, 0));
}

QRect TQmtFrame::FrameRect() const {
    const int h = fontMetrics().height();
    return QRect(QPoint(border_ + 2, h / 2 + border_ + 1), QPoint(width() - 2 * border_ - 1, height() - 2 * border_ - 1));
}

int TQmtFrame::FoldedHeight() const {
    const QRect box = CaptionBox();
    // Without a caption the frame keeps its top line.
    return box.isEmpty() ? FrameRect().top() + 2 : box.bottom() + 1;
}

void TQmtFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    const QColor highlight = pal.color(QPalette::Light);
    const QColor shadow = pal.color(QPalette::Dark);

    const QRect frame = FrameRect();
    if (ctl3D_) {
        // The top-left corner one pixel right and down in the highlight colour, then the whole
        // rectangle one pixel up and left in the shadow colour: the highlight's right and bottom
        // lines are the frame's last ones, inside the widget.
        const QRect lit = frame.adjusted(1, 1, 0, 0);
        Outline(painter, lit, highlight);
        Outline(painter, lit.translated(-1, -1), shadow);
    } else {
        Outline(painter, frame, pal.color(QPalette::Shadow));
    }

    const QRect text = TextBox();
    if (text.isEmpty()) return;
    const QColor background = captionPressed_ ? highlight : pal.color(QPalette::Window);
    const QColor label = captionPressed_ ? pal.color(QPalette::Highlight) : labelColor_;
    const QString caption = CaptionText(title());
    painter.fillRect(text, background);
    if (isEnabled()) {
        painter.setPen(label);
        painter.drawText(text, kTextFlags, caption);
    } else {
        painter.setPen(highlight);
        painter.drawText(text.translated(1, 1), kTextFlags, caption);
        painter.setPen(shadow);
        painter.drawText(text, kTextFlags, caption);
    }
    const QRect outline = text.adjusted(0, 0, 1, 0);
    Outline(painter, outline, highlight);
    Outline(painter, outline.translated(-1, -1), shadow);

    const QRect box = CaptionBox();
    if (!glyph_.isNull()) {
        const int half = glyph_.width() / 2;
        const QRect source = expanded_ ? QRect(0, 0, half, glyph_.height())
                                       : QRect(glyph_.width() - half, 0, half, glyph_.height());
        painter.drawPixmap(box.topLeft() + QPoint(2, 2), glyph_, source);
    }
    if (hasFocus() && collapsable_) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.state |= QStyle::State_KeyboardFocusChange;
        option.rect = text.adjusted(1, 0, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TQmtFrame::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !captionPressed_) {
        captionPressed_ = CaptionBox().contains(event->position().toPoint());
        if (captionPressed_) {
            if (collapsable_) setFocus(Qt::MouseFocusReason);
            update();
            event->accept();
            return;
        }
    }
    QGroupBox::mousePressEvent(event);
}

void TQmtFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && captionPressed_) {
        event->accept();
        struct Clear {
            bool& flag;
            ~Clear() { flag = false; }
        } clear{captionPressed_};
        CaptionClick();
        return;
    }
    QGroupBox::mouseReleaseEvent(event);
}

bool TQmtFrame::FoldKey(QEvent* event) const {
    if (!collapsable_ || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)) return false;
    // A key that a child field leaves unhandled comes on to the frame: only the frame's own keys fold it.
    if (!hasFocus()) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

void TQmtFrame::CaptionClick() {
    struct Release {
        TQmtFrame& frame;
        ~Release() {
            frame.releasing_ = false;
            frame.update();
        }
    } release{*this};
    releasing_ = true;
    expanded_ = !expanded_;
    collapsed_ = !expanded_;
    // The handler gets the new flag itself and may change it.
    if (OnCaptionClick) OnCaptionClick(*this, expanded_);
    if (collapsable_) ResizeToState(expanded_);
}

void TQmtFrame::Loaded() {
    if (loaded_) return;
    loaded_ = true;
    fullHeight_ = height();
    expanded_ = !collapsed_;
    if (collapsed_ && collapsable_) ResizeToState(false);
}

void TQmtFrame::ResizeToState(bool Unfolded) {
    const bool wasResizing = resizing_;
    resizing_ = true;
    const int before = height();
    if (!Unfolded) {
        if (!heightFolded_) {
            heightFolded_ = true;
            savedMinHeight_ = minimumHeight();
            savedMaxHeight_ = maximumHeight();
            for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (!child->isHidden()) {
                    child->hide();
                    hiddenChildren_.append(child);
                }
        }
        const int folded = FoldedHeight();
        setMinimumHeight(folded);
        setMaximumHeight(folded);
        resize(width(), folded);
    } else {
        if (heightFolded_) {
            heightFolded_ = false;
            setMinimumHeight(savedMinHeight_);
            setMaximumHeight(savedMaxHeight_);
            for (const QPointer<QWidget>& child : std::as_const(hiddenChildren_))
                if (child) child->show();
            hiddenChildren_.clear();
        }
        resize(width(), fullHeight_);
    }
    // The enclosing window changes by what the frame really gained or lost: a click that a
    // handler turned back changes nothing.
    const int delta = height() - before;
    if (delta != 0 && InVerticalLayout()) GrowEnclosing(delta);
    resizing_ = wasResizing;
}

bool TQmtFrame::InVerticalLayout() const {
    const auto* box = qobject_cast<const QBoxLayout*>(ParentLayoutOf(this));
    return box && (box->direction() == QBoxLayout::TopToBottom || box->direction() == QBoxLayout::BottomToTop);
}

void TQmtFrame::GrowEnclosing(int Delta) {
    QWidget* top = window();
    if (top == this) return;
    const int topHeight = top->height();
    for (QWidget* w = parentWidget(); w && w != top; w = w->parentWidget())
        if (IsPanel(w) && !ParentLayoutOf(w)) w->resize(w->width(), w->height() + Delta);
    // The layouts learn the frame's new height first, so that the window's minimum follows it.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (w->layout()) w->layout()->activate();
    top->resize(top->width(), topHeight + Delta);
}

void TQmtFrame::ApplyChildMargins() {
    // Children lie inside (6, 10) - (width - 6, height - 6), and below the caption box when the
    // font makes it reach further down.
    const int top = title().isEmpty() ? 10 : std::max(10, FoldedHeight() + 2);
    const QMargins margins(6, top, 6, 6);
    if (contentsMargins() == margins || settingMargins_) return;
    settingMargins_ = true;
    setContentsMargins(margins);
    settingMargins_ = false;
}

bool TQmtFrame::event(QEvent* event) {
    // The group box keeps space for its check box; the frame folds on it (on the press).
    if (FoldKey(event)) {
        event->accept();
        if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) CaptionClick();
        return true;
    }
    const bool handled = QGroupBox::event(event);
    // The group box recomputes its margins for its own title look (on a new title, style or
    // font); the frame's own layout rectangle wins.
    if (event->type() == QEvent::ContentsRectChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::StyleChange)
        ApplyChildMargins();
    return handled;
}

void TQmtFrame::showEvent(QShowEvent* event) {
    QGroupBox::showEvent(event);
    Loaded();
}

void TQmtFrame::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    if (loaded_ && !resizing_ && expanded_ && !heightFolded_) fullHeight_ = height();
}

void TQmtFrame::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) update();
}

void TQmtFrame::focusInEvent(QFocusEvent* event) {
    QGroupBox::focusInEvent(event);
    update();
}

}  // namespace nerim
