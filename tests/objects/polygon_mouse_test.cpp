// Drawing and editing polygons with the mouse through a real view.
#include <gtest/gtest.h>

#include <QPoint>
#include <cmath>

#include "canvas/widget/canvax_view.h"
#include "canvas/ce_layer.h"
#include "canvas/smart_cursor.h"
#include "canvas/ve_dot2.h"
#include "canvas/virtuals_list.h"
#include "objects/ce_polyline.h"
#include "tests/objects/object_test_support.h"

namespace nerim {
namespace {

using testing::InformationRecorder;
using testing::Rgb;
using testing::SizeView;
using testing::VertexEventRecorder;

// A view of 200 x 150 pixels showing world x from -10 to 90 and y from -5 to 70: half a world
// unit per pixel, so the pick tolerance (three pixel diagonals) is 2.12 world units and the
// drag threshold of 3 world units is 6 pixels.
class PolygonMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        SizeView(view, 200, 150);
        view.SetCanvax(&doc);
        view.SetReferences({-10, -5}, {0.5, 0}, {0, 0.5});
        layer->Show();
        view.UpdateScreen();
    }

    // A new polygon put into the drawing as the main window does it.
    ElementHandle<TCEPolyline> NewPolygon() {
        ElementHandle<TCEPolyline> polygon = MakeElement<TCEPolyline>(doc);
        polygon->SetColor(clWhite);
        polygon->SetClosed(true);
        events.Attach(*polygon);
        layer->AddChild(*polygon);
        polygon->Show();
        return polygon;
    }

    QPoint Pixel(const TPoint2D& world) const {
        const TPoint2D s = view.WorldToScreen(world);
        return QPoint(int(std::lround(s.X)), int(std::lround(s.Y)));
    }
    void Press(const TPoint2D& w) { view.MouseDown(mbLeft, TShiftState{ssLeft}, Pixel(w).x(), Pixel(w).y()); }
    void Release(const TPoint2D& w) { view.MouseUp(mbLeft, TShiftState{}, Pixel(w).x(), Pixel(w).y()); }
    void Move(const TPoint2D& w) { view.MouseMove(TShiftState{}, Pixel(w).x(), Pixel(w).y()); }
    void Click(const TPoint2D& w) {
        Move(w);
        Press(w);
        Release(w);
    }
    // What the window system sends for a double click: a click, the double click, and a press
    // that the view swallows.
    void DoubleClick(const TPoint2D& w) {
        Click(w);
        view.DblClick();
        view.MouseDown(mbLeft, TShiftState{ssLeft, ssDouble}, Pixel(w).x(), Pixel(w).y());
        Release(w);
    }

    // A selected triangle drawn with the mouse, its last vertex current.
    ElementHandle<TCEPolyline> DrawTriangle() {
        ElementHandle<TCEPolyline> polygon = NewPolygon();
        Click(a);
        Click(b);
        DoubleClick(c);
        return polygon;
    }

    QRgb Buffer(const TPoint2D& w) const { return view.BufferImage().pixel(Pixel(w)); }

    TCanvax doc;
    TCanvaxView view;
    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(doc);
    InformationRecorder information;
    VertexEventRecorder events;
    const TPoint2D a{10, 10};
    const TPoint2D b{60, 10};
    const TPoint2D c{35, 50};
};

TEST_F(PolygonMouseTest, PressesAndADoubleClickDrawASelectedPolygon) {
    ElementHandle<TCEPolyline> polygon = DrawTriangle();
    ASSERT_EQ(polygon->Line().Count(), 3);
    EXPECT_EQ(polygon->Line().Points(), (std::vector<TPoint2D>{a, b, c}));
    EXPECT_EQ(polygon->State(), esSelect);
    EXPECT_EQ(doc.SelectedElement(), polygon.get());
    EXPECT_EQ(doc.InsertingElement(), nullptr);
    EXPECT_EQ(polygon->CurrentNode(), polygon->Line().Tail());
    EXPECT_EQ(polygon->EditState(), pesIdle);  // the release after the double click
    EXPECT_TRUE(events.NoneDangling());

    // Its picture: the sides, blue squares on the vertices and a red one on the current vertex.
    view.UpdateScreen();
    EXPECT_EQ(Buffer(a), Rgb(clBlue));
    EXPECT_EQ(Buffer(b), Rgb(clBlue));
    EXPECT_EQ(Buffer(c), Rgb(clRed));
    EXPECT_NE(Buffer({35, 10}), Rgb(clBlack));
}

