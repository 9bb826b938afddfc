// Whole sessions with the main window: drawing, saving, opening, generating and exporting as a user
// does; the unsaved-changes question; the start-up variants and the batch run of the command line.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QSignalSpy>
#include <QUrl>
#include <cstdlib>

#include "app/project.h"
#include "app/windows/object_editor.h"
#include "app/windows/project_actions.h"
#include "app/windows/status_readout.h"
#include "objects/core/porous_medium_def.h"
#include "support/string_table.h"
#include "widgets/translation_hooks.h"
#include "tests/windows/main_window_support.h"

namespace nerim {
namespace {

using testing::MainWindowTest;
using testing::Path;
using testing::ReadBytes;
using testing::TempDir;

const std::filesystem::path kGolden = std::filesystem::path(NERIM_TEST_DATA) / ".." / ".." / "app" / "data" / "golden";

int RunProgram(const std::string& command) {
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST_F(MainWindowTest, ASessionDrawnWithTheMouseExportsWhatTheCommandLineMesherWrites) {
    TempDir dir;
    ShowWithKnownView();
    DrawObject("btnObstaculo", {{5, 10}, {40, 10}, {40, 8.5}, {5, 7}});
    DrawObject("btnPoroso", {{50, 9}, {70, 9}, {66, 4}});
    auto* porous = dynamic_cast<TCEPolyline*>(window->ObjectsArea().CurrentObject());
    ASSERT_NE(porous, nullptr);
    ASSERT_EQ(porous->Line().Count(), 3);
    // The last vertex typed in model coordinates.
    Type("edtPolylineX", "60.5");
    Type("edtPolylineY", "6.25");
    Click("btnPolylinPointOk");
    EXPECT_EQ(porous->Line().GetPoint(porous->Line().Tail()), (TPoint2D{60.5, 3.75}));
    Type("edtPorosity", "0.42");
    Type("edtLinearFricCoef", "250");
    Type("edtD50", "0.05");
    Click("btnObjectOK");
    auto* material = dynamic_cast<TPorousMediumDef*>(porous->Definition());
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->Porosity, 0.42);
    EXPECT_EQ(material->LinearFricCoef, 250.0);
    Type("edtNumDivLX", "12");
    Type("edtMaxSepY", "0.4");

    const std::filesystem::path project = dir / "flume.DAT";
    prompts.Files.push_back(Path(project));
    Trigger("Guardar1");
    ASSERT_TRUE(std::filesystem::exists(project));
    EXPECT_EQ(window->FileName(), Path(project));
    EXPECT_EQ(window->windowTitle(), "Nerim - flume.DAT");
    EXPECT_FALSE(window->IsModified());
    EXPECT_EQ(Mesh().GetSubZoneX(0).NumDivL, 12);  // saving applied the fields

    // Opened again (nothing changed: no question), generated and exported.
    prompts.Files.push_back(Path(project));
    Trigger("Abrir1");
    EXPECT_TRUE(prompts.Questions.empty());
    ASSERT_EQ(window->Set().Objects().size(), 2u);
    EXPECT_EQ(Find<QListWidget>("lbxObjects")->count(), 2);
    Click("btnGenerateMesh");
    Click("btnGuardarMallado");
    ASSERT_TRUE(std::filesystem::exists(dir / "Mesh.mes"));

    std::filesystem::create_directory(dir / "cli");
    std::filesystem::copy_file(project, dir / "cli" / "flume.DAT");
    ASSERT_EQ(RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + std::string(NERIM_BIN_DIR) +
                         "/nerim-mesh' --quiet '" + (dir / "cli" / "flume.DAT").string() + "'"),
              0);
    const std::string exported = ReadBytes(dir / "Mesh.mes");
    EXPECT_FALSE(exported.empty());
    EXPECT_EQ(exported, ReadBytes(dir / "cli" / "Mesh.mes"));
}

TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsksToSaveDiscardOrCancel) {
    TempDir dir;
    Click("btnAgua");
    QCoreApplication::processEvents();
    EXPECT_EQ(window->windowTitle(), "Nerim - Sin título*");
    window->show();

    prompts.Answers.push_back(TSaveAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(prompts.Questions.size(), 1u);
    EXPECT_EQ(prompts.Questions[0], "¿Guardar los cambios de Sin título?");

    // Save with the dialog cancelled saves nothing and keeps the window.
    prompts.Answers.push_back(TSaveAnswer::Save);
    prompts.Files.push_back(QString());
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    prompts.Answers.push_back(TSaveAnswer::Save);
    prompts.Files.push_back(Path(dir / "water.DAT"));
    EXPECT_TRUE(window->close());
    ASSERT_TRUE(std::filesystem::exists(dir / "water.DAT"));
    TWorkingSet reread;
    LoadProject(dir / "water.DAT", reread.Mesh(), reread.Objects(), reread.Canvax(), reread.ObjectsLayer(), {});
    EXPECT_EQ(reread.Objects().size(), 1u);

    // A saved window closes without a question; a change since then asks again, and Discard drops it.
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompts.Questions.size(), 3u);
    window->show();
    Click("btnAddSubzoneY");
    prompts.Answers.push_back(TSaveAnswer::Discard);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompts.Questions.back(), "¿Guardar los cambios de water.DAT?");
    EXPECT_EQ(ReadBytes(dir / "water.DAT"), ProjectText(reread.Mesh(), reread.Objects()));
}

