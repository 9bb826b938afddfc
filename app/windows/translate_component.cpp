#include "app/windows/translate_component.h"

#include <algorithm>
#include <unordered_map>

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsObject>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "app/windows/translate_component_parts.h"
#include "app/windows/window_prompts.h"
#include "support/exception.h"
#include "support/internacionalization.h"
#include "support/paths.h"
#include "support/process.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

// Saving was asked for without a language to save under.
class ENoLanguageToSave : public Exception {
public:
    ENoLanguageToSave()
        : Exception("Escriba junto a \"Idioma:\" el idioma de la traducción antes de guardarla - "
                    "Type the translation's language beside \"Idioma:\" before saving it") {}
};

QString QtText(const std::string& utf8) { return QString::fromStdString(utf8); }
std::string FileText(const QString& name) { return name.toStdString(); }

void SetBaseColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

// What a component hangs from: its parent object, or for a chart shown in a graphics view, the view.
QObject* OwnerOf(const QObject* object) {
    if (QObject* parent = object->parent()) return parent;
    if (const auto* item = qobject_cast<const QGraphicsObject*>(object); item && item->scene() &&
                                                                         !item->scene()->views().isEmpty())
        return item->scene()->views().front();
    return nullptr;
}

// Whether a component is listed under the menus rather than among the controls: a menu, or an
// action shown in a menu.
bool BelongsToMenus(const QObject* component) {
    if (qobject_cast<const QMenu*>(component)) return true;
    if (const auto* action = qobject_cast<const QAction*>(component))
        for (const QObject* shownIn : action->associatedObjects())
            if (qobject_cast<const QMenu*>(shownIn)) return true;
    return false;
}

// Whether a component is an inner part of a control that holds items (the scroll buttons of a
// tab bar): the translator edits the items, not these.
bool InsideItemHolder(const QObject* component, const QWidget* window) {
    for (const QObject* owner = OwnerOf(component); owner && owner != window; owner = OwnerOf(owner))
        if (HoldsItems(owner)) return true;
    return false;
}

// A menu of the menu bar or a stand-alone one: not shown inside another menu.
bool IsTopMenu(const QMenu* menu) {
    for (const QObject* shownIn : menu->menuAction()->associatedObjects())
        if (qobject_cast<const QMenu*>(shownIn)) return false;
    return true;
}

// Sets a flag for as long as it lives.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

const QString TfrmTranslateComponent::kApplyChangesQuestion = QStringLiteral("¿Aplicar cambios?\r\nApply changes?");
const QColor TfrmTranslateComponent::kBothColour(248, 158, 174);
const QColor TfrmTranslateComponent::kCurrentOnlyColour(181, 238, 196);
const QColor TfrmTranslateComponent::kCompareOnlyColour(180, 186, 239);
const QColor TfrmTranslateComponent::kUntranslatableText(50, 69, 50);
const QColor TfrmTranslateComponent::kUnappliedColour(237, 249, 232);
const QColor TfrmTranslateComponent::kNoteColour(128, 0, 64);

