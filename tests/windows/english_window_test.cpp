// The main window started with the English files named in its configuration: what it shows
// beyond its captions (the quality window's words, the fields' messages, the file dialogs) is
// English too.
#include <QLabel>
#include <QPushButton>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include "app/windows/mesh_delta_graph.h"
#include "app/windows/window_prompts.h"
#include "tests/windows/main_window_support.h"
#include "widgets/qmt_edit.h"

namespace nerim {
namespace {

using testing::MainWindowTest;
using testing::Path;
using testing::TempDir;

TEST_F(MainWindowTest, WithTheEnglishFilesNoSpanishIsLeftBeyondTheCaptions) {
    TempDir dir;
    for (const char* file : {"Strings_en.dat", "Translation_en.dat"})
        std::filesystem::copy_file(std::filesystem::path(NERIM_BIN_DIR) / file, dir / file);
    testing::WriteBytes(dir / "Configuration.dat",
                        "[GENERAL]\r\nStrings=Strings_en.dat\r\nUIStrings=Translation_en.dat\r\n");
    TNerimWindowOptions options;
    options.ProgramDirectory = Path(dir.Path());
    {
        TfrmNerim english(options);
        TfrmMeshDeltaGraph& quality = english.QualityWindow();
        quality.Fill({0, 19, 33.5f, 43.5f, 49, 50, 51, 56.5f, 66.5f, 81, 100}, {});
        EXPECT_EQ(quality.findChild<QLabel*>("lblSummaryX")->text(),
                  "10 cells; the smallest 1.0000 (cell 5), the largest 19.0000 (cell 1); largest ratio between "
                  "neighbours 5.5000 (cells 4 and 5); 8 red points");
        EXPECT_EQ(quality.findChild<QLabel*>("lblSummaryY")->text(), "No cells");
        const auto* axis = quality.findChild<QChartView*>("chrtDX")->chart()->findChild<QValueAxis*>("axsPosicionX");
        ASSERT_NE(axis, nullptr);
        EXPECT_EQ(axis->titleText(), "Position");
        EXPECT_EQ(DialogTitle(quality.findChild<QPushButton*>("btnGuardarImagen")->text()), "Save image");
        EXPECT_EQ(FileFilter("PNG", "*.png"), "PNG files (*.png)");

        auto* width = english.findChild<TQmtEdit*>("edtAnchura");
        width->setText("abc");
        width->Validate();
        EXPECT_EQ(width->ShownError(), "The text \"abc\" is not a number");
        EXPECT_EQ(width->toolTip(), "Domain width (m)\nError: The text \"abc\" is not a number");
    }
    // The next window reads the shipped Spanish strings again.
    TfrmNerim restored;
    EXPECT_EQ(FileFilter("PNG", "*.png"), "Archivos PNG (*.png)");
}

}  // namespace
}  // namespace nerim
