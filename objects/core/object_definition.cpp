#include "objects/core/object_definition.h"

#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {

std::string TNerimObjectDefinition::NameLine() const {
    std::string line = Name;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

void TNerimObjectDefinition::WriteToText(TextWriter& f) const { f.WriteLine(NameLine()); }

void TNerimObjectDefinition::ReadFromText(TextReader& f) { Name = f.ReadLine(); }

void TNerimObjectDefinition::SetDefaults() {}

}  // namespace nerim
