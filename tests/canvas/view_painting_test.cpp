#include <gtest/gtest.h>

#include <QPixmap>
#include <stdexcept>
#include <string>
#include <vector>

#include "canvas/ce_layer.h"
#include "canvas/virtual_element.h"
#include "canvas/virtuals_list.h"
#include "tests/canvas/canvas_test_support.h"

namespace nerim {
namespace {

using testing::SizeView;
using testing::TTestRect;

// An overlay: the XOR outline of a pixel box.
class TXorBox : public TVirtualElement {
public:
    TXorBox(TCanvaxView* View, TColor Color, QRect Box, std::vector<std::string>* Log = nullptr, std::string Tag = "")
        : TVirtualElement(View, Color), box_(Box), log_(Log), tag_(std::move(Tag)) {}
    void Draw(bool Showing) override {
        if (log_) log_->push_back(tag_ + (Showing ? "+" : "-"));
        if (!Visible() || !View()) return;
        TViewCanvas& canvas = View()->ScreenCanvas();
        canvas.Pen = {Color(), 1, psSolid, pmXor};
        canvas.Brush.Style = bsClear;
        canvas.Rectangle(box_.left(), box_.top(), box_.right() + 1, box_.bottom() + 1);
    }

private:
    QRect box_;
    std::vector<std::string>* log_;
    std::string tag_;
};

QRgb Rgb(TColor c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetBackgrdColor(clBlue);
        SizeView(view, 40, 30);
        view.SetCanvax(&doc);
        layer->AddChild(*rect);
        layer->Show();
        rect->Show();
        view.UpdateScreen();
    }
    TCanvax doc;
    TCanvaxView view;
    ElementHandle<TCELayer> layer = MakeElement<TCELayer>(doc);
    ElementHandle<TTestRect> rect = MakeElement<TTestRect>(doc, TRect2D{10, 10, 20, 20}, clRed);
};

TEST_F(PaintTest, ElementsArePaintedIntoTheBufferAndShown) {
    const QImage& buffer = view.BufferImage();
    EXPECT_EQ(buffer.pixel(10, 10), Rgb(clRed));
    EXPECT_EQ(buffer.pixel(19, 19), Rgb(clRed));
    EXPECT_EQ(buffer.pixel(20, 20), Rgb(clBlue));
    EXPECT_EQ(buffer.pixel(9, 15), Rgb(clBlue));
    EXPECT_EQ(buffer.pixel(0, 0), Rgb(clBlue));
    EXPECT_EQ(buffer.pixel(39, 29), Rgb(clBlue));
    EXPECT_EQ(view.ScreenImage(), buffer);
    EXPECT_TRUE(view.BufferValid());
    EXPECT_EQ(view.PendingInvalid(), (TRect2D{}));
}

TEST_F(PaintTest, ZoomingRepaintsThroughTheNewFrame) {
    view.SetReferences({10, 10}, {0.5, 0}, {0, 0.5});
    view.UpdateScreen();
    EXPECT_EQ(view.BufferImage().pixel(0, 0), Rgb(clRed));
    EXPECT_EQ(view.BufferImage().pixel(19, 19), Rgb(clRed));
    EXPECT_EQ(view.BufferImage().pixel(20, 20), Rgb(clBlue));
}

TEST_F(PaintTest, PaintInvalidRepaintsOnlyAroundThePendingArea) {
    view.GetCanvas()->SetPixel(35, 25, clLime);
    rect->SetRect({12, 12, 16, 16});  // Redraw paints the old and the new bounds
    const QImage& buffer = view.BufferImage();
    EXPECT_EQ(buffer.pixel(35, 25), Rgb(clLime));
    EXPECT_EQ(buffer.pixel(10, 10), Rgb(clBlue));
    EXPECT_EQ(buffer.pixel(12, 12), Rgb(clRed));
    EXPECT_EQ(buffer.pixel(16, 16), Rgb(clBlue));
    EXPECT_EQ(view.ScreenImage(), buffer);
}

TEST_F(PaintTest, AnInactiveDocumentPaintsNothing) {
    doc.SetActive(false);
    rect->Hide();
    EXPECT_EQ(view.BufferImage().pixel(15, 15), Rgb(clRed));
    doc.SetActive(true);
    view.UpdateScreen();
    EXPECT_EQ(view.BufferImage().pixel(15, 15), Rgb(clBlue));
}

TEST_F(PaintTest, AFailingElementDoesNotFailEveryLaterPaint) {
    int failures = 0;
    rect->OnPaint = [&] {
        if (failures++ == 0) throw std::runtime_error("paint");
    };
    view.InvalidateBuffer();
    EXPECT_THROW(view.UpdateScreen(), std::runtime_error);
    EXPECT_NO_THROW(view.UpdateScreen());
    EXPECT_EQ(failures, 1);
    rect->Redraw();  // what failed stayed pending and is painted with the next change
    EXPECT_EQ(view.BufferImage().pixel(15, 15), Rgb(clRed));
    rect->OnPaint = nullptr;
}

TEST_F(PaintTest, StateChangesGiveTheViewsTheDefaultCursor) {
    doc.SetDefaultCursor(crCross);
    view.SetCursorId(crHelp);
    rect->SetState(esNormal);
    EXPECT_EQ(view.CursorId(), crCross);
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);
    doc.SetDefaultCursor(crSizeAll);
    doc.SelectElement(rect.get());
    EXPECT_EQ(view.cursor().shape(), Qt::SizeAllCursor);
    RegisterCursor(7, QCursor(Qt::PointingHandCursor));
    EXPECT_EQ(CursorFromId(7).shape(), Qt::PointingHandCursor);
    EXPECT_EQ(CursorFromId(8).shape(), Qt::ArrowCursor);
    RegisterCursor(0, QCursor(Qt::PointingHandCursor));  // built-in ids stay
    EXPECT_EQ(CursorFromId(0).shape(), Qt::ArrowCursor);
}

