// A viewport without a window: the picture a program without Qt Widgets paints and saves. This
// program links no widget library; its main() creates a QGuiApplication only.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <string>

#include "canvas/canvax.h"
#include "canvas/canvax_viewport.h"
#include "canvas/ce_layer.h"
#include "canvas/ce_not_container.h"
#include "tests/common/temp_dir.h"

namespace nerim {
namespace {

QRgb Rgb(TColor c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

// A red world rectangle with a white caption at its top-left corner.
class TCaptionedBox : public TCENotContainer {
public:
    TCaptionedBox(TCanvax& Canvax, TRect2D Rect) : TCENotContainer(Canvax), rect_(Rect) {}

    void Paint(TCanvaxViewport& View) override {
        TViewCanvas* canvas = View.GetCanvas();
        const TPoint2D a = View.WorldToScreen({rect_.X1, rect_.Y1});
        const TPoint2D b = View.WorldToScreen({rect_.X2, rect_.Y2});
        canvas->Brush.Style = bsSolid;
        canvas->Brush.Color = clRed;
        canvas->FillRect(RoundToInt(a.X), RoundToInt(a.Y), RoundToInt(b.X), RoundToInt(b.Y));
        canvas->Brush.Style = bsClear;
        canvas->FontColor = clWhite;
        canvas->TextOut(RoundToInt(a.X), RoundToInt(a.Y), "Nerim");
    }

protected:
    ~TCaptionedBox() override = default;

private:
    TRect2D rect_;
};

// Counts what the viewport asks of the screen it would be shown on.
class TCountingViewport : public TCanvaxViewport {
public:
    using TCanvaxViewport::TCanvaxViewport;
    int Updates = 0;
    TCursorId Applied = crNone;

protected:
    void ScheduleUpdate() override { ++Updates; }
    void ApplyCursor(TCursorId Id) override { Applied = Id; }
};

class OffscreenViewport : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetBackgrdColor(clNavy);
        layer->AddChild(*box);
        layer->Show();
        box->Show();
    }
    TCanvax doc;
    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(doc);
    ElementHandle<TCaptionedBox> box = MakeElement<TCaptionedBox>(doc, TRect2D{10, 5, 50, 25});
};

TEST_F(OffscreenViewport, PaintsAWorldFrameAndSavesThePicture) {
    ASSERT_FALSE(QCoreApplication::instance()->inherits("QApplication"));
    TCanvaxViewport viewport(QSize(80, 40));
    viewport.SetCanvax(&doc);
    viewport.SetReferences({0, 0}, {0.5, 0}, {0, 0.5});  // two pixels per world unit
    viewport.PaintBuffer();
    const QImage& picture = viewport.BufferImage();
    ASSERT_EQ(picture.size(), QSize(80, 40));
    EXPECT_EQ(picture.pixel(19, 9), Rgb(clNavy));
    EXPECT_EQ(picture.pixel(19, 30), Rgb(clNavy));
    EXPECT_EQ(picture.pixel(79, 39), Rgb(clRed));  // the box runs off the picture
    int captionPixels = 0;  // the caption needs fonts, which the QGuiApplication provides
    for (int y = 10; y < 40; ++y)
        for (int x = 20; x < 80; ++x) captionPixels += qGray(picture.pixel(x, y)) > 200;
    EXPECT_GT(captionPixels, 10);

    testing::TempDir dir;
    const QString file = QString::fromStdString((dir / "picture.png").string());
    ASSERT_TRUE(picture.save(file));
    EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), picture);
}

TEST_F(OffscreenViewport, ANewClientSizeGivesNewImagesAndVisibleArea) {
    TCanvaxViewport viewport;
    EXPECT_EQ(viewport.ClientSize(), QSize(0, 0));
    EXPECT_TRUE(viewport.BufferImage().isNull());
    viewport.SetClientSize(30, 20);  // detached: the buffer waits for a document
    viewport.SetCanvax(&doc);
    viewport.UpdateScreen();
    EXPECT_EQ(viewport.BufferImage().size(), QSize(30, 20));
    EXPECT_EQ(viewport.ScreenImage(), viewport.BufferImage());
    EXPECT_EQ(viewport.BufferImage().pixel(29, 19), Rgb(clRed));

    viewport.SetClientSize(60, 30);
    EXPECT_FALSE(viewport.BufferValid());
    EXPECT_EQ(viewport.VisibleArea(), (TRect2D{-1, -1, 61, 31}));
    viewport.UpdateScreen();
    EXPECT_EQ(viewport.ScreenImage().size(), QSize(60, 30));
    EXPECT_EQ(viewport.ScreenImage().pixel(55, 28), Rgb(clNavy));
    EXPECT_EQ(viewport.ScreenImage().pixel(45, 20), Rgb(clRed));
}

TEST_F(OffscreenViewport, RepaintsAndCursorsReachTheScreenHooks) {
    doc.SetDefaultCursor(crCross);
    TCountingViewport viewport(QSize(20, 20));
    viewport.SetCanvax(&doc);
    EXPECT_EQ(viewport.Applied, crCross);
    const int before = viewport.Updates;
    doc.SetBackgrdColor(clBlack);  // repaints every view
    EXPECT_GT(viewport.Updates, before);
    viewport.SetCursorId(crHelp);
    EXPECT_EQ(viewport.Applied, crHelp);
    box->SetState(esNormal);  // a state change gives the views the default cursor
    EXPECT_EQ(viewport.Applied, crCross);
    EXPECT_EQ(viewport.CursorId(), crCross);
}

TEST_F(OffscreenViewport, MouseInPixelsIsRoutedInWorldCoordinates) {
    TCanvaxViewport viewport(QSize(40, 40));
    viewport.SetCanvax(&doc);
    viewport.SetReferences({100, 200}, {2, 0}, {0, -2});
    std::string seen;
    viewport.OnMouseDown = [&](TCanvaxViewport& sender, TMouseButton, TShiftState, int X, int Y) {
        const TPoint2D p = sender.ScreenToWorld({double(X), double(Y)});
        seen = std::to_string(int(p.X)) + "," + std::to_string(int(p.Y)) + (doc.IsLocked() ? " locked" : "");
    };
    viewport.MouseDown(mbLeft, {ssLeft}, 5, 10);
    EXPECT_EQ(seen, "110,180 locked");
    EXPECT_EQ(viewport.LastPress(), QPoint(5, 10));
    EXPECT_FALSE(doc.IsLocked());
}

}  // namespace
}  // namespace nerim
