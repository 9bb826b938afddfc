// The classification against the plain point-by-point sampling, on random meshes and objects
// chosen to land on the awkward cases: vertices on cell boundaries and on sample positions,
// repeated vertices, horizontal edges, spikes, self-touching outlines, stale boxes, unsorted
// axes, and several thread counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <numbers>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "bench/flume_scenarios.h"
#include "mesh/core/cell_classification.h"
#include "mesh/core/grading.h"
#include "objects/core/polyline.h"
#include "tests/mesh/reference_classification.h"

namespace nerim {
namespace {

template <typename T>
auto Bits(T value) {
    if constexpr (std::is_same_v<T, double>)
        return std::bit_cast<std::uint64_t>(value);
    else
        return value;
}

template <typename Array>
::testing::AssertionResult SameArray(const char* name, const Array& expected, const Array& actual) {
    if (!SamePair(expected.Sizes(), actual.Sizes()))
        return ::testing::AssertionFailure() << name << ": sizes differ";
    for (std::int32_t k = 0; k < expected.Count(); ++k)
        if (Bits(expected.ItemAt(k)) != Bits(actual.ItemAt(k))) {
            const TIntPair at = PairFromLinear(k, expected.Sizes());
            return ::testing::AssertionFailure() << name << "(" << at.I << ", " << at.J << "): expected "
                                                 << expected.ItemAt(k) << ", got " << actual.ItemAt(k);
        }
    return ::testing::AssertionSuccess();
}

// Every matrix element bit for bit, and the porous types.
::testing::AssertionResult SameClassification(const TCellMatrices& expected, const TPorousTypes& expectedTypes,
                                              const TCellMatrices& actual, const TPorousTypes& actualTypes) {
    for (auto result : {SameArray("AC", expected.AC, actual.AC), SameArray("AR", expected.AR, actual.AR),
                        SameArray("AT", expected.AT, actual.AT), SameArray("VOF", expected.VOF, actual.VOF),
                        SameArray("Noc", expected.Noc, actual.Noc), SameArray("Npc", expected.Npc, actual.Npc)})
        if (!result) return result;
    if (expectedTypes != actualTypes) return ::testing::AssertionFailure() << "porous types differ";
    return ::testing::AssertionSuccess();
}

class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : engine_(seed) {}
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    double Range(double a, double b) { return a + (b - a) * Unit(); }
    // In [a, b].
    int Int(int a, int b) { return a + static_cast<int>(engine_() % static_cast<std::uint64_t>(b - a + 1)); }
    bool Chance(double p) { return Unit() < p; }
    template <typename T>
    const T& Pick(const std::vector<T>& values) {
        return values[static_cast<std::size_t>(Int(0, static_cast<int>(values.size()) - 1))];
    }

private:
    std::mt19937_64 engine_;
};

std::vector<float> UniformAxis(TRandom& rnd, double extent) {
    const int cells = rnd.Int(1, 12);
    std::vector<float> d;
    for (int k = 0; k <= cells; ++k) d.push_back(static_cast<float>(extent * k / cells));
    return d;
}

// Boundaries from random sub-zones, as the mesh generates them.
std::vector<float> GradedAxis(TRandom& rnd, double extent, TMeshAxis axis) {
    const int zones = rnd.Int(1, 3);
    std::vector<double> starts{rnd.Chance(0.7) ? 0.0 : rnd.Range(0.0, 0.2 * extent)};
    for (int z = 1; z < zones; ++z) starts.push_back(rnd.Range(starts.back() + 0.05 * extent, starts.back() + 0.4 * extent));
    std::vector<TSubZone> subZones;
    for (int z = 0; z < zones; ++z) {
        const double end = z + 1 < zones ? starts[static_cast<std::size_t>(z) + 1] : extent;
        const double start = starts[static_cast<std::size_t>(z)];
        TSubZone zone;
        zone.Division = start;
        zone.Center = start + (end - start) * rnd.Range(0.1, 0.9);
        zone.NumDivL = rnd.Int(0, 6);
        zone.NumDivR = rnd.Int(0, 6);
        zone.MaxSep = extent * rnd.Range(0.005, 0.3);
        subZones.push_back(zone);
    }
    try {
        std::vector<float> d = GenerateAxisDivisions(subZones, extent, rnd.Chance(0.2), axis);
        if (d.size() >= 2) return d;
    } catch (const std::exception&) {
    }
    return UniformAxis(rnd, extent);
}

// Irregular boundaries with repeated values (cells of no width) and, now and then, out of order.
std::vector<float> IrregularAxis(TRandom& rnd, double extent) {
    std::vector<float> d;
    const int count = rnd.Int(2, 10);
    for (int k = 0; k < count; ++k) d.push_back(static_cast<float>(rnd.Range(-0.1 * extent, extent)));
    if (rnd.Chance(0.5)) d.push_back(d[static_cast<std::size_t>(rnd.Int(0, count - 1))]);
    std::sort(d.begin(), d.end());
    if (rnd.Chance(0.3)) std::swap(d.front(), d.back());
    return d;
}

std::vector<float> RandomAxis(TRandom& rnd, double extent, TMeshAxis axis) {
    const int kind = rnd.Int(0, 9);
    if (kind < 3) return UniformAxis(rnd, extent);
    if (kind < 8) return GradedAxis(rnd, extent, axis);
    return IrregularAxis(rnd, extent);
}

// Coordinates worth putting vertices on: the boundaries and every sample position of an axis.
std::vector<double> SpecialValues(const std::vector<float>& d, int samples) {
    std::vector<double> values;
    for (std::size_t k = 0; k < d.size(); ++k) {
        const double right = d[k];
        const double left = k == 0 ? static_cast<double>(d[0]) - (static_cast<double>(d[1]) - d[0]) : d[k - 1];
        const double step = (right - left) / samples;
        values.push_back(right);
        values.push_back(left);
        for (int s = 0; s < samples; ++s) values.push_back(left + (s + 0.5) * step);
    }
    // The far line of the ghost row or column.
    const double last = d.back();
    values.push_back(last + (last - static_cast<double>(d[d.size() - 2])));
    return values;
}

struct TTrial {
    std::vector<float> X, Y;
    std::int32_t NX = 1, NY = 1;
    std::vector<std::unique_ptr<TPLPolyLine>> Lines;
    std::vector<TClassifiedObject> Objects;
    std::string Description;
};

class TTrialMaker {
public:
    explicit TTrialMaker(std::uint64_t seed) : rnd_(seed) {}

