// nerim-mesh as a whole process on the large flume, as a script runs it: against copying its own
// mesh file through a shell (`sh -c 'cat Mesh.mes > copy.mes'`) in the same run, pair by pair,
// and meshing ten copies of the project in one run with --jobs against ten runs one after the
// other. The mesher must be built beside this program.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace nerim {
namespace {

namespace fs = std::filesystem;

const fs::path kMesher = fs::path(NERIM_BIN_DIR) / "nerim-mesh";
constexpr int kCopies = 10;

// Runs the program with its output thrown away and returns the wall time in milliseconds; a
// program that fails stops the benchmark.
double RunMs(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (failed != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("cannot run " + arguments.front());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The flume in a folder of its own, and ten copies of it each in its own folder; every project
// is meshed once, so that each run replaces an existing mesh file as reruns do.
struct TFolders {
    fs::path Root = fs::temp_directory_path() / ("nerim-process-bench-" + std::to_string(getpid()));
    fs::path Project = Root / "single" / "flume-large.dat";
    std::vector<std::string> Copies;

    TFolders() {
        fs::create_directories(Project.parent_path());
        fs::copy_file(fs::path(NERIM_BENCH_DATA) / "flume-large.dat", Project);
        RunMs({kMesher, "--quiet", Project});
        for (int k = 0; k < kCopies; ++k) {
            const fs::path copy = Root / ("copy" + std::to_string(k)) / "flume-large.dat";
            fs::create_directories(copy.parent_path());
            fs::copy_file(Project, copy);
            Copies.push_back(copy);
        }
        std::vector<std::string> all{kMesher, "--quiet"};
        all.insert(all.end(), Copies.begin(), Copies.end());
        RunMs(all);
    }
    ~TFolders() {
        std::error_code ignored;
        fs::remove_all(Root, ignored);
    }
};

const TFolders& Folders() {
    static const TFolders folders;
    return folders;
}

// The figures the summary is made of, by name.
std::map<std::string, double> figures;

void MesherAgainstCat(benchmark::State& state) {
    const TFolders& folders = Folders();
    const fs::path mesh = folders.Project.parent_path() / "Mesh.mes";
    const std::string copy = "cat '" + mesh.string() + "' > '" + (folders.Root / "copy.mes").string() + "'";
    std::vector<double> mesher, cat, ratio;
    for (auto _ : state) {
        const double a = RunMs({kMesher, "--quiet", folders.Project});
        const double b = RunMs({"/bin/sh", "-c", copy});
        state.SetIterationTime(a / 1000.0);
        mesher.push_back(a);
        cat.push_back(b);
        ratio.push_back(a / b);
    }
    figures["mesher"] = Median(mesher);
    figures["cat"] = Median(cat);
    figures["ratio"] = Median(ratio);
    state.counters["cat_ms"] = figures["cat"];
    state.counters["ratio_to_cat"] = figures["ratio"];
    state.counters["mesh_MiB"] = static_cast<double>(fs::file_size(mesh)) / (1 << 20);
}

void TenWithJobs(benchmark::State& state) {
    const TFolders& folders = Folders();
    std::vector<std::string> arguments{kMesher, "--quiet"};
    arguments.insert(arguments.end(), folders.Copies.begin(), folders.Copies.end());
    std::vector<double> times;
    for (auto _ : state) {
        times.push_back(RunMs(arguments));
        state.SetIterationTime(times.back() / 1000.0);
    }
    figures["ten"] = Median(times);
    state.counters["per_project_ms"] = figures["ten"] / kCopies;
}

void TenOneByOne(benchmark::State& state) {
    const TFolders& folders = Folders();
    std::vector<double> times;
    for (auto _ : state) {
        double total = 0.0;
        for (const std::string& copy : folders.Copies) total += RunMs({kMesher, "--quiet", copy});
        times.push_back(total);
        state.SetIterationTime(total / 1000.0);
    }
    figures["ten-alone"] = Median(times);
    state.counters["per_project_ms"] = figures["ten-alone"] / kCopies;
}

BENCHMARK(MesherAgainstCat)->Name("process/flume-large/nerim-mesh-vs-cat")->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(TenWithJobs)->Name("process/flume-large/ten-copies/one-run-jobs")->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(TenOneByOne)->Name("process/flume-large/ten-copies/ten-runs")->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nerim

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    auto& f = nerim::figures;
    if (f.count("ratio"))
        std::printf("nerim-mesh on flume-large: %.1f ms as a whole process; copying its mesh file with cat: %.1f ms; "
                    "%.2f times the copy (median of the pairs)\n",
                    f["mesher"], f["cat"], f["ratio"]);
    if (f.count("ten") && f.count("mesher"))
        std::printf("ten copies in one run with --jobs: %.1f ms, %.1f ms a project (%.2f times one run alone)\n", f["ten"],
                    f["ten"] / nerim::kCopies, f["ten"] / nerim::kCopies / f["mesher"]);
    if (f.count("ten") && f.count("ten-alone"))
        std::printf("ten copies in ten runs one after the other: %.1f ms (one run with --jobs takes %.2f of that)\n",
                    f["ten-alone"], f["ten"] / f["ten-alone"]);
    return 0;
}
