// Full repaints of bench/flume-large.dat (2000 × 400 cells, the 2000-vertex bed and the other
// objects) in a 1600 × 900 view with Npc shown, the whole domain fitted and zoomed in on the
// breakwater: the mesh's own painting against the plain one of one fill per cell and one line per
// boundary, the objects alone, and the cell and line rasteriser alone. Everything runs on the
// calling thread, which the program keeps on one core. After the runs a line per view gives the
// ratio of the plain repaint to the fast one.
#include <benchmark/benchmark.h>
#include <sched.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "app/fit_view.h"
#include "app/project.h"
#include "app/working_set.h"
#include "canvas/canvax_viewport.h"
#include "mesh/core/cell_raster.h"
#include "tests/mesh/reference_mesh_paint.h"

namespace nerim {
namespace {

constexpr int kViewWidth = 1600;
constexpr int kViewHeight = 900;

enum TScene { kFull, kStructure };

// The project meshed and classified, in a view of the benchmark's size.
struct TRepaintSetup {
    TWorkingSet Set;
    TCanvaxViewport View{QSize(kViewWidth, kViewHeight)};

    TRepaintSetup() {
        LoadProject(std::string(NERIM_BENCH_DATA) + "/flume-large.dat", Set.Mesh(), Set.Objects(), Set.Canvax(),
                    Set.ObjectsLayer(), {});
        TCETamrixMesh& mesh = Set.Mesh();
        mesh.SetCurrentSubZoneX(0);
        mesh.SetCurrentSubZoneY(0);
        mesh.GenerateDivisions();
        mesh.ClassifyCells(Set.ObjectPointers(), 10, 10);
        mesh.SetShownVariable(&mesh.Npc());
        View.SetCanvax(&Set.Canvax());
    }

    void Show(TScene scene) {
        if (scene == kFull) {
            FitView(View, Set.Mesh().Width(), Set.Mesh().Height());
        } else {
            // The breakwater (axis at x = 120) across the view, 5 mm per pixel.
            const double s = 0.005;
            View.SetReferences({120 - s * kViewWidth / 2, 2.4 - s * kViewHeight / 2}, {s, 0}, {0, s});
        }
    }

    // The plain painting takes the mesh's place in the repaint.
    void UsePlainPainting(bool plain) {
        Set.MeshLayer().SetVisible(!plain);
        if (plain) View.BeforePaint = [this](TCanvaxViewport& view) { testing::ReferencePaintMesh(Set.Mesh(), view); };
        else View.BeforePaint = nullptr;
    }
};

TRepaintSetup& Setup() {
    static TRepaintSetup setup;
    return setup;
}

// The two paintings must give the same picture, or the comparison means nothing.
void CheckSamePicture(TScene scene) {
    TRepaintSetup& s = Setup();
    s.Show(scene);
    s.UsePlainPainting(false);
    s.View.PaintBuffer();
    const QImage fast = s.View.BufferImage().copy();
    s.UsePlainPainting(true);
    s.View.PaintBuffer();
    const bool same = fast == s.View.BufferImage();
    s.UsePlainPainting(false);
    if (!same) {
        std::fprintf(stderr, "The fast and the plain repaint differ (%s view)\n", scene == kFull ? "full" : "structure");
        std::exit(1);
    }
}

void Repaint(benchmark::State& state, TScene scene, bool plain) {
    TRepaintSetup& s = Setup();
    s.Show(scene);
    s.UsePlainPainting(plain);
    for (auto _ : state) {
        s.View.PaintBuffer();
        benchmark::DoNotOptimize(s.View.BufferImage().constBits());
    }
    s.UsePlainPainting(false);
}

// The repaint without the mesh: the background and the objects.
void ObjectsOnly(benchmark::State& state, TScene scene) {
    TRepaintSetup& s = Setup();
    s.Show(scene);
    s.Set.MeshLayer().Hide();
    for (auto _ : state) s.View.PaintBuffer();
    s.Set.MeshLayer().Show();
}

// The cells and boundary lines of the mesh as its painting hands them to the rasteriser.
void RasteriserOnly(benchmark::State& state, TScene scene) {
    TRepaintSetup& s = Setup();
    s.Show(scene);
    const TCETamrixMesh& mesh = s.Set.Mesh();
    const TIntegerArray& npc = mesh.Npc();
    const auto round = [](double v) { return RoundToInt(v); };
    TAxisEdges x, y;
    for (float b : mesh.DivisionsX()) x.Edges.push_back(round(s.View.WorldToScreen({b, 0}).X));
    for (float b : mesh.DivisionsY()) y.Edges.push_back(round(s.View.WorldToScreen({0, b}).Y));
    const TPoint2D a = s.View.WorldToScreen({0, 0}), b = s.View.WorldToScreen({mesh.Width(), mesh.Height()});
    QImage image(kViewWidth, kViewHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    const TPixelBuffer buffer{reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
                              image.bytesPerLine() / 4};
    const std::int32_t nxm = npc.Sizes().N0(), nym = npc.Sizes().N1();
    const TRowColors colors = [&](std::int32_t row, const std::int32_t* columns, std::size_t n, TArgb* out) {
        const std::int32_t* values = npc.Data() + std::size_t(nym - 1 - row) * std::size_t(nxm);
        for (std::size_t k = 0; k < n; ++k) out[k] = IntegerCellColor(values[columns[k] + 1]);
    };
    for (auto _ : state) {
        BlendCells(buffer, x, y, colors);
        BlendBoundaryLines(buffer, x.Edges, round(a.Y), round(b.Y), y.Edges, round(a.X), round(b.X),
                           kBoundaryLineColor);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Prints the ratio of the plain repaint to the fast one after the table.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "min")
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* scene : {"full", "structure"}) {
            const std::string prefix = std::string("flume-large/") + scene + "/";
            const auto fast = times_.find(prefix + "repaint"), plain = times_.find(prefix + "repaint-plain");
            if (fast == times_.end() || plain == times_.end()) continue;
            std::printf("%s view: repaint %.1f ms, plain repaint %.1f ms, %.1f times faster\n", scene, fast->second,
                        plain->second, plain->second / fast->second);
        }
    }

private:
    std::map<std::string, double> times_;
};

double Fastest(const std::vector<double>& runs) { return *std::min_element(runs.begin(), runs.end()); }

void Register() {
    for (const TScene scene : {kFull, kStructure}) {
        const std::string name = std::string("flume-large/") + (scene == kFull ? "full" : "structure");
        const auto add = [&](const std::string& what, auto function) {
            benchmark::RegisterBenchmark((name + "/" + what).c_str(), function)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->ComputeStatistics("min", Fastest);
        };
        add("repaint", [scene](benchmark::State& state) { Repaint(state, scene, false); });
        add("repaint-plain", [scene](benchmark::State& state) { Repaint(state, scene, true); });
        add("objects", [scene](benchmark::State& state) { ObjectsOnly(state, scene); });
        add("rasteriser", [scene](benchmark::State& state) { RasteriserOnly(state, scene); });
    }
}

}  // namespace
}  // namespace nerim

int main(int argc, char** argv) {
    // One core: the repaint is meant to fit a frame on one.
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(std::max(sched_getcpu(), 0), &one);
    sched_setaffinity(0, sizeof one, &one);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    nerim::CheckSamePicture(nerim::kFull);
    nerim::CheckSamePicture(nerim::kStructure);
    nerim::Register();
    nerim::TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
