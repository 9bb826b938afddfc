#include "fuzz/targets/fuzz_target.h"
#include "support/file_bytes.h"
#include "support/internacionalization.h"
#include "support/translation_list.h"

namespace nerim::fuzz {
namespace {

std::string Describe(const TTranslationList& list) {
    std::string text;
    for (const TTranslationEntry& entry : list) text += entry.Name + "=" + entry.Value + "\n";
    return Printable(text, 2000);
}

// The same entries whatever their order, as writing an XML file gathers the entries of one
// window, and whatever the form of their line breaks: a character reference for a lone line feed
// in an attribute comes back as the program's CR LF.
bool SameEntries(const TTranslationList& a, const TTranslationList& b) {
    if (a.Count() != b.Count()) return false;
    for (const TTranslationEntry& entry : a) {
        const std::string* value = b.Find(entry.Name);
        if (!value || EscapeLineBreaks(*value) != EscapeLineBreaks(entry.Value)) return false;
    }
    return true;
}

}  // namespace

// A window translation list read as the program reads it at start-up; saved, it gives back the
// same bytes, and read again the same list, entries and order alike.
void RunTranslationText(std::string_view bytes) {
    const std::filesystem::path file = ScratchFile("Translation.dat", bytes);
    TInternacionalization translation;
    if (!Accepts([&] { translation.LoadTranslationList(file.string()); })) return;
    TInternacionalization again;
    MustSucceed("Guardar y volver a leer la lista de traducción", [&] {
        const std::filesystem::path saved = ScratchPath("saved.dat");
        translation.SaveTranslationList(saved.string());
        Check(ReadFileBytes(saved) == bytes, "Guardar la lista de traducción sin cambios cambia el archivo");
        again.LoadTranslationList(saved.string());
    });
    Check(translation.TranslationList() == again.TranslationList(),
          "La lista de traducción cambia:\n" + Describe(translation.TranslationList()) + "---\n" +
              Describe(again.TranslationList()));
}

// One language of an XML translation file, as the translation editor reads it; saved as a
// language of a new file and read again, it gives back the same entries.
void RunTranslationXml(std::string_view bytes) {
    const std::filesystem::path file = ScratchFile("Translation.xml", bytes);
    TInternacionalization translation;
    TTranslationList list;
    if (!Accepts([&] { translation.LoadTranslationXml(list, file.string(), "", ""); })) return;

    const std::filesystem::path saved = ScratchPath("saved.xml");
    std::error_code ignored;
    std::filesystem::remove(saved, ignored);
    translation.SetTranslationList(list);
    // A name that an XML file cannot hold is refused before anything is written.
    if (!Accepts([&] { translation.SaveTranslationXml(saved.string(), "Nerim", "en"); })) return;
    TTranslationList again;
    MustSucceed("Volver a leer la traducción XML guardada",
                [&] { translation.LoadTranslationXml(again, saved.string(), "Nerim", "en"); });
    Check(SameEntries(list, again), "La traducción XML cambia:\n" + Describe(list) + "---\n" + Describe(again));
}

}  // namespace nerim::fuzz
