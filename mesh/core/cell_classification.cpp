#include "mesh/core/cell_classification.h"

#ifdef __linux__
#include <sched.h>
#endif

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "mesh/core/cell_rules.h"
#include "mesh/core/mesh_error.h"
#include "mesh/core/row_sampling.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/polyline.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/ring_containment.h"
#include "objects/core/water_def.h"

namespace nerim {
namespace {

// The sample fractions of one cell for one object.
struct TCellCoverage {
    double Top = 0, Bottom = 0, Left = 0, Right = 0;  // shares of the face samples inside
    double Cell = 0;                                   // share of the cell
};

// The fractions of a cell from its counts of samples inside: the cell's own share is 1 when all
// four faces are wholly inside, 0 when none of their samples is (whatever the interior holds),
// and the share of the interior samples otherwise.
TCellCoverage CoverageFromCounts(std::int32_t top, std::int32_t bottom, std::int32_t left, std::int32_t right,
                                 std::int64_t inner, std::int32_t NX, std::int32_t NY) {
    TCellCoverage c;
    c.Top = static_cast<double>(top) / NX;
    c.Bottom = static_cast<double>(bottom) / NX;
    c.Left = static_cast<double>(left) / NY;
    c.Right = static_cast<double>(right) / NY;
    if (c.Top == 1.0 && c.Bottom == 1.0 && c.Left == 1.0 && c.Right == 1.0)
        c.Cell = 1.0;
    else if (c.Top == 0.0 && c.Bottom == 0.0 && c.Left == 0.0 && c.Right == 0.0)
        c.Cell = 0.0;
    else
        c.Cell = static_cast<double>(inner) / (static_cast<double>(NX) * NY);
    return c;
}

// Samples one cell point by point: the faces first, then the interior unless no face sample is
// inside or all are.
template <typename Inside>
TCellCoverage SampleCell(const Inside& inside, const TColumnSamples& columns, std::int32_t i, const TRowLines& lines) {
    const std::int32_t NX = columns.NX;
    const auto NY = static_cast<std::int32_t>(lines.Inner.size());
    const double leftX = columns.Face[static_cast<std::size_t>(i)];
    const double rightX = columns.Face[static_cast<std::size_t>(i) + 1];
    std::int32_t top = 0, bottom = 0, left = 0, right = 0;
    for (std::int32_t s = 0; s < NX; ++s) {
        const double x = columns.Sample(i, s);
        top += inside(TPoint2D{x, lines.Near});
        bottom += inside(TPoint2D{x, lines.Far});
    }
    for (double y : lines.Inner) {
        left += inside(TPoint2D{leftX, y});
        right += inside(TPoint2D{rightX, y});
    }
    const bool uniform = (top == 0 && bottom == 0 && left == 0 && right == 0) ||
                         (top == NX && bottom == NX && left == NY && right == NY);
    std::int64_t inner = 0;
    if (!uniform)
        for (std::int32_t a = 0; a < NX; ++a) {
            const double x = columns.Sample(i, a);
            for (double y : lines.Inner) inner += inside(TPoint2D{x, y});
        }
    return CoverageFromCounts(top, bottom, left, right, inner, NX, NY);
}

// The element pointers of one matrix row.
struct TRowCells {
    double* AC;
    double* AR;
    double* AT;
    double* VOF;
    bool* Noc;
    std::int32_t* Npc;
};

TRowCells RowCells(TCellMatrices& cells, std::int32_t r, std::int32_t NXd) {
    const std::int64_t start = static_cast<std::int64_t>(r) * NXd;
    return {&cells.AC.ItemAt(start),  &cells.AR.ItemAt(start),  &cells.AT.ItemAt(start),
            &cells.VOF.ItemAt(start), &cells.Noc.ItemAt(start), &cells.Npc.ItemAt(start)};
}

// Gives the cells of the row the values of an empty domain.
void ResetRow(const TRowCells& row, std::int32_t NXd) {
    const auto n = static_cast<std::size_t>(NXd);
    std::fill_n(row.AC, n, 1.0);
    std::fill_n(row.AR, n, 1.0);
    std::fill_n(row.AT, n, 1.0);
    std::fill_n(row.VOF, n, 0.0);
    std::fill_n(row.Noc, n, false);
    std::fill_n(row.Npc, n, 1);
}

void ApplyCoverage(TMaterialKind kind, const TCellCoverage& c, std::int32_t porousNumber, const TRowCells& row,
                   std::size_t i) {
    switch (kind) {
        case mkObstacle: {
            double& ac = row.AC[i];
            ac = SnapOpenFraction(ac - c.Cell);
            row.AR[i] = SnapOpenFraction(row.AR[i] - c.Right);
            row.AT[i] = SnapOpenFraction(row.AT[i] - c.Top);
            if (ac < 1.0) row.Noc[i] = true;
            break;
        }
        case mkPorous:
            if (c.Cell > 0.5) row.Npc[i] = porousNumber;
            break;
        case mkWater:
            row.VOF[i] = c.Cell;
            break;
        case mkNone:
            break;
    }
}

// The cells [lo, hi) of the row are not touched by the object at all. For an obstacle that
// changes nothing: subtracting 0 leaves every snapped value as it is, and an AC below 1 was
// already marked in Noc by the obstacle that lowered it. A porous medium needs more than half,
// and water writes 0.
void ApplyNoCoverage(TMaterialKind kind, const TRowCells& row, std::int32_t lo, std::int32_t hi) {
    if (kind == mkWater && lo < hi) std::fill(row.VOF + lo, row.VOF + hi, 0.0);
}

// The closing pass: the cells well inside the mesh (2 <= i <= NXd − 2, 2 <= j <= NYd − 2, that is
// 1 <= r <= NYd − 3) whose open area is below the threshold are closed together with their four
// faces: their own right and top faces, the right face of the cell to the left and the top face
// of the cell below. A cell's decision reads only its own AC, which only its own closing changes,
// so the cells can be closed in any order. CloseRow does the part inside row r and returns the
// columns it closed; CloseFacesBelow then closes the top faces of the row below.
bool IsClosingRow(std::int32_t r, std::int32_t NYd) { return r >= 1 && r <= NYd - 3; }

void CloseRow(const TRowCells& row, std::int32_t NXd, std::vector<std::int32_t>& closed) {
    closed.clear();
    for (std::int32_t i = 2; i <= NXd - 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (row.AC[k] >= kClosingThreshold) continue;
        row.AC[k] = 0.0;
        row.AR[k] = 0.0;
        row.AR[k - 1] = 0.0;
        row.AT[k] = 0.0;
        closed.push_back(i);
    }
}

void CloseFacesBelow(const TRowCells& below, const std::vector<std::int32_t>& closed) {
    for (std::int32_t i : closed) below.AT[static_cast<std::size_t>(i)] = 0.0;
}

// The whole closing pass on one thread.
void CloseNearlyBlockedCells(std::int32_t NXd, std::int32_t NYd, TCellMatrices& cells) {
    if (NXd < 4) return;  // no column with 2 <= i <= NXd − 2
    std::vector<std::int32_t> closed;
    for (std::int32_t r = 1; IsClosingRow(r, NYd); ++r) {
        CloseRow(RowCells(cells, r, NXd), NXd, closed);
        if (!closed.empty()) CloseFacesBelow(RowCells(cells, r - 1, NXd), closed);
    }
}

// How one object is sampled.
enum TSampling : std::uint8_t {
    smNothing,  // a polygon with fewer than 3 vertices: nothing is inside
    smLines,    // a usable ring over ordered columns: a whole line of samples at a time
    smRing,     // any other ring: its own point test
    smPoints,   // no ring: the object's containment test
};

struct TPreparedObject {
    const TClassifiedObject* Source = nullptr;
    std::int32_t PorousNumber = 1;
    TSampling Sampling = smPoints;
    std::unique_ptr<TRingSampler> Lines;
};

// The point test of a polygon ring: the box rejection, then the crossing-number walk.
bool RingContains(const TPolygonRing& ring, const TPoint2D& p) {
    const TRect2D& b = ring.Bounds;
    if (p.X < b.X1 || p.X > b.X2 || p.Y < b.Y1 || p.Y > b.Y2) return false;
    return RingContainsPoint(ring.Points, p);
}

std::vector<TPreparedObject> PrepareObjects(const std::vector<TClassifiedObject>& objects,
                                            const TColumnSamples& columns) {
    std::vector<TPreparedObject> prepared(objects.size());
    std::int32_t porousNumber = 1;
    for (std::size_t k = 0; k < objects.size(); ++k) {
        const TClassifiedObject& object = objects[k];
        TPreparedObject& p = prepared[k];
        p.Source = &object;
        if (object.Kind == mkPorous) ++porousNumber;
        p.PorousNumber = porousNumber;
        if (!object.Ring) {
            p.Sampling = smPoints;
        } else if (object.Ring->Points.size() < 3) {
            p.Sampling = smNothing;
        } else if (columns.Ordered && TRingSampler::Usable(*object.Ring)) {
            p.Sampling = smLines;
            p.Lines = std::make_unique<TRingSampler>(*object.Ring);
        } else {
            p.Sampling = smRing;
        }
    }
    return prepared;
}

// Everything one thread needs to classify rows.
class TRowClassifier {
public:
    TRowClassifier(const std::vector<float>& divisionsY, const TColumnSamples& columns,
                   const std::vector<TPreparedObject>& objects, std::int32_t NY, TCellMatrices& cells)
        : divisionsY_(divisionsY), columns_(columns), objects_(objects), NY_(NY), cells_(cells) {
        counts_.Resize(columns.Columns());
    }

