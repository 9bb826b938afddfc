// The translation build on the real main window: a Ctrl+click on "Agua" opens the editor, the
// edited texts show on the button at once, the XML file saved from the editor translates a fresh
// main window the same way, and the click did not create an object.
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/windows/translate_component.h"
#include "tests/windows/main_window_support.h"
#include "widgets/translation_hooks.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

using testing::MainWindowTest;
using testing::Path;
using testing::TempDir;

TEST_F(MainWindowTest, TranslatorEditsAButtonOfTheRealWindowAndTheSavedFileTranslatesANewOne) {
    InstallTranslationEditor();
    TempDir dir;
    TfrmNerim translating(testing::TranslationModeIn(dir));
    translating.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&translating));

    auto* agua = translating.findChild<QAbstractButton*>("btnAgua");
    ASSERT_NE(agua, nullptr);
    const QString spanishHint = agua->toolTip();
    QTest::mouseClick(agua, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(translating.Set().Objects().empty());  // the click only picked the button

    auto* editor = dynamic_cast<TfrmTranslateComponent*>(translating.TranslationHooks()->Editor());
    ASSERT_NE(editor, nullptr);
    const QString xmlFile = Path(dir / "Translation.xml");
    editor->SetFileFunction([xmlFile](TfrmTranslateComponent::TFileRequest, const QString&) { return xmlFile; });
    editor->SetAskFunction([](const QString&) { return true; });
    EXPECT_EQ(editor->TargetWindow(), &translating);
    EXPECT_EQ(editor->CurrentControl(), agua);

    auto* caption = editor->findChild<QPlainTextEdit*>("edtCaption");
    auto* hint = editor->findChild<QPlainTextEdit*>("edtHint");
    ASSERT_TRUE(caption && hint);
    EXPECT_EQ(caption->toPlainText(), "Agua");
    EXPECT_EQ(hint->toPlainText(), spanishHint);
    caption->selectAll();
    QTest::keyClicks(caption, "Water");
    hint->selectAll();
    QTest::keyClicks(hint, "New water area");
    QTest::mouseClick(editor->findChild<QPushButton*>("btnAplicar"), Qt::LeftButton);
    EXPECT_EQ(agua->text(), "Water");
    EXPECT_EQ(agua->toolTip(), "New water area");

    editor->findChild<QComboBox*>("cbxLanguage")->setEditText("English");
    QTest::mouseClick(editor->findChild<QPushButton*>("btnSave"), Qt::LeftButton);

    // With the box cleared, a Ctrl+click lets the button act as well.
    editor->findChild<QCheckBox*>("chkNoRealizarAccion")->setChecked(false);
    QTest::mouseClick(agua, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(translating.Set().Objects().size(), 1u);

    TInternacionalization fresh;
    fresh.LoadTranslationXml(fresh.TranslationList(), xmlFile.toStdString(), "Nerim", "English");
    TfrmNerim other;
    TranslateComponent(fresh, &other);
    auto* otherAgua = other.findChild<QAbstractButton*>("btnAgua");
    EXPECT_EQ(otherAgua->text(), "Water");
    EXPECT_EQ(otherAgua->toolTip(), "New water area");
    EXPECT_EQ(other.findChild<QAbstractButton*>("btnPoroso")->text(), "Poroso");

    translating.hide();
    SetTranslationEditorFactory({});
}

TEST_F(MainWindowTest, WithTheBoxTickedTheTranslatorsKeyboardRunsNoActionOfTheWindow) {
    InstallTranslationEditor();
    TempDir dir;
    TfrmNerim translating(testing::TranslationModeIn(dir));
    translating.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&translating));
    QTest::mouseClick(translating.findChild<QAbstractButton*>("btnAgua"), Qt::LeftButton, Qt::ControlModifier);
    auto* editor = dynamic_cast<TfrmTranslateComponent*>(translating.TranslationHooks()->Editor());
    ASSERT_NE(editor, nullptr);
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        translating.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&translating));
        QTest::keyClick(&translating, key, modifiers);
        QTest::qWait(200);  // a button's shortcut clicks it a moment later
    };
    const std::int32_t divisions = translating.Mesh().DivisionXCount();
    press(Qt::Key_O, Qt::ControlModifier);
    press(Qt::Key_S, Qt::ControlModifier);
    press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    press(Qt::Key_F5);
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(prompts.Dialogs.empty());
    EXPECT_EQ(translating.Mesh().DivisionXCount(), divisions);
    EXPECT_TRUE(translating.isVisible());

    editor->findChild<QCheckBox*>("chkNoRealizarAccion")->setChecked(false);
    press(Qt::Key_F5);
    EXPECT_NE(translating.Mesh().DivisionXCount(), divisions);
    translating.hide();
    SetTranslationEditorFactory({});
}

}  // namespace
}  // namespace nerim
