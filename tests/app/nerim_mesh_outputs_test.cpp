// What nerim-mesh makes besides the mesh file: the picture, the quality summary and CSV, results.
#include <gtest/gtest.h>

#include <QImage>
#include <fstream>

#include "tests/app/mesher_run.h"

namespace nerim {
namespace {

using testing::ReadBytes;
using testing::RunMesher;
using testing::TempDir;
using testing::TRun;

const std::filesystem::path kData = std::filesystem::path(NERIM_TEST_DATA);

class MesherOutputs : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::copy_file(kData / "golden" / "project.dat", dir / "project.dat"); }
    QImage Picture(const std::string& options) {
        std::filesystem::remove(dir / "p.png");
        const TRun run = RunMesher(dir, "--quiet --picture p.png " + options + " project.dat");
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        return QImage(QString::fromStdString((dir / "p.png").string())).convertToFormat(QImage::Format_RGB32);
    }
    TempDir dir;
};

TEST_F(MesherOutputs, PictureOfTheFittedViewWithTheChosenMatrixAndPickedCell) {
    // The 4 × 2 domain fitted across 160 px: scale 4.12 / 160, the domain 155 × 78 px, centred.
    const QImage none = Picture("--size 160x120");
    ASSERT_EQ(none.size(), QSize(160, 120));
    EXPECT_EQ(none.pixel(80, 5), qRgb(0, 0, 0));  // the black background above the domain
    EXPECT_NE(none.pixel(80, 60), qRgb(0, 0, 0));
    const QImage npc = Picture("--size 160x120 --variable Npc");
    const QImage npcAgain = Picture("--size 160x120 --variable npc");
    EXPECT_TRUE(npc == npcAgain);
    EXPECT_FALSE(npc == none);
    EXPECT_EQ(npc.pixel(80, 5), qRgb(0, 0, 0));
    const QImage picked = Picture("--size 160x120 --variable Npc --pick 3,2");
    int changed = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x) changed += picked.pixel(x, y) != npc.pixel(x, y);
    EXPECT_EQ(changed, 9);  // the three-pixel marker
    EXPECT_EQ(Picture("").size(), QSize(1600, 900));
}

TEST_F(MesherOutputs, QualitySummaryAndCsv) {
    const TRun run = RunMesher(dir, "--quiet --quality --quality-csv q.csv project.dat");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "X: 4 celdas; la menor 1.0000 (celda 1), la mayor 1.0000 (celda 1); razón máxima entre vecinas 1.0000 "
              "(celdas 1 y 2); 0 puntos rojos\n"
              "Y: 2 celdas; la menor 1.0000 (celda 1), la mayor 1.0000 (celda 1); razón máxima entre vecinas 1.0000 "
              "(celdas 1 y 2); 0 puntos rojos\n");
    const std::string csv = ReadBytes(dir / "q.csv");
    EXPECT_EQ(csv.rfind("series,x,y,color,label\r\nDelta X,0.5,1,black,\r\n", 0), 0u) << csv;
    EXPECT_NE(csv.find("\r\nDelta2 Y,1,0,green,1.0000 (2)\r\n"), std::string::npos) << csv;

    std::filesystem::copy_file(kData / "zero_cells.dat", dir / "zero.dat");
    const TRun zero = RunMesher(dir, "--quiet --quality zero.dat");
    EXPECT_EQ(zero.Status, 1);
    EXPECT_EQ(zero.Err, "nerim-mesh: zero.dat: La pendiente entre las celdas 2 y 3 es una división por cero\n");
}

TEST_F(MesherOutputs, ResultsColourTheRealMatrices) {
    // 5 × 3 values for the 5 × 3 boundaries: -1 at the second column, 2 elsewhere.
    std::ofstream out(dir / "P0001.dat", std::ios::binary);
    for (int k = 0; k < 15; ++k) {
        const float v = k % 5 == 1 ? -1.0f : 2.0f;
        out.write(reinterpret_cast<const char*>(&v), 4);  // this machine is little-endian
    }
    out.close();
    const QImage shown = Picture("--size 160x120 --results P0001.dat --variable Results");
    // The first column of cells is blue at full opacity, the others red.
    EXPECT_EQ(shown.pixel(20, 45), qRgb(80, 80, 255));
    EXPECT_EQ(shown.pixel(60, 45), qRgb(255, 80, 80));

    std::ofstream(dir / "short.dat", std::ios::binary).write("\0\0\0\0", 4);
    const TRun bad = RunMesher(dir, "--quiet --results short.dat project.dat");
    EXPECT_EQ(bad.Status, 1);
    EXPECT_NE(bad.Err.find("short.dat"), std::string::npos) << bad.Err;
    EXPECT_NE(bad.Err.find("se han leído 1 de 15 valores"), std::string::npos) << bad.Err;
    EXPECT_EQ(std::count(bad.Err.begin(), bad.Err.end(), '\n'), 1) << bad.Err;
}

TEST_F(MesherOutputs, WrongPictureOptionsExitWithTwo) {
    for (const char* arguments :
         {"--picture p.png --variable XYZ project.dat", "--picture p.png --size 15x100 project.dat",
          "--picture p.png --size 100 project.dat", "--picture p.png --size 100x20000 project.dat",
          "--picture p.png --size axb project.dat", "--picture p.png --pick 1 project.dat",
          "--picture p.png --pick 1,b project.dat", "--size 20x20 project.dat", "--variable Npc project.dat",
          "--pick 1,1 project.dat", "--picture", "--results", "--quality-csv"}) {
        const TRun run = RunMesher(dir, arguments);
        EXPECT_EQ(run.Status, 2) << arguments;
        EXPECT_EQ(run.Err.rfind("nerim-mesh: ", 0), 0u) << arguments;
        EXPECT_NE(run.Err.find("; see nerim-mesh --help\n"), std::string::npos) << arguments;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << arguments;
    }
    const TRun help = RunMesher(dir, "--help");
    for (const char* option : {"--picture", "--size", "--variable", "--pick", "--results", "--quality", "--quality-csv"})
        EXPECT_NE(help.Out.find(option), std::string::npos) << option;
    const TRun unwritable = RunMesher(dir, "--quiet --picture missing/p.png project.dat");
    EXPECT_EQ(unwritable.Status, 1);
    EXPECT_EQ(unwritable.Err.rfind("nerim-mesh: project.dat: ", 0), 0u) << unwritable.Err;
    // Without the picture program beside it, a picture run says so and writes nothing.
    std::filesystem::remove(dir / "Mesh.mes");
    std::filesystem::create_directory(dir / "bin");
    std::filesystem::copy_file(std::filesystem::path(NERIM_BIN_DIR) / "nerim-mesh", dir / "bin" / "nerim-mesh");
    const std::string alone = "cd '" + dir.Path().string() + "' && bin/nerim-mesh --picture p.png project.dat 2>err.txt";
    EXPECT_EQ(WEXITSTATUS(std::system(alone.c_str())), 1);
    EXPECT_EQ(ReadBytes(dir / "err.txt").rfind("nerim-mesh: --picture needs \"" + (dir / "bin").string() +
                                                   "/nerim-mesh-picture\", which cannot be run (",
                                               0),
              0u)
        << ReadBytes(dir / "err.txt");
    EXPECT_FALSE(std::filesystem::exists(dir / "Mesh.mes"));
    EXPECT_NE(unwritable.Err.find("missing/p.png"), std::string::npos) << unwritable.Err;
}

}  // namespace
}  // namespace nerim
