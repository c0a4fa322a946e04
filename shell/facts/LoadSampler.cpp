#include "shell/facts/LoadSampler.h"

#include "platform/core/Guarded.h"

namespace qshell {

LoadSampler::LoadSampler(ProcessorLoad::Reader read, std::chrono::milliseconds interval,
                         qcore::MainThread& mainThread)
    : read_(std::move(read)), interval_(interval), mainThread_(mainThread) {}

LoadSampler::~LoadSampler() {
    alive_->store(false);
    worker_.request_stop();
    if (worker_.joinable()) worker_.join();
}

bool LoadSampler::start(Apply apply) {
    if (busy_->exchange(true)) return false;
    if (worker_.joinable()) worker_.join(); // finished: busy was clear
    worker_ = std::jthread([read = read_, interval = interval_, &main = mainThread_, alive = alive_,
                            busy = busy_, apply = std::move(apply)](std::stop_token stop) {
        std::optional<int> load;
        qcore::runGuarded("Processor load sample",
                          [&] { load = ProcessorLoad::sampleCpuLoad(read, interval, stop); });
        busy->store(false);
        if (stop.stop_requested()) return;
        // Results are applied on the main thread, where the owner also dies, so the check
        // and the use cannot interleave with destruction.
        main.post([alive, apply, load] {
            if (alive->load()) apply(load);
        });
    });
    return true;
}

} // namespace qshell
