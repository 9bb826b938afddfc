// What the main window computes: its command line, the rectangles its tools zoom to, its read-outs
// and titles, the next sub-zone, the recent files and the results file names.
#include <gtest/gtest.h>

#include <map>

#include "app/nerim_command.h"
#include "app/project.h"
#include "app/view_navigation.h"
#include "app/window_texts.h"
#include "app/working_set.h"
#include "mesh/core/cell_classification.h"
#include "support/readable_text.h"
#include "support/string_table.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

TEST(NerimCommand, TheFirstArgumentDecides) {
    EXPECT_FALSE(ParseNerimCommand({}).Project);
    EXPECT_EQ(ParseNerimCommand({"p.dat", "--help", "x"}).Project, "p.dat");
    EXPECT_TRUE(ParseNerimCommand({"--help"}).Help);
    EXPECT_TRUE(ParseNerimCommand({"-h"}).Help);
    EXPECT_TRUE(ParseNerimCommand({"--version", "p.dat"}).Version);
    EXPECT_EQ(ParseNerimCommand({"--open", "a.dat", "b.dat"}).Open, "a.dat");
    EXPECT_FALSE(ParseNerimCommand({"--open", "a.dat"}).Project);
    // Any other first argument is a project file, as the batch run takes it.
    EXPECT_EQ(ParseNerimCommand({"--frobnicate"}).Project, "--frobnicate");
    const TNerimCommand shot = ParseNerimCommand({"--screenshot", "w.png", "--open", "a.dat"});
    EXPECT_EQ(shot.Screenshot, "w.png");
    EXPECT_EQ(shot.Open, "a.dat");
    EXPECT_THROW(ParseNerimCommand({"--open"}), TNerimUsageError);
    EXPECT_THROW(ParseNerimCommand({"--screenshot"}), TNerimUsageError);
}

TEST(NerimCommand, ADisplayIsNamedByTheEnvironmentOrAPlatformOption) {
    std::map<std::string, std::string> env;
    const auto lookup = [&](const char* name) -> std::optional<std::string> {
        const auto found = env.find(name);
        return found == env.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
    EXPECT_FALSE(HasDisplay({"p.dat"}, lookup));
    env["DISPLAY"] = "";
    EXPECT_FALSE(HasDisplay({}, lookup));
    EXPECT_TRUE(HasDisplay({"-platform", "xcb"}, lookup));
    EXPECT_TRUE(HasDisplay({"--platform", "xcb"}, lookup));
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        env.clear();
        env[name] = "x";
        EXPECT_TRUE(HasDisplay({}, lookup)) << name;
    }
    EXPECT_TRUE(IsUnattendedPlatform("offscreen"));
    EXPECT_TRUE(IsUnattendedPlatform("minimal"));
    EXPECT_FALSE(IsUnattendedPlatform("xcb"));
}

// Where a pixel of a 400 × 200 view lands after the view is fitted to a rectangle of its aspect.
TPoint2D AfterZoom(const TRect2D& r, double x, double y, double vw = 400, double vh = 200) {
    return {(x - r.X1) * vw / (r.X2 - r.X1), (y - r.Y1) * vh / (r.Y2 - r.Y1)};
}

TEST(ViewNavigation, ToolRectanglesKeepTheViewAspect) {
    const TRect2D in = ZoomInRect(100, 50, 400, 200);
    EXPECT_EQ(in, (TRect2D{0, 0, 200, 100}));
    EXPECT_EQ(AfterZoom(in, 100, 50), (TPoint2D{200, 100}));  // the clicked pixel comes to the centre
    const TRect2D out = ZoomOutRect(100, 50, 400, 200);
    EXPECT_EQ(out, (TRect2D{-300, -150, 500, 250}));
    EXPECT_EQ(AfterZoom(out, 100, 50), (TPoint2D{200, 100}));
    // A pan by (+30, −20) shows at each pixel what was 30 to the left and 20 below it.
    const TRect2D pan = PanRect(100, 50, 130, 30, 400, 200);
    EXPECT_EQ(pan, (TRect2D{-30, 20, 370, 220}));
    EXPECT_EQ(AfterZoom(pan, 100, 50), (TPoint2D{130, 30}));
    for (const double factor : {1.25, 0.8, 2.0}) {
        const TRect2D about = ZoomAboutRect(150, 40, factor, 400, 200);
        EXPECT_NEAR((about.X2 - about.X1) * factor, 400, 1e-9);
        EXPECT_NEAR((about.Y2 - about.Y1) * factor, 200, 1e-9);
        const TPoint2D stays = AfterZoom(about, 150, 40);
        EXPECT_NEAR(stays.X, 150, 1e-9);
        EXPECT_NEAR(stays.Y, 40, 1e-9);
    }
    EXPECT_DOUBLE_EQ(WheelZoomFactor(120), 1.25);
    EXPECT_DOUBLE_EQ(WheelZoomFactor(-120), 0.8);
    EXPECT_DOUBLE_EQ(WheelZoomFactor(60) * WheelZoomFactor(60), 1.25);
    EXPECT_EQ(WheelZoomFactor(0), 1.0);
}

