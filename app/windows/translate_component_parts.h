#pragma once

#include <functional>

#include <QColor>
#include <QComboBox>
#include <QDockWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QWidget>

class QPushButton;

// The small controls the translation editor is built from.

namespace nerim {

// Runs an event handler of a control. A failure is passed on to the application from the event
// loop, where it is reported, rather than thrown back through the control that called the handler.
void RunHandler(const std::function<void()>& handler);

// A dockable panel of the translation editor. It cannot be closed: every close request is refused
// while a window of the program is open.
// Once floating it stays floating, on top of the other windows: docking it back (a double click on
// its title, its float button) would hide it in the editor's window, which is never shown.
class TTranslatePanel : public QDockWidget {
public:
    TTranslatePanel(const QString& title, const QString& name, QWidget* parent);

    // Makes the panel a floating window that stays on top; a visible panel stays visible.
    void Float();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Where the panel last floated.
    QRect floatingGeometry_;
};

// A text memo that does not take the Enter key (it goes to the panel, which clicks its default
// button); Ctrl+Enter adds a line. Tab moves the focus on.
class TMemoEdit : public QPlainTextEdit {
public:
    explicit TMemoEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A number field in which Enter settles the number and goes no further.
class TNumberEdit : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A panel with a default button: Enter pressed in any of its controls that does not take it clicks
// that button, as in a dialog.
class TDefaultButtonPanel : public QWidget {
public:
    using QWidget::QWidget;

    void SetDefaultButton(QPushButton* button);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<QPushButton> default_;
};

// Paints a picture at its top-left corner, clipped to its own size; empty when cleared.
class TPictureBox : public QWidget {
public:
    using QWidget::QWidget;

    void SetPicture(const QPixmap& picture);
    void Clear() { SetPicture({}); }
    const QPixmap& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

// A combo box that runs a callback before it opens its list, so that the list can be filled on
// demand.
class TOnDemandComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    void SetBeforePopup(std::function<void()> beforePopup) { beforePopup_ = std::move(beforePopup); }
    void showPopup() override;

private:
    std::function<void()> beforePopup_;
};

// How a node of the controls tree is drawn; an invalid colour keeps the view's own.
struct TNodeLook {
    QColor Background;
    QColor Text;
};

// Draws each node of a tree with the look a callback gives for it, asked again at every paint.
class TNodeLookDelegate : public QStyledItemDelegate {
public:
    using TLookFunction = std::function<TNodeLook(const QModelIndex&)>;

    TNodeLookDelegate(TLookFunction look, QObject* parent) : QStyledItemDelegate(parent), look_(std::move(look)) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    TLookFunction look_;
};

}  // namespace nerim
