#include "canvas/view_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace nerim {

int RoundToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= double(INT_MAX)) return INT_MAX;
    if (value <= double(INT_MIN)) return INT_MIN;
    return int(std::nearbyint(value));
}

namespace {

QRgb ToRgb(TColor c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

TColor FromRgb(QRgb p) { return RGBColor(std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))); }

// Direct pixel access on the 32-bit images the views draw on.
class PixelWriter {
public:
    explicit PixelWriter(QImage& image) : image_(image), width_(image.width()), height_(image.height()) {}

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    QRgb& At(int x, int y) { return reinterpret_cast<QRgb*>(image_.scanLine(y))[x]; }

    void Put(int x, int y, QRgb rgb, bool xorMode) {
        if (!Inside(x, y)) return;
        QRgb& p = At(x, y);
        // XOR the colour bits only: the opacity of the picture is kept.
        p = xorMode ? (p ^ (rgb & 0x00FFFFFFu)) : rgb;
    }

    void Blend(int x, int y, TColor32 c) {
        if (!Inside(x, y)) return;
        const unsigned a = AlphaOf32(c);
        if (a == 0) return;
        QRgb& p = At(x, y);
        const auto mix = [a](unsigned s, unsigned d) { return (s * a + d * (255 - a) + 127) / 255; };
        p = qRgb(int(mix(RedOf32(c), unsigned(qRed(p)))), int(mix(GreenOf32(c), unsigned(qGreen(p)))),
                 int(mix(BlueOf32(c), unsigned(qBlue(p)))));
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    QImage& image_;
    int width_;
    int height_;
};

// On/off run lengths of the one-pixel pen styles.
std::vector<int> DashPattern(TPenStyle style) {
    switch (style) {
        case psDash: return {18, 6};
        case psDot: return {3, 3};
        case psDashDot: return {9, 6, 3, 6};
        case psDashDotDot: return {9, 3, 3, 3, 3, 3};
        default: return {};
    }
}

bool PatternOn(const std::vector<int>& pattern, int step) {
    if (pattern.empty()) return true;
    int period = 0;
    for (int run : pattern) period += run;
    if (period <= 0) return true;  // runs of no length draw a solid line
    int pos = step % period;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pos < pattern[i]) return i % 2 == 0;
        pos -= pattern[i];
    }
    return true;
}

// Cuts a very long line to the part near the image so that walking it stays cheap.
// Returns false when nothing of it comes near.
bool ClipLong(int w, int h, double& x1, double& y1, double& x2, double& y2) {
    const double margin = 4.0;
    const double xmin = -margin, ymin = -margin, xmax = w + margin, ymax = h + margin;
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
        } else {
            const double t = q[i] / p[i];
            if (p[i] < 0) t0 = std::max(t0, t);
            else t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) return false;
    const double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy, nx2 = x1 + t1 * dx, ny2 = y1 + t1 * dy;
    x1 = nx1;
    y1 = ny1;
    x2 = nx2;
    y2 = ny2;
    return true;
}

