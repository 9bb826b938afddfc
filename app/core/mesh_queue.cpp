#include "app/core/mesh_queue.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <thread>

namespace nerim {

std::string CurrentFailureMessage() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "No hay memoria suficiente";
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Error desconocido";
    }
}

void RunMeshJobs(const std::vector<TMeshJob>& Jobs, std::int32_t Parallel, const TJobReport& Report) {
    std::vector<TJobOutcome> outcomes(Jobs.size());
    std::vector<char> done(Jobs.size(), 0);  // guarded by the mutex
    std::mutex mutex;
    std::condition_variable jobDone;
    std::atomic<std::size_t> next{0};

    auto work = [&] {
        TMeshedProject meshed;  // reused from job to job
        for (std::size_t k; (k = next.fetch_add(1)) < Jobs.size();) {
            TJobOutcome outcome;
            try {
                outcome.Summary = MeshProject(Jobs[k], meshed);
                outcome.Succeeded = true;
            } catch (...) {
                outcome.Error = CurrentFailureMessage();
            }
            {
                const std::lock_guard<std::mutex> lock(mutex);
                outcomes[k] = std::move(outcome);
                done[k] = 1;
            }
            jobDone.notify_one();
        }
    };

    const auto asked = static_cast<std::size_t>(std::max<std::int32_t>(Parallel, 1));
    const std::size_t threads = std::clamp<std::size_t>(asked, 1, std::max<std::size_t>(1, Jobs.size()));
    std::vector<std::jthread> pool;
    pool.reserve(threads);
    try {
        for (std::size_t t = 0; t < threads; ++t) pool.emplace_back(work);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started share the jobs.
    }
    if (pool.empty()) work();  // everything on this thread

    for (std::size_t k = 0; k < Jobs.size(); ++k) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            jobDone.wait(lock, [&] { return done[k] != 0; });
        }
        Report(k, outcomes[k]);
    }
}

}  // namespace nerim
