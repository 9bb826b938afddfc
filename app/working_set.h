#pragma once

#include <vector>

#include "canvas/canvax.h"
#include "canvas/ce_layer.h"
#include "mesh/tamrix_mesh.h"
#include "objects/ce_nerim_object.h"

namespace nerim {

// The project's domain objects in file and classification order. The list owns them: an object
// leaves the drawing when it is removed from the list.
using TObjectList = std::vector<ElementHandle<TCENerimObject>>;

// The state a session works on, built as the main window builds it at start-up: a drawing with
// the layers "Malla" (holding the mesh) and "Objetos" (holding the domain objects), the mesh of
// 100 × 10 with one default sub-zone per axis, and no objects.
class TWorkingSet {
public:
    TWorkingSet();
    ~TWorkingSet();
    TWorkingSet(const TWorkingSet&) = delete;
    TWorkingSet& operator=(const TWorkingSet&) = delete;

    TCanvax& Canvax() { return canvax_; }
    TCELayer& MeshLayer() { return *meshLayer_; }
    TCELayer& ObjectsLayer() { return *objectsLayer_; }
    TCETamrixMesh& Mesh() { return *mesh_; }
    TObjectList& Objects() { return objects_; }
    // The objects as the classification takes them, in list order.
    std::vector<TCENerimObject*> ObjectPointers() const;

private:
    // Members are destroyed in reverse order: the objects, the mesh and the layers go before
    // the drawing that holds them.
    TCanvax canvax_;
    ElementHandle<TCELayer> meshLayer_;
    ElementHandle<TCELayer> objectsLayer_;
    ElementHandle<TCETamrixMesh> mesh_;
    TObjectList objects_;
};

// The default extents and sub-zones of a new mesh.
inline constexpr double kDefaultMeshWidth = 100.0;
inline constexpr double kDefaultMeshHeight = 10.0;
void AddDefaultSubZones(TCETamrixMesh& mesh);

}  // namespace nerim
