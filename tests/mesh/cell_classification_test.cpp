#include "mesh/core/cell_classification.h"

#include <gtest/gtest.h>

#include "mesh/core/mesh_error.h"

#include <sched.h>

#include <algorithm>
#include <string>
#include <thread>

namespace nerim {
namespace {

// A uniform axis 0, step, 2·step, ..., count·step.
std::vector<float> Uniform(int cells, float step) {
    std::vector<float> d;
    for (int k = 0; k <= cells; ++k) d.push_back(static_cast<float>(k) * step);
    return d;
}

// The closed box [x1, x2] × [y1, y2]: boundary points count as inside.
TClassifiedObject Box(TMaterialKind kind, double x1, double y1, double x2, double y2) {
    TClassifiedObject o;
    o.Kind = kind;
    o.ContainsPoint = [=](const TPoint2D& p) { return p.X >= x1 && p.X <= x2 && p.Y >= y1 && p.Y <= y2; };
    return o;
}

// The open box (x1, x2) × (y1, y2): boundary points count as outside.
TClassifiedObject OpenBox(TMaterialKind kind, double x1, double y1, double x2, double y2) {
    TClassifiedObject o;
    o.Kind = kind;
    o.ContainsPoint = [=](const TPoint2D& p) { return p.X > x1 && p.X < x2 && p.Y > y1 && p.Y < y2; };
    return o;
}

class Classification : public ::testing::Test {
protected:
    // Ten cells of 1 along X, ten of 1 along Y: NXd = NYd = 11. Cell (i, j) of the boundaries is
    // matrix entry (i, r) with r = 10 − j; it covers x in [i − 1, i] and y in [j, j + 1].
    std::vector<float> X = Uniform(10, 1.0f);
    std::vector<float> Y = Uniform(10, 1.0f);
    TCellMatrices cells;
    TPorousTypes porous{{9, 9, 9, 9, 9, 9}};

