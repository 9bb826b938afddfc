#include "app/windows/survey_actions.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "app/project.h"
#include "app/window_texts.h"
#include "app/windows/frm_nerim.h"
#include "app/windows/objects_area.h"
#include "app/windows/project_actions.h"
#include "app/windows/status_readout.h"
#include "app/windows/window_controls.h"
#include "app/windows/window_prompts.h"
#include "app/working_set.h"
#include "canvas/widget/canvax_view.h"
#include "mesh/tamrix_mesh.h"
#include "objects/core/survey_import.h"
#include "support/format.h"

namespace nerim {
namespace {

// The outline materials in the order of the object buttons, whose captions name them.
constexpr TSurveyMaterial kOutlineMaterials[] = {TSurveyMaterial::Obstacle, TSurveyMaterial::Porous,
                                                 TSurveyMaterial::Water};
constexpr const char* kMaterialButtons[] = {"btnObstaculo", "btnPoroso", "btnAgua"};

}  // namespace

TSurveyActions::TSurveyActions(TfrmNerim& Window, TProjectActions& Project)
    : QObject(&Window), window_(Window), project_(Project) {
    QMenu* archivo = Project.FileMenu();
    QAction* perfil = NamedAction(archivo, "mniImportarPerfil", QStringLiteral("Importar perfil del fondo..."),
                                QStringLiteral("Crear un obstáculo con un perfil del fondo leído de un archivo de "
                                               "puntos (X e Y en columnas), cerrado hasta el borde inferior"));
    QAction* contorno = NamedAction(archivo, "mniImportarContorno", QStringLiteral("Importar contorno..."),
                                  QStringLiteral("Crear un objeto con un contorno cerrado leído de un archivo de "
                                                 "puntos (X e Y en columnas)"));
    QAction* before = Project.RecentSeparator();
    archivo->insertSeparator(before);
    archivo->insertAction(before, perfil);
    archivo->insertAction(before, contorno);
    connect(perfil, &QAction::triggered, this, &TSurveyActions::mniImportarPerfilClick);
    connect(contorno, &QAction::triggered, this, &TSurveyActions::mniImportarContornoClick);
}

void TSurveyActions::mniImportarPerfilClick() {
    const QString file = ChooseProjectFile(&window_, TFileDialogKind::Points, project_.DialogDirectory());
    if (!file.isEmpty()) ImportProfile(file);
}

void TSurveyActions::mniImportarContornoClick() {
    const QString file = ChooseProjectFile(&window_, TFileDialogKind::Points, project_.DialogDirectory());
    if (file.isEmpty()) return;
    QStringList materials;
    for (const char* button : kMaterialButtons) {
        const auto* control = window_.findChild<QAbstractButton*>(QString::fromLatin1(button));
        materials << (control ? control->text() : QString::fromLatin1(button));
    }
    const std::optional<int> chosen =
        AskChoice(&window_, QString::fromStdString(WindowString(wsOutlineMaterial, "Material del contorno:")), materials);
    if (chosen) ImportOutline(file, *chosen);
}

namespace {

// Puts an imported object into the project as one drawn by hand, selected, and says so.
TCEPolyline& AddImported(TfrmNerim& Window, TImportedObject Imported, const QString& File) {
    TWorkingSet& set = Window.Set();
    const std::string note = Imported.Polygon.Note;
    TCEPolyline& polygon =
        AddProjectObject({std::move(Imported.Polygon.Vertices), true, std::move(Imported.Definition)}, set.Objects(),
                         set.Canvax(), set.ObjectsLayer(), Window.ObjectsArea().VertexEvent());
    Window.ObjectsArea().SelectObject(&polygon);
    Window.ObjectsArea().RefreshObjectList();
    Window.View().update();
    Window.ScheduleTitleUpdate();
    const std::string name = polygon.Definition() ? polygon.Definition()->Name : std::string();
    std::string message = Format(WindowString(wsImported, "%s: objeto importado de %s"),
                                 {name, QFileInfo(File).absoluteFilePath().toStdString()});
    if (!note.empty()) message += "; " + note;
    Window.Status().ShowMessage(message);
    return polygon;
}


}  // namespace

TCEPolyline& TSurveyActions::ImportProfile(const QString& File) {
    const TCETamrixMesh& mesh = window_.Mesh();
    return AddImported(window_, nerim::ImportProfile(LocalPath(File), mesh.Width(), mesh.Height()), File);
}

TCEPolyline& TSurveyActions::ImportOutline(const QString& File, int MaterialIndex) {
    const TCETamrixMesh& mesh = window_.Mesh();
    const TSurveyMaterial material = kOutlineMaterials[std::clamp(MaterialIndex, 0, 2)];
    return AddImported(window_, nerim::ImportOutline(LocalPath(File), mesh.Width(), mesh.Height(), material), File);
}

}  // namespace nerim