// Walks the pixels of a line from (x1, y1) towards (x2, y2) with Bresenham's steps. The end
// point is visited only when includeEnd is set.
template <class Visit>
void WalkLine(int w, int h, int x1, int y1, int x2, int y2, bool includeEnd, Visit visit) {
    const long long span = std::llabs((long long)x2 - x1) + std::llabs((long long)y2 - y1);
    if (span > 4LL * (w + h) + 64) {
        double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
        const bool endInside = fx2 >= -4 && fy2 >= -4 && fx2 <= w + 4 && fy2 <= h + 4;
        if (!ClipLong(w, h, fx1, fy1, fx2, fy2)) return;
        x1 = RoundToInt(fx1);
        y1 = RoundToInt(fy1);
        x2 = RoundToInt(fx2);
        y2 = RoundToInt(fy2);
        includeEnd = includeEnd || !endInside;
    }
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1, step = 0;
    while (x != x2 || y != y2) {
        visit(x, y, step++);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    if (includeEnd) visit(x, y, step);
}

Qt::PenStyle QtPenStyle(TPenStyle style) {
    switch (style) {
        case psDash: return Qt::DashLine;
        case psDot: return Qt::DotLine;
        case psDashDot: return Qt::DashDotLine;
        case psDashDotDot: return Qt::DashDotDotLine;
        case psClear: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}

// Orders the corners and keeps them in a range where sizes cannot overflow; figures that far
// outside the picture are not visible anyway.
void Normalise(int& L, int& T, int& R, int& B) {
    static constexpr int kFar = 1 << 24;
    const auto clamp = [](int& v) { v = std::clamp(v, -kFar, kFar); };
    clamp(L);
    clamp(T);
    clamp(R);
    clamp(B);
    if (L > R) std::swap(L, R);
    if (T > B) std::swap(T, B);
}

}  // namespace

void TViewCanvas::SetupPen(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(ToQColor(Pen.Color));
    pen.setWidth(std::max(1, Pen.Width));
    pen.setStyle(QtPenStyle(Pen.Style));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setCompositionMode(Pen.Mode == pmXor ? QPainter::RasterOp_SourceXorDestination
                                                 : QPainter::CompositionMode_SourceOver);
}

void TViewCanvas::SetupBrush(QPainter& painter) const {
    if (Brush.Style == bsClear) painter.setBrush(Qt::NoBrush);
    else painter.setBrush(ToQColor(Brush.Color));
}

void TViewCanvas::LineTo(int X, int Y) {
    const QPoint from = penPos_;
    penPos_ = QPoint(X, Y);
    if (Pen.Style == psClear || image_->isNull()) return;
    if (Pen.Width <= 1) {
        PixelWriter px(*image_);
        const QRgb rgb = ToRgb(Pen.Color);
        const bool xorMode = Pen.Mode == pmXor;
        const std::vector<int> pattern = DashPattern(Pen.Style);
        WalkLine(px.Width(), px.Height(), from.x(), from.y(), X, Y, false, [&](int x, int y, int step) {
            if (PatternOn(pattern, step)) px.Put(x, y, rgb, xorMode);
        });
        return;
    }
    if (from == penPos_) return;
    double x1 = from.x(), y1 = from.y(), x2 = X, y2 = Y;
    if (std::abs(x2 - x1) + std::abs(y2 - y1) > 4.0 * (Width() + Height()) + 64 &&
        !ClipLong(Width(), Height(), x1, y1, x2, y2))
        return;
    QPainter painter(image_);
    SetupPen(painter);
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void TViewCanvas::Rectangle(int L, int T, int R, int B) {
    if (image_->isNull()) return;
    Normalise(L, T, R, B);
    if (R - L < 1 || B - T < 1) return;
    const bool penShown = Pen.Style != psClear;
    if (Brush.Style != bsClear) {
        // The inside; without a pen the figure is one pixel smaller at the right and bottom.
        int fl = L, ft = T;
        const int fr = R - 1, fb = B - 1;
        if (penShown) {
            ++fl;
            ++ft;
        }
        if (fr > fl && fb > ft) {
            if (Pen.Mode == pmXor) {
                PixelWriter px(*image_);
                const QRgb rgb = ToRgb(Brush.Color);
                for (int y = std::max(ft, 0); y < std::min(fb, px.Height()); ++y)
                    for (int x = std::max(fl, 0); x < std::min(fr, px.Width()); ++x) px.Put(x, y, rgb, true);
            } else {
                QPainter painter(image_);
                painter.fillRect(QRect(fl, ft, fr - fl, fb - ft), ToQColor(Brush.Color));
            }
        }
    }
    if (!penShown) return;
    if (Pen.Width <= 1) {
        const QPoint keep = penPos_;
        MoveTo(L, T);
        LineTo(R - 1, T);
        LineTo(R - 1, B - 1);
        LineTo(L, B - 1);
        LineTo(L, T);
        penPos_ = keep;
        return;
    }
    QPainter painter(image_);
    SetupPen(painter);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(L, T, R - L - 1, B - T - 1));
}

void TViewCanvas::FillRect(int L, int T, int R, int B) {
    if (image_->isNull()) return;
    Normalise(L, T, R, B);
    if (R <= L || B <= T || Brush.Style == bsClear) return;
    QPainter painter(image_);
    painter.fillRect(QRect(L, T, R - L, B - T), ToQColor(Brush.Color));
}

void TViewCanvas::Ellipse(int L, int T, int R, int B) {
    if (image_->isNull()) return;
    Normalise(L, T, R, B);
    if (R - L < 1 || B - T < 1) return;
    QPainter painter(image_);
    SetupPen(painter);
    SetupBrush(painter);
    painter.drawEllipse(QRect(L, T, R - L - 1, B - T - 1));
}

void TViewCanvas::Polygon(const std::vector<QPoint>& Points) {
    if (image_->isNull()) return;
    if (Points.empty()) return;
    if (Brush.Style != bsClear && Points.size() >= 3) {
        QPainter painter(image_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        SetupBrush(painter);
        if (Pen.Mode == pmXor) painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.drawPolygon(Points.data(), int(Points.size()));
    }
    if (Pen.Style == psClear) return;
    std::vector<QPoint> closed = Points;
    closed.push_back(Points.front());
    Polyline(closed);
}

void TViewCanvas::Polyline(const std::vector<QPoint>& Points) {
    if (image_->isNull()) return;
    if (Points.size() < 2) return;
    if (Pen.Width <= 1) {
        const QPoint keep = penPos_;
        MoveTo(Points[0].x(), Points[0].y());
        for (std::size_t i = 1; i < Points.size(); ++i) LineTo(Points[i].x(), Points[i].y());
        penPos_ = keep;
        return;
    }
    QPainter painter(image_);
    SetupPen(painter);
    painter.drawPolyline(Points.data(), int(Points.size()));
}

void TViewCanvas::FillTextBox(QPainter& painter, const QRect& box) const {
    if (Brush.Style != bsClear) painter.fillRect(box, ToQColor(Brush.Color));
}

void TViewCanvas::TextOut(int X, int Y, const std::string& Text) {
    if (image_->isNull()) return;
    const QString text = QString::fromUtf8(Text.data(), qsizetype(Text.size()));
    QPainter painter(image_);
    painter.setFont(Font);
    const QFontMetrics metrics(Font);
    const QRect box(X, Y, metrics.horizontalAdvance(text), metrics.height());
    FillTextBox(painter, box);
    painter.setPen(ToQColor(FontColor));
    painter.drawText(QPoint(X, Y + metrics.ascent()), text);
    penPos_ = QPoint(X + box.width(), Y);
}

void TViewCanvas::TextRect(const QRect& Rect, int X, int Y, const std::string& Text) {
    if (image_->isNull()) return;
    const QString text = QString::fromUtf8(Text.data(), qsizetype(Text.size()));
    QPainter painter(image_);
    painter.setFont(Font);
    FillTextBox(painter, Rect);
    painter.setClipRect(Rect);
    painter.setPen(ToQColor(FontColor));
    painter.drawText(QPoint(X, Y + QFontMetrics(Font).ascent()), text);
}

int TViewCanvas::TextWidth(const std::string& Text) const {
    return QFontMetrics(Font).horizontalAdvance(QString::fromUtf8(Text.data(), qsizetype(Text.size())));
}

int TViewCanvas::TextHeight(const std::string&) const { return QFontMetrics(Font).height(); }

TColor TViewCanvas::Pixel(int X, int Y) const {
    if (!image_->valid(X, Y)) return 0xFFFFFFFFu;
    return FromRgb(image_->pixel(X, Y));
}

void TViewCanvas::SetPixel(int X, int Y, TColor Color) {
    PixelWriter px(*image_);
    px.Put(X, Y, ToRgb(Color), false);
}

QImage TViewCanvas::CopyImage(const QRect& Rect) const { return image_->copy(Rect); }

void TViewCanvas::DrawImage(int X, int Y, const QImage& Source) {
    if (image_->isNull()) return;
    QPainter painter(image_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(X, Y), Source);
}

void TViewCanvas::DrawTransparent(int X, int Y, const QImage& Source, TColor Transparent) {
    const QImage src = Source.convertToFormat(QImage::Format_RGB32);
    PixelWriter px(*image_);
    const QRgb skip = ToRgb(Transparent) & 0x00FFFFFFu;
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) != skip) px.Put(X + x, Y + y, line[x] | 0xFF000000u, false);
    }
}

