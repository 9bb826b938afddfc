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
    EXPECT_EQ(run.Out.rfind("project.dat: mesh of 4 × 2 cells, 3 objects, 1 porous types, in ", 0), 0u) << run.Out;
    EXPECT_NE(run.Out.find(" s; wrote " + (dir / "Mesh.mes").string() + "\n"), std::string::npos) << run.Out;
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
    EXPECT_EQ(missing.Err.rfind("nerim-mesh: nothing.dat: Error de entrada/salida: no se puede abrir el archivo "
                                "\"nothing.dat\" (",
                                0),
              0u)
        << missing.Err;
    testing::WriteBytes(dir / "bad.dat", "abc\r\n");
    const TRun bad = RunMesher(dir, "bad.dat");
    EXPECT_EQ(bad.Status, 1);
    EXPECT_EQ(bad.Err, "nerim-mesh: bad.dat: Entrada numérica no válida (\"abc\") en \"bad.dat\", línea 1\n");
}

TEST(NerimMeshCommand, DirectoriesEmptyBinaryAndUnreadableFilesGetOneReadableLine) {
    TempDir dir;
    std::filesystem::create_directory(dir / "carpeta.dat");
    testing::WriteBytes(dir / "vacio.dat", "");
    testing::WriteBytes(dir / "binario.dat", std::string("1\r\n\0\x01\x1A\xFF\x81 2\r\n", 12));
    const std::pair<const char*, const char*> cases[] = {
        {"carpeta.dat", "nerim-mesh: carpeta.dat: Error de entrada/salida: \"carpeta.dat\" es una carpeta, no un archivo\n"},
        {"vacio.dat", "nerim-mesh: vacio.dat: Error de entrada/salida: el archivo \"vacio.dat\" está vacío\n"},
        {"binario.dat", "nerim-mesh: binario.dat: Entrada numérica no válida (\"\\x00\\x01\\x1Aÿ\\x81\") en "
                        "\"binario.dat\", línea 2\n"},
        {"/proc/self/mem", "nerim-mesh: /proc/self/mem: Error de entrada/salida: no se puede leer el archivo "
                           "\"/proc/self/mem\" (Input/output error)\n"},
    };
    for (const auto& [project, message] : cases) {
        const TRun run = RunMesher(dir, std::string("-o m.mes ") + project);
        EXPECT_EQ(run.Status, 1) << project;
        EXPECT_EQ(run.Err, message);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "m.mes"));
}

TEST(NerimMeshCommand, WrongUsageExitsWithTwoAndOneLine) {
    TempDir dir;
    for (const char* arguments :
         {"", "--nx", "--nx 0 p.dat", "--nx 100 p.dat", "--ny abc p.dat", "--frobnicate p.dat", "-o", "--jobs 0 p.dat",
          "--jobs x p.dat", "--add-outline capa.txt p.dat", "--add-outline capa.txt:arena p.dat",
          "--add-outline :agua p.dat", "-o m.mes --output-dir out p.dat", "-o m.mes a/p.dat b/p.dat",
          "--save-project s.dat a/p.dat b/p.dat", "--quality a/p.dat b/p.dat", "a/p.dat a/q.dat",
          "--output-dir out a/p.dat b/p.dat", "-o p.dat p.dat"}) {
        const TRun run = RunMesher(dir, arguments);
        EXPECT_EQ(run.Status, 2) << arguments;
        EXPECT_EQ(run.Err.rfind("nerim-mesh: ", 0), 0u) << arguments;
        EXPECT_TRUE(run.Err.ends_with("; see nerim-mesh --help\n")) << arguments << ": " << run.Err;
        EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << arguments << ": " << run.Err;
        EXPECT_EQ(run.Out, "") << arguments;
    }
    EXPECT_EQ(RunMesher(dir, "a/p.dat a/q.dat").Err,
              "nerim-mesh: 'a/p.dat' and 'a/q.dat' would both write 'a/Mesh.mes': give --output-dir DIR; see "
              "nerim-mesh --help\n");
    EXPECT_EQ(RunMesher(dir, "--quality a/p.dat b/p.dat").Err,
              "nerim-mesh: --quality takes one project, and 2 are given; see nerim-mesh --help\n");
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
