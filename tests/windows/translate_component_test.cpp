#include "app/windows/translate_component.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest/QTest>

#include "app/windows/translate_component_parts.h"
#include "support/exception.h"
#include "support/internacionalization.h"
#include "tests/common/temp_dir.h"
#include "tests/widgets/widget_test_support.h"
#include "tests/windows/translation_test_window.h"

namespace nerim {
namespace {

using testing::TempDir;
using testing::TTranslationTestWindow;

// What the editor passed on to the translation.
struct TApplied {
    QObject* Control;
    int Item;
    bool HasHint;
    QString Hint;
    QString Caption;
};

class TRecordingEditor : public TfrmTranslateComponent {
public:
    std::vector<TApplied> applied;

protected:
    void ApplyTexts(QObject* control, int item, bool hasHint, const QString& hint, const QString& caption) override {
        applied.push_back({control, item, hasHint, hint, caption});
        TfrmTranslateComponent::ApplyTexts(control, item, hasHint, hint, caption);
    }
};

const char* const kTwoLanguages =
    "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
    "<Otro><English><frmPrueba><btnAgua Caption=\"Nope\" Hint=\"\"/></frmPrueba></English></Otro>\r\n"
    "<Nerim>\r\n"
    "  <English><frmPrueba><btnAgua Caption=\"Water\" Hint=\"New water\"/>"
    "<lblCentro Caption=\"Centre\" Hint=\"\"/></frmPrueba></English>\r\n"
    "  <French><frmPrueba><pnlSubZonas Caption=\"\" Hint=\"Sous-zones\"/>"
    "<Abrir1 Caption=\"Ouvrir\" Hint=\"\"/></frmPrueba></French>\r\n"
    "</Nerim>\r\n";

class TranslateComponent : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        editor.SetTranslator(intl);
        editor.SetAskFunction([this](const QString& question) {
            questions.push_back(question);
            return answer;
        });
        editor.SetFileFunction([this](TfrmTranslateComponent::TFileRequest request, const QString& proposed) {
            requests.emplace_back(request, proposed);
            return chosenFile;
        });
        editor.ShowEditor("");
        editor.SetTargetWindow(&window);
    }

