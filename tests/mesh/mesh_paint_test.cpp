// The mesh's painting: chosen pixels on small meshes, and the whole picture against the plain
// painting of one fill per cell and one line per boundary.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <fstream>
#include <random>

#include "canvas/widget/canvax_view.h"
#include "canvas/ce_layer.h"
#include "mesh/core/cell_colors.h"
#include "mesh/core/cell_raster.h"
#include "mesh/tamrix_mesh.h"
#include "tests/canvas/canvas_test_support.h"
#include "tests/common/temp_dir.h"
#include "tests/mesh/reference_mesh_paint.h"

namespace nerim {
namespace {

using testing::SizeView;

void WriteResults(const std::filesystem::path& file, const std::vector<float>& values) {
    std::ofstream out(file, std::ios::binary);
    for (float v : values) {
        const auto bits = std::bit_cast<std::uint32_t>(v);
        const char bytes[4] = {char(bits), char(bits >> 8), char(bits >> 16), char(bits >> 24)};
        out.write(bytes, 4);
    }
}

TClassifiedObject Disc(TMaterialKind kind, double cx, double cy, double radius) {
    TClassifiedObject o;
    o.Kind = kind;
    o.ContainsPoint = [=](const TPoint2D& p) { return std::hypot(p.X - cx, p.Y - cy) < radius; };
    return o;
}

class MeshPaint : public ::testing::Test {
protected:
    void SetUp() override {
        SizeView(view, 160, 90);
        view.SetCanvax(&canvax);
        layer->Show();
    }

    // World units per pixel along x and y, and the world point at pixel (0, 0).
    void Frame(double sx, double sy, double ox = 0, double oy = 0) { view.SetReferences({ox, oy}, {sx, 0}, {0, sy}); }

    // A background that shows any difference in blending.
    void Scramble() {
        QImage& image = view.GetCanvas()->Image();
        std::mt19937 random(7);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFFu));
    }
    QImage Painted() {
        Scramble();
        mesh->Paint(view);
        return view.GetCanvas()->Image().copy();
    }
    QImage Reference() {
        Scramble();
        testing::ReferencePaintMesh(*mesh, view);
        return view.GetCanvas()->Image().copy();
    }
    // The pixel at a world point of the last picture painted.
    std::uint32_t At(const QImage& image, double x, double y) const {
        const TPoint2D s = view.WorldToScreen({x, y});
        return image.pixel(int(std::floor(s.X)), int(std::floor(s.Y)));
    }

    TCanvax canvax;
    TCanvaxView view;
    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(canvax, "Malla");
    ElementHandle<TCETamrixMesh> mesh = MakeElement<TCETamrixMesh>(canvax, *layer, 100.0, 10.0);
    testing::TempDir dir;
};

// The initial axes (cells 19 … 1 … 19 along X, 1.4 … 0.6 … 1.4 along Y) drawn large: 4 px per
// world unit along X, 40 along Y, the domain from pixel (0, 0).
class SmallMeshPaint : public MeshPaint {
protected:
    void SetUp() override {
        MeshPaint::SetUp();
        SizeView(view, 420, 420);
        mesh->AddSubZoneX(5, 5, 0.0, 50.0, 1.0);
        mesh->AddSubZoneY(5, 5, 0.0, 5.0, 0.6);
        mesh->GenerateDivisions();
        mesh->SetCurrentSubZoneX(-1);  // no bands
        mesh->SetCurrentSubZoneY(-1);
        Frame(0.25, 0.025);
    }
    // A point inside cell (i, r), away from its lines.
    TPoint2D Inside(int i, int r) const {
        const int j = mesh->DivisionYCount() - 1 - r;
        return {(mesh->DivisionX(i - 1) + mesh->DivisionX(i)) / 2, (mesh->DivisionY(j) + mesh->DivisionY(j + 1)) / 2};
    }
    std::uint32_t Cell(const QImage& image, int i, int r) const {
        const TPoint2D p = Inside(i, r);
        return At(image, p.X, p.Y);
    }
};

TEST_F(SmallMeshPaint, ResultsRunRedAboveZeroAndBlueBelowIt) {
    std::vector<float> values(121, 1.0f);
    values[3 * 11 + 2] = 4.0f;   // (2, 3)
    values[3 * 11 + 3] = -2.0f;  // (3, 3)
    values[3 * 11 + 4] = 0.0f;   // (4, 3)
    WriteResults(dir / "U0001.dat", values);
    mesh->LoadResults(dir / "U0001.dat");
    EXPECT_EQ(mesh->ResultsMin(), -2.0);
    EXPECT_EQ(mesh->ResultsMax(), 4.0);
    const QImage plain = Painted();
    mesh->SetShownVariable(&mesh->Results());
    const QImage shown = Painted();
    EXPECT_EQ(Cell(shown, 2, 3), 0xFFFF5050u);  // (255, 255, 80, 80) covers what was there
    EXPECT_EQ(Cell(shown, 3, 3), 0xFF5050FFu);  // (255, 80, 80, 255)
    EXPECT_EQ(Cell(shown, 4, 3), Cell(plain, 4, 3));
    // 1 of 4: opacity 64.
    EXPECT_EQ(Cell(shown, 5, 3), BlendPixel(Cell(plain, 5, 3), Argb(64, 255, 80, 80)));
}

