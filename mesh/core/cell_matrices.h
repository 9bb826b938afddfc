#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "support/typed_array.h"

namespace nerim {

// The six parameters of a porous medium in the order its definition stores them:
// linear friction coefficient, non-linear friction coefficient, added-mass coefficient, D50,
// permeability, porosity.
using TPorousParameters = std::array<double, 6>;

// The porous types found by the last classification; Npc value t + 1 refers to entry t
// (counting from 1).
using TPorousTypes = std::vector<TPorousParameters>;

// Most cells a mesh may have. The largest meshes of the model hold a few million cells; each cell
// takes about 45 bytes in memory and 30 in the mesh file, so a count beyond this can only come from
// mistyped or damaged sub-zones and is refused before the matrices are allocated.
inline constexpr std::int64_t kMaxMeshCells = 100000000;

// Raises EMeshError when a mesh of NXd × NYd cells would exceed kMaxMeshCells.
void CheckMeshCells(std::int64_t NXd, std::int64_t NYd);

// The per-cell matrices of the mesh, each of dimensions (NXd, NYd): first index i along X, second
// index r counting rows upwards from the domain's bottom edge, with a ghost column i = 0 and a
// ghost row r = 0.
struct TCellMatrices {
    TDoubleArray AC;    // open fraction of the cell's area
    TDoubleArray AR;    // open fraction of the cell's right face
    TDoubleArray AT;    // open fraction of the cell's top face
    TDoubleArray VOF;   // water fraction
    TBooleanArray Noc;  // an obstacle covers part of the cell
    TIntegerArray Npc;  // porous type: 1 none, k >= 2 the (k - 1)-th porous type

    // 1 × 1 matrices holding the values of an empty domain.
    TCellMatrices();

    // Sets every matrix to the given dimensions for a caller that writes every element: what the
    // elements hold until then is unspecified, and the storage is kept when it is large enough.
    void Reshape(TIntPair sizes);

    // Sets every matrix to the given dimensions and fills it with the values of an empty domain:
    // AC, AR, AT 1.0, VOF 0.0, Noc false, Npc 1.
    void Reset(TIntPair sizes);
};

}  // namespace nerim
