#include "objects/material_color.h"

#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"

namespace nerim {

TColor MaterialColor(const TNerimObjectDefinition& Definition) {
    if (dynamic_cast<const TObstacleDef*>(&Definition)) return clYellow;
    if (dynamic_cast<const TPorousMediumDef*>(&Definition)) return clRed;
    if (dynamic_cast<const TWaterDef*>(&Definition)) return clAqua;
    return clBlack;
}

}  // namespace nerim
