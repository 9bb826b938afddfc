// nerim-mesh over many projects, with survey imports, and where files cannot be written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "tests/app/mesh_reference.h"
#include "tests/app/mesher_run.h"

namespace nerim {
namespace {

using testing::ReadBytes;
using testing::RunMesher;
using testing::TempDir;
using testing::TRun;
using testing::WriteBytes;

const std::filesystem::path kGolden = std::filesystem::path(NERIM_TEST_DATA) / "golden";
const std::filesystem::path kBreakwater = testing::kSourceRoot / "examples" / "breakwater" / "breakwater.dat";

// Runs a shell command line in the directory, `nerim-mesh` standing for the program; returns its
// exit status, with what it printed on standard error in `err`.
int Shell(const TempDir& dir, const std::string& line, std::string& err) {
    const std::string mesher = "'" + std::string(NERIM_BIN_DIR) + "/nerim-mesh'";
    std::string command = line;
    for (std::size_t at = 0; (at = command.find("nerim-mesh", at)) != std::string::npos; at += mesher.size())
        command.replace(at, 10, mesher);
    const int status = std::system(("cd '" + dir.Path().string() + "' && (" + command + ") 2>err.txt").c_str());
    err = ReadBytes(dir / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::size_t Lines(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

// Three flumes in folders of their own: a, b (the breakwater) and c.
class ManyProjects : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "c"}) std::filesystem::create_directory(dir / name);
        std::filesystem::copy_file(kGolden / "project.dat", dir / "a" / "uno.dat");
        std::filesystem::copy_file(kBreakwater, dir / "b" / "dos.dat");
        std::filesystem::copy_file(kGolden / "project.dat", dir / "c" / "tres.dat");
    }
    TempDir dir;
};

TEST_F(ManyProjects, EachGetsItsOwnFileAsIfMeshedAloneAndALineInOrder) {
    for (const char* project : {"a/uno.dat", "b/dos.dat"}) {
        ASSERT_EQ(RunMesher(dir, std::string("-q -o alone.mes ") + project).Status, 0);
        std::filesystem::rename(dir / "alone.mes", dir / (std::string(project).substr(0, 1) + ".alone"));
    }
    for (const char* jobs : {"--jobs 1", "--jobs 2", "-j 3", ""}) {
        const TRun run = RunMesher(dir, std::string(jobs) + " a/uno.dat b/dos.dat c/tres.dat");
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        ASSERT_EQ(Lines(run.Out), 3u) << run.Out;
        EXPECT_EQ(run.Out.find("a/uno.dat: mesh of 4 × 2 cells"), 0u) << run.Out;
        EXPECT_NE(run.Out.find("\nb/dos.dat: mesh of 210 × 70 cells"), std::string::npos) << run.Out;
        EXPECT_NE(run.Out.find("\nc/tres.dat: mesh of 4 × 2 cells"), std::string::npos) << run.Out;
        EXPECT_EQ(ReadBytes(dir / "a" / "Mesh.mes"), ReadBytes(dir / "a.alone")) << jobs;
        EXPECT_EQ(ReadBytes(dir / "b" / "Mesh.mes"), ReadBytes(dir / "b.alone")) << jobs;
        EXPECT_EQ(ReadBytes(dir / "c" / "Mesh.mes"), ReadBytes(dir / "a.alone")) << jobs;
    }
}

TEST_F(ManyProjects, OutputDirGivesEachProjectAFolder) {
    const TRun run = RunMesher(dir, "-q --output-dir out/meshes a/uno.dat b/dos.dat c/tres.dat");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(ReadBytes(dir / "out/meshes/uno/Mesh.mes"), ReadBytes(kGolden / "Mesh.mes"));
    EXPECT_EQ(ReadBytes(dir / "out/meshes/tres/Mesh.mes"), ReadBytes(kGolden / "Mesh.mes"));
    EXPECT_TRUE(std::filesystem::exists(dir / "out/meshes/dos/Mesh.mes"));
    EXPECT_FALSE(std::filesystem::exists(dir / "a" / "Mesh.mes"));
}

TEST_F(ManyProjects, FailuresAreNamedTheOthersAreMeshedAndTheStatusIsOne) {
    WriteBytes(dir / "c" / "tres.dat", "10\r\n\x1A\r\n");
    const TRun run = RunMesher(dir, "--jobs 2 a/uno.dat b/dos.dat c/tres.dat missing/cuatro.dat");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(Lines(run.Out), 2u) << run.Out;
    EXPECT_TRUE(std::filesystem::exists(dir / "a" / "Mesh.mes"));
    EXPECT_TRUE(std::filesystem::exists(dir / "b" / "Mesh.mes"));
    EXPECT_FALSE(std::filesystem::exists(dir / "c" / "Mesh.mes"));
    ASSERT_EQ(Lines(run.Err), 3u) << run.Err;
    EXPECT_EQ(run.Err.find("nerim-mesh: c/tres.dat: Entrada numérica no válida (\"\\x1A\") en \"c/tres.dat\", "
                           "línea 2\n"),
              0u)
        << run.Err;
    EXPECT_NE(run.Err.find("\nnerim-mesh: missing/cuatro.dat: Error de entrada/salida: no se puede abrir"),
              std::string::npos)
        << run.Err;
    EXPECT_NE(run.Err.find("\nnerim-mesh: 2 of 4 projects failed: c/tres.dat, missing/cuatro.dat\n"),
              std::string::npos)
        << run.Err;
}

TEST_F(ManyProjects, ProfilesAndOutlinesAreAddedSavedAndMeshed) {
    // The golden domain is 4 × 2 in model units.
    WriteBytes(dir / "fondo.csv", "distancia;cota\r\n-1;0.25\r\n2;0.5\r\n6;0.75\r\n");
    WriteBytes(dir / "escollera.txt", "# capa de escollera\n1 0.5\n3 0.5\n2 1.2\n");
    const TRun run = RunMesher(dir, "--add-profile fondo.csv --add-outline escollera.txt:Poroso --save-project "
                                    "estudio/estudio.dat a/uno.dat");
    // The folder of the saved project must exist.
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("nerim-mesh: a/uno.dat: Error de entrada/salida: no se puede crear el archivo "
                           "\"estudio/estudio.dat\""),
              std::string::npos)
        << run.Err;
    std::filesystem::create_directory(dir / "estudio");
    const TRun saved = RunMesher(dir, "--add-profile fondo.csv --add-outline escollera.txt:Poroso --save-project "
                                      "estudio/estudio.dat a/uno.dat");
    EXPECT_EQ(saved.Status, 0) << saved.Err;
    EXPECT_EQ(saved.Out.find("a/uno.dat: El perfil de \"fondo.csv\" sale del dominio (0 ≤ X ≤ 4, 0 ≤ Y ≤ 2) y se ha "
                             "recortado a él\na/uno.dat: mesh of 4 × 2 cells, 5 objects, 2 porous types"),
              0u)
        << saved.Out;
    EXPECT_FALSE(std::filesystem::exists(dir / "a" / "Mesh.mes"));  // beside the saved project
    const std::string withImports = ReadBytes(dir / "estudio" / "Mesh.mes");
    ASSERT_FALSE(withImports.empty());
    EXPECT_NE(withImports, ReadBytes(kGolden / "Mesh.mes"));
    // The saved project meshes to the same file on its own, and holds the imports as objects.
    ASSERT_EQ(RunMesher(dir, "-q -o again.mes estudio/estudio.dat").Status, 0);
    EXPECT_EQ(ReadBytes(dir / "again.mes"), withImports);
    const std::string project = ReadBytes(dir / "estudio" / "estudio.dat");
    EXPECT_NE(project.find("\r\n5\r\n4 1\r\n"), std::string::npos);  // five objects, the golden ones first
    EXPECT_NE(project.find("TObstacleDef\r\nfondo\r\n"), std::string::npos);
    EXPECT_NE(project.find("TPorousMediumDef\r\nescollera\r\nescollera\r\n"), std::string::npos);

