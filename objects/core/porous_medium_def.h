#pragma once

#include <array>
#include <string_view>

#include "objects/core/object_definition.h"

namespace nerim {

// A porous medium with its hydraulic parameters.
class TPorousMediumDef final : public TNerimObjectDefinition {
public:
    static constexpr std::string_view kClassName = "TPorousMediumDef";

    // The six parameters, in this order wherever they are handled as one block.
    using TParameters = std::array<double, 6>;

    double LinearFricCoef = 0.0;
    double NonLinearFricCoef = 0.0;
    double AddedMassCoef = 0.0;
    double D50 = 0.0;
    double Permeability = 0.0;
    double Porosity = 0.0;

    TPorousMediumDef() = default;
    TPorousMediumDef(const TPorousMediumDef&) = default;
    TPorousMediumDef& operator=(const TPorousMediumDef&) = default;

    // LinearFricCoef, NonLinearFricCoef, AddedMassCoef, D50, Permeability, Porosity.
    TParameters Parameters() const;
    void SetParameters(const TParameters& values);

    // After the name: the name again, then the six parameters one per line.
    void WriteToText(TextWriter& f) const override;
    // The second copy of the name is the one kept.
    void ReadFromText(TextReader& f) override;
    // Names the medium with string-table entry 2 and the porous counter, which then moves on,
    // and sets the default parameters.
    void SetDefaults() override;
    // The parameters of a new medium: 200, 1.1, 0.34, 0.1, 0, 0.
    static TParameters DefaultParameters() { return {200.0, 1.1, 0.34, 0.1, 0.0, 0.0}; }
    std::string_view ClassName() const override { return kClassName; }

    // The number that the next SetDefaults puts into a porous medium's name (1 at start-up).
    static int NameCounter();
};

}  // namespace nerim