    TTrial Make() {
        TTrial t;
        const double width = rnd_.Range(1.0, 20.0);
        const double height = rnd_.Range(1.0, 20.0);
        t.X = RandomAxis(rnd_, width, maX);
        t.Y = RandomAxis(rnd_, height, maY);
        t.NX = rnd_.Chance(0.1) ? 10 : rnd_.Int(1, 5);
        t.NY = rnd_.Chance(0.1) ? 10 : rnd_.Int(1, 5);
        specialX_ = SpecialValues(t.X, t.NX);
        specialY_ = SpecialValues(t.Y, t.NY);
        auto [loX, hiX] = std::minmax_element(specialX_.begin(), specialX_.end());
        auto [loY, hiY] = std::minmax_element(specialY_.begin(), specialY_.end());
        spanX_ = {*loX - 0.1 * (*hiX - *loX), *hiX + 0.1 * (*hiX - *loX)};
        spanY_ = {*loY - 0.1 * (*hiY - *loY), *hiY + 0.1 * (*hiY - *loY)};

        std::ostringstream text;
        text << "NXd " << t.X.size() << ", NYd " << t.Y.size() << ", NX " << t.NX << ", NY " << t.NY << ", shapes";
        const int objects = rnd_.Int(1, 6);
        for (int k = 0; k < objects; ++k) AddObject(t, text);
        t.Description = text.str();
        return t;
    }

private:
    double CoordX(double previous) { return Coord(specialX_, spanX_, previous); }
    double CoordY(double previous) { return Coord(specialY_, spanY_, previous); }
    double Coord(const std::vector<double>& special, std::pair<double, double> span, double previous) {
        const double pick = rnd_.Unit();
        if (pick < 0.4) return rnd_.Pick(special);
        if (pick < 0.5 && !std::isnan(previous)) return previous;  // a horizontal or vertical edge
        return rnd_.Range(span.first, span.second);
    }

    std::vector<TPoint2D> RandomPolygon() {
        std::vector<TPoint2D> points;
        const int n = rnd_.Int(3, 10);
        double px = std::nan(""), py = std::nan("");
        for (int k = 0; k < n; ++k) {
            px = CoordX(px);
            py = CoordY(py);
            points.push_back({px, py});
        }
        return points;
    }

