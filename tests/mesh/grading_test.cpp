#include "mesh/core/grading.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "mesh/core/mesh_error.h"
#include "mesh/core/mesh_parameters.h"
#include "support/exception.h"

namespace nerim {
namespace {

using Floats = std::vector<float>;

TSubZone Zone(double center, double division, std::int32_t left, std::int32_t right, double maxSep) {
    return TSubZone{center, division, left, right, maxSep};
}

// Checks that no boundary is a NaN or an infinity.
void ExpectAllFinite(const Floats& values) {
    for (float v : values) EXPECT_TRUE(std::isfinite(v)) << v;
}

TEST(GradedDivisions, InitialAxesGiveTheWorkedBoundaries) {
    EXPECT_EQ(GenerateAxisDivisions({Zone(50.0, 0.0, 5, 5, 1.0)}, 100.0, false, maX),
              (Floats{0.0f, 19.0f, 33.5f, 43.5f, 49.0f, 50.0f, 51.0f, 56.5f, 66.5f, 81.0f, 100.0f}));
    EXPECT_EQ(GenerateAxisDivisions({Zone(5.0, 0.0, 5, 5, 0.6)}, 10.0, false, maY),
              (Floats{0.0f, 1.4f, 2.6f, 3.6f, 4.4f, 5.0f, 5.6f, 6.4f, 7.4f, 8.6f, 10.0f}));
}

TEST(GradedDivisions, SidesComeOutAscendingAndTheCellNextToTheCentreIsTheCap) {
    Floats towardsLarger;
    AddGradedDivisions(4, towardsLarger, 10.0, 30.0, 2.0);
    // d = 2, a = (20 - 8) * 4 / 3 = 16, b = 4: cells 2, 4, 6, 8.
    EXPECT_EQ(towardsLarger, (Floats{12.0f, 16.0f, 22.0f, 30.0f}));

    Floats towardsSmaller;
    AddGradedDivisions(4, towardsSmaller, 30.0, 10.0, 2.0);
    // The end point itself is left out and the centre comes last.
    EXPECT_EQ(towardsSmaller, (Floats{18.0f, 24.0f, 28.0f, 30.0f}));
}

TEST(GradedDivisions, SideIsUniformWhenTheCapIsNotReached) {
    Floats right;
    AddGradedDivisions(4, right, 0.0, 10.0, 5.0);
    EXPECT_EQ(right, (Floats{2.5f, 5.0f, 7.5f, 10.0f}));

    Floats left;
    AddGradedDivisions(4, left, 10.0, 0.0, 5.0);
    EXPECT_EQ(left, (Floats{2.5f, 5.0f, 7.5f, 10.0f}));

    // A cap equal to L / n is reached but changes nothing.
    Floats capped;
    AddGradedDivisions(4, capped, 0.0, 10.0, 2.5);
    EXPECT_EQ(capped, right);
}

TEST(GradedDivisions, SingleCellSideAppendsOnlyOneEnd) {
    Floats left;
    AddGradedDivisions(1, left, 7.0, 2.0, 0.5);
    EXPECT_EQ(left, Floats{7.0f});  // only the centre

    Floats right;
    AddGradedDivisions(1, right, 7.0, 9.0, 0.5);
    EXPECT_EQ(right, Floats{9.0f});  // only the end point
}

TEST(GradedDivisions, NonPositiveCountAppendsNothingEvenOnAnEmptySide) {
    Floats target{1.0f};
    AddGradedDivisions(0, target, 5.0, 5.0, 1.0);
    AddGradedDivisions(-3, target, 5.0, 9.0, 1.0);
    AddGradedDivisions(INT_MIN, target, 5.0, 9.0, 1.0);
    EXPECT_EQ(target, Floats{1.0f});
}

TEST(GradedDivisions, CentreOnTheEndPointIsAFloatingPointFault) {
    Floats target{3.0f};
    EXPECT_THROW(AddGradedDivisions(3, target, 5.0, 5.0, 1.0), EFloatingPointError);
    EXPECT_EQ(target, Floats{3.0f});
}

TEST(GradedDivisions, ArithmeticThatLeavesTheFloatRangeRaisesInsteadOfStoringNaN) {
    Floats target{3.0f};
    // Fits a double but not a float.
    EXPECT_THROW(AddGradedDivisions(2, target, 0.0, 1e300, 1e300), EFloatingPointError);
    // The distance itself overflows a double.
    EXPECT_THROW(AddGradedDivisions(2, target, 1e308, -1e308, 1.0), EFloatingPointError);
    // A huge negative cap makes a = inf and b = -inf: every position would be NaN.
    EXPECT_THROW(AddGradedDivisions(3, target, 0.0, 1.0, -1e308), EFloatingPointError);
    EXPECT_EQ(target, Floats{3.0f});

    // A modest negative cap is odd but computes: nothing is refused.
    Floats odd;
    AddGradedDivisions(3, odd, 0.0, 3.0, -1.0);
    ASSERT_EQ(odd.size(), 3u);
    ExpectAllFinite(odd);
    EXPECT_EQ(odd.back(), 3.0f);
}

TEST(AxisDivisions, AxisWithoutSubZonesIsTheOriginAlone) {
    EXPECT_EQ(GenerateAxisDivisions({}, 100.0, false, maX), Floats{0.0f});
    EXPECT_EQ(GenerateAxisDivisions({Zone(5.0, 0.0, 0, 0, 1.0)}, 10.0, false, maY), Floats{0.0f});
}

TEST(AxisDivisions, ZeroCountsLeaveTheCentreOrTheRightStretchOut) {
    // No cells on the left: the centre 50 is not a boundary, 0..51 is one cell.
    EXPECT_EQ(GenerateAxisDivisions({Zone(50.0, 0.0, 0, 2, 1.0)}, 100.0, false, maX),
              (Floats{0.0f, 51.0f, 100.0f}));
    // No cells on the right: from the centre to the extent is one open stretch.
    EXPECT_EQ(GenerateAxisDivisions({Zone(50.0, 0.0, 2, 0, 1.0)}, 100.0, false, maX),
              (Floats{0.0f, 49.0f, 50.0f}));
}

TEST(AxisDivisions, RightSideEndsAtTheNextSubZone) {
    const std::vector<TSubZone> zones{Zone(10.0, 0.0, 2, 2, 100.0), Zone(30.0, 20.0, 2, 2, 100.0)};
    EXPECT_EQ(GenerateAxisDivisions(zones, 40.0, false, maX),
              (Floats{0.0f, 5.0f, 10.0f, 15.0f, 20.0f, 25.0f, 30.0f, 35.0f, 40.0f}));
}

TEST(AxisDivisions, OverlappingSubZonesAreSortedWithDuplicatesKept) {
    // Out of order, as SetSubZone may leave them.
    const std::vector<TSubZone> zones{Zone(8.0, 6.0, 1, 1, 1.0), Zone(5.0, 0.0, 1, 1, 10.0)};
    // First: left gives 8; right ends at the next Division 0 and gives 8 again. Second: 5 and 10.
    EXPECT_EQ(GenerateAxisDivisions(zones, 10.0, false, maX), (Floats{0.0f, 5.0f, 8.0f, 8.0f, 10.0f}));
}

TEST(AxisDivisions, PeriodicAxisRepeatsTheFirstCellBeyondTheExtent) {
    const Floats x = GenerateAxisDivisions({Zone(50.0, 0.0, 5, 5, 1.0)}, 100.0, true, maX);
    ASSERT_EQ(x.size(), 12u);
    EXPECT_EQ(x[10], 100.0f);
    EXPECT_EQ(x[11], 119.0f);

    // Computed from the stored floats: 10 + (1.4f - 0).
    const Floats y = GenerateAxisDivisions({Zone(5.0, 0.0, 5, 5, 0.6)}, 10.0, true, maY);
    ASSERT_EQ(y.size(), 12u);
    EXPECT_EQ(y[11], static_cast<float>(10.0 + static_cast<double>(1.4f)));
}

TEST(AxisDivisions, PeriodicAxisWithoutCellsGetsNothingMore) {
    EXPECT_EQ(GenerateAxisDivisions({}, 100.0, true, maX), Floats{0.0f});
}

TEST(AxisDivisions, CentreOnAnEndNamesAxisSubZoneAndSide) {
    const auto messageOf = [](const std::vector<TSubZone>& zones, double extent, TMeshAxis axis) -> std::string {
        try {
            GenerateAxisDivisions(zones, extent, false, axis);
        } catch (const EFloatingPointError& error) {
            return error.what();
        }
        ADD_FAILURE() << "no floating-point fault";
        return {};
    };

    const std::string left = messageOf({Zone(0.0, 0.0, 2, 2, 1.0)}, 10.0, maX);
    EXPECT_NE(left.find("Eje X"), std::string::npos) << left;
    EXPECT_NE(left.find("subzona 1"), std::string::npos) << left;
    EXPECT_NE(left.find("lado izquierdo"), std::string::npos) << left;

    // The second sub-zone's centre lies on the extent.
    const std::string below = messageOf({Zone(2.0, 0.0, 1, 1, 1.0), Zone(10.0, 5.0, 1, 1, 1.0)}, 10.0, maY);
    EXPECT_NE(below.find("Eje Y"), std::string::npos) << below;
    EXPECT_NE(below.find("subzona 2"), std::string::npos) << below;
    EXPECT_NE(below.find("lado de abajo"), std::string::npos) << below;

    // The same centre is harmless when that side has no cells.
    EXPECT_EQ(GenerateAxisDivisions({Zone(0.0, 0.0, 0, 2, 5.0)}, 10.0, false, maX), (Floats{0.0f, 5.0f, 10.0f}));
}

TEST(AxisDivisions, CountsBeyondTheLimitAreRefusedBeforeAllocating) {
    EXPECT_THROW(GenerateAxisDivisions({Zone(5.0, 0.0, INT_MAX, INT_MAX, 1.0)}, 10.0, false, maX), EMeshError);
    EXPECT_THROW(GenerateAxisDivisions({Zone(5.0, 0.0, kMaxAxisDivisions, 0, 1.0)}, 10.0, false, maX), EMeshError);
    EXPECT_EQ(GenerateAxisDivisions({Zone(5.0, 0.0, kMaxAxisDivisions - 1, 0, 1.0)}, 10.0, false, maX).size(),
              static_cast<std::size_t>(kMaxAxisDivisions));
}

TMeshParameters InitialMesh() {
    TMeshParameters p;
    p.Width = 100.0;
    p.Height = 10.0;
    p.SubZonesX = {Zone(50.0, 0.0, 5, 5, 1.0)};
    p.SubZonesY = {Zone(5.0, 0.0, 5, 5, 0.6)};
    return p;
}

TEST(MeshDivisions, PeriodicEntriesAreThreeForXAndZeroForY) {
    TMeshParameters p = InitialMesh();
    Floats x, y;
    GenerateDivisions(p, x, y);
    EXPECT_EQ(x.size(), 11u);
    EXPECT_EQ(y.size(), 11u);

    p.BoundaryConditions = {0, 3, 3, 3};  // entry 3 only: X periodic
    GenerateDivisions(p, x, y);
    EXPECT_EQ(x.size(), 12u);
    EXPECT_EQ(y.size(), 11u);

    p.BoundaryConditions = {3, 0, 0, 2};  // entry 0 only: Y periodic
    GenerateDivisions(p, x, y);
    EXPECT_EQ(x.size(), 11u);
    EXPECT_EQ(y.size(), 12u);
}

TEST(MeshDivisions, FailureLeavesBothAxesEmpty) {
    TMeshParameters p = InitialMesh();
    Floats x{1.0f, 2.0f}, y{3.0f};
    p.SubZonesY[0].Center = 10.0;  // on the Height: the right side has no length
    EXPECT_THROW(GenerateDivisions(p, x, y), EFloatingPointError);
    EXPECT_TRUE(x.empty());
    EXPECT_TRUE(y.empty());
}

}  // namespace
}  // namespace nerim
