#include "widgets/qmt_spin_button.h"

#include <stdexcept>

#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "support/exception.h"
#include "tests/widgets/widget_test_support.h"
#include "widgets/qmt_edit.h"

namespace nerim {
namespace {

TEST(Application, ReportsExceptionsFromHandlersAndGoesOn) {
    RecordReports record;
    QTimer::singleShot(0, [] { throw EConvertError("no es un número"); });
    QTimer::singleShot(0, [] { throw std::runtime_error("fallo interno"); });
    bool after = false;
    QTimer::singleShot(0, [&] { after = true; });
    QTest::qWait(20);
    ASSERT_EQ(record.reports.size(), 2u);
    EXPECT_EQ(record.reports[0].first, TApplication::rkWarning);
    EXPECT_EQ(record.reports[0].second, QString::fromUtf8("no es un número"));
    EXPECT_EQ(record.reports[1].first, TApplication::rkError);
    EXPECT_EQ(record.reports[1].second, "fallo interno");
    EXPECT_TRUE(after);
}

TEST(QmtTimerSpeedButton, RepeatsAfterTheFirstPauseUntilReleased) {
    QWidget window;
    TQmtSpinButton spin(&window);
    int ups = 0;
    spin.OnUpClick = [&](TQmtSpinButton&) { ++ups; };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    TQmtTimerSpeedButton* up = spin.UpButton();
    QTest::mousePress(up, Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_EQ(ups, 0) << "nothing before 400 ms";
    QTest::qWait(450);  // repeats due at 400, 500, 600 and 700 ms; timers may run late
    EXPECT_GE(ups, 2);
    EXPECT_LE(ups, 5);
    QTest::mouseRelease(up, Qt::LeftButton);
    const int released = ups;
    EXPECT_FALSE(up->Repeating());
    QTest::qWait(250);
    EXPECT_EQ(ups, released);
}

TEST(QmtTimerSpeedButton, ClickThatThrowsStopsTheRepeatsAndReachesTheApplication) {
    RecordReports record;
    QWidget window;
    auto* edit = new TQmtEdit(&window);
    edit->SetValueType(typDouble);
    edit->setText("abc");
    edit->SetUseSpin(true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    TQmtTimerSpeedButton* up = edit->SpinButton()->UpButton();
    QTest::mousePress(up, Qt::LeftButton);
    QTest::qWait(550);
    EXPECT_FALSE(up->Repeating());
    EXPECT_FALSE(up->isDown());
    QTest::qWait(200);
    QTest::mouseRelease(up, Qt::LeftButton);
    ASSERT_EQ(record.reports.size(), 1u);
    EXPECT_EQ(record.reports[0].second, QString::fromUtf8("\"abc\" no es un número real válido"));
    EXPECT_EQ(edit->text(), "abc");
}

TEST(QmtSpinButton, KeysClickTheFocusedButton) {
    QWidget window;
    auto* spin = new TQmtSpinButton(&window);
    QStringList clicks;
    spin->OnUpClick = [&](TQmtSpinButton&) { clicks << "up"; };
    spin->OnDownClick = [&](TQmtSpinButton&) { clicks << "down"; };
    ShowActive(window);
    spin->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(spin->FocusedButton(), spin->UpButton());
    EXPECT_TRUE(spin->UpButton()->Focused());
    QTest::keyClick(spin, Qt::Key_Space);
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->FocusedButton(), spin->DownButton());
    EXPECT_TRUE(spin->DownButton()->Focused());
    EXPECT_FALSE(spin->UpButton()->Focused());
    QTest::keyClick(spin, Qt::Key_Space);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(clicks, QStringList({"up", "down", "down", "up"}));
    spin->clearFocus();
    EXPECT_FALSE(spin->UpButton()->Focused());
}

TEST(QmtSpinButton, PressMovesTheFocusToItsControl) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* other = new QLineEdit;
    auto* control = new QLineEdit;
    auto* spin = new TQmtSpinButton;
    for (QWidget* w : {static_cast<QWidget*>(other), static_cast<QWidget*>(control), static_cast<QWidget*>(spin)})
        layout->addWidget(w);
    spin->SetFocusControl(control);
    ShowActive(window);
    other->setFocus();
    QTest::mouseClick(spin->DownButton(), Qt::LeftButton);
    EXPECT_TRUE(control->hasFocus());
    EXPECT_EQ(spin->FocusedButton(), spin->DownButton());
    // Without a control that can take the focus, the spin button takes it.
    delete control;
    EXPECT_EQ(spin->FocusControl(), nullptr);
    other->setFocus();
    QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
    EXPECT_TRUE(spin->hasFocus());
}

}  // namespace
}  // namespace nerim
