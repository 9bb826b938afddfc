#include "objects/core/definition_factory.h"

#include <string>

#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

template <class T>
std::unique_ptr<TNerimObjectDefinition> Create() {
    return std::make_unique<T>();
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

}  // namespace

const std::array<TDefinitionClass, 3>& DefinitionClasses() {
    static const std::array<TDefinitionClass, 3> classes{{
        {TPorousMediumDef::kClassName, &Create<TPorousMediumDef>},
        {TObstacleDef::kClassName, &Create<TObstacleDef>},
        {TWaterDef::kClassName, &Create<TWaterDef>},
    }};
    return classes;
}

std::unique_ptr<TNerimObjectDefinition> CreateDefinitionByName(std::string_view className) {
    for (const TDefinitionClass& c : DefinitionClasses())
        if (SameTextIgnoringCase(c.Name, className)) return c.Create();
    return DefinitionClasses().back().Create();
}

std::unique_ptr<TNerimObjectDefinition> ReadDefinition(TextReader& f) {
    const std::string className = f.ReadLine();
    std::unique_ptr<TNerimObjectDefinition> definition = CreateDefinitionByName(className);
    definition->ReadFromText(f);
    return definition;
}

void WriteDefinition(TextWriter& f, const TNerimObjectDefinition& definition) {
    f.WriteLine(definition.ClassName());
    definition.WriteToText(f);
}

}  // namespace nerim
