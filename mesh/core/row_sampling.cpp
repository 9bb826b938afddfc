#include "mesh/core/row_sampling.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "mesh/core/cell_classification.h"
#include "objects/core/ring_containment.h"

namespace nerim {
namespace {

double At(const std::vector<float>& divisions, std::int32_t index) {
    return static_cast<double>(divisions[static_cast<std::size_t>(index)]);
}

// Index of the first element of the sorted values above (upper) or at or above (lower) x.
std::int32_t UpperBound(const std::vector<double>& values, double x) {
    return static_cast<std::int32_t>(std::upper_bound(values.begin(), values.end(), x) - values.begin());
}
std::int32_t LowerBound(const std::vector<double>& values, double x) {
    return static_cast<std::int32_t>(std::lower_bound(values.begin(), values.end(), x) - values.begin());
}

}  // namespace

TColumnSamples MakeColumnSamples(const std::vector<float>& divisionsX, std::int32_t NX) {
    const auto NXd = static_cast<std::int32_t>(divisionsX.size());
    const auto n = static_cast<std::size_t>(NXd);
    TColumnSamples c;
    c.NX = NX;
    c.Face.resize(n + 1);
    c.Step.resize(n);
    c.First.resize(n);
    c.Last.resize(n);
    c.Face[0] = At(divisionsX, 0) - (At(divisionsX, 1) - At(divisionsX, 0));
    for (std::int32_t i = 0; i < NXd; ++i) c.Face[static_cast<std::size_t>(i) + 1] = At(divisionsX, i);
    bool ordered = std::isfinite(c.Face[0]);
    for (std::size_t i = 0; i < n; ++i) {
        const double leftX = c.Face[i];
        const double rightX = c.Face[i + 1];
        c.Step[i] = (rightX - leftX) / NX;
        c.First[i] = c.Sample(static_cast<std::int32_t>(i), 0);
        c.Last[i] = c.Sample(static_cast<std::int32_t>(i), NX - 1);
        // Written so that a NaN anywhere fails it.
        ordered = ordered && std::isfinite(rightX) && leftX <= c.First[i] && c.First[i] <= c.Last[i] &&
                  c.Last[i] <= rightX;
    }
    c.Ordered = ordered;
    return c;
}

void MakeRowLines(const std::vector<float>& divisionsY, std::int32_t j, std::int32_t NY, TRowLines& lines) {
    const auto NYd = static_cast<std::int32_t>(divisionsY.size());
    const double nearY = At(divisionsY, j);
    const double farY = j == NYd - 1 ? At(divisionsY, j) + (At(divisionsY, j) - At(divisionsY, j - 1))
                                     : At(divisionsY, j + 1);
    const double sy = (farY - nearY) / NY;
    lines.Near = nearY;
    lines.Far = farY;
    lines.Inner.resize(static_cast<std::size_t>(NY));
    for (std::int32_t s = 0; s < NY; ++s) lines.Inner[static_cast<std::size_t>(s)] = nearY + (s + 0.5) * sy;
}

void TRowCounts::Resize(std::int32_t columns) {
    const auto n = static_cast<std::size_t>(columns);
    Top.assign(n, 0);
    Bottom.assign(n, 0);
    Left.assign(n, 0);
    Right.assign(n, 0);
    Inner.assign(n, 0);
    Lo = columns;
    Hi = 0;
}

void TRowCounts::Clear() {
    for (std::int32_t i = Lo; i < Hi; ++i) {
        const auto k = static_cast<std::size_t>(i);
        Top[k] = Bottom[k] = Left[k] = Right[k] = 0;
        Inner[k] = 0;
    }
    Lo = static_cast<std::int32_t>(Top.size());
    Hi = 0;
}

bool TRingSampler::Usable(const TPolygonRing& ring) {
    if (ring.Points.size() < 3) return false;
    const TRect2D& b = ring.Bounds;
    if (!std::isfinite(b.X1) || !std::isfinite(b.Y1) || !std::isfinite(b.X2) || !std::isfinite(b.Y2)) return false;
    return std::all_of(ring.Points.begin(), ring.Points.end(),
                       [](const TPoint2D& p) { return std::isfinite(p.X) && std::isfinite(p.Y); });
}

TRingSampler::TRingSampler(const TPolygonRing& ring) : box_(ring.Bounds) {
    // The closing edge first, as the point test walks the ring.
    const std::vector<TPoint2D>& points = ring.Points;
    edges_.reserve(points.size());
    TPoint2D v0 = points.back();
    for (const TPoint2D& v1 : points) {
        edges_.push_back({v0, v1, std::min(v0.Y, v1.Y), std::max(v0.Y, v1.Y)});
        v0 = v1;
    }
}

void TRingSampler::CountRow(const TColumnSamples& columns, const TRowLines& lines, TRowCounts& counts) const {
    // The edges that can cross any line of the row: those spanning some height between the
    // row's lowest and highest line (an edge crosses the line at y when MinY < y <= MaxY).
    // A line that is not a number crosses no edge and is left out.
    double yLo = std::numeric_limits<double>::infinity();
    double yHi = -yLo;
    auto span = [&](double y) {
        if (y < yLo) yLo = y;
        if (y > yHi) yHi = y;
    };
    span(lines.Near);
    span(lines.Far);
    for (double y : lines.Inner) span(y);
    counts.Candidates.clear();
    for (std::size_t e = 0; e < edges_.size(); ++e)
        if (edges_[e].MinY < yHi && edges_[e].MaxY >= yLo) counts.Candidates.push_back(static_cast<std::uint32_t>(e));
    if (counts.Candidates.empty()) return;

    CountLine(columns, lines.Near, lrTop, counts);
    CountLine(columns, lines.Far, lrBottom, counts);
    for (double y : lines.Inner) CountLine(columns, y, lrInner, counts);
}

void TRingSampler::CountLine(const TColumnSamples& columns, double y, TLineRole role, TRowCounts& counts) const {
    // The point test rejects points above or below the box before it walks the ring.
    if (y < box_.Y1 || y > box_.Y2) return;
    std::vector<double>& thresholds = counts.Thresholds;
    thresholds.clear();
    for (std::uint32_t e : counts.Candidates) {
        const TEdge& edge = edges_[e];
        if ((edge.V0.Y >= y) != (edge.V1.Y >= y)) thresholds.push_back(EdgeCrossingThreshold(edge.V0, edge.V1, y));
    }
    if (thresholds.empty()) return;
    std::sort(thresholds.begin(), thresholds.end());
    // x lies in (T[m − 1], T[m]] for exactly one m, and then k − m thresholds are at or right of
    // it: inside when k − m is odd. Beyond the last threshold none is, so m < k.
    const auto k = static_cast<std::int32_t>(thresholds.size());
    for (std::int32_t m = (k % 2 == 1) ? 0 : 1; m < k; m += 2) {
        const double lo = m == 0 ? -std::numeric_limits<double>::infinity() : thresholds[static_cast<std::size_t>(m) - 1];
        const double hi = thresholds[static_cast<std::size_t>(m)];
        if (lo < hi) CountInterval(columns, lo, hi, role, counts);
    }
}

void TRingSampler::CountInterval(const TColumnSamples& columns, double lo, double hi, TLineRole role,
                                 TRowCounts& counts) const {
    const double minX = box_.X1;
    const double maxX = box_.X2;
    // The x of the line inside the ring within this interval: in (lo, hi] and in the box.
    auto inside = [&](double x) { return x > lo && x <= hi && x >= minX && x <= maxX; };
    const std::int32_t NX = columns.NX;
    const auto n = static_cast<std::int32_t>(columns.Columns());
    std::vector<std::int32_t>* faceCounts = role == lrTop ? &counts.Top : role == lrBottom ? &counts.Bottom : nullptr;
    auto add = [&](std::int32_t i, std::int32_t count) {
        if (faceCounts)
            (*faceCounts)[static_cast<std::size_t>(i)] += count;
        else
            counts.Inner[static_cast<std::size_t>(i)] += count;
    };

    // Columns with a sample in the interval lie in [begin, end): their last sample is not left of
    // it and their first not right of it. Those whose first and last samples both lie in it, and
    // with them every sample between, are [whole, wholeEnd); the others are counted one by one.
    const std::int32_t begin = std::max(UpperBound(columns.Last, lo), LowerBound(columns.Last, minX));
    const std::int32_t end = std::min(UpperBound(columns.First, hi), UpperBound(columns.First, maxX));
    const std::int32_t whole = std::max(UpperBound(columns.First, lo), LowerBound(columns.First, minX));
    const std::int32_t wholeEnd = std::max(whole, std::min(UpperBound(columns.Last, hi), UpperBound(columns.Last, maxX)));
    auto countEach = [&](std::int32_t from, std::int32_t to) {
        for (std::int32_t i = from; i < to; ++i) {
            std::int32_t count = 0;
            for (std::int32_t s = 0; s < NX; ++s) count += inside(columns.Sample(i, s));
            if (count == 0) continue;
            add(i, count);
            counts.Touch(i);
        }
    };
    countEach(begin, std::min(whole, end));
    if (whole < wholeEnd) {
        if (faceCounts) {
            std::int32_t* target = faceCounts->data();
            for (std::int32_t i = whole; i < wholeEnd; ++i) target[i] += NX;
        } else {
            std::int64_t* target = counts.Inner.data();
            for (std::int32_t i = whole; i < wholeEnd; ++i) target[i] += NX;
        }
        counts.Touch(whole);
        counts.Touch(wholeEnd - 1);
    }
    countEach(std::max(wholeEnd, begin), end);
    if (role != lrInner) return;

    // The faces in the interval: face q is the left face of column q and the right face of
    // column q − 1.
    const std::int32_t qBegin = std::max(UpperBound(columns.Face, lo), LowerBound(columns.Face, minX));
    const std::int32_t qEnd = std::min(UpperBound(columns.Face, hi), UpperBound(columns.Face, maxX));
    if (qBegin >= qEnd) return;
    std::int32_t* left = counts.Left.data();
    std::int32_t* right = counts.Right.data();
    for (std::int32_t q = qBegin; q < std::min(qEnd, n); ++q) ++left[q];
    for (std::int32_t q = std::max(qBegin, 1); q < qEnd; ++q) ++right[q - 1];
    counts.Touch(std::max(qBegin - 1, 0));
    counts.Touch(std::min(qEnd - 1, n - 1));
}

}  // namespace nerim
