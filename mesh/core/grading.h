#pragma once

#include <cstdint>
#include <vector>

#include "mesh/core/sub_zone.h"

namespace nerim {

struct TMeshParameters;

// The mesh axis a list of divisions belongs to; it names the axis and the sides of its
// sub-zones in error messages.
enum TMeshAxis : std::uint8_t { maX = 0, maY = 1 };

// Most boundaries one axis may have. Legitimate meshes hold a few hundred; a count beyond this
// can only come from a mistyped or damaged sub-zone and is refused before anything is allocated.
inline constexpr std::int64_t kMaxAxisDivisions = 1000000;

// Appends to `target` the n boundaries of the cells between the centre c and the end point e:
// the cell that touches c has size d = min(L / n, m), with L = |c - e|, and each further cell grows
// by the same amount so that the n cells fill L exactly. The values come out in ascending order:
// from c + d up to e when e > c, from the value next to e up to c when e < c. Arithmetic is done in
// double precision and every value is rounded to single precision when appended.
// n <= 0 appends nothing. A centre on the end point (L = 0), or values that are not finite or do
// not fit a float, raise EFloatingPointError and leave `target` as it was.
void AddGradedDivisions(std::int32_t n, std::vector<float>& target, double c, double e, double m);

// How many cells the sides of the sub-zones ask for: the sum of their positive NumDivL and NumDivR.
std::int64_t RequestedCells(const std::vector<TSubZone>& subZones);

// The boundaries of one axis: 0.0, then both sides of every sub-zone (the left side ends at its
// Division, the right side at the next sub-zone's Division or at `extent` for the last one), sorted
// ascending with duplicates kept. When `periodic`, one more boundary repeats the first cell beyond
// the last one: last + (d[1] - d[0]) from the stored floats; an axis with a single boundary has no
// first cell to repeat and gets nothing more.
// A side whose centre lies on its end point raises EFloatingPointError naming the axis, the
// sub-zone (counted from 1) and the side; more than kMaxAxisDivisions boundaries raise EMeshError.
std::vector<float> GenerateAxisDivisions(const std::vector<TSubZone>& subZones, double extent, bool periodic,
                                         TMeshAxis axis);

// Rebuilds both division lists of a mesh: X over Width (periodic when BoundaryConditions[3] is 3),
// Y over Height (periodic when BoundaryConditions[0] is 3). Both lists are emptied first; when the
// generation of either axis fails both stay empty and the exception is passed on, so a mesh never
// keeps a partly generated or stale axis.
void GenerateDivisions(const TMeshParameters& parameters, std::vector<float>& divisionsX,
                       std::vector<float>& divisionsY);

// The boundary at `index` widened to double (EListIndexError when out of range).
double DivisionAt(const std::vector<float>& divisions, std::int32_t index);

}  // namespace nerim
