#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/core/project_mesher.h"  // DefaultMeshFile, TMeshSummary

namespace nerim {

class TWorkingSet;

struct TBatchOptions {
    std::int32_t NX = 10;  // samples per cell along X
    std::int32_t NY = 10;  // samples per cell along Y
    // Where the mesh file goes; by default "Mesh.mes" in the project file's directory.
    std::optional<std::filesystem::path> Output;
    // Told the share of the classification done so far (0 to 1), from time to time.
    std::function<void(double)> Progress;
};

// What a run made: the same summary as meshing a project from its file gives.
using TBatchSummary = TMeshSummary;

// Turns a project into its mesh file without interaction, on the given working set: loads the
// project, generates the divisions, classifies the cells and writes the mesh file. Any failure
// raises and ends the run at that step; the previous mesh file is kept.
TBatchSummary RunBatch(TWorkingSet& Set, const std::filesystem::path& Project, const TBatchOptions& Options = {});

// The same on a fresh working set, built as the main window builds it at start-up.
TBatchSummary RunBatch(const std::filesystem::path& Project, const TBatchOptions& Options = {});

}  // namespace nerim
