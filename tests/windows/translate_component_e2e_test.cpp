// Translation mode from end to end: a hooked window, a Ctrl+click, the editor, the XML file, and
// a fresh translation list that translates a new window the same way.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QTest>
#include <cstdlib>

#include "app/windows/translate_component.h"
#include "support/internacionalization.h"
#include "tests/common/temp_dir.h"
#include "tests/windows/translation_test_window.h"
#include "widgets/translation_hooks.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

using testing::TTranslationTestWindow;

class TranslationMode : public ::testing::Test {
protected:
    void SetUp() override {
        InstallTranslationEditor();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        hooks.HookForEditing(&window);
    }
    void TearDown() override { SetTranslationEditorFactory({}); }

    // The editor that the first Ctrl+click made, set up so that no dialog waits for a click.
    TfrmTranslateComponent* Editor(const QString& xmlFile) {
        auto* editor = dynamic_cast<TfrmTranslateComponent*>(hooks.Editor());
        if (!editor) return nullptr;
        editor->SetFileFunction([xmlFile](TfrmTranslateComponent::TFileRequest, const QString&) { return xmlFile; });
        editor->SetAskFunction([](const QString&) { return true; });
        return editor;
    }

    TInternacionalization intl;
    TTranslationHooks hooks{intl};
    TTranslationTestWindow window;
    testing::TempDir dir;
};

TEST_F(TranslationMode, CtrlClickEditApplySaveAndTranslateANewWindowFromTheFile) {
    QSignalSpy clicked(window.btnAgua, &QPushButton::clicked);
    QTest::mouseClick(window.btnAgua, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(clicked.count(), 0);  // "No realizar acciones del control" is ticked at start
    const QString xmlFile = QString::fromStdString((dir / "Translation.xml").string());
    TfrmTranslateComponent* editor = Editor(xmlFile);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->TargetWindow(), &window);
    EXPECT_EQ(editor->CurrentControl(), window.btnAgua);
    auto* caption = editor->findChild<QPlainTextEdit*>("edtCaption");
    auto* hint = editor->findChild<QPlainTextEdit*>("edtHint");
    ASSERT_TRUE(caption && hint);
    EXPECT_EQ(caption->toPlainText(), "Agua");
    EXPECT_EQ(hint->toPlainText(), "Nuevo objeto de agua");

    caption->selectAll();
    QTest::keyClicks(caption, "Water");
    hint->selectAll();
    QTest::keyClicks(hint, "New water area:");
    QTest::keyClick(hint, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(hint, "click in the view");
    QTest::mouseClick(editor->findChild<QPushButton*>("btnAplicar"), Qt::LeftButton);
    EXPECT_EQ(window.btnAgua->text(), "Water");
    EXPECT_EQ(window.btnAgua->toolTip(), "New water area:\nclick in the view");

    editor->findChild<QComboBox*>("cbxLanguage")->setEditText("English");
    QTest::mouseClick(editor->findChild<QPushButton*>("btnSave"), Qt::LeftButton);

    // A second Ctrl+click reaches the same editor, and the control acts when the box is clear.
    editor->findChild<QCheckBox*>("chkNoRealizarAccion")->setChecked(false);
    QTest::mouseClick(window.lblCentro, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(hooks.Editor(), editor);
    EXPECT_EQ(editor->CurrentControl(), window.lblCentro);
    EXPECT_EQ(editor->findChild<QLabel*>("lblLang")->text(), "English");

    TInternacionalization fresh;
    fresh.LoadTranslationXml(fresh.TranslationList(), xmlFile.toStdString(), "Nerim", "English");
    TTranslationTestWindow other;
    TranslateComponent(fresh, &other);
    EXPECT_EQ(other.btnAgua->text(), "Water");
    EXPECT_EQ(other.btnAgua->toolTip(), "New water area:\nclick in the view");
    EXPECT_EQ(other.lblCentro->text(), "Centro");

    // The editor's panels, which cannot be closed, do not keep the program running once its window
    // is closed.
    // (Other suites of this program may have turned quitting on the last window off.)
    const bool quitOnLastClosed = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(true);
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, &window, [this] { window.close(); });
    QTimer hung;
    hung.setSingleShot(true);
    QObject::connect(&hung, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    hung.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(lastClosed.count(), 1);
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLastClosed);
}

// Shows the editor over the test window on a real screen and saves the picture to the file that
// NERIM_TRANSLATOR_SHOT names (run under xvfb-run); skipped otherwise.
TEST_F(TranslationMode, Screenshot) {
    const char* shot = std::getenv("NERIM_TRANSLATOR_SHOT");
    if (!shot) GTEST_SKIP() << "NERIM_TRANSLATOR_SHOT names no file";
    window.move(40, 30);
    window.resize(1012, 640);
    QTest::qWait(200);
    QTest::mouseClick(window.btnAgua, Qt::LeftButton, Qt::ControlModifier);
    const std::string xml = (dir / "Translation.xml").string();
    testing::WriteBytes(xml, "<Nerim><English><frmPrueba><btnAgua Caption=\"Water\" Hint=\"\"/>"
                             "<chkSinHint Caption=\"No help\" Hint=\"\"/></frmPrueba></English></Nerim>");
    TfrmTranslateComponent* editor = Editor(QString::fromStdString(xml));
    ASSERT_NE(editor, nullptr);
    intl.TranslationList().Add("frmPrueba.btnAgua", "Agua##");
    intl.TranslationList().Add("frmPrueba.lblCentro", "Centro##");
    auto* compare = editor->findChild<QComboBox*>("cbxCompLanguage");
    compare->showPopup();
    compare->hidePopup();
    emit compare->activated(0);
    editor->findChild<QComboBox*>("cbxLanguage")->setEditText("Español");
    QTest::qWait(500);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(shot)));
}

}  // namespace
}  // namespace nerim