TEST_F(PaintTest, PaintingHandlersRunLockedAroundTheElements) {
    std::vector<std::string> order;
    view.BeforePaint = [&](TCanvaxViewport&) { order.push_back(doc.IsLocked() ? "before(locked)" : "before"); };
    rect->OnPaint = [&] { order.push_back("element"); };
    view.AfterPaint = [&](TCanvaxViewport&) { order.push_back(doc.IsLocked() ? "after(locked)" : "after"); };
    rect->Redraw();
    EXPECT_EQ(order, (std::vector<std::string>{"before(locked)", "element", "after(locked)"}));
    view.BeforePaint = nullptr;
    view.AfterPaint = nullptr;
    rect->OnPaint = nullptr;
}

TEST_F(PaintTest, DebugRectanglesOutlineTheBounds) {
    rect->Fill = false;
    doc.SetDevelopingOptions({doDrawSuperRectangles});
    view.UpdateScreen();
    const QImage& buffer = view.BufferImage();
    EXPECT_EQ(buffer.pixel(10, 10), Rgb(clRed));
    EXPECT_EQ(buffer.pixel(19, 15), Rgb(clRed));
    EXPECT_EQ(buffer.pixel(15, 19), Rgb(clRed));
    EXPECT_EQ(buffer.pixel(15, 15), Rgb(clBlue));
}

TEST_F(PaintTest, ADeadElementIsNotPainted) {
    doc.Lock();
    rect.reset();
    view.InvalidateBuffer();
    view.UpdateScreen();
    EXPECT_EQ(view.BufferImage().pixel(15, 15), Rgb(clBlue));
    EXPECT_EQ(layer->Children()->Count(), 1);
    doc.Unlock();
    EXPECT_EQ(layer->Children()->Count(), 0);
}

TEST_F(PaintTest, PaintListSkipsRegionsOutsideThePendingRectangleAndGrowsIt) {
    auto everywhere = MakeElement<TTestRect>(doc);
    auto overlapping = MakeElement<TTestRect>(doc, TRect2D{18, 18, 22, 22});
    auto far = MakeElement<TTestRect>(doc, TRect2D{30, 20, 35, 25});
    everywhere->SetBoundsKind(bkUnbounded);
    for (TTestRect* e : {everywhere.get(), overlapping.get(), far.get()}) {
        layer->AddChild(*e);
        e->Show();
    }
    for (TTestRect* e : {rect.get(), everywhere.get(), overlapping.get(), far.get()}) e->Paints = 0;
    view.SetPendingInvalid({0, 0, 12, 12});
    doc.Elements().PaintList(view);
    EXPECT_EQ(rect->Paints, 1);
    EXPECT_EQ(overlapping->Paints, 1);  // reached through the growth by rect's bounds
    EXPECT_EQ(far->Paints, 0);
    EXPECT_EQ(everywhere->Paints, 1);   // unbounded: always, and no growth
    EXPECT_EQ(view.PendingInvalid(), (TRect2D{0, 0, 22, 22}));

    everywhere->SetBoundsKind(bkVisibleArea);
    view.SetPendingInvalid({0, 0, 1, 1});
    doc.Elements().PaintList(view);
    EXPECT_EQ(view.PendingInvalid(), view.VisibleArea());
    EXPECT_EQ(far->Paints, 1);  // after a visible-area element everything repaints
    EXPECT_EQ(rect->Paints, 1);  // before it, outside the pending rectangle

    far->Hide();
    far->Paints = 0;
    doc.Elements().PaintList(view);
    EXPECT_EQ(far->Paints, 0);
}

TEST_F(PaintTest, InvalidateWorldRectStartsFromAZeroSizedRectangle) {
    view.SetPendingInvalid({});
    view.InvalidateWorldRect({5, 6, 1, 2});
    EXPECT_EQ(view.PendingInvalid(), (TRect2D{1, 2, 5, 6}));
    view.InvalidateWorldRect({8, 0, 9, 1});
    EXPECT_EQ(view.PendingInvalid(), (TRect2D{1, 0, 9, 6}));
}

