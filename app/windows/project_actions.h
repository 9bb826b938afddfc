#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;

namespace nerim {

class TfrmNerim;

// The menu "Archivo" and what it does with project files: "Abrir", "Guardar", "Guardar como...",
// the recent files, "Guardar traducción" (shown in the translation build only) and "Salir".
// Opening asks first whether to save unsaved changes; so does dropping a project file on the
// window, which opens it.
class TProjectActions : public QObject {
    Q_OBJECT

public:
    TProjectActions(TfrmNerim& Window, QMenuBar* MenuBar);

    QAction* SaveTranslationAction() const { return mniSaveTranslation_; }
    // The menu "Archivo", and the separator before its recent files, where other areas put
    // their commands.
    QMenu* FileMenu() const { return archivo_; }
    QAction* RecentSeparator() const { return recentSeparator_; }
    // The folder a file dialog opens in: the project's, or the last one used.
    QString DialogDirectory() const;
    QMenu* RecentMenu() const { return mniRecientes_; }
    QStringList RecentFiles() const;

    // Opens a project file as "Abrir" does once the file is chosen (no question asked here).
    void OpenProject(const QString& File);
    // Saves under a name as "Guardar" does once the file is known: applies the mesh fields first.
    void SaveProjectAs(const QString& File);
    // Opens a file after asking about unsaved changes (the recent files, a dropped file).
    void OpenWithQuestion(const QString& File);

    // Handlers.
    void Abrir1Click();
    // True when the project was saved (false when the dialog was cancelled).
    bool Guardar1Click();
    bool Guardarcomo1Click();
    void mniSaveTranslationClick();

private:
    void RememberFile(const QString& File);
    void RebuildRecentMenu();

    TfrmNerim& window_;
    QMenu* archivo_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QAction* mniSaveTranslation_ = nullptr;
    QMenu* mniRecientes_ = nullptr;
};

}  // namespace nerim
