#pragma once

#include <functional>

#include <QColor>
#include <QLineEdit>
#include <QString>

#include "support/value_text.h"

class QMenu;

namespace nerim {

class TQmtSpinButton;

// The single-line field of every number the windows ask for. It knows what kind of value it
// holds (ValueType), checks its text against that kind and an optional range, shows an invalid
// entry by the ErrorColor background and an explanation in its tooltip, reads and writes its
// value as a number, and can carry a spin button at its right edge.
//
// When the check runs: on every change of the text with seOnChange in ShowError (otherwise the
// normal look comes back), then OnChange fires; on losing the focus with seOnExit (otherwise the
// normal look). The tooltip is the base tooltip, " (Units)" when there are units and, for an
// invalid entry, a line break, "Error: " and the message. The base tooltip is whatever tooltip
// the field is given from outside (setToolTip by a window or by translation); the field's own
// additions never replace it.
//
// Beyond the spin button, the up and down arrow keys and the mouse wheel over the focused field
// step a number. Pasting and cutting (keys, context menu, middle button, drops) are refused
// unless EditorEnabled is set and the field is not read-only.
//
// The base tooltip is also the property "baseToolTip", which window translation reads and
// writes: a translation changes the base, never the error line shown on top of it.
class TQmtEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString baseToolTip READ BaseHint WRITE SetBaseHint)

public:
    enum EShowError { seOnChange = 0x1, seOnExit = 0x2 };
    Q_DECLARE_FLAGS(SShowError, EShowError)
    Q_FLAG(SShowError)
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)

    using TCustomToDouble = std::function<void(TQmtEdit& Sender, double& Value)>;
    using TCustomFromDouble = std::function<void(TQmtEdit& Sender, double Value, QString& Text)>;
    using TCustomIsValid =
        std::function<void(TQmtEdit& Sender, const QString& Text, bool& Valid, QString& ErrorMessage)>;
    using TNotifyEvent = std::function<void(TQmtEdit& Sender)>;

    explicit TQmtEdit(QWidget* parent = nullptr);
    ~TQmtEdit() override;

    // Published properties.
    TValueType ValueType() const { return valueType_; }
    void SetValueType(TValueType Value) { valueType_ = Value; }
    double MinValue() const { return minValue_; }
    void SetMinValue(double Value) { minValue_ = Value; }
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double Value) { maxValue_ = Value; }
    double Increment() const { return increment_; }
    void SetIncrement(double Value) { increment_ = Value; }
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool Value) { editorEnabled_ = Value; }
    bool UseSpin() const { return spin_ != nullptr; }
    void SetUseSpin(bool Value);
    const QColor& ErrorColor() const { return errorColor_; }
    void SetErrorColor(const QColor& Value);
    SShowError ShowError() const { return showError_; }
    void SetShowError(SShowError Value) { showError_ = Value; }
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& Value) { caption_ = Value; }
    int CaptionWidth() const { return captionWidth_; }
    void SetCaptionWidth(int Value) { captionWidth_ = Value; }
    const QString& Units() const { return units_; }
    void SetUnits(const QString& Value);
    const QString& FloatFormat() const { return floatFormat_; }
    void SetFloatFormat(const QString& Value) { floatFormat_ = Value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool Value) { autoSelect_ = Value; }

    TCustomToDouble CustomToDouble;
    TCustomFromDouble CustomFromDouble;
    TCustomIsValid CustomIsValid;
    // After the check that follows every change of the text.
    TNotifyEvent OnChange;

    // The text as an integer; EConvertError when it is not one.
    int AsInteger() const;
    void SetAsInteger(int Value);
    // typCustom: what CustomToDouble gives (0 without it). Otherwise 0 for an empty text, "-" or
    // "+", else the text as a real number (EConvertError when it is not one).
    double AsFloat();
    // typCustom: the text CustomFromDouble gives (empty without it). Otherwise the value through
    // FloatFormat, which becomes "%.3f" first when empty.
    void SetAsFloat(double Value);

    // Checks Text as a value of Type against this field's range; Message explains a failure.
    bool IsValidText(const QString& Text, TValueType Type, QString& Message);
    // Shows the check's result: an empty Message is the normal look.
    void ShowValidity(const QString& Message);
    // Checks the current text and shows the result.
    void Validate();
    // The message the field shows now; empty when it shows the normal look.
    const QString& ShownError() const { return shownError_; }
    const QString& BaseHint() const { return baseHint_; }
    // A new base tooltip; the units and any error shown stay on top of it.
    void SetBaseHint(const QString& Value);

    // The spin steps: Increment up or down, never past the range; a read-only field beeps.
    void UpClick();
    void DownClick();

    TQmtSpinButton* SpinButton() const { return spin_; }

    // The context menu the field shows: the standard one without cut and paste when they are
    // refused. The caller owns it.
    QMenu* CreateContextMenu();

signals:
    // After OnChange.
    void Changed();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool CanPasteOrCut() const { return editorEnabled_ && !isReadOnly(); }
    bool Steps() const { return valueType_ == typInteger || valueType_ == typDouble; }
    void Step(int Direction);
    void TextChanged();
    void PlaceSpin();

    TValueType valueType_ = typIdentifier;
    double minValue_ = 0.0;
    double maxValue_ = 0.0;
    double increment_ = 1.0;
    bool editorEnabled_ = true;
    QColor errorColor_ = Qt::yellow;
    SShowError showError_ = seOnExit;
    QString caption_ = QStringLiteral("Caption");
    int captionWidth_ = 100;
    QString units_;
    QString floatFormat_;
    TAlignment alignment_ = taLeftJustify;
    bool autoSelect_ = true;

    TQmtSpinButton* spin_ = nullptr;
    QString baseHint_;
    QString shownError_;
    bool settingHint_ = false;
    int wheelDelta_ = 0;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TQmtEdit::SShowError)

}  // namespace nerim
