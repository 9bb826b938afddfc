// The window program run as a separate process: the batch run with and without a display, the
// command line, and the window on a real X server under xvfb-run.
#include <sys/wait.h>

#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "tests/common/temp_dir.h"
#include "tests/windows/damaged_projects.h"

namespace nerim {
namespace {

using testing::ReadBytes;
using testing::TempDir;

const std::filesystem::path kSource = std::filesystem::path(NERIM_TEST_DATA) / ".." / ".." / "..";
const std::filesystem::path kGolden = kSource / "tests" / "app" / "data" / "golden";

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

enum class TDisplay { None, Offscreen, Xvfb };

// Runs nerim in the directory; the environment names no display unless asked, and the settings
// and runtime folders are the directory's own. A run that hangs is ended after two minutes.
TRun RunNerim(const TempDir& dir, TDisplay display, const std::string& arguments) {
    std::filesystem::create_directories(dir / "runtime");
    std::filesystem::permissions(dir / "runtime", std::filesystem::perms::owner_all);
    std::string command = "cd '" + dir.Path().string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                          "XDG_CONFIG_HOME='" + (dir / "config").string() + "' XDG_RUNTIME_DIR='" +
                          (dir / "runtime").string() + "' ";
    if (display == TDisplay::Offscreen) command += "QT_QPA_PLATFORM=offscreen ";
    command += "timeout 120 ";
    if (display == TDisplay::Xvfb) command += "xvfb-run -a -s '-screen 0 1280x800x24' ";
    command += "'" + std::string(NERIM_BIN_DIR) + "/nerim' " + arguments + " >out.txt 2>err.txt";
    TRun run;
    const int raw = std::system(command.c_str());
    run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.Out = ReadBytes(dir / "out.txt");
    run.Err = ReadBytes(dir / "err.txt");
    return run;
}

void CopyGolden(const TempDir& dir) { std::filesystem::copy_file(kGolden / "project.dat", dir / "project.dat"); }

TEST(NerimProgram, WithoutADisplayTheBatchRunMeshesTheProjectAndEnds) {
    for (const TDisplay display : {TDisplay::None, TDisplay::Offscreen}) {
        TempDir dir;
        CopyGolden(dir);
        const TRun run = RunNerim(dir, display, "project.dat further arguments");
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), ReadBytes(kGolden / "Mesh.mes"));
    }
}

TEST(NerimProgram, WithoutADisplayAFailedRunSaysWhyAndExitsWithOne) {
    for (const TDisplay display : {TDisplay::None, TDisplay::Offscreen}) {
        TempDir dir;
        const TRun run = RunNerim(dir, display, "missing.dat");
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Err.find("No se pudo mallar missing.dat"), std::string::npos) << run.Err;
        EXPECT_FALSE(std::filesystem::exists(dir / "Mesh.mes"));
    }
}

// A folder, an unreadable file, binary bytes, an empty file, a project cut short: status 1 and
// one readable line on standard error that names the file (and the line of a damaged project).
TEST(NerimProgram, AProjectThatCannotBeReadGivesOneReadableLineNamingIt) {
    TempDir dir;
    for (const testing::TDamagedProject& project : testing::MakeDamagedProjects(dir, kGolden / "project.dat")) {
        const TRun run = RunNerim(dir, TDisplay::None, "'" + project.Name + "'");
        EXPECT_EQ(run.Status, 1) << project.Name;
        ASSERT_FALSE(run.Err.empty()) << project.Name;
        EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << run.Err;
        EXPECT_EQ(testing::CheckFailureLine(run.Err.substr(0, run.Err.size() - 1), project), "");
        EXPECT_TRUE(run.Out.empty()) << run.Out;
        EXPECT_FALSE(std::filesystem::exists(dir / "Mesh.mes"));
    }
}

TEST(NerimProgram, TheWindowWithoutADisplayPointsToTheCommandLineMesher) {
    TempDir dir;
    CopyGolden(dir);
    for (const char* arguments : {"", "--open project.dat"}) {
        const TRun run = RunNerim(dir, TDisplay::None, arguments);
        EXPECT_EQ(run.Status, 2) << arguments;
        EXPECT_NE(run.Err.find("necesita una pantalla"), std::string::npos) << run.Err;
        EXPECT_NE(run.Err.find("nerim-mesh"), std::string::npos) << run.Err;
    }
}

TEST(NerimProgram, HelpVersionAndWrongUsage) {
    TempDir dir;
    const TRun help = RunNerim(dir, TDisplay::None, "--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("Usage: nerim"), std::string::npos) << help.Out;
    const TRun version = RunNerim(dir, TDisplay::None, "--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out.rfind("nerim ", 0), 0u) << version.Out;
    const TRun open = RunNerim(dir, TDisplay::None, "--open");
    EXPECT_EQ(open.Status, 2);
    EXPECT_NE(open.Err.find("--open needs a file name"), std::string::npos) << open.Err;
}

bool HaveXvfb() { return std::system("command -v xvfb-run >/dev/null 2>&1") == 0; }

TEST(NerimProgram, OnAnXServerTheWindowOpensTheExampleAndSavesItsPicture) {
    if (!HaveXvfb()) GTEST_SKIP() << "xvfb-run is not installed";
    TempDir dir;
    std::filesystem::copy_file(kSource / "examples" / "breakwater" / "breakwater.dat", dir / "breakwater.dat");
    // Kept in the build folder for a look.
    const std::filesystem::path picture = std::filesystem::path(NERIM_BIN_DIR) / ".." / "nerim-window-test.png";
    std::filesystem::remove(picture);
    const TRun run = RunNerim(dir, TDisplay::Xvfb, "--screenshot '" + picture.string() + "' --open breakwater.dat");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const QImage image(QString::fromStdString(picture.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 1012);
    EXPECT_GT(image.height(), 593);

    // With a display the batch run ends by itself too.
    CopyGolden(dir);
    const TRun batch = RunNerim(dir, TDisplay::Xvfb, "project.dat");
    EXPECT_EQ(batch.Status, 0) << batch.Err;
    EXPECT_EQ(ReadBytes(dir / "Mesh.mes"), ReadBytes(kGolden / "Mesh.mes"));
}

}  // namespace
}  // namespace nerim
