#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>

#include "canvas/colors.h"

class QPainter;

namespace nerim {

enum TPenStyle : std::uint8_t { psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4, psClear = 5 };
// Copy: the pen's colour replaces the pixels; Xor: the pixels are XORed with it, so drawing the
// same figure twice restores them.
enum TPenMode : std::uint8_t { pmCopy = 0, pmXor = 1 };
enum TBrushStyle : std::uint8_t { bsSolid = 0, bsClear = 1 };

struct TViewPen {
    TColor Color = clBlack;
    int Width = 1;  // 1 to 3 pixels
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
};

struct TViewBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// Rounds to the nearest integer, halves to even, clamped to the range of int.
int RoundToInt(double value);

// A drawing canvas on a 32-bit image (a view's buffer or its screen image). Integer pixel
// coordinates, X to the right, Y down. Rectangles (L, T, R, B) cover the columns L to R - 1 and
// the rows T to B - 1; a line drawn with LineTo leaves out its end point, so a chain of LineTo
// calls draws every pixel once, as XOR drawing needs.
//
// Besides the pen-and-brush calls it offers the smooth renderer (anti-aliased lines in a 32-bit
// colour with opacity) and alpha-blended lines and fills, which blend over what is drawn.
class TViewCanvas {
public:
    explicit TViewCanvas(QImage& target) : image_(&target) {}

    TViewPen Pen;
    TViewBrush Brush;
    QFont Font;
    TColor FontColor = clBlack;

    QImage& Image() const { return *image_; }
    int Width() const { return image_->width(); }
    int Height() const { return image_->height(); }
    // The area drawing reaches: the whole image.
    QRect ClipRect() const { return image_->rect(); }

    // Pen and brush drawing.
    QPoint PenPos() const { return penPos_; }
    void MoveTo(int X, int Y) { penPos_ = QPoint(X, Y); }
    void LineTo(int X, int Y);
    // Outline with the pen, inside filled with the brush (unless the brush is clear).
    void Rectangle(int L, int T, int R, int B);
    // The brush only; the pen and its mode are not used.
    void FillRect(int L, int T, int R, int B);
    void Ellipse(int L, int T, int R, int B);
    void Polygon(const std::vector<QPoint>& Points);
    void Polyline(const std::vector<QPoint>& Points);
    // Text with its top-left corner at (X, Y), in FontColor; a solid brush fills the text's box.
    void TextOut(int X, int Y, const std::string& Text);
    // Text at (X, Y) cut to Rect; a solid brush fills Rect first.
    void TextRect(const QRect& Rect, int X, int Y, const std::string& Text);
    int TextWidth(const std::string& Text) const;
    int TextHeight(const std::string& Text) const;

    // Pixels. Reading outside the image gives 0xFFFFFFFF.
    TColor Pixel(int X, int Y) const;
    void SetPixel(int X, int Y, TColor Color);
    // A copy of the pixels of Rect; parts outside the image are black.
    QImage CopyImage(const QRect& Rect) const;
    // Copies Source's pixels with its top-left corner at (X, Y).
    void DrawImage(int X, int Y, const QImage& Source);
    // As DrawImage, leaving out the pixels of the transparent colour.
    void DrawTransparent(int X, int Y, const QImage& Source, TColor Transparent);

    // The smooth renderer: anti-aliased lines, blended in SmoothColor. Coordinates are pixels
    // (pixel centres at whole numbers).
    TColor32 SmoothColor = Color32(0, 0, 0);
    void SmoothMoveTo(double X, double Y);
    void SmoothLineTo(double X, double Y);
    void SmoothLine(double X1, double Y1, double X2, double Y2, TColor32 Color);

    // Alpha-blended drawing without anti-aliasing: a line through both end points, a filled
    // rectangle, and the one-pixel outline of a rectangle.
    void BlendLine(int X1, int Y1, int X2, int Y2, TColor32 Color);
    void BlendFillRect(int L, int T, int R, int B, TColor32 Color);
    void BlendFrameRect(int L, int T, int R, int B, TColor32 Color);

private:
    void SetupPen(QPainter& painter) const;
    void SetupBrush(QPainter& painter) const;
    void FillTextBox(QPainter& painter, const QRect& box) const;

    QImage* image_;
    QPoint penPos_;
    double smoothX_ = 0;
    double smoothY_ = 0;
};

}  // namespace nerim
