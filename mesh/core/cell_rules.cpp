#include "mesh/core/cell_rules.h"

#include <string>

#include "mesh/core/cell_classification.h"
#include "mesh/core/cell_matrices.h"
#include "mesh/core/mesh_error.h"

namespace nerim {

void CheckClassificationArguments(const std::vector<float>& divisionsX, const std::vector<float>& divisionsY,
                                  const std::vector<TClassifiedObject>& objects, std::int32_t NX, std::int32_t NY) {
    if (NX < 1 || NY < 1)
        throw EMeshError("El número de muestras por celda (NX = " + std::to_string(NX) + ", NY = " + std::to_string(NY) +
                         ") debe ser al menos 1");
    if (!objects.empty() && (divisionsX.size() < 2 || divisionsY.size() < 2))
        throw EMeshError("No se pueden clasificar las celdas: la malla necesita al menos dos divisiones en X y dos en "
                         "Y (genere la malla primero)");
    CheckMeshCells(static_cast<std::int64_t>(divisionsX.size()), static_cast<std::int64_t>(divisionsY.size()));
}

}  // namespace nerim
