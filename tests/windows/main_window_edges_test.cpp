// Edges of the main window that random sessions ran into: each case is the shortest sequence of
// user actions that showed the fault, kept so that it cannot come back unnoticed.
#include <QSpinBox>

#include "tests/windows/damaged_projects.h"
#include "tests/windows/main_window_support.h"

namespace nerim {
namespace {

using testing::MainWindowTest;
using testing::Path;
using testing::TempDir;

const std::filesystem::path kGolden = std::filesystem::path(NERIM_TEST_DATA) / ".." / ".." / "app" / "data" / "golden";

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

// With a display the failed batch run shows in its message box the line it writes to standard
// error: one readable line naming the project, whatever the file held.
TEST_F(MainWindowTest, AFailedBatchRunShowsTheLineItWritesToStandardError) {
    TempDir dir;
    for (const testing::TDamagedProject& project : testing::MakeDamagedProjects(dir, kGolden / "project.dat")) {
        TNerimWindowOptions options;
        options.BatchProject = Path(dir / project.Name);
        TfrmNerim failing(options);
        RecordReports record;
        ::testing::internal::CaptureStderr();
        FailingCall([&failing] { failing.RunCommandLineBatch(); });
        const std::string err = ::testing::internal::GetCapturedStderr();
        ASSERT_EQ(record.reports.size(), 1u) << project.Name;
        EXPECT_EQ(record.reports[0].second.toStdString() + "\n", err);
        EXPECT_EQ(testing::CheckFailureLine(record.reports[0].second.toStdString(), project), "");
        EXPECT_TRUE(failing.BatchFailed());
    }
}

}  // namespace
}  // namespace nerim
