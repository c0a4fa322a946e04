#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace qpages {

// The numbers the One Click dashboard keeps per module, and the rules over them: the level of
// a count, the remaining count and size during a clean, the totals, and which activities are
// still running. Main thread only; no controls.
class OneClickTally {
public:
    static constexpr std::size_t kModules = 4;

    enum class Activity { Idle, Scan, Clean };

    struct Module {
        bool checked = true;
        // What the module was doing at its last start, until its stop. Updates queued before
        // a stop arrive after the engine's flags are cleared, so they are read against this.
        Activity activity = Activity::Idle;
        std::int32_t count = 0;      // items held after a scan (kept through a clean)
        std::int32_t lastCount = 0;  // the count at the end of the previous activity
        std::int32_t shownCount = 0; // the count text: found, or still left during a clean
        std::uint64_t size = 0;      // the engine's latest total: found, or removed in a clean
        std::uint64_t foundSize = 0; // what the scan found; kept through the clean
        bool dataPresent = false;
    };

    // "System Cleaner", "Logs Cleaner", "Trash Cleaner", "Partial Downloads", always in this order.
    static const std::array<std::string, kModules>& modules();
    // Index of a module key, or -1 for any other module.
    static int indexOf(const std::string& module);

    // The level 0 to 5 of a count: above the cap 5, 0 for none, else count / step rounded up.
    // The Logs Cleaner and Trash Cleaner step by 5 (cap 25), the other two by 10 (cap 50).
    static double level(std::size_t index, std::int32_t count);

    Module& operator[](std::size_t index) { return modules_[index]; }
    std::array<Module, kModules>& all() { return modules_; }
    const Module& operator[](std::size_t index) const { return modules_[index]; }

    // An update of the engine for module `index` while it scans or cleans.
    void applyScanUpdate(std::size_t index, std::int32_t count, std::uint64_t size);
    void applyCleanUpdate(std::size_t index, std::int32_t removed, std::uint64_t removedBytes);
    // What is left of the found size while `index` cleans; never below 0.
    std::uint64_t remainingFoundSize(std::size_t index) const;

    bool anyChecked() const;
    int checkedCount() const;
    std::int64_t countSum() const;
    std::int64_t shownCountSum() const;
    std::int64_t lastCountSum() const;
    // Sum of the size fields of the ticked modules.
    std::uint64_t checkedSize() const;
    // Items cleaned so far: last counts minus what the counts still show, never below 0.
    std::int32_t cleanedCount() const;
    // Bytes the engine reported removed by the clean, over the ticked modules.
    std::uint64_t recoveredSize() const { return checkedSize(); }

    // The finished record: every module's current activity, by key; the four are finished
    // when idle. Other modules' entries are kept but never read.
    void initActivityFinishedStatus();
    void setFinished(const std::string& module, bool finished);
    bool isFinished(const std::string& module) const;
    bool allFinished() const;

private:
    std::array<Module, kModules> modules_{};
    std::map<std::string, bool> finished_;
};

} // namespace qpages