class WindowTexts : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 1; i <= kStringTableSize; ++i) saved_.push_back(StringTableEntry(i));
        SetStringTableEntry(wsUntitled, "Sin título");
        SetStringTableEntry(wsCell, "Celda (%d, %d)");
        SetStringTableEntry(wsGeneration, "%d × %d celdas (%d), generadas en %.2f s");
    }
    void TearDown() override {
        for (int i = 1; i <= kStringTableSize; ++i) SetStringTableEntry(i, saved_[std::size_t(i - 1)]);
    }

private:
    std::vector<std::string> saved_;
};

TEST_F(WindowTexts, ReadoutsShowModelCoordinatesAndCellValues) {
    EXPECT_EQ(MouseReadout({0, 10}, 10), "X: 0.0000, Y: 0.0000");
    EXPECT_EQ(MouseReadout({0, 0}, 10), "X: 0.0000, Y: 10.0000");
    EXPECT_EQ(MouseReadout({-1e-17, 10 + 1e-15}, 10), "X: 0.0000, Y: 0.0000");  // no "-0.0000"
    EXPECT_EQ(MouseReadout({12.34375, 2.5}, 10), "X: 12.3438, Y: 7.5000");  // halves away from zero

    TWorkingSet set;
    TCETamrixMesh& mesh = set.Mesh();
    EXPECT_EQ(CellReadout(mesh.DivisionsX(), mesh.DivisionsY(), mesh.Cells(), mesh.Results(), {50, 5}), "");
    mesh.GenerateDivisions();
    // Divisions without a classification: the matrices do not reach the cell.
    EXPECT_EQ(CellReadout(mesh.DivisionsX(), mesh.DivisionsY(), mesh.Cells(), mesh.Results(), {50.5, 4.8}),
              "Celda (6, 4)");
    TClassifiedObject block;
    block.Kind = mkObstacle;
    block.ContainsPoint = [](const TPoint2D& p) { return p.X < 40; };
    mesh.ClassifyCells(std::vector<TClassifiedObject>{block}, 10, 10);
    const std::string inside =
        CellReadout(mesh.DivisionsX(), mesh.DivisionsY(), mesh.Cells(), mesh.Results(), {5, 9.9});
    EXPECT_EQ(inside.rfind("Celda (1, 9)   AC 0.000   AR ", 0), 0u) << inside;
    EXPECT_NE(inside.find("   VOF 0.000   Noc 1   Npc "), std::string::npos) << inside;
    EXPECT_EQ(CellReadout(mesh.DivisionsX(), mesh.DivisionsY(), mesh.Cells(), mesh.Results(), {100.5, 5}), "");
    EXPECT_EQ(GenerationSummary(210, 70, 0.125), "210 × 70 celdas (14700), generadas en 0.13 s");
}

TEST_F(WindowTexts, TitlesNameTheProjectAndMarkUnsavedChanges) {
    EXPECT_EQ(WindowTitle("Nerim", "", false), "Nerim");
    EXPECT_EQ(WindowTitle("Nerim", "", true), "Nerim - Sin título*");
    EXPECT_EQ(WindowTitle("Nerim", "/data/flume/breakwater.DAT", false), "Nerim - breakwater.DAT");
    EXPECT_EQ(WindowTitle("Nerim", "/data/flume/breakwater.DAT", true), "Nerim - breakwater.DAT*");
    SetStringTableEntry(wsUntitled, "****");
    EXPECT_EQ(ProjectDisplayName(""), "Sin título");  // a readable name even without the strings
}

