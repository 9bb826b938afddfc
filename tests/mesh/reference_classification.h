#pragma once

#include <cstdint>
#include <vector>

#include "mesh/core/cell_classification.h"

namespace nerim::testing {

// Classifies the cells as ClassifyCells does, by asking each object's ContainsPoint at every
// sample point (its Ring is ignored), one object after the other over the whole mesh, on the
// calling thread. Slow, and plain enough to be checked by eye: the results of ClassifyCells must
// equal its results bit for bit.
void ReferenceClassifyCells(const std::vector<float>& divisionsX, const std::vector<float>& divisionsY,
                            const std::vector<TClassifiedObject>& objects, std::int32_t NX, std::int32_t NY,
                            TCellMatrices& cells, TPorousTypes& porousTypes);

}  // namespace nerim::testing
