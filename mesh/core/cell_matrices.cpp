#include "mesh/core/cell_matrices.h"

namespace nerim {

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
