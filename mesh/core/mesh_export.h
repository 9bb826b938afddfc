#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "mesh/core/cell_matrices.h"

namespace nerim {

class TextWriter;

// Everything the model's mesh file holds.
struct TMeshExport {
    std::uint8_t PorousModel;  // 0 none, 1 linear friction, 2 non-linear friction
    const TPorousTypes& PorousTypes;
    const std::vector<float>& DivisionsX;
    const std::vector<float>& DivisionsY;  // world y, growing downwards from the top edge
    double Height;
    const TCellMatrices& Cells;
};

// Writes the mesh file: the porous model and the porous types (permeability, porosity, linear,
// non-linear and added-mass coefficients, D50 with four decimals), the X boundaries, the vertical
// boundaries measured upwards from the domain's bottom edge (Height − y from the last Y boundary
// to the first), and the six cell matrices in their text form. With more than one thread, the
// parts of the file are formatted on helper threads while the calling one writes them, in order;
// the bytes are the same whatever the thread count.
void WriteMeshFile(TextWriter& out, const TMeshExport& mesh, std::int32_t threads = 1);

// Writes the mesh file to `path`. The file is replaced only once it is complete: a failure
// part-way leaves any previous file of that name as it was. Failures raise EInOutError.
void ExportMeshFile(const std::filesystem::path& path, const TMeshExport& mesh, std::int32_t threads = 1);

}  // namespace nerim
