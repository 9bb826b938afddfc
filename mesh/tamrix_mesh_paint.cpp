// How the mesh draws itself on a view: the domain outline, the sub-zones, the cells coloured by the
// shown matrix, the cell boundaries and the picked cell, all blended over what is drawn.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <type_traits>

#include "canvas/canvax_viewport.h"
#include "mesh/core/cell_colors.h"
#include "mesh/core/cell_raster.h"
#include "mesh/tamrix_mesh.h"

namespace nerim {
namespace {

// The cells of a mesh of millions of cells cannot be drawn one fill each in a repaint, nor the
// thousands of boundary lines one line each: where the view's mapping keeps the axes (screen x
// depends on world x alone, screen y on world y alone) and the picture is a 32-bit image, both go
// straight into the picture's rows, for the cells and boundaries that meet the view only. The
// picture is the same, pixel for pixel, as that of the fills and lines drawn one by one, which is
// what other views (rotated frames) get.
class TMeshPainter {
public:
    TMeshPainter(const TCETamrixMesh& Mesh, TCanvaxViewport& View, TViewCanvas& Canvas)
        : mesh_(Mesh), view_(View), canvas_(Canvas), x_(Mesh.DivisionsX()), y_(Mesh.DivisionsY()) {
        QImage& image = Canvas.Image();
        const QImage::Format format = image.format();
        const bool rgb32 = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                           format == QImage::Format_ARGB32_Premultiplied;
        // Screen x depends on world x alone when RefX has no y part and RefY no x part.
        direct_ = View.RefX().Y == 0 && View.RefY().X == 0 && rgb32 && !image.isNull() &&
                  std::is_sorted(x_.begin(), x_.end()) && std::is_sorted(y_.begin(), y_.end());
        if (direct_) {
            buffer_.Pixels = reinterpret_cast<std::uint32_t*>(image.bits());
            buffer_.Width = image.width();
            buffer_.Height = image.height();
            buffer_.Stride = image.bytesPerLine() / 4;
        }
    }

    void Paint() {
        PaintOutline();
        PaintSubZonesX();
        PaintSubZonesY();
        std::visit(
            [this](const auto& matrix) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(matrix)>, std::monostate>) PaintCells(matrix);
            },
            mesh_.ShownVariable());
        PaintBoundaries();
        PaintPickedCell();
    }

private:
    struct TPixel {
        int X, Y;
    };

