#include "support/internacionalization.h"

#include <algorithm>
#include <exception>
#include <optional>
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

// An attribute value as XML writes it, between double quotes. A line break is written as the two
// characters "\n", and a backslash that a "n" follows as a character reference, so that reading
// tells the two apart; tabs and other control characters are references too, which no reader
// turns into blanks.
std::string AttributeText(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 8);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\r':
                if (i + 1 < value.size() && value[i + 1] == '\n') ++i;
                out += "\\n";
                break;
            case '\n': out += "\\n"; break;
            case '\\': out += i + 1 < value.size() && value[i + 1] == 'n' ? "&#92;" : "\\"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20)
                    out += "&#" + std::to_string(static_cast<int>(c)) + ";";
                else
                    out += c;
        }
    }
    return out;
}

void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The character an entity or character reference stands for (the text between "&" and ";"), or
// nothing for one that is not known.
std::optional<std::string> Reference(std::string_view name) {
    static const std::pair<std::string_view, char> kEntities[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [entity, c] : kEntities)
        if (name == entity) return std::string(1, c);
    if (name.size() < 2 || name[0] != '#') return std::nullopt;
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    unsigned long cp = 0;
    for (const char d : digits) {
        const int v = d >= '0' && d <= '9'                ? d - '0'
                      : hex && d >= 'a' && d <= 'f'       ? d - 'a' + 10
                      : hex && d >= 'A' && d <= 'F'       ? d - 'A' + 10
                                                          : -1;
        if (v < 0) return std::nullopt;
        cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(v);
    }
    if (cp == 0 || cp > 0x10FFFF) return std::nullopt;
    std::string out;
    AppendUtf8(out, cp);
    return out;
}

// An attribute value as the file holds it (parsed without its references): the references
// resolved, and every "\n" written as such a line break (CR LF); a backslash written as a
// reference is a backslash, whatever follows it.
std::string AttributeValue(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else if (raw[i] == '&') {
            const std::size_t end = raw.find(';', i);
            const std::optional<std::string> c =
                end == std::string_view::npos ? std::nullopt : Reference(raw.substr(i + 1, end - i - 1));
            if (c) {
                out += *c;
                i = end;
            } else {
                out += '&';
            }
        } else {
            out += raw[i];
        }
    }
    return out;
}

// The window nodes of one language, as saving builds them.
struct TXmlControl {
    std::string Name;
    std::string Caption;
    std::string Hint;
};
struct TXmlWindow {
    std::string Name;
    std::optional<TXmlControl> Own;  // the window's own texts
    std::vector<TXmlControl> Controls;
};

std::string NodeText(const std::string& name, const TXmlControl* texts, bool close) {
    std::string out = "<" + name;
    if (texts) out += " Caption=\"" + AttributeText(texts->Caption) + "\" Hint=\"" + AttributeText(texts->Hint) + "\"";
    return out + (close ? "/>" : ">");
}

// The content of a language node: its window nodes, each on its own line below indent.
std::string LanguageContent(const std::vector<TXmlWindow>& windows, const std::string& indent) {
    const std::string inner = indent + "  ", innermost = indent + "    ";
    std::string out;
    for (const TXmlWindow& window : windows) {
        const TXmlControl* own = window.Own ? &*window.Own : nullptr;
        out += "\r\n" + inner + NodeText(window.Name, own, window.Controls.empty());
        if (window.Controls.empty()) continue;
        for (const TXmlControl& control : window.Controls)
            out += "\r\n" + innermost + NodeText(control.Name, &control, true);
        out += "\r\n" + inner + "</" + window.Name + ">";
    }
    return out + "\r\n" + indent;
}

// The whitespace before position at, back to the end of what precedes it.
std::size_t BeforeBlanks(std::string_view text, std::size_t at) {
    while (at > 0 && (text[at - 1] == ' ' || text[at - 1] == '\t' || text[at - 1] == '\r' || text[at - 1] == '\n'))
        --at;
    return at;
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
    const TTranslationEntry* entry = translationList_.Entry(key);
    if (!entry) return {};
    // Texts set apart are taken as they are.
    if (entry->Texts) return {true, entry->Texts->Caption, true, entry->Texts->Hint};
    const std::string* value = &entry->Value;
    if (value->find("##") == std::string::npos) return {true, *value, false, {}};
    const auto [caption, hint] = SplitValue(*value);
    return {true, ExpandLineBreaks(caption), true, ExpandLineBreaks(hint)};
}

