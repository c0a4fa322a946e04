#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace qengine {
class DataFiller;
}

namespace qshell {

// Starts and stops the One Click scans of the four junk modules, whoever asks (the header,
// the popover). A module is claimed before its worker starts, so a scan never starts while a
// scan or clean of the same module runs. Workers may outlive this object, not the engine.
class OneClickControl {
public:
    // Runs the module's scan in the engine; called on the worker thread.
    using ScanRunner = std::function<void(qengine::DataFiller& engine, const std::string& module)>;
    // Runs the work on a new worker thread; false when none could be started.
    using WorkerStarter = std::function<bool(std::function<void()> work)>;

    OneClickControl(qengine::DataFiller& engine, ScanRunner runScan, WorkerStarter startWorker);

    // The engine's own scans of the four modules (fillCacheCleaner, fillLogsCleaner,
    // fillTemporaryData, fillPartialDownloads).
    static ScanRunner engineScans();

    // "System Cleaner", "Logs Cleaner", "Trash Cleaner", "Partial Downloads", in scan order.
    static const std::array<std::string, 4>& junkModules();

    // Starts the scan of every junk module that is free; returns those started, in order.
    std::vector<std::string> startScanNow();
    // Sets the four stop-filling (stop-removing) flags.
    void stopScans();
    void stopCleans();

    bool anyScanning() const;
    bool anyRemoving() const;

    qengine::DataFiller& engine() { return engine_; }
    const qengine::DataFiller& engine() const { return engine_; }

private:
    qengine::DataFiller& engine_;
    ScanRunner runScan_;
    WorkerStarter startWorker_;
};

} // namespace qshell
