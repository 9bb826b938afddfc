#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <stdexcept>

#include "canvas/ce_layer.h"
#include "canvas/ue_zoom.h"
#include "tests/canvas/canvas_test_support.h"

namespace nerim {
namespace {

using testing::SizeView;
using testing::TTestRect;

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nothing raised)";
}

void ExpectFrame(const TCanvaxView& view, const TParal2D& expected) {
    EXPECT_TRUE(SameParal(view.Frame(), expected)) << ::testing::PrintToString(view.Frame());
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        SizeView(view, 100, 100);
        view.SetCanvax(&doc);
    }
    TCanvax doc;
    TCanvaxView view;
};

TEST(CanvaxView, WithoutDocumentTheOperationsRefuse) {
    TCanvaxView view;
    SizeView(view, 50, 40);
    EXPECT_TRUE(view.ZoomMustKeepAspect());
    EXPECT_TRUE(view.MouseActive());
    EXPECT_EQ(view.VirtualsColor(), clBlack);
    EXPECT_FALSE(view.InZoom());
    ExpectFrame(view, {{0, 0}, {1, 0}, {0, 1}});
    const std::string message = "La Vista debe estar unida a un \"canvax\" para poder operar con ella";
    EXPECT_EQ(MessageOf([&] { view.SetReferences({0, 0}, {1, 0}, {0, 1}); }), message);
    EXPECT_EQ(MessageOf([&] { view.ApplyReferences({0, 0}, {1, 0}, {0, 1}); }), message);
    EXPECT_EQ(MessageOf([&] { view.BeginZoom(); }), message);
    EXPECT_EQ(MessageOf([&] { view.Zoom({0, 0, 1, 1}); }), message);
    EXPECT_EQ(MessageOf([&] { view.ZoomToScreenRect({0, 0, 1, 1}); }), message);
    EXPECT_THROW(view.BeginZoom(TParal2D{}), EViewWithoutCanvax);
}

TEST(CanvaxView, AttachingAndDetaching) {
    TCanvax a, b;
    a.SetDefaultCursor(crCross);
    {
        TCanvaxView view;
        view.SetCanvax(&a);
        EXPECT_EQ(a.Views().size(), 1u);
        EXPECT_EQ(view.CursorId(), crCross);
        view.SetCanvax(&b);
        EXPECT_TRUE(a.Views().empty());
        EXPECT_EQ(b.Views().size(), 1u);
        EXPECT_EQ(view.CursorId(), crDefault);
    }
    EXPECT_TRUE(b.Views().empty());
}

TEST_F(ViewTest, ConversionsFollowTheFrame) {
    int changes = 0;
    view.OnChangeRef = [&](TCanvaxViewport&) {
        EXPECT_TRUE(doc.IsLocked());
        ++changes;
    };
    view.SetReferences({10, 20}, {2, 0}, {0, 3});
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(view.ScreenToWorld({1, 1}), (TPoint2D{12, 23}));
    EXPECT_TRUE(SamePoint(view.WorldToScreen({12, 23}), {1, 1}));
    EXPECT_EQ(view.ScreenToWorldVector({1, 1}), (TVector2D{2, 3}));
    EXPECT_DOUBLE_EQ(view.PixelDiagonal(), std::sqrt(13.0));
    EXPECT_EQ(view.VisibleArea(), (TRect2D{8, 17, 212, 323}));
    const TParal2D p = view.ScreenToWorldParal({{0, 0}, {1, 0}, {0, 1}});
    EXPECT_EQ(p, (TParal2D{{10, 20}, {2, 0}, {0, 3}}));
    EXPECT_TRUE(SameParal(view.WorldToScreenParal(p), {{0, 0}, {1, 0}, {0, 1}}));
    EXPECT_FALSE(view.BufferValid());
}

TEST_F(ViewTest, ParallelReferencesAreRefusedAndChangeNothing) {
    EXPECT_EQ(MessageOf([&] { view.SetReferences({5, 5}, {1, 1}, {2, 2}); }),
              "Los vectores de referencia no pueden ser paralelos.");
    EXPECT_THROW(view.ApplyReferences({5, 5}, {0, 0}, {0, 1}), EInvalidRef);
    ExpectFrame(view, {{0, 0}, {1, 0}, {0, 1}});
}

