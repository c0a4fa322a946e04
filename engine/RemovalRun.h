#pragma once

#include "engine/ModuleRow.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qengine {

class DataFiller;
class ModuleFlags;
class ModuleList;

// The frame of one module clean. Construction: claim the module (or take over the caller's
// reservation), prepare the removal object (initRemoveObjectIfRequired), set isRemoving and post
// "start". Destruction: stopRemoving and isRemoving cleared, "ReloadNotification" (unless
// switched off: the tree cleans of the caches and logs end without it), claim released, "stop".
// Refusals: a busy module, or a removal object that cannot be prepared, post nothing. An
// unusable home folder posts "start", marks the clean aborted and posts "stop", removing
// nothing. In every refusal active() is false.
//
//     void DataFiller::removePartialDownloads() {
//         RemovalRun run(*this, modules::kPartialDownloads, homeDirectory() + "/Downloads");
//         if (run.active()) run.removeFlatRows();
//     }
class RemovalRun {
public:
    struct FlatHooks {
        // Before each ticked row, after the stop test; `handledBefore` counts the ticked rows
        // already handled in this run. Default: from the second on, reload and 0.05 s.
        std::function<void(RemovalRun& run, int handledBefore)> beforeCheckedRow;
    };

    // What became of one ticked path.
    enum class Outcome { Removed, Vanished, Failed };

    RemovalRun(DataFiller& engine, std::string module, std::string moduleFolder);
    ~RemovalRun();
    RemovalRun(const RemovalRun&) = delete;
    RemovalRun& operator=(const RemovalRun&) = delete;

    bool active() const { return active_; }
    const std::string& module() const { return module_; }
    const std::string& moduleFolder() const { return moduleFolder_; }
    DataFiller& engine() { return engine_; }
    ModuleList& list();
    ModuleFlags& flags();

    void setReloadAtEnd(bool reload) { reloadAtEnd_ = reload; }

    // Reads the stop request; when set, marks the clean aborted and answers true.
    bool shouldStop();

    // The flat walk over ModuleRow rows: unticked rows passed over, stop test, cadence hook,
    // checked removal, a removed row taken out of the list with running totals, update and
    // 0.01 s; a row whose path had already vanished goes the same way but frees no bytes; a
    // failed row stays.
    void removeFlatRows(const FlatHooks& hooks = {});

    // Removes a path after checking it still is what was listed, below the module's folder.
    bool removeChecked(const std::string& path, RemovalCheck::ItemType listedType) const;
    // The same, telling a path that is gone (before or during the attempt) from a failure.
    Outcome removeOrFindGone(const std::string& path, RemovalCheck::ItemType listedType) const;
    // The same with a check of the caller's own (its folder, when empty, the module's).
    bool removeChecked(const std::string& path, RemovalCheck check) const;

    // One more removed item: running totals, "DataFillerUpdateNotification", 0.01 s. An item
    // that had already vanished counts with 0 bytes, as it freed nothing.
    void itemRemoved(std::uint64_t bytes, double sleepSeconds = 0.01);
    std::int32_t count() const { return count_; }
    std::uint64_t size() const { return size_; }
    void reloadAndSleep(double sleepSeconds);

private:
    bool eraseHandledRow(std::size_t index, const std::string& path);

    DataFiller& engine_;
    std::string module_;
    std::string moduleFolder_;
    bool active_ = false;
    bool began_ = false;
    bool reloadAtEnd_ = true;
    std::int32_t count_ = 0;
    std::uint64_t size_ = 0;
};

} // namespace qengine
