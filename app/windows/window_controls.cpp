#include "app/windows/window_controls.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "widgets/qmt_edit.h"

namespace nerim {

QLabel* NamedLabel(QWidget* Parent, const char* Name, const QString& Caption, const QString& Hint, QWidget* Buddy) {
    auto* label = new QLabel(Caption, Parent);
    label->setObjectName(QString::fromLatin1(Name));
    label->setToolTip(Hint);
    if (Buddy) label->setBuddy(Buddy);
    return label;
}

QPushButton* NamedButton(QWidget* Parent, const char* Name, const QString& Caption, const QString& Hint) {
    auto* button = new QPushButton(Caption, Parent);
    button->setObjectName(QString::fromLatin1(Name));
    button->setToolTip(Hint);
    button->setAutoDefault(false);
    return button;
}

QAction* NamedAction(QObject* Parent, const char* Name, const QString& Caption, const QString& Hint) {
    auto* action = new QAction(Caption, Parent);
    action->setObjectName(QString::fromLatin1(Name));
    action->setToolTip(Hint);
    action->setStatusTip(Hint);
    return action;
}

QToolButton* NamedToolButton(QWidget* Parent, const char* Name, const QString& Caption, const QString& Hint) {
    auto* button = new QToolButton(Parent);
    button->setObjectName(QString::fromLatin1(Name));
    button->setText(Caption);
    button->setToolTip(Hint);
    return button;
}

QSpinBox* NamedSpin(QWidget* Parent, const char* Name, int Minimum, int Maximum, int Value, const QString& Hint) {
    auto* spin = new QSpinBox(Parent);
    spin->setObjectName(QString::fromLatin1(Name));
    spin->setRange(Minimum, Maximum);
    spin->setValue(Value);
    spin->setToolTip(Hint);
    return spin;
}

TQmtEdit* NamedField(QWidget* Parent, const char* Name, TValueType Type, const QString& Caption, const QString& Hint) {
    auto* field = new TQmtEdit(Parent);
    field->setObjectName(QString::fromLatin1(Name));
    field->SetValueType(Type);
    field->SetCaption(Caption);
    field->setToolTip(Hint);
    return field;
}

}  // namespace nerim