TEST_F(SmallMeshPaint, PorousTypesAtOpacitySixtyAndNoGhostCells) {
    mesh->ClassifyCells(std::vector<TClassifiedObject>{Disc(mkPorous, 50, 5, 3)}, 4, 4);
    ASSERT_EQ(mesh->Npc().Items(5, 5), 2);
    ASSERT_EQ(mesh->Npc().Items(1, 1), 1);
    const QImage plain = Painted();
    mesh->SetShownVariable(&mesh->Npc());
    const QImage shown = Painted();
    EXPECT_EQ(Cell(shown, 5, 5), BlendPixel(Cell(plain, 5, 5), Argb(60, 0, 127, 0)));
    EXPECT_EQ(Cell(shown, 1, 1), BlendPixel(Cell(plain, 1, 1), Argb(60, 127, 0, 0)));
    EXPECT_EQ(Cell(shown, 10, 10), BlendPixel(Cell(plain, 10, 10), Argb(60, 127, 0, 0)));

    // A finer Y axis without a new classification: the matrix's ghost row would fall on the
    // band between y(10) and y(11), and its rows 1 … 10 go on the ten bands above.
    mesh->SetSubZoneY(0, {5.0, 0.0, 10, 10, 0.3});
    mesh->GenerateDivisions();
    ASSERT_EQ(mesh->DivisionYCount(), 21);
    const QImage finer = Painted();
    mesh->SetShownVariable(TMatrixRef{});
    const QImage finerPlain = Painted();
    const double ghostY = (mesh->DivisionY(10) + mesh->DivisionY(11)) / 2;
    const double rowOneY = (mesh->DivisionY(9) + mesh->DivisionY(10)) / 2;
    EXPECT_EQ(At(finer, 30, ghostY), At(finerPlain, 30, ghostY));
    EXPECT_NE(At(finer, 30, rowOneY), At(finerPlain, 30, rowOneY));
}

TEST_F(SmallMeshPaint, BooleansAndIntegersOutsideThePaletteDrawOnlyWhereTheyShould) {
    mesh->ClassifyCells(std::vector<TClassifiedObject>{Disc(mkObstacle, 50, 5, 3)}, 4, 4);
    const QImage plain = Painted();
    mesh->SetShownVariable(&mesh->Noc());
    const QImage shown = Painted();
    EXPECT_EQ(Cell(shown, 5, 5), BlendPixel(Cell(plain, 5, 5), Argb(100, 255, 200, 200)));
    EXPECT_EQ(Cell(shown, 1, 1), Cell(plain, 1, 1));
    EXPECT_EQ(IntegerCellColor(0), 0u);
    EXPECT_EQ(IntegerCellColor(13), 0u);
    EXPECT_EQ(IntegerCellColor(-1), 0u);
    EXPECT_EQ(IntegerCellColor(12), Argb(60, 0, 255, 255));
    // No results loaded: both limits 0, so any positive value is fully red.
    EXPECT_EQ(RealCellColor(0.5, 0, 0), Argb(255, 255, 80, 80));
    EXPECT_EQ(RealCellColor(0.0, 0, 0), Argb(0, 255, 80, 80));
    EXPECT_EQ(RealCellColor(std::nan(""), -1, 1), Argb(0, 80, 80, 255));
}

TEST_F(SmallMeshPaint, PickedCellMarkerOnlyInsideTheBoundaries) {
    const QImage none = Painted();
    for (const TIntPair picked : {TIntPair{0, 3}, TIntPair{3, 0}, TIntPair{11, 3}, TIntPair{3, 11}}) {
        mesh->SetPickedCell(picked.I, picked.J);
        EXPECT_TRUE(Painted() == none) << picked.I << "," << picked.J;
    }
    mesh->SetPickedCell(10, 10);  // the bottom-right corner of the domain
    const QImage marked = Painted();
    const TPoint2D corner = view.WorldToScreen({100, 10});
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy) {
            const int x = int(corner.X) + dx, y = int(corner.Y) + dy;
            const bool inSquare = std::abs(dx) <= 1 && std::abs(dy) <= 1;
            if (inSquare) EXPECT_EQ(marked.pixel(x, y), BlendPixel(none.pixel(x, y), kPickedCellColor)) << dx << dy;
            else EXPECT_EQ(marked.pixel(x, y), none.pixel(x, y)) << dx << dy;
        }
}

