// The main window's controls and handlers, driven as a user drives them, off screen.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include "app/batch_run.h"
#include "app/window_texts.h"
#include "app/windows/frm_form1.h"
#include "app/windows/map_tools.h"
#include "app/windows/mesh_delta_graph.h"
#include "app/windows/object_editor.h"
#include "app/windows/result_viewer.h"
#include "app/windows/status_readout.h"
#include "objects/core/porous_medium_def.h"
#include "support/format.h"
#include "tests/windows/main_window_support.h"

namespace nerim {
namespace {

using testing::MainWindowTest;
using testing::Path;
using testing::ReadBytes;
using testing::TempDir;

TEST_F(MainWindowTest, StartsWithTheDefaultMeshInItsFields) {
    EXPECT_EQ(window->objectName(), "frmNerim");
    EXPECT_EQ(window->windowTitle(), "Nerim");
    EXPECT_EQ(Text("edtAnchura"), "100.000");
    EXPECT_EQ(Text("edtAltura"), "10.000");
    EXPECT_EQ(Text("edtCentroX"), "50.000");
    EXPECT_EQ(Text("edtDivisionX"), "0.000");
    EXPECT_EQ(Text("edtNumDivLX"), "5");
    EXPECT_EQ(Text("edtlNumDivRX"), "5");
    EXPECT_EQ(Text("edtMaxSepX"), "1.000");
    EXPECT_EQ(Text("edtCentroY"), "5.000");
    EXPECT_EQ(Text("edtDivisionY"), "0.000");
    EXPECT_EQ(Text("edtNumDivLY"), "5");
    EXPECT_EQ(Text("edtlNumDivRY"), "5");
    EXPECT_EQ(Text("edtMaxSepY"), "0.600");
    EXPECT_FALSE(Find<QSpinBox>("sedtSubZonaX")->isEnabled());
    EXPECT_FALSE(Find<QSpinBox>("sedtSubZonaY")->isEnabled());
    EXPECT_EQ(Find<QLabel>("lblNumSubzonas")->text(), "Subzonas en X: 1, en Y: 1");
    EXPECT_FALSE(Find<TChangeFrame>("shpChanges")->Shown());
    EXPECT_FALSE(window->MeshArea().MeshEdited());
    EXPECT_EQ(window->ObjectEditor().CurrentPage(), "tabNoObject");
    EXPECT_EQ(Find<QLabel>("lblNoObject")->text(), "No hay ningún objeto seleccionado");
    for (const char* name : {"edtNX", "edtNY"}) {
        const QSpinBox* spin = Find<QSpinBox>(name);
        EXPECT_EQ(spin->value(), 10);
        EXPECT_EQ(spin->minimum(), 1);
        EXPECT_EQ(spin->maximum(), 99);
    }
    EXPECT_EQ(Find<QSpinBox>("edtI")->value(), 0);
    EXPECT_EQ(Find<QSpinBox>("edtJ")->value(), 0);
    const QComboBox* variables = Find<QComboBox>("cbxVariableList");
    QStringList names;
    for (int i = 0; i < variables->count(); ++i) names << variables->itemText(i);
    EXPECT_EQ(names, QStringList({"AC", "AR", "AT", "VOF", "Noc", "Npc", "Results"}));
    EXPECT_EQ(variables->currentIndex(), -1);
    const QComboBox* porous = Find<QComboBox>("cbxTipoPoroso");
    EXPECT_EQ(porous->count(), 3);
    EXPECT_EQ(porous->itemText(0), "Sin medio poroso");
    EXPECT_EQ(porous->currentIndex(), 2);
    EXPECT_TRUE(Find<QToolButton>("btnMallaVisible")->isChecked());
    EXPECT_TRUE(Find<QToolButton>("btnObjetos")->isChecked());
    EXPECT_FALSE(Find<QLineEdit>("edtPolylineX")->isEnabled());
    EXPECT_EQ(window->ViewTools().MouseMode(), 0);
    EXPECT_EQ(Find<QLineEdit>("edtAnchura")->toolTip(), "Anchura del dominio (m)");
    // The drawing: the two layers, the mesh in the first, no objects.
    EXPECT_EQ(window->Set().MeshLayer().LayerName(), "Malla");
    EXPECT_EQ(window->Set().ObjectsLayer().LayerName(), "Objetos");
    EXPECT_TRUE(window->Set().Objects().empty());
    EXPECT_FALSE(window->IsModified());
}

TEST_F(MainWindowTest, HiddenControlsExistHiddenAndTheAreaBelowTheMenuIs1012By593) {
    for (const char* name : {"btnOk", "sbtU", "sbtW", "sbtT", "sbtP", "sbtK", "SpinEdit1", "Button1", "btnNuevoPoligono",
                             "btnElipse", "edtPermeability", "lblPermeability"})
        EXPECT_TRUE(Find<QWidget>(name)->isHidden()) << name;
    EXPECT_TRUE(Find<QToolButton>("sbtK")->isChecked());
    EXPECT_FALSE(Find<QToolButton>("sbtU")->isChecked());
    EXPECT_FALSE(Find<QAction>("mniSaveTranslation")->isVisible());

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->width(), TfrmNerim::kClientWidth);
    EXPECT_EQ(window->height() - window->menuBar()->height(), TfrmNerim::kClientHeight);
    // The view takes the room a larger window gains; the panel below keeps its height.
    const QWidget* panel = Find<QWidget>("pnlInfo");
    const int viewHeight = View().height(), panelHeight = panel->height();
    window->resize(1300, 800);
    QTest::qWait(20);
    EXPECT_EQ(panel->height(), panelHeight);
    EXPECT_EQ(View().height(), viewHeight + 800 - (TfrmNerim::kClientHeight + window->menuBar()->height()));
    EXPECT_EQ(View().width(), 1300);
}

TEST_F(MainWindowTest, TheBoundaryConditionChooserHoldsItsSixConditions) {
    TForm1 form;
    EXPECT_EQ(form.objectName(), "Form1");
    EXPECT_EQ(form.windowTitle(), "Form1");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.BoundaryConditions()->title(), "Condiciones de contorno");
    QStringList items;
    for (const QAbstractButton* item : form.BoundaryConditions()->findChildren<QAbstractButton*>()) items << item->text();
    EXPECT_EQ(items, QStringList({"Rigid Free-Slip", "Rigid No-Slip", "Continuative Outflow", "Periodic",
                                  "Applied Pressure", "Specified Inflow or Outflow"}));
    EXPECT_EQ(form.ItemIndex(), -1);
}

