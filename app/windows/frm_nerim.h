#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QString>

#include "support/internacionalization.h"

namespace nerim {

class TCanvaxView;
class TCETamrixMesh;
class TConfiguration;
class TfrmMeshDeltaGraph;
class TMeshArea;
class TObjectEditor;
class TObjectsArea;
class TProjectActions;
class TResultViewer;
class TStatusReadout;
class TSurveyActions;
class TTranslationHooks;
class TViewTools;
class TWorkingSet;

// Where the window keeps its size, the last folder and the recent files (QSettings).
inline constexpr const char* kSettingsOrganization = "Nerim";
inline constexpr const char* kSettingsApplication = "nerim";

// How the program starts the main window.
struct TNerimWindowOptions {
    // The translation-editing build: the window's controls are hooked for interactive
    // translation and "Guardar traducción" is shown.
    bool TranslationMode = false;
    // The project of the batch run, which takes place when the window is first shown.
    std::optional<QString> BatchProject;
    // Nobody sees the window (no display, or a platform that draws into memory): a failed batch
    // run ends the program with status 1 instead of leaving the window open.
    bool Unattended = false;
    // Where "Configuration.dat" and the language files are read and "Translation.dat" is
    // saved; empty means the running program's directory.
    QString ProgramDirectory;
};

// "Nerim", the program's working window: the view of the domain on top, and below it the mesh
// fields with their sub-zones, the view tools, the objects with their editor; a menu "Archivo"
// with the project files, and a status bar with the cell under the mouse and the last generation.
//
// The window is the shell that builds the areas and starts the session; each area holds its
// controls and their handlers (mesh_area, view_tools, objects_area, object_editor,
// project_actions, result_viewer, status_readout). It owns the working set (the drawing "cvxMain"
// with the layers "Malla" and "Objetos", the mesh and the objects), the configuration, the
// translation component and the string table, and tells whether the project changed since it was
// opened or saved: the title then reads "Nerim - name.DAT*", and opening another project or
// closing the window asks first whether to save.
class TfrmNerim : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmNerim(TNerimWindowOptions Options = {}, QWidget* parent = nullptr);
    ~TfrmNerim() override;

    TWorkingSet& Set() { return *set_; }
    TCETamrixMesh& Mesh();
    TCanvaxView& View() { return *cvwMain_; }
    TInternacionalization& Internacionalization() { return internacionalization_; }
    const TConfiguration& Configuration() const { return *configuration_; }
    const QString& ProgramDirectory() const { return programDirectory_; }
    bool TranslationMode() const { return options_.TranslationMode; }
    // The translation-mode hooks; null in the standard program.
    const TTranslationHooks* TranslationHooks() const { return hooks_.get(); }

    TMeshArea& MeshArea() { return *meshArea_; }
    TViewTools& ViewTools() { return *viewTools_; }
    TObjectsArea& ObjectsArea() { return *objectsArea_; }
    TObjectEditor& ObjectEditor() { return *objectEditor_; }
    TProjectActions& ProjectActions() { return *projectActions_; }
    TSurveyActions& SurveyActions() { return *surveyActions_; }
    TResultViewer& ResultViewer() { return *resultViewer_; }
    TStatusReadout& Status() { return *status_; }

    // The quality window the program created at start; the window makes its own when given none.
    void SetQualityWindow(TfrmMeshDeltaGraph* Window) { qualityWindow_ = Window; }
    TfrmMeshDeltaGraph& QualityWindow();

    // The current project file; empty until a project is opened or saved.
    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& Name);

    // Whether the project (objects, vertices, materials, applied mesh parameters, or mesh fields
    // edited and not yet applied) differs from what was last opened or saved.
    bool IsModified() const;
    // The work as it is now is what the project file holds.
    void MarkSaved();
    // Brings the title up to date (after the present event, so that a drag of a vertex does not
    // compare the project at every step).
    void ScheduleTitleUpdate();
    void UpdateTitle();
    // Before the work is dropped (opening another project, closing): asks whether to save the
    // changes when there are any. False when the user cancelled or the save did not take place.
    bool MaybeSaveChanges();

    // The batch run of the command line, as on the first show. It ends with BatchFinished(0)
    // when the mesh file is written; a failure raises with a display (the window stays) and ends
    // with BatchFinished(1) when nobody sees the window.
    void RunCommandLineBatch();
    bool BatchFailed() const { return batchFailed_; }

    // After a project was read into the working set: the list, the fields and the fitted view show
    // it, and it counts as saved.
    void ShowReadProject();

    // "--open": opens the project, generates its mesh and shows its porous types.
    void OpenAndGenerate(const QString& File);

    // The area below the menu bar at start, before the window remembers another size.
    static constexpr int kClientWidth = 1012;
    static constexpr int kClientHeight = 593;

signals:
    // The batch run is over and the program should end with this status.
    void BatchFinished(int Status);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void FormCreate();
    void LoadLanguageFiles();
    void RestoreSettings();
    void SaveSettings() const;
    std::string ProjectText() const;

    TNerimWindowOptions options_;
    QString programDirectory_;
    std::unique_ptr<TConfiguration> configuration_;
    TInternacionalization internacionalization_;
    std::unique_ptr<TTranslationHooks> hooks_;
    std::unique_ptr<TWorkingSet> set_;

    TCanvaxView* cvwMain_ = nullptr;
    TMeshArea* meshArea_ = nullptr;
    TViewTools* viewTools_ = nullptr;
    TObjectsArea* objectsArea_ = nullptr;
    TObjectEditor* objectEditor_ = nullptr;
    TProjectActions* projectActions_ = nullptr;
    TSurveyActions* surveyActions_ = nullptr;
    TResultViewer* resultViewer_ = nullptr;
    TStatusReadout* status_ = nullptr;
    TfrmMeshDeltaGraph* qualityWindow_ = nullptr;
    std::unique_ptr<TfrmMeshDeltaGraph> ownQualityWindow_;

    QString caption_;
    QString fileName_;
    std::string savedText_;
    bool titleUpdatePending_ = false;
    bool shown_ = false;
    bool batchFailed_ = false;
};

}  // namespace nerim