TfrmTranslateComponent::TfrmTranslateComponent(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmTranslateComponent"));
    setWindowTitle(QStringLiteral("Traducir"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    BuildTreePanel();
    BuildEditPanel();
    addDockWidget(Qt::LeftDockWidgetArea, toolTree_);
    addDockWidget(Qt::RightDockWidgetArea, toolEdit_);
    toolTree_->Float();
    toolEdit_->Float();
    toolTree_->resize(300, 560);
    toolEdit_->resize(QSize(440, 560).expandedTo(toolEdit_->minimumSizeHint()));
}

TfrmTranslateComponent::~TfrmTranslateComponent() {
    // The panels go first, while what their signals reach is still whole.
    delete toolTree_;
    delete toolEdit_;
}

void TfrmTranslateComponent::SetTranslator(TInternacionalization& translator) {
    translator_ = &translator;
    if (xmlFileName_.isEmpty()) xmlFileName_ = QtText(translator.XmlFileName());
    btnXmlFile_->setToolTip(xmlFileName_);
    lblLang_->setText(QtText(translator.XmlLanguageName()));
    FillLanguageLists();
}

void TfrmTranslateComponent::SetTargetWindow(QWidget* window) {
    if (window == target_) return;
    target_ = window;
    {
        const QSignalBlocker blocker(tvwControls_);
        tvwControls_->clear();
    }
    nodeControls_.clear();
    if (window) {
        FillTree(window);
        FillLanguageLists();
        PlacePanels();
    }
    toolTree_->Float();
    toolEdit_->Float();
}

void TfrmTranslateComponent::FillTree(QWidget* window) {
    QTreeWidgetItem* root = AddNode(nullptr, window);
    const std::vector<QObject*> components = OwnedComponents(window);
    std::unordered_map<const QObject*, QTreeWidgetItem*> nodes{{window, root}};
    // The controls as they nest; a component whose owner is not listed hangs from the nearest one
    // that is.
    for (QObject* component : components) {
        if (BelongsToMenus(component) || InsideItemHolder(component, window)) continue;
        QTreeWidgetItem* parent = root;
        for (const QObject* owner = OwnerOf(component); owner && owner != window; owner = OwnerOf(owner))
            if (const auto found = nodes.find(owner); found != nodes.end()) {
                parent = found->second;
                break;
            }
        nodes[component] = AddNode(parent, component);
    }
    // Then the menus, each with its items; an unnamed menu is passed through to its items.
    std::vector<const QObject*> done;
    for (QMenu* menu : window->findChildren<QMenu*>())
        if (IsTopMenu(menu) && TranslationWindow(menu) == window) AddMenu(root, menu, done);
    tvwControls_->expandAll();
}

void TfrmTranslateComponent::AddMenu(QTreeWidgetItem* parent, QObject* menuObject, std::vector<const QObject*>& done) {
    if (std::find(done.begin(), done.end(), menuObject) != done.end()) return;
    done.push_back(menuObject);
    auto* menu = static_cast<QMenu*>(menuObject);
    // An unnamed menu is no component: its items hang from the menu that shows it.
    QTreeWidgetItem* node = menu->objectName().isEmpty() ? parent : AddNode(parent, menu);
    for (QAction* action : menu->actions()) {
        if (QMenu* submenu = action->menu())
            AddMenu(node, submenu, done);
        else if (!action->isSeparator() && !action->objectName().isEmpty() &&
                 TranslationWindow(action) == TranslationWindow(menu))
            AddNode(node, action);
    }
}

QTreeWidgetItem* TfrmTranslateComponent::AddNode(QTreeWidgetItem* parent, QObject* control) {
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tvwControls_);
    node->setText(0, control->objectName());
    node->setData(0, Qt::UserRole, static_cast<int>(nodeControls_.size()));
    nodeControls_.emplace_back(control);
    return node;
}

QObject* TfrmTranslateComponent::NodeControl(const QTreeWidgetItem* node) const {
    if (!node) return nullptr;
    bool ok = false;
    const int index = node->data(0, Qt::UserRole).toInt(&ok);
    if (!ok || index < 0 || static_cast<std::size_t>(index) >= nodeControls_.size()) return nullptr;
    return nodeControls_[static_cast<std::size_t>(index)];
}

QTreeWidgetItem* TfrmTranslateComponent::FirstNodeOf(const QObject* control) const {
    if (!control) return nullptr;
    for (QTreeWidgetItemIterator it(tvwControls_); *it; ++it)
        if (NodeControl(*it) == control) return *it;
    return nullptr;
}

TNodeLook TfrmTranslateComponent::NodeLook(const QObject* control) const {
    if (!translator_ || !control) return {};
    const std::string key = TranslationKey(control);
    const bool current = translator_->TranslationList().Find(key) != nullptr;
    const bool compared = compareList_.Find(key) != nullptr;
    if (current && compared) return {kBothColour, {}};
    if (current) return {kCurrentOnlyColour, {}};
    if (compared) return {kCompareOnlyColour, {}};
    if (!IsTranslatable(control)) return {{}, kUntranslatableText};
    return {};
}

void TfrmTranslateComponent::SelectControl(QObject* control) {
    if (control == current_) return;
    if (HasUnappliedChanges() && Ask(kApplyChangesQuestion)) btnAplicarClick();
    current_ = control;
    QTreeWidgetItem* node = FirstNodeOf(control);
    if (!node) {
        // A control the tree does not list (one made after the window was listed) is still edited.
        {
            const QSignalBlocker blocker(tvwControls_);
            tvwControls_->setCurrentItem(nullptr);
        }
        ShowControl(control);
    } else if (node != tvwControls_->currentItem()) {
        tvwControls_->setCurrentItem(node);  // the tree's change shows the control
    } else if (!inTreeChange_) {
        ShowControl(control);
    }
    if (node) tvwControls_->scrollToItem(node);
    tvwControls_->setFocus();
    tvwControls_->viewport()->update();
}

void TfrmTranslateComponent::tvwControlsChange(QTreeWidgetItem* node) {
    if (!node) return;
    QObject* control = NodeControl(node);
    {
        TFlagScope scope(inTreeChange_);
        SelectControl(control);
    }
    ShowControl(control);
}

void TfrmTranslateComponent::ShowControl(QObject* control) {
    DrawPreview(control);
    ShowTexts(control);
}

void TfrmTranslateComponent::DrawPreview(QObject* control) {
    auto* widget = qobject_cast<QWidget*>(control);
    if (!widget || !widget->isVisible()) {
        pbxControl_->Clear();
        return;
    }
    QPixmap image = widget->grab();
    QSize size = widget->size();
    // A control wider or taller than the preview is shown whole, made smaller.
    const QSize room = pbxControl_->size() - QSize(2, 2);
    if (!room.isEmpty() && (size.width() > room.width() || size.height() > room.height())) {
        size.scale(room, Qt::KeepAspectRatio);
        image = image.scaled(size * image.devicePixelRatio(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap picture(size + QSize(2, 2));
    picture.fill(pbxControl_->palette().color(QPalette::Window));
    QPainter painter(&picture);
    painter.setPen(QColor(255, 0, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, size.width() + 1, size.height() + 1);
    painter.drawPixmap(1, 1, image);
    painter.end();
    pbxControl_->SetPicture(picture);
}

void TfrmTranslateComponent::ShowTexts(QObject* control) {
    const TControlTexts texts = CurrentTexts(control, itemIndex_);
    {
        TFlagScope scope(loading_);
        edtCaption_->setPlainText(texts.Caption);
        edtHint_->setPlainText(texts.Hint);
    }
    edtHint_->setReadOnly(!texts.HintAllowed);
    captionChanged_ = false;
    hintChanged_ = false;
    ShowMarkers(texts.HintAllowed);
}

void TfrmTranslateComponent::ShowMarkers(bool hintAllowed) {
    SetBaseColour(edtCaption_, captionChanged_ ? kUnappliedColour : windowColour_);
    SetBaseColour(edtHint_, hintChanged_ ? kUnappliedColour : hintAllowed ? windowColour_ : buttonColour_);
}

void TfrmTranslateComponent::edtCaptionChange() {
    if (loading_) return;
    captionChanged_ = true;
    ShowMarkers(!edtHint_->isReadOnly());
}

void TfrmTranslateComponent::edtHintChange() {
    // Typing in the hint is kept as carefully as typing in the caption.
    if (loading_ || edtHint_->isReadOnly()) return;
    hintChanged_ = true;
    ShowMarkers(true);
}

void TfrmTranslateComponent::SetItemIndex(int index) {
    if (index == itemIndex_) return;
    const int previous = itemIndex_;
    itemIndex_ = index;
    ShowItemIndex(index);
    if (!current_) return;
    try {
        ShowTexts(current_);
    } catch (...) {
        itemIndex_ = previous;
        ShowItemIndex(previous);
        ShowTexts(current_);
        throw;
    }
}

void TfrmTranslateComponent::ShowItemIndex(int index) {
    const QSignalBlocker blocker(edtIndex_);
    edtIndex_->setValue(index);
}

void TfrmTranslateComponent::edtIndexChange(int value) { SetItemIndex(value); }

bool TfrmTranslateComponent::NoControlActions() const { return chkNoRealizarAccion_->isChecked(); }

void TfrmTranslateComponent::ShowEditor(const QString& languageName) {
    lblLang_->setText(languageName);
    {
        const QSignalBlocker blocker(cbxLanguage_);
        cbxLanguage_->setEditText(languageName);
    }
    for (TTranslatePanel* panel : {toolTree_, toolEdit_}) {
        panel->Float();
        panel->show();
        panel->raise();
    }
}

QString TfrmTranslateComponent::LanguageName() const { return lblLang_->text().trimmed(); }

void TfrmTranslateComponent::cbxLanguageChange(const QString& text) {
    lblLang_->setText(text.trimmed());
    if (translator_) translator_->SetXmlLanguageName(FileText(text.trimmed()));
}

void TfrmTranslateComponent::ApplyTexts(QObject* control, int item, bool hasHint, const QString& hint,
                                        const QString& caption) {
    ApplyTranslation(*translator_, control, item, hasHint, hint, caption);
}

void TfrmTranslateComponent::btnAplicarClick() {
    if (!current_ || !translator_) return;
    ApplyTexts(current_, edtIndex_->value(), !edtHint_->isReadOnly(), edtHint_->toPlainText(),
               edtCaption_->toPlainText());
    captionChanged_ = false;
    hintChanged_ = false;
    ShowMarkers(!edtHint_->isReadOnly());
    tvwControls_->viewport()->update();
    // The control takes its new size once its layout has run.
    QTimer::singleShot(0, this, [this, control = current_] {
        if (control && control == current_) DrawPreview(control);
    });
}

void TfrmTranslateComponent::btnSaveClick() {
    if (!translator_) return;
    const QString language = LanguageName();
    if (language.isEmpty()) throw ENoLanguageToSave();
    const QString file = EnsureXmlFile(frXmlSave);
    if (file.isEmpty()) return;
    translator_->SetXmlLanguageName(FileText(language));
    translator_->SaveTranslationXml(FileText(file), kProgramNode, FileText(language));
    ReadLanguages();
    FillLanguageLists();
}

void TfrmTranslateComponent::btnImportarClick() {
    if (!translator_) return;
    const QString file = ChooseFile(frImport, {});
    if (file.isEmpty()) return;
    if (QFileInfo::exists(file)) translator_->LoadTranslationList(FileText(file));
    TranslateComponent(*translator_, target_);
    ShowTexts(current_);
    tvwControls_->viewport()->update();
}

void TfrmTranslateComponent::btnXmlFileClick() {
    const QString file = ChooseFile(frXmlSave, xmlFileName_.isEmpty() ? ProposedXmlFile() : xmlFileName_);
    if (file.isEmpty()) return;
    xmlFileName_ = file;
    btnXmlFile_->setToolTip(file);
    if (QFileInfo::exists(file)) ReadLanguages();
    FillLanguageLists();
}

void TfrmTranslateComponent::cbxCompLanguageChange(int index) {
    if (!translator_ || index < 0) return;
    const QString file = EnsureXmlFile(frXmlOpen);
    if (file.isEmpty()) return;
    translator_->LoadTranslationXml(compareList_, FileText(file), kProgramNode,
                                    FileText(cbxCompLanguage_->itemText(index)));
    tvwControls_->viewport()->update();
}

QString TfrmTranslateComponent::EnsureXmlFile(TFileRequest request) {
    if (xmlFileName_.isEmpty()) {
        xmlFileName_ = ChooseFile(request, ProposedXmlFile());
        btnXmlFile_->setToolTip(xmlFileName_);
    }
    return xmlFileName_;
}

void TfrmTranslateComponent::ReadLanguages() {
    if (!translator_ || xmlFileName_.isEmpty()) return;
    TTranslationList ignored;
    try {
        translator_->LoadTranslationXml(ignored, FileText(xmlFileName_), kProgramNode, "");
    } catch (const ENoTranslationLanguage&) {
        // The program node holds no language yet: there is none to list.
    }
}

void TfrmTranslateComponent::FillLanguageLists() {
    QStringList languages;
    if (translator_)
        for (const std::string& language : translator_->Languages()) languages << QtText(language);
    {
        // The language compared last stays chosen while the file still has it.
        const QString compared = cbxCompLanguage_->currentText();
        const QSignalBlocker blocker(cbxCompLanguage_);
        cbxCompLanguage_->clear();
        cbxCompLanguage_->addItems(languages);
        cbxCompLanguage_->setCurrentIndex(static_cast<int>(languages.indexOf(compared)));
    }
    const QSignalBlocker blocker(cbxLanguage_);
    cbxLanguage_->clear();
    cbxLanguage_->addItems(languages);
    cbxLanguage_->setEditText(lblLang_->text());
}

QString TfrmTranslateComponent::ProposedXmlFile() const {
    try {
        return QtText(JoinPath(ProgramDirectory(), "Translation.xml"));
    } catch (const Exception&) {
        return QStringLiteral("Translation.xml");
    }
}

bool TfrmTranslateComponent::Ask(const QString& question) {
    if (ask_) return ask_(question);
    QString text = question;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return QMessageBox::question(toolEdit_, windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

QString TfrmTranslateComponent::ChooseFile(TFileRequest request, const QString& proposed) {
    if (chooseFile_) return chooseFile_(request, proposed);
    const QString xmlFilter = FileFilters(FileFilter("XML", "*.xml *.XML")).join(QStringLiteral(";;"));
    const QString title = DialogTitle(btnXmlFile_->text());
    switch (request) {
        case frXmlOpen: return QFileDialog::getOpenFileName(toolEdit_, title, proposed, xmlFilter);
        case frXmlSave:
            // Saving keeps the file's other languages: choosing an existing file replaces nothing.
            return QFileDialog::getSaveFileName(toolEdit_, title, proposed, xmlFilter, nullptr,
                                                QFileDialog::DontConfirmOverwrite);
        case frImport:
            dlgOpen_->setWindowTitle(DialogTitle(btnImportar_->text()));
            if (dlgOpen_->exec() != QDialog::Accepted || dlgOpen_->selectedFiles().isEmpty()) return {};
            return dlgOpen_->selectedFiles().front();
    }
    return {};
}

void InstallTranslationEditor() {
    SetTranslationEditorFactory([](TInternacionalization& translator) -> std::unique_ptr<TTranslationEditor> {
        auto editor = std::make_unique<TfrmTranslateComponent>();
        editor->SetTranslator(translator);
        // The editor speaks the language being edited, as the windows it edits do.
        TranslateComponent(translator, editor.get());
        return editor;
    });
}

}  // namespace nerim