TEST_F(MainWindowTest, TypingShowsTheFrameAndGeneratingAppliesTheTypedValues) {
    Type("edtAnchura", "60");
    Type("edtNumDivLX", "7");
    EXPECT_TRUE(Find<TChangeFrame>("shpChanges")->Shown());
    EXPECT_TRUE(window->MeshArea().MeshEdited());
    EXPECT_EQ(Mesh().Width(), 100.0);  // nothing applied yet
    EXPECT_TRUE(window->IsModified());

    Click("btnGenerateMesh");
    EXPECT_FALSE(Find<TChangeFrame>("shpChanges")->Shown());
    EXPECT_FALSE(window->MeshArea().MeshEdited());
    EXPECT_EQ(Mesh().Width(), 60.0);
    EXPECT_EQ(Mesh().GetSubZoneX(0).NumDivL, 7);
    ASSERT_EQ(Mesh().DivisionXCount(), 7 + 5 + 1);
    EXPECT_EQ(Mesh().DivisionsX().back(), 60.0f);
    EXPECT_EQ(Mesh().Cells().AC.Sizes().N0(), 7 + 5 + 1);
    EXPECT_NE(window->Status().GenerationText().indexOf("12 × 10 celdas (120)"), -1)
        << window->Status().GenerationText().toStdString();
}

