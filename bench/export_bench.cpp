// Writing the mesh file of flume-large after classification, against writing the same bytes
// already formatted through the same writer: the difference is the cost of the number texts.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench/flume_scenarios.h"
#include "bench/memory_counter.h"
#include "mesh/core/cell_classification.h"
#include "mesh/core/mesh_export.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

// Takes the bytes and drops them.
class DiscardingTextWriter final : public TextWriter {
protected:
    void Emit(std::string_view bytes) override { benchmark::DoNotOptimize(bytes.data()); }
};

struct TExportSetup {
    TFlumeScenario Scenario = MakeFlumeScenario(FlumeLarge());
    TCellMatrices Cells;
    TPorousTypes Types;
    std::string Bytes;  // the file's text
    std::filesystem::path Folder;

    TExportSetup() {
        ClassifyCells(Scenario.DivisionsX, Scenario.DivisionsY, Scenario.Objects, Scenario.Size.NX, Scenario.Size.NY,
                      Cells, Types);
        StringTextWriter out;
        WriteMeshFile(out, Mesh());
        Bytes = out.Bytes();
        Folder = std::filesystem::temp_directory_path() / ("nerim-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(Folder);
    }
    ~TExportSetup() {
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }
    TMeshExport Mesh() const {
        return {2, Types, Scenario.DivisionsX, Scenario.DivisionsY, Scenario.Size.Height, Cells};
    }
    std::filesystem::path File() const { return Folder / "Mesh.mes"; }
};

const TExportSetup& Setup() {
    static const TExportSetup setup;
    return setup;
}

// The preformatted text, handed over in blocks of the size the matrices use.
void WritePreformatted(TextWriter& out, std::string_view bytes) {
    constexpr std::size_t kBlock = 1 << 16;
    for (std::size_t at = 0; at < bytes.size(); at += kBlock) out.WriteBytes(bytes.substr(at, kBlock));
}

void Report(benchmark::State& state) {
    const TExportSetup& setup = Setup();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(setup.Bytes.size()));
    const double cells = static_cast<double>(setup.Cells.AC.Count());
    state.counters["cells"] = cells;
    state.counters["cells_per_s"] =
        benchmark::Counter(cells * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["file_MiB"] = static_cast<double>(setup.Bytes.size()) / (1 << 20);
    state.counters["heap_peak_MiB"] = static_cast<double>(bench::HeapPeak()) / (1 << 20);
    state.counters["max_rss_MiB"] = static_cast<double>(bench::MaxResidentBytes()) / (1 << 20);
}

void FormatToSink(benchmark::State& state) {
    const TExportSetup& setup = Setup();
    bench::ResetHeapPeak();
    for (auto _ : state) {
        DiscardingTextWriter out;
        WriteMeshFile(out, setup.Mesh());
        out.Flush();
    }
    Report(state);
}

void PreformattedToSink(benchmark::State& state) {
    const TExportSetup& setup = Setup();
    bench::ResetHeapPeak();
    for (auto _ : state) {
        DiscardingTextWriter out;
        WritePreformatted(out, setup.Bytes);
        out.Flush();
    }
    Report(state);
}

void FormatToFile(benchmark::State& state) {
    const TExportSetup& setup = Setup();
    bench::ResetHeapPeak();
    for (auto _ : state) ExportMeshFile(setup.File(), setup.Mesh());
    Report(state);
}

// Formatted in parts on every core while the calling thread writes them.
void FormatToFileThreaded(benchmark::State& state) {
    const TExportSetup& setup = Setup();
    bench::ResetHeapPeak();
    for (auto _ : state) ExportMeshFile(setup.File(), setup.Mesh(), DefaultClassificationThreads());
    Report(state);
}

void PreformattedToFile(benchmark::State& state) {
    const TExportSetup& setup = Setup();
    bench::ResetHeapPeak();
    for (auto _ : state) {
        FileTextWriter out(setup.File());
        WritePreformatted(out, setup.Bytes);
        out.Commit();
    }
    Report(state);
}

// The machine is shared: with --benchmark_repetitions the fastest run is the least disturbed one.
double Fastest(const std::vector<double>& runs) { return *std::min_element(runs.begin(), runs.end()); }

BENCHMARK(FormatToSink)
    ->Name("export-large/format/sink:discard")
    ->ComputeStatistics("min", Fastest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PreformattedToSink)
    ->Name("export-large/preformatted/sink:discard")
    ->ComputeStatistics("min", Fastest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FormatToFile)
    ->Name("export-large/format/sink:file")
    ->UseRealTime()
    ->ComputeStatistics("min", Fastest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FormatToFileThreaded)
    ->Name("export-large/format/sink:file/threads:all")
    ->UseRealTime()
    ->ComputeStatistics("min", Fastest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PreformattedToFile)
    ->Name("export-large/preformatted/sink:file")
    ->UseRealTime()
    ->ComputeStatistics("min", Fastest)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nerim

BENCHMARK_MAIN();