    // Concave: alternating radii around a centre.
    std::vector<TPoint2D> Star() {
        const double cx = rnd_.Range(spanX_.first, spanX_.second);
        const double cy = rnd_.Range(spanY_.first, spanY_.second);
        const double r = 0.5 * std::min(spanX_.second - spanX_.first, spanY_.second - spanY_.first);
        const int tips = rnd_.Int(3, 7);
        std::vector<TPoint2D> points;
        for (int k = 0; k < 2 * tips; ++k) {
            const double a = std::numbers::pi * k / tips;
            const double radius = (k % 2 == 0 ? 1.0 : 0.35) * r * rnd_.Range(0.5, 1.0);
            TPoint2D p{cx + radius * std::cos(a), cy + radius * std::sin(a)};
            if (rnd_.Chance(0.3)) p.X = rnd_.Pick(specialX_);
            if (rnd_.Chance(0.3)) p.Y = rnd_.Pick(specialY_);
            points.push_back(p);
        }
        return points;
    }

    // A box whose sides lie on boundaries or sample positions.
    std::vector<TPoint2D> SnappedBox() {
        double x1 = rnd_.Pick(specialX_), x2 = rnd_.Pick(specialX_);
        double y1 = rnd_.Pick(specialY_), y2 = rnd_.Pick(specialY_);
        if (x1 > x2) std::swap(x1, x2);
        if (y1 > y2) std::swap(y1, y2);
        return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
    }

    // Two triangles that touch at one vertex.
    std::vector<TPoint2D> Bowtie() {
        const TPoint2D p{rnd_.Pick(specialX_), rnd_.Pick(specialY_)};
        const double d = 0.3 * (spanX_.second - spanX_.first);
        const double e = 0.3 * (spanY_.second - spanY_.first);
        return {p, {p.X - d, p.Y - e}, {p.X - d, p.Y + e}, p, {p.X + d, p.Y + e}, {p.X + d, p.Y - e}};
    }

    // Repeated vertices and zero-area spikes put into an outline.
    void Degenerate(std::vector<TPoint2D>& points) {
        const int changes = rnd_.Int(1, 3);
        for (int c = 0; c < changes; ++c) {
            const auto at = static_cast<std::size_t>(rnd_.Int(0, static_cast<int>(points.size()) - 1));
            const TPoint2D v = points[at];
            if (rnd_.Chance(0.5)) {
                points.insert(points.begin() + static_cast<std::ptrdiff_t>(at), v);  // repeated vertex
            } else {
                const TPoint2D tip{CoordX(v.X), CoordY(v.Y)};
                points.insert(points.begin() + static_cast<std::ptrdiff_t>(at) + 1, {tip, v});  // out and back
            }
        }
    }

    void AddObject(TTrial& t, std::ostream& text) {
        static const std::vector<TMaterialKind> kinds{mkObstacle, mkObstacle, mkObstacle, mkPorous, mkPorous,
                                                      mkPorous,   mkWater,    mkWater,    mkNone};
        const TMaterialKind kind = rnd_.Pick(kinds);
        const TPorousParameters porous{rnd_.Unit(), rnd_.Unit(), rnd_.Unit(), rnd_.Unit(), rnd_.Unit(), rnd_.Unit()};
        const int shape = rnd_.Int(0, 11);
        if (shape == 11) {  // an ellipse: no ring, only its containment test
            const double cx = rnd_.Pick(specialX_), cy = rnd_.Pick(specialY_);
            const double a = rnd_.Range(0.05, 0.6) * (spanX_.second - spanX_.first);
            const double b = rnd_.Range(0.05, 0.6) * (spanY_.second - spanY_.first);
            TClassifiedObject o;
            o.Kind = kind;
            o.Porous = porous;
            o.ContainsPoint = [=](const TPoint2D& p) {
                const double u = (p.X - cx) / a, v = (p.Y - cy) / b;
                return u * u + v * v <= 1.0;
            };
            t.Objects.push_back(std::move(o));
            text << " ellipse";
            return;
        }
        std::vector<TPoint2D> points;
        switch (shape) {
            case 0: case 1: case 2: points = RandomPolygon(); text << " polygon"; break;
            case 3: case 4: points = Star(); text << " star"; break;
            case 5: case 6: points = SnappedBox(); text << " box"; break;
            case 7: points = Bowtie(); text << " bowtie"; break;
            case 8: points = RandomPolygon(); Degenerate(points); text << " degenerate"; break;
            case 9: points.resize(static_cast<std::size_t>(rnd_.Int(0, 2)));
                for (TPoint2D& p : points) p = {CoordX(std::nan("")), CoordY(std::nan(""))};
                text << " " << points.size() << "-vertex"; break;
            default: points = Star(); Degenerate(points); text << " degenerate-star"; break;
        }
        auto line = std::make_unique<TPLPolyLine>();
        for (const TPoint2D& p : points) line->Append(p);
        line->SetClosed(true);
        if (line->Count() >= 3 && rnd_.Chance(0.15)) {
            // A vertex moved while the list is locked: its box stays the old one.
            line->BeginUpdate();
            line->SetPoint(line->Head(), {CoordX(std::nan("")), CoordY(std::nan(""))});
            text << "(stale box)";
        }
        TClassifiedObject o = PolygonObject(kind, porous, *line);
        if (rnd_.Chance(0.1)) {
            o.Ring.reset();  // the same polygon known only by its containment test
            text << "(no ring)";
        }
        t.Objects.push_back(std::move(o));
        t.Lines.push_back(std::move(line));
    }

