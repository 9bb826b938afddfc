#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/core/project_file.h"
#include "mesh/core/cell_classification.h"
#include "mesh/core/cell_matrices.h"
#include "objects/core/survey_import.h"

namespace nerim {

// Meshing a project from its file alone, on plain data and without a drawing: read the project,
// generate the divisions, classify the cells and write the mesh file, exactly as the window's
// batch run does on its working set.

// The mesh file that belongs to a project: "Mesh.mes" beside it (in the working directory when
// the project's name has no directory part).
std::filesystem::path DefaultMeshFile(const std::filesystem::path& Project);

// A survey file to add to projects as a domain object before they are meshed.
struct TObjectImport {
    // A seabed profile (an obstacle closed down to the bottom edge); otherwise a closed outline.
    bool Profile = true;
    TSurveyMaterial Material = TSurveyMaterial::Obstacle;
    std::filesystem::path File;
    std::vector<TPoint2D> Points;  // the file's points, model coordinates
};

// Reads the import's file (see point_file.h). Failures raise EInOutError naming the file.
TObjectImport ReadObjectImport(bool Profile, TSurveyMaterial Material, const std::filesystem::path& File);

// Appends the import to the project as a closed polygon of its material, named after the file
// and with the default values of its kind, made for the project's extents (a profile clipped to
// the domain). Returns the note on what was done to the data, empty when nothing was.
std::string AddImportedObject(TProjectData& Project, const TObjectImport& Import);

struct TMeshJob {
    std::filesystem::path Project;
    // Where the mesh file goes.
    std::filesystem::path Output;
    // Make the mesh file's folder when it is not there.
    bool MakeOutputFolder = false;
    // Objects added to the project, in this order, after its own.
    std::vector<const TObjectImport*> Imports;
    // Where the project is written once the imports are added, before it is meshed.
    std::optional<std::filesystem::path> SavedProject;
    std::int32_t NX = 10;  // samples per cell along X
    std::int32_t NY = 10;  // samples per cell along Y
    // Threads for the classification and for formatting the mesh file.
    std::int32_t Threads = 1;
};

struct TMeshSummary {
    std::filesystem::path Output;
    std::int32_t CellsX = 0;
    std::int32_t CellsY = 0;
    std::size_t Objects = 0;
    std::size_t PorousTypes = 0;
    double Seconds = 0.0;
    // What the imports said about their data.
    std::vector<std::string> Notes;
};

// What meshing a project leaves. A thread keeps one from project to project, so that the
// storage of the matrices is reused.
struct TMeshedProject {
    TProjectData Project;
    std::vector<float> DivisionsX;
    std::vector<float> DivisionsY;
    TCellMatrices Cells;
    TPorousTypes PorousTypes;
};

// Meshes the job's project into `Meshed` and writes its mesh file (and the project, when asked).
// Any failure raises and ends the job at that step; the previous mesh file is kept.
TMeshSummary MeshProject(const TMeshJob& Job, TMeshedProject& Meshed, const TClassificationProgress& Progress = {});

}  // namespace nerim
