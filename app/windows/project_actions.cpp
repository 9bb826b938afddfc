#include "app/windows/project_actions.h"

#include <algorithm>
#include <filesystem>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "app/project.h"
#include "app/window_texts.h"
#include "app/windows/frm_nerim.h"
#include "app/windows/mesh_area.h"
#include "app/windows/objects_area.h"
#include "app/windows/status_readout.h"
#include "app/windows/window_controls.h"
#include "app/windows/window_prompts.h"
#include "app/working_set.h"
#include "mesh/tamrix_mesh.h"
#include "support/format.h"
#include "support/paths.h"

namespace nerim {
namespace {

constexpr int kRecentFiles = 8;
const char* const kRecentKey = "recentFiles";
const char* const kDirectoryKey = "lastDirectory";


QAction* AddAction(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                   const QKeySequence& shortcut = {}) {
    QAction* action = NamedAction(menu, name, caption, hint);
    action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

}  // namespace

TProjectActions::TProjectActions(TfrmNerim& Window, QMenuBar* MenuBar) : QObject(MenuBar), window_(Window) {
    QMenu* archivo = MenuBar->addMenu(QStringLiteral("Archivo"));
    archivo->setObjectName(QStringLiteral("Archivo1"));
    QAction* abrir = AddAction(archivo, "Abrir1", QStringLiteral("Abrir"), QStringLiteral("Abrir un proyecto"),
                               QKeySequence::Open);
    QAction* guardar = AddAction(archivo, "Guardar1", QStringLiteral("Guardar"), QStringLiteral("Guardar el proyecto"),
                                 QKeySequence::Save);
    QAction* guardarComo =
        AddAction(archivo, "Guardarcomo1", QStringLiteral("Guardar como..."),
                  QStringLiteral("Guardar el proyecto con otro nombre"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mniSaveTranslation_ =
        AddAction(archivo, "mniSaveTranslation", QStringLiteral("Guardar traducción"),
                  QStringLiteral("Guardar la lista de traducción como Translation.dat junto al programa"));
    mniSaveTranslation_->setVisible(false);
    archivo_ = archivo;
    recentSeparator_ = archivo->addSeparator();
    mniRecientes_ = archivo->addMenu(QStringLiteral("Archivos recientes"));
    mniRecientes_->setObjectName(QStringLiteral("mniRecientes"));
    mniRecientes_->menuAction()->setStatusTip(QStringLiteral("Proyectos abiertos o guardados últimamente"));
    archivo->addSeparator();
    QAction* salir = AddAction(archivo, "mniSalir", QStringLiteral("Salir"), QStringLiteral("Cerrar Nerim"),
                               QKeySequence(Qt::CTRL | Qt::Key_Q));

    connect(abrir, &QAction::triggered, this, &TProjectActions::Abrir1Click);
    connect(guardar, &QAction::triggered, this, &TProjectActions::Guardar1Click);
    connect(guardarComo, &QAction::triggered, this, &TProjectActions::Guardarcomo1Click);
    connect(mniSaveTranslation_, &QAction::triggered, this, &TProjectActions::mniSaveTranslationClick);
    connect(salir, &QAction::triggered, &window_, &QWidget::close);
    RebuildRecentMenu();
}

// ---- Opening

void TProjectActions::Abrir1Click() {
    if (!window_.MaybeSaveChanges()) return;
    const QString file = ChooseProjectFile(&window_, TFileDialogKind::Open, DialogDirectory());
    if (!file.isEmpty()) OpenProject(file);
}

void TProjectActions::OpenWithQuestion(const QString& File) {
    if (!QFileInfo::exists(File)) {
        window_.Status().ShowMessage(Format(WindowString(wsFileGone), {File.toStdString()}));
        QSettings settings(kSettingsOrganization, kSettingsApplication);
        QStringList recent = settings.value(kRecentKey).toStringList();
        recent.removeAll(File);
        settings.setValue(kRecentKey, recent);
        RebuildRecentMenu();
        return;
    }
    if (window_.MaybeSaveChanges()) OpenProject(File);
}

void TProjectActions::OpenProject(const QString& File) {
    TWorkingSet& set = window_.Set();
    // Nothing may keep an object that the loading frees.
    window_.ObjectsArea().ForgetObjects();
    LoadProject(LocalPath(File), set.Mesh(), set.Objects(), set.Canvax(), set.ObjectsLayer(),
                window_.ObjectsArea().VertexEvent());
    // The name is taken only once the project is in: a file that could not be read must not
    // become the one "Guardar" overwrites.
    window_.SetFileName(File);
    window_.ShowReadProject();
    RememberFile(File);
    window_.Status().ShowMessage(Format(WindowString(wsProjectOpened), {QFileInfo(File).absoluteFilePath().toStdString()}));
}

// ---- Saving

bool TProjectActions::Guardar1Click() {
    QString file = window_.FileName();
    if (file.isEmpty()) file = ChooseProjectFile(&window_, TFileDialogKind::Save, DialogDirectory());
    if (file.isEmpty()) return false;
    SaveProjectAs(file);
    return true;
}

bool TProjectActions::Guardarcomo1Click() {
    const QString file = ChooseProjectFile(&window_, TFileDialogKind::Save, DialogDirectory());
    if (file.isEmpty()) return false;
    SaveProjectAs(file);
    return true;
}

void TProjectActions::SaveProjectAs(const QString& File) {
    window_.MeshArea().btnOkClick();
    SaveProject(LocalPath(File), window_.Mesh(), window_.Set().Objects());
    window_.SetFileName(File);
    window_.MarkSaved();
    RememberFile(File);
    window_.Status().ShowMessage(Format(WindowString(wsProjectSaved), {QFileInfo(File).absoluteFilePath().toStdString()}));
}

void TProjectActions::mniSaveTranslationClick() {
    window_.Internacionalization().SaveTranslationList(
        JoinPath(LocalPath(window_.ProgramDirectory()).string(), "Translation.dat"));
}

// ---- Recent files and folders

QStringList TProjectActions::RecentFiles() const {
    return QSettings(kSettingsOrganization, kSettingsApplication).value(kRecentKey).toStringList();
}

QString TProjectActions::DialogDirectory() const {
    if (!window_.FileName().isEmpty()) return QFileInfo(window_.FileName()).absolutePath();
    return QSettings(kSettingsOrganization, kSettingsApplication).value(kDirectoryKey).toString();
}

void TProjectActions::RememberFile(const QString& File) {
    const QString full = QFileInfo(File).absoluteFilePath();
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    std::vector<std::string> files;
    for (const QString& f : settings.value(kRecentKey).toStringList()) files.push_back(f.toStdString());
    QStringList recent;
    for (const std::string& f : RecentFilesWith(files, full.toStdString(), kRecentFiles))
        recent << QString::fromStdString(f);
    settings.setValue(kRecentKey, recent);
    settings.setValue(kDirectoryKey, QFileInfo(full).absolutePath());
    RebuildRecentMenu();
}

void TProjectActions::RebuildRecentMenu() {
    mniRecientes_->clear();
    const QStringList files = RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        QAction* action = mniRecientes_->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(files[i]));
        connect(action, &QAction::triggered, this, [this, file = files[i]] { OpenWithQuestion(file); });
    }
    mniRecientes_->setEnabled(!files.isEmpty());
}

}  // namespace nerim
