#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "objects/core/definition_factory.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "support/exception.h"
#include "support/string_table.h"
#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

// Taken before any test runs: nothing names a material before main.
const int kInitialCounters[3] = {TPorousMediumDef::NameCounter(), TObstacleDef::NameCounter(),
                                 TWaterDef::NameCounter()};

class DefinitionNames : public ::testing::Test {
protected:
    void SetUp() override {
        SetStringTableEntry(2, "Poroso %d");
        SetStringTableEntry(3, "Obstáculo %d");
        SetStringTableEntry(4, "Agua %.2d");
    }
};

std::string Written(const TNerimObjectDefinition& definition) {
    StringTextWriter w;
    WriteDefinition(w, definition);
    return w.Bytes();
}

std::unique_ptr<TNerimObjectDefinition> ReadBack(const std::string& bytes) {
    TextReader reader(bytes, "materials");
    return ReadDefinition(reader);
}

TEST_F(DefinitionNames, CountersStartAtOneAndMoveOnePerDefaultName) {
    EXPECT_EQ(kInitialCounters[0], 1);
    EXPECT_EQ(kInitialCounters[1], 1);
    EXPECT_EQ(kInitialCounters[2], 1);
    const int first = TPorousMediumDef::NameCounter();
    const int obstacles = TObstacleDef::NameCounter();
    const int waters = TWaterDef::NameCounter();
    for (int i = 0; i < 3; ++i) {
        TPorousMediumDef porous;
        porous.SetDefaults();
        EXPECT_EQ(porous.Name, "Poroso " + std::to_string(first + i));
        EXPECT_EQ(porous.Parameters(), (TPorousMediumDef::TParameters{200.0, 1.1, 0.34, 0.1, 0.0, 0.0}));
    }
    // Each class has its own counter, and reading a definition moves none of them.
    TObstacleDef obstacle;
    obstacle.SetDefaults();
    EXPECT_EQ(obstacle.Name, "Obstáculo " + std::to_string(obstacles));
    ReadBack("TPorousMediumDef\r\nA\r\nA\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
    TWaterDef water;
    water.SetDefaults();
    EXPECT_EQ(water.Name, "Agua " + std::string(waters < 10 ? "0" : "") + std::to_string(waters));
    EXPECT_EQ(TPorousMediumDef::NameCounter(), first + 3);
    EXPECT_EQ(TObstacleDef::NameCounter(), obstacles + 1);
    EXPECT_EQ(TWaterDef::NameCounter(), waters + 1);
}

TEST(DefinitionFactory, MatchesClassNamesIgnoringCaseAndFallsBackToWater) {
    ASSERT_EQ(DefinitionClasses().size(), 3u);
    EXPECT_EQ(DefinitionClasses()[0].Name, "TPorousMediumDef");
    EXPECT_EQ(DefinitionClasses()[1].Name, "TObstacleDef");
    EXPECT_EQ(DefinitionClasses()[2].Name, "TWaterDef");

    const auto porous = CreateDefinitionByName("tporousmediumdef");
    ASSERT_NE(dynamic_cast<TPorousMediumDef*>(porous.get()), nullptr);
    EXPECT_EQ(dynamic_cast<TPorousMediumDef&>(*porous).Parameters(), TPorousMediumDef::TParameters{});
    EXPECT_TRUE(porous->Name.empty());
    EXPECT_EQ(CreateDefinitionByName("TOBSTACLEDEF")->ClassName(), "TObstacleDef");
    for (const char* other : {"TWaterDef", "", "TPorousMedium", " TObstacleDef", "TPorousMediumDefX"})
        EXPECT_EQ(CreateDefinitionByName(other)->ClassName(), "TWaterDef") << other;
}

TEST(DefinitionText, PorousLinesAreExact) {
    TPorousMediumDef porous;
    porous.Name = "N";
    porous.SetParameters({200.0, 1.1, 0.34, 0.1, 0.0, 0.0});
    EXPECT_EQ(Written(porous),
              "TPorousMediumDef\r\nN\r\nN\r\n 2.00000000000000E+0002\r\n 1.10000000000000E+0000\r\n"
              " 3.40000000000000E-0001\r\n 1.00000000000000E-0001\r\n 0.00000000000000E+0000\r\n"
              " 0.00000000000000E+0000\r\n");
    TObstacleDef obstacle;
    obstacle.Name = "O";
    EXPECT_EQ(Written(obstacle), "TObstacleDef\r\nO\r\n");
    TWaterDef water;
    water.Name = "W";
    water.Value = -2.5;
    EXPECT_EQ(Written(water), "TWaterDef\r\nW\r\n-2.50000000000000E+0000\r\n");
}

TEST(DefinitionText, PorousRoundTripKeepsFifteenDigitsAndTheName) {
    TPorousMediumDef porous;
    porous.Name = "Dique  de escollera – núcleo ";
    const TPorousMediumDef::TParameters values{1.0 / 3.0, 2.0 / 7.0 * 1e-5, -123456.78901234567, 6.02214076e23,
                                               0.0, 4.9e-300};
    porous.SetParameters(values);
    const std::string bytes = Written(porous);
    EXPECT_NE(bytes.find("\x96 n\xFA""cleo \r\n"), std::string::npos);  // Windows-1252 in the file
    const auto read = ReadBack(bytes + "next\r\n");
    const auto& copy = dynamic_cast<const TPorousMediumDef&>(*read);
    EXPECT_EQ(copy.Name, porous.Name);
    const TPorousMediumDef::TParameters restored = copy.Parameters();
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_LE(std::abs(restored[i] - values[i]), 5e-15 * std::abs(values[i])) << i;
}

TEST(DefinitionText, ReadingMirrorsWriting) {
    // The second porous name is the one kept.
    const auto porous = ReadBack("TPorousMediumDef\r\nfirst\r\nsecond\r\n1\r\n2 extra\r\n  3\r\n4\r\n5\r\n6\r\nrest\r\n");
    EXPECT_EQ(porous->Name, "second");
    EXPECT_EQ(dynamic_cast<TPorousMediumDef&>(*porous).Parameters(), (TPorousMediumDef::TParameters{1, 2, 3, 4, 5, 6}));

    // An unknown class reads its lines as water.
    TextReader reader("TSandDef\r\nArena fina\r\n 1.50000000000000E+0000\r\nnext\r\n", "materials");
    const auto water = ReadDefinition(reader);
    EXPECT_EQ(water->ClassName(), "TWaterDef");
    EXPECT_EQ(water->Name, "Arena fina");
    EXPECT_EQ(dynamic_cast<TWaterDef&>(*water).Value, 1.5);
    EXPECT_EQ(reader.ReadLine(), "next");

    TextReader obstacles("TObstacleDef\r\nA\r\ntobstacledef\r\nB\r\n", "materials");
    EXPECT_EQ(ReadDefinition(obstacles)->Name, "A");
    EXPECT_EQ(ReadDefinition(obstacles)->Name, "B");
    EXPECT_THROW(ReadDefinition(obstacles), EInOutError);
}

TEST(DefinitionText, MalformedNumberKeepsTheFieldsReadBeforeIt) {
    TPorousMediumDef porous;
    TextReader reader("a\r\nb\r\n7\r\n1,5\r\n3\r\n4\r\n5\r\n6\r\n", "materials");
    EXPECT_THROW(porous.ReadFromText(reader), EInOutError);
    EXPECT_EQ(porous.Name, "b");
    EXPECT_EQ(porous.LinearFricCoef, 7);
    EXPECT_EQ(porous.NonLinearFricCoef, 0);
}

TEST(DefinitionText, LineEndsInsideANameDoNotBreakTheFile) {
    TObstacleDef obstacle;
    obstacle.Name = "dos\r\nlíneas";
    TWaterDef water;
    water.Name = "W";
    water.Value = 3;
    TextReader reader(Written(obstacle) + Written(water), "materials");
    EXPECT_EQ(ReadDefinition(reader)->Name, "dos  líneas");
    const auto next = ReadDefinition(reader);
    EXPECT_EQ(next->Name, "W");
    EXPECT_EQ(dynamic_cast<TWaterDef&>(*next).Value, 3);
}

}  // namespace
}  // namespace nerim