void TViewCanvas::SmoothMoveTo(double X, double Y) {
    smoothX_ = X;
    smoothY_ = Y;
}

void TViewCanvas::SmoothLineTo(double X, double Y) {
    SmoothLine(smoothX_, smoothY_, X, Y, SmoothColor);
    smoothX_ = X;
    smoothY_ = Y;
}

void TViewCanvas::SmoothLine(double X1, double Y1, double X2, double Y2, TColor32 Color) {
    if (image_->isNull()) return;
    if (!std::isfinite(X1) || !std::isfinite(Y1) || !std::isfinite(X2) || !std::isfinite(Y2)) return;
    if (std::abs(X2 - X1) + std::abs(Y2 - Y1) > 4.0 * (Width() + Height()) + 64) {
        if (!ClipLong(Width(), Height(), X1, Y1, X2, Y2)) return;
    }
    QPainter painter(image_);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(ToQColor32(Color));
    pen.setWidthF(1.0);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    // Pixel centres lie half a pixel inside the pixel grid.
    painter.drawLine(QPointF(X1 + 0.5, Y1 + 0.5), QPointF(X2 + 0.5, Y2 + 0.5));
}

void TViewCanvas::BlendLine(int X1, int Y1, int X2, int Y2, TColor32 Color) {
    PixelWriter px(*image_);
    WalkLine(px.Width(), px.Height(), X1, Y1, X2, Y2, true, [&](int x, int y, int) { px.Blend(x, y, Color); });
}

void TViewCanvas::BlendFillRect(int L, int T, int R, int B, TColor32 Color) {
    Normalise(L, T, R, B);
    PixelWriter px(*image_);
    const int x0 = std::max(L, 0), x1 = std::min(R, px.Width());
    const int y0 = std::max(T, 0), y1 = std::min(B, px.Height());
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) px.Blend(x, y, Color);
}

void TViewCanvas::BlendFrameRect(int L, int T, int R, int B, TColor32 Color) {
    Normalise(L, T, R, B);
    if (R - L < 1 || B - T < 1) return;
    PixelWriter px(*image_);
    const int right = R - 1, bottom = B - 1;
    for (int x = std::max(L, 0); x <= std::min(right, px.Width() - 1); ++x) {
        px.Blend(x, T, Color);
        if (bottom != T) px.Blend(x, bottom, Color);
    }
    for (int y = std::max(T + 1, 0); y < std::min(bottom, px.Height()); ++y) {
        px.Blend(L, y, Color);
        if (right != L) px.Blend(right, y, Color);
    }
}

}  // namespace nerim