TEST_F(MainWindowTest, ExportingRightAfterTypingWritesTheLastGeneratedMeshAndKeepsTheFrame) {
    TempDir dir;
    Click("btnGuardarMallado");  // nothing generated yet
    ASSERT_EQ(prompts.Information.size(), 1u);
    EXPECT_NE(prompts.Information[0].find("No hay ninguna malla generada"), std::string::npos);

    prompts.Files.push_back(Path(dir / "p.DAT"));
    Trigger("Guardar1");
    Click("btnGenerateMesh");
    Type("edtAnchura", "50");
    Click("btnGuardarMallado");
    EXPECT_TRUE(Find<TChangeFrame>("shpChanges")->Shown());
    EXPECT_EQ(Mesh().Width(), 100.0);

    TWorkingSet reference;
    reference.Mesh().GenerateDivisions();
    reference.Mesh().ClassifyCells(reference.ObjectPointers(), 10, 10);
    reference.Mesh().ExportMesh(dir / "reference.mes");
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), ReadBytes(dir / "reference.mes"));
    EXPECT_EQ(window->Status().MessageText(), "Malla exportada en " + Path(dir / "Mesh.mes"));

    // Once the fields are applied the old mesh no longer matches them: nothing to export.
    Find<QPushButton>("btnOk")->click();
    Click("btnGuardarMallado");
    EXPECT_EQ(prompts.Information.size(), 2u);
}

TEST_F(MainWindowTest, AddingAnXSubZoneAtStartGoesTwoThirdsOfTheWayToTheEdge) {
    Click("btnAddSubzoneX");
    ASSERT_EQ(Mesh().SubZoneXCount(), 2);
    const TSubZone added = Mesh().GetSubZoneX(1);
    EXPECT_DOUBLE_EQ(added.Division, 50 + 50 * 0.333);
    EXPECT_DOUBLE_EQ(added.Center, 50 + 50 * 0.666);
    EXPECT_EQ(Format("%.2f", {added.Division}), "66.65");
    EXPECT_EQ(Format("%.1f", {added.Center}), "83.3");
    EXPECT_EQ(added.MaxSep, 1.0);
    EXPECT_EQ(Mesh().CurrentSubZoneX(), 0);
    EXPECT_EQ(Text("edtCentroX"), "50.000");
    const QSpinBox* spin = Find<QSpinBox>("sedtSubZonaX");
    EXPECT_TRUE(spin->isEnabled());
    EXPECT_EQ(spin->maximum(), 2);
    EXPECT_EQ(Find<QLabel>("lblNumSubzonas")->text(), "Subzonas en X: 2, en Y: 1");

    // The spin shows the second one; the Y axis adds towards Height with MaxSep 1.
    Find<QSpinBox>("sedtSubZonaX")->setValue(2);
    EXPECT_EQ(Mesh().CurrentSubZoneX(), 1);
    EXPECT_EQ(Text("edtCentroX"), "83.300");
    EXPECT_EQ(Text("edtDivisionX"), "66.650");
    Click("btnAddSubzoneY");
    const TSubZone y = Mesh().GetSubZoneY(1);
    EXPECT_DOUBLE_EQ(y.Division, 5 + 5 * 0.333);
    EXPECT_DOUBLE_EQ(y.Center, 5 + 5 * 0.666);
    EXPECT_EQ(y.MaxSep, 1.0);
}

TEST_F(MainWindowTest, DeletingTheOnlyXSubZoneZeroesItsFieldsAndAddingThenCentresIt) {
    Click("bntDelSubzoneX");
    EXPECT_EQ(Mesh().SubZoneXCount(), 0);
    EXPECT_EQ(Text("edtCentroX"), "0.000");
    EXPECT_EQ(Text("edtDivisionX"), "0.000");
    EXPECT_EQ(Text("edtMaxSepX"), "0.000");
    EXPECT_EQ(Text("edtNumDivLX"), "0");
    EXPECT_EQ(Text("edtlNumDivRX"), "0");
    EXPECT_FALSE(Find<TChangeFrame>("shpChanges")->Shown());

    // With none left "Borrar" does nothing at all, not even apply the fields.
    Type("edtAnchura", "80");
    Click("bntDelSubzoneX");
    EXPECT_TRUE(window->MeshArea().MeshEdited());
    EXPECT_EQ(Mesh().Width(), 100.0);

    Click("btnAddSubzoneX");
    ASSERT_EQ(Mesh().SubZoneXCount(), 1);
    EXPECT_EQ(Mesh().GetSubZoneX(0).Center, 40.0);  // half the applied width
    EXPECT_EQ(Mesh().GetSubZoneX(0).Division, 0.0);
    EXPECT_EQ(Text("edtCentroX"), "40.000");
}

