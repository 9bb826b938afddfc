// How the mesh sees the domain objects when it classifies its cells.
#include "mesh/tamrix_mesh.h"

#include "objects/ce_nerim_object.h"
#include "objects/ce_polyline.h"

namespace nerim {
namespace {

// A polygon hands over its outline, which lets the classification answer a whole line of samples
// at a time; any other object is asked point by point.
TClassifiedObject ClassifiedObject(const TCENerimObject& object) {
    const TMaterialKind kind = MaterialKindOf(object.Definition());
    const TPorousParameters porous = PorousParametersOf(object.Definition());
    if (const auto* polygon = dynamic_cast<const TCEPolyline*>(&object))
        return PolygonObject(kind, porous, polygon->Line());
    TClassifiedObject classified;
    classified.Kind = kind;
    classified.Porous = porous;
    classified.ContainsPoint = [&object](const TPoint2D& p) { return object.ContainsPoint(p); };
    return classified;
}

}  // namespace

void TCETamrixMesh::ClassifyCells(const std::vector<TCENerimObject*>& Objects, std::int32_t NX, std::int32_t NY,
                                  const TClassificationProgress& Progress) {
    std::vector<TClassifiedObject> classified;
    classified.reserve(Objects.size());
    for (const TCENerimObject* object : Objects) classified.push_back(ClassifiedObject(*object));
    ClassifyCells(classified, NX, NY, Progress);
}

}  // namespace nerim