TEST_F(PaintTest, AnXorOverlayComesAndGoesWithoutRepainting) {
    TXorBox box(&view, clWhite, QRect(2, 2, 10, 8));
    const QImage clean = view.ScreenImage();
    box.Show();
    EXPECT_NE(view.ScreenImage(), clean);
    EXPECT_EQ(view.ScreenImage().pixel(2, 2), qRgb(255, 255, 0));  // blue XOR white
    EXPECT_EQ(view.BufferImage(), clean);
    // A repaint underneath keeps the overlay drawn once.
    rect->SetRect({0, 0, 8, 8});
    EXPECT_EQ(view.ScreenImage().pixel(2, 2), qRgb(0, 255, 255));  // red XOR white
    EXPECT_EQ(view.ScreenImage().pixel(5, 5), Rgb(clRed));
    box.Hide();
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
}

TEST_F(PaintTest, OverlayPassesRunInOppositeOrders) {
    std::vector<std::string> log;
    TXorBox first(&view, clWhite, QRect(1, 1, 3, 3), &log, "1");
    TXorBox second(&view, clWhite, QRect(2, 2, 3, 3), &log, "2");
    EXPECT_EQ(view.Virtuals().Count(), 2);
    first.Show();
    EXPECT_EQ(log, (std::vector<std::string>{"2-", "1-", "1+", "2+"}));
    second.Show();
    log.clear();
    view.Virtuals().ErasePass();
    EXPECT_EQ(view.ScreenImage(), view.BufferImage());
    view.Virtuals().DrawPass();
    EXPECT_NE(view.ScreenImage(), view.BufferImage());
    EXPECT_EQ(log, (std::vector<std::string>{"2-", "1-", "1+", "2+"}));
}

TEST_F(PaintTest, MovingAnOverlayLeavesTheOthersDrawn) {
    TCanvaxView other;
    SizeView(other, 40, 30);
    other.SetCanvax(&doc);
    other.UpdateScreen();
    TXorBox moving(&view, clWhite, QRect(1, 1, 5, 5));
    TXorBox staying(&view, clWhite, QRect(3, 3, 5, 5));
    TXorBox there(&other, clWhite, QRect(3, 3, 5, 5));
    moving.Show();
    staying.Show();
    there.Show();
    const QImage onlyStaying = other.ScreenImage();  // the same box on the same picture

    moving.SetView(&other);
    EXPECT_EQ(view.ScreenImage(), onlyStaying);
    EXPECT_EQ(moving.View(), &other);
    EXPECT_EQ(view.Virtuals().Count(), 1);
    moving.SetView(nullptr);
    EXPECT_EQ(other.ScreenImage(), onlyStaying);
    EXPECT_EQ(other.Virtuals().Count(), 1);
}

TEST_F(PaintTest, AFreedOverlayLeavesThePictureToTheOthers) {
    TXorBox staying(&view, clWhite, QRect(3, 3, 5, 5));
    staying.Show();
    const QImage onlyStaying = view.ScreenImage();
    {
        TXorBox going(&view, clWhite, QRect(1, 1, 5, 5));
        going.Show();
        EXPECT_NE(view.ScreenImage(), onlyStaying);
    }
    EXPECT_EQ(view.ScreenImage(), onlyStaying);
    EXPECT_EQ(view.Virtuals().Count(), 1);
}

TEST(ViewPainting, AFreedViewDetachesItsOverlays) {
    TCanvax doc;
    auto view = std::make_unique<TCanvaxView>();
    view->SetCanvax(&doc);
    TXorBox box(view.get(), clWhite, QRect(1, 1, 2, 2));
    box.Show();
    view.reset();
    EXPECT_EQ(box.View(), nullptr);
    EXPECT_TRUE(doc.Views().empty());
}

TEST(ViewPainting, TheQtResizeEventResizesTheImages) {
    TCanvax doc;
    TCanvaxView view;
    view.SetCanvax(&doc);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(33, 21);
    view.show();
    EXPECT_EQ(view.BufferImage().size(), QSize(33, 21));
    EXPECT_EQ(view.ScreenImage().size(), QSize(33, 21));
    EXPECT_EQ(view.VisibleArea(), (TRect2D{-1, -1, 34, 22}));
}

TEST_F(PaintTest, ThePaintEventShowsTheScreenImage) {
    TXorBox box(&view, clWhite, QRect(2, 2, 10, 8));
    box.Show();
    view.InvalidateBuffer();
    const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(view.BufferValid());
    EXPECT_EQ(shot, view.ScreenImage());
    EXPECT_EQ(shot.pixel(15, 15), Rgb(clRed));
    EXPECT_EQ(shot.pixel(2, 2), qRgb(255, 255, 0));
}

}  // namespace
}  // namespace nerim
