#pragma once

#include "engine/CadenceCounter.h"

#include <cstdint>
#include <string>

namespace qengine {

class DataFiller;
class ModuleFlags;
class ModuleList;

// The frame of one module scan, from "start" to "stop". Construction begins the scan: it claims
// the module (or takes over the caller's reservation), sets isFilling, empties the list and
// posts "start". Destruction ends it: stopFilling and isFilling cleared, claim released, "stop"
// posted. A scan is refused without a sound: when the module is busy nothing is posted and
// active() is false. When the home folder is unusable the scan posts "start", marks itself
// aborted and posts "stop" without walking anything (so pages return to idle), and active() is
// false as well.
//
//     void DataFiller::fillTemporaryData() {
//         ScanRun run(*this, modules::kTrashCleaner);
//         if (!run.active()) return;
//         for (const auto& name : entries) {
//             if (run.shouldStop()) break;
//             run.countedPointWithReload(0.5);
//             run.list().appendRow(row::makeTrashCleanerRow(path, size));
//             run.itemFound(bytes, 0.2);
//         }
//     }
class ScanRun {
public:
    // Clear: the list is emptied. EmptyChildren: group rows stay, their children go (the
    // Large Files categories live as long as the engine).
    enum class ListReset { Clear, EmptyChildren };

    ScanRun(DataFiller& engine, std::string module, int cadenceEvery = 5,
            ListReset reset = ListReset::Clear);
    ~ScanRun();
    ScanRun(const ScanRun&) = delete;
    ScanRun& operator=(const ScanRun&) = delete;

    bool active() const { return active_; }
    const std::string& module() const { return module_; }
    DataFiller& engine() { return engine_; }
    ModuleList& list();
    ModuleFlags& flags();
    // The real home folder, resolved once for the run.
    const std::string& home() const { return home_; }

    // Reads the stop request; when set, marks the scan aborted and answers true.
    bool shouldStop();

    // One more item: running totals, "DataFillerUpdateNotification", then the paced sleep.
    void itemFound(std::uint64_t bytes, double sleepSeconds = 0.01);
    // As itemFound, without the sleep (scans that sleep elsewhere).
    void countItem(std::uint64_t bytes);
    std::int32_t count() const { return count_; }
    std::uint64_t size() const { return size_; }

    // The cadence at a counted point: when due, "ReloadNotification" and a sleep.
    void countedPointWithReload(double sleepSeconds);
    // The cadence at a counted point: when due, the pause handshake.
    void countedPointWithHandshake();
    // pause = YES, "ReloadNotification", wait until the page clears pause, then 0.01 s. False
    // when the wait was given up at quit.
    bool pauseHandshake();
    void reloadAndSleep(double sleepSeconds);
    CadenceCounter& cadence() { return cadence_; }

private:
    DataFiller& engine_;
    std::string module_;
    // Looked up once: shouldStop() runs for every walked entry.
    ModuleFlags& flags_;
    ModuleList& list_;
    std::string home_;
    CadenceCounter cadence_;
    bool active_ = false;
    bool began_ = false;
    std::int32_t count_ = 0;
    std::uint64_t size_ = 0;
};

} // namespace qengine
