#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/exception.h"
#include "support/text_utils.h"
#include "support/translation_list.h"

namespace nerim {

// The one message of every failure to load a strings file.
inline constexpr std::string_view kInternacionalizationErrorMessage =
    "Error leyendo archivo de internacionalización/Error reading internationalization file";

// Text that GetString gives for a key that is not in the strings.
inline constexpr std::string_view kMissingString = "****";

// A strings file could not be loaded. The message is always the general one; Reason() keeps the
// underlying cause for diagnostics.
class EInternacionalizationError : public Exception {
public:
    explicit EInternacionalizationError(std::string reason);
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

// The two failures of reading an XML translation file, raised with these messages as they are.
inline constexpr std::string_view kNoTranslationProgramMessage =
    "No existe traducción para el programa - There is no translation file for the program";
inline constexpr std::string_view kNoTranslationLanguageMessage =
    "No existe el idioma seleccionado - Specified language not in the list";

// An XML translation file has no node of the program asked for.
class ENoTranslationProgram : public Exception {
public:
    ENoTranslationProgram();
};

// The program node of an XML translation file has no node of the language asked for.
class ENoTranslationLanguage : public Exception {
public:
    ENoTranslationLanguage();
};

// The texts of one translation-list entry, as LookupTranslation reads them.
struct TTranslationTexts {
    bool Found = false;
    std::string Caption;
    bool HasHint = false;
    std::string Hint;
};

// Message strings by key, sorted and looked up without regard to ASCII letter case.
using TStringsList = std::map<std::string, std::string, TextLess>;

// Every two-character sequence backslash-n of text turned into a line break (CR LF).
std::string ExpandLineBreaks(std::string_view text);

// The program's translation component. It does two jobs:
// - window translation: the translation list that maps each window ("frmNerim") and each of its
//   controls ("frmNerim.btnAgua") or items ("frmNerim.tabs_2") to "Caption##Hint" or "Caption",
//   read and written as a text file or as a language of an XML translation file; applying it to
//   the windows is the user-interface side (widgets/window_translation.h);
// - message strings, loaded from a strings file and copied into the process-wide string table
//   (support/string_table.h).
//
// XML translation files hold program nodes at the top, language nodes under them, window nodes
// (named after the window, with optional "Caption" and "Hint" attributes for the window itself)
// under a language, and control nodes with the attributes "Caption" and "Hint" under a window.
// A line break in an attribute is written as the two characters "\n", and a backslash that an "n"
// follows as a character reference ("&#92;"), so that it is read back as a backslash.
//
// Strings files come in two forms, chosen by the extension of the name (compared without case):
// - ".INI" or ".DAT": Windows-1252 text; the first line is the language name, every further
//   line key=value is one entry (split at the first "=", both parts trimmed; other lines skipped).
// - ".XML": program nodes at the top, language nodes under them, and under a language node one
//   element per entry, keyed by its name, with the text in its attribute "Str".
// In both, a value loses a leading double quote and then a trailing one, "\n" becomes a line
// break, and a key that is already present keeps its first text.
//
// The class depends on no user-interface library.
class TInternacionalization {
public:
    TInternacionalization() = default;

    // Language name from the first line of the last text strings file loaded.
    const std::string& StringsLanguageName() const { return stringsLanguageName_; }
    const TStringsList& Strings() const { return strings_; }

    // Adds the entries of a strings file to Strings, emptying it first when clear is set. In the
    // XML form the program and language nodes are those of the given names, or the first of each
    // when a name is empty. Any failure throws EInternacionalizationError; entries added before
    // it stay.
    void LoadStrings(const std::string& fileName, const std::string& programName, const std::string& languageName,
                     bool clear);

    // --- Window translation

    TTranslationList& TranslationList() { return translationList_; }
    const TTranslationList& TranslationList() const { return translationList_; }
    // Copies the given list into the translation list.
    void SetTranslationList(const TTranslationList& list) { translationList_ = list; }

    // Names of the language nodes met when an XML translation file was last read.
    const std::vector<std::string>& Languages() const { return languages_; }
    // File and program node of the last XML save.
    const std::string& XmlFileName() const { return xmlFileName_; }
    const std::string& XmlProgramName() const { return xmlProgramName_; }
    // Language that the translation editor saves and shows; empty until someone sets it.
    const std::string& XmlLanguageName() const { return xmlLanguageName_; }
    void SetXmlLanguageName(const std::string& name) { xmlLanguageName_ = name; }

    // The entry of that name: with "##" in its value, the caption before the first "##" and the
    // hint after it, both with "\n" turned into line breaks, and HasHint set; without, the whole
    // value as the caption, unchanged. An entry recorded from separate texts gives them as they
    // are. Not found gives Found clear and empty texts.
    TTranslationTexts LookupTranslation(std::string_view key) const;
    // Sets the entry of key to "caption##hint", adding it when there is none. The texts are
    // stored as they are, line breaks included, and kept apart (TTranslationEntry::Texts).
    void RecordTranslation(std::string_view key, std::string_view caption, std::string_view hint);

    // Replaces the translation list with the one of a text file; when the file cannot be read
    // the list stays as it was and EInOutError is thrown.
    void LoadTranslationList(const std::string& fileName);
    // Writes the translation list as a text file (support/translation_list.h): the lines of the
    // file it was read from stay as they were except those of edited entries; an entry the text
    // form cannot hold is refused (EConvertError) and the old file stays.
    void SaveTranslationList(const std::string& fileName) const;

    // Appends to target (which is not emptied) the entries of one language of an XML
    // translation file: "window.control=Caption##Hint" for each control node, and
    // "window=Caption##Hint" for a window node that carries either attribute. The program node
    // is the first top-level node of that name (the first one when the name is empty); Languages
    // is refilled with the names of its children, and the language node is the child of that
    // name (the last child when the name is empty). Throws ENoTranslationProgram or
    // ENoTranslationLanguage, or EInOutError when the file cannot be read.
    void LoadTranslationXml(TTranslationList& target, const std::string& fileName, const std::string& programName,
                            const std::string& languageName);
    // Writes the translation list as one language of an XML translation file, keeping the rest of
    // the file byte for byte (its code page, layout, comments and every other node and attribute):
    // the program and language nodes are found or added, the language node's children
    // are replaced by one window node each time the window part of the entry names changes from
    // one entry to the next (entries of one window that are not adjacent give several nodes of
    // that name) and a control node per entry. Entries without a name are skipped. The file is
    // replaced only once the new one is complete; an existing file that cannot be read is
    // reported (EInOutError) and left alone, and a name that cannot be an XML node name throws
    // EConvertError before anything is written. Remembers the file and program names.
    void SaveTranslationXml(const std::string& fileName, const std::string& programName, const std::string& languageName);

    // --- Message strings

    // The text of key, or "****" when there is none.
    std::string GetString(std::string_view key) const;

    // Loads the strings file afresh (first program and language) and fills the string table entries
    // STR1 to STR200 from the keys "STR1" to "STR200"; absent keys give "****". When loading
    // fails the table is left as it was.
    void LoadStringTable(const std::string& fileName);

private:
    void LoadTextStrings(const std::string& fileName);
    void LoadXmlStrings(const std::string& fileName, const std::string& programName,
                        const std::string& languageName);
    void AddString(std::string_view key, std::string_view value);

    std::string stringsLanguageName_;
    TStringsList strings_;
    TTranslationList translationList_;
    std::vector<std::string> languages_;
    std::string xmlFileName_;
    std::string xmlProgramName_;
    std::string xmlLanguageName_;
};

}  // namespace nerim
