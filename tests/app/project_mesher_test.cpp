#include "app/core/project_mesher.h"

#include <gtest/gtest.h>

#include "app/batch_run.h"
#include "app/core/mesh_queue.h"
#include "app/project.h"
#include "app/working_set.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "support/exception.h"
#include "tests/app/mesh_reference.h"
#include "tests/common/geometry_printers.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::filesystem::path kGolden = std::filesystem::path(NERIM_TEST_DATA) / "golden";

TMeshJob Job(const std::filesystem::path& project, const std::filesystem::path& output, std::int32_t threads = 2) {
    TMeshJob job;
    job.Project = project;
    job.Output = output;
    job.Threads = threads;
    return job;
}

TEST(ProjectMesher, WritesTheSameMeshFilesAsBefore) {
    TempDir dir;
    TMeshedProject meshed;  // reused from project to project, as a thread of a run does
    for (const testing::TReferenceMesh& reference : testing::ReferenceMeshes()) {
        const TMeshSummary summary = MeshProject(Job(reference.Project, dir / "Mesh.mes"), meshed);
        const std::string bytes = ReadBytes(dir / "Mesh.mes");
        EXPECT_EQ(bytes.size(), reference.Size) << reference.Project;
        EXPECT_EQ(testing::HashBytes(bytes), reference.Hash) << reference.Project;
        EXPECT_EQ(summary.Output, dir / "Mesh.mes");
    }
    ASSERT_EQ(testing::ReferenceMeshes().size(), 3u);
}

TEST(ProjectMesher, SameFileAsTheWindowsBatchRun) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    const TBatchSummary batch = RunBatch(dir / "project.dat");
    TMeshedProject meshed;
    TMeshJob job = Job(dir / "project.dat", dir / "plain.mes", 1);
    const TMeshSummary summary = MeshProject(job, meshed);
    EXPECT_EQ(ReadBytes(dir / "plain.mes"), ReadBytes(batch.Output));
    EXPECT_EQ(ReadBytes(dir / "plain.mes"), ReadBytes(kGolden / "Mesh.mes"));
    EXPECT_EQ(summary.CellsX, 4);
    EXPECT_EQ(summary.CellsY, 2);
    EXPECT_EQ(summary.Objects, 3u);
    EXPECT_EQ(summary.PorousTypes, 1u);
    // Other sample counts too.
    job.NX = 3;
    job.NY = 7;
    MeshProject(job, meshed);
    TBatchOptions options;
    options.NX = 3;
    options.NY = 7;
    RunBatch(dir / "project.dat", options);
    EXPECT_EQ(ReadBytes(dir / "plain.mes"), ReadBytes(dir / "Mesh.mes"));
}

TEST(ProjectMesher, ImportsAreAddedSavedAndMeshed) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    // The golden domain is 4 × 2: the profile crosses its right edge.
    WriteBytes(dir / "fondo.csv", "X;Y\r\n0;0.5\r\n2;0.75\r\n6;1.25\r\n");
    WriteBytes(dir / "capa.txt", "1 0.2\n3 0.2\n2 0.6\n");
    const TObjectImport profile = ReadObjectImport(true, TSurveyMaterial::Water, dir / "fondo.csv");
    const TObjectImport outline = ReadObjectImport(false, TSurveyMaterial::Porous, dir / "capa.txt");
    EXPECT_EQ(profile.Material, TSurveyMaterial::Obstacle);  // a profile is always an obstacle
    ASSERT_EQ(profile.Points.size(), 3u);

    TMeshJob job = Job(dir / "project.dat", dir / "out" / "Mesh.mes");
    job.MakeOutputFolder = true;
    job.Imports = {&profile, &outline};
    job.SavedProject = dir / "study.dat";
    TMeshedProject meshed;
    const TMeshSummary summary = MeshProject(job, meshed);
    EXPECT_EQ(summary.Objects, 5u);
    EXPECT_EQ(summary.PorousTypes, 2u);
    ASSERT_EQ(summary.Notes.size(), 1u);
    EXPECT_NE(summary.Notes[0].find("se ha recortado"), std::string::npos);

    const TProjectData saved = ReadProjectFile(dir / "study.dat");
    ASSERT_EQ(saved.Objects.size(), 5u);
    EXPECT_EQ(saved.Objects[3].Definition->Name, "fondo");
    EXPECT_NE(dynamic_cast<const TObstacleDef*>(saved.Objects[3].Definition.get()), nullptr);
    EXPECT_EQ(saved.Objects[3].Vertices,
              (std::vector<TPoint2D>{{0, 1.5}, {2, 1.25}, {4, 1}, {4, 2}, {0, 2}}));  // world y = 2 − Y
    EXPECT_EQ(saved.Objects[4].Definition->Name, "capa");
    EXPECT_NE(dynamic_cast<const TPorousMediumDef*>(saved.Objects[4].Definition.get()), nullptr);

    // The saved project meshed alone, and in the window, gives the same file.
    MeshProject(Job(dir / "study.dat", dir / "again.mes"), meshed);
    EXPECT_EQ(ReadBytes(dir / "again.mes"), ReadBytes(dir / "out" / "Mesh.mes"));
    EXPECT_EQ(ReadBytes(RunBatch(dir / "study.dat").Output), ReadBytes(dir / "again.mes"));
}

