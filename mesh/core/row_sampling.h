#pragma once

#include <cstdint>
#include <vector>

#include "canvas/geometry/geometry_types.h"

namespace nerim {

struct TPolygonRing;

// The X positions at which the classification samples a row of cells; they are the same for
// every row. Column i (0 <= i < NXd) reaches from Face[i] to Face[i + 1]; the ghost column 0
// starts one first-cell width left of the first boundary.
struct TColumnSamples {
    std::int32_t NX = 1;        // samples per cell along X
    std::vector<double> Face;   // NXd + 1 face positions
    std::vector<double> Step;   // sample spacing of each column
    std::vector<double> First;  // X of each column's first sample
    std::vector<double> Last;   // X of each column's last sample
    // True when the positions never decrease along the row (face, samples, face, samples, ...)
    // and are all finite: then the samples inside an interval of X form one run of positions.
    bool Ordered = false;

    std::int32_t Columns() const { return static_cast<std::int32_t>(Step.size()); }
    // X of sample s of column i, by the same expression the per-point sampling uses.
    double Sample(std::int32_t i, std::int32_t s) const {
        return Face[static_cast<std::size_t>(i)] + (s + 0.5) * Step[static_cast<std::size_t>(i)];
    }
};

// The columns of the boundaries along X (at least two) with NX samples per cell.
TColumnSamples MakeColumnSamples(const std::vector<float>& divisionsX, std::int32_t NX);

// The heights at which one row of cells is sampled: its near face (top edge, the smaller world
// y), its far face (bottom edge) and the NY lines of interior samples, which the left and right
// face samples share.
struct TRowLines {
    double Near = 0.0;
    double Far = 0.0;
    std::vector<double> Inner;
};

// The lines of row r = NYd − 1 − j for the boundaries along Y (at least two), NY samples per cell.
void MakeRowLines(const std::vector<float>& divisionsY, std::int32_t j, std::int32_t NY, TRowLines& lines);

// How many samples of each cell of one row lie inside one object, per face and inside.
// Only the cells in [Lo, Hi) can hold counts other than zero.
struct TRowCounts {
    std::vector<std::int32_t> Top, Bottom, Left, Right;  // face samples inside
    std::vector<std::int64_t> Inner;                     // interior samples inside
    std::int32_t Lo = 0;
    std::int32_t Hi = 0;

    // Room for the columns of a row, every count zero.
    void Resize(std::int32_t columns);
    // Every count back to zero.
    void Clear();
    void Touch(std::int32_t i) {
        if (i < Lo) Lo = i;
        if (i >= Hi) Hi = i + 1;
    }

    // Working space of the line counts.
    std::vector<double> Thresholds;
    std::vector<std::uint32_t> Candidates;
};

// A polygon ring prepared to be sampled a whole horizontal line at a time. Along a line at
// height y, every edge that crosses it contributes one threshold (EdgeCrossingThreshold), and a
// point (x, y) inside the ring's box is inside the ring when an odd number of thresholds is at
// or right of x; between consecutive thresholds the answer does not change. The answers equal
// those of the point-by-point test of the ring (box rejection, then RingContainsPoint) bit for
// bit, since both use the same expressions.
class TRingSampler {
public:
    // The ring must have at least 3 points and finite coordinates and box (see Usable).
    explicit TRingSampler(const TPolygonRing& ring);

    // Whether the line sampling applies: at least 3 points, every coordinate and the box finite.
    static bool Usable(const TPolygonRing& ring);

    // Adds to `counts` the samples of the row that lie inside the ring. The columns must be
    // Ordered.
    void CountRow(const TColumnSamples& columns, const TRowLines& lines, TRowCounts& counts) const;

private:
    struct TEdge {
        TPoint2D V0, V1;  // in ring order
        double MinY, MaxY;
    };
    enum TLineRole { lrTop, lrBottom, lrInner };

    void CountLine(const TColumnSamples& columns, double y, TLineRole role, TRowCounts& counts) const;
    void CountInterval(const TColumnSamples& columns, double lo, double hi, TLineRole role,
                       TRowCounts& counts) const;

    std::vector<TEdge> edges_;
    TRect2D box_;
};

}  // namespace nerim
