#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/text_utils.h"

namespace nerim {

// One entry of a translation list: the name of a window, a control or an item of a control
// ("frmNerim", "frmNerim.btnAgua", "frmNerim.tabs_2") and its value, the caption and optionally
// "##" and the hint.
struct TTranslationEntry {
    std::string Name;
    std::string Value;

    bool operator==(const TTranslationEntry&) const = default;
};

// The window translation list: name=value entries in the order they were added, not sorted.
// Names are compared without regard to the case of the ASCII letters, like every key of the
// program's lists, and a name appears at most once: adding an entry whose name is already
// present is ignored, so the first one stays. Copying a list copies its entries.
class TTranslationList {
public:
    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    const TTranslationEntry& operator[](std::size_t index) const { return entries_[index]; }
    std::vector<TTranslationEntry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<TTranslationEntry>::const_iterator end() const { return entries_.end(); }

    // Position of the entry of that name, or -1.
    long long IndexOfName(std::string_view name) const;
    // The value of the entry of that name, or null.
    const std::string* Find(std::string_view name) const;

    // Appends name=value unless an entry of that name exists; true when it was added.
    bool Add(std::string_view name, std::string_view value);
    // Adds a line of the text form, split at its first "="; a line without "=" is not an entry
    // and is ignored (false).
    bool AddLine(std::string_view line);
    // Replaces the value of the entry of that name, appending the entry when there is none.
    void SetValue(std::string_view name, std::string_view value);
    void Clear();

    bool operator==(const TTranslationList& other) const { return entries_ == other.entries_; }

private:
    std::vector<TTranslationEntry> entries_;
    std::map<std::string, std::size_t, TextLess> index_;
};

// The text form of a translation list (the files "Translation_es.dat", "Translation.dat"):
// Windows-1252, one entry name=value per line ended by CR LF (LF or CR alone accepted on reading).
// A line break inside a value (CR LF, LF or CR) is written as the two characters "\n", and every
// "\n" read back becomes a CR LF line break, so saving and loading give back the same list.
// Lines without "=" are skipped on reading; blanks around a name are dropped.

// Reads the list of a text file; throws EInOutError when the file cannot be read.
TTranslationList ReadTranslationListFile(const std::filesystem::path& fileName);
// Writes the list as a new file that replaces the old one only once it is complete; throws
// EInOutError when it cannot be written.
void WriteTranslationListFile(const TTranslationList& list, const std::filesystem::path& fileName);

// Every line break of text (CR LF, LF or CR) written as the two characters "\n".
std::string EscapeLineBreaks(std::string_view text);

}  // namespace nerim
