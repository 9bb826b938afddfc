#include "support/internacionalization.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include <pugixml.hpp>

#include "support/encoding.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/string_table.h"
#include "support/text_reader.h"
#include "support/text_writer.h"
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

// The last element child of node of that name, or the last element child when the name is
// empty; the names of all element children go to names, in order.
pugi::xml_node FindLanguage(const pugi::xml_node& program, const std::string& name, std::vector<std::string>& names) {
    names.clear();
    pugi::xml_node found;
    for (const pugi::xml_node& child : ElementChildren(program)) {
        names.emplace_back(child.name());
        if (name.empty() || name == child.name()) found = child;
    }
    return found;
}

// The caption and the hint of a value: the text before the first "##" and the text after it,
// or the whole value and no hint.
std::pair<std::string_view, std::string_view> SplitValue(std::string_view value) {
    const auto separator = value.find("##");
    if (separator == std::string_view::npos) return {value, {}};
    return {value.substr(0, separator), value.substr(separator + 2)};
}

// Whether text can name an XML element of a Windows-1252 file: a letter, "_" or ":" first, then
// letters, digits, "_", ":", "-" or "."; letters beyond ASCII only where the code page has them.
bool IsXmlName(std::string_view text) {
    if (text.empty()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
        const bool other = (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!letter && !(i > 0 && other)) return false;
    }
    return IsAscii(text) || Cp1252ToUtf8(Utf8ToCp1252(text)) == text;
}

void CheckXmlName(std::string_view name, std::string_view entry) {
    if (!IsXmlName(name))
        throw EConvertError("El nombre \"" + std::string(entry) +
                            "\" no puede guardarse en un archivo de traducción XML");
}

void SetAttribute(pugi::xml_node node, const char* name, std::string_view value) {
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) attribute = node.append_attribute(name);
    attribute.set_value(EscapeLineBreaks(value).c_str());
}

// Collects what pugixml writes.
class StringXmlWriter final : public pugi::xml_writer {
public:
    void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
    std::string text;
};

// The document as the bytes of a Windows-1252 XML file with CR LF line ends.
std::string Windows1252XmlBytes(const pugi::xml_document& doc) {
    StringXmlWriter writer;
    doc.save(writer, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    // Line breaks inside attribute values are written as references, so every "\n" of the
    // output is a line end of the layout.
    std::string bytes = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n";
    for (const char c : Utf8ToCp1252Xml(writer.text)) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

}  // namespace

ENoTranslationProgram::ENoTranslationProgram() : Exception(std::string(kNoTranslationProgramMessage)) {}

ENoTranslationLanguage::ENoTranslationLanguage() : Exception(std::string(kNoTranslationLanguageMessage)) {}

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

TTranslationTexts TInternacionalization::LookupTranslation(std::string_view key) const {
    const std::string* value = translationList_.Find(key);
    if (!value) return {};
    if (value->find("##") == std::string::npos) return {true, *value, false, {}};
    const auto [caption, hint] = SplitValue(*value);
    return {true, ExpandLineBreaks(caption), true, ExpandLineBreaks(hint)};
}

void TInternacionalization::RecordTranslation(std::string_view key, std::string_view caption, std::string_view hint) {
    std::string value(caption);
    value += "##";
    value += hint;
    translationList_.SetValue(key, value);
}

void TInternacionalization::LoadTranslationList(const std::string& fileName) {
    translationList_ = ReadTranslationListFile(fileName);
}

void TInternacionalization::SaveTranslationList(const std::string& fileName) const {
    WriteTranslationListFile(translationList_, fileName);
}

void TInternacionalization::LoadTranslationXml(TTranslationList& target, const std::string& fileName,
                                               const std::string& programName, const std::string& languageName) {
    pugi::xml_document doc;
    LoadXmlFile(doc, fileName);
    const pugi::xml_node program = FindChild(doc, programName);
    if (!program) throw ENoTranslationProgram();
    const pugi::xml_node language = FindLanguage(program, languageName, languages_);
    if (!language) throw ENoTranslationLanguage();
    const auto entry = [&](std::string_view name, const pugi::xml_node& node) {
        target.Add(name, ExpandLineBreaks(node.attribute("Caption").value()) + "##" +
                             ExpandLineBreaks(node.attribute("Hint").value()));
    };
    for (const pugi::xml_node& window : ElementChildren(language)) {
        // The window's own texts, which saving writes on its node, come back too.
        if (window.attribute("Caption") || window.attribute("Hint")) entry(window.name(), window);
        for (const pugi::xml_node& control : ElementChildren(window))
            entry(std::string(window.name()) + "." + std::string(Trim(control.name())), control);
    }
}

void TInternacionalization::SaveTranslationXml(const std::string& fileName, const std::string& programName,
                                               const std::string& languageName) {
    xmlFileName_ = fileName;
    xmlProgramName_ = programName;
    CheckXmlName(programName, programName);
    CheckXmlName(languageName, languageName);
    for (const TTranslationEntry& entry : translationList_) {
        if (entry.Name.empty()) continue;
        const auto dot = entry.Name.find('.');
        CheckXmlName(std::string_view(entry.Name).substr(0, dot), entry.Name);
        if (dot != std::string::npos) CheckXmlName(std::string_view(entry.Name).substr(dot + 1), entry.Name);
    }

    pugi::xml_document doc;
    // Only a file that is not there starts a new document: one that cannot be read holds other
    // programs and languages, and is reported rather than replaced.
    std::error_code error;
    if (std::filesystem::exists(fileName, error)) LoadXmlFile(doc, fileName);
    pugi::xml_node program = doc.child(programName.c_str());
    if (!program) program = doc.append_child(programName.c_str());
    pugi::xml_node language = program.child(languageName.c_str());
    if (!language) language = program.append_child(languageName.c_str());
    language.remove_children();

    pugi::xml_node window;
    std::string windowName;
    for (const TTranslationEntry& entry : translationList_) {
        if (entry.Name.empty()) continue;
        const auto [caption, hint] = SplitValue(entry.Value);
        const auto dot = entry.Name.find('.');
        const std::string part = entry.Name.substr(0, dot);
        if (!window || part != windowName) {
            window = language.append_child(part.c_str());
            windowName = part;
        }
        pugi::xml_node node = dot == std::string::npos ? window : window.append_child(entry.Name.substr(dot + 1).c_str());
        SetAttribute(node, "Caption", caption);
        SetAttribute(node, "Hint", hint);
    }

    FileTextWriter writer(fileName);
    writer.WriteBytes(Windows1252XmlBytes(doc));
    writer.Commit();
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
