#pragma once

#include <string>
#include <string_view>

namespace nerim {

class TextReader;
class TextWriter;

// The material of a domain object: what it stands for in the mesh (an obstacle, a porous
// medium or water), its display name, and its text in the project file.
class TNerimObjectDefinition {
public:
    TNerimObjectDefinition() = default;
    virtual ~TNerimObjectDefinition() = default;

    // The name shown in the main window's object list (UTF-8; Windows-1252 in files).
    std::string Name;

    // Writes the definition's lines: here the name on a line of its own. A line end inside the
    // name is written as a blank, so that the file keeps one line per item.
    virtual void WriteToText(TextWriter& f) const;
    // Reads the lines back: here a whole line into Name.
    virtual void ReadFromText(TextReader& f);
    // Gives a newly created object its default name and values; nothing here.
    virtual void SetDefaults();
    // The class name that the project file stores before the definition's text.
    virtual std::string_view ClassName() const = 0;

protected:
    TNerimObjectDefinition(const TNerimObjectDefinition&) = default;
    TNerimObjectDefinition& operator=(const TNerimObjectDefinition&) = default;

    // Name as one line of text.
    std::string NameLine() const;
};

}  // namespace nerim
