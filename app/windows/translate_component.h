#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include "support/internacionalization.h"
#include "support/translation_list.h"
#include "widgets/translation_hooks.h"

class QCheckBox;
class QComboBox;
class QFileDialog;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace nerim {

class TInternacionalization;
class TMemoEdit;
class TNodeLookDelegate;
class TOnDemandComboBox;
class TPictureBox;
class TTranslatePanel;
struct TNodeLook;

// "Traducir", the translation editor of translation mode (widgets/translation_hooks.h): a
// translator Ctrl+clicks a control of a hooked window and edits its caption and hint here; the
// texts take effect on the control at once and go into the translation list.
//
// The window itself is never shown: its two panels float on top of the other windows, over the
// window being translated, and neither can be closed.
// - toolTree: the tree tvwControls of the target window's controls (its name at the root, then its
//   controls as they nest, then its menus and their items), coloured by where each control's entry
//   is found: in both the translation list and the comparison list, in the translation list only,
//   in the comparison list only; a control that takes no translation and has no entry is written
//   in dark grey-green. A legend below the tree explains the three colours.
// - toolEdit: the comparison language, import of a text translation list, saving, the item number
//   of a control that holds items, a preview of the control, its caption and hint (Enter applies,
//   Ctrl+Enter adds a line), whether the click that selected a control is passed on to it, the
//   language being edited and "Aplicar".
//
// XML translation files. "Guardar traducción" writes the translation list as one language of the
// program node "Nerim" of an XML translation file, keeping the file's other programs and
// languages; "Comparar con:" reads one language of that file into the comparison list, whose
// entries accumulate over the languages chosen. The file is the one last saved by the translation
// component, or the one chosen with "Archivo XML..."; when neither is known, the first save or the
// first opening of the "Comparar con:" list asks for it, proposing "Translation.xml" beside the
// program. The language saved is the one shown big beside "Idioma:": translation mode shows there
// the component's XmlLanguageName, and the translator names or picks it in the field beside it,
// which also sets XmlLanguageName. Saving without a language is refused with a message.
//
// The confirmation box and the file dialogs go through replaceable functions, so that tests and
// scripts never wait for a click.
class TfrmTranslateComponent : public QMainWindow, public TTranslationEditor {
    Q_OBJECT

public:
    // What a file dialog is asked for.
    enum TFileRequest {
        frXmlOpen,  // an XML translation file to read ("Comparar con:")
        frXmlSave,  // an XML translation file to write, new or not ("Guardar traducción", "Archivo XML...")
        frImport    // a text translation list to import (dlgOpen)
    };
    // Shows a question with the buttons Yes and No; true for Yes.
    using TAskFunction = std::function<bool(const QString& question)>;
    // Asks for a file; an empty name when the user cancels.
    using TFileFunction = std::function<QString(TFileRequest request, const QString& proposed)>;

    // The program node of the XML translation files.
    static constexpr const char* kProgramNode = "Nerim";
    // Asked before another control is made current while the memos hold unapplied changes.
    static const QString kApplyChangesQuestion;

    explicit TfrmTranslateComponent(QWidget* parent = nullptr);
    ~TfrmTranslateComponent() override;

    // The translation component whose list is edited.
    void SetTranslator(TInternacionalization& translator);

    // --- What translation mode asks of the editor

    void SetTargetWindow(QWidget* window) override;
    // Makes a control current, first asking whether to apply the changes the memos hold to the
    // previous one (Yes applies them, No drops them), then selects its node and shows its texts.
    void SelectControl(QObject* control) override;
    // Changes the item number and reloads the texts; when the current control cannot serve the
    // new number the previous one comes back and the failure is passed on.
    void SetItemIndex(int index) override;
    bool NoControlActions() const override;
    void ShowEditor(const QString& languageName) override;

    // Loads a control's present texts into the memos.
    void ShowTexts(QObject* control);

    QWidget* TargetWindow() const { return target_; }
    QObject* CurrentControl() const { return current_; }
    int ItemIndex() const { return itemIndex_; }
    // Entries of the comparison languages read so far.
    const TTranslationList& CompareList() const { return compareList_; }
    // The XML translation file that saving and comparing use; empty until known.
    QString XmlFileName() const { return xmlFileName_; }
    // The language that "Guardar traducción" saves.
    QString LanguageName() const;
    // Whether a memo holds typing that "Aplicar" has not applied.
    bool HasUnappliedChanges() const { return captionChanged_ || hintChanged_; }
    // How the tree draws a control's node.
    TNodeLook NodeLook(const QObject* control) const;
    // The control a node of the tree stands for.
    QObject* NodeControl(const QTreeWidgetItem* node) const;

