#pragma once

#include <string_view>

#include "objects/core/object_definition.h"

namespace nerim {

// An impermeable obstacle: closes the cells and faces it covers. Its text is its name alone.
class TObstacleDef final : public TNerimObjectDefinition {
public:
    static constexpr std::string_view kClassName = "TObstacleDef";

    TObstacleDef() = default;
    TObstacleDef(const TObstacleDef&) = default;
    TObstacleDef& operator=(const TObstacleDef&) = default;

    // Names the obstacle with string-table entry 3 and the obstacle counter, which then moves on.
    void SetDefaults() override;
    std::string_view ClassName() const override { return kClassName; }

    // The number that the next SetDefaults puts into an obstacle's name (1 at start-up).
    static int NameCounter();
};

}  // namespace nerim
