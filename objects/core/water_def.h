#pragma once

#include <string_view>

#include "objects/core/object_definition.h"

namespace nerim {

// Water: sets the water fraction of the cells it covers.
class TWaterDef final : public TNerimObjectDefinition {
public:
    static constexpr std::string_view kClassName = "TWaterDef";

    // Stored in the project file after the name and carried through unchanged; nothing else
    // reads or sets it.
    double Value = 0.0;

    TWaterDef() = default;
    TWaterDef(const TWaterDef&) = default;
    TWaterDef& operator=(const TWaterDef&) = default;

    // After the name: Value on a line of its own.
    void WriteToText(TextWriter& f) const override;
    void ReadFromText(TextReader& f) override;
    // Names the water with string-table entry 4 and the water counter, which then moves on.
    void SetDefaults() override;
    std::string_view ClassName() const override { return kClassName; }

    // The number that the next SetDefaults puts into a water object's name (1 at start-up).
    static int NameCounter();
};

}  // namespace nerim
