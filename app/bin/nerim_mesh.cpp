// nerim-mesh: turns a project file into the model's mesh file, without a display.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/batch_run.h"
#include "app/bin/command_line.h"
#include "app/bin/mesh_picture.h"
#include "app/working_set.h"
#include "mesh/core/mesh_quality.h"
#include "support/format.h"

namespace {

// A bar on standard error, redrawn in place; only when standard error is a terminal.
class TProgressBar {
public:
    explicit TProgressBar(bool enabled) : enabled_(enabled) {}
    ~TProgressBar() { Finish(); }

    void Show(double share) {
        if (!enabled_) return;
        const int percent = static_cast<int>(share * 100.0 + 0.5);
        if (percent == last_) return;
        last_ = percent;
        constexpr int kWidth = 40;
        const int filled = percent * kWidth / 100;
        std::fprintf(stderr, "\rClassifying cells [%s%s] %3d%%", std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, ' ').c_str(), percent);
        std::fflush(stderr);
        shown_ = true;
    }
    void Finish() {
        if (shown_) std::fputs("\r\033[K", stderr);
        shown_ = false;
    }

private:
    bool enabled_;
    bool shown_ = false;
    int last_ = -1;
};

// What the command asks for besides the mesh file, on the meshed working set.
void MakeOutputs(nerim::TWorkingSet& set, const nerim::TMeshCommand& command) {
    using namespace nerim;
    TCETamrixMesh& mesh = set.Mesh();
    if (command.Results) mesh.LoadResults(*command.Results);
    if (command.Quality || command.QualityCsv) {
        const TAxisQuality x = AxisQuality(mesh.DivisionsX());
        const TAxisQuality y = AxisQuality(mesh.DivisionsY());
        if (command.Quality) {
            std::printf("X: %s\n", SummaryLine(SummariseAxis(x)).c_str());
            std::printf("Y: %s\n", SummaryLine(SummariseAxis(y)).c_str());
        }
        if (command.QualityCsv) WriteQualityCsv(*command.QualityCsv, x, y);
    }
    if (command.Picture) WriteMeshPicture(set, *command.Picture);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace nerim;
    TMeshCommand command;
    try {
        command = ParseMeshCommand(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const TUsageError& error) {
        std::fprintf(stderr, "nerim-mesh: %s\n\n%s", error.Message.c_str(), MeshUsage().c_str());
        return 2;
    }
    if (command.Help) {
        std::fputs(MeshUsage().c_str(), stdout);
        return 0;
    }
    if (command.Version) {
        std::printf("nerim-mesh %s\n", NERIM_VERSION);
        return 0;
    }

    TProgressBar bar(!command.Quiet && isatty(STDERR_FILENO));
    TBatchOptions options;
    options.NX = command.NX;
    options.NY = command.NY;
    options.Output = command.Output;
    options.Progress = [&bar](double share) { bar.Show(share); };
    try {
        TWorkingSet set;
        const TBatchSummary summary = RunBatch(set, command.Project, options);
        bar.Finish();
        if (!command.Quiet) {
            std::printf("%s\n", Format("Mesh of %d × %d cells, %d objects, %d porous types, in %.3f s",
                                       {static_cast<long long>(summary.CellsX), static_cast<long long>(summary.CellsY),
                                        static_cast<long long>(summary.Objects),
                                        static_cast<long long>(summary.PorousTypes), summary.Seconds})
                                    .c_str());
            std::printf("Wrote %s\n", std::filesystem::absolute(summary.Output).lexically_normal().string().c_str());
        }
        MakeOutputs(set, command);
        return 0;
    } catch (const std::exception& error) {
        bar.Finish();
        std::fprintf(stderr, "nerim-mesh: %s\n", error.what());
        return 1;
    }
}