TEST_F(WindowTexts, MessagesBecomeOneLineOfReadableText) {
    EXPECT_EQ(OneLineText("Línea 3: «ñ» € 🌊"), "Línea 3: «ñ» € 🌊");  // well-formed UTF-8 stays
    EXPECT_EQ(OneLineText("dos\r\nlíneas\nmás"), "dos líneas más");
    EXPECT_EQ(OneLineText(std::string("a\x00" "b\x1A\x01\tc\x7F", 8)), "a\\x00b\\x1A\\x01\\x09c\\x7F");
    // Bytes of Windows-1252 text and broken or overlong sequences are not UTF-8 text.
    EXPECT_EQ(OneLineText("caf\xE9 \xC3"), "caf\\xE9 \\xC3");
    EXPECT_EQ(OneLineText("\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80"),
              "\\xC0\\xAF \\xED\\xA0\\x80 \\xF4\\x90\\x80\\x80");
    EXPECT_EQ(BatchFailureLine("p\nq.dat", std::string("no\r\nse lee\x00", 11)),
              "No se pudo mallar p q.dat: no se lee\\x00");
}

TEST(NextSubZone, GoesFromTheCurrentCentreTowardsTheNextStart) {
    const std::vector<TSubZone> one = {{50, 0, 5, 5, 1}};
    const TSubZone added = NextSubZone(one, 0, 100);
    EXPECT_DOUBLE_EQ(added.Division, 66.65);
    EXPECT_DOUBLE_EQ(added.Center, 83.3);
    EXPECT_EQ(added.NumDivL, 5);
    EXPECT_EQ(added.NumDivR, 5);
    EXPECT_EQ(added.MaxSep, 1.0);
    // Before the next sub-zone, the current one's centre and the next one's start are the ends.
    const std::vector<TSubZone> two = {{20, 0, 5, 5, 1}, {80, 50, 5, 5, 1}};
    const TSubZone between = NextSubZone(two, 0, 100);
    EXPECT_DOUBLE_EQ(between.Division, 20 + 30 * 0.333);
    EXPECT_DOUBLE_EQ(between.Center, 20 + 30 * 0.666);
    const TSubZone none = NextSubZone({}, -1, 10);
    EXPECT_EQ(none.Division, 0.0);
    EXPECT_EQ(none.Center, 5.0);
    EXPECT_EQ(none.MaxSep, 1.0);
}

TEST(RecentFiles, NewestFirstWithoutRepeatsAndBounded) {
    std::vector<std::string> files;
    for (const char* f : {"a", "b", "c", "b"}) files = RecentFilesWith(files, f, 3);
    EXPECT_EQ(files, (std::vector<std::string>{"b", "c", "a"}));
    files = RecentFilesWith(files, "d", 3);
    EXPECT_EQ(files, (std::vector<std::string>{"d", "b", "c"}));
}

TEST(ResultsFileName, LetterAndFourDigitStepBesideTheProject) {
    EXPECT_EQ(ResultsFileName("/data/run/p.DAT", 'K', 12), "/data/run/K0012.dat");
    EXPECT_EQ(ResultsFileName("p.DAT", 'U', 7), "U0007.dat");
    EXPECT_EQ(ResultsFileName("", 'P', 12345), "P12345.dat");
}

TEST(ProjectText, IsWhatSavingWrites) {
    testing::TempDir dir;
    TWorkingSet set;
    set.Mesh().AddSubZoneX(3, 4, 60, 70, 0.5);
    SaveProject(dir / "p.dat", set.Mesh(), set.Objects());
    EXPECT_EQ(ProjectText(set.Mesh(), set.Objects()), testing::ReadBytes(dir / "p.dat"));
    const std::string before = ProjectText(set.Mesh(), set.Objects());
    set.Mesh().SetPorousModel(1);
    EXPECT_NE(ProjectText(set.Mesh(), set.Objects()), before);
}

}  // namespace
}  // namespace nerim
