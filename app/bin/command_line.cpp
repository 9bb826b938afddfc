#include "app/bin/command_line.h"

#include "support/number_format.h"

namespace nerim {
namespace {

constexpr std::int32_t kMaxSamples = 99;

std::int32_t SampleCount(const std::string& option, const std::string& value) {
    const auto n = ParseInteger(value);
    if (!n || *n < 1 || *n > kMaxSamples)
        throw TUsageError{option + " takes a whole number from 1 to " + std::to_string(kMaxSamples) + ", not '" +
                          value + "'"};
    return *n;
}

}  // namespace

std::string MeshUsage() {
    return "Usage: nerim-mesh [options] PROJECT.DAT\n"
           "\n"
           "Loads a Nerim project, generates the mesh, classifies every cell by the project's\n"
           "objects and writes the model's mesh file (Mesh.mes beside the project by default).\n"
           "\n"
           "Options:\n"
           "  --nx N       samples per cell along X (1 to 99, default 10)\n"
           "  --ny N       samples per cell along Y (1 to 99, default 10)\n"
           "  -o FILE      write the mesh file to FILE\n"
           "  --quiet      print nothing but errors\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n"
           "\n"
           "Exit status: 0 on success, 1 when the project cannot be meshed, 2 for a wrong command line.\n";
}

TMeshCommand ParseMeshCommand(const std::vector<std::string>& Arguments) {
    TMeshCommand command;
    bool haveProject = false;
    for (std::size_t k = 0; k < Arguments.size(); ++k) {
        const std::string& arg = Arguments[k];
        auto value = [&]() -> const std::string& {
            if (k + 1 >= Arguments.size()) throw TUsageError{arg + " needs a value"};
            return Arguments[++k];
        };
        if (arg == "--help" || arg == "-h") {
            command.Help = true;
        } else if (arg == "--version") {
            command.Version = true;
        } else if (arg == "--quiet" || arg == "-q") {
            command.Quiet = true;
        } else if (arg == "--nx") {
            command.NX = SampleCount(arg, value());
        } else if (arg == "--ny") {
            command.NY = SampleCount(arg, value());
        } else if (arg == "-o" || arg == "--output") {
            command.Output = value();
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw TUsageError{"unknown option '" + arg + "'"};
        } else if (haveProject) {
            throw TUsageError{"only one project file can be meshed at a time"};
        } else {
            command.Project = arg;
            haveProject = true;
        }
    }
    if (!haveProject && !command.Help && !command.Version) throw TUsageError{"no project file given"};
    return command;
}

}  // namespace nerim