TEST_F(MainWindowTest, OpeningAsksFirstAndForgetsTheOldObjectsSafely) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    ShowWithKnownView();
    DrawObject("btnObstaculo", {{10, 2}, {20, 8}, {30, 2}});
    ASSERT_NE(window->ObjectsArea().SelectedNode(), nullptr);

    prompts.Answers.push_back(TSaveAnswer::Cancel);
    Trigger("Abrir1");
    EXPECT_TRUE(prompts.Dialogs.empty());  // cancelled before the dialog
    EXPECT_EQ(window->Set().Objects().size(), 1u);

    prompts.Answers.push_back(TSaveAnswer::Discard);
    prompts.Files.push_back(Path(dir / "project.dat"));
    Trigger("Abrir1");
    EXPECT_EQ(window->FileName(), Path(dir / "project.dat"));
    EXPECT_EQ(window->Set().Objects().size(), 3u);
    EXPECT_EQ(window->ObjectsArea().SelectedNode(), nullptr);
    EXPECT_EQ(window->ObjectsArea().NodePolygon(), nullptr);
    EXPECT_EQ(window->ObjectsArea().CurrentObject(), nullptr);
    EXPECT_EQ(window->ObjectEditor().CurrentPage(), "tabNoObject");
    EXPECT_EQ(Find<QListWidget>("lbxObjects")->count(), 3);
    EXPECT_FALSE(window->IsModified());
    EXPECT_EQ(window->windowTitle(), "Nerim - project.dat");
    EXPECT_NE(window->Status().MessageText().indexOf("project.dat"), -1);
    EXPECT_EQ(window->ProjectActions().RecentFiles().front(), Path(dir / "project.dat"));

    // Every opened polygon reports its vertices to the window.
    QListWidget* list = Find<QListWidget>("lbxObjects");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    auto* second = dynamic_cast<TCEPolyline*>(window->ObjectsArea().CurrentObject());
    ASSERT_NE(second, nullptr);
    second->SetCurrentNode(second->Line().Head());
    EXPECT_EQ(window->ObjectsArea().NodePolygon(), second);

    // A file that cannot be read leaves the project and its name as they were.
    RecordReports record;
    prompts.Files.push_back(Path(dir / "missing.dat"));
    FailingCall([this] { window->ProjectActions().Abrir1Click(); });
    EXPECT_EQ(record.reports.size(), 1u);
    EXPECT_EQ(window->FileName(), Path(dir / "project.dat"));
    EXPECT_EQ(window->Set().Objects().size(), 3u);
}

TEST_F(MainWindowTest, OpeningKeepsTheShownSubZonesInsideTheNewLists) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    prompts.Files.push_back(QString::fromStdString(NERIM_TEST_DATA "/three_zones.dat"));
    Trigger("Abrir1");
    ASSERT_EQ(Mesh().SubZoneXCount(), 3);
    Find<QSpinBox>("sedtSubZonaX")->setValue(3);
    EXPECT_EQ(Text("edtCentroX"), "80.000");
    Click("btnGenerateMesh");
    EXPECT_TRUE(window->MeshArea().HasGeneratedMesh());

    Click("btnZoom");
    prompts.Files.push_back(Path(dir / "project.dat"));
    Trigger("Abrir1");
    EXPECT_EQ(window->ViewTools().MouseMode(), 1);  // opening selects nothing
    EXPECT_EQ(Mesh().SubZoneXCount(), 1);
    EXPECT_EQ(Mesh().CurrentSubZoneX(), 0);
    EXPECT_EQ(Text("edtCentroX"), "2.000");
    EXPECT_FALSE(Find<QSpinBox>("sedtSubZonaX")->isEnabled());
    // The mesh generated for the other project is not this one's to export.
    EXPECT_FALSE(window->MeshArea().HasGeneratedMesh());
    Click("btnGuardarMallado");
    EXPECT_EQ(prompts.Information.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir / "Mesh.mes"));
}

