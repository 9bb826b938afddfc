#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "canvas/geometry/geometry_funcs.h"
#include "canvas/geometry/regions.h"
#include "tests/common/geometry_printers.h"

namespace nerim {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(Geometry, SameValueIsStrictlyWithinEpsilon) {
    EXPECT_FALSE(SameValue(0, 1e-8));
    EXPECT_TRUE(SameValue(0, 0.99e-8));
    EXPECT_TRUE(SameValue(5, 5 - 0.5e-8));
    EXPECT_TRUE(SamePoint({1, 2}, {1 + 1e-9, 2 - 1e-9}));
    EXPECT_FALSE(SamePoint({1, 2}, {1, 2.1}));
    EXPECT_TRUE(SameParal({{0, 0}, {1, 0}, {0, 1}}, {{1e-9, 0}, {1, 0}, {0, 1}}));
    EXPECT_FALSE(SameParal({{0, 0}, {1, 0}, {0, 1}}, {{0, 0}, {1, 0}, {0, 2}}));
}

TEST(Geometry, VectorAngleCoversTheAxes) {
    EXPECT_DOUBLE_EQ(VectorAngle({0, 0}), kPi / 2);
    EXPECT_DOUBLE_EQ(VectorAngle({0, -2}), -kPi / 2);
    EXPECT_DOUBLE_EQ(VectorAngle({-1, 0}), kPi);
    EXPECT_DOUBLE_EQ(VectorAngle({1, 1}), kPi / 4);
    EXPECT_DOUBLE_EQ(VectorAngle({3, -3}), -kPi / 4);
}

TEST(Geometry, UnitVectorsAndPerpendiculars) {
    EXPECT_EQ(UnitVector({0, 0}), (TVector2D{0, 0}));
    EXPECT_EQ(UnitNormal({0, 0}), (TVector2D{0, 0}));
    EXPECT_EQ(UnitNormal({2, 0}), (TVector2D{0, 1}));
    EXPECT_EQ(RightPerpendicular({2, 0}), (TVector2D{0, -2}));
    EXPECT_TRUE(SamePoint(UnitVector({3, 4}), {0.6, 0.8}));
    EXPECT_DOUBLE_EQ(VectorLength({3, 4}), 5);
    EXPECT_DOUBLE_EQ(PointDistance({1, 1}, {4, 5}), 5);
    EXPECT_DOUBLE_EQ(DotProduct({1, 2}, {3, 4}), 11);
    EXPECT_TRUE(IsZeroVector({0, -0.0}));
    EXPECT_FALSE(IsZeroVector({0, 1e-300}));
    const TVector2D polar = PolarVector(2, kPi / 2);
    EXPECT_NEAR(polar.X, 0, 1e-15);
    EXPECT_DOUBLE_EQ(polar.Y, 2);
}

TEST(Geometry, VectorsParallelScalesBySum) {
    EXPECT_TRUE(VectorsParallel({1, 0}, {3, 0}));
    EXPECT_TRUE(VectorsParallel({1, 1}, {2, 2}));
    EXPECT_FALSE(VectorsParallel({1, 1}, {1, -1}));
    EXPECT_TRUE(VectorsParallel({0, 0}, {5, 7}));
    EXPECT_FALSE(VectorsParallel({1, 0}, {0, 1}));
    // Tiny vectors: a test on the raw difference would call these parallel.
    EXPECT_FALSE(VectorsParallel({1e-6, 0}, {0, 1e-6}));
    EXPECT_FALSE(VectorsParallel({1e-5, 0}, {0, 1e-5}));
}

TEST(Geometry, MinMaxHelpers) {
    EXPECT_EQ(Max2(1, 2), 2);
    EXPECT_EQ(Min2(1, 2), 1);
    EXPECT_EQ(Max4(1, 7, -3, 2), 7);
    EXPECT_EQ(Min4(1, 7, -3, 2), -3);
    EXPECT_EQ(MakeRect(2, 0, 0, 1), (TRect2D{2, 0, 0, 1}));
    EXPECT_EQ(MakeSegment({1, 2}, {0, 0}).AsRect(), (TRect2D{1, 2, 0, 0}));
}

TEST(Rectangles, BoundariesCountAsInside) {
    const TRect2D r{0, 0, 2, 1};
    EXPECT_TRUE(PointInRect({0, 0}, r));
    EXPECT_TRUE(PointInRect({2, 1}, r));
    EXPECT_TRUE(PointInRect({1, 1}, r));
    EXPECT_FALSE(PointInRect({2.0000001, 0.5}, r));
    EXPECT_TRUE(RectsIntersect(r, {2, 0, 3, 1}));   // shares an edge
    EXPECT_TRUE(RectsIntersect(r, {2, 1, 3, 2}));   // shares a corner
    EXPECT_FALSE(RectsIntersect(r, {2.1, 0, 3, 1}));
    EXPECT_TRUE(RectInRect(r, r));
    EXPECT_FALSE(RectInRect(r, {0, 0, 2.5, 1}));
}

TEST(Rectangles, ZeroWidthRectangleHoldsItsSegment) {
    const TRect2D r{1, 0, 1, 2};
    EXPECT_TRUE(IsStraightRect(r));
    EXPECT_TRUE(PointInRect({1, 1.5}, r));
    EXPECT_FALSE(PointInRect({1.0001, 1.5}, r));
}

TEST(Rectangles, CrookedRectanglesAreRefused) {
    const TRect2D crooked{1, 0, 0, 1};
    const TRect2D straight{0, 0, 1, 1};
    EXPECT_THROW(PointInRect({0, 0}, crooked), EBadRectangle);
    EXPECT_THROW(RectInRect(straight, crooked), EBadRectangle);
    EXPECT_THROW(RectInRect(crooked, straight), EBadRectangle);
    EXPECT_THROW(RectsIntersect(straight, crooked), EBadRectangle);
    EXPECT_THROW(RectUnion(crooked, straight), EBadRectangle);
    try {
        PointInRect({0, 0}, crooked);
    } catch (const EBadRectangle& e) {
        EXPECT_STREQ(e.what(), "El rectángulo no está \"derecho\".");
    }
}

TEST(Rectangles, NormalizeUnionAndInflate) {
    TRect2D r{2, 3, 0, 1};
    NormalizeRect(r);
    EXPECT_EQ(r, (TRect2D{0, 1, 2, 3}));
    EXPECT_EQ(RectUnion({0, 0, 1, 1}, {3, -1, 4, 0.5}), (TRect2D{0, -1, 4, 1}));
    EXPECT_EQ(InflateRect({2, 0, 0, 1}, 0.5), (TRect2D{2.5, -0.5, -0.5, 1.5}));
    EXPECT_EQ(InflateRect({0, 0, 2, 2}, -0.5), (TRect2D{0.5, 0.5, 1.5, 1.5}));
}

TEST(Transform, CoefficientsInOrderAndRoundTrip) {
    const TParal2D p{{10, 20}, {2, 0}, {0, 4}};
    const TParalTransform t = TransformFromParal(p);
    EXPECT_DOUBLE_EQ(t.A, 0.5);
    EXPECT_DOUBLE_EQ(t.B, 0);
    EXPECT_DOUBLE_EQ(t.C, 0);
    EXPECT_DOUBLE_EQ(t.D, 0.25);
    EXPECT_DOUBLE_EQ(t.E, -5);
    EXPECT_DOUBLE_EQ(t.F, -5);
    EXPECT_EQ(t.G, 2);
    EXPECT_EQ(t.H, 0);
    EXPECT_EQ(t.I, 0);
    EXPECT_EQ(t.J, 4);
    EXPECT_EQ(t.K, 10);
    EXPECT_EQ(t.L, 20);
    EXPECT_EQ(ToLocalPoint(t, {12, 24}), (TPoint2D{1, 1}));
    EXPECT_EQ(ToWorldPoint(t, {0.5, 0.5}), (TPoint2D{11, 22}));
    EXPECT_EQ(ToLocalVector(t, {2, 4}), (TVector2D{1, 1}));
    EXPECT_EQ(ToWorldVector(t, {1, 1}), (TVector2D{2, 4}));
}

TEST(Transform, SkewedFrameMapsCornersToTheUnitSquare) {
    const TParal2D p{{1, 1}, {3, 1}, {-1, 2}};
    const TParalTransform t = TransformFromParal(p);
    const TParal2D local = ParalToLocal(t, p);
    EXPECT_TRUE(SameParal(local, {{0, 0}, {1, 0}, {0, 1}}));
    EXPECT_TRUE(SameParal(ParalToWorld(t, local), p));
    const TPoint2D far = ToLocalPoint(t, p.Origin + p.U + p.V);
    EXPECT_TRUE(SamePoint(far, {1, 1}));
}

TEST(Transform, DegenerateParallelogramFails) {
    EXPECT_THROW(TransformFromParal({{0, 0}, {1, 1}, {2, 2}}), EFloatingPointError);
}

TEST(Regions, NormaliseTheirBoundsAndAnswer) {
    TRRectangle region;
    region.SetBounds({1, 0, 0, 1});
    EXPECT_EQ(region.Bounds(), (TRect2D{0, 0, 1, 1}));
    EXPECT_TRUE(region.ContainsPoint({1, 1}));
    EXPECT_FALSE(region.ContainsPoint({1.5, 1}));
    EXPECT_TRUE(region.ContainsSegment({{0, 0}, {1, 0.5}}));
    EXPECT_FALSE(region.ContainsSegment({{0, 0}, {2, 0.5}}));
    EXPECT_EQ(region.Corner(), (TPoint2D{0, 0}));
    EXPECT_TRUE(region.IsConvex());

    const TRegion other(TRect2D{0.5, 0.5, 0.25, 0.75});
    EXPECT_TRUE(region.Intersects(other));
    EXPECT_TRUE(region.ContainsRegion(other));
    EXPECT_FALSE(region.IsInsideRegion(other));
    EXPECT_TRUE(other.IsInsideRegion(region));
}

TEST(Regions, PlainRegionDoesNotKnowItsConvexity) {
    const TRegion plain;
    EXPECT_THROW(plain.IsConvex(), EAbstractError);
    const TConvexRegion convex;
    EXPECT_TRUE(convex.IsConvex());
}

}  // namespace
}  // namespace nerim
