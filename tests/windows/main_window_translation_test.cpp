// The real main window and quality window against the shipped English window translation.
#include <QComboBox>
#include <QLineEdit>
#include <set>

#include "app/windows/frm_form1.h"
#include "app/windows/mesh_delta_graph.h"
#include "app/windows/translate_component.h"
#include "support/translation_list.h"
#include "tests/windows/main_window_support.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

using testing::MainWindowTest;

// Captions that read the same in both languages.
const std::set<QString> kNeutral = {"", "Nerim", "NX:", "NY:", "X", "Y", "D50", "U", "W", "T", "P", "K", "Ok",
                                    "Variable:", "AC", "AR", "AT", "VOF", "Noc", "Npc", "Results", "Delta X",
                                    "Delta2 X", "Delta Y", "Delta2 Y", "Form1", "Hint"};

struct TWindowTexts {
    std::set<std::string> Keys;
    std::set<QString> Captions;
    std::vector<std::pair<QObject*, QString>> Hints;
};

TWindowTexts Texts(QWidget* window) {
    TWindowTexts texts{{window->objectName().toStdString()}, {window->windowTitle()}, {}};
    for (QObject* component : OwnedComponents(window)) {
        texts.Keys.insert(TranslationKey(component));
        const TControlTexts current = CurrentTexts(component, -1);
        for (const QString& line : current.Caption.split('\n')) texts.Captions.insert(line);
        if (!current.Hint.isEmpty()) texts.Hints.emplace_back(component, current.Hint);
    }
    return texts;
}

TEST_F(MainWindowTest, TheEnglishTranslationCoversTheRealWindowsAndLeavesNoSpanish) {
    TfrmMeshDeltaGraph quality;
    TForm1 form1;
    TfrmTranslateComponent editor;
    const TWindowTexts spanishMain = Texts(window.get());
    const TWindowTexts spanishQuality = Texts(&quality);
    const std::vector<QWidget*> others = {&form1, &editor};
    std::vector<TWindowTexts> spanishOthers;
    for (QWidget* other : others) spanishOthers.push_back(Texts(other));

    TInternacionalization intl;
    intl.LoadTranslationList(std::string(NERIM_BIN_DIR) + "/Translation_en.dat");
    std::set<std::string> keys = spanishMain.Keys;
    keys.insert(spanishQuality.Keys.begin(), spanishQuality.Keys.end());
    for (const TWindowTexts& texts : spanishOthers) keys.insert(texts.Keys.begin(), texts.Keys.end());
    std::set<std::string> entries;
    for (const TTranslationEntry& entry : intl.TranslationList()) {
        EXPECT_TRUE(keys.count(entry.Name)) << "no control for " << entry.Name;
        entries.insert(entry.Name);
    }
    for (const std::string& key : keys) {
        // The editor's own panels and fields that show no text need no entry.
        if (key.starts_with("frmTranslateComponent.") || key.starts_with("Form1.")) continue;
        EXPECT_TRUE(entries.count(key)) << "no entry for " << key;
    }

    TranslateComponent(intl, window.get());
    TranslateComponent(intl, &quality);
    for (const auto& [windowTexts, target] :
         {std::pair{&spanishMain, static_cast<QWidget*>(window.get())}, std::pair{&spanishQuality, static_cast<QWidget*>(&quality)}}) {
        const TWindowTexts english = Texts(target);
        for (const QString& caption : english.Captions)
            EXPECT_TRUE(kNeutral.count(caption) || !windowTexts->Captions.count(caption))
                << "still Spanish: " << caption.toStdString();
        for (const auto& [component, hint] : windowTexts->Hints)
            EXPECT_NE(CurrentTexts(component, -1).Hint, hint) << TranslationKey(component);
    }
    for (std::size_t k = 0; k < others.size(); ++k) {
        TranslateComponent(intl, others[k]);
        for (const QString& caption : Texts(others[k]).Captions)
            EXPECT_TRUE(kNeutral.count(caption) || !spanishOthers[k].Captions.count(caption))
                << "still Spanish: " << caption.toStdString();
    }
    EXPECT_EQ(window->windowTitle(), "Nerim");
    EXPECT_EQ(Find<QComboBox>("cbxTipoPoroso")->itemText(1), "Linear friction");
    EXPECT_EQ(Find<QComboBox>("cbxVariableList")->count(), 7);  // the data items stay
    EXPECT_EQ(Find<QLineEdit>("edtAnchura")->toolTip(), "Domain width (m)");
}

}  // namespace
}  // namespace nerim