TEST(CanvaxView, AllowedViewsConstrainTheReferences) {
    TCanvax doc;
    doc.SetAllowedViews(avOrthogonal);
    TCanvaxView view;
    view.SetCanvax(&doc);
    EXPECT_EQ(MessageOf([&] { view.SetReferences({0, 0}, {1, 0}, {1, 1}); }),
              "Cuando la propiedad \"AllowedViews\" del canvax es \"vaOrthogonal\", los vectores de referencia han "
              "de ser perpendiculares");
    view.SetReferences({0, 0}, {1, 1}, {-2, 2});
    view.SetCanvax(nullptr);

    doc.SetAllowedViews(avProportionalToSpace);
    view.SetCanvax(&doc);
    view.SetReferences({0, 0}, {2, 0}, {0, 2});
    ExpectFrame(view, {{0, 0}, {2, 0}, {0, 2}});
    EXPECT_EQ(MessageOf([&] { view.SetReferences({0, 0}, {2, 0}, {0, -2}); }),
              "Cuando la propiedad \"AllowedViews\" del canvax es \"vaProportionalToSpace\", los vectores de "
              "referencia han de ser del mismo módulo y paralelos a (1,0) y (0,1)");
    EXPECT_THROW(view.SetReferences({0, 0}, {2, 0.5}, {0, 2}), EInvalidRef);
    ExpectFrame(view, {{0, 0}, {2, 0}, {0, 2}});
}

TEST_F(ViewTest, BeginZoomOpensTheFrameOnceAndZoomNeedsIt) {
    EXPECT_EQ(MessageOf([&] { view.Zoom({0, 0, 1, 1}); }),
              "No se puede hacer un zoom sin llamar previamente a BeginZoom");
    EXPECT_THROW(view.ZoomToScreenRect({0, 0, 10, 10}), ECanNotZoom);
    view.SetReferences({5, 5}, {0.5, 0}, {0, 0.5});
    view.BeginZoom();
    EXPECT_TRUE(view.InZoom());
    EXPECT_TRUE(SameParal(view.ZoomFrame(), {{5, 5}, {50, 0}, {0, 50}}));
    // Zoom(0, 0, 1, 1) on the client area's own frame changes nothing.
    ExpectFrame(view, {{5, 5}, {0.5, 0}, {0, 0.5}});
    view.Zoom({0, 0, 0.5, 0.5});
    EXPECT_EQ(MessageOf([&] { view.BeginZoom(); }), "Ha llamado dos veces consecutivas a BeginZoom");
    EXPECT_EQ(MessageOf([&] { view.Zoom({0.3, 0, 0.3, 1}); }), "Error, zoom nulo");
    EXPECT_THROW(view.Zoom({0, 0.2, 1, 0.2 + 1e-9}), ECanNotZoom);
}

TEST_F(ViewTest, KeepingTheAspectShowsTheWholeRectangleCentred) {
    view.BeginZoom();  // frame: (0, 0), (100, 0), (0, 100)
    // Twice as wide as high on a square client: the width fits, the height is centred.
    view.Zoom({0, 0, 0.5, 0.25});
    ExpectFrame(view, {{0, -12.5}, {0.5, 0}, {0, 0.5}});
    // Twice as high as wide: the height fits.
    view.Zoom({0, 0, 0.25, 0.5});
    ExpectFrame(view, {{-12.5, 0}, {0.5, 0}, {0, 0.5}});
    // Without the aspect rule the rectangle fills the client area.
    view.SetZoomMustKeepAspect(false);
    view.Zoom({0, 0, 0.5, 0.25});
    ExpectFrame(view, {{0, 0}, {0.5, 0}, {0, 0.25}});
}

TEST(CanvaxView, AMirroredZoomIsCentredToo) {
    TCanvax doc;
    TCanvaxView view;
    SizeView(view, 200, 100);
    view.SetCanvax(&doc);
    view.BeginZoom({{0, 0}, {100, 0}, {0, 100}});
    view.Zoom({0.25, 0, 0, 0.25});  // reversed along X
    EXPECT_TRUE(SamePoint(view.ScreenToWorld({0, 0}), {37.5, 0}));
    EXPECT_TRUE(SamePoint(view.ScreenToWorld({200, 100}), {-12.5, 25}));
}

TEST(CanvaxView, TheAspectRuleUsesWorldLengthsWhateverTheCurrentFrame) {
    TCanvax doc;
    TCanvaxView view;
    SizeView(view, 100, 100);
    view.SetCanvax(&doc);
    view.SetReferences({0, 0}, {1, 0}, {0, 2});  // pixels twice as high as wide
    view.BeginZoom({{0, 0}, {75, 0}, {0, 100}});
    const TRect2D& visible = view.VisibleArea();
    EXPECT_LE(visible.X1, 0);
    EXPECT_LE(visible.Y1, 0);
    EXPECT_GE(visible.X2, 75);
    EXPECT_GE(visible.Y2, 100);
    EXPECT_TRUE(SamePoint(view.RefX(), {1, 0}));
    EXPECT_TRUE(SamePoint(view.RefY(), {0, 1}));
}

