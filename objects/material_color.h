#pragma once

#include "canvas/colors.h"

namespace nerim {

class TNerimObjectDefinition;

// The colour an object is drawn in, by its material: obstacles yellow, porous media red, water
// aqua; any other material black.
TColor MaterialColor(const TNerimObjectDefinition& Definition);

}  // namespace nerim
