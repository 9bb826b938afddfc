#include "objects/core/point_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/exception.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using namespace std::string_literals;

std::vector<TPoint2D> Read(const std::string& text) { return ReadPointText(text, "perfil.txt"); }

std::string ErrorOf(const std::string& text) {
    try {
        Read(text);
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "no error";
}

const std::vector<TPoint2D> kTwo{{0.0, 1.5}, {10.25, -2.0}};

TEST(PointFile, EverySeparatorAndLineEnd) {
    for (const char* text : {"0,1.5\r\n10.25,-2\r\n", "0;1.5\n10.25;-2", "0\t1.5\r10.25\t-2\r",
                             "  0   1.5 \n\t10.25 \t -2 \n", "0 , 1.5\n10.25 ;-2\n", "+0 1.5E0\n1025e-2 -2.\n"})
        EXPECT_EQ(Read(text), kTwo) << text;
}

TEST(PointFile, BlankLinesCommentsAndOneHeaderAreSkipped) {
    EXPECT_EQ(Read("# levantamiento 2024\n\nX;Y\n\n0;1.5\n  # cota corregida\n10.25;-2\n\n"), kTwo);
    EXPECT_EQ(Read("distancia cota\n0 1.5\n10.25 -2\n"), kTwo);
    EXPECT_EQ(Read("\xEF\xBB\xBF" "x,y,z\n0,1.5\n10.25,-2\n"), kTwo);  // a spreadsheet's UTF-8 mark and a header
    EXPECT_EQ(Read("\xEF\xBB\xBF" "0,1.5\n10.25,-2\n"), kTwo);
    EXPECT_TRUE(Read("").empty());
    EXPECT_TRUE(Read("# nada\r\n\r\nX Y\r\n").empty());
}

TEST(PointFile, BadLinesNameTheFileAndTheLine) {
    EXPECT_EQ(ErrorOf("X;Y\n0;1\nX;Y\n"), "Número no válido (\"X\") en \"perfil.txt\", línea 3");
    EXPECT_EQ(ErrorOf("0;1\n1;2;3\n"),
              "Se esperaban dos números, X e Y, y la línea tiene 3 campos (\"1;2;3\") en \"perfil.txt\", línea 2");
    EXPECT_EQ(ErrorOf("0;1\n\n5\n"),
              "Se esperaban dos números, X e Y, y la línea tiene 1 campos (\"5\") en \"perfil.txt\", línea 3");
    EXPECT_EQ(ErrorOf("1,,2\n"), "Se esperaban dos números, X e Y, y la línea tiene 3 campos (\"1,,2\") en "
                                 "\"perfil.txt\", línea 1");
    EXPECT_EQ(ErrorOf("0 1\r\n2 1,5\r\n"),
              "Número no válido (\"2 1\"): los decimales se escriben con punto en \"perfil.txt\", línea 2");
    EXPECT_EQ(ErrorOf("0 1\n2 nan\n"), "Número no válido (\"nan\") en \"perfil.txt\", línea 2");
    EXPECT_EQ(ErrorOf("0 1\n\x01\x02 3\n"), "Número no válido (\"\\x01\\x02\") en \"perfil.txt\", línea 2");
    // Only words before the first point make a header; a number-like word is no header.
    EXPECT_EQ(ErrorOf("1e 2\n"), "Número no válido (\"1e\") en \"perfil.txt\", línea 1");
}

TEST(PointFile, ReadsAFileAndNamesItWhenItCannot) {
    testing::TempDir dir;
    std::string text = "X,Y\r\n";
    for (int k = 0; k < 100000; ++k) text += std::to_string(k) + "." + std::to_string(k % 100) + ",3.25\r\n";
    testing::WriteBytes(dir / "big.csv", text);
    const std::vector<TPoint2D> points = ReadPointFile(dir / "big.csv");
    ASSERT_EQ(points.size(), 100000u);
    EXPECT_EQ(points[99999].X, 99999.99);
    EXPECT_EQ(points[99999].Y, 3.25);
    try {
        ReadPointFile(dir / "missing.csv");
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.csv"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace nerim
