// nerim-translator --missing: what a translation list and a strings file leave untranslated,
// found by walking the program's own windows, so that controls and menus added later are covered.
#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "app/windows/frm_form1.h"
#include "app/windows/frm_nerim.h"
#include "app/windows/mesh_delta_graph.h"
#include "app/windows/translate_component.h"
#include "support/internacionalization.h"
#include "support/paths.h"
#include "support/process.h"
#include "widgets/application.h"
#include "widgets/window_translation.h"

namespace nerim {
namespace {

std::string ListText(const QString& text) { return EscapeLineBreaks(text.toStdString()); }

// The entry line of a text: key=caption##hint, or key=caption without a hint.
std::string EntryLine(const std::string& key, const QString& caption, const QString& hint) {
    return key + "=" + ListText(caption) + (hint.isEmpty() ? std::string() : "##" + ListText(hint));
}

// The number of a string-table key ("STR12" gives 12), for listing the keys in their order.
long long KeyNumber(const std::string& key) {
    if (key.size() < 4 || key.compare(0, 3, "STR") != 0) return -1;
    long long n = 0;
    for (std::size_t i = 3; i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9') return -1;
        n = n * 10 + (key[i] - '0');
    }
    return n;
}

int Usage() {
    std::fputs(
        "Usage: nerim-translator --missing TRANSLATION_FILE [STRINGS_FILE]\n"
        "Prints, one per line, every text of the program's windows, dialogs and messages that the\n"
        "translation list (and the strings file, when given) leaves untranslated, as the entry to add\n"
        "with its Spanish text. Exit status: 0 when there is none, 1 when there are some, 2 when a\n"
        "file cannot be read.\n",
        stderr);
    return 2;
}

}  // namespace

std::vector<std::string> MissingWindowEntries(const TTranslationList& List,
                                              const std::vector<const QWidget*>& Windows) {
    std::vector<std::string> lines;
    std::set<std::string> seen;
    const auto check = [&](const std::string& key, const QString& caption, const QString& hint) {
        if ((caption.isEmpty() && hint.isEmpty()) || !seen.insert(key).second) return;
        if (!List.Find(key)) lines.push_back(EntryLine(key, caption, hint));
    };
    for (const QWidget* window : Windows) {
        if (!window->objectName().isEmpty()) check(TranslationKey(window), window->windowTitle(), window->toolTip());
        for (const QObject* component : OwnedComponents(window)) {
            if (HoldsItems(component)) {
                for (int item = 0; item < ItemCount(component); ++item)
                    check(TranslationKey(component, item), CurrentTexts(component, item).Caption, {});
                continue;
            }
            const TControlTexts texts = CurrentTexts(component, -1);
            check(TranslationKey(component), texts.Caption, texts.Hint);
        }
    }
    return lines;
}

std::vector<std::string> MissingStrings(const TStringsList& Spanish, const TStringsList& Given) {
    std::vector<std::pair<std::string, std::string>> entries(Spanish.begin(), Spanish.end());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return KeyNumber(a.first) < KeyNumber(b.first); });
    std::vector<std::string> lines;
    for (const auto& [key, text] : entries)
        if (!Given.count(key)) lines.push_back(key + "=" + EscapeLineBreaks(text));
    return lines;
}

int RunMissingTranslations(int& argc, char** argv) {
    if (argc < 3 || argc > 4) return Usage();
    const std::string translationFile = argv[2];
    const std::string stringsFile = argc == 4 ? argv[3] : std::string();
    // Nothing is shown: the windows are only walked.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    app.SetReporter([](TApplication::TReportKind, const QString&) {});

    TInternacionalization given, spanish, givenStrings;
    try {
        given.LoadTranslationList(translationFile);
        if (!stringsFile.empty()) {
            givenStrings.LoadStrings(stringsFile, "", "", true);
            spanish.LoadStrings(JoinPath(ProgramDirectory(), "Strings_es.dat"), "", "", true);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nerim-translator: %s\n", e.what());
        return 2;
    }

    // The windows with their own Spanish texts: started from a folder with no language files.
    const QTemporaryDir empty;
    TNerimWindowOptions options;
    options.Unattended = true;
    options.ProgramDirectory = empty.path();
    TfrmNerim main(options);
    TfrmMeshDeltaGraph quality(&main);
    TForm1 form1;
    TfrmTranslateComponent editor;
    std::vector<std::string> lines = MissingWindowEntries(given.TranslationList(), {&main, &quality, &form1, &editor});
    if (!stringsFile.empty())
        for (std::string& line : MissingStrings(spanish.Strings(), givenStrings.Strings()))
            lines.push_back(std::move(line));
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return lines.empty() ? 0 : 1;
}

}  // namespace nerim
