#pragma once

// Wave-flume meshes with a rubble-mound breakwater on a sloping bed, generated deterministically
// for the benchmarks and for the tests that compare the classification with the plain sampling.
//
// World coordinates: x to the right from the flume's wave-maker end, y downwards from the top of
// the domain; the bed lies near y = Height. Objects, in classification order: the seabed
// (obstacle), the outer and inner armour layers and the core (porous media), the crown wall
// (obstacle) and the water (up to just below mid-height).

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "mesh/core/cell_classification.h"
#include "mesh/core/grading.h"
#include "objects/core/polyline.h"

namespace nerim {

// Sizes of a flume scenario.
struct TFlumeSize {
    double Width = 30.0;
    double Height = 1.5;
    std::int32_t CellsX = 300;
    std::int32_t CellsY = 150;
    std::int32_t SeabedVertices = 40;
    std::int32_t CoreVertices = 8;
    std::int32_t InnerArmourVertices = 12;
    std::int32_t OuterArmourVertices = 16;
    std::int32_t NX = 10;
    std::int32_t NY = 10;
};

struct TFlumeScenario {
    TFlumeSize Size;
    // The one sub-zone per axis the divisions are generated from.
    TSubZone SubZoneX;
    TSubZone SubZoneY;
    std::vector<float> DivisionsX;
    std::vector<float> DivisionsY;
    // The objects refer to these vertex lists.
    std::vector<std::unique_ptr<TPLPolyLine>> Lines;
    std::vector<TClassifiedObject> Objects;
};

namespace flume {

// A small deterministic generator (splitmix64): the same numbers on every platform.
class TNoise {
public:
    explicit TNoise(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    // Uniform in [a, b).
    double Range(double a, double b) { return a + (b - a) * Unit(); }

private:
    std::uint64_t state_;
};

// Bed elevation above the domain's bottom: flat at 10 % of the height, a beach rising by a
// quarter of the height over the last quarter of the length, and ripples.
inline double BedElevation(const TFlumeSize& s, double x) {
    const double beachStart = 0.75 * s.Width;
    double z = 0.1 * s.Height;
    if (x > beachStart) z += (x - beachStart) / s.Width * s.Height;
    return z + 0.01 * s.Height * std::sin(x * 2.3) + 0.005 * s.Height * std::sin(x * 7.1 + 1.0);
}

// The outline of a trapezoid (base at y = baseY from x = left to right, crest at y = crestY and
// half-width crestHalf around centre) as `vertices` points, its sides subdivided and roughened.
inline std::vector<TPoint2D> Trapezoid(double centre, double halfBase, double crestHalf, double baseY, double crestY,
                                       std::int32_t vertices, double roughness, TNoise& noise) {
    const TPoint2D corners[4] = {{centre - halfBase, baseY},
                                 {centre - crestHalf, crestY},
                                 {centre + crestHalf, crestY},
                                 {centre + halfBase, baseY}};
    std::vector<TPoint2D> points;
    const std::int32_t perSide = std::max(1, vertices / 4);
    for (int side = 0; side < 4; ++side) {
        const TPoint2D a = corners[side];
        const TPoint2D b = corners[(side + 1) % 4];
        const std::int32_t n = side == 3 ? std::max(1, vertices - 3 * perSide) : perSide;
        for (std::int32_t k = 0; k < n; ++k) {
            const double t = static_cast<double>(k) / n;
            TPoint2D p{a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t};
            if (k > 0) {
                p.X += noise.Range(-roughness, roughness);
                p.Y += noise.Range(-roughness, roughness);
            }
            points.push_back(p);
        }
    }
    return points;
}

inline void AddObject(TFlumeScenario& scenario, TMaterialKind kind, const TPorousParameters& porous,
                      const std::vector<TPoint2D>& points) {
    auto line = std::make_unique<TPLPolyLine>();
    for (const TPoint2D& p : points) line->Append(p);
    line->SetClosed(true);
    scenario.Objects.push_back(PolygonObject(kind, porous, *line));
    scenario.Lines.push_back(std::move(line));
}

}  // namespace flume

// Builds the scenario: graded divisions finest around the breakwater and around the water line,
// and the six objects.
inline TFlumeScenario MakeFlumeScenario(const TFlumeSize& size, std::uint64_t seed = 1) {
    TFlumeScenario s;
    s.Size = size;
    const double W = size.Width;
    const double H = size.Height;
    const double centre = 0.6 * W;  // breakwater axis

    const std::int32_t leftX = size.CellsX * 3 / 5;
    s.SubZoneX = {centre, 0.0, leftX, size.CellsX - leftX, 0.7 * W / size.CellsX};
    s.DivisionsX = GenerateAxisDivisions({s.SubZoneX}, W, false, maX);
    const std::int32_t aboveY = size.CellsY * 2 / 5;
    s.SubZoneY = {0.5 * H, 0.0, aboveY, size.CellsY - aboveY, 0.7 * H / size.CellsY};
    s.DivisionsY = GenerateAxisDivisions({s.SubZoneY}, H, false, maY);

    flume::TNoise noise(seed);
    const double margin = 0.05 * W;  // objects reach beyond the domain and its ghost cells

    // Seabed: the bed profile across the whole flume, closed below the domain.
    std::vector<TPoint2D> bed;
    const std::int32_t profile = std::max(2, size.SeabedVertices - 2);
    for (std::int32_t k = 0; k < profile; ++k) {
        const double x = -margin + (W + 2 * margin) * k / (profile - 1);
        bed.push_back({x, H - flume::BedElevation(size, x)});
    }
    bed.push_back({W + margin, H + margin});
    bed.push_back({-margin, H + margin});
    flume::AddObject(s, mkObstacle, {}, bed);

    // The mound: its base a little into the bed at its axis, its crest above the still water,
    // slopes of 1:1.5, armour layers of 6 % of the height, roughened outlines.
    const double baseY = H - flume::BedElevation(size, centre) + 0.02 * H;
    const double crestY = H - 0.55 * H;
    const double crestHalf = 0.5 * H;
    const double halfBase = crestHalf + 1.5 * (baseY - crestY);
    const double layer = 0.06 * H;
    const double rough = 0.004 * H;
    const TPorousParameters outer{200, 1.1, 0.34, 0.4, 0.0, 0.5};
    const TPorousParameters inner{300, 1.2, 0.34, 0.2, 0.0, 0.45};
    const TPorousParameters core{1000, 1.5, 0.34, 0.05, 0.0, 0.4};
    flume::AddObject(s, mkPorous, outer,
                     flume::Trapezoid(centre, halfBase, crestHalf, baseY, crestY, size.OuterArmourVertices, rough, noise));
    flume::AddObject(s, mkPorous, inner,
                     flume::Trapezoid(centre, halfBase - 1.8 * layer, crestHalf - 0.8 * layer, baseY, crestY + layer,
                                      size.InnerArmourVertices, rough, noise));
    flume::AddObject(s, mkPorous, core,
                     flume::Trapezoid(centre, halfBase - 3.6 * layer, crestHalf - 1.6 * layer, baseY,
                                      crestY + 2 * layer, size.CoreVertices, rough, noise));

    // Crown wall set into the crest, rising well above the still water.
    const double wallTop = H - 0.7 * H;
    const double wallBottom = crestY + 0.5 * layer;
    flume::AddObject(s, mkObstacle, {},
                     {{centre - 0.2 * crestHalf, wallBottom},
                      {centre - 0.2 * crestHalf, wallTop},
                      {centre + 0.6 * crestHalf, wallTop},
                      {centre + 0.6 * crestHalf, wallBottom}});

    // Still water just below mid-height, through the ghost cells.
    const double waterY = H - 0.48 * H;
    flume::AddObject(s, mkWater, {},
                     {{-margin, waterY}, {W + margin, waterY}, {W + margin, H + margin}, {-margin, H + margin}});
    return s;
}

// About 300 × 150 cells, six polygons of 4 to 40 vertices.
inline TFlumeSize FlumeTypical() { return {}; }

// About 2000 × 400 cells, a seabed profile of 2000 vertices, armour layers and core of 50 to 200.
inline TFlumeSize FlumeLarge() {
    TFlumeSize s;
    s.Width = 200.0;
    s.Height = 4.0;
    s.CellsX = 2000;
    s.CellsY = 400;
    s.SeabedVertices = 2000;
    s.CoreVertices = 50;
    s.InnerArmourVertices = 120;
    s.OuterArmourVertices = 200;
    return s;
}

}  // namespace nerim