    // A pixel coordinate moved by a few pixels; coordinates far off the screen saturate there.
    static int Shifted(int v, int d) {
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{v} + d, INT_MIN, INT_MAX));
    }

    TPixel Screen(double x, double y) const {
        const TPoint2D s = view_.WorldToScreen({x, y});
        return {RoundToInt(s.X), RoundToInt(s.Y)};
    }

    void Line(double x1, double y1, double x2, double y2, TArgb color) {
        const TPixel a = Screen(x1, y1), b = Screen(x2, y2);
        canvas_.BlendLine(a.X, a.Y, b.X, b.Y, color);
    }

    void Fill(double x1, double y1, double x2, double y2, TArgb color) {
        const TPixel a = Screen(x1, y1), b = Screen(x2, y2);
        if (direct_) BlendRect(buffer_, a.X, a.Y, b.X, b.Y, color);
        else canvas_.BlendFillRect(a.X, a.Y, b.X, b.Y, color);
    }

    // The outline lies on the domain's edges, where the first and last boundary lines are drawn.
    void PaintOutline() {
        const TPixel a = Screen(0, 0), b = Screen(mesh_.Width(), mesh_.Height());
        canvas_.BlendFrameRect(std::min(a.X, b.X), std::min(a.Y, b.Y), Shifted(std::max(a.X, b.X), 1),
                               Shifted(std::max(a.Y, b.Y), 1), kDomainOutlineColor);
    }

    void PaintSubZonesX() {
        const double h = mesh_.Height();
        const std::int32_t count = mesh_.SubZoneXCount();
        for (std::int32_t k = 0; k < count; ++k) {
            const TSubZone z = mesh_.GetSubZoneX(k);
            Line(z.Division, 0, z.Division, h, kSubZoneLineColor);
            Line(z.Center, 0, z.Center, h, kSubZoneLineColor);
            if (k != mesh_.CurrentSubZoneX()) continue;
            const double end = k + 1 < count ? mesh_.GetSubZoneX(k + 1).Division : mesh_.Width();
            Fill(z.Division, 0, end, h, kCurrentBandXColor);
        }
    }

    void PaintSubZonesY() {
        const double w = mesh_.Width();
        const std::int32_t count = mesh_.SubZoneYCount();
        for (std::int32_t k = 0; k < count; ++k) {
            const TSubZone z = mesh_.GetSubZoneY(k);
            Line(0, z.Division, w, z.Division, kSubZoneLineColor);
            Line(0, z.Center, w, z.Center, kSubZoneCenterYColor);
            if (k != mesh_.CurrentSubZoneY()) continue;
            const double end = k + 1 < count ? mesh_.GetSubZoneY(k + 1).Division : mesh_.Height();
            Fill(0, z.Division, w, end, kCurrentBandYColor);
        }
    }

    static TArgb CellColor(double v, double lo, double hi) { return RealCellColor(v, lo, hi); }
    static TArgb CellColor(bool v, double, double) { return BooleanCellColor(v); }
    static TArgb CellColor(std::int32_t v, double, double) { return IntegerCellColor(v); }

    // Element (i, r) of the matrix, i >= 1 and r >= 1, is the cell from (x(i − 1), y(NYm − r − 1))
    // to (x(i), y(NYm − r)): in boundary intervals, X interval i − 1 and Y interval NYm − r − 1.
    // Cells whose boundaries do not exist (matrix and divisions out of step) are left out.
    template <class Matrix>
    void PaintCells(const Matrix* matrix) {
        if (!matrix) return;
        const std::int32_t nxm = matrix->Sizes().N0(), nym = matrix->Sizes().N1();
        // Boundaries 0 .. lastX and 0 .. lastY bound cells of the matrix.
        const std::int32_t lastX = std::min(nxm, std::int32_t(x_.size())) - 1;
        const std::int32_t lastY = std::min(nym, std::int32_t(y_.size())) - 1;
        if (lastX < 1 || lastY < 1) return;
        const auto* data = matrix->Data();
        const double lo = mesh_.ResultsMin(), hi = mesh_.ResultsMax();
        if (direct_) {
            const TAxisEdges ex = EdgesX(0, lastX), ey = EdgesY(0, lastY);
            const bool drawn =
                BlendCells(buffer_, ex, ey, [&](std::int32_t b, const std::int32_t* columns, std::size_t n, TArgb* out) {
                    const auto* row = data + std::size_t(nym - 1 - b) * std::size_t(nxm);
                    for (std::size_t k = 0; k < n; ++k) out[k] = CellColor(row[columns[k] + 1], lo, hi);
                });
            if (drawn) return;
        }
        for (std::int32_t r = 1; r < nym; ++r) {
            const std::int32_t b = nym - r - 1;
            if (b + 1 > lastY) continue;
            for (std::int32_t i = 1; i <= lastX; ++i)
                Cell(x_[std::size_t(i) - 1], y_[std::size_t(b)], x_[std::size_t(i)], y_[std::size_t(b) + 1],
                     CellColor(data[std::size_t(r) * std::size_t(nxm) + std::size_t(i)], lo, hi));
        }
    }

    void Cell(double x1, double y1, double x2, double y2, TArgb color) {
        const TPixel a = Screen(x1, y1), b = Screen(x2, y2);
        canvas_.BlendFillRect(a.X, a.Y, b.X, b.Y, color);
    }

    // The visible boundaries among from .. to of an axis: from the last one at or before the
    // view's near edge to the first one at or past its far edge, so that cells cut by the edges
    // are in.
    static std::pair<std::int32_t, std::int32_t> Visible(const std::vector<float>& d, std::int32_t from,
                                                         std::int32_t to, double nearEdge, double farEdge) {
        const auto begin = d.begin() + from, end = d.begin() + to + 1;
        const auto afterNear =
            std::upper_bound(begin, end, nearEdge, [](double v, float boundary) { return v < double(boundary); });
        const auto atFar =
            std::lower_bound(begin, end, farEdge, [](float boundary, double v) { return double(boundary) < v; });
        const auto first = std::max(std::int32_t(afterNear - d.begin()) - 1, from);
        const auto last = std::min(std::int32_t(atFar - d.begin()), to);
        return {first, std::max(first, last)};
    }

    TAxisEdges EdgesX(std::int32_t from, std::int32_t to) const {
        const TRect2D& area = view_.VisibleArea();
        const auto [first, last] = Visible(x_, from, to, area.X1, area.X2);
        TAxisEdges e;
        e.First = first;
        for (std::int32_t k = first; k <= last; ++k) e.Edges.push_back(Screen(x_[std::size_t(k)], 0).X);
        return e;
    }

    TAxisEdges EdgesY(std::int32_t from, std::int32_t to) const {
        const TRect2D& area = view_.VisibleArea();
        const auto [first, last] = Visible(y_, from, to, area.Y1, area.Y2);
        TAxisEdges e;
        e.First = first;
        for (std::int32_t k = first; k <= last; ++k) e.Edges.push_back(Screen(0, y_[std::size_t(k)]).Y);
        return e;
    }

    // A vertical line across the domain's height at every X boundary, a horizontal one across its
    // width at every Y boundary.
    void PaintBoundaries() {
        const double w = mesh_.Width(), h = mesh_.Height();
        if (!direct_) {
            for (float x : x_) Line(x, 0, x, h, kBoundaryLineColor);
            for (float y : y_) Line(0, y, w, y, kBoundaryLineColor);
            return;
        }
        std::vector<int> columns, rows;
        if (!x_.empty()) columns = EdgesX(0, std::int32_t(x_.size()) - 1).Edges;
        if (!y_.empty()) rows = EdgesY(0, std::int32_t(y_.size()) - 1).Edges;
        const TPixel topLeft = Screen(0, 0), bottomRight = Screen(w, h);
        BlendBoundaryLines(buffer_, columns, topLeft.Y, bottomRight.Y, rows, topLeft.X, bottomRight.X,
                           kBoundaryLineColor);
    }

    // A square of three pixels on the boundary point (x(i), y(j)).
    void PaintPickedCell() {
        const TIntPair picked = mesh_.PickedCell();
        if (picked.I < 1 || picked.J < 1 || picked.I >= std::int32_t(x_.size()) || picked.J >= std::int32_t(y_.size()))
            return;
        const TPixel p = Screen(x_[std::size_t(picked.I)], y_[std::size_t(picked.J)]);
        canvas_.BlendFillRect(Shifted(p.X, -1), Shifted(p.Y, -1), Shifted(p.X, 2), Shifted(p.Y, 2), kPickedCellColor);
    }

    const TCETamrixMesh& mesh_;
    TCanvaxViewport& view_;
    TViewCanvas& canvas_;
    const std::vector<float>& x_;
    const std::vector<float>& y_;
    bool direct_ = false;
    TPixelBuffer buffer_;
};

}  // namespace

void TCETamrixMesh::Paint(TCanvaxViewport& View) {
    if (updateCount_ != 0) return;
    TCENotContainer::Paint(View);
    TViewCanvas* canvas = View.GetCanvas();
    if (!canvas) return;
    TMeshPainter(*this, View, *canvas).Paint();
}

}  // namespace nerim
