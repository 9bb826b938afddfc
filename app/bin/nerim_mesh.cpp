// nerim-mesh: turns project files into the model's mesh files, without a display. It needs no
// Qt library at all; a run that asks for a picture is handed over to nerim-mesh-picture, the same
// program with the drawing, which lies beside it.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/bin/mesher_main.h"
#include "support/exception.h"
#include "support/paths.h"
#include "support/process.h"
#include "support/readable_text.h"

namespace {

void HandOverPicture(char** argv) {
    const std::string program = nerim::JoinPath(nerim::ProgramDirectory(), "nerim-mesh-picture");
    std::fflush(nullptr);
    ::execv(program.c_str(), argv);
    throw nerim::EInOutError("--picture needs " + nerim::QuotedName(program) + ", which cannot be run (" +
                             std::strerror(errno) + ")");
}

}  // namespace

int main(int argc, char** argv) { return nerim::RunMesher(argc, argv, {HandOverPicture, {}}); }
