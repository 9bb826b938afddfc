#pragma once

#include <map>
#include <string>
#include <string_view>

#include "support/exception.h"
#include "support/text_utils.h"

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

// Message strings by key, sorted and looked up without regard to ASCII letter case.
using TStringsList = std::map<std::string, std::string, TextLess>;

// Every two-character sequence backslash-n of text turned into a line break (CR LF).
std::string ExpandLineBreaks(std::string_view text);

// The program's translation component. It holds the message strings, loaded from a strings file
// and copied into the process-wide string table (support/string_table.h).
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
};

}  // namespace nerim
