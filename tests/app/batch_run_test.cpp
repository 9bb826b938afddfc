#include "app/batch_run.h"

#include <gtest/gtest.h>

#include "app/project.h"
#include "app/working_set.h"
#include "support/exception.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::filesystem::path kGolden = std::filesystem::path(NERIM_TEST_DATA) / "golden";

TEST(BatchRun, SmallProjectGivesTheHandWrittenMeshFile) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    const TBatchSummary summary = RunBatch(dir / "project.dat");
    EXPECT_EQ(summary.Output, dir / "Mesh.mes");
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), ReadBytes(kGolden / "Mesh.mes"));
    EXPECT_EQ(summary.CellsX, 4);
    EXPECT_EQ(summary.CellsY, 2);
    EXPECT_EQ(summary.Objects, 3u);
    EXPECT_EQ(summary.PorousTypes, 1u);
}

TEST(BatchRun, ProjectWithoutObjectsGivesAnEmptyDomain) {
    TempDir dir;
    {
        TWorkingSet set;
        SaveProject(dir / "empty.dat", set.Mesh(), set.Objects());
    }
    RunBatch(dir / "empty.dat");
    const std::string mesh = ReadBytes(dir / "Mesh.mes");
    EXPECT_EQ(mesh.find("* Porous types\r\n2\r\n0\r\n* X divisions\r\n11\r\n"), 0u);
    EXPECT_NE(mesh.find("* Y Divisions\r\n11\r\n 0.00000000000000E+0000\r\n"), std::string::npos);
    auto block = [](const char* tag, const char* value) {
        std::string text = std::string("ASC\r\nDimensions\r\n2\r\nSizes\r\n11\r\n11\r\nType\r\n") + tag + "\r\nData\r\n";
        for (int k = 0; k < 121; ++k) text += std::string(value) + "\r\n";
        return text;
    };
    const std::string matrices = "* Matrices\r\n" + block("R8", "1.00") + block("R8", "1.00") + block("R8", "1.00") +
                                 block("R8", "0.00") + block("B1", "0") + block("I4", "1");
    ASSERT_GE(mesh.size(), matrices.size());
    EXPECT_EQ(mesh.substr(mesh.size() - matrices.size()), matrices);
}

TEST(BatchRun, SameResultAsTheInteractiveChain) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    {
        TWorkingSet set;
        LoadProject(dir / "project.dat", set.Mesh(), set.Objects(), set.Canvax(), set.ObjectsLayer(), {});
        set.Mesh().GenerateDivisions();
        set.Mesh().ClassifyCells(set.ObjectPointers(), 10, 10);
        set.Mesh().ExportMesh(dir / "interactive.mes");
    }
    RunBatch(dir / "project.dat");
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), ReadBytes(dir / "interactive.mes"));
}

TEST(BatchRun, OutputAndSampleCountsCanBeChosen) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    TBatchOptions options;
    options.NX = 3;
    options.NY = 7;
    options.Output = dir / "other.mes";
    RunBatch(dir / "project.dat", options);
    EXPECT_FALSE(std::filesystem::exists(dir / "Mesh.mes"));
    EXPECT_EQ(ReadBytes(dir / "other.mes").substr(0, 60), ReadBytes(kGolden / "Mesh.mes").substr(0, 60));
}

TEST(BatchRun, MissingProjectFailsAndKeepsThePreviousMeshFile) {
    TempDir dir;
    WriteBytes(dir / "Mesh.mes", "previous");
    EXPECT_THROW(RunBatch(dir / "nothing.dat"), EInOutError);
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), "previous");
}

TEST(BatchRun, MeshFileGoesBesideTheProject) {
    EXPECT_EQ(DefaultMeshFile("/data/flume/run1.dat"), std::filesystem::path("/data/flume/Mesh.mes"));
    EXPECT_EQ(DefaultMeshFile("run1.dat"), std::filesystem::path("Mesh.mes"));
}

}  // namespace
}  // namespace nerim