TEST_F(MainWindowTest, FailuresReachTheApplicationAndLeaveTheStateTheFailedStepLeft) {
    RecordReports record;
    // A centre beyond the domain makes the next sub-zone's centre fall outside it.
    Type("edtCentroX", "120");
    FailingCall([this] { window->MeshArea().btnAddSubzoneXClick(); });
    ASSERT_EQ(record.reports.size(), 1u);
    EXPECT_EQ(record.reports[0].second, "El punto central es incorrecto");
    EXPECT_EQ(Mesh().SubZoneXCount(), 1);
    EXPECT_EQ(Mesh().GetSubZoneX(0).Center, 120.0);  // applied before the failing step
    EXPECT_EQ(Text("edtCentroX"), "120");

    // A field that does not convert: what was applied before it stays, the fields stay edited.
    Type("edtAnchura", "60");
    Type("edtMaxSepY", "abc");
    FailingCall([this] { window->MeshArea().btnGenerateMeshClick(); });
    ASSERT_EQ(record.reports.size(), 2u);
    EXPECT_NE(record.reports[1].second.indexOf("abc"), -1);
    EXPECT_EQ(Mesh().Width(), 60.0);
    EXPECT_TRUE(window->MeshArea().MeshEdited());
    EXPECT_TRUE(Find<TChangeFrame>("shpChanges")->Shown());
}

TEST_F(MainWindowTest, InformationAndQualityShowTheGeneratedBoundaries) {
    Click("btnGenerateMesh");
    Click("btnMeshInfo");
    ASSERT_EQ(prompts.Information.size(), 1u);
    EXPECT_EQ(prompts.Information[0], "Div. X: 11, Div. Y: 11");

    bool shown = false;
    QTimer::singleShot(0, [&] {
        TfrmMeshDeltaGraph& quality = window->QualityWindow();
        shown = quality.isVisible();
        EXPECT_EQ(quality.QualityX().Delta.size(), 10u);
        quality.reject();
    });
    Click("btnCalidadMalla");
    EXPECT_TRUE(shown);
}

TEST_F(MainWindowTest, ZoomModeClicksZoomByTwoAboutThePixelUntilAnObjectIsSelected) {
    ShowWithKnownView();
    Click("btnZoom");
    EXPECT_EQ(window->ViewTools().MouseMode(), 1);
    EXPECT_TRUE(Find<QToolButton>("btnZoom")->isChecked());
    const QPoint clicked(300, 180);
    const double scale = View().RefX().X;
    const auto centre = [&] {
        return QPointF(View().ClientSize().width() / 2.0, View().ClientSize().height() / 2.0);
    };

    const TPoint2D under = View().ScreenToWorld({300, 180});
    ClickAt(clicked);
    EXPECT_DOUBLE_EQ(View().RefX().X, scale / 2);
    EXPECT_NEAR(View().WorldToScreen(under).X, centre().x(), 1e-6);
    EXPECT_NEAR(View().WorldToScreen(under).Y, centre().y(), 1e-6);
    EXPECT_EQ(window->ViewTools().MouseMode(), 1);

    const TPoint2D again = View().ScreenToWorld({700, 300});
    ClickAt({700, 300}, Qt::RightButton);
    EXPECT_DOUBLE_EQ(View().RefX().X, scale);
    EXPECT_NEAR(View().WorldToScreen(again).X, centre().x(), 1e-6);
    EXPECT_NEAR(View().WorldToScreen(again).Y, centre().y(), 1e-6);
    EXPECT_EQ(window->ViewTools().MouseMode(), 1);
    EXPECT_TRUE(window->Set().Objects().empty());  // the clicks drew nothing

    Click("btnObstaculo");
    EXPECT_EQ(window->ViewTools().MouseMode(), 0);
    EXPECT_FALSE(Find<QToolButton>("btnZoom")->isChecked());
    // Escape leaves a mode too.
    Click("btnPan");
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(window->ViewTools().MouseMode(), 0);
    EXPECT_TRUE(View().MouseActive());
}

