#include "shell/views/OneClickControl.h"

#include "engine/DataFiller.h"

#include <algorithm>

namespace qshell {

OneClickControl::OneClickControl(qengine::DataFiller& engine, ScanRunner runScan,
                                 WorkerStarter startWorker)
    : engine_(engine), runScan_(std::move(runScan)), startWorker_(std::move(startWorker)) {}

const std::array<std::string, 4>& OneClickControl::junkModules() {
    static const std::array<std::string, 4> kModules = {
        qengine::modules::kSystemCleaner, qengine::modules::kLogsCleaner,
        qengine::modules::kTrashCleaner, qengine::modules::kPartialDownloads};
    return kModules;
}

OneClickControl::ScanRunner OneClickControl::engineScans() {
    return [](qengine::DataFiller& engine, const std::string& module) {
        namespace m = qengine::modules;
        if (module == m::kSystemCleaner) {
            engine.fillCacheCleaner();
        } else if (module == m::kLogsCleaner) {
            engine.fillLogsCleaner();
        } else if (module == m::kTrashCleaner) {
            engine.fillTemporaryData();
        } else if (module == m::kPartialDownloads) {
            engine.fillPartialDownloads();
        }
    };
}

std::vector<std::string> OneClickControl::startScanNow() {
    std::vector<std::string> started;
    for (const auto& module : junkModules()) {
        if (engine_.flags(module).isFilling.load()) continue;
        if (!engine_.claimModule(module)) continue; // a clean (or a scan about to start) runs
        engine_.flags(module).stopFilling.store(false);
        // The worker keeps only the engine and its own copy of the runner, so it may outlive
        // this object (never the engine).
        const bool running =
            startWorker_ && startWorker_([&engine = engine_, runScan = runScan_, module] {
                if (runScan) runScan(engine, module);
                // A scan that returned before taking over its reservation must not keep the
                // module reserved for ever.
                if (engine.flags(module).claim() == qengine::ModuleFlags::Claim::Reserved)
                    engine.cancelModuleClaim(module);
            });
        if (!running) {
            engine_.cancelModuleClaim(module);
            continue;
        }
        started.push_back(module);
    }
    return started;
}

void OneClickControl::stopScans() {
    for (const auto& module : junkModules())
        engine_.flags(module).stopFilling.store(true);
}

void OneClickControl::stopCleans() {
    for (const auto& module : junkModules())
        engine_.flags(module).stopRemoving.store(true);
}

bool OneClickControl::anyScanning() const {
    const auto& modules = junkModules();
    return std::any_of(modules.begin(), modules.end(), [this](const std::string& module) {
        return engine_.flags(module).isFilling.load();
    });
}

bool OneClickControl::anyRemoving() const {
    const auto& modules = junkModules();
    return std::any_of(modules.begin(), modules.end(), [this](const std::string& module) {
        return engine_.flags(module).isRemoving.load();
    });
}

} // namespace qshell