TEST_F(MainWindowTest, AFileDroppedOnTheWindowOpensAndRecentFilesReopen) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "drop.dat");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path(dir / "drop.dat"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(window->FileName(), Path(dir / "drop.dat"));
    EXPECT_EQ(window->Set().Objects().size(), 3u);

    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(Path(dir / "picture.png"))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());

    // The recent files reopen a project; one that is gone is dropped from the list.
    QMenu* recent = window->ProjectActions().RecentMenu();
    ASSERT_FALSE(recent->actions().isEmpty());
    EXPECT_NE(recent->actions().front()->text().indexOf("drop.dat"), -1);
    std::filesystem::remove(dir / "drop.dat");
    recent->actions().front()->trigger();
    EXPECT_NE(window->Status().MessageText().indexOf("ya no existe"), -1);
    EXPECT_FALSE(window->ProjectActions().RecentFiles().contains(Path(dir / "drop.dat")));
}

TEST_F(MainWindowTest, TheBatchRunWritesTheMeshOrReportsAndKeepsTheWindow) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    TNerimWindowOptions options;
    options.BatchProject = Path(dir / "project.dat");
    TfrmNerim batch(options);
    QSignalSpy finished(&batch, &TfrmNerim::BatchFinished);
    batch.RunCommandLineBatch();
    EXPECT_FALSE(batch.BatchFailed());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.front().front().toInt(), 0);
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), ReadBytes(kGolden / "Mesh.mes"));

    // Nobody to see the window: the failure ends the program with 1, no message box.
    options.BatchProject = Path(dir / "missing.dat");
    options.Unattended = true;
    TfrmNerim unattended(options);
    QSignalSpy ended(&unattended, &TfrmNerim::BatchFinished);
    ::testing::internal::CaptureStderr();
    unattended.RunCommandLineBatch();
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(unattended.BatchFailed());
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.front().front().toInt(), 1);
    options.Unattended = false;

    // Failing with a display: the message box, the line on standard error, the window open.
    TfrmNerim failing(options);
    QSignalSpy failingEnded(&failing, &TfrmNerim::BatchFinished);
    RecordReports record;
    ::testing::internal::CaptureStderr();
    failing.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !record.reports.empty(); }, 5000));
    EXPECT_TRUE(failing.BatchFailed());
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("No se pudo mallar"), std::string::npos) << err;
    EXPECT_NE(err.find("missing.dat"), std::string::npos) << err;
    EXPECT_NE(record.reports[0].second.indexOf("missing.dat"), -1);
    EXPECT_TRUE(failing.isVisible());
    EXPECT_EQ(failingEnded.count(), 0);
    EXPECT_FALSE(failing.IsModified());
    failing.hide();
}

TEST_F(MainWindowTest, TranslationModeHooksTheWindowAndSavesTheList) {
    TempDir dir;
    TfrmNerim translating(testing::TranslationModeIn(dir));
    EXPECT_TRUE(translating.findChild<QAction*>("mniSaveTranslation")->isVisible());
    ASSERT_NE(translating.TranslationHooks(), nullptr);
    EXPECT_TRUE(translating.TranslationHooks()->IsHooked(&translating));
    EXPECT_TRUE(translating.TranslationHooks()->IsHooked(translating.findChild<QObject*>("btnAgua")));
    EXPECT_EQ(window->TranslationHooks(), nullptr);  // the standard program hooks nothing
    translating.Internacionalization().RecordTranslation("frmNerim.btnAgua", "Water", "New water");
    translating.findChild<QAction*>("mniSaveTranslation")->trigger();
    const std::string saved = ReadBytes(dir / "Translation.dat");
    EXPECT_NE(saved.find("frmNerim.btnAgua=Water##New water"), std::string::npos) << saved;
}

TEST_F(MainWindowTest, AnUnreadableStringsFileIsReportedAndTheWindowStillWorks) {
    TempDir dir;
    testing::WriteBytes(dir / "Configuration.dat", "[GENERAL]\r\nStrings=Missing.dat\r\n");
    const std::string kept = StringTableEntry(1);
    TNerimWindowOptions options;
    options.ProgramDirectory = Path(dir.Path());
    {
        RecordReports record;
        TfrmNerim bare(options);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !record.reports.empty(); }, 5000));
        EXPECT_EQ(record.reports[0].second,
                  "Error leyendo archivo de internacionalización/Error reading internationalization file");
        EXPECT_EQ(bare.findChild<QLabel*>("lblNumSubzonas")->text(), "****");
        QTest::mouseClick(bare.findChild<QPushButton*>("btnGenerateMesh"), Qt::LeftButton);
        EXPECT_EQ(bare.Mesh().DivisionXCount(), 11);
        QTest::mouseClick(bare.findChild<QAbstractButton*>("btnPoroso"), Qt::LeftButton);
        EXPECT_EQ(bare.Set().Objects().size(), 1u);
    }
    // The next window reads the shipped strings again.
    TfrmNerim restored;
    EXPECT_EQ(StringTableEntry(1), kept);
}

}  // namespace
}  // namespace nerim
