#include "mesh/core/mesh_quality.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "support/exception.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

const std::vector<float> kInitialX = {0, 19, 33.5f, 43.5f, 49, 50, 51, 56.5f, 66.5f, 81, 100};

TEST(MeshQuality, InitialXAxis) {
    const TAxisQuality q = AxisQuality(kInitialX);
    ASSERT_EQ(q.Delta.size(), 10u);
    ASSERT_EQ(q.Delta2.size(), 9u);
    const std::vector<double> sizes = {19, 14.5, 10, 5.5, 1, 1, 5.5, 10, 14.5, 19};
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_EQ(q.Delta[k].Y, sizes[k]);
        EXPECT_EQ(q.Delta[k].X, (double(kInitialX[k]) + kInitialX[k + 1]) / 2);
        EXPECT_EQ(q.Delta[k].Color, k == 0 || k == 5 ? qcBlack : qcRed) << k;
        EXPECT_EQ(q.Delta[k].Label, "");
    }
    EXPECT_EQ(q.Delta2[0].Y, -4.5 / 16.75);
    EXPECT_EQ(q.Delta2[0].X, (9.5 + 26.25) / 2);
    EXPECT_EQ(q.Delta2[0].Label, "19.0000 (2)");
    EXPECT_EQ(q.Delta2[0].Color, qcGreen);
    EXPECT_EQ(q.Delta2[4].Y, 0.0);  // the two 1-metre cells
    EXPECT_EQ(q.Delta2[4].Label, "50.0000 (6)");
    EXPECT_EQ(q.Delta2[8].Y, 4.5 / 16.75);

    const TAxisSummary s = SummariseAxis(q);
    EXPECT_EQ(SummaryLine(s),
              "10 celdas; la menor 1.0000 (celda 5), la mayor 19.0000 (celda 1); razón máxima entre vecinas 5.5000 "
              "(celdas 4 y 5); 8 puntos rojos");
    EXPECT_EQ(DeltaPointText(q, 5), "Celda 6\nTamaño: 1.0000\nPendiente: 0.0000");
    EXPECT_EQ(Delta2PointText(q, 0), "19.0000 (2)\nCeldas 1 y 2\nTamaños: 19.0000 y 14.5000\nPendiente: -0.2687");
}

TEST(MeshQuality, UniformEmptyAndSingleBoundaryAxes) {
    const TAxisQuality uniform = AxisQuality({0, 0.5f, 1, 1.5f, 2});
    ASSERT_EQ(uniform.Delta.size(), 4u);
    for (const TQualityPoint& p : uniform.Delta) {
        EXPECT_EQ(p.Y, 0.5);
        EXPECT_EQ(p.Color, qcBlack);
    }
    ASSERT_EQ(uniform.Delta2.size(), 3u);
    for (const TQualityPoint& p : uniform.Delta2) EXPECT_EQ(p.Y, 0.0);
    EXPECT_EQ(SummaryLine(SummariseAxis(uniform)),
              "4 celdas; la menor 0.5000 (celda 1), la mayor 0.5000 (celda 1); razón máxima entre vecinas 1.0000 "
              "(celdas 1 y 2); 0 puntos rojos");
    for (const std::vector<float>& none : {std::vector<float>{}, std::vector<float>{0}}) {
        const TAxisQuality q = AxisQuality(none);
        EXPECT_TRUE(q.Delta.empty() && q.Delta2.empty());
        EXPECT_EQ(SummaryLine(SummariseAxis(q)), "Sin celdas");
    }
    EXPECT_EQ(SummaryLine(SummariseAxis(AxisQuality({0, 2}))),
              "1 celda; la menor 2.0000 (celda 1), la mayor 2.0000 (celda 1); 0 puntos rojos");
}

TEST(MeshQuality, ZeroSizeCells) {
    // One zero-size cell: the midpoints still differ; the ratio next to it has no bound.
    const TAxisQuality one = AxisQuality({0, 1, 1, 2});
    EXPECT_EQ(one.Delta[1].Y, 0.0);
    EXPECT_NE(SummaryLine(SummariseAxis(one)).find("razón máxima entre vecinas infinita (celdas 1 y 2)"),
              std::string::npos);
    // Two in a row put two midpoints on one place.
    try {
        AxisQuality({0, 1, 1, 1, 2});
        FAIL() << "no error";
    } catch (const EFloatingPointError& e) {
        EXPECT_STREQ(e.what(), "La pendiente entre las celdas 2 y 3 es una división por cero");
    }
}

