// nerim-translator: the window program in translation mode. A Ctrl+click on a control of the main
// window (a click on a menu item) opens the translation editor for it; "Guardar traducción" saves
// the window's texts. Everything else is the nerim program.
//
// nerim-translator --missing TRANSLATION_FILE [STRINGS_FILE] lists what a translation leaves
// untranslated, without a display (app/windows/translate_component.h).
#include <cstring>

#include "app/windows/nerim_program.h"
#include "app/windows/translate_component.h"

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--missing") == 0) return nerim::RunMissingTranslations(argc, argv);
    nerim::InstallTranslationEditor();
    nerim::TNerimRunOptions options;
    options.ProgramName = "nerim-translator";
    options.Version = NERIM_VERSION;
    options.TranslationMode = true;
    return nerim::RunNerim(argc, argv, options);
}
