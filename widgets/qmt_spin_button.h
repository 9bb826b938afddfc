#pragma once

#include <functional>

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

namespace nerim {

// A button that repeats its click while it is held down: the first repeat InitRepeatPause after
// the press, then one every RepeatPause until the release. A repeat happens only while the
// button is down (the mouse over it) and no other modal window or popup has taken the mouse.
// A click handler that throws stops the repeats and releases the button before the exception
// goes on to the application.
class TQmtTimerSpeedButton : public QToolButton {
    Q_OBJECT

public:
    static constexpr int InitRepeatPause = 400;  // ms
    static constexpr int RepeatPause = 100;      // ms

    explicit TQmtTimerSpeedButton(QWidget* parent = nullptr);

    // The repeat flag.
    bool Repeat() const { return repeat_; }
    void SetRepeat(bool Value);
    // The focused flag: a focus rectangle inset by 3 pixels (one pixel lower and to the right
    // while the button is down).
    bool Focused() const { return focused_; }
    void SetFocused(bool Value);

    bool Repeating() const { return timer_.isActive(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void TimerExpired();

    QTimer timer_;
    bool repeat_ = false;
    bool focused_ = false;
};

// Two stacked repeating buttons, up over down, that step a value. The up button fills the top
// half, the down button the rest, overlapping it by one pixel. One of them is the focused one
// (the up button at first) and shows a focus rectangle while the spin button has the keyboard
// focus. Keys: space clicks the focused button; the up and down arrows make their button the
// focused one and click it. A mouse press on a button makes it the focused one and moves the
// keyboard focus to FocusControl when that can take it by Tab, otherwise to the spin button
// itself when it can.
class TQmtSpinButton : public QWidget {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TQmtSpinButton& Sender)>;

    // 20 x 25 pixels at first; never narrower than 15.
    explicit TQmtSpinButton(QWidget* parent = nullptr);

    TQmtTimerSpeedButton* UpButton() const { return up_; }
    TQmtTimerSpeedButton* DownButton() const { return down_; }
    TQmtTimerSpeedButton* FocusedButton() const { return focusedButton_; }

    // A glyph holds NumGlyphs pictures side by side: the first is the normal one, the second
    // (when present) the disabled one. Without a glyph the button shows the style's arrow.
    const QPixmap& UpGlyph() const { return upGlyph_; }
    void SetUpGlyph(const QPixmap& Glyph);
    int UpNumGlyphs() const { return upNumGlyphs_; }
    void SetUpNumGlyphs(int Value);
    const QPixmap& DownGlyph() const { return downGlyph_; }
    void SetDownGlyph(const QPixmap& Glyph);
    int DownNumGlyphs() const { return downNumGlyphs_; }
    void SetDownNumGlyphs(int Value);

    // The control the keyboard focus goes to on a press. Cleared when that control is destroyed.
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* Control) { focusControl_ = Control; }

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    // The default size, so that a layout keeps both buttons clickable.
    QSize sizeHint() const override { return {20, 25}; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ButtonPressed(TQmtTimerSpeedButton* Button);
    void ButtonClicked(TQmtTimerSpeedButton* Button);
    void SetFocusedButton(TQmtTimerSpeedButton* Button);
    static void ApplyGlyph(TQmtTimerSpeedButton* Button, const QPixmap& Glyph, int NumGlyphs, Qt::ArrowType Arrow);

    TQmtTimerSpeedButton* up_;
    TQmtTimerSpeedButton* down_;
    TQmtTimerSpeedButton* focusedButton_;
    QPixmap upGlyph_, downGlyph_;
    int upNumGlyphs_ = 1, downNumGlyphs_ = 1;
    QPointer<QWidget> focusControl_;
};

}  // namespace nerim
