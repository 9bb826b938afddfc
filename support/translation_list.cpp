#include "support/translation_list.h"

#include <cstdio>
#include <unordered_set>

#include "support/encoding.h"
#include "support/exception.h"
#include "support/file_bytes.h"
#include "support/internacionalization.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

std::string JoinTexts(std::string_view caption, std::string_view hint) {
    std::string value(caption);
    value += "##";
    value += hint;
    return value;
}

// The file's lines, each with its own line end (CR LF, LF or CR; none on a last line without one).
std::vector<TTranslationLine> SplitLines(const std::string& bytes) {
    std::vector<TTranslationLine> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        TTranslationLine line;
        if (end == std::string::npos) {
            line.Bytes = bytes.substr(start);
            start = bytes.size();
        } else {
            line.Bytes = bytes.substr(start, end - start);
            const std::size_t endLength = bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
            line.End = bytes.substr(end, endLength);
            start = end + endLength;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// "U+2264" and the character itself when it can be shown.
std::string CharacterName(std::string_view text, const TUnrepresentable& bad) {
    if (bad.CodePoint == 0xFFFFFFFF) return "(UTF-8 mal formado / malformed UTF-8)";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(bad.CodePoint));
    return "\"" + std::string(text.substr(bad.Position, bad.Length)) + "\" (" + code + ")";
}

[[noreturn]] void Refuse(const std::string& entry, const std::string& spanish, const std::string& english) {
    throw EConvertError("La entrada \"" + entry + "\" " + spanish +
                        ", que un archivo de traducción de texto no puede guardar; un archivo de traducción XML sí "
                        "puede - The entry \"" +
                        entry + "\" " + english +
                        ", which a text translation file cannot hold; an XML translation file can");
}

}  // namespace

long long TTranslationList::IndexOfName(std::string_view name) const {
    const auto found = index_.find(name);
    return found == index_.end() ? -1 : static_cast<long long>(found->second);
}

const TTranslationEntry* TTranslationList::Entry(std::string_view name) const {
    const auto found = index_.find(name);
    return found == index_.end() ? nullptr : &entries_[found->second];
}

TTranslationEntry* TTranslationList::MutableEntry(std::string_view name) {
    const auto found = index_.find(name);
    return found == index_.end() ? nullptr : &entries_[found->second];
}

const std::string* TTranslationList::Find(std::string_view name) const {
    const TTranslationEntry* entry = Entry(name);
    return entry ? &entry->Value : nullptr;
}

bool TTranslationList::Add(std::string_view name, std::string_view value) {
    if (!index_.try_emplace(std::string(name), entries_.size()).second) return false;
    entries_.push_back({std::string(name), std::string(value), std::nullopt});
    return true;
}

bool TTranslationList::AddTexts(std::string_view name, std::string_view caption, std::string_view hint) {
    if (!Add(name, JoinTexts(caption, hint))) return false;
    entries_.back().Texts = TEntryTexts{std::string(caption), std::string(hint)};
    return true;
}

bool TTranslationList::AddLine(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    return Add(line.substr(0, equals), line.substr(equals + 1));
}

void TTranslationList::SetValue(std::string_view name, std::string_view value) {
    if (TTranslationEntry* entry = MutableEntry(name)) {
        entry->Value = value;
        entry->Texts.reset();
    } else {
        Add(name, value);
    }
}

void TTranslationList::SetTexts(std::string_view name, std::string_view caption, std::string_view hint) {
    if (TTranslationEntry* entry = MutableEntry(name)) {
        entry->Value = JoinTexts(caption, hint);
        entry->Texts = TEntryTexts{std::string(caption), std::string(hint)};
    } else {
        AddTexts(name, caption, hint);
    }
}

void TTranslationList::Clear() {
    entries_.clear();
    index_.clear();
    lines_.clear();
}

std::string EscapeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

void CheckTextFormEntry(const TTranslationEntry& entry) {
    for (const std::string* text : {&entry.Name, &entry.Value}) {
        const TUnrepresentable bad = FirstOutsideCp1252(*text);
        if (bad.Position != std::string_view::npos)
            Refuse(entry.Name, "tiene el carácter " + CharacterName(*text, bad),
                   "holds the character " + CharacterName(*text, bad));
    }
    if (!entry.Texts) return;
    const TEntryTexts& texts = *entry.Texts;
    if (texts.Caption.find("##") != std::string::npos || (!texts.Caption.empty() && texts.Caption.back() == '#'))
        Refuse(entry.Name, "tiene una etiqueta con \"##\" o que termina en \"#\"",
               "has a caption holding \"##\" or ending in \"#\"");
    for (const std::string* text : {&texts.Caption, &texts.Hint})
        if (text->find("\\n") != std::string::npos)
            Refuse(entry.Name, "tiene una barra invertida seguida de \"n\"", "holds a backslash followed by \"n\"");
}

TTranslationList ReadTranslationListFile(const std::filesystem::path& fileName) {
    std::vector<TTranslationLine> lines = SplitLines(ReadFileBytes(fileName));
    TTranslationList list;
    for (TTranslationLine& line : lines) {
        const std::string text = Cp1252ToUtf8(line.Bytes);
        const auto equals = text.find('=');
        if (equals == std::string::npos) continue;
        line.HoldsEntry = true;
        line.Name = Trim(std::string_view(text).substr(0, equals));
        line.ReadValue = ExpandLineBreaks(std::string_view(text).substr(equals + 1));
        line.Defining = list.Add(line.Name, line.ReadValue);
    }
    list.SetSourceLines(std::move(lines));
    return list;
}

void WriteTranslationListFile(const TTranslationList& list, const std::filesystem::path& fileName) {
    for (const TTranslationEntry& entry : list) CheckTextFormEntry(entry);

    FileTextWriter writer(fileName);
    std::unordered_set<std::string> kept;  // entries whose own line was written, as the list spells them
    bool open = false;                     // the last line written has no line end
    for (const TTranslationLine& line : list.SourceLines()) {
        const TTranslationEntry* entry = line.HoldsEntry ? list.Entry(line.Name) : nullptr;
        // An entry taken out of the list takes its lines with it.
        if (line.HoldsEntry && !entry) continue;
        if (entry && line.Defining && entry->Value != line.ReadValue) {
            // The name as it was written, blanks included; the new value after it.
            writer.WriteBytes(std::string_view(line.Bytes).substr(0, line.Bytes.find('=') + 1));
            writer.Write(EscapeLineBreaks(entry->Value));
        } else {
            writer.WriteBytes(line.Bytes);
        }
        writer.WriteBytes(line.End);
        open = line.End.empty();
        if (entry && line.Defining) kept.insert(entry->Name);
    }
    for (const TTranslationEntry& entry : list) {
        if (kept.count(entry.Name)) continue;
        if (open) writer.EndLine();
        open = false;
        writer.Write(entry.Name);
        writer.Write("=");
        writer.WriteLine(EscapeLineBreaks(entry.Value));
    }
    writer.Commit();
}

}  // namespace nerim
