#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "canvas/geometry/geometry_types.h"
#include "mesh/core/cell_matrices.h"

namespace nerim {

class TNerimObjectDefinition;
class TPLPolyLine;

// What a domain object's material does to the cells it covers.
enum TMaterialKind : std::uint8_t {
    mkNone = 0,      // no material: the object changes nothing
    mkObstacle = 1,  // closes area and faces
    mkPorous = 2,    // gives its porous type to the cells it covers by more than half
    mkWater = 3,     // sets the water fraction of every cell
};

// The outline of a polygon as its containment test sees it.
struct TPolygonRing {
    // The vertices in order; the last one connects back to the first.
    std::vector<TPoint2D> Points;
    // The box the containment test rejects points outside of, as (MinX, MinY, MaxX, MaxY). It is
    // the box the vertex list keeps, which need not be the exact box of Points.
    TRect2D Bounds;
};

// One domain object as the classification sees it.
struct TClassifiedObject {
    TMaterialKind Kind = mkNone;
    TPorousParameters Porous{};  // the porous medium's parameters, for mkPorous
    // True when the world point lies inside the object. The classification may call it from
    // several threads at once, so it must not change shared state.
    std::function<bool(const TPoint2D&)> ContainsPoint;
    // Set for a polygon whose containment test is "nothing inside with fewer than 3 vertices;
    // otherwise false outside Bounds and the crossing-number test of RingContainsPoint inside
    // it" (the test of TPLPolyLine). The classification then answers from the ring a whole line
    // of sample points at a time, with exactly the same results, and never calls ContainsPoint.
    std::optional<TPolygonRing> Ring;
};

// A polygon object over a vertex list: its containment test is false with fewer than 3 vertices
// and the list's own test otherwise, and its ring is a copy of the vertices and the list's box.
// The object refers to the list, which must outlive it and stay unchanged while it is used.
TClassifiedObject PolygonObject(TMaterialKind kind, const TPorousParameters& porous, const TPLPolyLine& line);

// What a material does to the cells, by its class; mkNone for no material.
TMaterialKind MaterialKindOf(const TNerimObjectDefinition* definition);
// The porous parameters of a porous medium, zero for any other material.
TPorousParameters PorousParametersOf(const TNerimObjectDefinition* definition);

// Told, on the calling thread, the share of the rows classified so far (0 to 1).
using TClassificationProgress = std::function<void(double)>;

// The threads ClassifyCells uses unless told otherwise: one per processor the process may run on
// (a batch system or taskset may give it fewer than the machine has), at least one.
std::int32_t DefaultClassificationThreads();

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
// The rows are shared out among `threadCount` threads (at least one; the calling thread is one
// of them); the results do not depend on how many there are. `progress`, when given, is told
// from time to time how far the classification has come.
//
// NX and NY must be at least 1, and with at least one object each axis needs at least two
// boundaries; otherwise EMeshError is raised before anything changes. Exceptions from a
// containment test pass through (the first one when several threads fail), after every thread
// has stopped, and leave the matrices partly filled.
void ClassifyCells(const std::vector<float>& divisionsX, const std::vector<float>& divisionsY,
                   const std::vector<TClassifiedObject>& objects, std::int32_t NX, std::int32_t NY,
                   TCellMatrices& cells, TPorousTypes& porousTypes,
                   std::int32_t threadCount = DefaultClassificationThreads(),
                   const TClassificationProgress& progress = {});

}  // namespace nerim
