// nerim-translator --missing run as its own process, without a display: the shipped English
// files leave nothing untranslated, and a file without one entry is told so.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct TRun {
    int Status = -1;
    std::string Out;
};

TRun RunMissing(const TempDir& dir, const std::string& files) {
    const std::string command = "cd '" + dir.Path().string() +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + "XDG_RUNTIME_DIR='" +
                                dir.Path().string() + "' XDG_CONFIG_HOME='" + dir.Path().string() + "' timeout 120 '" +
                                NERIM_BIN_DIR + "/nerim-translator' --missing " + files + " >out.txt 2>err.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(dir / "out.txt")};
}

// The file without its line that begins with prefix.
std::string Without(const std::string& bytes, const std::string& prefix) {
    const std::size_t at = bytes.find("\r\n" + prefix);
    EXPECT_NE(at, std::string::npos) << prefix;
    return bytes.substr(0, at + 2) + bytes.substr(bytes.find("\r\n", at + 2) + 2);
}

TEST(MissingTranslations, TheShippedEnglishLeavesNothingAndAMissingEntryIsPrinted) {
    TempDir dir;
    const std::string bin = NERIM_BIN_DIR;
    const TRun shipped = RunMissing(dir, "'" + bin + "/Translation_en.dat' '" + bin + "/Strings_en.dat'");
    EXPECT_EQ(shipped.Status, 0);
    EXPECT_EQ(shipped.Out, "");

    WriteBytes(dir / "Translation_en.dat", Without(ReadBytes(bin + "/Translation_en.dat"), "frmNerim.btnAgua="));
    WriteBytes(dir / "Strings_en.dat", Without(ReadBytes(bin + "/Strings_en.dat"), "STR16="));
    const TRun lacking = RunMissing(dir, "Translation_en.dat Strings_en.dat");
    EXPECT_EQ(lacking.Status, 1);
    EXPECT_EQ(lacking.Out.rfind("frmNerim.btnAgua=Agua##Nueva zona de agua", 0), 0u) << lacking.Out;
    EXPECT_NE(lacking.Out.find("\nSTR16=Guardar\n"), std::string::npos) << lacking.Out;
    EXPECT_EQ(std::count(lacking.Out.begin(), lacking.Out.end(), '\n'), 2) << lacking.Out;

    // Without a strings file only the windows count; an unreadable file is a failure of its own.
    EXPECT_EQ(RunMissing(dir, "Translation_en.dat").Status, 1);
    EXPECT_EQ(RunMissing(dir, "none.dat").Status, 2);
}

}  // namespace
}  // namespace nerim
