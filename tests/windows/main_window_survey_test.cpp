// Objects from survey files in the window: a seabed profile and an outline imported through the
// menu join the project as drawn objects, and the exported mesh is the one the command-line
// mesher makes of the same files; a bad file adds nothing and names its line.
#include <QAction>
#include <QListWidget>
#include <cstdlib>

#include "app/windows/objects_area.h"
#include "app/windows/status_readout.h"
#include "app/windows/survey_actions.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "tests/windows/main_window_support.h"

namespace nerim {
namespace {

using testing::MainWindowTest;
using testing::Path;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// Answers the outline's material question with a fixed choice, and counts the questions.
class ChosenMaterial {
public:
    explicit ChosenMaterial(std::optional<int> Answer) {
        previous_ = SetChoiceQuestion([this, Answer](QWidget*, const QString&, const QStringList& items) {
            Items = items;
            ++Asked;
            return Answer;
        });
    }
    ~ChosenMaterial() { SetChoiceQuestion(previous_); }
    ChosenMaterial(const ChosenMaterial&) = delete;
    ChosenMaterial& operator=(const ChosenMaterial&) = delete;

    int Asked = 0;
    QStringList Items;

private:
    TChoiceQuestion previous_;
};

TEST_F(MainWindowTest, ImportedProfileAndOutlineMeshAsTheCommandLineMakesThem) {
    TempDir dir;
    // The default domain is 100 × 10: the profile starts left of it and ends above it.
    WriteBytes(dir / "bed.csv", "X;Y\r\n# survey of 2026\r\n-5;2\r\n40;3.5\r\n\r\n80;6\r\n110;12\r\n");
    WriteBytes(dir / "core.txt", "55 4\n65 4\n62 7\n58 7\n");
    const std::filesystem::path base = dir / "base.DAT";
    prompts.Files.push_back(Path(base));
    Trigger("Guardar1");
    ASSERT_TRUE(std::filesystem::exists(base));

    prompts.Files.push_back(Path(dir / "bed.csv"));
    Trigger("mniImportarPerfil");
    ASSERT_EQ(window->Set().Objects().size(), 1u);
    auto* bed = dynamic_cast<TCEPolyline*>(window->ObjectsArea().CurrentObject());
    ASSERT_NE(bed, nullptr);
    EXPECT_NE(dynamic_cast<TObstacleDef*>(bed->Definition()), nullptr);
    EXPECT_EQ(bed->Color(), clYellow);
    EXPECT_TRUE(bed->Closed());
    // Clipped to the domain and closed down to its bottom edge (world y = 10).
    for (TPLNode* node = bed->Line().Head(); node; node = node->Next()) {
        const TPoint2D p = bed->Line().GetPoint(node);
        EXPECT_TRUE(p.X >= 0 && p.X <= 100 && p.Y >= 0 && p.Y <= 10) << p.X << ", " << p.Y;
    }
    EXPECT_EQ(Find<QListWidget>("lbxObjects")->count(), 1);
    EXPECT_EQ(Find<QListWidget>("lbxObjects")->currentRow(), 0);
    const QString status = window->Status().MessageText();
    EXPECT_NE(status.indexOf("bed.csv"), -1) << status.toStdString();
    EXPECT_NE(status.indexOf("recortado"), -1) << status.toStdString();
    EXPECT_TRUE(window->IsModified());

    {
        ChosenMaterial porous(1);
        prompts.Files.push_back(Path(dir / "core.txt"));
        Trigger("mniImportarContorno");
        EXPECT_EQ(porous.Asked, 1);
        EXPECT_EQ(porous.Items, (QStringList{"Obstáculo", "Poroso", "Agua"}));  // the buttons' captions
    }
    ASSERT_EQ(window->Set().Objects().size(), 2u);
    auto* core = dynamic_cast<TCEPolyline*>(window->ObjectsArea().CurrentObject());
    ASSERT_NE(core, nullptr);
    EXPECT_NE(dynamic_cast<TPorousMediumDef*>(core->Definition()), nullptr);
    EXPECT_EQ(core->Line().Count(), 4);
    EXPECT_EQ(core->Line().GetPoint(core->Line().Head()), (TPoint2D{55, 6}));

    // A cancelled material question imports nothing.
    {
        ChosenMaterial cancelled(std::nullopt);
        prompts.Files.push_back(Path(dir / "core.txt"));
        Trigger("mniImportarContorno");
    }
    EXPECT_EQ(window->Set().Objects().size(), 2u);

    Click("btnGenerateMesh");
    Click("btnGuardarMallado");
    ASSERT_TRUE(std::filesystem::exists(dir / "Mesh.mes"));
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + std::string(NERIM_BIN_DIR) +
                                "/nerim-mesh' --quiet --add-profile '" + (dir / "bed.csv").string() +
                                "' --add-outline '" + (dir / "core.txt").string() + ":porous' -o '" +
                                (dir / "cli.mes").string() + "' '" + base.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), ReadBytes(dir / "cli.mes"));
}

TEST_F(MainWindowTest, ABadSurveyFileAddsNothingAndNamesItsLine) {
    TempDir dir;
    WriteBytes(dir / "bed.csv", "0 1\n10 2\n20 x3\n");
    RecordReports record;
    FailingCall([&] { window->SurveyActions().ImportProfile(Path(dir / "bed.csv")); });
    ASSERT_EQ(record.reports.size(), 1u);
    const QString message = record.reports[0].second;
    EXPECT_NE(message.indexOf("bed.csv"), -1) << message.toStdString();
    EXPECT_NE(message.indexOf("3"), -1) << message.toStdString();
    EXPECT_TRUE(window->Set().Objects().empty());
    EXPECT_EQ(Find<QListWidget>("lbxObjects")->count(), 0);
}

}  // namespace
}  // namespace nerim