TEST_F(MainWindowTest, PanToolWheelAndMiddleDragMoveTheDrawing) {
    ShowWithKnownView();
    Click("btnPan");
    EXPECT_EQ(window->ViewTools().MouseMode(), 3);
    const double scale = View().RefX().X;
    const TPoint2D grabbed = View().ScreenToWorld({100, 50});
    SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, {100, 50}, Qt::LeftButton);
    SendMouse(QEvent::MouseMove, Qt::NoButton, {130, 70}, Qt::LeftButton);
    SendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, {130, 70}, Qt::NoButton);
    EXPECT_NEAR(View().WorldToScreen(grabbed).X, 130, 1e-6);
    EXPECT_NEAR(View().WorldToScreen(grabbed).Y, 70, 1e-6);
    EXPECT_DOUBLE_EQ(View().RefX().X, scale);
    // After the release a move pans no more.
    SendMouse(QEvent::MouseMove, Qt::NoButton, {200, 90}, Qt::NoButton);
    EXPECT_NEAR(View().WorldToScreen(grabbed).X, 130, 1e-6);

    // The wheel zooms about the pointer in any mode; so a middle drag pans.
    window->ViewTools().SetMouseMode(0);
    const TPoint2D pointed = View().ScreenToWorld({400, 120});
    QWheelEvent wheel(QPointF(400, 120), View().mapToGlobal(QPointF(400, 120)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&View(), &wheel);
    EXPECT_NEAR(View().RefX().X, scale / 1.25, scale * 1e-12);
    EXPECT_NEAR(View().WorldToScreen(pointed).X, 400, 1e-6);
    EXPECT_NEAR(View().WorldToScreen(pointed).Y, 120, 1e-6);

    Click("btnAgua");  // a polygon being drawn must not take the middle button
    const TPoint2D held = View().ScreenToWorld({300, 100});
    SendMouse(QEvent::MouseButtonPress, Qt::MiddleButton, {300, 100}, Qt::MiddleButton);
    SendMouse(QEvent::MouseMove, Qt::NoButton, {250, 140}, Qt::MiddleButton);
    SendMouse(QEvent::MouseButtonRelease, Qt::MiddleButton, {250, 140}, Qt::NoButton);
    EXPECT_NEAR(View().WorldToScreen(held).X, 250, 1e-6);
    EXPECT_NEAR(View().WorldToScreen(held).Y, 140, 1e-6);
    auto* polygon = dynamic_cast<TCEPolyline*>(window->Set().Objects().front().get());
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(polygon->Line().Count(), 0);
    EXPECT_EQ(Find<QLabel>("lblInfo")->text().toStdString(),
              MouseReadout(View().ScreenToWorld({250, 140}), Mesh().Height()));
}

TEST_F(MainWindowTest, TheReadoutShowsModelCoordinatesAtTheDomainCorners) {
    ShowWithKnownView();
    MoveTo(Pixel({0, 10}));
    EXPECT_EQ(Find<QLabel>("lblInfo")->text(), "X: 0.0000, Y: 0.0000");
    MoveTo(Pixel({0, 0}));
    EXPECT_EQ(Find<QLabel>("lblInfo")->text(), "X: 0.0000, Y: 10.0000");
    MoveTo(Pixel({100, 10}));
    EXPECT_EQ(Find<QLabel>("lblInfo")->text(), "X: 100.0000, Y: 0.0000");

    // After a generation the status bar names the cell under the mouse and its values.
    EXPECT_EQ(window->Status().CellText(), "");
    Click("btnGenerateMesh");
    MoveTo(Pixel({50.5, 4.8}));
    EXPECT_EQ(window->Status().CellText(),
              "Celda (6, 4)   AC 1.000   AR 1.000   AT 1.000   VOF 0.000   Noc 0   Npc 1");
}

