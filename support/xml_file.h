#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace nerim {

// How the program parses XML: attribute values are taken as they are, their tabs and line ends
// not turned into blanks, so that writing a file back cannot change what it holds.
inline constexpr unsigned kXmlParseFlags = pugi::parse_default & ~(pugi::parse_wconv_attribute | pugi::parse_eol);

// Loads an XML file into doc. A document whose declaration names the Windows-1252 code page (or
// Latin-1, its subset) is read in that code page; any other is read as the parser detects it
// (UTF-8 unless a byte-order mark or the declaration says otherwise), except that a document
// whose bytes are not UTF-8 is read in Windows-1252 unless it declares UTF-8. Texts in doc are
// UTF-8. Throws EInOutError naming the file when it cannot be read, is not well-formed, or
// declares UTF-8 and holds bytes that are not.
void LoadXmlFile(pugi::xml_document& doc, const std::filesystem::path& path, unsigned flags = kXmlParseFlags);

// The text of an 8-bit XML file (UTF-8 or Windows-1252, chosen as LoadXmlFile chooses), for
// changing one part of the file and leaving every other byte as it was.
struct TXmlText {
    std::string Text;          // UTF-8, without a byte-order mark
    bool Windows1252 = false;  // the file's code page
    bool ByteOrderMark = false;
};
// Throws EInOutError as LoadXmlFile does, and for a file in a 16- or 32-bit encoding.
TXmlText ReadXmlText(const std::filesystem::path& path);
// Parses the text; the nodes' offset_debug() are positions in Text. Throws EInOutError naming path.
void ParseXmlText(pugi::xml_document& doc, const TXmlText& text, const std::filesystem::path& path,
                  unsigned flags = kXmlParseFlags);
// The file's bytes for the text, in its own code page; a character Windows-1252 cannot hold
// becomes a character reference (only attribute values and character data may hold one).
std::string XmlTextBytes(const TXmlText& text);

// Where an element lies in the text it was parsed from: its start tag from Begin (the "<") to
// StartTagEnd (after its ">"), its end tag from EndTagBegin to End; an empty element ("<a/>")
// has no end tag (EndTagBegin == End == StartTagEnd).
struct TXmlElementSpan {
    std::size_t Begin = 0;
    std::size_t StartTagEnd = 0;
    std::size_t EndTagBegin = 0;
    std::size_t End = 0;
    bool Empty() const { return EndTagBegin == StartTagEnd && End == StartTagEnd; }
};
// The span of an element of a document parsed from text; EInOutError when it cannot be found.
TXmlElementSpan ElementSpan(std::string_view text, const pugi::xml_node& element);

// The blanks that begin the line an element's start tag is on, when nothing else comes before it.
std::string LineIndent(std::string_view text, std::size_t begin);

// The element children of node in document order; text, comments and other nodes are left out.
std::vector<pugi::xml_node> ElementChildren(const pugi::xml_node& node);

}  // namespace nerim
