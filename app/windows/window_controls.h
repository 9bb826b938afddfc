#pragma once

#include <QString>

#include "support/value_text.h"

class QAction;
class QKeySequence;
class QLabel;
class QObject;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;

namespace nerim {

class TQmtEdit;

// The controls every area of the main window makes: named (the name is the translation key),
// with their Spanish tool tip.

// A label; with a buddy, its mnemonic moves the focus there.
QLabel* NamedLabel(QWidget* Parent, const char* Name, const QString& Caption, const QString& Hint,
                   QWidget* Buddy = nullptr);
// A push button that does not take Enter from the fields around it.
QPushButton* NamedButton(QWidget* Parent, const char* Name, const QString& Caption, const QString& Hint);
// A tool button (the flat buttons of the view tools and the objects).
QToolButton* NamedToolButton(QWidget* Parent, const char* Name, const QString& Caption, const QString& Hint);
// A menu command; its hint is its tool tip and its status-bar tip.
QAction* NamedAction(QObject* Parent, const char* Name, const QString& Caption, const QString& Hint);
QSpinBox* NamedSpin(QWidget* Parent, const char* Name, int Minimum, int Maximum, int Value, const QString& Hint);
// A validated field of numbers (its caption is stored, as the field keeps it, not drawn).
TQmtEdit* NamedField(QWidget* Parent, const char* Name, TValueType Type, const QString& Caption, const QString& Hint);

}  // namespace nerim
