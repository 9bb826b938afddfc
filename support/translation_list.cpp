#include "support/translation_list.h"

#include "support/internacionalization.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {

long long TTranslationList::IndexOfName(std::string_view name) const {
    const auto found = index_.find(name);
    return found == index_.end() ? -1 : static_cast<long long>(found->second);
}

const std::string* TTranslationList::Find(std::string_view name) const {
    const auto found = index_.find(name);
    return found == index_.end() ? nullptr : &entries_[found->second].Value;
}

bool TTranslationList::Add(std::string_view name, std::string_view value) {
    if (!index_.try_emplace(std::string(name), entries_.size()).second) return false;
    entries_.push_back({std::string(name), std::string(value)});
    return true;
}

bool TTranslationList::AddLine(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    return Add(line.substr(0, equals), line.substr(equals + 1));
}

void TTranslationList::SetValue(std::string_view name, std::string_view value) {
    const auto found = index_.find(name);
    if (found == index_.end())
        Add(name, value);
    else
        entries_[found->second].Value = value;
}

void TTranslationList::Clear() {
    entries_.clear();
    index_.clear();
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

TTranslationList ReadTranslationListFile(const std::filesystem::path& fileName) {
    TextReader reader = TextReader::FromFile(fileName);
    TTranslationList list;
    while (!reader.Eof()) {
        const std::string line = reader.ReadLine();
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        list.Add(Trim(std::string_view(line).substr(0, equals)), ExpandLineBreaks(std::string_view(line).substr(equals + 1)));
    }
    return list;
}

void WriteTranslationListFile(const TTranslationList& list, const std::filesystem::path& fileName) {
    FileTextWriter writer(fileName);
    for (const TTranslationEntry& entry : list) {
        writer.Write(entry.Name);
        writer.Write("=");
        writer.WriteLine(EscapeLineBreaks(entry.Value));
    }
    writer.Commit();
}

}  // namespace nerim
