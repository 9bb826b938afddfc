#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "objects/core/survey_import.h"

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

// A survey file the command line adds to the projects: --add-profile FILE or
// --add-outline FILE:MATERIAL.
struct TImportRequest {
    bool Profile = true;
    TSurveyMaterial Material = TSurveyMaterial::Obstacle;
    std::filesystem::path File;
};

// What the command line of nerim-mesh asks for.
struct TMeshCommand {
    std::vector<std::filesystem::path> Projects;
    std::int32_t NX = 10;
    std::int32_t NY = 10;
    std::optional<std::filesystem::path> Output;
    // DIR: each project's mesh file goes to DIR/NAME/Mesh.mes, NAME being the project's name
    // without its extension.
    std::optional<std::filesystem::path> OutputDir;
    // Projects meshed at a time; 0 for one per hardware thread.
    std::int32_t Jobs = 0;
    std::vector<TImportRequest> Imports;
    std::optional<std::filesystem::path> SaveProject;
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

// Most projects meshed at a time.
inline constexpr std::int32_t kMaxJobs = 1024;

// A command line that cannot be understood; the message says why, in one line.
struct TUsageError {
    std::string Message;
};

// Parses the arguments after the program name. Throws TUsageError.
TMeshCommand ParseMeshCommand(const std::vector<std::string>& Arguments);

// The text printed by --help.
std::string MeshUsage();

// The one line printed for a wrong command line: what was wrong, and where to look.
std::string UsageErrorLine(const TUsageError& Error);

}  // namespace nerim
