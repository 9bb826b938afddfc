#include "app/working_set.h"

namespace nerim {

void AddDefaultSubZones(TCETamrixMesh& mesh) {
    mesh.AddSubZoneX(5, 5, 0.0, 50.0, 1.0);
    mesh.AddSubZoneY(5, 5, 0.0, 5.0, 0.6);
}

TWorkingSet::TWorkingSet() {
    meshLayer_ = MakeElement<TCELayer>(canvax_, "Malla");
    meshLayer_->Show();
    objectsLayer_ = MakeElement<TCELayer>(canvax_, "Objetos");
    objectsLayer_->Show();
    mesh_ = MakeElement<TCETamrixMesh>(canvax_, *meshLayer_, kDefaultMeshWidth, kDefaultMeshHeight);
    AddDefaultSubZones(*mesh_);
}

TWorkingSet::~TWorkingSet() {
    // Last to first, as the window frees them.
    while (!objects_.empty()) objects_.pop_back();
}

std::vector<TCENerimObject*> TWorkingSet::ObjectPointers() const {
    std::vector<TCENerimObject*> pointers;
    pointers.reserve(objects_.size());
    for (const auto& object : objects_) pointers.push_back(object.get());
    return pointers;
}

}  // namespace nerim
