#include "mesh/core/cell_matrices.h"

namespace nerim {

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
