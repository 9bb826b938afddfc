#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/text_utils.h"

namespace nerim {

// The caption and the hint of an entry kept apart, as the translation editor or an XML file gives
// them: a caption holding "##", or a backslash followed by "n" that is not a line break, survives
// only this way.
struct TEntryTexts {
    std::string Caption;
    std::string Hint;

    bool operator==(const TEntryTexts&) const = default;
};

// One entry of a translation list: the name of a window, a control or an item of a control
// ("frmNerim", "frmNerim.btnAgua", "frmNerim.tabs_2") and its value, the caption and optionally
// "##" and the hint. An entry set from separate texts keeps them too (Texts); its Value is then
// the caption, "##" and the hint.
struct TTranslationEntry {
    std::string Name;
    std::string Value;
    std::optional<TEntryTexts> Texts;

    bool operator==(const TTranslationEntry&) const = default;
};

// A line of the text file a list was read from, kept so that saving changes only what was edited.
struct TTranslationLine {
    std::string Bytes;       // the line as it was in the file, without its line end
    std::string End;         // its line end: CR LF, LF, CR or nothing on a last line
    bool HoldsEntry = false; // a line name=value (the name may be empty)
    std::string Name;        // the entry's name
    bool Defining = false;   // the first line of its name: the one the list took the entry from
    std::string ReadValue;   // the value as read from it
};

// The window translation list: name=value entries in the order they were added, not sorted.
// Names are compared without regard to the case of the ASCII letters, like every key of the
// program's lists, and a name appears at most once: adding an entry whose name is already
// present is ignored, so the first one stays. Copying a list copies its entries (and the lines of
// the file it was read from).
class TTranslationList {
public:
    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    const TTranslationEntry& operator[](std::size_t index) const { return entries_[index]; }
    std::vector<TTranslationEntry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<TTranslationEntry>::const_iterator end() const { return entries_.end(); }

    // Position of the entry of that name, or -1.
    long long IndexOfName(std::string_view name) const;
    // The entry or the value of the entry of that name, or null.
    const TTranslationEntry* Entry(std::string_view name) const;
    const std::string* Find(std::string_view name) const;

    // Appends name=value unless an entry of that name exists; true when it was added.
    bool Add(std::string_view name, std::string_view value);
    // The same from separate texts.
    bool AddTexts(std::string_view name, std::string_view caption, std::string_view hint);
    // Adds a line of the text form, split at its first "="; a line without "=" is not an entry
    // and is ignored (false).
    bool AddLine(std::string_view line);
    // Replaces the value (or the texts) of the entry of that name, appending the entry when there
    // is none.
    void SetValue(std::string_view name, std::string_view value);
    void SetTexts(std::string_view name, std::string_view caption, std::string_view hint);
    // Empties the list, and forgets the file it was read from.
    void Clear();

    // The lines of the file the list was read from; empty for a list made otherwise.
    const std::vector<TTranslationLine>& SourceLines() const { return lines_; }
    void SetSourceLines(std::vector<TTranslationLine> lines) { lines_ = std::move(lines); }

    // Entries compare; the file lines do not.
    bool operator==(const TTranslationList& other) const { return entries_ == other.entries_; }

private:
    TTranslationEntry* MutableEntry(std::string_view name);

    std::vector<TTranslationEntry> entries_;
    std::map<std::string, std::size_t, TextLess> index_;
    std::vector<TTranslationLine> lines_;
};

// The text form of a translation list (the files "Translation_es.dat", "Translation.dat"):
// Windows-1252, one entry name=value per line ended by CR LF (LF or CR alone accepted on reading).
// A line break inside a value (CR LF, LF or CR) is written as the two characters "\n", and every
// "\n" read back becomes a CR LF line break. Lines without "=" are no entries; blanks around a
// name are dropped, and a later line of a name already read does not count (the first one wins).
//
// The file's lines are kept as they were: saving a list read from a file and not edited writes
// the same bytes, comments, blank lines and repeated entries included; an edited entry rewrites
// its own line only (with its name as it was written), an entry no longer in the list loses its
// lines, and new entries are appended at the end.
//
// What the text form cannot hold is refused before anything is written, with a message naming
// the entry: a character outside Windows-1252, and in an entry set from separate texts, a
// backslash followed by "n" (read back as a line break) and a caption holding "##" or ending in
// "#" (read back with a different split). An XML translation file holds all of these.

// Reads the list of a text file; throws EInOutError when the file cannot be read.
TTranslationList ReadTranslationListFile(const std::filesystem::path& fileName);
// Writes the list as a new file that replaces the old one only once it is complete; throws
// EConvertError for an entry the text form cannot hold and EInOutError when the file cannot be
// written. In both cases the old file stays as it was.
void WriteTranslationListFile(const TTranslationList& list, const std::filesystem::path& fileName);

// Throws EConvertError when the text form cannot hold the entry (see above).
void CheckTextFormEntry(const TTranslationEntry& entry);

// Every line break of text (CR LF, LF or CR) written as the two characters "\n".
std::string EscapeLineBreaks(std::string_view text);

}  // namespace nerim