TEST(MeshQuality, CsvReadsBackToTheSameNumbers) {
    const TAxisQuality x = AxisQuality(kInitialX);
    const TAxisQuality y = AxisQuality({0, 1.4f, 2.6f});
    const std::string csv = QualityCsv(x, y);
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "series,x,y,color,label\r");
    std::vector<std::string> series;
    std::size_t rows = 0;
    while (std::getline(in, line)) {
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        std::vector<std::string> fields;
        std::stringstream row(line);
        for (std::string f; std::getline(row, f, ',');) fields.push_back(f);
        if (line.back() == ',') fields.push_back("");
        ASSERT_EQ(fields.size(), 5u) << line;
        if (series.empty() || series.back() != fields[0]) series.push_back(fields[0]);
        const std::vector<TQualityPoint>& points = fields[0] == "Delta X"    ? x.Delta
                                                   : fields[0] == "Delta2 X" ? x.Delta2
                                                   : fields[0] == "Delta Y"  ? y.Delta
                                                                             : y.Delta2;
        const std::size_t k = rows - (fields[0] == "Delta X"    ? 0
                                      : fields[0] == "Delta2 X" ? 10
                                      : fields[0] == "Delta Y"  ? 19
                                                                : 21);
        EXPECT_EQ(std::strtod(fields[1].c_str(), nullptr), points[k].X) << line;
        EXPECT_EQ(std::strtod(fields[2].c_str(), nullptr), points[k].Y) << line;
        EXPECT_EQ(fields[3], QualityColorName(points[k].Color));
        EXPECT_EQ(fields[4], points[k].Label);
        ++rows;
    }
    EXPECT_EQ(rows, 10u + 9u + 2u + 1u);
    EXPECT_EQ(series, (std::vector<std::string>{"Delta X", "Delta2 X", "Delta Y", "Delta2 Y"}));
    EXPECT_NE(csv.find("Delta Y,0.699999988079071,1.399999976158142,black,\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("Delta2 X,17.875,-0.26865671641791045,green,19.0000 (2)\r\n"), std::string::npos) << csv;

    testing::TempDir dir;
    WriteQualityCsv(dir / "q.csv", x, y);
    EXPECT_EQ(testing::ReadBytes(dir / "q.csv"), csv);
    EXPECT_THROW(WriteQualityCsv(dir / "missing" / "q.csv", x, y), EInOutError);
}

TEST(MeshQuality, BlackStretchesRunHalfwayToTheirRedNeighbours) {
    const TAxisQuality q = AxisQuality(kInitialX);  // black: the first and the sixth point
    const std::vector<TQualityStretch> stretches = BlackStretches(q);
    ASSERT_EQ(stretches.size(), 2u);
    EXPECT_EQ(stretches[0], (TQualityStretch{{9.5, 19}, {(9.5 + 26.25) / 2, (19 + 14.5) / 2}}));
    EXPECT_EQ(stretches[1], (TQualityStretch{{(49.5 + 50.5) / 2, 1}, {50.5, 1}, {(50.5 + 53.75) / 2, (1 + 5.5) / 2}}));
    // All black: one stretch over every point, from the first to the last.
    const std::vector<TQualityStretch> uniform = BlackStretches(AxisQuality({0, 1, 2, 3}));
    ASSERT_EQ(uniform.size(), 1u);
    EXPECT_EQ(uniform[0], (TQualityStretch{{0.5, 1}, {1.5, 1}, {2.5, 1}}));
    EXPECT_TRUE(BlackStretches(AxisQuality({})).empty());
}

TEST(MeshQuality, TheWordsComeFromTheWordingGiven) {
    TQualityWording english;
    english.NoCells = "No cells";
    english.Cells = "%d cells; smallest %.4f (cell %d), largest %.4f (cell %d)";
    english.Ratio = "; ratio %s (cells %d and %d)";
    english.Infinite = "infinite";
    english.RedPoints = "; %d red points";
    english.DeltaPoint = "Cell %d\r\nSize: %.4f\r\nSlope: %.4f";  // as the strings file gives it
    const TAxisQuality one = AxisQuality({0, 1, 1, 2});
    EXPECT_EQ(SummaryLine(SummariseAxis(one), english),
              "3 cells; smallest 0.0000 (cell 2), largest 1.0000 (cell 1); ratio infinite (cells 1 and 2); 2 red points");
    EXPECT_EQ(SummaryLine(SummariseAxis(AxisQuality({})), english), "No cells");
    EXPECT_EQ(DeltaPointText(one, 1, english), "Cell 2\nSize: 0.0000\nSlope: -2.0000");
}

}  // namespace
}  // namespace nerim
