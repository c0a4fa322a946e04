#pragma once

// Memory figures from /proc/meminfo. How the kernel's figures stand in for the host
// virtual-memory statistics the popover was designed around:
//   page size      sysconf(_SC_PAGESIZE); meminfo's kB figures are turned into pages.
//   total          MemTotal (what the kernel manages; a little below the installed memory).
//   free           MemFree.
//   active         Active;   inactive  Inactive.
//   wired          what can never be paged out: SUnreclaim + KernelStack + PageTables +
//                  Unevictable.
//   compressed     Zswap (the compressed pool held in RAM); 0 without zswap.
//   internal       anonymous pages: Active(anon) + Inactive(anon) (shared memory included).
//   purgeable      0: memory an application marked discardable (MADV_FREE) already sits on the
//                  inactive file list, so it is counted with the file-backed pages.
//   external       file-backed pages: Active(file) + Inactive(file).

#include "platform/core/SystemVersion.h"
#include "platform/core/Value.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qshell {

// One snapshot, in pages.
struct VmStats {
    std::uint64_t pageSize = 4096;
    std::uint64_t totalBytes = 0;
    std::uint64_t freePages = 0;
    std::uint64_t activePages = 0;
    std::uint64_t inactivePages = 0;
    std::uint64_t wiredPages = 0;
    std::uint64_t compressedPages = 0;
    std::uint64_t internalPages = 0;
    std::uint64_t purgeablePages = 0;
    std::uint64_t externalPages = 0;
};

// The six figures the popover shows, in bytes.
struct MemoryData {
    std::uint64_t available = 0;
    std::uint64_t used = 0;
    std::uint64_t app = 0;
    std::uint64_t wired = 0;
    std::uint64_t compress = 0;
    std::uint64_t total = 0;

    // {"available", "used", "app", "wired", "compress", "total"} as integers.
    qcore::Dictionary toDictionary() const;
};

// Memory snapshots and the figures derived from them. A failed read keeps the last good
// snapshot and is logged; it never ends the process.
class MemStatus {
public:
    // Which sum makes "used", by the system version the profile answers.
    enum class UsedRule {
        AppCompressedWired,     // 10.10.1 and later
        ActiveInactiveWired,    // 10.7, 10.8
        AppCompressedWiredCache // 10.9, 10.10.0
    };

    explicit MemStatus(std::string meminfoPath = "/proc/meminfo",
                       std::uint64_t pageSize = systemPageSize(),
                       qcore::SystemVersion version = qcore::SystemVersion::current());

    // Takes a new snapshot; false (and the old snapshot kept) when the file cannot be read or
    // lacks the figures.
    bool get_stats();
    bool hasSnapshot() const { return hasSnapshot_; }
    const VmStats& vmStats() const { return vmStats_; }

    std::uint64_t totalMemory() const { return total(vmStats_); }
    std::uint64_t wiredMemory() const { return wired(vmStats_); }
    std::uint64_t activeMemory() const { return active(vmStats_); }
    std::uint64_t inactiveMemory() const { return inactive(vmStats_); }
    std::uint64_t Compressed() const { return compressed(vmStats_); }
    std::uint64_t appMemory() const { return app(vmStats_, isLion()); }
    std::uint64_t FileCache() const { return fileCache(vmStats_, isLion()); }
    std::uint64_t usedMemory() const { return used(vmStats_, usedRule(version_)); }
    std::uint64_t freeMemory() const { return freeOf(vmStats_, usedRule(version_)); }
    MemoryData getMemoryData() const { return memoryData(vmStats_, version_); }

    // --- The formulas, over a snapshot -------------------------------------------------------
    static std::optional<VmStats> parseMeminfo(const std::string& text, std::uint64_t pageSize);
    static UsedRule usedRule(const qcore::SystemVersion& version);
    static std::uint64_t total(const VmStats& s) { return s.totalBytes; }
    static std::uint64_t wired(const VmStats& s) { return s.wiredPages * s.pageSize; }
    static std::uint64_t active(const VmStats& s) { return s.activePages * s.pageSize; }
    static std::uint64_t inactive(const VmStats& s) { return s.inactivePages * s.pageSize; }
    static std::uint64_t compressed(const VmStats& s) { return s.compressedPages * s.pageSize; }
    // Internal minus purgeable (internal alone on 10.7 and 10.8), never below zero.
    static std::uint64_t app(const VmStats& s, bool lion);
    // Purgeable plus external (external alone on 10.7 and 10.8).
    static std::uint64_t fileCache(const VmStats& s, bool lion);
    static std::uint64_t used(const VmStats& s, UsedRule rule);
    // Total minus used, 0 when used exceeds total.
    static std::uint64_t freeOf(const VmStats& s, UsedRule rule);
    // "app" and "compress" carry active and inactive when the minor version is 7 or 8.
    static MemoryData memoryData(const VmStats& s, const qcore::SystemVersion& version);

    static std::uint64_t systemPageSize();

private:
    bool isLion() const { return usedRule(version_) == UsedRule::ActiveInactiveWired; }

    std::string meminfoPath_;
    std::uint64_t pageSize_;
    qcore::SystemVersion version_;
    VmStats vmStats_;
    bool hasSnapshot_ = false;
};

} // namespace qshell