    void Run(const std::vector<TClassifiedObject>& objects, int nx = 10, int ny = 10) {
        ClassifyCells(X, Y, objects, nx, ny, cells, porous);
    }
    static int R(int j) { return 10 - j; }
};

TEST_F(Classification, EmptyDomainHoldsTheOpenValues) {
    Run({});
    EXPECT_EQ(cells.AC.Sizes().N0(), 11);
    EXPECT_EQ(cells.AC.Sizes().N1(), 11);
    EXPECT_TRUE(porous.empty());
    for (int k = 0; k < 121; ++k) {
        EXPECT_EQ(cells.AC.ItemAt(k), 1.0);
        EXPECT_EQ(cells.AR.ItemAt(k), 1.0);
        EXPECT_EQ(cells.AT.ItemAt(k), 1.0);
        EXPECT_EQ(cells.VOF.ItemAt(k), 0.0);
        EXPECT_FALSE(cells.Noc.ItemAt(k));
        EXPECT_EQ(cells.Npc.ItemAt(k), 1);
    }
}

TEST_F(Classification, WithoutObjectsAnyDimensionsWork) {
    X = {0.0f};
    Y = {};
    EXPECT_NO_THROW(Run({}));
    EXPECT_EQ(cells.AC.Sizes().N0(), 1);
    EXPECT_EQ(cells.AC.Sizes().N1(), 0);
}

TEST_F(Classification, ObjectsNeedTwoBoundariesPerAxisAndSamples) {
    const TCellMatrices before;
    Y = {0.0f};
    EXPECT_THROW(Run({Box(mkObstacle, 0, 0, 1, 1)}), EMeshError);
    EXPECT_EQ(porous.size(), 1u);  // nothing changed
    Y = Uniform(10, 1.0f);
    EXPECT_THROW(Run({}, 0, 10), EMeshError);
    EXPECT_THROW(Run({}, 10, -1), EMeshError);
}

TEST_F(Classification, MeshesBeyondTheCellLimitAreRefusedBeforeAllocating) {
    // 20001 × 5001 boundaries: just over a hundred million cells, some 4.5 GB of matrices.
    X = Uniform(20000, 1.0f);
    Y = Uniform(5000, 1.0f);
    for (const bool withObjects : {false, true}) {
        std::vector<TClassifiedObject> objects;
        if (withObjects) objects.push_back(Box(mkObstacle, 0, 0, 1, 1));
        try {
            Run(objects);
            ADD_FAILURE() << "a mesh beyond the limit must be refused";
        } catch (const EMeshError& e) {
            EXPECT_NE(std::string(e.what()).find("100025001 celdas (20001 × 5001)"), std::string::npos) << e.what();
        }
        EXPECT_EQ(cells.AC.Sizes().N0(), 1);  // untouched
    }
    Y = Uniform(4997, 1.0f);  // 20001 × 4998, just under the limit: only the arguments are checked here
    EXPECT_NO_THROW(CheckMeshCells(static_cast<std::int64_t>(X.size()), static_cast<std::int64_t>(Y.size())));
}

TEST_F(Classification, RectangleOnCellBoundariesFollowsTheBoundaryRule) {
    // The cell x in [4, 5], y in [5, 6] is column 5, row 10 − 5.
    Run({Box(mkObstacle, 4, 5, 5, 6)});
    EXPECT_EQ(cells.AC.Items(5, R(5)), 0.0);
    EXPECT_TRUE(cells.Noc.Items(5, R(5)));
    EXPECT_EQ(cells.AR.Items(5, R(5)), 0.0);  // its right face at x = 5 lies on the box
    EXPECT_EQ(cells.AT.Items(5, R(5)), 0.0);  // its top face at y = 5 too
    // The neighbours' faces that touch the box are closed as well, their areas stay open.
    EXPECT_EQ(cells.AR.Items(4, R(5)), 0.0);
    EXPECT_EQ(cells.AC.Items(4, R(5)), 1.0);
    EXPECT_FALSE(cells.Noc.Items(4, R(5)));

    Run({OpenBox(mkObstacle, 4, 5, 5, 6)});
    EXPECT_EQ(cells.AC.Items(5, R(5)), 1.0);  // every face sample is outside: taken as uncovered
    EXPECT_FALSE(cells.Noc.Items(5, R(5)));
}

TEST_F(Classification, ObjectInsideACellButAwayFromItsFacesIsNotSeen) {
    Run({Box(mkObstacle, 4.2, 5.2, 4.8, 5.8)});
    for (int k = 0; k < 121; ++k) EXPECT_EQ(cells.AC.ItemAt(k), 1.0);
}

TEST_F(Classification, PartialCoverageCountsSamples) {
    // Covers x < 4.35 of the cell [4, 5] × [5, 6]: samples at 4.05, 4.15, 4.25 are inside.
    Run({OpenBox(mkObstacle, 3.5, 4.5, 4.35, 6.5)});
    EXPECT_DOUBLE_EQ(cells.AC.Items(5, R(5)), 1.0 - 0.3);
    EXPECT_TRUE(cells.Noc.Items(5, R(5)));
    EXPECT_EQ(cells.AR.Items(5, R(5)), 1.0);                  // right face at x = 5 is clear
    EXPECT_DOUBLE_EQ(cells.AT.Items(5, R(5)), 1.0 - 0.3);    // top face at y = 5 is 30 % covered
}

TEST_F(Classification, ObstaclesAccumulateButNeverBelowZero) {
    Run({OpenBox(mkObstacle, 3.5, 4.5, 4.55, 6.5), OpenBox(mkObstacle, 3.5, 4.5, 4.55, 6.5)});
    EXPECT_EQ(cells.AC.Items(5, R(5)), 0.0);  // 1 − 0.5 − 0.5
    Run({Box(mkObstacle, 0, 0, 10, 10), Box(mkObstacle, 0, 0, 10, 10)});
    EXPECT_EQ(cells.AC.Items(5, R(5)), 0.0);
}

TEST_F(Classification, GhostColumnAndRowExtendTheMesh) {
    // Left of the domain: column 0 covers x in [−1, 0].
    Run({Box(mkWater, -1, 0, -0.01, 10)});
    EXPECT_EQ(cells.VOF.Items(0, R(5)), 1.0);
    EXPECT_EQ(cells.VOF.Items(1, R(5)), 0.0);
    // Below the domain: row 0 covers y in [10, 11].
    Run({Box(mkWater, 0, 10.01, 10, 11)});
    EXPECT_EQ(cells.VOF.Items(5, 0), 1.0);
    EXPECT_EQ(cells.VOF.Items(5, 1), 0.0);
}

TEST_F(Classification, NearlyBlockedCellsInsideTheMeshAreClosed) {
    // 90 % of the cell [4, 5] × [5, 6] (i = 5, j = 5) is obstacle: AC 0.1 < 0.2.
    Run({OpenBox(mkObstacle, 3.5, 4.5, 4.9, 6.5)});
    EXPECT_EQ(cells.AC.Items(5, R(5)), 0.0);
    EXPECT_EQ(cells.AR.Items(5, R(5)), 0.0);
    EXPECT_EQ(cells.AR.Items(4, R(5)), 0.0);
    EXPECT_EQ(cells.AT.Items(5, R(5)), 0.0);
    EXPECT_EQ(cells.AT.Items(5, R(5) - 1), 0.0);
    EXPECT_TRUE(cells.Noc.Items(5, R(5)));
}

TEST_F(Classification, NearlyBlockedCellsAtTheEdgesStayAsTheyAre) {
    // Same coverage at i = 1 (x in [0, 1]) and at j = NYd − 1 = 10 (the ghost row).
    Run({OpenBox(mkObstacle, -0.5, 4.5, 0.9, 6.5)});
    EXPECT_DOUBLE_EQ(cells.AC.Items(1, R(5)), 1.0 - 0.9);
    Run({OpenBox(mkObstacle, 3.5, 9.5, 4.9, 11.5)});
    EXPECT_DOUBLE_EQ(cells.AC.Items(5, R(10)), 1.0 - 0.9);
    EXPECT_NE(cells.AT.Items(5, R(10)), 0.0);
}

TEST_F(Classification, LastWaterObjectDecidesTheWaterFraction) {
    Run({Box(mkWater, 0, 0, 5, 10), Box(mkWater, 5, 0, 10, 10)});
    EXPECT_EQ(cells.VOF.Items(3, R(5)), 0.0);  // covered by the first one only
    EXPECT_EQ(cells.VOF.Items(8, R(5)), 1.0);
}

TEST_F(Classification, EveryPorousObjectGetsItsOwnType) {
    TClassifiedObject a = Box(mkPorous, 0, 0, 5, 10);
    a.Porous = {200, 1.1, 0.34, 0.1, 0, 0.4};
    TClassifiedObject b = Box(mkPorous, 3, 0, 10, 10);
    b.Porous = a.Porous;
    Run({a, b});
    ASSERT_EQ(porous.size(), 2u);
    EXPECT_EQ(porous[0], a.Porous);
    EXPECT_EQ(cells.Npc.Items(2, R(5)), 2);
    EXPECT_EQ(cells.Npc.Items(8, R(5)), 3);
    EXPECT_EQ(cells.Npc.Items(5, R(5)), 3);  // the later object wins where both cover
    EXPECT_EQ(cells.AC.Items(5, R(5)), 1.0); // porous media leave the area open
}

TEST_F(Classification, MaterialLessObjectsChangeNothing) {
    Run({Box(mkNone, 0, 0, 10, 10)});
    EXPECT_EQ(cells.AC.Items(5, R(5)), 1.0);
    EXPECT_EQ(cells.VOF.Items(5, R(5)), 0.0);
}

TEST_F(Classification, ContainmentFailuresPassThrough) {
    TClassifiedObject o;
    o.Kind = mkObstacle;
    o.ContainsPoint = [](const TPoint2D&) -> bool { throw EFloatingPointError("boom"); };
    EXPECT_THROW(Run({o}), EFloatingPointError);
}

}  // namespace
}  // namespace nerim

