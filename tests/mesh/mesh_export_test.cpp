#include "mesh/core/mesh_export.h"

#include <gtest/gtest.h>

#include <limits>

#include "bench/flume_scenarios.h"
#include "mesh/core/cell_classification.h"
#include "mesh/core/grading.h"
#include "mesh/core/mesh_parameters.h"
#include "support/exception.h"
#include "support/number_format.h"
#include "support/text_writer.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

std::string Header(const char* tag, int n0, int n1) {
    return std::string("ASC\r\nDimensions\r\n2\r\nSizes\r\n") + std::to_string(n0) + "\r\n" + std::to_string(n1) +
           "\r\nType\r\n" + tag + "\r\nData\r\n";
}

std::string Repeat(const std::string& line, int times) {
    std::string out;
    for (int k = 0; k < times; ++k) out += line + "\r\n";
    return out;
}

TEST(MeshExport, SmallMeshByteForByte) {
    const std::vector<float> x{0.0f, 1.0f};
    const std::vector<float> y{0.0f, 0.6f};
    const TPorousTypes porous{{200, 1.1, 0.34, 0.1, 0, 0.4}};
    TCellMatrices cells;
    cells.Reset(MakeIntPair(2, 2));
    cells.VOF.Items(1, 1) = 0.126;
    cells.Noc.Items(0, 1) = true;
    cells.Npc.Items(1, 0) = 2;
    StringTextWriter out;
    WriteMeshFile(out, {2, porous, x, y, 1.0, cells});
    const std::string expected =
        "* Porous types\r\n2\r\n1\r\n"
        "0.0000 0.4000 200.0000 1.1000 0.3400 0.1000\r\n"
        "* X divisions\r\n2\r\n"
        " 0.00000000000000E+0000\r\n"
        " 1.00000000000000E+0000\r\n"
        "* Y Divisions\r\n2\r\n"
        " 3.99999976158142E-0001\r\n"  // 1 − 0.6f
        " 1.00000000000000E+0000\r\n"
        "* Matrices\r\n" +
        Header("R8", 2, 2) + Repeat("1.00", 4) + Header("R8", 2, 2) + Repeat("1.00", 4) + Header("R8", 2, 2) +
        Repeat("1.00", 4) + Header("R8", 2, 2) + Repeat("0.00", 3) + "0.13\r\n" + Header("B1", 2, 2) +
        "0\r\n0\r\n1\r\n0\r\n" + Header("I4", 2, 2) + "1\r\n2\r\n1\r\n1\r\n";
    EXPECT_EQ(out.Bytes(), expected);
}

TEST(MeshExport, InitialMeshBlocks) {
    TMeshParameters p;
    p.Width = 100;
    p.Height = 10;
    p.SubZonesX = {{50, 0, 5, 5, 1}};
    p.SubZonesY = {{5, 0, 5, 5, 0.6}};
    std::vector<float> x, y;
    GenerateDivisions(p, x, y);
    TCellMatrices cells;
    TPorousTypes porous;
    ClassifyCells(x, y, {}, 10, 10, cells, porous);
    StringTextWriter out;
    WriteMeshFile(out, {p.PorousModel, porous, x, y, p.Height, cells});
    const std::string text = out.Bytes();
    EXPECT_EQ(text.find("* Porous types\r\n2\r\n0\r\n* X divisions\r\n11\r\n 0.00000000000000E+0000\r\n"), 0u);
    const auto yBlock = text.find("* Y Divisions\r\n11\r\n 0.00000000000000E+0000\r\n");
    ASSERT_NE(yBlock, std::string::npos);
    EXPECT_NE(text.find(" 1.00000000000000E+0001\r\n* Matrices\r\n"), std::string::npos);
    // The first vertical boundary above the bottom is 10 − 8.6f.
    EXPECT_NE(text.find(" 1.39999961853027E+0000\r\n", yBlock), std::string::npos);
}

TEST(MeshExport, DiscardedDivisionsWriteEmptyBlocksWithTheLastMatrices) {
    const std::vector<float> none;
    TCellMatrices cells;
    cells.Reset(MakeIntPair(3, 2));
    StringTextWriter out;
    WriteMeshFile(out, {0, {}, none, none, 10.0, cells});
    EXPECT_EQ(out.Bytes().find("* Porous types\r\n0\r\n0\r\n* X divisions\r\n0\r\n* Y Divisions\r\n0\r\n* Matrices\r\n" +
                               Header("R8", 3, 2)),
              0u);
}

