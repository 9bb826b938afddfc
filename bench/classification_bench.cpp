// Cell classification of the flume scenarios: the production classification with one and two
// threads against the plain point-by-point sampling.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/flume_scenarios.h"
#include "bench/memory_counter.h"
#include "mesh/core/cell_classification.h"
#include "tests/mesh/reference_classification.h"

namespace nerim {
namespace {

const TFlumeScenario& Scenario(bool large) {
    static const TFlumeScenario typical = MakeFlumeScenario(FlumeTypical());
    static const TFlumeScenario big = MakeFlumeScenario(FlumeLarge());
    return large ? big : typical;
}

void Report(benchmark::State& state, const TFlumeScenario& s) {
    const double cells = static_cast<double>(s.DivisionsX.size()) * static_cast<double>(s.DivisionsY.size());
    state.counters["cells"] = cells;
    state.counters["cells_per_s"] =
        benchmark::Counter(cells * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["heap_peak_MiB"] = static_cast<double>(bench::HeapPeak()) / (1 << 20);
    state.counters["max_rss_MiB"] = static_cast<double>(bench::MaxResidentBytes()) / (1 << 20);
}

// The matrices live across iterations, as the mesh keeps them between classifications; the heap
// peak covers them, the scenario and the classification's own work space.
void Fast(benchmark::State& state, bool large) {
    const TFlumeScenario& s = Scenario(large);
    const auto threads = static_cast<std::int32_t>(state.range(0));
    bench::ResetHeapPeak();
    TCellMatrices cells;
    TPorousTypes types;
    for (auto _ : state) {
        ClassifyCells(s.DivisionsX, s.DivisionsY, s.Objects, s.Size.NX, s.Size.NY, cells, types, threads);
        benchmark::DoNotOptimize(cells.AC.Current());
    }
    Report(state, s);
}

void Reference(benchmark::State& state, bool large) {
    const TFlumeScenario& s = Scenario(large);
    bench::ResetHeapPeak();
    TCellMatrices cells;
    TPorousTypes types;
    for (auto _ : state) {
        testing::ReferenceClassifyCells(s.DivisionsX, s.DivisionsY, s.Objects, s.Size.NX, s.Size.NY, cells, types);
        benchmark::DoNotOptimize(cells.AC.Current());
    }
    Report(state, s);
}

// The machine is shared: with --benchmark_repetitions the fastest run is the least disturbed one.
double Fastest(const std::vector<double>& runs) { return *std::min_element(runs.begin(), runs.end()); }

void Register() {
    for (bool large : {false, true}) {
        const std::string name = large ? "flume-large" : "flume-typical";
        benchmark::RegisterBenchmark((name + "/fast").c_str(), Fast, large)
            ->ArgName("threads")
            ->Arg(1)
            ->Arg(2)
            ->MeasureProcessCPUTime()  // the CPU column then counts every thread
            ->UseRealTime()
            ->ComputeStatistics("min", Fastest)
            ->Unit(benchmark::kMillisecond);
        auto* reference = benchmark::RegisterBenchmark((name + "/reference").c_str(), Reference, large)
                              ->UseRealTime()
                              ->ComputeStatistics("min", Fastest)
                              ->Unit(benchmark::kMillisecond);
        if (large) reference->Iterations(1);  // about a minute
    }
}

}  // namespace
}  // namespace nerim

int main(int argc, char** argv) {
    nerim::Register();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