namespace nerim {
namespace {

TEST(ClassificationProgress, RisesToOneOnTheCallingThread) {
    std::vector<float> x, y;
    for (int k = 0; k <= 50; ++k) x.push_back(static_cast<float>(k)), y.push_back(static_cast<float>(k));
    TClassifiedObject water;
    water.Kind = mkWater;
    water.ContainsPoint = [](const TPoint2D& p) { return p.Y > 20; };
    TCellMatrices cells;
    TPorousTypes porous;
    std::vector<double> reports;
    const auto caller = std::this_thread::get_id();
    bool otherThread = false;
    ClassifyCells(x, y, {water}, 4, 4, cells, porous, 2, [&](double share) {
        reports.push_back(share);
        otherThread |= std::this_thread::get_id() != caller;
    });
    ASSERT_FALSE(reports.empty());
    EXPECT_FALSE(otherThread);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_GT(reports.front(), 0.0);
    EXPECT_EQ(reports.back(), 1.0);
}

}  // namespace
}  // namespace nerim

namespace nerim {
namespace {

TEST(ClassificationThreadCount, OnePerProcessorTheProcessMayRunOn) {
    cpu_set_t all;
    ASSERT_EQ(sched_getaffinity(0, sizeof all, &all), 0);
    EXPECT_EQ(DefaultClassificationThreads(), CPU_COUNT(&all));
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
        if (CPU_ISSET(cpu, &all)) {
            CPU_SET(cpu, &one);
            break;
        }
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    const std::int32_t threads = DefaultClassificationThreads();
    sched_setaffinity(0, sizeof all, &all);
    EXPECT_EQ(threads, 1);
}

}  // namespace
}  // namespace nerim