TEST(MeshExport, FailurePartWayKeepsThePreviousFile) {
    testing::TempDir dir;
    const auto path = dir / "Mesh.mes";
    testing::WriteBytes(path, "previous mesh");
    const std::vector<float> x{0.0f, 1.0f};
    TCellMatrices cells;
    const TPorousTypes porous;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(ExportMeshFile(path, {2, porous, x, x, nan, cells}), EFloatingPointError);
    EXPECT_EQ(testing::ReadBytes(path), "previous mesh");
    ExportMeshFile(path, {2, porous, x, x, 1.0, cells});
    EXPECT_EQ(testing::ReadBytes(path).find("* Porous types\r\n"), 0u);
}

// The mesh file written the plainest way: one number at a time through the writer.
template <typename Array, typename Text>
void PlainMatrix(TextWriter& out, const Array& matrix, const char* tag, Text text) {
    out.WriteBytes(Header(tag, matrix.Sizes().N0(), matrix.Sizes().N1()));
    for (std::int32_t k = 0; k < matrix.Count(); ++k) out.WriteLine(text(matrix.ItemAt(k)));
}

std::string PlainMeshFile(const TMeshExport& mesh) {
    StringTextWriter out;
    out.WriteLine("* Porous types");
    out.WriteLine(std::to_string(mesh.PorousModel));
    out.WriteLine(std::to_string(mesh.PorousTypes.size()));
    for (const TPorousParameters& p : mesh.PorousTypes) {
        std::string line;
        for (int k : {4, 5, 0, 1, 2, 3}) line += (line.empty() ? "" : " ") + FormatFixed(p[k], 4);
        out.WriteLine(line);
    }
    out.WriteLine("* X divisions");
    out.WriteLine(std::to_string(mesh.DivisionsX.size()));
    for (float x : mesh.DivisionsX) out.WriteLine(FormatReal(x));
    out.WriteLine("* Y Divisions");
    out.WriteLine(std::to_string(mesh.DivisionsY.size()));
    for (std::size_t k = mesh.DivisionsY.size(); k-- > 0;) out.WriteLine(FormatReal(mesh.Height - mesh.DivisionsY[k]));
    out.WriteLine("* Matrices");
    auto real = [](double v) { return FormatFixed(v, 2); };
    PlainMatrix(out, mesh.Cells.AC, "R8", real);
    PlainMatrix(out, mesh.Cells.AR, "R8", real);
    PlainMatrix(out, mesh.Cells.AT, "R8", real);
    PlainMatrix(out, mesh.Cells.VOF, "R8", real);
    PlainMatrix(out, mesh.Cells.Noc, "B1", [](bool v) { return std::string(v ? "1" : "0"); });
    PlainMatrix(out, mesh.Cells.Npc, "I4", [](std::int32_t v) { return std::to_string(v); });
    return out.Bytes();
}

TEST(MeshExport, SameBytesOnAnyNumberOfThreadsAsWrittenOneNumberAtATime) {
    // A flume of 300 × 150 cells: every matrix spans more than one part of the file.
    const TFlumeScenario flume = MakeFlumeScenario(FlumeTypical());
    TCellMatrices cells;
    TPorousTypes porous;
    ClassifyCells(flume.DivisionsX, flume.DivisionsY, flume.Objects, 10, 10, cells, porous);
    const TMeshExport mesh{2, porous, flume.DivisionsX, flume.DivisionsY, flume.Size.Height, cells};
    const std::string plain = PlainMeshFile(mesh);
    ASSERT_GT(cells.AC.Count(), 40000);
    for (std::int32_t threads : {1, 2, 5}) {
        StringTextWriter out;
        WriteMeshFile(out, mesh, threads);
        EXPECT_TRUE(out.Bytes() == plain) << threads << " threads";
    }
    testing::TempDir dir;
    ExportMeshFile(dir / "Mesh.mes", mesh, 3);
    EXPECT_TRUE(testing::ReadBytes(dir / "Mesh.mes") == plain);
}

TEST(MeshExport, AFaultInAnyPartKeepsThePreviousFile) {
    testing::TempDir dir;
    const auto path = dir / "Mesh.mes";
    testing::WriteBytes(path, "previous mesh");
    const std::vector<float> x{0.0f, 0.5f, 1.0f};
    TCellMatrices cells;
    cells.Reset(MakeIntPair(300, 300));
    cells.VOF.Items(299, 299) = std::numeric_limits<double>::infinity();  // in the last part of VOF
    for (std::int32_t threads : {1, 4})
        EXPECT_THROW(ExportMeshFile(path, {2, {}, x, x, 1.0, cells}, threads), EFloatingPointError) << threads;
    EXPECT_EQ(testing::ReadBytes(path), "previous mesh");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(MeshExport, UncreatableFileIsAnInputOutputError) {
    testing::TempDir dir;
    const std::vector<float> x;
    TCellMatrices cells;
    EXPECT_THROW(ExportMeshFile(dir / "no-such-folder" / "Mesh.mes", {2, {}, x, x, 1.0, cells}), EInOutError);
}

}  // namespace
}  // namespace nerim
