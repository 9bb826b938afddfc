// The monkey's project files: the dialogs' answers, opening, saving, dropping and removing
// projects, closing the window, and the check that a project saved reads back the same.
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "app/project.h"
#include "app/windows/frm_nerim.h"
#include "app/windows/project_actions.h"
#include "app/working_set.h"
#include "mesh/tamrix_mesh.h"
#include "tests/common/temp_dir.h"
#include "tests/windows/window_monkey_driver.h"

namespace nerim::testing {

// ---- Files

std::string TWindowMonkey::Path(const QString& file) const { return NormalizedMessage(file.toStdString(), folder_); }

// Projects of the run's own folder, among them a name in a sub-folder with blanks, a folder
// named like a project and a file that is not there; now and then the dialog is cancelled.
QString TWindowMonkey::ChooseFile(TFileDialogKind kind) {
    if (kind == TFileDialogKind::Points) {
        Count("dialog", "points");
        static const std::vector<std::string> kSurvey = {"bed.csv", "outline.txt", "bad.csv", "missing.csv", "a.DAT"};
        const QString file = QString::fromStdString((options_.Folder / random_.Pick(kSurvey)).string());
        Log("  dialog gives " + Path(file));
        return file;
    }
    const bool open = kind == TFileDialogKind::Open;
    Count("dialog", open ? "open" : "save");
    if (random_.Percent(10)) {
        Log("  dialog cancelled");
        return {};
    }
    static const std::vector<std::string> kSaved = {"a.DAT", "a.DAT", "b.dat", "sub dir/c.DAT", "folder.DAT"};
    static const std::vector<std::string> kOthers = {"small.DAT", "cut.DAT", "binary.DAT", "empty.DAT", "missing.DAT"};
    const std::string name = open && random_.Percent(30) ? random_.Pick(kOthers) : random_.Pick(kSaved);
    const QString file = QString::fromStdString((options_.Folder / name).string());
    Log("  dialog gives " + Path(file));
    fileTouched_ = true;
    return file;
}

void TWindowMonkey::ProjectFile() {
    const int roll = random_.Below(100);
    const auto trigger = [this](const char* name) {
        QAction* action = Find<QAction>(name);
        Log(std::string("menu ") + name);
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        fileTouched_ = true;
    };
    if (roll < 30) {
        trigger("Guardar1");
    } else if (roll < 50) {
        trigger("Guardarcomo1");
    } else if (roll < 72) {
        trigger("Abrir1");
    } else if (roll < 80) {
        trigger(random_.Percent(50) ? "mniImportarPerfil" : "mniImportarContorno");
    } else if (roll < 90) {
        const QList<QAction*> recent = window_->ProjectActions().RecentMenu()->actions();
        if (recent.isEmpty()) return;
        QAction* action = recent[random_.Below(static_cast<int>(recent.size()))];
        Log("menu recent " + Path(action->text()));
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        fileTouched_ = true;
    } else {
        static const std::vector<std::string> kDropped = {"a.DAT", "b.dat", "missing.DAT", "Mesh.mes"};
        const QString file = QString::fromStdString((options_.Folder / random_.Pick(kDropped)).string());
        Log("drop " + Path(file));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPoint at = window_->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &enter);
        if (enter.isAccepted()) {
            QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(window_.get(), &drop);
        }
        fileTouched_ = true;
    }
}

void TWindowMonkey::OtherWindowAction() {
    const int roll = random_.Below(10);
    if (roll < 6) {
        const QSize size(random_.Between(640, 1300), random_.Between(480, 900));
        Log("resize " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
        window_->resize(size);
    } else if (roll < 8) {
        Log("close the window");
        RunQueued([this] { window_->close(); });
        fileTouched_ = true;
    } else {
        // A project removed behind the window's back, as from a file manager: never the open one.
        static const std::vector<std::string> kRemovable = {"a.DAT", "b.dat", "sub dir/c.DAT"};
        const std::filesystem::path file = options_.Folder / random_.Pick(kRemovable);
        if (QString::fromStdString(file.string()) == window_->FileName()) return;
        Log("remove " + Path(QString::fromStdString(file.string())));
        std::filesystem::remove(file);
    }
}

// The project file the window shows as saved reads back to the project in the window; a file
// the window wrote is exactly that project's text.
void TWindowMonkey::CheckSavedFile() {
    const QString name = window_->FileName();
    if (name.isEmpty() || window_->IsModified()) return;
    const std::filesystem::path file(QFile::encodeName(name).toStdString());
    const std::string text = ProjectText(window_->Mesh(), window_->Set().Objects());
    const std::string written = file.filename() == "small.DAT" ? text : ReadBytes(file);
    if (written != text) {
        Fail(Path(name) + " does not hold the project the window shows as saved");
        return;
    }
    TWorkingSet reread;
    try {
        LoadProject(file, reread.Mesh(), reread.Objects(), reread.Canvax(), reread.ObjectsLayer(), {});
    } catch (const std::exception& e) {
        Fail(Path(name) + " does not open again: " + e.what());
        return;
    }
    if (ProjectText(reread.Mesh(), reread.Objects()) != text) Fail(Path(name) + " opens to another project");
    ++report_.Done["project files read back"];
}

}  // namespace nerim::testing
