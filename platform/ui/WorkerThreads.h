#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

namespace qui {

// Owns the worker threads the pages and the shell start for scans; finished ones are let go at the
// next start, and the rest are joined at destruction (after the callers set the stop flags).
class WorkerThreads {
public:
    WorkerThreads() = default;
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    // False when no thread could be started.
    bool start(std::function<void()> work);
    std::size_t running() const;

private:
    struct Worker {
        std::shared_ptr<std::atomic<bool>> done;
        std::jthread thread;
    };
    void reapFinished();

    mutable std::mutex mutex_;
    std::list<Worker> workers_;
};

} // namespace qui