    void SetAskFunction(TAskFunction ask) { ask_ = std::move(ask); }
    void SetFileFunction(TFileFunction chooseFile) { chooseFile_ = std::move(chooseFile); }

    // The marker colours.
    static const QColor kBothColour;
    static const QColor kCurrentOnlyColour;
    static const QColor kCompareOnlyColour;
    static const QColor kUntranslatableText;
    static const QColor kUnappliedColour;
    static const QColor kNoteColour;

protected:
    // Where "Aplicar" sends the texts.
    virtual void ApplyTexts(QObject* control, int item, bool hasHint, const QString& hint, const QString& caption);

private:
    void BuildTreePanel();
    void BuildEditPanel();
    void PlacePanels();

    // Event handlers.
    void tvwControlsChange(QTreeWidgetItem* node);
    void edtCaptionChange();
    void edtHintChange();
    void edtIndexChange(int value);
    void btnAplicarClick();
    void btnSaveClick();
    void btnImportarClick();
    void btnXmlFileClick();
    void cbxCompLanguageChange(int index);
    void cbxLanguageChange(const QString& text);

    void FillTree(QWidget* window);
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, QObject* control);
    void AddMenu(QTreeWidgetItem* parent, QObject* menu, std::vector<const QObject*>& done);
    QTreeWidgetItem* FirstNodeOf(const QObject* control) const;
    void ShowControl(QObject* control);
    void DrawPreview(QObject* control);
    void ShowItemIndex(int index);
    void ShowMarkers(bool hintAllowed);
    void FillLanguageLists();
    // The XML file, asking for it when none is known yet; empty when the user cancels.
    QString EnsureXmlFile(TFileRequest request);
    void ReadLanguages();
    QString ProposedXmlFile() const;
    bool Ask(const QString& question);
    QString ChooseFile(TFileRequest request, const QString& proposed);

    TInternacionalization* translator_ = nullptr;
    TTranslationList compareList_;
    QPointer<QWidget> target_;
    QPointer<QObject> current_;
    int itemIndex_ = 0;
    bool loading_ = false;
    // Set while the tree's change handler selects its node's control.
    bool inTreeChange_ = false;
    bool captionChanged_ = false;
    bool hintChanged_ = false;
    QString xmlFileName_;
    // The control of each node, by the number the node carries.
    std::vector<QPointer<QObject>> nodeControls_;
    TAskFunction ask_;
    TFileFunction chooseFile_;
    QColor windowColour_;
    QColor buttonColour_;

    TTranslatePanel* toolTree_ = nullptr;
    TTranslatePanel* toolEdit_ = nullptr;
    QTreeWidget* tvwControls_ = nullptr;
    TOnDemandComboBox* cbxCompLanguage_ = nullptr;
    QPushButton* btnXmlFile_ = nullptr;
    QPushButton* btnImportar_ = nullptr;
    QPushButton* btnSave_ = nullptr;
    QSpinBox* edtIndex_ = nullptr;
    TPictureBox* pbxControl_ = nullptr;
    TMemoEdit* edtCaption_ = nullptr;
    TMemoEdit* edtHint_ = nullptr;
    QCheckBox* chkNoRealizarAccion_ = nullptr;
    QLabel* lblLang_ = nullptr;
    QComboBox* cbxLanguage_ = nullptr;
    QPushButton* btnAplicar_ = nullptr;
    QFileDialog* dlgOpen_ = nullptr;
};

// What a translation list leaves untranslated in the given windows: one line per component that
// shows a caption or a hint (the window itself, its controls, menus, actions, chart parts, the
// items of a control that holds items) and has no entry, as the entry would read with the
// window's present texts ("frmNerim.btnAgua=Agua##Nueva zona de agua..."), each key once.
std::vector<std::string> MissingWindowEntries(const TTranslationList& List, const std::vector<const QWidget*>& Windows);
// The string-table entries of the Spanish strings that the given ones lack, as "STRn=text", in
// the order of their numbers.
std::vector<std::string> MissingStrings(const TStringsList& Spanish, const TStringsList& Given);
// nerim-translator --missing TRANSLATION_FILE [STRINGS_FILE] (argv[1] is "--missing"): prints
// the untranslated entries of the main window, the quality window, the boundary-condition form
// and the translation editor (built with their Spanish texts on the offscreen platform), then
// those of the string table when a strings file is given. Returns 0 when nothing is missing, 1
// otherwise, 2 for a wrong command line or a file that cannot be read.
int RunMissingTranslations(int& argc, char** argv);

// Makes this window the editor of translation mode: from then on the first Ctrl+click on a hooked
// control creates it for the translation component that hooked the window. A program installs it,
// builds its window and hooks it.
void InstallTranslationEditor();

}  // namespace nerim
