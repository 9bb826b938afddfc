#include "objects/core/ring_containment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace nerim {
namespace {

// The threshold must reproduce the point test for every x of the line, including x on the
// edge's ends, on the crossing itself and one unit in the last place either side of them.
::testing::AssertionResult ThresholdAgrees(const TPoint2D& v0, const TPoint2D& v1, double y, double x) {
    const bool point = EdgeCrossesAtOrRightOf(v0, v1, {x, y});
    const bool line = x <= EdgeCrossingThreshold(v0, v1, y);
    if (point == line) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "edge (" << v0.X << ", " << v0.Y << ") -> (" << v1.X << ", " << v1.Y
                                         << "), y " << y << ", x " << x << ": point test " << point;
}

std::vector<double> XsToTry(const TPoint2D& v0, const TPoint2D& v1, double y) {
    std::vector<double> xs{v0.X, v1.X, EdgeCrossingX(v0, v1, y), 0.5 * (v0.X + v1.X), -1e300, 1e300,
                           std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
    for (std::size_t k = 0; k < 4; ++k) {
        xs.push_back(std::nextafter(xs[k], -1e308));
        xs.push_back(std::nextafter(xs[k], 1e308));
    }
    return xs;
}

TEST(EdgeCrossingThreshold, AgreesWithThePointTestOnRandomEdges) {
    std::mt19937_64 engine(5);
    auto coordinate = [&engine](bool grid) {
        const double u = static_cast<double>(engine() >> 11) * 0x1.0p-53;
        return grid ? std::floor(u * 5) : (u - 0.5) * 100;  // a coarse grid makes equal values common
    };
    int straddling = 0;
    for (int k = 0; k < 50000; ++k) {
        const bool grid = k % 2 == 0;
        const TPoint2D v0{coordinate(grid), coordinate(grid)};
        const TPoint2D v1{coordinate(grid), coordinate(grid)};
        const double y = k % 3 == 0 ? v0.Y : coordinate(grid);
        if ((v0.Y >= y) == (v1.Y >= y)) continue;  // only edges that cross the line
        ++straddling;
        for (double x : XsToTry(v0, v1, y)) ASSERT_TRUE(ThresholdAgrees(v0, v1, y, x));
    }
    EXPECT_GT(straddling, 10000);
}

TEST(EdgeCrossingThreshold, VerticalAndNearlyFlatEdges) {
    // A vertical edge: everything at or left of it.
    EXPECT_EQ(EdgeCrossingThreshold({2, 0}, {2, 5}, 1.0), 2.0);
    // A nearly horizontal edge whose crossing comes out beyond its ends is held to them.
    const TPoint2D a{0, 1}, b{1e-300, 1 + 1e-16};
    for (double x : XsToTry(a, b, 1.0)) EXPECT_TRUE(ThresholdAgrees(a, b, 1.0, x));
    // Crossings that overflow to an infinity, and to a non-number (0 · ∞ on the line through an
    // end), which counts as the left end.
    const TPoint2D c{-1e308, 0}, d{1e308, 1e-308};
    for (double x : XsToTry(c, d, 5e-309)) EXPECT_TRUE(ThresholdAgrees(c, d, 5e-309, x));
    for (double x : XsToTry(d, c, 5e-309)) EXPECT_TRUE(ThresholdAgrees(d, c, 5e-309, x));
    const TPoint2D e{-1e308, 0}, f{1e308, 1};
    ASSERT_TRUE(std::isnan(EdgeCrossingX(e, f, 1.0)));
    EXPECT_EQ(EdgeCrossingThreshold(e, f, 1.0), -1e308);
    for (double x : XsToTry(e, f, 1.0)) EXPECT_TRUE(ThresholdAgrees(e, f, 1.0, x));
}

}  // namespace
}  // namespace nerim
