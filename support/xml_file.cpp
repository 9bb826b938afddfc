#include "support/xml_file.h"

#include <string>
#include <string_view>

#include "support/encoding.h"
#include "support/file_bytes.h"
#include "support/exception.h"
#include "support/text_utils.h"

namespace nerim {
namespace {

// The value of the encoding pseudo-attribute of the XML declaration that opens bytes; empty when
// there is no declaration or it names no encoding.
std::string_view DeclaredEncoding(std::string_view bytes) {
    if (bytes.substr(0, 5) != "<?xml") return {};
    const auto end = bytes.find("?>");
    if (end == std::string_view::npos) return {};
    std::string_view declaration = bytes.substr(0, end);
    const auto key = declaration.find("encoding");
    if (key == std::string_view::npos) return {};
    declaration.remove_prefix(key + 8);
    declaration = Trim(declaration);
    if (declaration.empty() || declaration.front() != '=') return {};
    declaration = Trim(declaration.substr(1));
    if (declaration.empty() || (declaration.front() != '"' && declaration.front() != '\'')) return {};
    const char quote = declaration.front();
    const auto close = declaration.find(quote, 1);
    if (close == std::string_view::npos) return {};
    return declaration.substr(1, close - 1);
}

bool IsWindows1252(std::string_view encoding) {
    return SameText(encoding, "windows-1252") || SameText(encoding, "cp1252") ||
           SameText(encoding, "iso-8859-1") || SameText(encoding, "latin1");
}

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& reason) {
    throw EInOutError("Error de entrada/salida: el archivo \"" + path.string() + "\" no es un XML válido (" + reason +
                      ")");
}

// A byte-order mark or the zero bytes of a 16- or 32-bit encoding at the start.
bool IsWideEncoding(std::string_view bytes) {
    if (bytes.size() < 2) return false;
    const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    return (b0 == 0xFE && b1 == 0xFF) || (b0 == 0xFF && b1 == 0xFE) || b0 == 0 || b1 == 0;
}

// The text of 8-bit bytes as LoadXmlFile reads them.
TXmlText DecodeBytes(std::string_view bytes, const std::filesystem::path& path) {
    TXmlText text;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        text.ByteOrderMark = true;
        bytes.remove_prefix(3);
    }
    const std::string_view declared = DeclaredEncoding(bytes);
    if (!text.ByteOrderMark && IsWindows1252(declared)) {
        text.Windows1252 = true;
    } else if (const std::size_t bad = InvalidUtf8Position(bytes); bad != std::string_view::npos) {
        // A file that declares UTF-8 and breaks it is damaged; any other (no encoding declared, or
        // one the parser does not know) is taken to be in the system's code page, as editors
        // write it.
        if (text.ByteOrderMark || SameText(declared, "utf-8") || SameText(declared, "utf8"))
            Fail(path, "texto que no es UTF-8 en la posición " + std::to_string(bad + (text.ByteOrderMark ? 3 : 0)));
        text.Windows1252 = true;
    }
    text.Text = text.Windows1252 ? Cp1252ToUtf8(bytes) : std::string(bytes);
    return text;
}

// The end of the tag that begins at text[begin] ("<"): just after its ">", quotes respected.
std::size_t TagEnd(std::string_view text, std::size_t begin) {
    char quote = 0;
    for (std::size_t i = begin + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

// The end of what begins at text[at] and ends with close.
std::size_t SkipPast(std::string_view text, std::size_t at, std::string_view close) {
    const std::size_t found = text.find(close, at);
    return found == std::string_view::npos ? found : found + close.size();
}

}  // namespace

void ParseXmlText(pugi::xml_document& doc, const TXmlText& text, const std::filesystem::path& path, unsigned flags) {
    const pugi::xml_parse_result result = doc.load_buffer(text.Text.data(), text.Text.size(), flags, pugi::encoding_utf8);
    if (!result) Fail(path, std::string(result.description()) + ", posición " + std::to_string(result.offset));
}

TXmlText ReadXmlText(const std::filesystem::path& path) {
    const std::string bytes = ReadFileBytes(path);
    if (IsWideEncoding(bytes)) Fail(path, "no está en UTF-8 ni en Windows-1252");
    return DecodeBytes(bytes, path);
}

void LoadXmlFile(pugi::xml_document& doc, const std::filesystem::path& path, unsigned flags) {
    const std::string bytes = ReadFileBytes(path);
    if (IsWideEncoding(bytes)) {
        const pugi::xml_parse_result result = doc.load_buffer(bytes.data(), bytes.size(), flags);
        if (!result) Fail(path, std::string(result.description()) + ", posición " + std::to_string(result.offset));
        return;
    }
    ParseXmlText(doc, DecodeBytes(bytes, path), path, flags);
}

std::string XmlTextBytes(const TXmlText& text) {
    if (text.Windows1252) return Utf8ToCp1252Xml(text.Text);
    return (text.ByteOrderMark ? std::string("\xEF\xBB\xBF") : std::string()) + text.Text;
}

TXmlElementSpan ElementSpan(std::string_view text, const pugi::xml_node& element) {
    const std::ptrdiff_t name = element.offset_debug();
    if (name < 1 || static_cast<std::size_t>(name) > text.size() || text[static_cast<std::size_t>(name) - 1] != '<')
        throw EInOutError(std::string("Error de entrada/salida: no se encuentra el elemento <") + element.name() +
                          "> del XML");
    TXmlElementSpan span;
    span.Begin = static_cast<std::size_t>(name) - 1;
    span.StartTagEnd = TagEnd(text, span.Begin);
    if (span.StartTagEnd == std::string_view::npos) throw EInOutError("Error de entrada/salida: XML incompleto");
    if (text[span.StartTagEnd - 2] == '/') {
        span.EndTagBegin = span.End = span.StartTagEnd;
        return span;
    }
    int depth = 1;
    for (std::size_t i = span.StartTagEnd; i != std::string_view::npos && i < text.size();) {
        i = text.find('<', i);
        if (i == std::string_view::npos) break;
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("<!--")) {
            i = SkipPast(text, i + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            i = SkipPast(text, i + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            i = SkipPast(text, i + 2, "?>");
        } else {
            const std::size_t end = TagEnd(text, i);
            if (end == std::string_view::npos) break;
            if (rest.starts_with("</")) {
                if (--depth == 0) {
                    span.EndTagBegin = i;
                    span.End = end;
                    return span;
                }
            } else if (!rest.starts_with("<!") && text[end - 2] != '/') {
                ++depth;
            }
            i = end;
        }
    }
    throw EInOutError(std::string("Error de entrada/salida: el elemento <") + element.name() + "> del XML no termina");
}

std::string LineIndent(std::string_view text, std::size_t begin) {
    std::size_t start = begin;
    while (start > 0 && (text[start - 1] == ' ' || text[start - 1] == '\t')) --start;
    if (start > 0 && text[start - 1] != '\n' && text[start - 1] != '\r') return {};
    return std::string(text.substr(start, begin - start));
}

std::vector<pugi::xml_node> ElementChildren(const pugi::xml_node& node) {
    std::vector<pugi::xml_node> children;
    for (const pugi::xml_node child : node.children())
        if (child.type() == pugi::node_element) children.push_back(child);
    return children;
}

}  // namespace nerim
