#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "canvas/geometry/geometry_types.h"
#include "mesh/core/cell_matrices.h"

namespace nerim {

// A cell of the mesh under a world point.
struct TCellAt {
    // Column: the cell lies between X boundaries I − 1 and I; the first index of every matrix.
    std::int32_t I = 0;
    // The cell lies between Y boundaries J and J + 1 (world y grows downwards), so its top-right
    // corner is boundary point (I, J), where a picked cell (I, J) is marked.
    std::int32_t J = 0;
    // Row of the matrices: NYd − 1 − J, counted upwards from the ghost row below the domain.
    std::int32_t R = 0;
};

// The cell holding the world point P, found by binary search on the ascending boundaries: the
// one with x(I − 1) <= x < x(I) and y(J) <= y < y(J + 1), the last boundary of each axis counting
// as inside. Cells of size zero are never given. Nothing for a point outside the boundaries (and
// so for the ghost cells) or an axis with fewer than two boundaries.
std::optional<TCellAt> CellAt(const std::vector<float>& DivisionsX, const std::vector<float>& DivisionsY,
                              const TPoint2D& P);

// Every matrix's value at matrix element (I, R); a value is missing where the matrix does not
// reach (I, R), as after a regeneration without classification.
struct TCellValues {
    std::optional<double> AC;
    std::optional<double> AR;
    std::optional<double> AT;
    std::optional<double> VOF;
    std::optional<bool> Noc;
    std::optional<std::int32_t> Npc;
    std::optional<double> Results;
};

TCellValues CellValues(const TCellMatrices& Cells, const TDoubleArray& Results, std::int32_t I, std::int32_t R);

}  // namespace nerim