// Zoomed in so far that the domain's far corner and the picked boundary point lie some 1e11
// pixels away, beyond the largest pixel coordinate: the outline's near edges are drawn and
// nothing overflows on the way (the sanitizer build checks the arithmetic).
TEST_F(SmallMeshPaint, OutlineAndMarkerBeyondTheLargestPixelCoordinate) {
    Frame(1e-9, 1e-9, -1e-7, -1e-7);  // the domain's top-left corner at pixel (100, 100)
    mesh->SetPickedCell(10, 10);
    ASSERT_GT(view.WorldToScreen({100, 10}).X, double(INT_MAX));
    Scramble();
    const QImage background = view.GetCanvas()->Image().copy();
    mesh->Paint(view);
    const QImage& painted = view.GetCanvas()->Image();
    EXPECT_NE(painted.pixel(100, 300), background.pixel(100, 300));
    EXPECT_NE(painted.pixel(300, 100), background.pixel(300, 100));
    EXPECT_EQ(painted.pixel(50, 50), background.pixel(50, 50));
}

TEST_F(SmallMeshPaint, NothingInsideAChangeBracket) {
    mesh->SetShownVariable(&mesh->Npc());
    mesh->BeginChanges();
    Scramble();
    const QImage before = view.GetCanvas()->Image().copy();
    mesh->Paint(view);
    EXPECT_TRUE(view.GetCanvas()->Image() == before);
    mesh->EndChanges();
    mesh->Paint(view);
    EXPECT_FALSE(view.GetCanvas()->Image() == before);
}

// A graded mesh with cells from a fiftieth of a pixel to dozens of pixels, its matrices from a
// classification and a results file of random values.
class FastPaint : public MeshPaint {
protected:
    void SetUp() override {
        MeshPaint::SetUp();
        mesh->AddSubZoneX(300, 200, 0.0, 61.3, 0.03);
        mesh->AddSubZoneY(120, 40, 0.0, 7.1, 0.01);
        mesh->AddSubZoneY(6, 6, 8.0, 9.0, 0.1);
        mesh->GenerateDivisions();
        mesh->SetCurrentSubZoneY(1);
        mesh->ClassifyCells(std::vector<TClassifiedObject>{Disc(mkPorous, 60, 7, 2), Disc(mkObstacle, 62, 8, 1),
                                                           Disc(mkPorous, 40, 3, 5)},
                            2, 2);
        std::mt19937 random(3);
        std::uniform_real_distribution<float> value(-2.0f, 4.0f);
        std::vector<float> values(std::size_t(mesh->DivisionXCount() * mesh->DivisionYCount()));
        for (float& v : values) v = value(random);
        WriteResults(dir / "P0001.dat", values);
        mesh->LoadResults(dir / "P0001.dat");
        mesh->SetPickedCell(300, 100);
    }
    void ExpectSameAsReference(const std::string& what) {
        for (const TMeshVariable& variable : mesh->Variables()) {
            mesh->SetShownVariable(variable.Matrix);
            EXPECT_TRUE(Painted() == Reference()) << what << ", " << variable.Name;
        }
        mesh->SetShownVariable(TMatrixRef{});
        EXPECT_TRUE(Painted() == Reference()) << what << ", nothing shown";
    }
};

TEST_F(FastPaint, SameAsOneFillPerCellAtEveryZoom) {
    Frame(102.2 / 160, 102.2 / 160, -1.1, -30.3);  // the whole domain: most X cells under a pixel
    ExpectSameAsReference("whole domain");
    Frame(0.013, 0.013, 58.31, 6.57);  // into the finest cells, cut by the view's edges
    ExpectSameAsReference("zoomed in");
    Frame(0.005, 0.0125, 60.0, 6.9);  // edges on half pixels: 0.03 / 0.005 and 0.01 / 0.0125
    ExpectSameAsReference("half pixels");
    Frame(3.0, 0.5, -150, -10);  // the domain a speck in the view
    ExpectSameAsReference("far away");
}

TEST_F(FastPaint, SameAsOneFillPerCellOnMirroredAndTurnedViews) {
    Frame(-0.05, 0.02, 66.0, 6.0);
    ExpectSameAsReference("mirrored x");
    Frame(0.05, -0.02, 58.0, 8.5);
    ExpectSameAsReference("mirrored y");
    view.SetReferences({58.0, 5.0}, {0.04, 0.01}, {-0.01, 0.04});
    ExpectSameAsReference("turned");
}

TEST(CellRaster, RefusesEdgesThatTurnBack) {
    std::vector<std::uint32_t> pixels(16, 0xFF102030u);
    const TPixelBuffer buffer{pixels.data(), 4, 4, 4};
    int asked = 0;
    const TRowColors colors = [&](std::int32_t, const std::int32_t*, std::size_t n, TArgb* out) {
        ++asked;
        std::fill(out, out + n, Argb(255, 1, 2, 3));
    };
    EXPECT_FALSE(BlendCells(buffer, {{0, 2, 1}, 0}, {{0, 4}, 0}, colors));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(pixels[0], 0xFF102030u);
    EXPECT_TRUE(BlendCells(buffer, {{4, 2, 2, -9}, 0}, {{0, 1}, 0}, colors));  // running down the screen
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(pixels[0], 0xFF010203u);
    EXPECT_EQ(pixels[4], 0xFF102030u);
}

}  // namespace
}  // namespace nerim
