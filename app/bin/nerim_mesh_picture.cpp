// nerim-mesh-picture: nerim-mesh with the picture of the mesh (--picture), which needs QtGui;
// nerim-mesh hands such runs over to it.
#include <utility>

#include "app/bin/mesh_picture.h"
#include "app/bin/mesher_main.h"
#include "app/core/project_mesher.h"
#include "app/project.h"
#include "app/working_set.h"

namespace {

// The picture is drawn from the window's working set, built from the meshed project as the
// window would open, generate and classify it.
void MakePicture(nerim::TMeshedProject& meshed, const nerim::TMeshCommand& command) {
    using namespace nerim;
    TWorkingSet set;
    ApplyProject(std::move(meshed.Project), set.Mesh(), set.Objects(), set.Canvax(), set.ObjectsLayer(), {});
    TCETamrixMesh& mesh = set.Mesh();
    mesh.GenerateDivisions();
    mesh.ClassifyCells(set.ObjectPointers(), command.NX, command.NY);
    if (command.Results) mesh.LoadResults(*command.Results);
    WriteMeshPicture(set, *command.Picture);
}

}  // namespace

int main(int argc, char** argv) { return nerim::RunMesher(argc, argv, {{}, MakePicture}); }