    TRandom rnd_;
    std::vector<double> specialX_, specialY_;
    std::pair<double, double> spanX_, spanY_;
};

TEST(ClassificationAgainstPlainSampling, RandomMeshesAndObjects) {
    TTrialMaker maker(20240611);
    for (int trial = 0; trial < 400; ++trial) {
        const TTrial t = maker.Make();
        SCOPED_TRACE("trial " + std::to_string(trial) + ": " + t.Description);
        TCellMatrices expected;
        TPorousTypes expectedTypes;
        testing::ReferenceClassifyCells(t.X, t.Y, t.Objects, t.NX, t.NY, expected, expectedTypes);
        for (std::int32_t threads : {1, 2, 3}) {
            TCellMatrices actual;
            TPorousTypes actualTypes;
            ClassifyCells(t.X, t.Y, t.Objects, t.NX, t.NY, actual, actualTypes, threads);
            ASSERT_TRUE(SameClassification(expected, expectedTypes, actual, actualTypes)) << threads << " threads";
        }
    }
}

// Many thin cells under a polygon whose vertices all lie on boundaries and sample positions.
TEST(ClassificationAgainstPlainSampling, VerticesOnEverySamplePosition) {
    TRandom rnd(7);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<float> x, y;
        for (int k = 0; k <= 24; ++k) x.push_back(static_cast<float>(k * 0.37));
        for (int k = 0; k <= 18; ++k) y.push_back(static_cast<float>(k * 0.61));
        const std::int32_t NX = rnd.Int(1, 4), NY = rnd.Int(1, 4);
        const std::vector<double> sx = SpecialValues(x, NX), sy = SpecialValues(y, NY);
        TPLPolyLine line;
        for (int k = 0; k < 40; ++k) line.Append({rnd.Pick(sx), rnd.Pick(sy)});
        const std::vector<TClassifiedObject> objects{PolygonObject(mkObstacle, {}, line),
                                                     PolygonObject(mkWater, {}, line),
                                                     PolygonObject(mkPorous, {}, line)};
        TCellMatrices expected, actual;
        TPorousTypes expectedTypes, actualTypes;
        testing::ReferenceClassifyCells(x, y, objects, NX, NY, expected, expectedTypes);
        ClassifyCells(x, y, objects, NX, NY, actual, actualTypes, 2);
        ASSERT_TRUE(SameClassification(expected, expectedTypes, actual, actualTypes)) << "trial " << trial;
    }
}

// The benchmark flumes, smaller: graded meshes, a long seabed profile, layered porous mounds.
TEST(ClassificationAgainstPlainSampling, FlumeScenarios) {
    TFlumeSize typical = FlumeTypical();
    typical.CellsX = 120;
    typical.CellsY = 60;
    TFlumeSize large = FlumeLarge();
    large.CellsX = 200;
    large.CellsY = 40;
    for (const TFlumeSize& size : {typical, large}) {
        const TFlumeScenario s = MakeFlumeScenario(size);
        TCellMatrices expected;
        TPorousTypes expectedTypes;
        testing::ReferenceClassifyCells(s.DivisionsX, s.DivisionsY, s.Objects, size.NX, size.NY, expected,
                                        expectedTypes);
        for (std::int32_t threads : {1, 2}) {
            TCellMatrices actual;
            TPorousTypes actualTypes;
            ClassifyCells(s.DivisionsX, s.DivisionsY, s.Objects, size.NX, size.NY, actual, actualTypes, threads);
            EXPECT_TRUE(SameClassification(expected, expectedTypes, actual, actualTypes))
                << size.CellsX << " × " << size.CellsY << ", " << threads << " threads";
        }
    }
}