TEST_F(PolygonMouseTest, ADoubleClickAfterOneVertexDoesNotEndTheDrawing) {
    ElementHandle<TCEPolyline> polygon = NewPolygon();
    DoubleClick(a);
    EXPECT_EQ(polygon->Line().Count(), 1);
    EXPECT_EQ(polygon->State(), esInsert);
    EXPECT_EQ(polygon->CreateState(), pcsVertices);
    EXPECT_TRUE(polygon->Visible());
    Move(b);
    EXPECT_EQ(view.CursorId(), doc.DefaultCursor());
}

TEST_F(PolygonMouseTest, DraggingAVertexMovesIt) {
    ElementHandle<TCEPolyline> polygon = DrawTriangle();
    TPLNode* second = polygon->Line().Head()->Next();
    Move({59, 11});  // near b: the marker goes on it
    ASSERT_NE(polygon->VertexMarker(), nullptr);
    EXPECT_TRUE(polygon->VertexMarker()->Visible());
    EXPECT_EQ(polygon->MarkedNode(), second);
    ASSERT_GT(view.CursorId(), 0);
    EXPECT_EQ(SmartCursorNames()[view.CursorId() - 1], "MOVEPOINT");
    const QPoint centre = Pixel(b);
    EXPECT_EQ(polygon->VertexMarker()->Left() + 3, centre.x());

    Press({59, 11});
    EXPECT_EQ(polygon->EditState(), pesPressed);
    EXPECT_EQ(polygon->CurrentNode(), second);
    EXPECT_EQ(events.Events.back().Node, second);
    Move({60, 12});
    EXPECT_EQ(polygon->EditState(), pesDragging);
    Move({70, 20});
    EXPECT_EQ(polygon->VertexMarker()->Left() + 3, Pixel({70, 20}).x());
    EXPECT_EQ(polygon->Line().GetPoint(second), b);  // not before the release
    Release({70, 20});
    EXPECT_EQ(polygon->EditState(), pesIdle);
    EXPECT_EQ(polygon->Line().GetPoint(second), (TPoint2D{70, 20}));
    EXPECT_EQ(events.Events.back().Node, second);
    view.UpdateScreen();
    EXPECT_EQ(Buffer({70, 20}), Rgb(clRed));
    EXPECT_EQ(Buffer(b), Rgb(clBlack));
}

TEST_F(PolygonMouseTest, AFirstMoveFartherThanThreeUnitsDoesNotStartADrag) {
    ElementHandle<TCEPolyline> polygon = DrawTriangle();
    Move(a);
    Press(a);
    Move({14, 10});  // 4 world units away
    EXPECT_EQ(polygon->EditState(), pesPressed);
    Move({20, 15});
    EXPECT_EQ(polygon->EditState(), pesPressed);
    Release({20, 15});
    EXPECT_EQ(polygon->EditState(), pesIdle);
    EXPECT_EQ(polygon->Line().GetPoint(polygon->Line().Head()), a);

    // Exactly three units starts it.
    Move(a);
    Press(a);
    Move({13, 10});
    EXPECT_EQ(polygon->EditState(), pesDragging);
}

TEST_F(PolygonMouseTest, TheCursorTellsWhatAPressWouldDo) {
    ElementHandle<TCEPolyline> polygon = DrawTriangle();
    const auto cursorName = [&] {
        return view.CursorId() > 0 ? SmartCursorNames()[view.CursorId() - 1] : std::string("default");
    };
    Move({35, 11});  // on a side, far from its ends
    EXPECT_EQ(cursorName(), "NEWPOINT");
    EXPECT_FALSE(polygon->VertexMarker() && polygon->VertexMarker()->Visible());
    Move({80, 60});  // nowhere, and the current vertex ends the line
    EXPECT_EQ(cursorName(), "NEWPOLYGON");
    polygon->SetCurrentNode(polygon->Line().Head()->Next());
    Move({80, 61});
    EXPECT_EQ(cursorName(), "default");
}

