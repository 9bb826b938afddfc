#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <string>

#include "objects/information_box.h"
#include "objects/widget/message_box_information.h"

namespace nerim {
namespace {

// Restores the box installed before the test.
class InformationBox : public ::testing::Test {
protected:
    void TearDown() override { SetInformationBox(previous_); }
    TInformationBox previous_ = SetInformationBox({});
};

TEST_F(InformationBox, WithoutABoxTheMessageGoesToStandardError) {
    ::testing::internal::CaptureStderr();
    ShowInformation("Un polígono ha de tener al menos tres vértices");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Un polígono ha de tener al menos tres vértices\n");
}

TEST_F(InformationBox, TheMessageBoxShowsTheMessageAndReturnsOnceAcknowledged) {
    QApplication::setApplicationName("Nerim");
    InstallMessageBoxInformation();
    QString title, text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(10);
    ShowInformation("Hecho");
    poll.stop();
    EXPECT_EQ(title, "Nerim");
    EXPECT_EQ(text, "Hecho");
}

}  // namespace
}  // namespace nerim