    // Every project of a run gets them, clipped to its own domain.
    const TRun many = RunMesher(dir, "-q --add-profile fondo.csv a/uno.dat b/dos.dat");
    EXPECT_EQ(many.Status, 0) << many.Err;

    WriteBytes(dir / "roto.csv", "0;1\r\n1;x\r\n");
    const TRun broken = RunMesher(dir, "--add-profile roto.csv a/uno.dat");
    EXPECT_EQ(broken.Status, 1);
    EXPECT_EQ(broken.Err, "nerim-mesh: Número no válido (\"x\") en \"roto.csv\", línea 2\n");
}

TEST_F(ManyProjects, UnwritableFilesLeaveTheOldOnesAndSaySo) {
    WriteBytes(dir / "b" / "Mesh.mes", "previous");
    // A disk that fills up: files may not grow beyond 64 KiB.
    std::string err;
    EXPECT_EQ(Shell(dir, "ulimit -f 64 && nerim-mesh -q b/dos.dat", err), 1);
    EXPECT_EQ(err.rfind("nerim-mesh: b/dos.dat: Error de entrada/salida: no se puede escribir en el archivo "
                        "\"b/Mesh.mes\" (File too large); el archivo que había queda como estaba\n",
                        0),
              0u)
        << err;
    EXPECT_EQ(ReadBytes(dir / "b" / "Mesh.mes"), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "b"), {}), 2);  // no temporary file left
    // The mesh file on standard output, without the summary line in it.
    EXPECT_EQ(Shell(dir, "nerim-mesh -o /dev/stdout a/uno.dat | cat > piped.mes", err), 0);
    EXPECT_EQ(err, "");
    EXPECT_EQ(ReadBytes(dir / "piped.mes"), ReadBytes(kGolden / "Mesh.mes"));
    // Standard output that cannot be written is a failure too.
    EXPECT_EQ(Shell(dir, "nerim-mesh a/uno.dat >/dev/full", err), 1);
    EXPECT_EQ(err, "nerim-mesh: no se puede escribir la salida (No space left on device)\n");

    // A device that is always full.
    const TRun full = RunMesher(dir, "-o /dev/full a/uno.dat");
    EXPECT_EQ(full.Status, 1);
    EXPECT_EQ(full.Err, "nerim-mesh: a/uno.dat: Error de entrada/salida: no se puede escribir en el archivo "
                        "\"/dev/full\" (No space left on device)\n");

    // A folder where nothing can be created.
    const TRun proc = RunMesher(dir, "-o /proc/Mesh.mes a/uno.dat");
    EXPECT_EQ(proc.Status, 1);
    EXPECT_EQ(proc.Err.rfind("nerim-mesh: a/uno.dat: Error de entrada/salida: no se puede crear el archivo "
                             "\"/proc/Mesh.mes\" (",
                             0),
              0u)
        << proc.Err;
    if (geteuid() != 0) {  // the owner of every file may write in any folder
        std::filesystem::permissions(dir / "b", std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        const TRun readOnly = RunMesher(dir, "b/dos.dat");
        std::filesystem::permissions(dir / "b", std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        EXPECT_EQ(readOnly.Status, 1);
        EXPECT_NE(readOnly.Err.find("(Permission denied); el archivo que había queda como estaba\n"),
                  std::string::npos)
            << readOnly.Err;
        EXPECT_EQ(ReadBytes(dir / "b" / "Mesh.mes"), "previous");
    }
}

}  // namespace
}  // namespace nerim
