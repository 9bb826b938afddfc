#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "canvas/geometry/geometry_types.h"
#include "mesh/core/cell_matrices.h"

namespace nerim {

// What a domain object's material does to the cells it covers.
enum TMaterialKind : std::uint8_t {
    mkNone = 0,      // no material: the object changes nothing
    mkObstacle = 1,  // closes area and faces
    mkPorous = 2,    // gives its porous type to the cells it covers by more than half
    mkWater = 3,     // sets the water fraction of every cell
};

// One domain object as the classification sees it.
struct TClassifiedObject {
    TMaterialKind Kind = mkNone;
    TPorousParameters Porous{};  // the porous medium's parameters, for mkPorous
    // True when the world point lies inside the object.
    std::function<bool(const TPoint2D&)> ContainsPoint;
};

// Fills the cell matrices from the objects by sampling NX × NY points per cell (and NX or NY
// points on each face), and collects the porous types in object order.
//
// The matrices get the dimensions (NXd, NYd) of the boundary lists; rows run from the ghost row
// below the domain (r = 0, the last Y boundary) upwards. Obstacles accumulate on AC, AR (right
// face) and AT (top face), snapping values above 0.9999 to 1 and below 0.0001 to 0, and mark Noc;
// the last porous object covering more than half of a cell gives its Npc; every water object
// rewrites VOF of the whole mesh. A final pass closes the cells inside the mesh whose AC is
// below 0.2 together with their four faces.
//
// NX and NY must be at least 1, and with at least one object each axis needs at least two
// boundaries; otherwise EMeshError is raised before anything changes. Exceptions from a
// containment test pass through and leave the matrices partly filled.
void ClassifyCells(const std::vector<float>& divisionsX, const std::vector<float>& divisionsY,
                   const std::vector<TClassifiedObject>& objects, std::int32_t NX, std::int32_t NY,
                   TCellMatrices& cells, TPorousTypes& porousTypes);

}  // namespace nerim
