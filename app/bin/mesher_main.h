#pragma once

#include <functional>

#include "app/bin/command_line.h"

namespace nerim {

struct TMeshedProject;

// What a mesher program adds to the run that nerim-mesh and nerim-mesh-picture share.
struct TMesherHooks {
    // Called before anything else when the command asks for a picture: may hand the whole run
    // over to another program, and then does not return. Raises when it cannot.
    std::function<void(char** Argv)> HandOverPicture;
    // Draws the picture of the meshed project (after the mesh file and the other outputs).
    std::function<void(TMeshedProject& Meshed, const TMeshCommand& Command)> MakePicture;
};

// Runs the command line of nerim-mesh and returns the exit status: 0 when every project was
// meshed and every output made, 1 when one failed, 2 for a wrong command line.
int RunMesher(int argc, char** argv, const TMesherHooks& Hooks);

}  // namespace nerim