TEST_F(ViewTest, AFailingZoomRestoresTheFrameSilently) {
    doc.SetUndoFilter({uaZoom});
    view.BeginZoom();
    ASSERT_EQ(doc.Undo().Count(), 1);
    int calls = 0;
    view.OnChangeRef = [&](TCanvaxViewport&) {
        if (++calls == 1) throw std::runtime_error("refused");
    };
    view.Zoom({0, 0, 0.5, 0.5});
    EXPECT_EQ(calls, 2);
    ExpectFrame(view, {{0, 0}, {1, 0}, {0, 1}});
    EXPECT_EQ(doc.Undo().Count(), 1);
    EXPECT_FALSE(doc.IsLocked());
}

TEST_F(ViewTest, ZoomsAreRecordedOnlyWithTheZoomFilter) {
    view.BeginZoom();
    view.Zoom({0, 0, 0.5, 0.5});
    EXPECT_EQ(doc.Undo().Count(), 0);

    doc.SetUndoFilter({uaZoom});
    view.Zoom({0.25, 0.25, 0.75, 0.75});
    ASSERT_EQ(doc.Undo().Count(), 1);
    auto& entry = static_cast<TUEZoom&>(doc.Undo().Items(0));
    EXPECT_EQ(entry.ZoomRect(), (TRect2D{0.25, 0.25, 0.75, 0.75}));
    EXPECT_TRUE(SameParal(entry.FrameBefore(), {{0, 0}, {0.5, 0}, {0, 0.5}}));
    EXPECT_TRUE(SameParal(entry.FrameAfter(), {{25, 25}, {0.5, 0}, {0, 0.5}}));
    EXPECT_TRUE(SamePoint(entry.CornerBefore1(), {0, 0}));
    EXPECT_TRUE(SamePoint(entry.CornerBefore2(), {50, 50}));
    EXPECT_TRUE(SameParal(entry.ZoomFrameAt(), view.ZoomFrame()));
    EXPECT_EQ(entry.View(), &view);
    EXPECT_EQ(entry.GetUndoCaption(), "Deshacer zoom");
    EXPECT_EQ(entry.GetRedoCaption(), "Rehacer zoom");
    EXPECT_EQ(entry.MemorySize(), 4);
    EXPECT_TRUE(entry.CanUndo());
    EXPECT_FALSE(entry.CanRedo());

    entry.DoUndo();  // shows the area before again (and records that zoom too)
    ExpectFrame(view, entry.FrameBefore());
    EXPECT_EQ(doc.Undo().Count(), 2);
    EXPECT_FALSE(entry.CanUndo());
    EXPECT_TRUE(entry.CanRedo());
    entry.DoRedo();
    ExpectFrame(view, entry.FrameAfter());
}

TEST(CanvaxView, AZoomEntryOutlivingItsViewDoesNothing) {
    TCanvax doc;
    doc.SetUndoFilter({uaZoom});
    {
        TCanvaxView view;
        SizeView(view, 10, 10);
        view.SetCanvax(&doc);
        view.BeginZoom();
    }
    auto& entry = static_cast<TUEZoom&>(doc.Undo().Items(0));
    EXPECT_EQ(entry.View(), nullptr);
    EXPECT_FALSE(entry.CanUndo());
    EXPECT_FALSE(entry.CanRedo());
    entry.DoUndo();
    entry.DoRedo();
}

TEST_F(ViewTest, ZoomToScreenRectZoomsAndPans) {
    view.BeginZoom();
    view.ZoomToScreenRect({25, 25, 75, 75});  // in by two
    ExpectFrame(view, {{25, 25}, {0.5, 0}, {0, 0.5}});
    view.ZoomToScreenRect({10, 0, 110, 100});  // pan by ten pixels
    ExpectFrame(view, {{30, 25}, {0.5, 0}, {0, 0.5}});
    // References turned away from the zoom frame cannot be zoomed.
    view.SetReferences({0, 0}, {0, 1}, {-1, 0});
    EXPECT_EQ(MessageOf([&] { view.ZoomToScreenRect({0, 0, 10, 10}); }),
              "Las referencias del zoom y el canvax no son compatibles");
}

