// How the mesh sees the domain objects when it classifies its cells.
#include "mesh/tamrix_mesh.h"

#include "objects/ce_nerim_object.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"

namespace nerim {
namespace {

TClassifiedObject ClassifiedObject(const TCENerimObject& object) {
    TClassifiedObject classified;
    const TNerimObjectDefinition* definition = object.Definition();
    if (const auto* porous = dynamic_cast<const TPorousMediumDef*>(definition)) {
        classified.Kind = mkPorous;
        classified.Porous = porous->Parameters();
    } else if (dynamic_cast<const TObstacleDef*>(definition)) {
        classified.Kind = mkObstacle;
    } else if (dynamic_cast<const TWaterDef*>(definition)) {
        classified.Kind = mkWater;
    }
    classified.ContainsPoint = [&object](const TPoint2D& p) { return object.ContainsPoint(p); };
    return classified;
}

}  // namespace

void TCETamrixMesh::ClassifyCells(const std::vector<TCENerimObject*>& Objects, std::int32_t NX, std::int32_t NY) {
    std::vector<TClassifiedObject> classified;
    classified.reserve(Objects.size());
    for (const TCENerimObject* object : Objects) classified.push_back(ClassifiedObject(*object));
    ClassifyCells(classified, NX, NY);
}

}  // namespace nerim
