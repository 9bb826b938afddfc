// Edges of the main window that random sessions ran into: each case is the shortest sequence of
// user actions that showed the fault, kept so that it cannot come back unnoticed.
#include <QSpinBox>

#include "tests/windows/main_window_support.h"

namespace nerim {
namespace {

using testing::MainWindowTest;

TEST_F(MainWindowTest, ASubZoneSpinThatCannotApplyTheFieldsStaysOnTheSubZoneTheyShow) {
    RecordReports record;
    Click("btnAddSubzoneX");
    auto* spin = Find<QSpinBox>("sedtSubZonaX");
    ASSERT_TRUE(spin->isEnabled());
    Type("edtNumDivLX", "abc");
    FailingCall([spin] { spin->setValue(2); });
    ASSERT_EQ(record.reports.size(), 1u);
    EXPECT_EQ(Mesh().CurrentSubZoneX(), 0);
    EXPECT_EQ(spin->value(), 1);
    EXPECT_TRUE(window->MeshArea().MeshEdited());
    EXPECT_EQ(Text("edtNumDivLX"), "abc");

    // Once the field reads, the spin moves on and the edit goes to the sub-zone it was typed for.
    Type("edtNumDivLX", "7");
    spin->setValue(2);
    EXPECT_EQ(Mesh().CurrentSubZoneX(), 1);
    EXPECT_EQ(Mesh().GetSubZoneX(0).NumDivL, 7);
    EXPECT_EQ(Text("edtNumDivLX"), "5");
}

}  // namespace
}  // namespace nerim
