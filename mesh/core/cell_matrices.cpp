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

void TCellMatrices::Resize(TIntPair sizes) {
    AC.Resize(sizes);
    AR.Resize(sizes);
    AT.Resize(sizes);
    VOF.Resize(sizes);
    Noc.Resize(sizes);
    Npc.Resize(sizes);
}

void TCellMatrices::Reset(TIntPair sizes) {
    Resize(sizes);
    AC.Fill(1.0);
    AR.Fill(1.0);
    AT.Fill(1.0);
    VOF.Fill(0.0);
    Noc.Fill(false);
    Npc.Fill(1);
}

}  // namespace nerim
