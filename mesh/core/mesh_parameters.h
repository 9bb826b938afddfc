#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "mesh/core/sub_zone.h"

namespace nerim {

class TextReader;
class TextWriter;

// Boundary-condition codes, in the order of the chooser's items.
enum TBoundaryCondition : std::uint8_t {
    bcRigidFreeSlip = 0,
    bcRigidNoSlip = 1,
    bcContinuativeOutflow = 2,
    bcPeriodic = 3,
    bcAppliedPressure = 4,
    bcSpecifiedFlow = 5,
};

// Entries of BoundaryConditions that the generation consults: entry 3 for X, entry 0 for Y.
inline constexpr std::size_t kBoundaryEntryX = 3;
inline constexpr std::size_t kBoundaryEntryY = 0;

// Most sub-zones one axis may have in a parameter block that is read; more can only come from a
// damaged file and would only exhaust memory.
inline constexpr std::int32_t kMaxSubZonesRead = 100000;

// The mesh parameters that a project stores: the domain's extents, both sub-zone lists, the porous
// friction model (0 none, 1 linear, 2 non-linear) and one boundary-condition code per side.
struct TMeshParameters {
    double Height = 0.0;
    double Width = 0.0;
    std::vector<TSubZone> SubZonesX;
    std::vector<TSubZone> SubZonesY;
    std::uint8_t PorousModel = 2;
    std::array<std::uint8_t, 4> BoundaryConditions{};

    bool PeriodicX() const { return BoundaryConditions[kBoundaryEntryX] == bcPeriodic; }
    bool PeriodicY() const { return BoundaryConditions[kBoundaryEntryY] == bcPeriodic; }

    // Writes the parameter block, one item per line: Height, Width, the X sub-zones, the Y
    // sub-zones, PorousModel and the four codes in entry order. A sub-zone list is its count
    // followed by five lines per sub-zone (Center, Division, NumDivL, NumDivR, MaxSep). Integers in
    // plain decimal, doubles in the default real text form.
    void WriteParameters(TextWriter& writer) const;

    // Reads a block written by WriteParameters, each item followed by the end of its line, into a
    // new set of parameters; the caller assigns it when the whole read succeeded, so a failure
    // leaves its own parameters as they were. Malformed numbers, the end of the source, a
    // sub-zone count outside 0..kMaxSubZonesRead and a porous model or code that does not fit a
    // byte raise EInOutError naming the source and the line. Nothing else is checked.
    static TMeshParameters ReadParameters(TextReader& reader);

    bool operator==(const TMeshParameters&) const = default;
};

}  // namespace nerim
