#include <gtest/gtest.h>

#include <QCursor>
#include <QPixmap>
#include <cmath>
#include <string>
#include <vector>

#include "canvas/canvas_resources.h"
#include "canvas/ce_layer.h"
#include "canvas/smart_cursor.h"
#include "canvas/ve_dot2.h"
#include "canvas/ve_frame.h"
#include "canvas/ve_line.h"
#include "canvas/ve_paral.h"
#include "canvas/virtuals_list.h"
#include "tests/canvas/canvas_test_support.h"

namespace nerim {
namespace {

using testing::SizeView;
using testing::TTestRect;

// Records the passes that reach the overlays of a view.
class TSpy : public TVirtualElement {
public:
    explicit TSpy(TCanvaxView* View) : TVirtualElement(View, clBlack) {}
    void Draw(bool Showing) override { Log.push_back(Showing ? '+' : '-'); }
    std::string Log;
};

QRgb Rgb(TColor c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

// The pixels where the picture shown differs from the buffer.
std::vector<QPoint> Changed(const TCanvaxView& view) {
    std::vector<QPoint> changed;
    const QImage& screen = view.ScreenImage();
    const QImage& buffer = view.BufferImage();
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if ((screen.pixel(x, y) & 0xFFFFFF) != (buffer.pixel(x, y) & 0xFFFFFF)) changed.emplace_back(x, y);
    return changed;
}

void ExpectParal(const TParal2D& actual, const TParal2D& expected) {
    EXPECT_NEAR(actual.Origin.X, expected.Origin.X, 1e-9);
    EXPECT_NEAR(actual.Origin.Y, expected.Origin.Y, 1e-9);
    EXPECT_NEAR(actual.U.X, expected.U.X, 1e-9);
    EXPECT_NEAR(actual.U.Y, expected.U.Y, 1e-9);
    EXPECT_NEAR(actual.V.X, expected.V.X, 1e-9);
    EXPECT_NEAR(actual.V.Y, expected.V.Y, 1e-9);
}

// A view of 200 x 150 pixels whose buffer holds a pattern of coloured rectangles, so that pixels
// restored wrongly show. World and pixels coincide.
class OverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetBackgrdColor(clNavy);
        SizeView(view, 200, 150);
        view.SetCanvax(&doc);
        for (auto* r : {red.get(), green.get(), yellow.get()}) {
            layer->AddChild(*r);
            r->Show();
        }
        layer->Show();
        view.UpdateScreen();
        ASSERT_EQ(view.ScreenImage(), view.BufferImage());
    }
    TCanvax doc;
    TCanvaxView view;
    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(doc);
    ElementHandle<TTestRect> red = MakeElement<TTestRect>(doc, TRect2D{20, 20, 90, 70}, clRed);
    ElementHandle<TTestRect> green = MakeElement<TTestRect>(doc, TRect2D{80, 50, 170, 120}, clLime);
    ElementHandle<TTestRect> yellow = MakeElement<TTestRect>(doc, TRect2D{140, 10, 190, 40}, clYellow);
};

// Resources.

TEST(CanvasResources, TheOverlayPicturesAreThirteenPixelsSquareWithWhiteAround) {
    for (const char* name : {"ROTATE", "CENTER", "HANDLE"}) {
        SCOPED_TRACE(name);
        const QImage image = LoadBitmapResource(name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(13, 13));
        EXPECT_EQ(image.pixel(0, 12) & 0xFFFFFF, 0xFFFFFFu);  // transparent corner
        int drawn = 0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) drawn += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        EXPECT_GT(drawn, 10);
    }
    EXPECT_TRUE(LoadBitmapResource("NOSUCHPICTURE").isNull());
}

TEST(CanvasResources, CursorsCarryTheirHotSpots) {
    struct Expected {
        const char* name;
        int x, y;
    };
    for (const Expected& e : {Expected{"NEWPOINT", 0, 0}, Expected{"MOVEPOINT", 15, 15}, Expected{"NEWPOLYGON", 1, 30}}) {
        SCOPED_TRACE(e.name);
        const TCursorResource cursor = LoadCursorResource(e.name);
        ASSERT_FALSE(cursor.Image.isNull());
        EXPECT_EQ(cursor.Image.size(), QSize(32, 32));
        EXPECT_EQ(cursor.HotX, e.x);
        EXPECT_EQ(cursor.HotY, e.y);
        EXPECT_TRUE(cursor.Image.hasAlphaChannel());
        EXPECT_EQ(qAlpha(cursor.Image.pixel(31, 0)), 0);  // a transparent corner
    }
    EXPECT_TRUE(LoadCursorResource("NOSUCHCURSOR").Image.isNull());
}

