#include "app/windows/frm_nerim.h"

#include <clocale>
#include <cstdio>
#include <filesystem>

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/batch_run.h"
#include "app/configuration.h"
#include "app/project.h"
#include "app/window_texts.h"
#include "app/windows/mesh_area.h"
#include "app/windows/mesh_delta_graph.h"
#include "app/windows/object_editor.h"
#include "app/windows/objects_area.h"
#include "app/windows/project_actions.h"
#include "app/windows/result_viewer.h"
#include "app/windows/status_readout.h"
#include "app/windows/survey_actions.h"
#include "app/windows/view_tools.h"
#include "app/windows/window_prompts.h"
#include "app/working_set.h"
#include "canvas/widget/canvax_view.h"
#include "mesh/tamrix_mesh.h"
#include "support/exception.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/process.h"
#include "support/string_table.h"
#include "widgets/application.h"
#include "widgets/translation_hooks.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

// Reports a start-up failure once the event loop runs, over the window rather than before it.
void ReportLater(QObject* context, const QString& message) {
    QTimer::singleShot(0, context, [message] {
        if (TApplication* app = TApplication::Instance())
            app->ReportException(TApplication::rkWarning, message);
        else
            std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    });
}

// The project file a drag brings, when it brings exactly one.
QString DroppedProject(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().front();
    if (!url.isLocalFile()) return {};
    const QString file = url.toLocalFile();
    return file.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive) ? file : QString();
}

}  // namespace

TfrmNerim::TfrmNerim(TNerimWindowOptions Options, QWidget* parent) : QMainWindow(parent), options_(std::move(Options)) {
    setObjectName(QStringLiteral("frmNerim"));
    setWindowTitle(QStringLiteral("Nerim"));
    setAcceptDrops(true);
    programDirectory_ = options_.ProgramDirectory.isEmpty() ? QFile::decodeName(nerim::ProgramDirectory().c_str())
                                                            : options_.ProgramDirectory;
    BuildControls();
    FormCreate();
}

TfrmNerim::~TfrmNerim() {
    if (!set_) return;
    // The polygons tell their vertex-change handler when they go; nobody listens any more.
    for (auto& object : set_->Objects())
        if (auto* polygon = dynamic_cast<TCEPolyline*>(object.get())) polygon->SetVertexEvent({});
    objectsArea_->ReleaseElements();
    cvwMain_->OnMouseDown = nullptr;
    cvwMain_->OnMouseMove = nullptr;
    cvwMain_->OnMouseUp = nullptr;
    set_.reset();
}

TCETamrixMesh& TfrmNerim::Mesh() { return set_->Mesh(); }

// The controls, top-down so that their creation order is the order of the window's tree: the
// menu, the view, the panel below it (view tools, mesh, objects, editor), the status bar.
void TfrmNerim::BuildControls() {
    projectActions_ = new TProjectActions(*this, menuBar());
    surveyActions_ = new TSurveyActions(*this, *projectActions_);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    cvwMain_ = new TCanvaxView(central);
    cvwMain_->setObjectName(QStringLiteral("cvwMain"));
    cvwMain_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    cvwMain_->setMinimumSize(200, 120);
    column->addWidget(cvwMain_, 1);

    auto* pnlInfo = new QWidget(central);
    pnlInfo->setObjectName(QStringLiteral("pnlInfo"));
    pnlInfo->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    column->addWidget(pnlInfo);
    auto* info = new QVBoxLayout(pnlInfo);
    info->setContentsMargins(4, 0, 4, 2);
    info->setSpacing(2);
    viewTools_ = new TViewTools(*this, pnlInfo);
    info->addWidget(viewTools_->Strip());
    auto* areas = new QHBoxLayout;
    areas->setSpacing(6);
    info->addLayout(areas);
    meshArea_ = new TMeshArea(*this, pnlInfo);
    areas->addWidget(meshArea_->Frame());
    objectsArea_ = new TObjectsArea(*this, pnlInfo);
    areas->addWidget(objectsArea_->Panel(), 3);
    objectEditor_ = new TObjectEditor(*this, pnlInfo);
    objectEditor_->Pages()->setMaximumWidth(330);
    areas->addWidget(objectEditor_->Pages(), 2);
    resultViewer_ = new TResultViewer(*this, pnlInfo);

    status_ = new TStatusReadout(*this, statusBar());

    meshArea_->SetPorousModelList(objectsArea_->PorousModelList());
    connect(meshArea_->NXField(), &QSpinBox::valueChanged, viewTools_, &TViewTools::edtIChange);
    connect(meshArea_->NYField(), &QSpinBox::valueChanged, viewTools_, &TViewTools::edtIChange);

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    RestoreSettings();
}

// Start-up, in the order the session depends on.
void TfrmNerim::FormCreate() {
    // Numbers in fields and files use a full stop whatever the system's settings.
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, "C");

    const std::string directory = LocalPath(programDirectory_).string();
    configuration_ = std::make_unique<TConfiguration>(JoinPath(directory, kConfigurationFileName), directory);
    objectEditor_->ShowNoObject();
    LoadLanguageFiles();
    if (options_.TranslationMode) {
        hooks_ = std::make_unique<TTranslationHooks>(internacionalization_);
        hooks_->HookForEditing(this);
        projectActions_->SaveTranslationAction()->setVisible(true);
    }

    set_ = std::make_unique<TWorkingSet>();
    cvwMain_->SetCanvax(&set_->Canvax());
    viewTools_->AttachView();
    viewTools_->FillVariableList();

    // The view has its size once the layout has run; later zoom rectangles refer to this view.
    if (QLayout* top = layout()) top->activate();
    viewTools_->FitView();
    cvwMain_->BeginZoom();
    viewTools_->FitView();

    meshArea_->ShowMeshParameters();
    meshArea_->Frame()->SetShown(false);
    caption_ = windowTitle();
    MarkSaved();
}