TEST_F(MainWindowTest, TypedVertexCoordinatesAreModelCoordinates) {
    ShowWithKnownView();
    DrawObject("btnObstaculo", {{10, 2}, {20, 8}, {30, 2}});
    auto* polygon = dynamic_cast<TCEPolyline*>(window->ObjectsArea().CurrentObject());
    ASSERT_NE(polygon, nullptr);
    ASSERT_EQ(polygon->Line().Count(), 3);
    EXPECT_EQ(window->ObjectsArea().SelectedNode(), polygon->Line().Tail());
    EXPECT_TRUE(Find<QLineEdit>("edtPolylineX")->isEnabled());
    EXPECT_EQ(Text("edtPolylineX"), "30.000");
    EXPECT_EQ(Text("edtPolylineY"), "8.000");

    Type("edtPolylineY", "9");
    Click("btnPolylinPointOk");
    EXPECT_EQ(polygon->Line().GetPoint(polygon->Line().Tail()), (TPoint2D{30, 1}));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->windowTitle(), "Nerim - Sin título*");
}

TEST_F(MainWindowTest, DeletingTheCurrentObjectLeavesTheEmptyEditor) {
    ShowWithKnownView();
    DrawObject("btnPoroso", {{10, 2}, {20, 8}, {30, 2}});
    EXPECT_EQ(window->ObjectEditor().CurrentPage(), "tabPoroso");
    EXPECT_EQ(Text("edtLinearFricCoef"), "200.000");
    EXPECT_EQ(Find<QListWidget>("lbxObjects")->count(), 1);

    Click("btnBorrar");
    EXPECT_TRUE(window->Set().Objects().empty());
    EXPECT_EQ(window->ObjectsArea().CurrentObject(), nullptr);
    EXPECT_EQ(window->ObjectsArea().SelectedNode(), nullptr);
    EXPECT_EQ(window->ObjectsArea().NodePolygon(), nullptr);
    EXPECT_EQ(Mesh().SelectedObject(), nullptr);
    EXPECT_FALSE(Find<QLineEdit>("edtPolylineX")->isEnabled());
    EXPECT_EQ(window->ObjectEditor().CurrentPage(), "tabNoObject");
    EXPECT_EQ(Find<QListWidget>("lbxObjects")->count(), 0);
    Click("btnObjectOK");  // nothing to apply to
    Click("btnPolylinPointOk");
    Click("btnBorrar");
    EXPECT_FALSE(window->IsModified());
}

TEST_F(MainWindowTest, TheEditorAppliesPorousFieldsOnlyToAPorousMedium) {
    Click("btnPoroso");
    auto* porous = dynamic_cast<TPorousMediumDef*>(window->ObjectsArea().CurrentObject()->Definition());
    ASSERT_NE(porous, nullptr);
    const TPorousMediumDef::TParameters defaults = porous->Parameters();
    Type("edtPorosity", "0.45");
    Type("edtD50", "");
    Type("edtNonLinearFricCoef", "1.3");
    Click("btnAgua");
    EXPECT_EQ(window->ObjectEditor().CurrentPage(), "tabWater");
    Click("btnObjectOK");
    EXPECT_EQ(porous->Parameters(), defaults);
    Click("btnObstaculo");
    EXPECT_EQ(window->ObjectEditor().CurrentPage(), "tabObstacle");
    Click("btnObjectOK");
    EXPECT_EQ(porous->Parameters(), defaults);

    // Back on the porous medium: the fields show its values again; "Ok" stores typed ones.
    QListWidget* list = Find<QListWidget>("lbxObjects");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(window->ObjectsArea().CurrentObject()->Definition(), porous);
    EXPECT_EQ(Text("edtPorosity"), "0.000");
    EXPECT_EQ(Text("edtNonLinearFricCoef"), "1.100");
    Type("edtPorosity", "0.45");
    Type("edtD50", "-");
    Type("edtNonLinearFricCoef", "1.3");
    Click("btnObjectOK");
    EXPECT_EQ(porous->Porosity, 0.45);
    EXPECT_EQ(porous->D50, 0.0);
    EXPECT_EQ(porous->NonLinearFricCoef, 1.3);
    EXPECT_EQ(porous->LinearFricCoef, 200.0);
}

