#include "objects/core/survey_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "support/exception.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

using TPoints = std::vector<TPoint2D>;

std::string ErrorOf(auto make) {
    try {
        make();
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "no error";
}

// The domain of these tests: 100 × 10, so model (X, Y) is world (X, 10 − Y).
constexpr double kWidth = 100.0;
constexpr double kHeight = 10.0;

TEST(ProfilePolygon, InsideTheDomainItIsClosedDownToTheBed) {
    const TSurveyPolygon polygon = ProfilePolygon({{10, 2}, {50, 4}, {90, 3}}, kWidth, kHeight, "perfil.txt");
    EXPECT_EQ(polygon.Vertices, (TPoints{{10, 8}, {50, 6}, {90, 7}, {90, 10}, {10, 10}}));
    EXPECT_FALSE(polygon.Clipped);
    EXPECT_EQ(polygon.Note, "");
    // From right to left, and already touching the bed at one end.
    EXPECT_EQ(ProfilePolygon({{90, 0}, {50, 4}, {10, 2}}, kWidth, kHeight, "p").Vertices,
              (TPoints{{90, 10}, {50, 6}, {10, 8}, {10, 10}}));
}

TEST(ProfilePolygon, LeavingTheDomainIsClippedToItWithANote) {
    // Beyond both sides and above the top: the edges of the domain close it.
    const TSurveyPolygon polygon = ProfilePolygon({{-20, 2}, {80, 12}, {120, 12}}, kWidth, kHeight, "bed.csv");
    EXPECT_EQ(polygon.Vertices, (TPoints{{0, 6}, {60, 0}, {100, 0}, {100, 10}, {0, 10}}));
    EXPECT_TRUE(polygon.Clipped);
    EXPECT_EQ(polygon.Note, "El perfil de \"bed.csv\" sale del dominio (0 ≤ X ≤ 100, 0 ≤ Y ≤ 10) y se ha recortado a él");
    // Dipping below the bed leaves two parts joined along it, without spikes.
    const TSurveyPolygon dip = ProfilePolygon({{0, 2}, {50, -2}, {100, 2}}, kWidth, kHeight, "p");
    EXPECT_TRUE(dip.Clipped);
    EXPECT_EQ(dip.Vertices, (TPoints{{0, 8}, {25, 10}, {75, 10}, {100, 8}, {100, 10}, {0, 10}}));
}

TEST(ProfilePolygon, TooFewPointsOrNoAreaAreErrorsNamingTheFile) {
    EXPECT_EQ(ErrorOf([] { ProfilePolygon({{1, 1}}, kWidth, kHeight, "uno.txt"); }),
              "Un perfil necesita al menos dos puntos y no hay tantos en \"uno.txt\"");
    for (const TPoints& points : {TPoints{{-10, 1}, {-5, 3}}, TPoints{{10, 0}, {20, 0}}, TPoints{{5, 3}, {5, 8}},
                                  TPoints{{10, -3}, {90, -1}}})
        EXPECT_EQ(ErrorOf([&] { ProfilePolygon(points, kWidth, kHeight, "p.txt"); }),
                  "El perfil no deja ninguna superficie dentro del dominio (0 ≤ X ≤ 100, 0 ≤ Y ≤ 10) en \"p.txt\"");
}

TEST(OutlinePolygon, ClosedOutlinesKeepTheirShapeAndSayWhenTheyLeaveTheDomain) {
    const TPoints square{{10, 1}, {20, 1}, {20, 5}, {10, 5}};
    TPoints closed = square;
    closed.push_back(square.front());
    for (const TPoints& points : {square, closed}) {
        const TSurveyPolygon polygon = OutlinePolygon(points, kWidth, kHeight, "caja.txt");
        EXPECT_EQ(polygon.Vertices, (TPoints{{10, 9}, {20, 9}, {20, 5}, {10, 5}}));
        EXPECT_EQ(polygon.Note, "");
    }
    const TSurveyPolygon out = OutlinePolygon({{90, 1}, {110, 1}, {100, 5}}, kWidth, kHeight, "dique.txt");
    EXPECT_EQ(out.Vertices, (TPoints{{90, 9}, {110, 9}, {100, 5}}));  // as drawn by hand: not cut
    EXPECT_TRUE(out.Clipped);
    EXPECT_EQ(out.Note, "El contorno de \"dique.txt\" sale del dominio (0 ≤ X ≤ 100, 0 ≤ Y ≤ 10)");
}

TEST(OutlinePolygon, TooFewPointsNoAreaOrWhollyOutsideAreErrors) {
    EXPECT_EQ(ErrorOf([] { OutlinePolygon({{1, 1}, {2, 2}, {1, 1}}, kWidth, kHeight, "o.txt"); }),
              "Un contorno necesita al menos tres puntos y no hay tantos en \"o.txt\"");
    EXPECT_EQ(ErrorOf([] { OutlinePolygon({{1, 1}, {2, 2}, {3, 3}}, kWidth, kHeight, "o.txt"); }),
              "El contorno no encierra ninguna superficie en \"o.txt\"");
    EXPECT_EQ(ErrorOf([] { OutlinePolygon({{200, 1}, {210, 1}, {205, 5}}, kWidth, kHeight, "o.txt"); }),
              "El contorno queda fuera del dominio (0 ≤ X ≤ 100, 0 ≤ Y ≤ 10) en \"o.txt\"");
}

TEST(SurveyMaterial, NamesInEnglishOrSpanishMakeTheirMaterials) {
    EXPECT_EQ(SurveyMaterialByName("Obstacle"), TSurveyMaterial::Obstacle);
    EXPECT_EQ(SurveyMaterialByName("obstáculo"), TSurveyMaterial::Obstacle);
    EXPECT_EQ(SurveyMaterialByName("POROSO"), TSurveyMaterial::Porous);
    EXPECT_EQ(SurveyMaterialByName("agua"), TSurveyMaterial::Water);
    EXPECT_EQ(SurveyMaterialByName("sand"), std::nullopt);
    EXPECT_EQ(SurveyMaterialByName(""), std::nullopt);

    const auto porous = NamedSurveyMaterial(TSurveyMaterial::Porous, "núcleo");
    ASSERT_NE(dynamic_cast<const TPorousMediumDef*>(porous.get()), nullptr);
    EXPECT_EQ(porous->Name, "núcleo");
    EXPECT_EQ(static_cast<const TPorousMediumDef&>(*porous).Parameters(), TPorousMediumDef::DefaultParameters());
    EXPECT_NE(dynamic_cast<const TWaterDef*>(NamedSurveyMaterial(TSurveyMaterial::Water, "").get()), nullptr);
    // As made by hand: each new one takes the next number.
    const int next = TObstacleDef::NameCounter();
    EXPECT_NE(dynamic_cast<const TObstacleDef*>(NewSurveyMaterial(TSurveyMaterial::Obstacle).get()), nullptr);
    EXPECT_EQ(TObstacleDef::NameCounter(), next + 1);
}

TEST(SurveyImport, FilesBecomeObjectsForTheWindow) {
    testing::TempDir dir;
    testing::WriteBytes(dir / "fondo.csv", "X;Y\r\n-5;1\r\n50;3\r\n100;1\r\n");
    const TImportedObject profile = ImportProfile(dir / "fondo.csv", kWidth, kHeight);
    EXPECT_EQ(profile.Polygon.Vertices.size(), 5u);
    EXPECT_TRUE(profile.Polygon.Clipped);
    EXPECT_NE(dynamic_cast<const TObstacleDef*>(profile.Definition.get()), nullptr);

    testing::WriteBytes(dir / "capa.txt", "10 1\n20 1\n15 4\n");
    const TImportedObject outline = ImportOutline(dir / "capa.txt", kWidth, kHeight, TSurveyMaterial::Porous);
    EXPECT_EQ(outline.Polygon.Vertices, (TPoints{{10, 9}, {20, 9}, {15, 6}}));
    EXPECT_NE(dynamic_cast<const TPorousMediumDef*>(outline.Definition.get()), nullptr);

    testing::WriteBytes(dir / "malo.txt", "10 1\n20 x\n");
    EXPECT_EQ(ErrorOf([&] { ImportOutline(dir / "malo.txt", kWidth, kHeight, TSurveyMaterial::Water); }),
              "Número no válido (\"x\") en \"" + (dir / "malo.txt").string() + "\", línea 2");
}

}  // namespace
}  // namespace nerim