// The window translation list (when its file is there) and the string table. A strings file that
// cannot be read leaves every message reading "****"; the window works all the same.
void TfrmNerim::LoadLanguageFiles() {
    const std::string& translation = configuration_->UIStringsFile();
    std::error_code error;
    if (std::filesystem::exists(translation, error)) {
        try {
            internacionalization_.LoadTranslationList(translation);
            TranslateComponent(internacionalization_, this);
        } catch (const std::exception& e) {
            ReportLater(this, QString::fromUtf8(e.what()));
        }
    }
    try {
        internacionalization_.LoadStringTable(configuration_->StringsFile());
    } catch (const std::exception& e) {
        for (int i = 1; i <= kStringTableSize; ++i) SetStringTableEntry(i, std::string(kMissingString));
        ReportLater(this, QString::fromUtf8(e.what()));
    }
}

TfrmMeshDeltaGraph& TfrmNerim::QualityWindow() {
    if (!qualityWindow_) {
        ownQualityWindow_ = std::make_unique<TfrmMeshDeltaGraph>(this);
        TranslateComponent(internacionalization_, ownQualityWindow_.get());
        qualityWindow_ = ownQualityWindow_.get();
    }
    return *qualityWindow_;
}

// ---- The project's state

void TfrmNerim::SetFileName(const QString& Name) {
    fileName_ = Name;
    UpdateTitle();
}

std::string TfrmNerim::ProjectText() const { return nerim::ProjectText(set_->Mesh(), set_->Objects()); }

bool TfrmNerim::IsModified() const { return meshArea_->MeshEdited() || ProjectText() != savedText_; }

void TfrmNerim::MarkSaved() {
    savedText_ = ProjectText();
    UpdateTitle();
}

void TfrmNerim::ScheduleTitleUpdate() {
    if (titleUpdatePending_) return;
    titleUpdatePending_ = true;
    QTimer::singleShot(0, this, [this] {
        titleUpdatePending_ = false;
        UpdateTitle();
    });
}

void TfrmNerim::UpdateTitle() {
    if (!set_) return;
    setWindowTitle(QString::fromStdString(WindowTitle(caption_.toStdString(), fileName_.toStdString(), IsModified())));
}

bool TfrmNerim::MaybeSaveChanges() {
    if (!IsModified()) return true;
    const QString question = QString::fromStdString(Format(WindowString(wsSaveChanges, "¿Guardar los cambios de %s?"),
                                                           {ProjectDisplayName(fileName_.toStdString())}));
    switch (AskSaveChanges(this, question)) {
        case TSaveAnswer::Save: return projectActions_->Guardar1Click();
        case TSaveAnswer::Discard: return true;
        case TSaveAnswer::Cancel: break;
    }
    return false;
}

// ---- The command line

void TfrmNerim::RunCommandLineBatch() {
    if (!options_.BatchProject) return;
    const QString project = *options_.BatchProject;
    try {
        RunBatch(*set_, LocalPath(project));
    } catch (const std::exception& e) {
        batchFailed_ = true;
        // One readable line naming the project, on the error stream and in the message box alike.
        const std::string line = BatchFailureLine(project.toStdString(), e.what());
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
        if (options_.Unattended) {
            emit BatchFinished(1);
            return;
        }
        // The window stays, showing what the run left: the project when it was read.
        for (auto& object : set_->Objects())
            if (auto* polygon = dynamic_cast<TCEPolyline*>(object.get()))
                polygon->SetVertexEvent(objectsArea_->VertexEvent());
        ShowReadProject();
        throw Exception(line);
    }
    emit BatchFinished(0);
}

void TfrmNerim::ShowReadProject() {
    objectsArea_->RefreshObjectList();
    meshArea_->ProjectOpened();
    viewTools_->FitView();
    cvwMain_->update();
    MarkSaved();
}

void TfrmNerim::OpenAndGenerate(const QString& File) {
    projectActions_->OpenProject(File);
    meshArea_->btnGenerateMeshClick();
    viewTools_->ShowVariable(QStringLiteral("Npc"));
}

// ---- Window events

void TfrmNerim::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // The view now has the size the user sees.
    viewTools_->FitView();
    if (options_.BatchProject)
        QMetaObject::invokeMethod(this, &TfrmNerim::RunCommandLineBatch, Qt::QueuedConnection);
}

void TfrmNerim::closeEvent(QCloseEvent* event) {
    try {
        if (!MaybeSaveChanges()) {
            event->ignore();
            return;
        }
    } catch (...) {
        // A save that failed keeps the window open with the work in it.
        event->ignore();
        throw;
    }
    SaveSettings();
    event->accept();
}

void TfrmNerim::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedProject(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TfrmNerim::dropEvent(QDropEvent* event) {
    const QString file = DroppedProject(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    projectActions_->OpenWithQuestion(file);
}

void TfrmNerim::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && viewTools_->MouseMode() != 0) {
        viewTools_->SetMouseMode(0);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// ---- Settings

void TfrmNerim::RestoreSettings() {
    const QSettings settings(kSettingsOrganization, kSettingsApplication);
    const QByteArray geometry = settings.value(QStringLiteral("geometry")).toByteArray();
    if (!geometry.isEmpty()) restoreGeometry(geometry);
}

void TfrmNerim::SaveSettings() const {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
}

}  // namespace nerim
