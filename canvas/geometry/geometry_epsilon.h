#pragma once

namespace nerim {

// Absolute tolerance of the geometric comparisons.
inline constexpr double GeometryEpsilon = 1e-8;

}  // namespace nerim
