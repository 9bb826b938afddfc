#include "objects/core/obstacle_def.h"

#include "support/format.h"
#include "support/string_table.h"

namespace nerim {
namespace {

int counter = 1;

}  // namespace

int TObstacleDef::NameCounter() { return counter; }

void TObstacleDef::SetDefaults() {
    Name = Format(StringTableEntry(3), {static_cast<long long>(counter)});
    ++counter;
}

}  // namespace nerim
