#include "objects/widget/message_box_information.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <string>

#include "objects/information_box.h"

namespace nerim {

void InstallMessageBoxInformation() {
    SetInformationBox([](const std::string& Message) {
        QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(),
                                 QString::fromStdString(Message), QMessageBox::Ok);
    });
}

}  // namespace nerim
