#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <QString>
#include <QStringList>

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

// The project file dialogs (default extension "DAT", filters "DAT files" and "All files" in the
// interface language), and the one that opens a file of points (survey data: columns of numbers):
// the chosen file, or an empty text when the dialog was cancelled. Directory is where it opens.
enum class TFileDialogKind { Open, Save, Points };
using TFileChooser = std::function<QString(QWidget* Parent, TFileDialogKind Kind, const QString& Directory)>;
TFileChooser SetFileChooser(TFileChooser Chooser);
QString ChooseProjectFile(QWidget* Parent, TFileDialogKind Kind, const QString& Directory);

// A file name as the dialogs and the window hold it (a QString) as a path of the file system, in
// the local encoding of file names.
std::filesystem::path LocalPath(const QString& File);

// What the file dialogs say, in the interface language: a title made of the caption of the button
// that opens the dialog (without its mnemonic and its dots), the filter of one kind of file
// ("Archivos DAT (*.DAT *.dat)" from the kind and its patterns), and that filter followed by
// "All files" as the toolkit's own dialogs say it.
QString DialogTitle(const QString& Caption);
QString FileFilter(const std::string& Kind, const std::string& Patterns);
QStringList FileFilters(const QString& Filter);

// A choice among Items (their captions), with Question as the prompt: the index chosen, or
// nothing when the user cancelled.
using TChoiceQuestion =
    std::function<std::optional<int>(QWidget* Parent, const QString& Question, const QStringList& Items)>;
TChoiceQuestion SetChoiceQuestion(TChoiceQuestion Question);
std::optional<int> AskChoice(QWidget* Parent, const QString& Question, const QStringList& Items);

}  // namespace nerim
