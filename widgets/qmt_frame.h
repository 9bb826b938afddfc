#pragma once

#include <functional>

#include <QColor>
#include <QGroupBox>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QRect>

namespace nerim {

// A group box whose caption (the group box title) is drawn as a small raised box; a click on
// that box folds the frame down to its caption line or unfolds it to its full height. A press
// inside the caption box (edges included) followed by a release anywhere toggles Expanded (and
// sets Collapsed to its negation), calls OnCaptionClick with the new flag, which the handler may
// change, and, when Collapsable, gives the frame the height of that flag: FullHeight unfolded,
// the caption box bottom folded. While folded the children are hidden, so Tab cannot reach them.
//
// When the frame sits in a vertical box layout, the enclosing window grows or shrinks by the
// height the frame gains or loses, and so does every group box, frame or plain panel between
// that is not itself placed by a layout.
//
// FullHeight is the height the frame has when it is first shown (or when Loaded is called), and
// follows later resizes from outside while the frame is unfolded. Setting Collapsed from code
// before that moment folds the frame when it comes; later it changes the state and the picture,
// not the height.
//
// When Collapsable, the frame takes the focus by Tab or by a press on the caption box, shows a
// focus rectangle in the caption box, and space or Enter folds it as a click does, only while the
// frame itself has the focus (never from a key one of its fields leaves unhandled).
//
// The frame's outline: with Ctl3D, the rectangle with its top-left corner one pixel right and
// down in the button-highlight colour, then one pixel up and left in the button-shadow colour, so
// that the highlight's right and bottom lines are the widget's last column and row (less Border).
class TQmtFrame : public QGroupBox {
    Q_OBJECT

public:
    using TCaptionClickEvent = std::function<void(TQmtFrame& Sender, bool& Expanded)>;

    explicit TQmtFrame(QWidget* parent = nullptr);
    explicit TQmtFrame(const QString& Caption, QWidget* parent = nullptr);

    // The caption is the group box title, so window translation handles it as any group box.
    QString Caption() const { return title(); }
    void SetCaption(const QString& Value) { setTitle(Value); }

    // Published properties.
    int Border() const { return border_; }
    void SetBorder(int Value);
    bool Collapsable() const { return collapsable_; }
    void SetCollapsable(bool Value);
    bool Collapsed() const { return collapsed_; }
    void SetCollapsed(bool Value);
    const QColor& LabelColor() const { return labelColor_; }
    void SetLabelColor(const QColor& Value);
    // Two pictures side by side: unfolded on the left, folded on the right. The colour of the
    // bottom-left pixel is transparent.
    const QPixmap& Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& Value);
    // With the three-dimensional look the frame is an etched double line, without it one line
    // in the window-frame colour.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool Value);

    TCaptionClickEvent OnCaptionClick;

    // Internal state.
    bool Expanded() const { return expanded_; }
    int FullHeight() const { return fullHeight_; }
    // The caption box, outline included (empty without a caption).
    QRect CaptionBox() const;
    bool CaptionPressed() const { return captionPressed_; }
    // The height of the folded frame: the bottom of the caption box.
    int FoldedHeight() const;

    // Takes the present height as FullHeight and folds the frame when Collapsed was set before.
    // Called by the first show; a window that sizes its frames before showing may call it itself.
    void Loaded();

    // What a release after a press on the caption box does (also space and Enter).
    void CaptionClick();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void ResizeToState(bool Unfolded);
    void GrowEnclosing(int Delta);
    void ApplyChildMargins();
    bool InVerticalLayout() const;
    bool FoldKey(QEvent* event) const;
    QRect FrameRect() const;
    QRect TextBox() const;

    int border_ = 0;
    bool collapsable_ = true;
    bool collapsed_ = false;
    bool expanded_ = true;
    QColor labelColor_ = QColor(128, 0, 0);
    QPixmap glyph_;
    bool ctl3D_ = true;
    int fullHeight_ = 0;
    bool loaded_ = false;
    bool captionPressed_ = false;
    bool resizing_ = false;
    bool releasing_ = false;
    bool heightFolded_ = false;
    bool settingMargins_ = false;
    // While folded: the heights the frame had before, and the children it hid.
    int savedMinHeight_ = 0;
    int savedMaxHeight_ = 0;
    QList<QPointer<QWidget>> hiddenChildren_;
};

}  // namespace nerim
