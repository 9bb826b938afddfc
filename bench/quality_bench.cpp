// The quality window ("Calidad malla") on an X axis of 10 000 cells whose colours alternate, as
// many small sub-zones make it: opening it (filling both charts and painting them once) and
// moving the mouse along the Delta line (each move hovers the line and repaints what changed).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <cstdlib>
#include <vector>

#include "app/windows/mesh_delta_graph.h"

namespace nerim {
namespace {

constexpr int kCells = 10000;

// Cell sizes 1, 1, 1.2, 1.2, 1, 1 …: every other point is red.
std::vector<float> AlternatingAxis() {
    std::vector<float> boundaries = {0};
    for (int k = 0; k < kCells; ++k) boundaries.push_back(boundaries.back() + (k / 2 % 2 ? 1.2f : 1.0f));
    return boundaries;
}

const std::vector<float> kSmallY = {0, 1.4f, 2.6f, 3.6f, 4.4f, 5, 5.6f, 6.4f, 7.4f, 8.6f, 10};

void Open(benchmark::State& state) {
    const std::vector<float> x = AlternatingAxis();
    for (auto _ : state) {
        TfrmMeshDeltaGraph form;
        form.resize(900, 720);
        form.Fill(x, kSmallY);
        form.show();
        benchmark::DoNotOptimize(form.grab());
    }
}

void Hover(benchmark::State& state) {
    TfrmMeshDeltaGraph form;
    form.resize(900, 720);
    form.Fill(AlternatingAxis(), kSmallY);
    form.show();
    QCoreApplication::processEvents();
    auto* view = form.findChild<QChartView*>("chrtDX");
    QLineSeries* delta = nullptr;
    for (QAbstractSeries* s : view->chart()->series())
        if (s->objectName() == "serDX") delta = qobject_cast<QLineSeries*>(s);
    // Points on the line across the whole axis.
    std::vector<QPoint> path;
    for (int k = 0; k < delta->count(); k += 97)
        path.push_back(
            view->mapFromScene(view->chart()->mapToScene(view->chart()->mapToPosition(delta->at(k), delta))));
    std::size_t next = 0;
    for (auto _ : state) {
        const QPoint at = path[next++ % path.size()];
        QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &move);
        // Whatever the hover changed is painted before the next move.
        QCoreApplication::processEvents();
    }
}

}  // namespace
}  // namespace nerim

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RegisterBenchmark("quality/open-10000-alternating", nerim::Open)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("quality/hover-10000-alternating", nerim::Hover)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
