#include "app/bin/mesher_main.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "app/core/mesh_queue.h"
#include "app/core/project_mesher.h"
#include "mesh/core/mesh_quality.h"
#include "mesh/core/results_file.h"
#include "support/exception.h"
#include "support/format.h"
#include "support/readable_text.h"

namespace nerim {
namespace {

// A bar on standard error, redrawn in place; only when standard error is a terminal.
class TProgressBar {
public:
    explicit TProgressBar(bool enabled) : enabled_(enabled) {}
    ~TProgressBar() { Finish(); }

    void Show(double share) {
        if (!enabled_) return;
        const int percent = static_cast<int>(std::lround(share * 100.0));
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

// A file name as the tool prints it.
std::string Shown(const std::filesystem::path& path) { return ReadableText(path.string()); }

// An error line: the project it concerns, then the message, on one line whatever it holds.
void PrintError(const std::filesystem::path* project, const std::string& message) {
    std::string line = "nerim-mesh: ";
    if (project) line += Shown(*project) + ": ";
    line += OneLineText(message);
    std::fprintf(stderr, "%s\n", line.c_str());
}

void PrintSummary(const std::filesystem::path& project, const TMeshSummary& summary) {
    for (const std::string& note : summary.Notes) std::printf("%s: %s\n", Shown(project).c_str(), note.c_str());
    std::printf("%s\n",
                Format("%s: mesh of %d × %d cells, %d objects, %d porous types, in %.3f s; wrote %s",
                       {Shown(project), static_cast<long long>(summary.CellsX), static_cast<long long>(summary.CellsY),
                        static_cast<long long>(summary.Objects), static_cast<long long>(summary.PorousTypes),
                        summary.Seconds, Shown(std::filesystem::absolute(summary.Output).lexically_normal())})
                    .c_str());
}

// The file a path names, for telling two names of one file apart.
std::filesystem::path Identity(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path identity = std::filesystem::weakly_canonical(path, error);
    if (error) identity = std::filesystem::absolute(path).lexically_normal();
    return identity;
}

std::string Quote(const std::filesystem::path& path) { return "'" + Shown(path) + "'"; }

// Jobs whose files would overwrite each other's (two projects with one mesh file, a mesh file
// over a project) are refused before anything is written.
void CheckOutputs(const std::vector<TMeshJob>& jobs) {
    std::map<std::filesystem::path, std::size_t> writers;
    for (std::size_t k = 0; k < jobs.size(); ++k) {
        const TMeshJob& job = jobs[k];
        const std::filesystem::path output = Identity(job.Output);
        if (output == Identity(job.Project) || (job.SavedProject && output == Identity(*job.SavedProject)))
            throw TUsageError{"the mesh file " + Quote(job.Output) + " would overwrite the project"};
        const auto [at, added] = writers.emplace(output, k);
        if (!added)
            throw TUsageError{Quote(jobs[at->second].Project) + " and " + Quote(job.Project) + " would both write " +
                              Quote(job.Output) + ": give --output-dir DIR"};
    }
}

std::vector<TMeshJob> MakeJobs(const TMeshCommand& command, const std::vector<TObjectImport>& imports,
                               std::int32_t threadsPerJob) {
    std::vector<TMeshJob> jobs;
    jobs.reserve(command.Projects.size());
    for (const std::filesystem::path& project : command.Projects) {
        TMeshJob job;
        job.Project = project;
        job.NX = command.NX;
        job.NY = command.NY;
        job.Threads = threadsPerJob;
        for (const TObjectImport& import : imports) job.Imports.push_back(&import);
        job.SavedProject = command.SaveProject;
        if (command.Output) {
            job.Output = *command.Output;
        } else if (command.OutputDir) {
            job.Output = *command.OutputDir / project.stem() / "Mesh.mes";
            job.MakeOutputFolder = true;
        } else {
            job.Output = DefaultMeshFile(command.SaveProject ? *command.SaveProject : project);
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

// What the command asks for besides the mesh file, on the meshed project.
void MakeOutputs(TMeshedProject& meshed, const TMeshCommand& command, const TMesherHooks& hooks) {
    if (command.Results) {
        TDoubleArray results;
        double least = 0.0, most = 0.0;
        LoadResultsFile(*command.Results,
                        MakeIntPair(static_cast<std::int32_t>(meshed.DivisionsX.size()),
                                    static_cast<std::int32_t>(meshed.DivisionsY.size())),
                        results, least, most);
    }
    if (command.Quality || command.QualityCsv) {
        const TAxisQuality x = AxisQuality(meshed.DivisionsX);
        const TAxisQuality y = AxisQuality(meshed.DivisionsY);
        if (command.Quality) {
            std::printf("X: %s\n", SummaryLine(SummariseAxis(x)).c_str());
            std::printf("Y: %s\n", SummaryLine(SummariseAxis(y)).c_str());
        }
        if (command.QualityCsv) WriteQualityCsv(*command.QualityCsv, x, y);
    }
    if (command.Picture) {
        if (!hooks.MakePicture) throw EInOutError("Este programa no hace imágenes: use nerim-mesh-picture");
        hooks.MakePicture(meshed, command);
    }
}

// The mesh file goes to standard output (-o /dev/stdout): the summary line would end up in it.
bool WritesToStandardOutput(const std::filesystem::path& output) {
    struct stat file {}, out {};
    return ::stat(output.c_str(), &file) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 && file.st_dev == out.st_dev &&
           file.st_ino == out.st_ino;
}

// One project on this thread, with the progress bar and the other outputs.
bool RunOne(const TMeshJob& job, const TMeshCommand& command, const TMesherHooks& hooks) {
    TProgressBar bar(!command.Quiet && isatty(STDERR_FILENO));
    try {
        TMeshedProject meshed;
        const TMeshSummary summary = MeshProject(job, meshed, [&bar](double share) { bar.Show(share); });
        bar.Finish();
        if (!command.Quiet && !WritesToStandardOutput(job.Output)) PrintSummary(job.Project, summary);
        MakeOutputs(meshed, command, hooks);
        return true;
    } catch (...) {
        bar.Finish();
        std::fflush(stdout);
        PrintError(&job.Project, CurrentFailureMessage());
        return false;
    }
}

// Every project, several at a time; a line for each as it ends, in the order given.
bool RunMany(const std::vector<TMeshJob>& jobs, std::int32_t parallel, bool quiet) {
    std::vector<std::string> failed;
    RunMeshJobs(jobs, parallel, [&](std::size_t k, const TJobOutcome& outcome) {
        if (outcome.Succeeded) {
            if (!quiet) PrintSummary(jobs[k].Project, outcome.Summary);
            return;
        }
        std::fflush(stdout);
        PrintError(&jobs[k].Project, outcome.Error);
        failed.push_back(Shown(jobs[k].Project));
    });
    if (failed.empty()) return true;
    std::string names;
    for (const std::string& name : failed) names += (names.empty() ? "" : ", ") + name;
    PrintError(nullptr, Format("%d of %d projects failed: %s",
                               {static_cast<long long>(failed.size()), static_cast<long long>(jobs.size()), names}));
    return false;
}

// Standard output that could not be written (a full disk, a closed pipe) is a failure too.
int CheckedExit(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        PrintError(nullptr, std::string("no se puede escribir la salida (") + std::strerror(error) + ")");
        return status == 0 ? 1 : status;
    }
    return status;
}

}  // namespace

int RunMesher(int argc, char** argv, const TMesherHooks& Hooks) {
    // A file that outgrows the size limit set on the process, or output to a pipe whose reader
    // has gone, fails to be written, with the error saying so, instead of ending the program
    // half-way through the other projects.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    TMeshCommand command;
    try {
        command = ParseMeshCommand(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const TUsageError& error) {
        std::fprintf(stderr, "%s\n", UsageErrorLine(error).c_str());
        return 2;
    }
    if (command.Help) {
        std::fputs(MeshUsage().c_str(), stdout);
        return CheckedExit(0);
    }
    if (command.Version) {
        std::printf("nerim-mesh %s\n", NERIM_VERSION);
        return CheckedExit(0);
    }
    try {
        if (command.Picture && Hooks.HandOverPicture) Hooks.HandOverPicture(argv);
    } catch (const std::exception& error) {
        PrintError(nullptr, error.what());
        return 1;
    }

    std::vector<TObjectImport> imports;
    try {
        for (const TImportRequest& request : command.Imports)
            imports.push_back(ReadObjectImport(request.Profile, request.Material, request.File));
    } catch (...) {
        PrintError(nullptr, CurrentFailureMessage());
        return 1;
    }

    const std::int32_t cores = DefaultClassificationThreads();
    const auto projects = static_cast<std::int32_t>(std::min<std::size_t>(command.Projects.size(), kMaxJobs));
    const std::int32_t parallel = std::clamp(command.Jobs > 0 ? command.Jobs : cores, 1, projects);
    const std::vector<TMeshJob> jobs = MakeJobs(command, imports, std::max(1, cores / parallel));
    try {
        CheckOutputs(jobs);
    } catch (const TUsageError& error) {
        std::fprintf(stderr, "%s\n", UsageErrorLine(error).c_str());
        return 2;
    }
    const bool succeeded =
        jobs.size() == 1 ? RunOne(jobs.front(), command, Hooks) : RunMany(jobs, parallel, command.Quiet);
    return CheckedExit(succeeded ? 0 : 1);
}

}  // namespace nerim
