#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace nerim {

// What the command line of nerim-mesh asks for.
struct TMeshCommand {
    std::filesystem::path Project;
    std::int32_t NX = 10;
    std::int32_t NY = 10;
    std::optional<std::filesystem::path> Output;
    bool Quiet = false;
    bool Help = false;
    bool Version = false;
};

// A command line that cannot be understood; the message says why.
struct TUsageError {
    std::string Message;
};

// Parses the arguments after the program name. Throws TUsageError.
TMeshCommand ParseMeshCommand(const std::vector<std::string>& Arguments);

// The text printed by --help.
std::string MeshUsage();

}  // namespace nerim
