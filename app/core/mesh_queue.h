#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/core/project_mesher.h"

namespace nerim {

// How one job of a run over many projects ended.
struct TJobOutcome {
    bool Succeeded = false;
    TMeshSummary Summary;  // when it succeeded
    std::string Error;     // the failure's message otherwise
};

// Told each job's outcome, on the calling thread, in job order.
using TJobReport = std::function<void(std::size_t Index, const TJobOutcome& Outcome)>;

// Meshes every job, `Parallel` jobs at a time on as many threads (at least one, at most one per
// job), each thread reusing its storage from one project to the next. A job's failure ends that
// job only. Report hears of each job as soon as it and every job before it have ended.
void RunMeshJobs(const std::vector<TMeshJob>& Jobs, std::int32_t Parallel, const TJobReport& Report);

// The message of the exception being handled, for a job's outcome: the text of a nerim or
// standard exception, and a plain statement for anything else.
std::string CurrentFailureMessage();

}  // namespace nerim
