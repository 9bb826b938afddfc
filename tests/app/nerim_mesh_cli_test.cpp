// The command-line mesher, run as a separate program without a display.
#include <gtest/gtest.h>

#include <string>

#include "tests/app/mesher_run.h"

namespace nerim {
namespace {

using testing::ReadBytes;
using testing::RunMesher;
using testing::TempDir;
using testing::TRun;

const std::filesystem::path kGolden = std::filesystem::path(NERIM_TEST_DATA) / "golden";

TEST(NerimMeshCommand, MeshesAProjectWithoutADisplay) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    const TRun run = RunMesher(dir, "project.dat");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), ReadBytes(kGolden / "Mesh.mes"));
    EXPECT_NE(run.Out.find("4 × 2 cells, 3 objects, 1 porous types"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Mesh.mes"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Err, "");  // not a terminal: no progress bar
}

TEST(NerimMeshCommand, OptionsChooseOutputSamplesAndSilence) {
    TempDir dir;
    std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat");
    const TRun run = RunMesher(dir, "--nx 4 --ny 4 -o result.mes --quiet project.dat");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(std::filesystem::exists(dir / "result.mes"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Mesh.mes"));
    EXPECT_EQ(run.Out, "");
}

TEST(NerimMeshCommand, FailuresExitWithOneAndSayWhy) {
    TempDir dir;
    const TRun missing = RunMesher(dir, "nothing.dat");
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("nothing.dat"), std::string::npos) << missing.Err;
    testing::WriteBytes(dir / "bad.dat", "abc\r\n");
    const TRun bad = RunMesher(dir, "bad.dat");
    EXPECT_EQ(bad.Status, 1);
    EXPECT_NE(bad.Err.find("línea 1"), std::string::npos) << bad.Err;
}

TEST(NerimMeshCommand, WrongUsageExitsWithTwo) {
    TempDir dir;
    for (const char* arguments : {"", "--nx", "--nx 0 p.dat", "--nx 100 p.dat", "--ny abc p.dat", "--frobnicate p.dat",
                                  "a.dat b.dat", "-o"}) {
        const TRun run = RunMesher(dir, arguments);
        EXPECT_EQ(run.Status, 2) << arguments;
        EXPECT_NE(run.Err.find("Usage: nerim-mesh"), std::string::npos) << arguments;
    }
}

TEST(NerimMeshCommand, HelpAndVersion) {
    TempDir dir;
    const TRun help = RunMesher(dir, "--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("Usage: nerim-mesh"), std::string::npos);
    const TRun version = RunMesher(dir, "--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out.rfind("nerim-mesh ", 0), 0u);
}

}  // namespace
}  // namespace nerim
