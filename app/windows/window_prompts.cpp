#include "app/windows/window_prompts.h"

#include <utility>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/window_texts.h"
#include "support/format.h"

namespace nerim {
namespace {

TSaveQuestion& InstalledQuestion() {
    static TSaveQuestion question;
    return question;
}

TFileChooser& InstalledChooser() {
    static TFileChooser chooser;
    return chooser;
}

TChoiceQuestion& InstalledChoice() {
    static TChoiceQuestion question;
    return question;
}

QString Text(TWindowString Entry, const char* Fallback) {
    return QString::fromStdString(WindowString(Entry, Fallback));
}


TSaveAnswer SaveQuestionBox(QWidget* Parent, const QString& Question) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), Question, QMessageBox::NoButton,
                    Parent);
    box.setObjectName(QStringLiteral("dlgSaveChanges"));
    QPushButton* save = box.addButton(Text(wsSaveButton, "Guardar"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(Text(wsDiscardButton, "No guardar"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(Text(wsCancelButton, "Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return TSaveAnswer::Save;
    if (box.clickedButton() == discard) return TSaveAnswer::Discard;
    return TSaveAnswer::Cancel;
}

QString PointsFileDialog(QWidget* Parent, const QString& Directory) {
    QFileDialog dialog(Parent);
    dialog.setObjectName(QStringLiteral("dlgImport"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(FileFilters(QString::fromStdString(
        Format(WindowString(wsPointsFilter, "Puntos (%s)"), {std::string("*.csv *.CSV *.txt *.TXT *.xyz *.XYZ *.dat *.DAT")}))));
    if (!Directory.isEmpty()) dialog.setDirectory(Directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString ProjectFileDialog(QWidget* Parent, TFileDialogKind Kind, const QString& Directory) {
    if (Kind == TFileDialogKind::Points) return PointsFileDialog(Parent, Directory);
    QFileDialog dialog(Parent);
    const bool open = Kind == TFileDialogKind::Open;
    dialog.setObjectName(open ? QStringLiteral("dlgOpen") : QStringLiteral("dlgSave"));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("DAT"));
    // File names differ by letter case here: both spellings of the extension are offered.
    dialog.setNameFilters(FileFilters(FileFilter("DAT", "*.DAT *.dat")));
    if (!Directory.isEmpty()) dialog.setDirectory(Directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

std::optional<int> ChoiceBox(QWidget* Parent, const QString& Question, const QStringList& Items) {
    bool accepted = false;
    const QString chosen = QInputDialog::getItem(Parent, QApplication::applicationDisplayName(), Question, Items, 0,
                                                 false, &accepted);
    if (!accepted) return std::nullopt;
    const int index = static_cast<int>(Items.indexOf(chosen));
    return index < 0 ? std::nullopt : std::optional<int>(index);
}

}  // namespace

QString DialogTitle(const QString& Caption) {
    QString title = Caption;
    title.remove(QLatin1Char('&'));
    while (title.endsWith(QLatin1Char('.')) || title.endsWith(QChar(0x2026))) title.chop(1);
    return title.trimmed();
}

QString FileFilter(const std::string& Kind, const std::string& Patterns) {
    return QString::fromStdString(Format(WindowString(wsFileFilter, "Archivos %s (%s)"), {Kind, Patterns}));
}

QStringList FileFilters(const QString& Filter) { return {Filter, QFileDialog::tr("All Files (*)")}; }

TSaveQuestion SetSaveQuestion(TSaveQuestion Question) { return std::exchange(InstalledQuestion(), std::move(Question)); }

TSaveAnswer AskSaveChanges(QWidget* Parent, const QString& Question) {
    const TSaveQuestion question = InstalledQuestion();
    return question ? question(Parent, Question) : SaveQuestionBox(Parent, Question);
}

TFileChooser SetFileChooser(TFileChooser Chooser) { return std::exchange(InstalledChooser(), std::move(Chooser)); }

QString ChooseProjectFile(QWidget* Parent, TFileDialogKind Kind, const QString& Directory) {
    const TFileChooser chooser = InstalledChooser();
    return chooser ? chooser(Parent, Kind, Directory) : ProjectFileDialog(Parent, Kind, Directory);
}

std::filesystem::path LocalPath(const QString& File) {
    return std::filesystem::path(QFile::encodeName(File).toStdString());
}

TChoiceQuestion SetChoiceQuestion(TChoiceQuestion Question) {
    return std::exchange(InstalledChoice(), std::move(Question));
}

std::optional<int> AskChoice(QWidget* Parent, const QString& Question, const QStringList& Items) {
    const TChoiceQuestion question = InstalledChoice();
    return question ? question(Parent, Question, Items) : ChoiceBox(Parent, Question, Items);
}

}  // namespace nerim
