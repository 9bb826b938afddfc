#include "objects/core/porous_medium_def.h"

#include "support/format.h"
#include "support/string_table.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

int counter = 1;

}  // namespace

int TPorousMediumDef::NameCounter() { return counter; }

TPorousMediumDef::TParameters TPorousMediumDef::Parameters() const {
    return {LinearFricCoef, NonLinearFricCoef, AddedMassCoef, D50, Permeability, Porosity};
}

void TPorousMediumDef::SetParameters(const TParameters& values) {
    LinearFricCoef = values[0];
    NonLinearFricCoef = values[1];
    AddedMassCoef = values[2];
    D50 = values[3];
    Permeability = values[4];
    Porosity = values[5];
}

void TPorousMediumDef::WriteToText(TextWriter& f) const {
    TNerimObjectDefinition::WriteToText(f);
    f.WriteLine(NameLine());
    for (const double value : Parameters()) f.WriteRealLine(value);
}

void TPorousMediumDef::ReadFromText(TextReader& f) {
    TNerimObjectDefinition::ReadFromText(f);
    Name = f.ReadLine();
    // Each field is stored as soon as it is read: a malformed number keeps the ones before it.
    LinearFricCoef = f.ReadRealLine();
    NonLinearFricCoef = f.ReadRealLine();
    AddedMassCoef = f.ReadRealLine();
    D50 = f.ReadRealLine();
    Permeability = f.ReadRealLine();
    Porosity = f.ReadRealLine();
}

void TPorousMediumDef::SetDefaults() {
    Name = Format(StringTableEntry(2), {static_cast<long long>(counter)});
    ++counter;
    SetParameters(DefaultParameters());
}

}  // namespace nerim
