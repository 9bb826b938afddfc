#include "mesh/core/cell_matrices.h"

#include <string>

#include "mesh/core/mesh_error.h"

namespace nerim {

void CheckMeshCells(std::int64_t NXd, std::int64_t NYd) {
    const std::int64_t cells = NXd * NYd;
    if (cells > kMaxMeshCells)
        throw EMeshError("La malla tendría " + std::to_string(cells) + " celdas (" + std::to_string(NXd) + " × " +
                         std::to_string(NYd) + "); el máximo es " + std::to_string(kMaxMeshCells));
}

TCellMatrices::TCellMatrices() { Reset(MakeIntPair(1, 1)); }

void TCellMatrices::Reshape(TIntPair sizes) {
    AC.Reshape(sizes);
    AR.Reshape(sizes);
    AT.Reshape(sizes);
    VOF.Reshape(sizes);
    Noc.Reshape(sizes);
    Npc.Reshape(sizes);
}

void TCellMatrices::Reset(TIntPair sizes) {
    Reshape(sizes);
    AC.Fill(1.0);
    AR.Fill(1.0);
    AT.Fill(1.0);
    VOF.Fill(0.0);
    Noc.Fill(false);
    Npc.Fill(1);
}

}  // namespace nerim
