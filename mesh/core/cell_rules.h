#pragma once

#include <cstdint>
#include <vector>

namespace nerim {

struct TClassifiedObject;

// The rules every way of classifying the cells shares.

// Above this an open fraction counts as fully open, below kClosedSnap as fully closed.
inline constexpr double kOpenSnap = 0.9999;
inline constexpr double kClosedSnap = 0.0001;
// Cells inside the mesh with less open area than this are closed together with their faces.
inline constexpr double kClosingThreshold = 0.2;

// An open fraction after a subtraction: snapped to 1 above kOpenSnap, then to 0 below kClosedSnap.
inline double SnapOpenFraction(double value) {
    if (value > kOpenSnap) value = 1.0;
    if (value < kClosedSnap) value = 0.0;
    return value;
}

// Raises EMeshError unless NX and NY are at least 1, when there are objects each axis has at
// least two boundaries, and the cells are no more than kMaxMeshCells.
void CheckClassificationArguments(const std::vector<float>& divisionsX, const std::vector<float>& divisionsY,
                                  const std::vector<TClassifiedObject>& objects, std::int32_t NX, std::int32_t NY);

}  // namespace nerim
