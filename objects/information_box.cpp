#include "objects/information_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <utility>

namespace nerim {

namespace {

void MessageBox(const std::string& Message) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(),
                             QString::fromStdString(Message), QMessageBox::Ok);
}

TInformationBox& Installed() {
    static TInformationBox box;
    return box;
}

}  // namespace

TInformationBox SetInformationBox(TInformationBox Box) { return std::exchange(Installed(), std::move(Box)); }

void ShowInformation(const std::string& Message) {
    // A copy: the box may install another one while it is shown.
    const TInformationBox box = Installed();
    if (box) box(Message);
    else MessageBox(Message);
}

}  // namespace nerim
