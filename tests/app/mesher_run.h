#pragma once

// Runs the command-line mesher as a separate program, as a script would.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/common/temp_dir.h"

namespace nerim::testing {

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Runs nerim-mesh in the directory with the arguments, with no display and no Qt platform set.
inline TRun RunMesher(const TempDir& dir, const std::string& arguments) {
    const std::string command = "cd '" + dir.Path().string() +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                std::string(NERIM_BIN_DIR) + "/nerim-mesh' " + arguments + " >out.txt 2>err.txt";
    TRun run;
    const int raw = std::system(command.c_str());
    run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.Out = ReadBytes(dir / "out.txt");
    run.Err = ReadBytes(dir / "err.txt");
    return run;
}

}  // namespace nerim::testing