    // Applies every object, in list order, to the cells of matrix row r, then closes its nearly
    // blocked cells within the row; `closed` gets their columns.
    void Classify(std::int32_t r, std::vector<std::int32_t>& closed) {
        const auto NXd = columns_.Columns();
        const auto NYd = static_cast<std::int32_t>(divisionsY_.size());
        MakeRowLines(divisionsY_, NYd - 1 - r, NY_, lines_);
        const TRowCells row = RowCells(cells_, r, NXd);
        ResetRow(row, NXd);
        for (const TPreparedObject& object : objects_) {
            const TMaterialKind kind = object.Source->Kind;
            switch (object.Sampling) {
                case smNothing:
                    ApplyNoCoverage(kind, row, 0, NXd);
                    break;
                case smLines:
                    ApplyLines(object, row, NXd);
                    break;
                case smRing: {
                    const TPolygonRing& ring = *object.Source->Ring;
                    auto inside = [&ring](const TPoint2D& p) { return RingContains(ring, p); };
                    for (std::int32_t i = 0; i < NXd; ++i)
                        ApplyCoverage(kind, SampleCell(inside, columns_, i, lines_), object.PorousNumber, row,
                                      static_cast<std::size_t>(i));
                    break;
                }
                case smPoints:
                    for (std::int32_t i = 0; i < NXd; ++i)
                        ApplyCoverage(kind, SampleCell(object.Source->ContainsPoint, columns_, i, lines_),
                                      object.PorousNumber, row, static_cast<std::size_t>(i));
                    break;
            }
        }
        if (IsClosingRow(r, NYd)) CloseRow(row, NXd, closed);
    }

private:
    void ApplyLines(const TPreparedObject& object, const TRowCells& row, std::int32_t NXd) {
        const TMaterialKind kind = object.Source->Kind;
        if (kind == mkNone) return;
        object.Lines->CountRow(columns_, lines_, counts_);
        const std::int32_t lo = std::min(counts_.Lo, NXd);
        const std::int32_t hi = std::max(counts_.Hi, lo);
        ApplyNoCoverage(kind, row, 0, lo);
        for (std::int32_t i = lo; i < hi; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const TCellCoverage c = CoverageFromCounts(counts_.Top[k], counts_.Bottom[k], counts_.Left[k],
                                                       counts_.Right[k], counts_.Inner[k], columns_.NX, NY_);
            ApplyCoverage(kind, c, object.PorousNumber, row, k);
        }
        ApplyNoCoverage(kind, row, hi, NXd);
        counts_.Clear();
    }