TEST(ClassificationThreads, AnyThreadCountGivesTheSameCells) {
    TFlumeSize size = FlumeTypical();
    size.CellsX = 40;
    size.CellsY = 6;  // fewer rows than some of the thread counts
    const TFlumeScenario s = MakeFlumeScenario(size);
    TCellMatrices expected;
    TPorousTypes expectedTypes;
    ClassifyCells(s.DivisionsX, s.DivisionsY, s.Objects, 3, 3, expected, expectedTypes, 1);
    for (std::int32_t threads : {-1, 0, 2, 5, 64}) {
        TCellMatrices actual;
        TPorousTypes actualTypes;
        ClassifyCells(s.DivisionsX, s.DivisionsY, s.Objects, 3, 3, actual, actualTypes, threads);
        EXPECT_TRUE(SameClassification(expected, expectedTypes, actual, actualTypes)) << threads << " threads";
    }
    EXPECT_GE(DefaultClassificationThreads(), 1);
}

TEST(ClassificationThreads, ContainmentFailureReachesTheCallerAndStopsEveryThread) {
    std::vector<float> x, y;
    for (int k = 0; k <= 30; ++k) x.push_back(static_cast<float>(k));
    for (int k = 0; k <= 60; ++k) y.push_back(static_cast<float>(k));
    for (std::int32_t threads : {1, 2, 3}) {
        std::atomic<long> calls{0};
        TClassifiedObject failing;
        failing.Kind = mkObstacle;
        // Fails on the rows of the lower half, whichever thread gets them.
        failing.ContainsPoint = [&calls](const TPoint2D& p) -> bool {
            ++calls;
            if (p.Y > 20.0 && p.Y < 40.0) throw std::range_error("outside the model");
            return p.X < 10.0;
        };
        // Closed everywhere by an earlier classification.
        TClassifiedObject everywhere;
        everywhere.Kind = mkObstacle;
        everywhere.ContainsPoint = [](const TPoint2D&) { return true; };
        TCellMatrices cells;
        TPorousTypes types;
        ClassifyCells(x, y, {everywhere}, 4, 4, cells, types, threads);
        EXPECT_THROW(ClassifyCells(x, y, {failing}, 4, 4, cells, types, threads), std::range_error);
        const long after = calls.load();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(calls.load(), after) << threads << " threads: a thread kept sampling";
        if (threads == 1) {
            // Rows go upwards from the bottom: the first to fail is r = 21 (y from 39 to 40); the
            // rows above it were never reached and hold the open values, nothing of the last run.
            for (std::int32_t r = 22; r <= 60; ++r)
                for (std::int32_t i = 0; i <= 30; ++i) ASSERT_EQ(cells.AC.Items(i, r), 1.0) << i << ", " << r;
            EXPECT_EQ(cells.AC.Items(5, 3), 0.0);  // classified before the failure: x < 10 is obstacle
        }
    }
}

TEST(ClassificationRings, RingAnswersInsteadOfTheContainmentTest) {
    const std::vector<float> x{0, 1, 2, 3, 4}, y{0, 1, 2, 3, 4};
    TPLPolyLine square;
    for (TPoint2D p : {TPoint2D{0.5, 0.5}, TPoint2D{3.5, 0.5}, TPoint2D{3.5, 3.5}, TPoint2D{0.5, 3.5}})
        square.Append(p);
    TClassifiedObject object = PolygonObject(mkObstacle, {}, square);
    TCellMatrices expected, actual;
    TPorousTypes types;
    testing::ReferenceClassifyCells(x, y, {object}, 4, 4, expected, types);
    object.ContainsPoint = [](const TPoint2D&) -> bool { throw std::logic_error("not expected"); };
    ASSERT_NO_THROW(ClassifyCells(x, y, {object}, 4, 4, actual, types, 2));
    EXPECT_TRUE(SameClassification(expected, types, actual, types));
}

TEST(ClassificationRings, OutlinesOfFewerThanThreeVerticesCoverNothing) {
    const std::vector<float> x{0, 1, 2}, y{0, 1, 2};
    TPLPolyLine segment;
    segment.Append({-5, -5});
    segment.Append({5, 5});
    TPLPolyLine all;
    for (TPoint2D p : {TPoint2D{-5, -5}, TPoint2D{5, -5}, TPoint2D{5, 5}, TPoint2D{-5, 5}}) all.Append(p);
    TCellMatrices cells;
    TPorousTypes types;
    ClassifyCells(x, y, {PolygonObject(mkWater, {}, all), PolygonObject(mkWater, {}, segment)}, 3, 3, cells, types, 2);
    for (std::int32_t k = 0; k < cells.VOF.Count(); ++k) EXPECT_EQ(cells.VOF.ItemAt(k), 0.0);
}

}  // namespace
}  // namespace nerim
