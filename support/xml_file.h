#pragma once

#include <filesystem>
#include <vector>

#include <pugixml.hpp>

namespace nerim {

// Loads an XML file into doc. A document whose declaration names the Windows-1252 code page (or
// Latin-1, its subset) is read in that code page; any other is read as the parser detects it
// (UTF-8 unless a byte-order mark or the declaration says otherwise), except that a document
// whose bytes are not UTF-8 is read in Windows-1252 unless it declares UTF-8. Texts in doc are
// UTF-8. Throws EInOutError naming the file when it cannot be read, is not well-formed, or
// declares UTF-8 and holds bytes that are not.
void LoadXmlFile(pugi::xml_document& doc, const std::filesystem::path& path);

// The element children of node in document order; text, comments and other nodes are left out.
std::vector<pugi::xml_node> ElementChildren(const pugi::xml_node& node);

}  // namespace nerim