TEST_F(MainWindowTest, ACancelledSaveDialogSavesAndAppliesNothing) {
    Type("edtAnchura", "70");
    prompts.Files.push_back(QString());
    Trigger("Guardar1");
    EXPECT_EQ(prompts.Dialogs, std::vector<TFileDialogKind>{TFileDialogKind::Save});
    EXPECT_TRUE(window->FileName().isEmpty());
    EXPECT_TRUE(window->MeshArea().MeshEdited());
    EXPECT_EQ(Mesh().Width(), 100.0);
    prompts.Files.push_back(QString());
    Trigger("Guardarcomo1");
    EXPECT_EQ(Mesh().Width(), 100.0);
}

TEST_F(MainWindowTest, LayerTogglesVariablesAndThePickedCellReachTheDrawing) {
    Click("btnMallaVisible");
    EXPECT_FALSE(window->Set().MeshLayer().Visible());
    Click("btnMallaVisible");
    EXPECT_TRUE(window->Set().MeshLayer().Visible());
    Click("btnObjetos");
    EXPECT_FALSE(window->Set().ObjectsLayer().Visible());

    Find<QComboBox>("cbxVariableList")->setCurrentIndex(5);
    EXPECT_EQ(Mesh().ShownVariable(), Mesh().Variables()[5].Matrix);
    Find<QSpinBox>("edtI")->setValue(3);
    Find<QSpinBox>("edtJ")->setValue(-4);
    EXPECT_EQ(Mesh().PickedCell().I, 3);
    EXPECT_EQ(Mesh().PickedCell().J, -4);
    Find<QComboBox>("cbxTipoPoroso")->setCurrentIndex(1);
    EXPECT_EQ(Mesh().PorousModel(), 1);
    EXPECT_TRUE(window->IsModified());

    // Applying the fields shows no variable, in the list too.
    Type("edtAltura", "12");
    Find<QPushButton>("btnOk")->click();
    EXPECT_EQ(Mesh().ShownVariable(), TMatrixRef{});
    EXPECT_EQ(Find<QComboBox>("cbxVariableList")->currentIndex(), -1);
}

TEST_F(MainWindowTest, TheResultViewerLoadsTheStepFileBesideTheProject) {
    TempDir dir;
    prompts.Files.push_back(Path(dir / "p.DAT"));
    Trigger("Guardar1");
    Click("btnGenerateMesh");
    std::string bytes;
    for (int k = 0; k < 11 * 11; ++k) {
        const float value = float(k % 7) - 2.0f;
        bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    testing::WriteBytes(dir / "P0012.dat", bytes);
    Find<QToolButton>("sbtP")->setChecked(true);
    EXPECT_EQ(window->ResultViewer().ResultsFile(), Path(dir / "P0000.dat"));
    Find<QSpinBox>("SpinEdit1")->setValue(12);
    EXPECT_EQ(Mesh().ResultsMin(), -2.0);
    EXPECT_EQ(Mesh().ResultsMax(), 4.0);
    EXPECT_EQ(Find<QComboBox>("cbxVariableList")->currentText(), "Results");
    EXPECT_EQ(Mesh().ShownVariable(), Mesh().Variables().back().Matrix);
}

}  // namespace
}  // namespace nerim
