#pragma once

#include "shell/facts/ProcessorLoad.h"

#include "platform/core/MainThread.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace qshell {

// Samples the processor load off the main thread, one sample at a time, and hands the result
// (nothing for a failed sample) to the main thread. Destruction cuts a running sample short and
// drops its result.
class LoadSampler {
public:
    using Apply = std::function<void(std::optional<int> load)>;

    LoadSampler(ProcessorLoad::Reader read, std::chrono::milliseconds interval,
                qcore::MainThread& mainThread = qcore::MainThread::current());
    ~LoadSampler();
    LoadSampler(const LoadSampler&) = delete;
    LoadSampler& operator=(const LoadSampler&) = delete;

    // False when the previous sample is still running (that tick is skipped).
    bool start(Apply apply);
    bool busy() const { return busy_->load(); }

private:
    ProcessorLoad::Reader read_;
    std::chrono::milliseconds interval_;
    qcore::MainThread& mainThread_;
    std::shared_ptr<std::atomic<bool>> alive_ = std::make_shared<std::atomic<bool>>(true);
    std::shared_ptr<std::atomic<bool>> busy_ = std::make_shared<std::atomic<bool>>(false);
    std::jthread worker_;
};

} // namespace qshell