TEST_F(PolygonMouseTest, PressesOnASideOrBeyondAnEndAddVertices) {
    ElementHandle<TCEPolyline> polygon = DrawTriangle();
    // On side a-b: the foot of the perpendicular.
    Move({30, 11});
    Press({30, 11});
    Release({30, 11});
    ASSERT_EQ(polygon->Line().Count(), 4);
    EXPECT_EQ(polygon->Line().Points()[1], (TPoint2D{30, 10}));
    EXPECT_EQ(polygon->CurrentNode(), polygon->Line().Head()->Next());
    // Elsewhere with a middle vertex current: nothing.
    Click({80, 60});
    EXPECT_EQ(polygon->Line().Count(), 4);
    // With the last vertex current the polygon grows from its end, with the first from its start.
    polygon->SetCurrentNode(polygon->Line().Tail());
    Click({80, 60});
    EXPECT_EQ(polygon->Line().Count(), 5);
    EXPECT_EQ(polygon->Line().GetPoint(polygon->Line().Tail()), (TPoint2D{80, 60}));
    EXPECT_EQ(polygon->CurrentNode(), polygon->Line().Tail());
    polygon->SetCurrentNode(polygon->Line().Head());
    Click({-5, 65});
    EXPECT_EQ(polygon->Line().Count(), 6);
    EXPECT_EQ(polygon->Line().GetPoint(polygon->Line().Head()), (TPoint2D{-5, 65}));
    EXPECT_TRUE(events.NoneDangling());
}

TEST_F(PolygonMouseTest, ATwoVertexPolygonRefusesToLoseAVertex) {
    ElementHandle<TCEPolyline> polygon = NewPolygon();
    Click(a);
    DoubleClick(b);
    ASSERT_EQ(polygon->State(), esSelect);
    Move(a);
    Move(a);
    ASSERT_EQ(polygon->MarkedNode(), polygon->Line().Head());
    DoubleClick(a);
    EXPECT_EQ(information.Messages, (std::vector<std::string>{"***"}));
    EXPECT_EQ(polygon->Line().Points(), (std::vector<TPoint2D>{a, b}));
    EXPECT_FALSE(polygon->ContainsPoint({35, 10}));
}

TEST_F(PolygonMouseTest, DeletingTheCurrentVertexLeavesNoDanglingNode) {
    ElementHandle<TCEPolyline> polygon = DrawTriangle();
    Move(c);  // the current vertex
    Move(c);
    ASSERT_EQ(polygon->MarkedNode(), polygon->CurrentNode());
    DoubleClick(c);
    EXPECT_TRUE(information.Messages.empty());
    EXPECT_EQ(polygon->Line().Points(), (std::vector<TPoint2D>{a, b}));
    EXPECT_EQ(polygon->CurrentNode(), nullptr);
    EXPECT_EQ(polygon->MarkedNode(), nullptr);
    EXPECT_EQ(events.Events.back().Node, nullptr);
    EXPECT_TRUE(events.NoneDangling());
    view.UpdateScreen();  // paints without the deleted vertex
    EXPECT_EQ(Buffer(c), Rgb(clBlack));
}

TEST_F(PolygonMouseTest, ALeavingPolygonTakesItsMarkerAlong) {
    ElementHandle<TCEPolyline> polygon = DrawTriangle();
    Move(a);
    Move(a);
    ASSERT_TRUE(polygon->VertexMarker()->Visible());
    EXPECT_NE(view.ScreenImage(), view.BufferImage());
    EXPECT_EQ(view.Virtuals().Count(), 1);
    doc.SelectElement(nullptr);
    EXPECT_EQ(polygon->VertexMarker(), nullptr);
    EXPECT_EQ(view.Virtuals().Count(), 0);
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

}  // namespace
}  // namespace nerim
