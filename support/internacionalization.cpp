#include "support/internacionalization.h"

#include <exception>

#include <pugixml.hpp>

#include "support/format.h"
#include "support/paths.h"
#include "support/string_table.h"
#include "support/text_reader.h"
#include "support/xml_file.h"

namespace nerim {
namespace {

// The causes behind the general loading message.
class EStringsFileError : public Exception {
public:
    using Exception::Exception;
};

std::string StripQuotes(std::string_view value) {
    if (!value.empty() && value.front() == '"') value.remove_prefix(1);
    if (!value.empty() && value.back() == '"') value.remove_suffix(1);
    return std::string(value);
}

// The first element child of node named name, or the first element child when name is empty.
pugi::xml_node FindChild(const pugi::xml_node& node, const std::string& name) {
    for (const pugi::xml_node& child : ElementChildren(node))
        if (name.empty() || name == child.name()) return child;
    return {};
}

}  // namespace

EInternacionalizationError::EInternacionalizationError(std::string reason)
    : Exception(std::string(kInternacionalizationErrorMessage)), reason_(std::move(reason)) {}

std::string ExpandLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void TInternacionalization::AddString(std::string_view key, std::string_view value) {
    // A key already present keeps its first text.
    strings_.try_emplace(std::string(Trim(key)), ExpandLineBreaks(StripQuotes(value)));
}

void TInternacionalization::LoadStrings(const std::string& fileName, const std::string& programName,
                                        const std::string& languageName, bool clear) {
    if (clear) strings_.clear();
    try {
        const std::string extension = ExtractFileExt(fileName);
        if (SameText(extension, ".INI") || SameText(extension, ".DAT"))
            LoadTextStrings(fileName);
        else if (SameText(extension, ".XML"))
            LoadXmlStrings(fileName, programName, languageName);
        else
            throw EStringsFileError("Tipo de archivo no reconocido/Unrecognized file type");
    } catch (const std::exception& e) {
        throw EInternacionalizationError(e.what());
    } catch (...) {
        throw EInternacionalizationError("");
    }
}

void TInternacionalization::LoadTextStrings(const std::string& fileName) {
    TextReader reader = TextReader::FromFile(fileName);
    // An empty file has an empty language name and no entries.
    stringsLanguageName_ = reader.Eof() ? std::string() : reader.ReadLine();
    while (!reader.Eof()) {
        const std::string line = reader.ReadLine();
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        AddString(std::string_view(line).substr(0, equals), Trim(std::string_view(line).substr(equals + 1)));
    }
}

void TInternacionalization::LoadXmlStrings(const std::string& fileName, const std::string& programName,
                                           const std::string& languageName) {
    pugi::xml_document doc;
    LoadXmlFile(doc, fileName);
    const pugi::xml_node program = FindChild(doc, programName);
    if (!program)
        throw EStringsFileError("No existe lista de cadenas para el programa - There is no string list for the program");
    const pugi::xml_node language = FindChild(program, languageName);
    if (!language) throw EStringsFileError("No existe el idioma seleccionado - Specified language not in the list");
    for (const pugi::xml_node& entry : ElementChildren(language))
        AddString(entry.name(), entry.attribute("Str").value());
}

std::string TInternacionalization::GetString(std::string_view key) const {
    const auto found = strings_.find(key);
    return found == strings_.end() ? std::string(kMissingString) : found->second;
}

void TInternacionalization::LoadStringTable(const std::string& fileName) {
    LoadStrings(fileName, "", "", true);
    for (int i = 1; i <= kStringTableSize; ++i)
        SetStringTableEntry(i, GetString(Format("STR%d", {static_cast<long long>(i)})));
}

}  // namespace nerim
