#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace nerim {

// The questions the main window asks its user, each behind a replaceable hook so that tests and
// unattended runs answer them without a dialog waiting for a click. Each setter installs its hook
// for the whole process and returns the one it replaces; an empty hook restores the dialog.

// "¿Guardar los cambios de ...?": save, discard the changes, or cancel what was about to happen.
enum class TSaveAnswer { Save, Discard, Cancel };
using TSaveQuestion = std::function<TSaveAnswer(QWidget* Parent, const QString& Question)>;
TSaveQuestion SetSaveQuestion(TSaveQuestion Question);
TSaveAnswer AskSaveChanges(QWidget* Parent, const QString& Question);

// The project file dialogs (default extension "DAT", filter "DAT files|*.DAT|All files|*.*"):
// the chosen file, or an empty text when the dialog was cancelled. Directory is where it opens.
enum class TFileDialogKind { Open, Save };
using TFileChooser = std::function<QString(QWidget* Parent, TFileDialogKind Kind, const QString& Directory)>;
TFileChooser SetFileChooser(TFileChooser Chooser);
QString ChooseProjectFile(QWidget* Parent, TFileDialogKind Kind, const QString& Directory);

}  // namespace nerim
