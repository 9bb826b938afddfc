#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace nerim {

// A picture of the meshed project as the main window shows it after "Ajustar vista".
struct TPictureRequest {
    std::filesystem::path File;
    int Width = 1600;
    int Height = 900;
    // The name of the matrix shown ("AC" … "Results"), empty for none.
    std::string Variable;
    // The picked cell, (0, 0) for none.
    std::int32_t PickI = 0;
    std::int32_t PickJ = 0;
};

// What the command line of nerim-mesh asks for.
struct TMeshCommand {
    std::filesystem::path Project;
    std::int32_t NX = 10;
    std::int32_t NY = 10;
    std::optional<std::filesystem::path> Output;
    bool Quiet = false;
    bool Help = false;
    bool Version = false;
    // A results file of the model to load after the classification.
    std::optional<std::filesystem::path> Results;
    // Print the quality summary of each axis; write the quality graph's points.
    bool Quality = false;
    std::optional<std::filesystem::path> QualityCsv;
    std::optional<TPictureRequest> Picture;
};

// The smallest and largest side of a picture, in pixels.
inline constexpr int kMinPictureSide = 16;
inline constexpr int kMaxPictureSide = 16384;

// A command line that cannot be understood; the message says why.
struct TUsageError {
    std::string Message;
};

// Parses the arguments after the program name. Throws TUsageError.
TMeshCommand ParseMeshCommand(const std::vector<std::string>& Arguments);

// The text printed by --help.
std::string MeshUsage();

}  // namespace nerim