    template <class T>
    T* Find(const char* name) {
        T* found = editor.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTreeWidget* Tree() { return Find<QTreeWidget>("tvwControls"); }
    QPlainTextEdit* Caption() { return Find<QPlainTextEdit>("edtCaption"); }
    QPlainTextEdit* Hint() { return Find<QPlainTextEdit>("edtHint"); }
    QTreeWidgetItem* Node(const QString& name) {
        for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
            if ((*it)->text(0) == name) return *it;
        ADD_FAILURE() << "no node " << name.toStdString();
        return nullptr;
    }
    // Picks a node in the tree, as a click on it does.
    void Pick(const QString& name) { Tree()->setCurrentItem(Node(name)); }
    void Type(QPlainTextEdit* memo, const QString& text) {
        memo->selectAll();
        QTest::keyClicks(memo, text);
    }
    QColor Base(QPlainTextEdit* memo) { return memo->palette().color(QPalette::Base); }
    const std::string* Entry(const char* key) { return intl.TranslationList().Find(key); }

    TInternacionalization intl;
    TTranslationTestWindow window;
    TRecordingEditor editor;
    std::vector<QString> questions;
    bool answer = false;
    std::vector<std::pair<TfrmTranslateComponent::TFileRequest, QString>> requests;
    QString chosenFile;
    TempDir dir;
};

TEST_F(TranslateComponent, ListsTheControlsAsTheyNestThenTheMenus) {
    QTreeWidgetItem* root = Tree()->topLevelItem(0);
    ASSERT_EQ(Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(root->text(0), "frmPrueba");
    EXPECT_EQ(editor.NodeControl(root), &window);
    QStringList top;
    for (int i = 0; i < root->childCount(); ++i) top << root->child(i)->text(0);
    // The unnamed central widget, menu bar and menu are passed through; the menus come last.
    EXPECT_EQ(top, QStringList({"btnAgua", "pnlSubZonas", "chkSinHint", "pgcEditores", "barItems", "Archivo1",
                                "AcercaDe1"}));
    EXPECT_EQ(Node("barItems")->childCount(), 0);  // its scroll buttons are no controls to edit
    EXPECT_EQ(Node("pnlSubZonas")->childCount(), 2);
    EXPECT_EQ(Node("lblCentro")->parent(), Node("pnlSubZonas"));
    EXPECT_EQ(Node("tabPoligono")->parent(), Node("pgcEditores"));
    EXPECT_EQ(Node("Abrir1")->parent(), Node("Archivo1"));
    EXPECT_EQ(Node("Exportar1")->parent(), Node("Archivo1"));
    EXPECT_EQ(Node("ExportarMalla1")->parent(), Node("Exportar1"));
    EXPECT_EQ(editor.NodeControl(Node("ExportarMalla1")), window.ExportarMalla1);
    EXPECT_EQ(Node("Archivo1")->childCount(), 2);  // the separator is no item
    EXPECT_EQ(Tree()->indentation(), 23);

    // Listing the same window again changes nothing; another window replaces the list.
    editor.SetTargetWindow(&window);
    EXPECT_EQ(Tree()->topLevelItem(0), root);
    TTranslationTestWindow other("frmOtra");
    editor.SetTargetWindow(&other);
    EXPECT_EQ(Tree()->topLevelItem(0)->text(0), "frmOtra");
    EXPECT_EQ(editor.TargetWindow(), &other);
}

TEST_F(TranslateComponent, PickingANodeShowsTheTextsAndAPreviewInARedFrame) {
    Pick("btnAgua");
    EXPECT_EQ(editor.CurrentControl(), window.btnAgua);
    EXPECT_EQ(Caption()->toPlainText(), "Agua");
    EXPECT_EQ(Hint()->toPlainText(), "Nuevo objeto de agua");
    EXPECT_FALSE(Hint()->isReadOnly());

    const QImage preview = Find<TPictureBox>("pbxControl")->Picture().toImage();
    const QImage button = window.btnAgua->grab().toImage();
    ASSERT_EQ(preview.size(), window.btnAgua->size() + QSize(2, 2));
    const QColor red(255, 0, 0);
    EXPECT_EQ(preview.pixelColor(0, 0), red);
    EXPECT_EQ(preview.pixelColor(preview.width() - 1, preview.height() - 1), red);
    for (const QPoint at : {QPoint(0, 0), QPoint(button.width() / 2, button.height() / 2),
                            QPoint(button.width() - 1, button.height() - 1)})
        EXPECT_EQ(preview.pixelColor(at + QPoint(1, 1)), button.pixelColor(at));

    // A control wider than the preview is shown whole, made smaller, in the same frame.
    Pick("pnlSubZonas");
    const QImage panel = Find<TPictureBox>("pbxControl")->Picture().toImage();
    EXPECT_LE(panel.width(), Find<TPictureBox>("pbxControl")->width());
    EXPECT_EQ(panel.pixelColor(0, 0), red);
    EXPECT_EQ(panel.pixelColor(panel.width() - 1, panel.height() - 1), red);
    const double ratio = double(window.pnlSubZonas->width()) / window.pnlSubZonas->height();
    EXPECT_NEAR(double(panel.width() - 2) / (panel.height() - 2), ratio, 0.03 * ratio);  // pixels round

    // A menu item has no picture; a combo box's caption is its item list.
    Pick("Abrir1");
    EXPECT_TRUE(Find<TPictureBox>("pbxControl")->Picture().isNull());
    EXPECT_EQ(Caption()->toPlainText(), "Abrir");
    Pick("cbxModelo");
    EXPECT_EQ(Caption()->toPlainText(), "Sin medio poroso\nFricción lineal");
    EXPECT_TRUE(questions.empty());  // nothing typed, nothing asked
}

TEST_F(TranslateComponent, TypingThenSelectingAnotherControlAsksNoDropsYesAppliesToThePreviousFirst) {
    Pick("btnAgua");
    Type(Caption(), "Water");
    EXPECT_TRUE(editor.HasUnappliedChanges());
    EXPECT_EQ(Base(Caption()), TfrmTranslateComponent::kUnappliedColour);

    answer = false;
    Pick("lblCentro");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "¿Aplicar cambios?\r\nApply changes?");
    EXPECT_EQ(window.btnAgua->text(), "Agua");
    EXPECT_TRUE(intl.TranslationList().Empty());
    EXPECT_EQ(editor.CurrentControl(), window.lblCentro);
    EXPECT_EQ(Caption()->toPlainText(), "Centro");
    EXPECT_NE(Base(Caption()), TfrmTranslateComponent::kUnappliedColour);

    // Ctrl+click from translation mode asks the same way; Yes applies to the previous control.
    Type(Caption(), "Centre");
    answer = true;
    editor.SelectControl(window.btnAgua);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(window.lblCentro->text(), "Centre");
    ASSERT_NE(Entry("frmPrueba.lblCentro"), nullptr);
    EXPECT_EQ(*Entry("frmPrueba.lblCentro"), "Centre##Centro de la subzona");
    EXPECT_EQ(editor.CurrentControl(), window.btnAgua);
    EXPECT_EQ(Tree()->currentItem(), Node("btnAgua"));
    EXPECT_EQ(Caption()->toPlainText(), "Agua");

    // Typing in the hint alone is not lost silently either.
    Type(Hint(), "Other hint");
    EXPECT_EQ(Base(Hint()), TfrmTranslateComponent::kUnappliedColour);
    Pick("cbxModelo");
    EXPECT_EQ(questions.size(), 3u);
    EXPECT_EQ(window.btnAgua->toolTip(), "Other hint");
}

TEST_F(TranslateComponent, AControlWithoutHintsGetsAReadOnlyButtonColouredHintAndApplyPassesTheFlagClear) {
    Pick("chkSinHint");
    EXPECT_TRUE(Hint()->isReadOnly());
    EXPECT_EQ(Base(Hint()), editor.palette().color(QPalette::Button));
    EXPECT_EQ(Hint()->toPlainText(), "Ayuda fija");
    QTest::keyClicks(Hint(), "x");
    EXPECT_EQ(Hint()->toPlainText(), "Ayuda fija");
    EXPECT_FALSE(editor.HasUnappliedChanges());

    Type(Caption(), "No help");
    QTest::mouseClick(Find<QPushButton>("btnAplicar"), Qt::LeftButton);
    ASSERT_EQ(editor.applied.size(), 1u);
    EXPECT_FALSE(editor.applied[0].HasHint);
    EXPECT_EQ(editor.applied[0].Control, window.chkSinHint);
    EXPECT_EQ(window.chkSinHint->text(), "No help");
    EXPECT_EQ(window.chkSinHint->toolTip(), "Ayuda fija");
    EXPECT_EQ(*Entry("frmPrueba.chkSinHint"), "No help##Ayuda fija");
    EXPECT_EQ(Base(Caption()), editor.palette().color(QPalette::Base));

    // The next control that allows hints makes the field editable again.
    Pick("btnAgua");
    EXPECT_FALSE(Hint()->isReadOnly());
    EXPECT_EQ(Base(Hint()), editor.palette().color(QPalette::Base));
    Type(Caption(), "Water");
    QTest::mouseClick(Find<QPushButton>("btnAplicar"), Qt::LeftButton);
    EXPECT_TRUE(editor.applied.back().HasHint);
}

TEST_F(TranslateComponent, EnterAppliesAndCtrlEnterAddsALine) {
    Pick("btnAgua");
    Type(Caption(), "Water");
    QTest::keyClick(Caption(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(Caption(), "body");
    Type(Hint(), "New");
    QTest::keyClick(Hint(), Qt::Key_Enter, Qt::ControlModifier);
    QTest::keyClicks(Hint(), "water");
    EXPECT_TRUE(editor.applied.empty());
    QTest::keyClick(Hint(), Qt::Key_Return);
    ASSERT_EQ(editor.applied.size(), 1u);
    EXPECT_EQ(window.btnAgua->text(), "Water\nbody");
    EXPECT_EQ(window.btnAgua->toolTip(), "New\nwater");
    EXPECT_EQ(*Entry("frmPrueba.btnAgua"), "Water\r\nbody##New\r\nwater");
    EXPECT_FALSE(editor.HasUnappliedChanges());
    // Enter in the item number only settles the number.
    QTest::keyClick(Find<QSpinBox>("edtIndex"), Qt::Key_Return);
    EXPECT_EQ(editor.applied.size(), 1u);
}

TEST_F(TranslateComponent, ColoursNodesByWhereTheirEntriesAreAndComparedLanguagesAccumulate) {
    const auto look = [this](const QObject* control) { return editor.NodeLook(control); };
    // Without entries: a panel takes no translation and is written in dark grey-green; a label
    // is drawn normally.
    EXPECT_EQ(look(window.pnlSubZonas).Text, QColor(50, 69, 50));
    EXPECT_FALSE(look(window.pnlSubZonas).Background.isValid());
    EXPECT_FALSE(look(window.lblCentro).Text.isValid());
    EXPECT_FALSE(look(window.lblCentro).Background.isValid());

    intl.TranslationList().Add("frmPrueba.btnAgua", "Agua##");
    intl.TranslationList().Add("frmPrueba.chkSinHint", "Sin ayuda##");
    const std::string file = (dir / "Translation.xml").string();
    testing::WriteBytes(file, kTwoLanguages);
    chosenFile = QString::fromStdString(file);
    auto* compare = Find<TOnDemandComboBox>("cbxCompLanguage");
    EXPECT_EQ(compare->count(), 0);
    compare->showPopup();  // the first opening asks for the file and lists its languages
    compare->hidePopup();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].first, TfrmTranslateComponent::frXmlOpen);
    EXPECT_TRUE(requests[0].second.endsWith("/Translation.xml"));
    ASSERT_EQ(compare->count(), 2);
    EXPECT_EQ(compare->itemText(0), "English");
    EXPECT_EQ(compare->itemText(1), "French");

    emit compare->activated(0);
    EXPECT_EQ(look(window.btnAgua).Background, QColor(248, 158, 174));
    EXPECT_EQ(look(window.chkSinHint).Background, QColor(181, 238, 196));
    EXPECT_EQ(look(window.lblCentro).Background, QColor(180, 186, 239));
    EXPECT_FALSE(look(window.Abrir1).Background.isValid());

    emit compare->activated(1);
    EXPECT_EQ(editor.CompareList().Count(), 4u);
    EXPECT_EQ(look(window.lblCentro).Background, QColor(180, 186, 239));  // English stays
    EXPECT_EQ(look(window.Abrir1).Background, QColor(180, 186, 239));
    EXPECT_EQ(look(window.pnlSubZonas).Background, QColor(180, 186, 239));
    EXPECT_FALSE(look(window.pnlSubZonas).Text.isValid());
    EXPECT_EQ(requests.size(), 1u);  // the file is asked for once

    // The colours are what the tree paints.
    Tree()->setCurrentItem(Node("frmPrueba"));
    QTreeWidgetItem* node = Node("btnAgua");
    const QRect row = Tree()->visualItemRect(node);
    const QImage painted = Tree()->viewport()->grab().toImage();
    EXPECT_EQ(painted.pixelColor(row.right() - 2, row.center().y()), QColor(248, 158, 174));
}

TEST_F(TranslateComponent, APanelWithoutEntriesIsPaintedInDarkGreyGreen) {
    Tree()->setCurrentItem(Node("frmPrueba"));
    const auto inks = [this](const char* name) {
        const QRect row = Tree()->visualItemRect(Node(name));
        const QImage painted = Tree()->viewport()->grab(row).toImage();
        int count = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x) count += painted.pixelColor(x, y) == QColor(50, 69, 50);
        return count;
    };
    EXPECT_GT(inks("pnlSubZonas"), 0);
    EXPECT_EQ(inks("lblCentro"), 0);
}

