#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "objects/core/object_definition.h"

namespace nerim {

class TextReader;
class TextWriter;

// One class of material that the factory can create.
struct TDefinitionClass {
    std::string_view Name;
    std::unique_ptr<TNerimObjectDefinition> (*Create)();
};

// The material classes in the order the factory tries them: porous medium, obstacle, water.
const std::array<TDefinitionClass, 3>& DefinitionClasses();

// A new definition of the first class whose name equals className without regard to letter
// case, or of water (the last class) when none does. Its fields are zero and its name empty.
std::unique_ptr<TNerimObjectDefinition> CreateDefinitionByName(std::string_view className);

// Reads one whole line as the class name, creates the definition and lets it read its text.
std::unique_ptr<TNerimObjectDefinition> ReadDefinition(TextReader& f);

// Writes the class name on a line of its own, then the definition's text: what ReadDefinition reads.
void WriteDefinition(TextWriter& f, const TNerimObjectDefinition& definition);

}  // namespace nerim
