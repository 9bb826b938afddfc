#include "widgets/toolkit_language.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <memory>

namespace nerim {
namespace {

// The toolkit's own texts follow the interface language, and come back to English.
TEST(ToolkitLanguage, DialogsAndContextMenusFollowTheInterfaceLanguage) {
    ASSERT_TRUE(SetToolkitLanguage("es"))
        << "the toolkit's Spanish translation is not installed (qt6-translations-l10n)";
    EXPECT_EQ(QFileDialog::tr("All Files (*)"), "Todos los ficheros (*)");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancelar");
    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text().section('\t', 0, 0);
    EXPECT_TRUE(texts.contains("&Pegar")) << texts.join('|').toStdString();

    EXPECT_FALSE(SetToolkitLanguage("en"));
    EXPECT_EQ(QFileDialog::tr("All Files (*)"), "All Files (*)");
    EXPECT_FALSE(SetToolkitLanguage("xx"));  // no such translation: Qt's own English
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

}  // namespace
}  // namespace nerim
