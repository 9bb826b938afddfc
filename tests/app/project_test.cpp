#include "app/project.h"

#include <gtest/gtest.h>

#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "objects/material_color.h"
#include "support/exception.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::filesystem::path kGolden = std::filesystem::path(NERIM_TEST_DATA) / "golden";

class Project : public ::testing::Test {
protected:
    TWorkingSet set;
    TempDir dir;
    int vertexEvents = 0;

    void Load(const std::filesystem::path& file) {
        LoadProject(file, set.Mesh(), set.Objects(), set.Canvax(), set.ObjectsLayer(),
                    [this](TCEPolyline&, TPLPolyLine&, TPLNode*) { ++vertexEvents; });
    }
    TCEPolyline& Polygon(std::size_t k) { return dynamic_cast<TCEPolyline&>(*set.Objects().at(k)); }
};

TEST_F(Project, LoadingBuildsClosedColouredPolygonsInTheObjectsLayer) {
    Load(kGolden / "project.dat");
    ASSERT_EQ(set.Objects().size(), 3u);
    EXPECT_EQ(set.ObjectsLayer().Children()->Count(), 3);
    EXPECT_EQ(Polygon(0).Color(), clYellow);
    EXPECT_EQ(Polygon(1).Color(), clRed);
    EXPECT_EQ(Polygon(2).Color(), clAqua);
    EXPECT_TRUE(Polygon(1).Closed());  // saved open
    EXPECT_EQ(Polygon(1).Line().Count(), 4);
    EXPECT_EQ(Polygon(1).State(), esNormal);
    EXPECT_EQ(set.Canvax().InsertingElement(), nullptr);
    EXPECT_EQ(Polygon(1).Definition()->Name, "Escollera");
    EXPECT_EQ(set.Mesh().Width(), 4.0);
    EXPECT_EQ(set.Mesh().DivisionXCount(), 0);  // loading does not generate
    Polygon(0).Line().SetPoint(Polygon(0).Line().FirstNode(), {1.5, 1.0});
    EXPECT_GT(vertexEvents, 0);  // the handler was registered
}

TEST_F(Project, SaveLoadSaveIsByteIdentical) {
    Load(kGolden / "project.dat");
    SaveProject(dir / "first.dat", set.Mesh(), set.Objects());
    Load(dir / "first.dat");
    SaveProject(dir / "second.dat", set.Mesh(), set.Objects());
    EXPECT_EQ(ReadBytes(dir / "first.dat"), ReadBytes(dir / "second.dat"));
    // The only difference from the hand-written file: the open polygon is saved closed now.
    std::string golden = ReadBytes(kGolden / "project.dat");
    golden.replace(golden.find("4 0\r\n"), 5, "4 1\r\n");
    EXPECT_EQ(ReadBytes(dir / "first.dat"), golden);
}

TEST_F(Project, LoadingReplacesTheObjectsAndFreesTheOldOnes) {
    Load(kGolden / "project.dat");
    const auto watch = set.Objects()[0]->Watch();
    Load(kGolden / "project.dat");
    EXPECT_FALSE(watch.Alive());
    EXPECT_EQ(set.Objects().size(), 3u);
    EXPECT_EQ(set.ObjectsLayer().Children()->Count(), 3);
}

TEST_F(Project, UnknownMaterialBecomesAquaWater) {
    std::string text = ReadBytes(kGolden / "project.dat");
    text.replace(text.find("TObstacleDef"), 12, "TFoo");
    text.insert(text.find("Bloque\r\n") + 8, " 0.00000000000000E+0000\r\n");
    WriteBytes(dir / "foo.dat", text);
    Load(dir / "foo.dat");
    EXPECT_NE(dynamic_cast<TWaterDef*>(Polygon(0).Definition()), nullptr);
    EXPECT_EQ(Polygon(0).Color(), clAqua);
}

TEST_F(Project, BadOrMissingFilesChangeNothing) {
    Load(kGolden / "project.dat");
    const TMeshParameters mesh = set.Mesh().Parameters();
    const auto watch = set.Objects()[2]->Watch();
    const std::string good = ReadBytes(kGolden / "project.dat");
    WriteBytes(dir / "cut.dat", good.substr(0, good.size() / 2));
    WriteBytes(dir / "garbage.dat", std::string(good).replace(good.find("2.00000000 1.00000000"), 4, "x.00"));
    for (const char* name : {"missing.dat", "cut.dat", "garbage.dat"}) {
        EXPECT_THROW(Load(dir / name), EInOutError) << name;
        EXPECT_EQ(set.Objects().size(), 3u) << name;
        EXPECT_TRUE(watch.Alive()) << name;
        EXPECT_EQ(set.Mesh().Parameters(), mesh) << name;
    }
}

TEST_F(Project, FailedSaveKeepsTheOldFile) {
    Load(kGolden / "project.dat");
    WriteBytes(dir / "keep.dat", "old project");
    set.Objects()[0]->SetDefinition(nullptr);
    EXPECT_THROW(SaveProject(dir / "keep.dat", set.Mesh(), set.Objects()), EInOutError);
    EXPECT_EQ(ReadBytes(dir / "keep.dat"), "old project");
}

}  // namespace
}  // namespace nerim
