#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "canvas/view_canvas.h"

namespace nerim {
namespace {

QImage Blank(int w = 12, int h = 10, QRgb fill = qRgb(0, 0, 0)) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

int CountPixels(const QImage& image, QRgb value) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == value;
    return n;
}

TEST(ViewCanvas, ColourLayouts) {
    EXPECT_EQ(RGBColor(0xFF, 0, 0), clRed);
    EXPECT_EQ(RGBColor(1, 2, 3), 0x030201u);
    EXPECT_EQ(Color32(200, 255, 200, 60), 0x3CC8FFC8u);
    EXPECT_EQ(Color32FromColor(clBlue, 9), 0x090000FFu);
    EXPECT_EQ(ToQColor(clYellow), QColor(255, 255, 0));
    EXPECT_EQ(ColorFromQColor(QColor(1, 2, 3)), 0x030201u);
}

TEST(ViewCanvas, RoundToIntHalvesToEvenAndClamps) {
    EXPECT_EQ(RoundToInt(2.5), 2);
    EXPECT_EQ(RoundToInt(3.5), 4);
    EXPECT_EQ(RoundToInt(-2.5), -2);
    EXPECT_EQ(RoundToInt(-2.6), -3);
    EXPECT_EQ(RoundToInt(1e300), INT_MAX);
    EXPECT_EQ(RoundToInt(-1e300), INT_MIN);
    EXPECT_EQ(RoundToInt(std::nan("")), 0);
}

TEST(ViewCanvas, FillRectCoversLeftAndTopButNotRightAndBottom) {
    QImage image = Blank();
    TViewCanvas canvas(image);
    canvas.Brush.Color = clRed;
    canvas.FillRect(6, 5, 2, 3);  // given in any order
    EXPECT_EQ(CountPixels(image, qRgb(255, 0, 0)), 8);
    EXPECT_EQ(canvas.Pixel(2, 3), clRed);
    EXPECT_EQ(canvas.Pixel(5, 4), clRed);
    EXPECT_EQ(canvas.Pixel(6, 4), clBlack);
    EXPECT_EQ(canvas.Pixel(5, 5), clBlack);
    EXPECT_EQ(canvas.Pixel(-1, 0), 0xFFFFFFFFu);
}

TEST(ViewCanvas, RectangleOutlinesInsideItsCorners) {
    QImage image = Blank();
    TViewCanvas canvas(image);
    canvas.Pen.Color = clWhite;
    canvas.Brush.Color = clBlue;
    canvas.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(canvas.Pixel(1, 1), clWhite);
    EXPECT_EQ(canvas.Pixel(5, 4), clWhite);
    EXPECT_EQ(canvas.Pixel(6, 4), clBlack);
    EXPECT_EQ(canvas.Pixel(3, 2), clBlue);
    EXPECT_EQ(CountPixels(image, qRgb(255, 255, 255)), 14);
    EXPECT_EQ(CountPixels(image, qRgb(0, 0, 255)), 6);

    // Without a pen the filled figure is one pixel smaller at the right and bottom.
    QImage second = Blank();
    TViewCanvas plain(second);
    plain.Pen.Style = psClear;
    plain.Brush.Color = clBlue;
    plain.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(CountPixels(second, qRgb(0, 0, 255)), 12);
}

TEST(ViewCanvas, LineToLeavesOutItsEndSoXorChainsTouchEachPixelOnce) {
    QImage image = Blank();
    TViewCanvas canvas(image);
    canvas.Pen = {clWhite, 1, psSolid, pmXor};
    canvas.MoveTo(1, 1);
    canvas.LineTo(8, 1);
    EXPECT_EQ(canvas.Pixel(7, 1), clWhite);
    EXPECT_EQ(canvas.Pixel(8, 1), clBlack);
    canvas.LineTo(8, 6);
    canvas.LineTo(1, 6);
    canvas.LineTo(1, 1);
    EXPECT_EQ(CountPixels(image, qRgb(255, 255, 255)), 24);  // every corner drawn
    EXPECT_EQ(canvas.PenPos(), QPoint(1, 1));
    QImage again = Blank();
    TViewCanvas other(again);
    other.Pen = {clWhite, 1, psSolid, pmXor};
    other.Brush.Style = bsClear;
    other.Polygon({{1, 1}, {8, 1}, {8, 6}, {1, 6}});
    other.Polygon({{1, 1}, {8, 1}, {8, 6}, {1, 6}});
    EXPECT_EQ(again, Blank());
}

TEST(ViewCanvas, XorDrawingTwiceRestoresEveryPixel) {
    QImage base = Blank(40, 30);
    TViewCanvas prep(base);
    prep.Brush.Color = RGBColor(10, 200, 30);
    prep.FillRect(5, 5, 30, 20);
    for (const int width : {1, 2, 3}) {
        for (const TPenStyle style : {psSolid, psDash, psDot}) {
            QImage image = base;
            TViewCanvas canvas(image);
            canvas.Pen = {clAqua, width, style, pmXor};
            canvas.Brush.Style = bsClear;
            for (int pass = 0; pass < 2; ++pass) {
                canvas.MoveTo(2, 3);
                canvas.LineTo(37, 26);
                canvas.LineTo(3, 25);
                canvas.Rectangle(4, 4, 30, 20);
                canvas.Ellipse(8, 8, 25, 18);
                if (pass == 0) {
                    EXPECT_NE(image, base);
                }
            }
            EXPECT_EQ(image, base) << "width " << width << " style " << int(style);
        }
    }
}

TEST(ViewCanvas, BlendingMixesByTheOpacity) {
    QImage image = Blank();
    TViewCanvas canvas(image);
    canvas.BlendFillRect(0, 0, 4, 4, Color32(200, 255, 200, 60));
    EXPECT_EQ(image.pixel(0, 0), qRgb(47, 60, 47));
    EXPECT_EQ(image.pixel(4, 0), qRgb(0, 0, 0));
    canvas.BlendFillRect(0, 0, 1, 1, Color32(255, 0, 0, 0));  // fully transparent
    EXPECT_EQ(image.pixel(0, 0), qRgb(47, 60, 47));

    QImage frame = Blank();
    TViewCanvas framed(frame);
    framed.BlendFrameRect(1, 1, 6, 5, Color32(255, 255, 255, 128));
    const QRgb once = qRgb(128, 128, 128);
    EXPECT_EQ(frame.pixel(1, 1), once);  // corners blended once, like the sides
    EXPECT_EQ(frame.pixel(5, 4), once);
    EXPECT_EQ(frame.pixel(3, 1), once);
    EXPECT_EQ(frame.pixel(3, 2), qRgb(0, 0, 0));
    EXPECT_EQ(CountPixels(frame, once), 14);

    QImage line = Blank();
    TViewCanvas lined(line);
    lined.BlendLine(1, 2, 6, 2, Color32(0, 0, 255, 255));
    EXPECT_EQ(CountPixels(line, qRgb(0, 0, 255)), 6);  // both ends included
}

TEST(ViewCanvas, SmoothLinesSitOnPixelCentres) {
    QImage image = Blank(20, 10);
    TViewCanvas canvas(image);
    canvas.SmoothColor = Color32(255, 255, 255);
    canvas.SmoothMoveTo(2, 4);
    canvas.SmoothLineTo(15, 4);
    EXPECT_EQ(image.pixel(8, 4), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(8, 3), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(8, 5), qRgb(0, 0, 0));
    // A slanted line is anti-aliased: some pixels only partly covered.
    canvas.SmoothLine(0, 0, 19, 7, Color32(255, 0, 0));
    bool partial = false;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y) {
            const int r = qRed(image.pixel(x, y));
            partial = partial || (r > 0 && r < 255 && qGreen(image.pixel(x, y)) == 0);
        }
    EXPECT_TRUE(partial);
}