TEST(CanvaxView, ResizingWithoutDocumentDropsTheBufferCanvasUntilAttached) {
    TCanvax doc;
    TCanvaxView view;
    SizeView(view, 30, 20);
    EXPECT_EQ(view.GetCanvas(), nullptr);
    EXPECT_EQ(view.VisibleArea(), (TRect2D{-1, -1, 31, 21}));
    view.SetCanvax(&doc);
    ASSERT_NE(view.GetCanvas(), nullptr);
    EXPECT_EQ(view.BufferImage().size(), QSize(30, 20));
    SizeView(view, 40, 10);
    EXPECT_EQ(view.BufferImage().size(), QSize(40, 10));
    EXPECT_EQ(view.ScreenImage().size(), QSize(40, 10));
    EXPECT_EQ(view.VisibleArea(), (TRect2D{-1, -1, 41, 11}));
}

// Mouse routing.
class MouseTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        view.SetReferences({10, 0}, {2, 0}, {0, 2});
        layer->AddChild(*a);
        layer->AddChild(*b);
        layer->Show();
        a->Show();
        b->Show();
        view.OnMouseDown = [this](TCanvaxViewport&, TMouseButton, TShiftState, int, int) {
            events.push_back("down");
            lockedInEvents = lockedInEvents && doc.IsLocked();
        };
        view.OnMouseMove = [this](TCanvaxViewport&, TShiftState, int, int) { events.push_back("move"); };
        view.OnMouseUp = [this](TCanvaxViewport&, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
        view.OnDblClick = [this](TCanvaxViewport&) { events.push_back("dblclick"); };
    }
    void TearDown() override {
        view.OnMouseDown = nullptr;
        doc.OnException = nullptr;
    }

    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(doc);
    ElementHandle<TTestRect> a = MakeElement<TTestRect>(doc);
    ElementHandle<TTestRect> b = MakeElement<TTestRect>(doc);
    std::vector<std::string> events;
    bool lockedInEvents = true;
};

TEST_F(MouseTest, TheInsertingElementComesBeforeTheSelectedOne) {
    doc.SelectElement(a.get());
    view.MouseDown(mbRight, {ssShift, ssRight}, 3, 4);
    ASSERT_EQ(a->Calls.size(), 1u);
    EXPECT_EQ(a->Calls[0].Slot, "selected");
    EXPECT_EQ(a->Calls[0].Action, emaDown);
    EXPECT_EQ(a->Calls[0].P, (TPoint2D{16, 8}));
    EXPECT_EQ(a->Calls[0].Button, mbRight);
    EXPECT_EQ(a->Calls[0].Shift, (TShiftState{ssShift, ssRight}));

    doc.SetInsertingElement(b.get());
    view.MouseUp(mbLeft, {}, 0, 0);
    ASSERT_EQ(b->Calls.size(), 1u);
    EXPECT_EQ(b->Calls[0].Slot, "inserting");
    EXPECT_EQ(b->Calls[0].Action, emaUp);
    EXPECT_EQ(a->Calls.size(), 1u);
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up"}));
    EXPECT_TRUE(lockedInEvents);
    EXPECT_FALSE(doc.IsLocked());
}

TEST_F(MouseTest, ASelectedElementNotShowingGetsNothing) {
    doc.SelectElement(a.get());
    layer->Hide();
    view.MouseDown(mbLeft, {}, 1, 1);
    EXPECT_TRUE(a->Calls.empty());
    EXPECT_EQ(events, std::vector<std::string>{"down"});
}

TEST_F(MouseTest, InactiveMouseRaisesTheEventsOnly) {
    doc.SelectElement(a.get());
    view.SetMouseActive(false);
    view.MouseDown(mbLeft, {}, 1, 1);
    view.MouseMove({}, 2, 2);
    view.DblClick();
    EXPECT_TRUE(a->Calls.empty());
    EXPECT_EQ(events, (std::vector<std::string>{"down", "move", "dblclick"}));
    EXPECT_TRUE(view.SkipNextPress());
}

TEST(CanvaxView, WithoutDocumentTheMouseIsIgnored) {
    TCanvaxView view;
    int events = 0;
    view.OnMouseDown = [&](TCanvaxViewport&, TMouseButton, TShiftState, int, int) { ++events; };
    view.OnMouseMove = [&](TCanvaxViewport&, TShiftState, int, int) { ++events; };
    view.OnMouseUp = [&](TCanvaxViewport&, TMouseButton, TShiftState, int, int) { ++events; };
    view.OnDblClick = [&](TCanvaxViewport&) { ++events; };
    view.MouseDown(mbLeft, {}, 1, 1);
    view.MouseMove({}, 1, 1);
    view.MouseUp(mbLeft, {}, 1, 1);
    view.DblClick();
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(view.SkipNextPress());
    EXPECT_EQ(view.LastPress(), QPoint(0, 0));
}

