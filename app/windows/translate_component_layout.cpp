// The panels of the translation editor and where they float.
#include <algorithm>

#include <QCheckBox>
#include <QFileDialog>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/windows/translate_component.h"
#include "app/windows/translate_component_parts.h"
#include "app/windows/window_prompts.h"

namespace nerim {
namespace {

template <class T, class... Args>
T* Named(const char* name, Args&&... args) {
    auto* widget = new T(std::forward<Args>(args)...);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* Label(const char* name, const QString& text, QWidget* buddy = nullptr) {
    auto* label = Named<QLabel>(name, text);
    if (buddy) label->setBuddy(buddy);
    return label;
}

// One line of the legend: a swatch of the colour and what it means.
void AddLegendLine(QGridLayout* grid, int row, const char* swatchName, const char* labelName, const QColor& colour,
                   const QString& text) {
    auto* swatch = Named<QFrame>(swatchName);
    swatch->setFrameShape(QFrame::Box);
    swatch->setFixedSize(22, 14);
    swatch->setAutoFillBackground(true);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
    grid->addWidget(swatch, row, 0);
    grid->addWidget(Label(labelName, text), row, 1);
}

// The height a floating panel can take on the screen.
int FitHeight(int wanted, const QRect& area) { return std::max(120, std::min(wanted, area.height() - 40)); }

// A position that keeps a window of that size on the screen area.
QPoint Inside(QPoint position, const QSize& size, const QRect& area) {
    position.setX(std::clamp(position.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    position.setY(std::clamp(position.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    return position;
}

}  // namespace

void TfrmTranslateComponent::BuildTreePanel() {
    toolTree_ = new TTranslatePanel(QStringLiteral("Controles"), QStringLiteral("toolTree"), this);
    auto* panel = Named<QWidget>("pnlTree");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);

    tvwControls_ = Named<QTreeWidget>("tvwControls", panel);
    tvwControls_->setHeaderHidden(true);
    tvwControls_->setColumnCount(1);
    tvwControls_->setIndentation(23);
    tvwControls_->setMouseTracking(true);
    tvwControls_->viewport()->setAttribute(Qt::WA_Hover);
    tvwControls_->setItemDelegate(new TNodeLookDelegate(
        [this](const QModelIndex& index) {
            const bool ok = index.data(Qt::UserRole).isValid();
            const auto node = static_cast<std::size_t>(index.data(Qt::UserRole).toInt());
            return ok && node < nodeControls_.size() ? NodeLook(nodeControls_[node]) : TNodeLook{};
        },
        tvwControls_));
    connect(tvwControls_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { RunHandler([&] { tvwControlsChange(node); }); });
    layout->addWidget(tvwControls_, 1);

    auto* legend = new QGridLayout;
    legend->setHorizontalSpacing(6);
    AddLegendLine(legend, 0, "shpAmbos", "lblAmbos", kBothColour,
                  QStringLiteral("Con traducción en ambos idiomas"));
    AddLegendLine(legend, 1, "shpActual", "lblActual", kCurrentOnlyColour,
                  QStringLiteral("Con traducción sólo en el idioma actual"));
    AddLegendLine(legend, 2, "shpComparacion", "lblComparacion", kCompareOnlyColour,
                  QStringLiteral("Con traducción sólo en el idioma de comparación"));
    legend->setColumnStretch(1, 1);
    layout->addLayout(legend);
    toolTree_->setWidget(panel);
}

void TfrmTranslateComponent::BuildEditPanel() {
    toolEdit_ = new TTranslatePanel(QStringLiteral("Traducir"), QStringLiteral("toolEdit"), this);
    auto* panel = Named<TDefaultButtonPanel>("pnlEdt");
    auto* layout = new QVBoxLayout(panel);

    cbxCompLanguage_ = Named<TOnDemandComboBox>("cbxCompLanguage", panel);
    cbxCompLanguage_->setToolTip(QStringLiteral("Idioma del archivo XML de traducción con el que se compara"));
    cbxCompLanguage_->SetBeforePopup([this] {
        RunHandler([this] {
            if (cbxCompLanguage_->count() > 0 || EnsureXmlFile(frXmlOpen).isEmpty()) return;
            ReadLanguages();
            FillLanguageLists();
        });
    });
    connect(cbxCompLanguage_, &QComboBox::activated, this,
            [this](int index) { RunHandler([&] { cbxCompLanguageChange(index); }); });
    btnXmlFile_ = Named<QPushButton>("btnXmlFile", QStringLiteral("Archivo XML..."), panel);
    btnXmlFile_->setToolTip(QStringLiteral("Archivo XML de traducción que se guarda y con el que se compara"));
    connect(btnXmlFile_, &QPushButton::clicked, this, [this] { RunHandler([this] { btnXmlFileClick(); }); });
    auto* compare = new QHBoxLayout;
    compare->addWidget(Label("lblCompLanguage", QStringLiteral("Comparar con:"), cbxCompLanguage_));
    compare->addWidget(cbxCompLanguage_, 1);
    compare->addWidget(btnXmlFile_);
    layout->addLayout(compare);

    btnImportar_ = Named<QPushButton>("btnImportar", QStringLiteral("Importar traducción (obsoleto)"), panel);
    btnSave_ = Named<QPushButton>("btnSave", QStringLiteral("Guardar traducción"), panel);
    auto* check = Named<QPushButton>("btnComprobar", QStringLiteral("Comprobar traducción"), panel);
    check->hide();
    connect(btnImportar_, &QPushButton::clicked, this, [this] { RunHandler([this] { btnImportarClick(); }); });
    connect(btnSave_, &QPushButton::clicked, this, [this] { RunHandler([this] { btnSaveClick(); }); });
    auto* files = new QHBoxLayout;
    files->addWidget(btnImportar_);
    files->addWidget(btnSave_);
    files->addWidget(check);
    files->addStretch(1);
    layout->addLayout(files);

    edtIndex_ = Named<TNumberEdit>("edtIndex", panel);
    edtIndex_->setRange(0, 99999);
    edtIndex_->setKeyboardTracking(false);
    edtIndex_->setToolTip(QStringLiteral("Número del elemento de un control que tiene elementos"));
    connect(edtIndex_, &QSpinBox::valueChanged, this, [this](int value) { RunHandler([&] { edtIndexChange(value); }); });
    auto* index = new QHBoxLayout;
    index->addWidget(Label("lblIndex", QStringLiteral("Elemento nº:"), edtIndex_));
    index->addWidget(edtIndex_);
    index->addStretch(1);
    layout->addLayout(index);

    pbxControl_ = Named<TPictureBox>("pbxControl", panel);
    pbxControl_->setMinimumHeight(90);
    pbxControl_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    layout->addWidget(pbxControl_);

    edtCaption_ = Named<TMemoEdit>("edtCaption", panel);
    edtHint_ = Named<TMemoEdit>("edtHint", panel);
    for (TMemoEdit* memo : {edtCaption_, edtHint_}) memo->setMinimumHeight(64);
    connect(edtCaption_, &QPlainTextEdit::textChanged, this, [this] { edtCaptionChange(); });
    connect(edtHint_, &QPlainTextEdit::textChanged, this, [this] { edtHintChange(); });
    layout->addWidget(Label("lblCaption", QStringLiteral("Etiqueta"), edtCaption_));
    layout->addWidget(edtCaption_, 1);
    layout->addWidget(Label("lblHint", QStringLiteral("Hint"), edtHint_));
    layout->addWidget(edtHint_, 1);
    auto* note = Label("lblNota", QStringLiteral("Use Ctrl-Enter para añadir una nueva línea."));
    QPalette notePalette = note->palette();
    notePalette.setColor(QPalette::WindowText, kNoteColour);
    note->setPalette(notePalette);
    layout->addWidget(note);

    chkNoRealizarAccion_ =
        Named<QCheckBox>("chkNoRealizarAccion", QStringLiteral("No realizar acciones del control"), panel);
    chkNoRealizarAccion_->setChecked(true);
    layout->addWidget(chkNoRealizarAccion_);

    lblLang_ = Named<QLabel>("lblLang", panel);
    QFont big = lblLang_->font();
    big.setPointSize(16);
    lblLang_->setFont(big);
    cbxLanguage_ = Named<QComboBox>("cbxLanguage", panel);
    cbxLanguage_->setEditable(true);
    cbxLanguage_->setInsertPolicy(QComboBox::NoInsert);
    cbxLanguage_->setMinimumContentsLength(10);
    cbxLanguage_->lineEdit()->setPlaceholderText(QStringLiteral("idioma"));
    cbxLanguage_->setToolTip(QStringLiteral("Idioma que guarda \"Guardar traducción\": escriba uno nuevo o elija uno del archivo XML"));
    connect(cbxLanguage_, &QComboBox::currentTextChanged, this, [this](const QString& text) { cbxLanguageChange(text); });
    auto* language = new QHBoxLayout;
    language->addWidget(Label("lblIdioma", QStringLiteral("Idioma:"), cbxLanguage_));
    language->addWidget(lblLang_, 1);
    language->addWidget(cbxLanguage_);
    layout->addLayout(language);

    btnAplicar_ = Named<QPushButton>("btnAplicar", QStringLiteral("Aplicar"), panel);
    connect(btnAplicar_, &QPushButton::clicked, this, [this] { RunHandler([this] { btnAplicarClick(); }); });
    panel->SetDefaultButton(btnAplicar_);
    auto* apply = new QHBoxLayout;
    apply->addStretch(1);
    apply->addWidget(btnAplicar_);
    layout->addLayout(apply);

    dlgOpen_ = Named<QFileDialog>("dlgOpen", panel);
    dlgOpen_->setAcceptMode(QFileDialog::AcceptOpen);
    dlgOpen_->setFileMode(QFileDialog::ExistingFile);
    // Both cases of the extensions: names are matched with their case on this system.
    dlgOpen_->setNameFilters(FileFilters(QStringLiteral("Translaion files (*.INI *.DAT *.ini *.dat)")));

    toolEdit_->setWidget(panel);
    windowColour_ = edtCaption_->palette().color(QPalette::Base);
    buttonColour_ = edtCaption_->palette().color(QPalette::Button);
}

void TfrmTranslateComponent::PlacePanels() {
    if (!target_) return;
    const QRect frame = target_->frameGeometry();
    const QScreen* screen = target_->screen();
    const QRect area = screen ? screen->availableGeometry() : frame;

    const QSize treeSize(300, FitHeight(std::max(frame.height() - 80, 420), area));
    const QSize editSize(std::max(toolEdit_->minimumSizeHint().width(), 440), FitHeight(560, area));
    toolTree_->resize(treeSize);
    toolTree_->move(Inside(frame.topLeft() + QPoint(16, 48), treeSize, area));
    toolEdit_->resize(editSize);
    toolEdit_->move(Inside(QPoint(frame.right() - 16 - editSize.width(), frame.top() + 48), editSize, area));
}

}  // namespace nerim