TEST(ViewCanvas, HugeCoordinatesDrawTheVisiblePartQuickly) {
    QImage image = Blank(50, 10);
    TViewCanvas canvas(image);
    canvas.Pen.Color = clWhite;
    canvas.MoveTo(-1000000000, 5);
    canvas.LineTo(1000000000, 5);
    for (int x = 0; x < 50; ++x) ASSERT_EQ(image.pixel(x, 5), qRgb(255, 255, 255)) << x;
    canvas.Pen.Width = 3;
    canvas.MoveTo(INT_MIN, INT_MIN);
    canvas.LineTo(INT_MAX, INT_MAX);
    canvas.Brush.Color = clRed;
    canvas.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    canvas.SmoothLine(-1e12, 2, 1e12, 2, Color32(0, 255, 0));
    EXPECT_EQ(image.pixel(25, 2), qRgb(0, 255, 0));
}

TEST(ViewCanvas, PixelCopiesAndTransparentDrawing) {
    QImage image = Blank();
    TViewCanvas canvas(image);
    canvas.Brush.Color = clRed;
    canvas.FillRect(2, 2, 5, 5);
    const QImage saved = canvas.CopyImage(QRect(1, 1, 5, 5));
    canvas.Brush.Color = clLime;
    canvas.FillRect(0, 0, 12, 10);
    canvas.DrawImage(1, 1, saved);
    EXPECT_EQ(canvas.Pixel(2, 2), clRed);
    EXPECT_EQ(canvas.Pixel(1, 1), clBlack);
    EXPECT_EQ(canvas.Pixel(0, 0), clLime);

    QImage sprite = Blank(2, 1, qRgb(255, 255, 255));
    sprite.setPixel(1, 0, qRgb(0, 0, 255));
    canvas.DrawTransparent(8, 8, sprite, clWhite);
    EXPECT_EQ(canvas.Pixel(8, 8), clLime);
    EXPECT_EQ(canvas.Pixel(9, 8), clBlue);
}

TEST(ViewCanvas, TextFillsItsBoxWithASolidBrush) {
    QImage image = Blank(80, 30);
    TViewCanvas canvas(image);
    canvas.Brush.Color = clBlue;
    canvas.FontColor = clWhite;
    canvas.TextOut(2, 2, "Ab");
    EXPECT_GT(canvas.TextWidth("Ab"), 0);
    EXPECT_EQ(canvas.Pixel(2, 2), clBlue);
    EXPECT_GT(CountPixels(image, qRgb(0, 0, 255)), 0);
    QImage clipped = Blank(80, 30);
    TViewCanvas cut(clipped);
    cut.Brush.Style = bsClear;
    cut.FontColor = clWhite;
    cut.TextRect(QRect(0, 0, 4, 30), 0, 0, "WWWWWW");
    for (int y = 0; y < 30; ++y)
        for (int x = 4; x < 80; ++x) ASSERT_EQ(clipped.pixel(x, y), qRgb(0, 0, 0));
}

TEST(ViewCanvas, ANullImageIsIgnored) {
    QImage image;
    TViewCanvas canvas(image);
    canvas.MoveTo(0, 0);
    canvas.LineTo(5, 5);
    canvas.Rectangle(0, 0, 5, 5);
    canvas.Ellipse(0, 0, 5, 5);
    canvas.TextOut(0, 0, "x");
    canvas.SmoothLine(0, 0, 3, 3, Color32(1, 2, 3));
    canvas.BlendFillRect(0, 0, 3, 3, Color32(1, 2, 3));
    EXPECT_EQ(canvas.Pixel(0, 0), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace nerim
