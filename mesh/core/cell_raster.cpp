#include "mesh/core/cell_raster.h"

#include <algorithm>
#include <array>

namespace nerim {
namespace {

// The pixels [Begin, End) of one axis that a cell covers.
struct TRun {
    int Begin;
    int End;
    std::int32_t Interval;
};

// The direction of the edges: +1 up, -1 down, 0 when they change direction (all equal edges
// count as going up).
int Direction(const std::vector<int>& e) {
    bool up = true, down = true;
    for (std::size_t k = 1; k < e.size(); ++k) {
        if (e[k] < e[k - 1]) up = false;
        if (e[k] > e[k - 1]) down = false;
    }
    return up ? 1 : down ? -1 : 0;
}

// The runs of pixels within [0, Limit) that the intervals of an axis cover; intervals whose
// rounded span is empty cover nothing. The runs are disjoint because the edges are monotonic.
std::vector<TRun> Runs(const TAxisEdges& axis, int limit) {
    std::vector<TRun> runs;
    const std::vector<int>& e = axis.Edges;
    for (std::size_t k = 0; k + 1 < e.size(); ++k) {
        const int begin = std::max(std::min(e[k], e[k + 1]), 0);
        const int end = std::min(std::max(e[k], e[k + 1]), limit);
        if (begin < end) runs.push_back({begin, end, axis.First + static_cast<std::int32_t>(k)});
    }
    return runs;
}

// Blends a span of pixels with one colour, as BlendPixel does each of them.
void BlendSpan(std::uint32_t* p, int count, TArgb c) {
    const std::uint32_t a = c >> 24;
    if (a == 0) return;
    const std::uint32_t ia = 255 - a;
    const std::uint32_t sr = ((c >> 16) & 0xFF) * a + 127;
    const std::uint32_t sg = ((c >> 8) & 0xFF) * a + 127;
    const std::uint32_t sb = (c & 0xFF) * a + 127;
    for (int x = 0; x < count; ++x) {
        const std::uint32_t d = p[x];
        const std::uint32_t r = (sr + ((d >> 16) & 0xFF) * ia) / 255;
        const std::uint32_t g = (sg + ((d >> 8) & 0xFF) * ia) / 255;
        const std::uint32_t b = (sb + (d & 0xFF) * ia) / 255;
        p[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
}

// A channel blended k times over with one colour, for every starting value: repeated blending
// rounds at every step, so it has no closed form.
class TRepeatedBlend {
public:
    explicit TRepeatedBlend(TArgb color) : color_(color) {
        std::array<std::uint8_t, 768> identity{};
        for (std::size_t v = 0; v < 256; ++v)
            for (std::size_t ch = 0; ch < 3; ++ch) identity[ch * 256 + v] = std::uint8_t(v);
        tables_.push_back(identity);
    }

    std::uint32_t Apply(std::uint32_t d, int k) {
        if (k == 0) return d;
        while (int(tables_.size()) <= k) Extend();
        const std::array<std::uint8_t, 768>& t = tables_[std::size_t(k)];
        return 0xFF000000u | (std::uint32_t(t[(d >> 16) & 0xFF]) << 16) |
               (std::uint32_t(t[256 + ((d >> 8) & 0xFF)]) << 8) | t[512 + (d & 0xFF)];
    }

private:
    void Extend() {
        const std::array<std::uint8_t, 768>& last = tables_.back();
        std::array<std::uint8_t, 768> next{};
        for (std::size_t v = 0; v < 256; ++v) {
            const std::uint32_t once = BlendPixel(
                (std::uint32_t(last[v]) << 16) | (std::uint32_t(last[256 + v]) << 8) | last[512 + v], color_);
            next[v] = std::uint8_t(once >> 16);
            next[256 + v] = std::uint8_t(once >> 8);
            next[512 + v] = std::uint8_t(once);
        }
        tables_.push_back(next);
    }

    TArgb color_;
    std::vector<std::array<std::uint8_t, 768>> tables_;
};

// How many of the positions fall on each pixel of [0, Limit).
std::vector<int> CountsPerPixel(const std::vector<int>& positions, int limit) {
    std::vector<int> counts(std::size_t(std::max(limit, 0)), 0);
    for (int p : positions)
        if (p >= 0 && p < limit) ++counts[std::size_t(p)];
    return counts;
}

}  // namespace

bool BlendCells(const TPixelBuffer& Buffer, const TAxisEdges& X, const TAxisEdges& Y, const TRowColors& RowColors) {
    if (Direction(X.Edges) == 0 || Direction(Y.Edges) == 0) return false;
    if (Buffer.Width <= 0 || Buffer.Height <= 0) return true;
    const std::vector<TRun> columns = Runs(X, Buffer.Width);
    const std::vector<TRun> rows = Runs(Y, Buffer.Height);
    if (columns.empty() || rows.empty()) return true;
    std::vector<std::int32_t> intervals;
    intervals.reserve(columns.size());
    for (const TRun& c : columns) intervals.push_back(c.Interval);
    std::vector<TArgb> colors(columns.size());
    for (const TRun& row : rows) {
        RowColors(row.Interval, intervals.data(), intervals.size(), colors.data());
        for (int y = row.Begin; y < row.End; ++y) {
            std::uint32_t* line = Buffer.Row(y);
            for (std::size_t k = 0; k < columns.size(); ++k)
                BlendSpan(line + columns[k].Begin, columns[k].End - columns[k].Begin, colors[k]);
        }
    }
    return true;
}

void BlendBoundaryLines(const TPixelBuffer& Buffer, const std::vector<int>& VerticalX, int Top, int Bottom,
                        const std::vector<int>& HorizontalY, int Left, int Right, TArgb Color) {
    if (Buffer.Width <= 0 || Buffer.Height <= 0 || (Color >> 24) == 0) return;
    const int w = Buffer.Width, h = Buffer.Height;
    // The rows the vertical lines cross and the columns the horizontal ones cross.
    const int vTop = std::max(std::min(Top, Bottom), 0), vBottom = std::min(std::max(Top, Bottom), h - 1);
    const int hLeft = std::max(std::min(Left, Right), 0), hRight = std::min(std::max(Left, Right), w - 1);
    const std::vector<int> perColumn = CountsPerPixel(VerticalX, w);
    const std::vector<int> perRow = CountsPerPixel(HorizontalY, h);
    std::vector<int> lineColumns;  // the columns holding vertical lines
    for (int x = 0; x < w; ++x)
        if (perColumn[std::size_t(x)] > 0) lineColumns.push_back(x);

    // Every line has the same colour, so a pixel's result depends only on how many lines cover it.
    TRepeatedBlend blend(Color);
    for (int y = 0; y < h; ++y) {
        const bool crossed = y >= vTop && y <= vBottom && !lineColumns.empty();
        const int rowLines = hLeft <= hRight ? perRow[std::size_t(y)] : 0;
        if (!crossed && rowLines == 0) continue;
        std::uint32_t* line = Buffer.Row(y);
        if (rowLines > 0) {
            for (int x = hLeft; x <= hRight; ++x)
                line[x] = blend.Apply(line[x], rowLines + (crossed ? perColumn[std::size_t(x)] : 0));
        }
        if (!crossed) continue;
        for (int x : lineColumns)
            if (rowLines == 0 || x < hLeft || x > hRight) line[x] = blend.Apply(line[x], perColumn[std::size_t(x)]);
    }
}

void BlendRect(const TPixelBuffer& Buffer, int L, int T, int R, int B, TArgb Color) {
    const int x0 = std::max(std::min(L, R), 0), x1 = std::min(std::max(L, R), Buffer.Width);
    const int y0 = std::max(std::min(T, B), 0), y1 = std::min(std::max(T, B), Buffer.Height);
    if (x0 >= x1) return;
    for (int y = y0; y < y1; ++y) BlendSpan(Buffer.Row(y) + x0, x1 - x0, Color);
}

}  // namespace nerim
