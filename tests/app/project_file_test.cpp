#include "app/core/project_file.h"

#include <gtest/gtest.h>

#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "support/exception.h"
#include "support/text_reader.h"
#include "support/text_writer.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

TProjectData SampleProject() {
    TProjectData p;
    p.Mesh.Width = 100;
    p.Mesh.Height = 10;
    p.Mesh.SubZonesX = {{50, 0, 5, 5, 1}};
    p.Mesh.SubZonesY = {{5, 0, 5, 5, 0.6}};
    auto obstacle = std::make_unique<TObstacleDef>();
    obstacle->Name = "Obstáculo 1";
    p.Objects.push_back({{{10, 2}, {20, 2}, {15, 6}}, true, std::move(obstacle)});
    auto porous = std::make_unique<TPorousMediumDef>();
    porous->Name = "Núcleo";
    porous->SetParameters({200, 1.1, 0.34, 0.1, 0, 0.4});
    p.Objects.push_back({{{30, 9.5}, {60, 9.5}, {55, 7.25}, {35, 7.25}}, false, std::move(porous)});
    auto water = std::make_unique<TWaterDef>();
    water->Name = "Agua 1";
    p.Objects.push_back({{{-1, 4}, {101, 4}, {101, 11}, {-1, 11}}, true, std::move(water)});
    return p;
}

std::string Write(const TProjectData& p) {
    StringTextWriter w;
    WriteProjectData(w, p);
    return w.Bytes();
}

TProjectData Read(const std::string& bytes) {
    TextReader r(bytes, "proyecto.dat");
    return ReadProjectData(r);
}

TEST(ProjectFile, OuterStructure) {
    const std::string text = Write(SampleProject());
    // The mesh block's nineteen lines, then the object count and the first record.
    std::size_t pos = 0;
    for (int line = 0; line < 19; ++line) pos = text.find("\r\n", pos) + 2;
    EXPECT_EQ(text.substr(pos, 80).substr(0, 65),
              "3\r\n3 1\r\n10.00000000 2.00000000\r\n20.00000000 2.00000000\r\n15.000000");
    EXPECT_NE(text.find("15.00000000 6.00000000\r\nTObstacleDef\r\nObst\xE1""culo 1\r\n"), std::string::npos);
    EXPECT_NE(text.find("4 0\r\n30.00000000 9.50000000\r\n"), std::string::npos);
}

TEST(ProjectFile, SaveLoadSaveIsByteIdentical) {
    const std::string first = Write(SampleProject());
    const TProjectData loaded = Read(first);
    EXPECT_EQ(Write(loaded), first);
    ASSERT_EQ(loaded.Objects.size(), 3u);
    EXPECT_EQ(loaded.Objects[1].Definition->Name, "Núcleo");
    EXPECT_FALSE(loaded.Objects[1].Closed);
    EXPECT_EQ(loaded.Objects[2].Vertices[0], (TPoint2D{-1, 4}));
    EXPECT_EQ(loaded.Mesh, SampleProject().Mesh);
}

TEST(ProjectFile, NoObjectsIsTheMeshBlockAndZero) {
    TProjectData p = SampleProject();
    p.Objects.clear();
    const std::string text = Write(p);
    EXPECT_EQ(text.substr(text.size() - 3), "0\r\n");
    EXPECT_TRUE(Read(text).Objects.empty());
}

TEST(ProjectFile, UnknownMaterialClassReadsAsWater) {
    std::string text = Write(SampleProject());
    const auto at = text.find("TObstacleDef");
    // An obstacle has no further lines; a water material needs one real after its name.
    text.replace(at, 12, "TFoo");
    text.insert(text.find("\r\n", at + 6) + 2, " 0.00000000000000E+0000\r\n");
    const TProjectData p = Read(text);
    EXPECT_EQ(p.Objects[0].Definition->ClassName(), "TWaterDef");
    EXPECT_EQ(p.Objects[0].Definition->Name, "Obstáculo 1");
}

TEST(ProjectFile, EveryTruncationIsAClearErrorNamingTheLine) {
    const std::string text = Write(SampleProject());
    std::size_t lines = 0;
    for (std::size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2) {
        ++lines;
        const std::string cut = text.substr(0, pos + 2);
        if (cut.size() == text.size()) break;
        try {
            Read(cut);
            ADD_FAILURE() << "a file cut after line " << lines << " was read";
        } catch (const EInOutError& e) {
            EXPECT_NE(std::string(e.what()).find("proyecto.dat"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("línea"), std::string::npos) << e.what();
        }
    }
    EXPECT_GT(lines, 40u);
}

TEST(ProjectFile, GarbageAndAbsurdNumbersAreRefused) {
    const std::string good = Write(SampleProject());
    auto replaceLine = [&](int lineNumber, const std::string& content) {
        std::string text = good;
        std::size_t start = 0;
        for (int k = 1; k < lineNumber; ++k) start = text.find("\r\n", start) + 2;
        text.replace(start, text.find("\r\n", start) - start, content);
        return text;
    };
    EXPECT_THROW(Read(replaceLine(1, "abc")), EInOutError);           // Height
    EXPECT_THROW(Read(replaceLine(1, "nan")), EInOutError);
    EXPECT_THROW(Read(replaceLine(3, "-1")), EInOutError);            // X sub-zone count
    EXPECT_THROW(Read(replaceLine(3, "2000000000")), EInOutError);
    EXPECT_THROW(Read(replaceLine(20, "-3")), EInOutError);           // object count
    EXPECT_THROW(Read(replaceLine(20, "999999999")), EInOutError);
    EXPECT_THROW(Read(replaceLine(21, "-3 1")), EInOutError);         // vertex count
    EXPECT_THROW(Read(replaceLine(21, "2147483647 1")), EInOutError);
    EXPECT_THROW(Read(replaceLine(22, "10.0 x")), EInOutError);       // vertex
    EXPECT_THROW(Read(replaceLine(22, "1e999 2")), EInOutError);
}

TEST(ProjectFile, MissingFileIsAnInputOutputError) {
    testing::TempDir dir;
    EXPECT_THROW(ReadProjectFile(dir / "nothing.dat"), EInOutError);
}

}  // namespace
}  // namespace nerim
