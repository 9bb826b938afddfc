#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "objects/core/polyline.h"
#include "objects/core/ring_containment.h"
#include "support/exception.h"
#include "support/text_reader.h"
#include "support/text_writer.h"
#include "tests/common/geometry_printers.h"

namespace nerim {
namespace {

void Fill(TPLPolyLine& line, const std::vector<TPoint2D>& points, bool closed) {
    for (const TPoint2D& p : points) line.Append(p);
    line.SetClosed(closed);
}

// Winding number by signed crossings: a different route to the answer for points that lie
// on no edge.
bool WindingContains(const std::vector<TPoint2D>& ring, const TPoint2D& p) {
    int winding = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const TPoint2D& a = ring[i];
        const TPoint2D& b = ring[(i + 1) % ring.size()];
        const double side = (b.X - a.X) * (p.Y - a.Y) - (p.X - a.X) * (b.Y - a.Y);
        if (a.Y <= p.Y && b.Y > p.Y && side > 0) ++winding;
        if (a.Y > p.Y && b.Y <= p.Y && side < 0) --winding;
    }
    return winding != 0;
}

std::string Written(TPLPolyLine& line) {
    StringTextWriter w;
    line.WriteText(w);
    return w.Bytes();
}

TEST(PolyLineContains, UnitSquareBoundaryFollowsTheComparisons) {
    TPLPolyLine square;
    Fill(square, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
    EXPECT_TRUE(square.ContainsPoint({0.5, 0.5}));
    EXPECT_TRUE(square.ContainsPoint({1, 0.5}));
    EXPECT_TRUE(square.ContainsPoint({0.5, 1}));
    EXPECT_FALSE(square.ContainsPoint({0, 0.5}));
    EXPECT_FALSE(square.ContainsPoint({0.5, 0}));
    EXPECT_FALSE(square.ContainsPoint({1.5, 0.5}));
    // The flat copy answers alike, boundary points included.
    const std::vector<TPoint2D> ring = square.Points();
    for (double x = -0.5; x <= 1.5; x += 0.25)
        for (double y = -0.5; y <= 1.5; y += 0.25)
            EXPECT_EQ(RingContainsPoint(ring, {x, y}), square.ContainsPoint({x, y})) << x << ", " << y;
}

TEST(PolyLineContains, ClosingEdgeCountsForOpenLists) {
    TPLPolyLine open;
    TPLPolyLine closed;
    Fill(open, {{0, 0}, {4, 1}, {1, 3}}, false);
    Fill(closed, {{0, 0}, {4, 1}, {1, 3}}, true);
    int inside = 0;
    for (double x = -1; x <= 5; x += 0.25)
        for (double y = -1; y <= 4; y += 0.25) {
            EXPECT_EQ(open.ContainsPoint({x, y}), closed.ContainsPoint({x, y})) << x << ", " << y;
            inside += closed.ContainsPoint({x, y});
        }
    EXPECT_GT(inside, 20);
}

TEST(PolyLineContains, ConcavePolygonAgreesWithWindingNumber) {
    // A comb with three teeth, and a slanted notch.
    const std::vector<TPoint2D> comb{{0, 0}, {10, 0}, {10, 8}, {8, 8},  {8, 2},  {6, 2}, {6, 8},
                                     {4, 8}, {4, 2},  {2, 2},  {3, 8}, {0, 8}};
    TPLPolyLine line;
    Fill(line, comb, true);
    for (double x = -1.1; x <= 11; x += 0.2)
        for (double y = -1.1; y <= 9; y += 0.2)
            EXPECT_EQ(line.ContainsPoint({x, y}), WindingContains(comb, {x, y})) << x << ", " << y;
    EXPECT_TRUE(line.ContainsPoint({5, 5}));   // a tooth
    EXPECT_FALSE(line.ContainsPoint({7, 5}));  // a gap between teeth
}

TEST(PolyLineContains, CollinearAndRepeatedVerticesChangeNothing) {
    // The square (0,0)-(4,4) with a repeated corner, points along every edge, and a spike of
    // zero width: rays through vertices and along horizontal edges must count once.
    TPLPolyLine plain;
    TPLPolyLine busy;
    Fill(plain, {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, true);
    Fill(busy, {{0, 0}, {2, 0}, {4, 0}, {4, 0}, {4, 2}, {4, 4}, {2, 4}, {2, 6}, {2, 4}, {0, 4}, {0, 2}}, true);
    for (double x = -1; x <= 5; x += 0.5)
        for (double y = -1; y <= 5; y += 0.5) {
            if (x == 0 || x == 4 || y == 0 || y == 4) continue;  // the outline itself
            EXPECT_EQ(busy.ContainsPoint({x, y}), plain.ContainsPoint({x, y})) << x << ", " << y;
        }
    // A diamond: the horizontal line through P passes exactly through two vertices.
    TPLPolyLine diamond;
    Fill(diamond, {{1, 0}, {2, 1}, {1, 2}, {0, 1}}, true);
    EXPECT_TRUE(diamond.ContainsPoint({0.5, 1}));
    EXPECT_TRUE(diamond.ContainsPoint({1.5, 1}));
    EXPECT_FALSE(diamond.ContainsPoint({0.2, 0.5}));
}

TEST(PolyLineContains, SmallAndEmptyListsContainNothing) {
    TPLPolyLine line;
    EXPECT_FALSE(line.ContainsPoint({0, 0}));
    line.Append({1, 1});
    EXPECT_FALSE(line.ContainsPoint({1, 1}));
    line.Append({3, 3});
    EXPECT_FALSE(line.ContainsPoint({2, 2.5}));
}

TEST(PolyLineBounds, EmptyListRaisesNotInRange) {
    TPLPolyLine line;
    EXPECT_THROW(line.MaxX(), ENotInRange);
    EXPECT_THROW(line.MinX(), ENotInRange);
    EXPECT_THROW(line.MaxY(), ENotInRange);
    EXPECT_THROW(line.MinY(), ENotInRange);
    EXPECT_THROW(line.FirstNode(), ENotInRange);
    EXPECT_THROW(line.LastNode(), ENotInRange);
    try {
        line.Bounds();
        FAIL();
    } catch (const ENotInRange& e) {
        EXPECT_STREQ(e.what(), "");
    }
    line.Append({2, -3});
    EXPECT_EQ(line.Bounds(), (TRect2D{2, -3, 2, -3}));
    line.Delete(line.FirstNode());
    EXPECT_THROW(line.MaxX(), ENotInRange);
    EXPECT_EQ(line.Head(), nullptr);
    EXPECT_EQ(line.Tail(), nullptr);
}

TEST(PolyLineBounds, DeletionKeepsOrShrinksTheBox) {
    TPLPolyLine square;
    Fill(square, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    TPLNode* inner = square.InsertAfter(square.FirstNode(), {50, 40});
    TPLNode* nearEdge = square.InsertAfter(inner, {99.5, 60});
    square.Delete(inner);
    EXPECT_EQ(square.Bounds(), (TRect2D{0, 0, 100, 100}));
    square.Delete(nearEdge);  // inside the 1 % band: recomputed, and still exact
    EXPECT_EQ(square.Bounds(), (TRect2D{0, 0, 100, 100}));
    square.Delete(square.NextNode(square.FirstNode()));  // the corner (100, 0)
    EXPECT_EQ(square.Bounds(), (TRect2D{0, 0, 100, 100}));
    square.Delete(square.NextNode(square.FirstNode()));  // (100, 100): no vertex is left at X = 100
    EXPECT_EQ(square.Bounds(), (TRect2D{0, 0, 0, 100}));
}

TEST(PolyLineBounds, UpdateLockDefersShrinkingUntilEndUpdate) {
    TPLPolyLine line;
    Fill(line, {{0, 0}, {10, 0}, {10, 10}}, false);
    line.BeginUpdate();
    EXPECT_TRUE(line.UpdateLock());
    line.SetPoint(line.LastNode(), {5, 5});
    line.Delete(line.NextNode(line.FirstNode()));
    EXPECT_EQ(line.Bounds(), (TRect2D{0, 0, 10, 10}));
    line.Append({-4, 2});  // insertions widen it even so
    EXPECT_EQ(line.Bounds(), (TRect2D{-4, 0, 10, 10}));
    line.SetPoint(line.FirstNode(), {20, 1});  // a move outside the box is not seen yet
    EXPECT_EQ(line.Bounds(), (TRect2D{-4, 0, 10, 10}));
    line.EndUpdate();
    EXPECT_FALSE(line.UpdateLock());
    EXPECT_EQ(line.Bounds(), (TRect2D{-4, 1, 20, 5}));
    line.SetPoint(line.FirstNode(), {0, 0});
    EXPECT_EQ(line.Bounds(), (TRect2D{-4, 0, 5, 5}));
}

TEST(PolyLineNodes, InsertionsKeepHeadTailAndCount) {
    TPLPolyLine line;
    TPLNode* b = line.Append({2, 0});
    TPLNode* a = line.InsertFirst({1, 0});
    TPLNode* d = line.InsertAfter(b, {4, 0});
    line.InsertAfter(b, {3, 0});
    EXPECT_EQ(line.Head(), a);
    EXPECT_EQ(line.Tail(), d);
    EXPECT_EQ(line.Count(), 4);
    EXPECT_EQ(line.Points(), (std::vector<TPoint2D>{{1, 0}, {2, 0}, {3, 0}, {4, 0}}));
    EXPECT_EQ(line.MemorySize(), 84);
    EXPECT_EQ(line.ReservedQuery(), 0);
}

TEST(PolyLineNodes, NextNodeWrapsOnlyWhenClosedAndDeleteReturnsTheFollower) {
    for (const bool closed : {false, true}) {
        TPLPolyLine line;
        Fill(line, {{0, 0}, {1, 0}, {1, 1}}, closed);
        TPLNode* first = line.FirstNode();
        TPLNode* second = line.NextNode(first);
        EXPECT_EQ(line.NextNode(line.LastNode()), closed ? first : nullptr);
        EXPECT_EQ(line.Delete(line.LastNode()), nullptr);
        EXPECT_EQ(line.Tail(), second);
        EXPECT_EQ(line.Delete(first), second);
        EXPECT_EQ(line.Head(), second);
        EXPECT_EQ(line.NextNode(second), closed ? second : nullptr);
    }
}

TEST(PolyLineNodes, ForeignOrNullNodesAreRefused) {
    TPLPolyLine line;
    TPLPolyLine other;
    Fill(line, {{0, 0}, {1, 0}}, false);
    TPLNode* stranger = other.Append({5, 5});
    EXPECT_THROW(line.Delete(stranger), ENotInRange);
    EXPECT_THROW(line.Delete(nullptr), ENotInRange);
    EXPECT_THROW(line.GetPoint(nullptr), ENotInRange);
    EXPECT_THROW(line.SetPoint(nullptr, {1, 1}), ENotInRange);
    EXPECT_THROW(line.NextNode(nullptr), ENotInRange);
    EXPECT_EQ(line.Count(), 2);
    EXPECT_EQ(other.Count(), 1);
}

TEST(PolyLineNodes, MillionVerticesFreeWithoutRecursion) {
    auto line = std::make_unique<TPLPolyLine>();
    for (int i = 0; i < 1000000; ++i) line->Append({static_cast<double>(i), static_cast<double>(i % 7)});
    EXPECT_EQ(line->Count(), 1000000);
    EXPECT_EQ(line->Points().back(), (TPoint2D{999999, 999999 % 7}));
    line.reset();
}

TEST(PolyLineNotify, ChangeKindsAndListener) {
    TPLPolyLine line;
    std::vector<int> kinds;
    line.OnChange = [&](TPLPolyLine& sender) {
        EXPECT_EQ(&sender, &line);
        kinds.push_back(sender.LastChangeKind());
    };
    line.Append({0, 0});
    line.SetClosed(true);
    line.SetClosed(true);  // no change, no notification
    line.BeginUpdate();
    line.EndUpdate();
    line.SetPoint(line.FirstNode(), {1, 1});
    Written(line);
    EXPECT_EQ(kinds, (std::vector<int>{1, 1, 1, 0}));

    TextReader reader("2 0\r\n1 1\r\n2 2\r\n", "poly");
    line.Append({3, 3});
    kinds.clear();
    line.ReadText(reader);  // two deletions, then the reading itself
    EXPECT_EQ(kinds, (std::vector<int>{1, 1, 0}));
    EXPECT_FALSE(line.Closed());
}

TEST(PolyLineHit, NearestSegmentWithinTolerance) {
    TPLPolyLine line;
    Fill(line, {{0, 0}, {10, 0}, {10, 10}}, false);
    double along = 7;
    double length = 7;
    // Beyond the end of the first segment, within tolerance of its line and of its box.
    EXPECT_EQ(line.HitSegment({-0.3, 0.1}, along, length, 0.5), line.FirstNode());
    EXPECT_NEAR(along, 0.3, 1e-12);
    EXPECT_EQ(length, 10);
    // Equally near two segments: the earlier one; a strictly nearer later one wins.
    EXPECT_EQ(line.HitSegment({10.25, -0.25}, along, length, 0.5), line.FirstNode());
    EXPECT_EQ(along, 10.25);
    EXPECT_EQ(line.HitSegment({10.2, -0.25}, along, length, 0.5), line.NextNode(line.FirstNode()));
    EXPECT_NEAR(along, 0.25, 1e-12);
    // Farther than the tolerance from every segment, or outside the X extent.
    EXPECT_EQ(line.HitSegment({5, 3}, along, length, 0.5), nullptr);
    EXPECT_EQ(along, 0);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(line.HitSegment({-0.5, 0}, along, length, 0.5), nullptr);
    EXPECT_NE(line.HitSegment({-0.49, 0}, along, length, 0.5), nullptr);
    // On the line of a segment but beyond its inflated box.
    EXPECT_EQ(line.HitSegment({10, 11}, along, length, 0.5), nullptr);
    TPLPolyLine empty;
    along = length = 3;
    EXPECT_EQ(empty.HitSegment({0, 0}, along, length, 1), nullptr);
    EXPECT_EQ(along, 0);
    EXPECT_EQ(length, 0);
}

TEST(PolyLineHit, ClosedListsTryTheClosingSegmentFirst) {
    TPLPolyLine line;
    Fill(line, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, false);
    double along = 0;
    double length = 0;
    EXPECT_EQ(line.HitSegment({-0.25, -0.25}, along, length, 0.5), line.FirstNode());
    line.SetClosed(true);
    EXPECT_EQ(line.HitSegment({-0.25, -0.25}, along, length, 0.5), line.LastNode());
    EXPECT_EQ(along, 10.25);
    // A repeated vertex makes a segment of no length, at distance zero from any point in its box.
    TPLPolyLine dot;
    Fill(dot, {{3, 3}}, true);
    EXPECT_EQ(dot.HitSegment({3.2, 2.9}, along, length, 0.5), dot.FirstNode());
    EXPECT_EQ(along, 0);
    EXPECT_EQ(length, 0);
}

TEST(PolyLineCollect, StrictlyInsideABoxGivenMaximumCornerFirst) {
    TPLPolyLine line;
    Fill(line, {{1, 1}, {2, 2}, {3, 1}, {2, 0}, {2.5, 1.5}}, false);
    std::vector<TPLNode*> found;
    line.CollectInBox({3, 2, 1, 0}, found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(line.GetPoint(found[0]), (TPoint2D{2.5, 1.5}));
    line.CollectInBox({3.1, 2.1, 0.9, -0.1}, found);  // appends, in list order
    EXPECT_EQ(found.size(), 6u);
    EXPECT_EQ(line.GetPoint(found[1]), (TPoint2D{1, 1}));
    std::vector<TPLNode*> none;
    line.CollectInBox({0.9, -0.1, 3.1, 2.1}, none);  // minimum corner first: nothing is inside
    EXPECT_TRUE(none.empty());
}

TEST(PolyLineText, WritesHeaderAndFixedPointVertices) {
    TPLPolyLine triangle;
    Fill(triangle, {{0, 0}, {2, 0}, {1, 1.5}}, true);
    EXPECT_EQ(Written(triangle), "3 1\r\n0.00000000 0.00000000\r\n2.00000000 0.00000000\r\n1.00000000 1.50000000\r\n");
    TPLPolyLine open;
    Fill(open, {{-0.125, 1234.567890123}}, false);
    EXPECT_EQ(Written(open), "1 0\r\n-0.12500000 1234.56789012\r\n");
    TPLPolyLine empty;
    EXPECT_EQ(Written(empty), "0 0\r\n");
}

TEST(PolyLineText, ReadsBackWhatItWrites) {
    TPLPolyLine original;
    Fill(original, {{10, 2}, {20, 2.25}, {15, -6}}, true);
    TextReader reader(Written(original) + "TObstacleDef\r\n", "poly");
    TPLPolyLine copy;
    copy.ReadText(reader);
    EXPECT_TRUE(copy.Closed());
    EXPECT_EQ(copy.Points(), original.Points());
    EXPECT_EQ(copy.Bounds(), (TRect2D{10, -6, 20, 2.25}));
    EXPECT_EQ(reader.ReadLine(), "TObstacleDef");  // stops after the counted vertices
}

TEST(PolyLineText, ShortOrOddSourcesStopQuietly) {
    TPLPolyLine line;
    TextReader shortSource("5 1\r\n1 2\r\n3 4\r\n\r\n  \r\n", "poly");
    line.ReadText(shortSource);
    EXPECT_TRUE(line.Closed());
    EXPECT_EQ(line.Points(), (std::vector<TPoint2D>{{1, 2}, {3, 4}}));

    TextReader huge("2147483647 2\r\n1 2\r\n", "poly");
    line.ReadText(huge);
    EXPECT_FALSE(line.Closed());  // only 1 means closed
    EXPECT_EQ(line.Count(), 1);

    TextReader negative("-3 1\r\n1 2\r\n", "poly");
    line.ReadText(negative);
    EXPECT_EQ(line.Count(), 0);
    EXPECT_EQ(negative.ReadLine(), "1 2");
}

TEST(PolyLineText, MalformedNumberKeepsTheVerticesBeforeIt) {
    TPLPolyLine line;
    TextReader reader("3 1\r\n1 2\r\n-5 9\r\n3 x\r\n", "poly");
    EXPECT_THROW(line.ReadText(reader), EInOutError);
    EXPECT_EQ(line.Count(), 2);
    EXPECT_EQ(line.Bounds(), (TRect2D{-5, 2, 1, 9}));
    TextReader noHeader("", "poly");
    EXPECT_THROW(line.ReadText(noHeader), EInOutError);
    EXPECT_EQ(line.Count(), 0);
}

}  // namespace
}  // namespace nerim