    const std::vector<float>& divisionsY_;
    const TColumnSamples& columns_;
    const std::vector<TPreparedObject>& objects_;
    const std::int32_t NY_;
    TCellMatrices& cells_;
    TRowLines lines_;
    TRowCounts counts_;
};

// Classifies every row and closes its nearly blocked cells, the rows handed out in runs to
// `threads` threads (the calling one among them). The first exception any of them raises stops the others and is raised again
// here once all have ended; the rows that no thread reached then hold the values of an empty
// domain.
void ClassifyRows(const std::vector<float>& divisionsY, const TColumnSamples& columns,
                  const std::vector<TPreparedObject>& objects, std::int32_t NY, TCellMatrices& cells,
                  std::int32_t threads, const TClassificationProgress& progress) {
    const auto rows = static_cast<std::int32_t>(divisionsY.size());
    std::atomic<std::int32_t> nextRow{0};
    std::atomic<std::int32_t> rowsDone{0};
    // Each element written by the one thread that classifies its row.
    std::vector<char> started(static_cast<std::size_t>(rows), 0);
    std::vector<std::vector<std::int32_t>> closed(static_cast<std::size_t>(rows));
    std::atomic<bool> failed{false};
    std::mutex failureMutex;
    std::exception_ptr failure;

    const std::int32_t wanted = std::clamp(threads, 1, std::max(rows, 1));
    // Rows go out in runs, so that two threads seldom write neighbouring rows, which share cache
    // lines at their ends, at the same time. A run is a small share of the rows still to do:
    // the runs shrink towards the end and the threads finish together even though rows across
    // the seabed cost many times more than rows of open water.
    constexpr std::int32_t kShortestRun = 4;
    auto claim = [&](std::int32_t& first, std::int32_t& end) {
        first = nextRow.load(std::memory_order_relaxed);
        std::int32_t count = 0;
        do {
            if (first >= rows) return false;
            count = std::max(kShortestRun, (rows - first) / (8 * wanted));
        } while (!nextRow.compare_exchange_weak(first, first + count, std::memory_order_relaxed));
        end = std::min(rows, first + count);
        return true;
    };
    // Only the calling thread reports progress, so the callback needs no locking.
    double reported = 0.0;
    auto work = [&](bool reportsProgress) {
        try {
            TRowClassifier classifier(divisionsY, columns, objects, NY, cells);
            std::int32_t first = 0, end = 0;
            while (claim(first, end)) {
                for (std::int32_t r = first; r < end; ++r) {
                    if (failed.load(std::memory_order_relaxed)) return;
                    started[static_cast<std::size_t>(r)] = 1;
                    classifier.Classify(r, closed[static_cast<std::size_t>(r)]);
                    const std::int32_t done = rowsDone.fetch_add(1, std::memory_order_relaxed) + 1;
                    if (reportsProgress && progress) progress(reported = static_cast<double>(done) / rows);
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure) failure = std::current_exception();
            failed.store(true, std::memory_order_relaxed);
        }
    };

    {
        std::vector<std::jthread> helpers;
        helpers.reserve(static_cast<std::size_t>(wanted - 1));
        try {
            for (std::int32_t t = 1; t < wanted; ++t) helpers.emplace_back(work, false);
        } catch (const std::system_error&) {
            // No more threads to be had: the ones started and this one share the rows.
        }
        work(true);
    }  // joins the helpers
    const auto NXd = columns.Columns();
    if (failure) {
        for (std::int32_t r = 0; r < rows; ++r)
            if (!started[static_cast<std::size_t>(r)]) ResetRow(RowCells(cells, r, NXd), NXd);
        std::rethrow_exception(failure);
    }
    for (std::int32_t r = 1; r < rows; ++r)
        if (!closed[static_cast<std::size_t>(r)].empty())
            CloseFacesBelow(RowCells(cells, r - 1, NXd), closed[static_cast<std::size_t>(r)]);
    // The helpers may have taken the last rows (or all of them): the end is still told.
    if (progress && reported < 1.0) progress(1.0);
}

}  // namespace

TClassifiedObject PolygonObject(TMaterialKind kind, const TPorousParameters& porous, const TPLPolyLine& line) {
    TClassifiedObject object;
    object.Kind = kind;
    object.Porous = porous;
    object.ContainsPoint = [&line](const TPoint2D& p) { return line.Count() >= 3 && line.ContainsPoint(p); };
    TPolygonRing ring;
    ring.Points = line.Points();
    if (line.Count() > 0) ring.Bounds = line.Bounds();
    object.Ring = std::move(ring);
    return object;
}

TMaterialKind MaterialKindOf(const TNerimObjectDefinition* definition) {
    if (dynamic_cast<const TPorousMediumDef*>(definition)) return mkPorous;
    if (dynamic_cast<const TObstacleDef*>(definition)) return mkObstacle;
    if (dynamic_cast<const TWaterDef*>(definition)) return mkWater;
    return mkNone;
}

TPorousParameters PorousParametersOf(const TNerimObjectDefinition* definition) {
    if (const auto* porous = dynamic_cast<const TPorousMediumDef*>(definition)) return porous->Parameters();
    return {};
}

std::int32_t DefaultClassificationThreads() {
#ifdef __linux__
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 0) return CPU_COUNT(&allowed);
#endif
    return std::max(1, static_cast<std::int32_t>(std::thread::hardware_concurrency()));
}

void ClassifyCells(const std::vector<float>& divisionsX, const std::vector<float>& divisionsY,
                   const std::vector<TClassifiedObject>& objects, std::int32_t NX, std::int32_t NY,
                   TCellMatrices& cells, TPorousTypes& porousTypes, std::int32_t threadCount,
                   const TClassificationProgress& progress) {
    CheckClassificationArguments(divisionsX, divisionsY, objects, NX, NY);
    const auto NXd = static_cast<std::int32_t>(divisionsX.size());
    const auto NYd = static_cast<std::int32_t>(divisionsY.size());

    porousTypes.clear();
    for (const TClassifiedObject& object : objects)
        if (object.Kind == mkPorous) porousTypes.push_back(object.Porous);

    if (objects.empty()) {
        cells.Reset(MakeIntPair(NXd, NYd));
    } else {
        // Each row is given its initial values by the thread that classifies it.
        cells.Reshape(MakeIntPair(NXd, NYd));
        const TColumnSamples columns = MakeColumnSamples(divisionsX, NX);
        const std::vector<TPreparedObject> prepared = PrepareObjects(objects, columns);
        ClassifyRows(divisionsY, columns, prepared, NY, cells, threadCount, progress);  // closes the cells too
        return;
    }
    CloseNearlyBlockedCells(NXd, NYd, cells);
}

}  // namespace nerim
