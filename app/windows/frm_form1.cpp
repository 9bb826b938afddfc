#include "app/windows/frm_form1.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace nerim {

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    auto* layout = new QVBoxLayout(this);
    rbtBC_ = new QGroupBox(QStringLiteral("Condiciones de contorno"), this);
    rbtBC_->setObjectName(QStringLiteral("rbtBC"));
    layout->addWidget(rbtBC_);
    auto* items = new QVBoxLayout(rbtBC_);
    for (const char* item : {"Rigid Free-Slip", "Rigid No-Slip", "Continuative Outflow", "Periodic", "Applied Pressure",
                             "Specified Inflow or Outflow"})
        items->addWidget(new QRadioButton(QString::fromLatin1(item), rbtBC_));
}

int TForm1::ItemIndex() const {
    const QList<QRadioButton*> items = rbtBC_->findChildren<QRadioButton*>();
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked()) return i;
    return -1;
}

}  // namespace nerim