TEST(SmartCursor, IdsCountFromOneAndNeverReplaceTheDefaultCursor) {
    const std::size_t before = SmartCursorNames().size();
    const TSmartCursor move("MOVEPOINT");
    const TSmartCursor missing("NOSUCHCURSOR");
    EXPECT_EQ(move.Cursor(), TCursorId(before + 1));
    EXPECT_EQ(missing.Cursor(), TCursorId(before + 2));
    EXPECT_EQ(SmartCursorNames()[before], "MOVEPOINT");
    EXPECT_EQ(SmartCursorNames()[before + 1], "NOSUCHCURSOR");
    EXPECT_EQ(CursorFromId(crDefault).shape(), Qt::ArrowCursor);

    const QCursor loaded = CursorFromId(move.Cursor());
    EXPECT_EQ(loaded.shape(), Qt::BitmapCursor);
    EXPECT_EQ(loaded.hotSpot(), QPoint(15, 15));
    EXPECT_EQ(loaded.pixmap().size(), QSize(32, 32));
    // Without a picture the id shows the default cursor.
    EXPECT_FALSE(IsCursorRegistered(missing.Cursor()));
    EXPECT_EQ(CursorFromId(missing.Cursor()).shape(), Qt::ArrowCursor);
}

// XOR overlays.

