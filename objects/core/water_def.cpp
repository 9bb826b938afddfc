#include "objects/core/water_def.h"

#include "support/format.h"
#include "support/string_table.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

int counter = 1;

}  // namespace

int TWaterDef::NameCounter() { return counter; }

void TWaterDef::WriteToText(TextWriter& f) const {
    TNerimObjectDefinition::WriteToText(f);
    f.WriteRealLine(Value);
}

void TWaterDef::ReadFromText(TextReader& f) {
    TNerimObjectDefinition::ReadFromText(f);
    Value = f.ReadRealLine();
}

void TWaterDef::SetDefaults() {
    Name = Format(StringTableEntry(4), {static_cast<long long>(counter)});
    ++counter;
}

}  // namespace nerim
