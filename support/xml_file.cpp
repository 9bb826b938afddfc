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

pugi::xml_parse_result LoadCp1252(pugi::xml_document& doc, std::string_view bytes) {
    const std::string text = Cp1252ToUtf8(bytes);
    return doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
}

}  // namespace

void LoadXmlFile(pugi::xml_document& doc, const std::filesystem::path& path) {
    const std::string bytes = ReadFileBytes(path);

    const auto fail = [&](const std::string& reason) {
        throw EInOutError("Error de entrada/salida: el archivo \"" + path.string() + "\" no es un XML válido (" +
                          reason + ")");
    };
    const std::string_view declared = DeclaredEncoding(bytes);
    pugi::xml_parse_result result;
    if (IsWindows1252(declared)) {
        result = LoadCp1252(doc, bytes);
    } else {
        result = doc.load_buffer(bytes.data(), bytes.size());
        // The parser keeps bytes that are not UTF-8 as they are. A file that declares UTF-8 and
        // breaks it is damaged; any other (no encoding declared, or one the parser does not know)
        // is taken to be in the system's code page, as editors write it.
        if (result && result.encoding == pugi::encoding_utf8) {
            if (const std::size_t bad = InvalidUtf8Position(bytes); bad != std::string_view::npos) {
                if (SameText(declared, "utf-8") || SameText(declared, "utf8"))
                    fail("texto que no es UTF-8 en la posición " + std::to_string(bad));
                result = LoadCp1252(doc, bytes);
            }
        }
    }
    if (!result) fail(std::string(result.description()) + ", posición " + std::to_string(result.offset));
}

std::vector<pugi::xml_node> ElementChildren(const pugi::xml_node& node) {
    std::vector<pugi::xml_node> children;
    for (const pugi::xml_node child : node.children())
        if (child.type() == pugi::node_element) children.push_back(child);
    return children;
}

}  // namespace nerim