TEST_F(TranslateComponent, AFileWithoutTheProgramIsReported) {
    const std::string file = (dir / "Other.xml").string();
    testing::WriteBytes(file, "<Otro><English/></Otro>");
    chosenFile = QString::fromStdString(file);
    RecordReports reports;
    Find<TOnDemandComboBox>("cbxCompLanguage")->showPopup();
    QCoreApplication::processEvents();
    ASSERT_EQ(reports.reports.size(), 1u);
    EXPECT_EQ(reports.reports[0].second,
              "No existe traducción para el programa - There is no translation file for the program");
}

TEST_F(TranslateComponent, PanelsRefuseToCloseAndStayFloating) {
    for (const char* name : {"toolTree", "toolEdit"}) {
        auto* panel = Find<TTranslatePanel>(name);
        EXPECT_TRUE(panel->isVisible()) << name;
        EXPECT_TRUE(panel->isFloating()) << name;
        EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint) << name;
        EXPECT_FALSE(panel->features() & QDockWidget::DockWidgetClosable) << name;
        EXPECT_FALSE(panel->close()) << name;
        EXPECT_TRUE(panel->isVisible()) << name;
        // Docked back it would vanish in the hidden host: it floats again.
        panel->setFloating(false);
        QTest::qWait(1);
        EXPECT_TRUE(panel->isFloating()) << name;
        EXPECT_TRUE(panel->isVisible()) << name;
    }
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(editor.objectName(), "frmTranslateComponent");
    EXPECT_EQ(editor.windowTitle(), "Traducir");
    EXPECT_TRUE(editor.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(TranslateComponent, AnItemNumberTheControlCannotServeRestoresThePreviousOne) {
    auto* index = Find<QSpinBox>("edtIndex");
    Pick("barItems");
    EXPECT_EQ(Caption()->toPlainText(), "Uno");
    editor.SetItemIndex(1);
    EXPECT_EQ(index->value(), 1);
    EXPECT_EQ(Caption()->toPlainText(), "Dos");

    EXPECT_THROW(editor.SetItemIndex(5), EListIndexError);
    EXPECT_EQ(editor.ItemIndex(), 1);
    EXPECT_EQ(index->value(), 1);
    EXPECT_EQ(Caption()->toPlainText(), "Dos");

    // Typed into the field, the failure is reported and the field shows the number again.
    {
        RecordReports reports;
        index->selectAll();
        QTest::keyClicks(index, "7");
        QTest::keyClick(index, Qt::Key_Return);
        QCoreApplication::processEvents();
        ASSERT_EQ(reports.reports.size(), 1u);
        EXPECT_EQ(reports.reports[0].second, "Índice de lista fuera de límites (7)");
    }
    EXPECT_EQ(editor.ItemIndex(), 1);
    EXPECT_EQ(index->value(), 1);

    Type(Caption(), "Two");
    QTest::mouseClick(Find<QPushButton>("btnAplicar"), Qt::LeftButton);
    EXPECT_EQ(window.barItems->tabText(1), "Two");
    EXPECT_EQ(*Entry("frmPrueba.barItems_1"), "Two##");
    // A control without items ignores the number.
    Pick("btnAgua");
    EXPECT_EQ(Caption()->toPlainText(), "Agua");
}

TEST_F(TranslateComponent, ImportReplacesTheListAndTranslatesTheWindowAgain) {
    intl.TranslationList().Add("frmPrueba.chkSinHint", "Kept?##");
    Pick("btnAgua");
    const std::string file = (dir / "Translation_en.dat").string();
    testing::WriteBytes(file, "frmPrueba.btnAgua=Water##New water\r\nfrmPrueba.lblCentro=Centre\\nline##\r\n");

    chosenFile = "";  // cancelled: nothing changes
    QTest::mouseClick(Find<QPushButton>("btnImportar"), Qt::LeftButton);
    EXPECT_EQ(intl.TranslationList().Count(), 1u);

    chosenFile = QString::fromStdString(file);
    QTest::mouseClick(Find<QPushButton>("btnImportar"), Qt::LeftButton);
    ASSERT_EQ(requests.back().first, TfrmTranslateComponent::frImport);
    EXPECT_EQ(intl.TranslationList().Count(), 2u);
    EXPECT_EQ(Entry("frmPrueba.chkSinHint"), nullptr);
    EXPECT_EQ(window.btnAgua->text(), "Water");
    EXPECT_EQ(window.btnAgua->toolTip(), "New water");
    EXPECT_EQ(window.lblCentro->text(), "Centre\nline");
    EXPECT_EQ(Caption()->toPlainText(), "Water");  // the current control's texts are reloaded
    EXPECT_EQ(editor.NodeLook(window.btnAgua).Background, QColor(181, 238, 196));

    // A file that is not there leaves the list as it was and translates the window again.
    window.btnAgua->setText("Changed");
    chosenFile = QString::fromStdString((dir / "missing.dat").string());
    QTest::mouseClick(Find<QPushButton>("btnImportar"), Qt::LeftButton);
    EXPECT_EQ(intl.TranslationList().Count(), 2u);
    EXPECT_EQ(window.btnAgua->text(), "Water");
}

TEST_F(TranslateComponent, SavingNeedsALanguageAsksForTheFileOnceAndKeepsTheOtherLanguages) {
    const std::string file = (dir / "Translation.xml").string();
    testing::WriteBytes(file, kTwoLanguages);
    intl.TranslationList().Add("frmPrueba.btnAgua", "Eau##Nouvelle eau");
    auto* save = Find<QPushButton>("btnSave");
    {
        RecordReports reports;
        QTest::mouseClick(save, Qt::LeftButton);
        QCoreApplication::processEvents();
        ASSERT_EQ(reports.reports.size(), 1u);
        EXPECT_TRUE(reports.reports[0].second.startsWith("Escriba junto a \"Idioma:\" el idioma"));
    }
    EXPECT_TRUE(requests.empty());

    auto* language = Find<QComboBox>("cbxLanguage");
    language->setEditText("French");
    EXPECT_EQ(Find<QLabel>("lblLang")->text(), "French");
    EXPECT_EQ(intl.XmlLanguageName(), "French");
    EXPECT_EQ(Find<QLabel>("lblLang")->font().pointSize(), 16);

    chosenFile = "";  // cancelled: nothing written, asked again next time
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(testing::ReadBytes(file), kTwoLanguages);

    chosenFile = QString::fromStdString(file);
    QTest::mouseClick(save, Qt::LeftButton);
    QTest::mouseClick(save, Qt::LeftButton);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].first, TfrmTranslateComponent::frXmlSave);
    EXPECT_EQ(intl.XmlFileName(), file);
    EXPECT_EQ(intl.XmlProgramName(), "Nerim");

    TTranslationList french;
    intl.LoadTranslationXml(french, file, "Nerim", "French");
    ASSERT_EQ(french.Count(), 1u);
    EXPECT_EQ(*french.Find("frmPrueba.btnAgua"), "Eau##Nouvelle eau");
    TTranslationList english;
    intl.LoadTranslationXml(english, file, "Nerim", "English");
    EXPECT_EQ(english.Count(), 2u);
    // The saved file's languages are offered for comparison.
    EXPECT_EQ(Find<QComboBox>("cbxCompLanguage")->count(), 2);
}

}  // namespace
}  // namespace nerim