TEST(ProjectMesher, AProfileImportedInTheWindowMeshesAsOnTheCommandLine) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    WriteBytes(dir / "fondo.txt", "0 0.5\n2 0.75\n5 1\n");
    const TObjectImport profile = ReadObjectImport(true, TSurveyMaterial::Obstacle, dir / "fondo.txt");
    TMeshJob job = Job(dir / "project.dat", dir / "plain.mes");
    job.Imports = {&profile};
    TMeshedProject meshed;
    MeshProject(job, meshed);

    // What the window does: open, import, generate, export.
    TWorkingSet set;
    LoadProject(dir / "project.dat", set.Mesh(), set.Objects(), set.Canvax(), set.ObjectsLayer(), {});
    TImportedObject imported = ImportProfile(dir / "fondo.txt", set.Mesh().Width(), set.Mesh().Height());
    EXPECT_TRUE(imported.Polygon.Clipped);
    TCEPolyline& polygon = AddProjectObject({imported.Polygon.Vertices, true, std::move(imported.Definition)},
                                            set.Objects(), set.Canvax(), set.ObjectsLayer(), {});
    ASSERT_EQ(set.Objects().size(), 4u);
    EXPECT_EQ(set.Objects().back().get(), &polygon);
    EXPECT_EQ(polygon.Parent(), &set.ObjectsLayer());
    EXPECT_EQ(polygon.Line().Count(), 5);
    set.Mesh().GenerateDivisions();
    set.Mesh().ClassifyCells(set.ObjectPointers(), 10, 10);
    set.Mesh().ExportMesh(dir / "window.mes");
    EXPECT_EQ(ReadBytes(dir / "window.mes"), ReadBytes(dir / "plain.mes"));
    // Saved as the window saves, the project holds the profile unchanged in format.
    SaveProject(dir / "saved.dat", set.Mesh(), set.Objects());
    TMeshJob saved = Job(dir / "saved.dat", dir / "saved.mes");
    MeshProject(saved, meshed);
    EXPECT_EQ(ReadBytes(dir / "saved.mes"), ReadBytes(dir / "plain.mes"));
    EXPECT_NE(ReadBytes(dir / "window.mes"), ReadBytes(kGolden / "Mesh.mes"));
}

TEST(ProjectMesher, FailuresKeepThePreviousMeshFile) {
    TempDir dir;
    WriteBytes(dir / "Mesh.mes", "previous");
    WriteBytes(dir / "empty.dat", "");
    std::filesystem::create_directory(dir / "folder.dat");
    TMeshedProject meshed;
    auto error = [&](const std::filesystem::path& project) -> std::string {
        try {
            MeshProject(Job(project, dir / "Mesh.mes"), meshed);
        } catch (const EInOutError& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(error(dir / "empty.dat"), "Error de entrada/salida: el archivo \"" + (dir / "empty.dat").string() +
                                            "\" está vacío");
    EXPECT_EQ(error(dir / "folder.dat"), "Error de entrada/salida: \"" + (dir / "folder.dat").string() +
                                             "\" es una carpeta, no un archivo");
    EXPECT_NE(error(dir / "none.dat").find("no se puede abrir"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), "previous");
}

TEST(MeshQueue, EveryJobIsReportedInOrderWithItsOwnOutcome) {
    TempDir dir;
    std::vector<TMeshJob> jobs;
    for (int k = 0; k < 7; ++k) {
        const auto folder = dir / ("p" + std::to_string(k));
        std::filesystem::create_directory(folder);
        if (k == 2 || k == 5)
            WriteBytes(folder / "p.dat", "basura\r\n");
        else
            std::filesystem::copy_file(kGolden / "project.dat", folder / "p.dat");
        jobs.push_back(Job(folder / "p.dat", folder / "Mesh.mes", 1));
    }
    for (std::int32_t parallel : {1, 3, 20}) {
        std::vector<std::size_t> order;
        RunMeshJobs(jobs, parallel, [&](std::size_t k, const TJobOutcome& outcome) {
            order.push_back(k);
            EXPECT_EQ(outcome.Succeeded, k != 2 && k != 5) << k;
            if (outcome.Succeeded) {
                EXPECT_EQ(outcome.Summary.Objects, 3u);
                EXPECT_EQ(ReadBytes(jobs[k].Output), ReadBytes(kGolden / "Mesh.mes")) << k;
            } else {
                EXPECT_NE(outcome.Error.find("\"basura\""), std::string::npos) << outcome.Error;
                EXPECT_NE(outcome.Error.find(jobs[k].Project.string() + "\", línea 1"), std::string::npos)
                    << outcome.Error;
            }
        });
        EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6})) << parallel;
    }
    RunMeshJobs({}, 4, [](std::size_t, const TJobOutcome&) { FAIL() << "no job, no report"; });
}

}  // namespace
}  // namespace nerim