TEST_F(OverlayTest, ARubberBandLineLeavesNoTraceOnRealPixels) {
    TVELine line(&view, clWhite);
    line.SetX1(10);
    line.SetY1(30);
    line.SetX2(180);
    line.SetY2(100);
    EXPECT_TRUE(Changed(view).empty());  // invisible so far
    line.Show();
    const std::vector<QPoint> drawn = Changed(view);
    EXPECT_GT(drawn.size(), 100u);
    for (const QPoint& p : drawn) {
        // Two pixels wide along the line.
        const double distance = std::abs(70.0 * (p.x() - 10) - 170.0 * (p.y() - 30)) / std::hypot(70.0, 170.0);
        EXPECT_LE(distance, 2.0) << p.x() << "," << p.y();
    }
    line.SetX2(60);  // moved while shown
    line.SetY2(140);
    EXPECT_FALSE(Changed(view).empty());
    line.Hide();
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

TEST_F(OverlayTest, AParallelogramWithoutUDrawsOnlyTheSideAlongV) {
    TVEParal paral(&view, clWhite);
    paral.SetOrigin({50, 40});
    paral.SetV({0, 60});
    paral.Show();
    const std::vector<QPoint> drawn = Changed(view);
    ASSERT_FALSE(drawn.empty());
    for (const QPoint& p : drawn) {
        EXPECT_LE(std::abs(p.x() - 50), 2) << p.x() << "," << p.y();
        EXPECT_GE(p.y(), 38);
        EXPECT_LE(p.y(), 102);
    }
    // With U the whole outline appears; all of it goes again.
    paral.SetU({80, 10});
    const std::vector<QPoint> outline = Changed(view);
    const auto touched = [&](int x, int y) {
        for (const QPoint& p : outline)
            if (std::abs(p.x() - x) <= 1 && std::abs(p.y() - y) <= 1) return true;
        return false;
    };
    EXPECT_TRUE(touched(50, 70));    // side V
    EXPECT_TRUE(touched(90, 45));    // side U
    EXPECT_TRUE(touched(130, 80));   // side U + V
    EXPECT_TRUE(touched(90, 105));   // side V + U
    EXPECT_FALSE(touched(90, 75));   // the inside
    paral.Hide();
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

TEST_F(OverlayTest, OverlappingXorOverlaysAreErasedWithoutATrace) {
    TVELine line(&view, clWhite);
    TVEParal paral(&view, clFuchsia);
    line.SetX2(199);
    line.SetY2(149);
    paral.SetOrigin({30, 30});
    paral.SetU({100, 0});
    paral.SetV({0, 80});
    line.Show();
    paral.Show();
    paral.SetU({120, 20});
    // A repaint of the buffer underneath keeps both drawn once.
    red->SetRect({20, 20, 95, 75});
    EXPECT_FALSE(Changed(view).empty());
    line.Hide();
    paral.SetV({0, 60});
    paral.Hide();
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

// Overlays that restore saved pixels put back the buffer's picture; XOR overlays attached after
// them are drawn over them and removed first.
TEST_F(OverlayTest, SavedPixelOverlaysUnderXorOverlaysAreErasedWithoutATrace) {
    TVEDot2 dot(&view);
    TVEFrame frame(&view);
    TVELine line(&view, clWhite);
    TVEParal paral(&view, clFuchsia);
    line.SetX2(199);
    line.SetY2(149);
    paral.SetOrigin({30, 30});
    paral.SetU({100, 0});
    paral.SetV({0, 80});
    dot.SetRadius(6);
    dot.SetCenter({40, 40});
    frame.SetParal({{35, 35}, {90, 0}, {0, 70}});
    for (TVirtualElement* e : std::vector<TVirtualElement*>{&line, &paral, &dot, &frame}) e->Show();
    frame.BeginDrag(8, 125, 105);
    frame.Drag(140, 120, true);
    dot.SetCenter({36, 36});  // over a handle of the frame
    red->SetRect({20, 20, 95, 75});
    EXPECT_FALSE(Changed(view).empty());
    for (TVirtualElement* e : std::vector<TVirtualElement*>{&frame, &line, &dot, &paral}) e->Hide();
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

// The marker dot.

TEST_F(OverlayTest, TheDotSavesAndRestoresThePixelsUnderIt) {
    TVEDot2 dot(&view);
    dot.SetRadius(3);
    EXPECT_EQ(dot.Left(), -3);
    EXPECT_EQ(dot.Right(), 3);
    dot.SetCenter({89.6, 60.4});  // across the red and green rectangles
    EXPECT_EQ(dot.Left(), 87);
    EXPECT_EQ(dot.Top(), 57);
    EXPECT_EQ(dot.Right(), 93);
    EXPECT_EQ(dot.Bottom(), 63);
    dot.Show();
    EXPECT_EQ(view.ScreenImage().pixel(90, 60), Rgb(clBlue));
    EXPECT_TRUE(view.ScreenImage().pixel(86, 60) == Rgb(clAqua) || view.ScreenImage().pixel(87, 60) == Rgb(clAqua));
    EXPECT_EQ(view.BufferImage().pixel(90, 60), Rgb(clLime));
    for (const QPoint& p : Changed(view)) {
        EXPECT_GE(p.x(), 86);
        EXPECT_LE(p.x(), 93);
    }
    dot.SetRadius(5);  // grows about its centre
    EXPECT_EQ(dot.Left(), 85);
    EXPECT_EQ(dot.Bottom(), 65);
    dot.SetRound(true);
    dot.SetCaption("A");
    dot.SetCenter({10, 10});
    dot.Hide();
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

// A vertex far outside the view (zoomed far in, or typed far away) is marked off the screen.
TEST_F(OverlayTest, TheDotFarOffTheViewDrawsNothing) {
    TVEDot2 dot(&view);
    dot.SetRadius(3);
    dot.Show();
    for (const TPoint2D far : {TPoint2D{-1e12, 50}, TPoint2D{50, 1e300}, TPoint2D{-3e9, -3e9}}) {
        dot.SetCenter(far);
        EXPECT_LT(dot.Left(), dot.Right());
        EXPECT_EQ(view.ScreenImage(), view.BufferImage());
    }
    dot.SetCenter({50, 50});
    EXPECT_NE(view.ScreenImage(), view.BufferImage());
    dot.Hide();
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

TEST_F(OverlayTest, SettingTheDotsCentreToWhereItIsDrawsNothing) {
    TVEDot2 dot(&view);
    dot.SetRadius(3);
    dot.SetCenter({50, 50});
    dot.Show();
    TSpy spy(&view);
    const QImage before = view.ScreenImage();
    dot.SetCenter({50.4, 49.6});  // rounds to the same pixel
    EXPECT_EQ(spy.Log, "");
    EXPECT_EQ(view.ScreenImage(), before);
    dot.SetRadius(3);
    EXPECT_EQ(spy.Log, "");
    dot.SetCenter({51, 50});
    EXPECT_EQ(spy.Log, "-+");  // all erased, then all drawn again
}

// The transformation frame.

class FrameTest : public OverlayTest {
protected:
    void SetUp() override {
        OverlayTest::SetUp();
        frame.SetView(&view);
        frame.SetParal(paral);
    }
    // Origin (50, 40), U 100 pixels to the right, V 80 pixels down.
    const TParal2D paral{{50, 40}, {100, 0}, {0, 80}};
    TVEFrame frame;
};

TEST(Frame, StartsAsTheUnitSquareWithoutAView) {
    TVEFrame frame;
    EXPECT_EQ(frame.GetStartParal(), (TParal2D{{0, 0}, {1, 0}, {0, 1}}));
    EXPECT_EQ(frame.GetCurrentParal(), frame.GetStartParal());
    EXPECT_TRUE(frame.RotateHandleShown());
    EXPECT_FALSE(frame.Dragging());
}

TEST_F(FrameTest, HandlesAreFoundWithinFourPixels) {
    const TShiftState none;
    const struct {
        int x, y, code;
    } cases[] = {
        {50, 40, 5},   {53, 43, 5},  {47, 80, 4},  {50, 117, 3}, {100, 37, 7}, {97, 120, 6},
        {150, 40, 10}, {153, 80, 9}, {150, 120, 8}, {180, 150, 1}, {184, 146, 1},
        {54, 40, 0},   // four pixels from the corner
        {100, 44, 0},  // four below the edge handle, not yet eight inside
        {53, 60, 0},   // on the left side between its handles
        {20, 20, 0},   // outside
    };
    for (const auto& c : cases) EXPECT_EQ(frame.HandleAt(c.x, c.y, none), c.code) << c.x << "," << c.y;
}

TEST_F(FrameTest, TheInsideMovesOrWithCtrlRotates) {
    TShiftState ctrl;
    ctrl.Include(ssCtrl);
    // Four pixels from the edge handle 7 and eight inside the top side.
    EXPECT_EQ(frame.HandleAt(104, 48, {}), 2);
    EXPECT_EQ(frame.HandleAt(104, 48, ctrl), 1);
    EXPECT_EQ(frame.HandleAt(58, 48, {}), 2);
    EXPECT_EQ(frame.HandleAt(142, 112, {}), 2);
    EXPECT_EQ(frame.HandleAt(57, 60, {}), 0);   // seven pixels inside the left side
    EXPECT_EQ(frame.HandleAt(143, 60, {}), 0);  // seven inside the right side
    frame.SetRotateHandleShown(false);
    EXPECT_EQ(frame.HandleAt(180, 150, {}), 0);
}

TEST_F(FrameTest, CornersKeepTheProportionsUnlessTheAspectIsFree) {
    // Corner 5 to (0.25, 0.4) in frame units: the coordinate farther from the centre wins.
    const TPoint2D target = view.WorldToScreen(ToWorldPoint(frame.StartTransform(), {0.25, 0.4}));
    frame.BeginDrag(5, 50, 40);
    frame.Drag(RoundToInt(target.X), RoundToInt(target.Y), false);
    ExpectParal(ParalToLocal(frame.StartTransform(), frame.CurrentParal()), {{0.25, 0.25}, {0.75, 0}, {0, 0.75}});
    frame.Drag(RoundToInt(target.X), RoundToInt(target.Y), true);
    ExpectParal(ParalToLocal(frame.StartTransform(), frame.CurrentParal()), {{0.25, 0.4}, {0.75, 0}, {0, 0.6}});
    EXPECT_EQ(frame.GetStartParal(), paral);  // unchanged while dragging
    frame.EndDrag(true);
    ExpectParal(frame.GetStartParal(), {{75, 72}, {75, 0}, {0, 48}});
}

TEST_F(FrameTest, AntiDiagonalCornersAndEdgesScaleFromTheOppositeSide) {
    frame.BeginDrag(3, 50, 120);
    frame.Drag(70, 112, false);  // (0.2, 0.9): v is farther from the centre, u := 1 - v
    ExpectParal(ParalToLocal(frame.StartTransform(), frame.CurrentParal()), {{0.1, 0}, {0.9, 0}, {0, 0.9}});
    frame.EndDrag(false);
    frame.BeginDrag(9, 150, 80);
    frame.Drag(200, 95, false);
    // Edge 9 changes U only and starts from the current frame.
    ExpectParal(ParalToLocal(frame.StartTransform(), frame.CurrentParal()), {{0.1, 0}, {1.5, 0}, {0, 0.9}});
}

TEST_F(FrameTest, MovingAndRotatingFollowThePointer) {
    frame.BeginDrag(2, 100, 80);
    frame.Drag(110, 85, false);
    ExpectParal(frame.GetCurrentParal(), {{60, 45}, {100, 0}, {0, 80}});
    frame.EndDrag(false);
    // A quarter turn about the centre (100, 80).
    frame.BeginDrag(1, 150, 80);
    frame.Drag(100, 130, false);
    ExpectParal(frame.GetCurrentParal(), {{140, 30}, {0, 100}, {-80, 0}});
    frame.SetRotateHandleShown(false);
    frame.Drag(50, 80, false);  // without the handle nothing turns
    ExpectParal(frame.GetCurrentParal(), {{140, 30}, {0, 100}, {-80, 0}});
}

TEST_F(FrameTest, EndingADragKeepsOrAppliesTheDraggedFrame) {
    frame.BeginDrag(8, 150, 120);
    frame.Drag(170, 130, true);
    frame.EndDrag(false);
    EXPECT_FALSE(frame.Dragging());
    EXPECT_EQ(frame.GetStartParal(), paral);
    ExpectParal(frame.GetCurrentParal(), {{50, 40}, {120, 0}, {0, 90}});
    frame.Drag(10, 10, false);  // not dragging: nothing happens
    ExpectParal(frame.GetCurrentParal(), {{50, 40}, {120, 0}, {0, 90}});

    // A frame collapsed to a line cannot become the start frame.
    frame.BeginDrag(5, 50, 40);
    frame.Drag(150, 40, true);
    EXPECT_NEAR(VectorLength(frame.GetCurrentParal().U), 0, 1e-9);
    frame.EndDrag(true);
    EXPECT_EQ(frame.GetStartParal(), paral);
    EXPECT_EQ(frame.GetCurrentParal(), paral);
}

TEST_F(FrameTest, SettingTheSameParallelogramDrawsNothing) {
    frame.Show();
    TSpy spy(&view);
    const QImage before = view.ScreenImage();
    frame.SetParal(paral);
    EXPECT_EQ(spy.Log, "");
    EXPECT_EQ(view.ScreenImage(), before);
    frame.SetParal({{50, 40}, {100, 1e-10}, {0, 80}});  // the same within the tolerance
    EXPECT_EQ(spy.Log, "");
    EXPECT_THROW(frame.SetParal({{0, 0}, {10, 10}, {20, 20}}), EFloatingPointError);
    EXPECT_EQ(frame.GetStartParal(), paral);
    EXPECT_EQ(spy.Log, "");
}

TEST_F(FrameTest, HandlesArePicturedOverTheViewAndRemovedCleanly) {
    frame.Show();
    const QImage handle = LoadBitmapResource("HANDLE");
    const QImage& screen = view.ScreenImage();
    // Corner 5 at (50, 40): its picture's top-left is at (44, 34) (the point less 6.5, rounded).
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            const QRgb picture = handle.pixel(x, y) & 0xFFFFFF;
            const QRgb expected = picture == 0xFFFFFF ? view.BufferImage().pixel(44 + x, 34 + y) : handle.pixel(x, y);
            EXPECT_EQ(screen.pixel(44 + x, 34 + y) & 0xFFFFFF, expected & 0xFFFFFF) << x << "," << y;
        }
    // While dragging the current frame is outlined in red XOR.
    frame.BeginDrag(2, 100, 80);
    frame.Drag(120, 90, false);
    const QRgb under = view.BufferImage().pixel(100, 50) & 0xFFFFFF;
    EXPECT_EQ(view.ScreenImage().pixel(100, 50) & 0xFFFFFF, under ^ 0xFF0000u);  // top side at y 50
    frame.EndDrag(true);
    EXPECT_EQ(view.ScreenImage().pixel(100, 50) & 0xFFFFFF, under);
    frame.Hide();
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

}  // namespace
}  // namespace nerim