TEST_F(MouseTest, MovesOutsideTheClientAreaAreNotRouted) {
    doc.SelectElement(a.get());
    view.MouseMove({ssCtrl}, 100, 100);  // the far edge still counts
    view.MouseMove({}, 101, 50);
    view.MouseMove({}, 50, -1);
    EXPECT_EQ(events.size(), 3u);
    ASSERT_EQ(a->Calls.size(), 1u);
    EXPECT_EQ(a->Calls[0].Action, emaMove);
    EXPECT_EQ(a->Calls[0].Button, mbLeft);
    EXPECT_EQ(a->Calls[0].Shift, TShiftState{ssCtrl});
}

TEST_F(MouseTest, ThePressAfterADoubleClickIsSwallowed) {
    doc.SelectElement(a.get());
    view.MouseDown(mbLeft, {ssLeft, ssAlt}, 5, 6);
    view.MouseUp(mbLeft, {}, 5, 6);
    view.DblClick();
    EXPECT_EQ(view.LastPress(), QPoint(5, 6));
    ASSERT_EQ(a->Calls.size(), 3u);
    EXPECT_EQ(a->Calls[2].Action, emaDblClick);
    EXPECT_EQ(a->Calls[2].P, (TPoint2D{20, 12}));
    EXPECT_EQ(a->Calls[2].Shift, (TShiftState{ssLeft, ssAlt}));
    view.MouseDown(mbRight, {ssDouble}, 7, 7);  // other buttons pass
    view.MouseDown(mbLeft, {ssLeft, ssDouble}, 7, 7);
    EXPECT_EQ(a->Calls.size(), 4u);
    EXPECT_EQ(view.LastPress(), QPoint(5, 6));
    EXPECT_FALSE(view.SkipNextPress());
    view.MouseDown(mbLeft, {ssLeft}, 8, 8);
    EXPECT_EQ(a->Calls.size(), 5u);
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up", "dblclick", "down", "down"}));
}

TEST_F(MouseTest, QtEventsOfADoubleClickReachTheElementsOnce) {
    doc.SelectElement(a.get());
    const QPointF at(4, 4);
    const auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, buttons, Qt::ShiftModifier);
        QApplication::sendEvent(&view, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    std::vector<TElementMouseAction> actions;
    for (const auto& call : a->Calls) actions.push_back(call.Action);
    EXPECT_EQ(actions, (std::vector<TElementMouseAction>{emaDown, emaUp, emaDblClick, emaUp}));
    EXPECT_EQ(a->Calls[0].Shift, (TShiftState{ssShift, ssLeft}));
    EXPECT_EQ(a->Calls[1].Shift, TShiftState{ssShift});
}

TEST_F(MouseTest, ElementExceptionsAreReportedOtherExceptionsPass) {
    doc.SelectElement(a.get());
    std::vector<std::string> reported;
    doc.OnException = [&](TCanvax& sender, EElementException& error) {
        EXPECT_TRUE(sender.IsLocked());
        EXPECT_EQ(error.Element(), a.get());
        reported.push_back(error.what());
    };
    a->OnMouse = [&](TElementMouseAction action) {
        if (action == emaDown) throw EElementException(*a, "malo");
        if (action == emaUp) throw std::runtime_error("peor");
    };
    EXPECT_NO_THROW(view.MouseDown(mbLeft, {}, 1, 1));
    EXPECT_EQ(reported, std::vector<std::string>{"malo"});
    EXPECT_FALSE(doc.IsLocked());
    EXPECT_THROW(view.MouseUp(mbLeft, {}, 1, 1), std::runtime_error);
    EXPECT_FALSE(doc.IsLocked());
    doc.OnException = nullptr;
    EXPECT_NO_THROW(view.MouseDown(mbLeft, {}, 1, 1));
    a->OnMouse = nullptr;
}

TEST_F(MouseTest, AnElementDestroyedByItsOwnHandlerLivesUntilRoutingEnds) {
    doc.SelectElement(a.get());
    const TCanvaxElement::TWatch watch = a->Watch();
    TTestRect* raw = a.get();
    bool aliveAfterRelease = false;
    raw->OnMouse = [&](TElementMouseAction) {
        a.reset();
        aliveAfterRelease = watch.Alive() && raw->State() == esDead;
    };
    view.MouseDown(mbLeft, {}, 1, 1);
    EXPECT_TRUE(aliveAfterRelease);
    EXPECT_FALSE(watch.Alive());
    EXPECT_EQ(doc.SelectedElement(), nullptr);
    EXPECT_EQ(layer->Children()->Count(), 1);
}

}  // namespace
}  // namespace nerim
