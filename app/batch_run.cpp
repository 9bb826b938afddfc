#include "app/batch_run.h"

#include <chrono>

#include "app/project.h"
#include "app/working_set.h"

namespace nerim {

TBatchSummary RunBatch(TWorkingSet& Set, const std::filesystem::path& Project, const TBatchOptions& Options) {
    const auto start = std::chrono::steady_clock::now();
    TCETamrixMesh& mesh = Set.Mesh();
    LoadProject(Project, mesh, Set.Objects(), Set.Canvax(), Set.ObjectsLayer(), {});
    mesh.GenerateDivisions();
    mesh.ClassifyCells(Set.ObjectPointers(), Options.NX, Options.NY, Options.Progress);
    TBatchSummary summary;
    summary.Output = Options.Output.value_or(DefaultMeshFile(Project));
    mesh.ExportMesh(summary.Output);
    summary.CellsX = std::max(mesh.DivisionXCount() - 1, 0);
    summary.CellsY = std::max(mesh.DivisionYCount() - 1, 0);
    summary.Objects = Set.Objects().size();
    summary.PorousTypes = mesh.PorousTypes().size();
    summary.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return summary;
}

TBatchSummary RunBatch(const std::filesystem::path& Project, const TBatchOptions& Options) {
    TWorkingSet set;
    return RunBatch(set, Project, Options);
}

}  // namespace nerim
