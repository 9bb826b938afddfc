// nerim: the window program. With a project file as its argument it meshes the project without
// questions and ends, as nerim-mesh does.
#include "app/windows/nerim_program.h"

int main(int argc, char** argv) {
    nerim::TNerimRunOptions options;
    options.Version = NERIM_VERSION;
    return nerim::RunNerim(argc, argv, options);
}
