// nerim-translator: the window program in translation mode. A Ctrl+click on a control of the main
// window (a click on a menu item) opens the translation editor for it; "Guardar traducción" saves
// the window's texts. Everything else is the nerim program.
#include "app/windows/nerim_program.h"
#include "app/windows/translate_component.h"

int main(int argc, char** argv) {
    nerim::InstallTranslationEditor();
    nerim::TNerimRunOptions options;
    options.ProgramName = "nerim-translator";
    options.Version = NERIM_VERSION;
    options.TranslationMode = true;
    return nerim::RunNerim(argc, argv, options);
}
