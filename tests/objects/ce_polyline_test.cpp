#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "canvas/widget/canvax_view.h"
#include "canvas/ce_layer.h"
#include "canvas/geometry/geometry_funcs.h"
#include "objects/ce_polyline.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "support/exception.h"
#include "support/text_reader.h"
#include "support/text_writer.h"
#include "tests/objects/object_test_support.h"

namespace nerim {
namespace {

using testing::InformationRecorder;
using testing::MakePolygon;
using testing::Rgb;
using testing::SizeView;
using testing::VertexEventRecorder;

TEST(Polygon, ANewPolygonWaitsForItsFirstVertex) {
    TCanvax doc;
    ElementHandle<TCEPolyline> polygon = MakeElement<TCEPolyline>(doc);
    EXPECT_EQ(polygon->State(), esInsert);
    EXPECT_EQ(doc.InsertingElement(), polygon.get());
    EXPECT_EQ(polygon->CreateState(), pcsVertexStart);
    EXPECT_EQ(polygon->EditState(), pesInactive);
    EXPECT_EQ(polygon->Color(), clBlack);
    EXPECT_EQ(polygon->BoundsKind(), bkRegion);
    EXPECT_NE(dynamic_cast<TRRectangle*>(polygon->Region()), nullptr);
    EXPECT_FALSE(polygon->Visible());
    EXPECT_EQ(polygon->Line().Count(), 0);
    EXPECT_EQ(polygon->Definition(), nullptr);
    EXPECT_EQ(polygon->VertexMarker(), nullptr);
    EXPECT_EQ(polygon->ClassName(), "TCEPolyline");
}

TEST(Polygon, TheMaterialIsOwnedAndAReplacedOneHandedBack) {
    TCanvax doc;
    ElementHandle<TCEPolyline> polygon = MakeElement<TCEPolyline>(doc);
    EXPECT_EQ(polygon->SetDefinition(std::make_unique<TObstacleDef>()), nullptr);
    TNerimObjectDefinition* obstacle = polygon->Definition();
    ASSERT_NE(obstacle, nullptr);
    std::unique_ptr<TNerimObjectDefinition> previous = polygon->SetDefinition(std::make_unique<TPorousMediumDef>());
    EXPECT_EQ(previous.get(), obstacle);
    EXPECT_EQ(polygon->Definition()->ClassName(), "TPorousMediumDef");
    // Handing over the definition it holds changes nothing (and frees nothing twice).
    TNerimObjectDefinition* porous = polygon->Definition();
    EXPECT_EQ(polygon->SetDefinition(std::unique_ptr<TNerimObjectDefinition>(porous)), nullptr);
    EXPECT_EQ(polygon->Definition(), porous);
    // The porous definition goes with the polygon (the leak checker watches).
}

TEST(Polygon, ContainmentOfTheUnitSquareBoundary) {
    TCanvax doc;
    for (const bool closed : {true, false}) {
        SCOPED_TRACE(closed);
        ElementHandle<TCEPolyline> square = MakePolygon(doc, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, closed);
        EXPECT_TRUE(square->ContainsPoint({0.5, 0.5}));
        EXPECT_TRUE(square->ContainsPoint({1, 0.5}));
        EXPECT_TRUE(square->ContainsPoint({0.5, 1}));
        EXPECT_FALSE(square->ContainsPoint({0, 0.5}));
        EXPECT_FALSE(square->ContainsPoint({0.5, 0}));
        EXPECT_FALSE(square->ContainsPoint({1.5, 0.5}));
    }
}

TEST(Polygon, FewerThanThreeVerticesContainNothing) {
    TCanvax doc;
    ElementHandle<TCEPolyline> polygon = MakeElement<TCEPolyline>(doc);
    EXPECT_FALSE(polygon->ContainsPoint({0, 0}));
    polygon->Line().Append({0, 0});
    polygon->Line().Append({4, 2});
    for (const TPoint2D p : {TPoint2D{0, 0}, TPoint2D{2, 1}, TPoint2D{4, 2}, TPoint2D{2, 0.5}, TPoint2D{3, 1.9}})
        EXPECT_FALSE(polygon->ContainsPoint(p)) << p.X << "," << p.Y;
}

TEST(Polygon, FirstCrossingAlongASegment) {
    TCanvax doc;
    ElementHandle<TCEPolyline> square = MakePolygon(doc, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    TPoint2D q{-7, -7};
    // Leaving through the right side.
    ASSERT_TRUE(square->FirstCrossing({{0.5, 0.5}, {2, 0.5}}, q));
    EXPECT_NEAR(q.X, 1, 1e-12);
    EXPECT_NEAR(q.Y, 0.5, 1e-12);
    // Entering from outside: the nearer side.
    ASSERT_TRUE(square->FirstCrossing({{-1, 0.25}, {3, 0.75}}, q));
    EXPECT_NEAR(q.X, 0, 1e-12);
    EXPECT_NEAR(q.Y, 0.375, 1e-12);
    // Ending before the boundary.
    q = {-7, -7};
    EXPECT_FALSE(square->FirstCrossing({{0.5, 0.5}, {0.9, 0.5}}, q));
    EXPECT_EQ(q, (TPoint2D{-7, -7}));
    // Along the bottom side: its nearest vertex ahead of A.
    ASSERT_TRUE(square->FirstCrossing({{0.5, 0}, {3, 0}}, q));
    EXPECT_NEAR(q.X, 1, 1e-12);
    EXPECT_NEAR(q.Y, 0, 1e-12);
    ASSERT_TRUE(square->FirstCrossing({{-1, 0}, {3, 0}}, q));
    EXPECT_NEAR(q.X, 0, 1e-12);
    EXPECT_NEAR(q.Y, 0, 1e-12);
    // Nothing to walk.
    EXPECT_FALSE(square->FirstCrossing({{0.5, 0.5}, {0.5, 0.5}}, q));
    EXPECT_FALSE(MakeElement<TCEPolyline>(doc)->FirstCrossing({{0, 0}, {1, 1}}, q));
}

TEST(Polygon, FirstCrossingTakesTheClosingSideOfAnOpenLine) {
    TCanvax doc;
    ElementHandle<TCEPolyline> open = MakePolygon(doc, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, false);
    TPoint2D q;
    ASSERT_TRUE(open->FirstCrossing({{0.5, 0.5}, {-2, 0.5}}, q));
    EXPECT_NEAR(q.X, 0, 1e-12);
    EXPECT_NEAR(q.Y, 0.5, 1e-12);
}

TEST(Polygon, BoundsCoverThePreviousAnswerOfAnyPolygon) {
    TCanvax doc;
    TCanvaxView view;
    ElementHandle<TCEPolyline> a = MakePolygon(doc, {{0, 0}, {10, 0}, {10, 5}});
    ElementHandle<TCEPolyline> b = MakePolygon(doc, {{50, 50}, {60, 50}, {60, 52}});
    ElementHandle<TCEPolyline> empty = MakeElement<TCEPolyline>(doc);
    (void)a->GetBounds(view);
    EXPECT_EQ(b->GetBounds(view), (TRect2D{-4, -4, 64, 56}));
    EXPECT_EQ(b->GetBounds(view), (TRect2D{46, 46, 64, 56}));
    // Without vertices: the previous answer, once.
    EXPECT_EQ(empty->GetBounds(view), (TRect2D{46, 46, 64, 56}));
    EXPECT_EQ(empty->GetBounds(view), (TRect2D{0, 0, 0, 0}));
    b->BuildRegion();
    EXPECT_EQ(b->Region()->Bounds(), (TRect2D{50, 50, 60, 52}));
}

TEST(Polygon, HitTestingTakesRectangleRegionsOnly) {
    TCanvax doc;
    TCanvaxView view;
    view.SetCanvax(&doc);  // one pixel is one world unit: the tolerance is 3 * sqrt(2)
    ElementHandle<TCEPolyline> polygon = MakePolygon(doc, {{0, 0}, {100, 0}, {100, 50}});
    EXPECT_TRUE(polygon->HitTest(TRRectangle({50, 4, 51, 5}), view));
    EXPECT_FALSE(polygon->HitTest(TRRectangle({50, 5, 51, 6}), view));
    EXPECT_THROW(polygon->HitTest(TRegion({50, 0, 51, 1}), view), EUnknownRegion);
    EXPECT_THROW(polygon->HitTest(TConvexRegion({50, 0, 51, 1}), view), EUnknownRegion);
}

TEST(Polygon, TextFormIsTheVertexList) {
    TCanvax doc;
    ElementHandle<TCEPolyline> polygon = MakePolygon(doc, {{0, 0}, {2, 0}, {1, 1.5}});
    polygon->SetDefinition(std::make_unique<TObstacleDef>());
    StringTextWriter w;
    polygon->WriteText(w);
    EXPECT_EQ(w.Bytes(), "3 1\r\n0.00000000 0.00000000\r\n2.00000000 0.00000000\r\n1.00000000 1.50000000\r\n");

    VertexEventRecorder events;  // outlives the polygon, which reports to it when it goes
    ElementHandle<TCEPolyline> read = MakePolygon(doc, {{5, 5}, {6, 6}});
    read->SetCurrentNode(read->Line().Tail());
    events.Attach(*read);
    TextReader reader(w.Bytes(), "polygon");
    read->ReadText(reader);
    EXPECT_EQ(read->Line().Points(), polygon->Line().Points());
    EXPECT_TRUE(read->Closed());
    // The old vertices went: no event named one of them.
    EXPECT_EQ(read->CurrentNode(), nullptr);
    EXPECT_FALSE(events.Events.empty());
    EXPECT_TRUE(events.NoneDangling());
}

TEST(Polygon, VertexEventsFollowTheLineAndTheCurrentVertex) {
    TCanvax doc;
    VertexEventRecorder events;
    ElementHandle<TCEPolyline> polygon = MakeElement<TCEPolyline>(doc);
    events.Attach(*polygon);
    TPLNode* first = polygon->Line().Append({0, 0});
    ASSERT_EQ(events.Events.size(), 1u);
    EXPECT_EQ(events.Events[0].Node, nullptr);
    polygon->SetCurrentNode(first);
    ASSERT_EQ(events.Events.size(), 2u);
    EXPECT_EQ(events.Events[1].Node, first);
    polygon->SetCurrentNode(first);  // no change, no event
    polygon->SetClosed(true);
    polygon->SetClosed(true);
    EXPECT_TRUE(polygon->Line().Closed());
    ASSERT_EQ(events.Events.size(), 3u);
    polygon->Line().SetPoint(first, {1, 1});
    ASSERT_EQ(events.Events.size(), 4u);
    EXPECT_EQ(events.Events[3].Node, first);
    polygon->SetColor(clRed);
    EXPECT_EQ(polygon->Color(), clRed);
    // Going away, it reports that no vertex is current any more.
    polygon.reset();
    ASSERT_EQ(events.Events.size(), 5u);
    EXPECT_EQ(events.Events[4].Node, nullptr);
}

TEST(Polygon, AReleasedPolygonReportsWhenItIsFreed) {
    TCanvax doc;
    ElementHandle<TCEPolyline> polygon = MakePolygon(doc, {{0, 0}, {1, 0}, {1, 1}});
    TPLNode* node = nullptr;
    bool called = false;
    polygon->SetCurrentNode(polygon->Line().Head());
    polygon->SetVertexEvent([&](TCEPolyline&, TPLPolyLine&, TPLNode* n) {
        node = n;
        called = true;
    });
    doc.Lock();
    polygon.reset();
    EXPECT_FALSE(called);  // still alive until the document is unlocked
    doc.Unlock();
    EXPECT_TRUE(called);
    EXPECT_EQ(node, nullptr);
}

// Painting into a view's buffer (one pixel per world unit, black background).
class PolygonPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        SizeView(view, 120, 90);
        view.SetCanvax(&doc);
        layer->Show();
        layer->AddChild(*polygon);
        polygon->SetColor(clWhite);
        polygon->Show();
        doc.SelectElement(nullptr);
        polygon->SetNormal();
        view.UpdateScreen();
    }
    QRgb Buffer(int x, int y) const { return view.BufferImage().pixel(x, y); }
    TCanvax doc;
    TCanvaxView view;
    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(doc);
    ElementHandle<TCEPolyline> polygon = MakePolygon(doc, {{20, 20}, {100, 20}, {60, 70}});
};

TEST_F(PolygonPaintTest, SidesAreDrawnAndVertexSquaresOnlyWhenSelected) {
    EXPECT_NE(Buffer(60, 20), Rgb(clBlack));  // a side
    EXPECT_NE(Buffer(40, 45), Rgb(clBlack));  // the closing side
    EXPECT_EQ(Buffer(60, 40), Rgb(clBlack));  // the inside
    EXPECT_NE(Buffer(20, 20), Rgb(clBlue));

    polygon->SetCurrentNode(polygon->Line().Tail());
    doc.SelectElement(polygon.get());
    view.UpdateScreen();
    EXPECT_EQ(polygon->State(), esSelect);
    for (int d : {-2, 0, 2}) {
        EXPECT_EQ(Buffer(20 + d, 20 - d), Rgb(clBlue));
        EXPECT_EQ(Buffer(100 + d, 20 + d), Rgb(clBlue));
        EXPECT_EQ(Buffer(60 - d, 70 + d), Rgb(clRed));
    }
    EXPECT_NE(Buffer(17, 20), Rgb(clBlue));  // five pixels square
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

TEST_F(PolygonPaintTest, VerticesFarOffTheScreenAreLeftOut) {
    polygon->Line().Append({1e9, 45});
    doc.SelectElement(polygon.get());
    view.UpdateScreen();
    EXPECT_EQ(Buffer(20, 20), Rgb(clBlue));
    EXPECT_EQ(Buffer(60, 70), Rgb(clBlue));
    EXPECT_NE(Buffer(40, 45), Rgb(clBlack));  // the closing side from the last vertex drawn
}

}  // namespace
}  // namespace nerim
