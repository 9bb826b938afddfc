// Reading results files and looking up cells.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "mesh/core/cell_inspection.h"
#include "mesh/core/mesh_error.h"
#include "mesh/core/results_file.h"
#include "support/exception.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

void WriteFloats(const std::filesystem::path& file, const std::vector<float>& values) {
    std::ofstream out(file, std::ios::binary);
    for (float v : values) {
        const auto bits = std::bit_cast<std::uint32_t>(v);
        const char bytes[4] = {char(bits), char(bits >> 8), char(bits >> 16), char(bits >> 24)};
        out.write(bytes, 4);
    }
}

std::size_t OpenFiles() {
    const auto fds = std::filesystem::directory_iterator("/proc/self/fd");
    return std::size_t(std::distance(std::filesystem::begin(fds), std::filesystem::end(fds)));
}

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "no error";
}

TEST(ResultsFile, ReadsLittleEndianFloatsInStorageOrderAndTracksTheRange) {
    testing::TempDir dir;
    WriteFloats(dir / "U0001.dat", {1.5f, -2, 4, 0.1f, 3, 0, 99});  // one value more than asked
    TDoubleArray results(MakeIntPair(1, 1));
    double lo = 0, hi = 0;
    LoadResultsFile(dir / "U0001.dat", MakeIntPair(3, 2), results, lo, hi);
    EXPECT_EQ(results.Sizes(), MakeIntPair(3, 2));
    EXPECT_EQ(results.Items(0, 0), 1.5);
    EXPECT_EQ(results.Items(2, 0), 4.0);
    EXPECT_EQ(results.Items(0, 1), double(0.1f));
    EXPECT_EQ(lo, -2.0);
    EXPECT_EQ(hi, 4.0);
}

TEST(ResultsFile, ShortOrMissingFilesSayHowManyValuesWereRead) {
    testing::TempDir dir;
    WriteFloats(dir / "K0012.dat", {2, -1, 5});
    // A partial fifth value does not count.
    std::ofstream(dir / "K0012.dat", std::ios::binary | std::ios::app).write("\x01\x02", 2);
    TDoubleArray results(MakeIntPair(3, 2));
    results.Fill(7.0);
    double lo = 0, hi = 0;
    const std::size_t open = OpenFiles();
    const std::string shortFile = MessageOf([&] { LoadResultsFile(dir / "K0012.dat", MakeIntPair(3, 2), results, lo, hi); });
    EXPECT_NE(shortFile.find("K0012.dat"), std::string::npos) << shortFile;
    EXPECT_NE(shortFile.find("se han leído 3 de 6 valores"), std::string::npos) << shortFile;
    EXPECT_EQ(OpenFiles(), open);
    EXPECT_EQ(results.Items(1, 0), -1.0);
    EXPECT_EQ(results.Items(2, 0), 5.0);
    EXPECT_EQ(results.Items(0, 1), 0.0);  // not the value of an earlier file
    EXPECT_EQ(lo, -1.0);
    EXPECT_EQ(hi, 5.0);

    const std::string missing = MessageOf([&] { LoadResultsFile(dir / "P0001.dat", MakeIntPair(4, 5), results, lo, hi); });
    EXPECT_NE(missing.find("P0001.dat"), std::string::npos) << missing;
    EXPECT_NE(missing.find("se han leído 0 de 20 valores"), std::string::npos) << missing;
    EXPECT_EQ(lo, 1e100);
    EXPECT_EQ(hi, -1e100);
    EXPECT_EQ(results.Sizes(), MakeIntPair(3, 2));  // the file never opened
    const std::string directory = MessageOf([&] { LoadResultsFile(dir.Path(), MakeIntPair(1, 1), results, lo, hi); });
    EXPECT_NE(directory.find("0 de 1 valores"), std::string::npos) << directory;
}

TEST(ResultsFile, SizesBeyondTheCellLimitAreRefusedBeforeAnythingIsAllocated) {
    testing::TempDir dir;
    WriteFloats(dir / "U0001.dat", {1, 2, 3});
    TDoubleArray results(MakeIntPair(3, 1));
    double lo = 0, hi = 0;
    EXPECT_THROW(LoadResultsFile(dir / "U0001.dat", MakeIntPair(20001, 5000), results, lo, hi), EMeshError);
    EXPECT_EQ(results.Sizes(), MakeIntPair(3, 1));
}

TEST(CellLookup, BinarySearchOnTheBoundaries) {
    const std::vector<float> x = {0, 19, 33.5f, 43.5f, 49, 50, 51, 56.5f, 66.5f, 81, 100};
    const std::vector<float> y = {0, 1.4f, 2.6f, 3.6f, 4.4f, 5, 5.6f, 6.4f, 7.4f, 8.6f, 10};
    const auto cell = CellAt(x, y, {20, 0.5});
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->I, 2);
    EXPECT_EQ(cell->J, 0);
    EXPECT_EQ(cell->R, 10);  // the top row
    EXPECT_EQ(CellAt(x, y, {19, 0})->I, 2);     // a boundary belongs to the cell after it
    EXPECT_EQ(CellAt(x, y, {100, 10})->I, 10);  // except the last one
    EXPECT_EQ(CellAt(x, y, {100, 10})->R, 1);
    EXPECT_FALSE(CellAt(x, y, {-0.001, 5}));
    EXPECT_FALSE(CellAt(x, y, {50, 10.001}));
    EXPECT_FALSE(CellAt({0}, y, {0, 5}));
    // Cells of size zero are stepped over.
    EXPECT_EQ(CellAt({0, 1, 1, 2}, {0, 1}, {1, 0.5})->I, 3);
    EXPECT_EQ(CellAt({0, 1, 2, 2}, {0, 1}, {2, 0.5})->I, 2);
    EXPECT_FALSE(CellAt({1, 1}, {0, 1}, {1, 0.5}));
}

TEST(CellLookup, EveryMatrixValueAtACellWhereTheMatricesReach) {
    TCellMatrices cells;
    cells.Reset(MakeIntPair(4, 3));
    cells.Npc.Items(2, 1) = 3;
    cells.VOF.Items(2, 1) = 0.25;
    TDoubleArray results(MakeIntPair(2, 2));
    const TCellValues v = CellValues(cells, results, 2, 1);
    EXPECT_EQ(v.AC, 1.0);
    EXPECT_EQ(v.VOF, 0.25);
    EXPECT_EQ(v.Noc, false);
    EXPECT_EQ(v.Npc, 3);
    EXPECT_FALSE(v.Results);
    const TCellValues outside = CellValues(cells, results, 4, 1);
    EXPECT_FALSE(outside.AC || outside.Npc || outside.Noc || outside.Results);
}

}  // namespace
}  // namespace nerim
