#include "platform/ui/WorkerThreads.h"

#include "platform/core/Guarded.h"
#include "platform/core/Log.h"

#include <system_error>

namespace qui {

WorkerThreads::~WorkerThreads() {
    std::list<Worker> workers;
    {
        std::lock_guard lock(mutex_);
        workers.swap(workers_);
    }
    // Each jthread joins as the list goes.
}

bool WorkerThreads::start(std::function<void()> work) {
    std::lock_guard lock(mutex_);
    reapFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    try {
        std::jthread thread([work = std::move(work), done] {
            qcore::runGuarded("Worker thread", work);
            done->store(true);
        });
        workers_.push_back(Worker{std::move(done), std::move(thread)});
        return true;
    } catch (const std::system_error& error) {
        qcore::log("A worker thread could not be started: ", error.what());
        return false;
    }
}

std::size_t WorkerThreads::running() const {
    std::lock_guard lock(mutex_);
    std::size_t count = 0;
    for (const auto& worker : workers_)
        if (!worker.done->load()) ++count;
    return count;
}

void WorkerThreads::reapFinished() {
    workers_.remove_if([](const Worker& worker) { return worker.done->load(); });
}

} // namespace qui