void TInternacionalization::RecordTranslation(std::string_view key, std::string_view caption, std::string_view hint) {
    translationList_.SetTexts(key, caption, hint);
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
    // Attributes as the file writes them: a backslash written as a reference is no line break.
    LoadXmlFile(doc, fileName, kXmlParseFlags & ~pugi::parse_escapes);
    const pugi::xml_node program = FindChild(doc, programName);
    if (!program) throw ENoTranslationProgram();
    const pugi::xml_node language = FindLanguage(program, languageName, languages_);
    if (!language) throw ENoTranslationLanguage();
    const auto entry = [&](std::string_view name, const pugi::xml_node& node) {
        target.AddTexts(name, AttributeValue(node.attribute("Caption").value()),
                        AttributeValue(node.attribute("Hint").value()));
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

    // The language's window nodes: a new one whenever the window part of the names changes.
    std::vector<TXmlWindow> windows;
    for (const TTranslationEntry& entry : translationList_) {
        if (entry.Name.empty()) continue;
        const auto [caption, hint] =
            entry.Texts ? std::pair<std::string_view, std::string_view>(entry.Texts->Caption, entry.Texts->Hint)
                        : SplitValue(entry.Value);
        const auto dot = entry.Name.find('.');
        const std::string part = entry.Name.substr(0, dot);
        if (windows.empty() || part != windows.back().Name) windows.push_back({part, std::nullopt, {}});
        TXmlControl texts{dot == std::string::npos ? part : entry.Name.substr(dot + 1), std::string(caption),
                          std::string(hint)};
        if (dot == std::string::npos)
            windows.back().Own = std::move(texts);
        else
            windows.back().Controls.push_back(std::move(texts));
    }

    // Only a file that is not there starts a new document: one that cannot be read holds other
    // programs and languages, and is reported rather than replaced. In one that is there only the
    // language node's content changes; every other byte stays as it was.
    TXmlText file;
    std::error_code error;
    if (std::filesystem::exists(fileName, error)) {
        file = ReadXmlText(fileName);
        pugi::xml_document doc;
        ParseXmlText(doc, file, fileName);
        std::string& text = file.Text;
        const pugi::xml_node program = doc.child(programName.c_str());
        const pugi::xml_node language = program ? program.child(languageName.c_str()) : pugi::xml_node();
        if (language) {
            const TXmlElementSpan span = ElementSpan(text, language);
            const std::string indent = LineIndent(text, span.Begin);
            if (span.Empty())
                text.replace(span.StartTagEnd - 2, 2,
                             ">" + LanguageContent(windows, indent) + "</" + languageName + ">");
            else
                text.replace(span.StartTagEnd, span.EndTagBegin - span.StartTagEnd, LanguageContent(windows, indent));
        } else if (program) {
            const TXmlElementSpan span = ElementSpan(text, program);
            const std::string indent = LineIndent(text, span.Begin), inner = indent + "  ";
            const std::string node = NodeText(languageName, nullptr, false) + LanguageContent(windows, inner) + "</" +
                                     languageName + ">";
            if (span.Empty()) {
                text.replace(span.StartTagEnd - 2, 2, ">\r\n" + inner + node + "\r\n" + indent + "</" + programName + ">");
            } else {
                const std::size_t at = std::max(BeforeBlanks(text, span.EndTagBegin), span.StartTagEnd);
                text.insert(at, "\r\n" + inner + node);
            }
        } else {
            if (!text.empty() && text.back() != '\n') text += "\r\n";
            text += NodeText(programName, nullptr, false) + "\r\n  " + NodeText(languageName, nullptr, false) +
                    LanguageContent(windows, "  ") + "</" + languageName + ">\r\n</" + programName + ">\r\n";
        }
    } else {
        file.Windows1252 = true;
        file.Text = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n" + NodeText(programName, nullptr, false) +
                    "\r\n  " + NodeText(languageName, nullptr, false) + LanguageContent(windows, "  ") + "</" +
                    languageName + ">\r\n</" + programName + ">\r\n";
    }

    FileTextWriter writer(fileName);
    writer.WriteBytes(XmlTextBytes(file));
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
