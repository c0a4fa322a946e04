#pragma once

// The running applications using the most memory: those the workspace reports, each with its
// resident set (<proc>/<pid>/statm, second field, in pages), ranked by resident bytes.
// Applications whose memory cannot be read, our own process and the maker's own applications
// are left out.

#include "platform/core/Workspace.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qshell {

struct AppMemoryEntry {
    int pid = 0;
    std::string identifier; // the application's name, as shown
    std::string bundleIdentifier;
    std::string executablePath;
    std::string bundlePath;
    std::uint64_t residentBytes = 0;
    std::string memoryUsed; // the memory size text of residentBytes
};

class TopApplications {
public:
    using ResidentReader = std::function<std::optional<std::uint64_t>(int pid)>;

    static std::vector<AppMemoryEntry>
    applicationsUsingSignificantMemory(const std::vector<qcore::RunningApplication>& apps,
                                       const ResidentReader& residentBytes, int ownPid);
    // Reads the live system.
    static std::vector<AppMemoryEntry> applicationsUsingSignificantMemory();

    static std::optional<std::uint64_t> parseStatmResidentPages(const std::string& text);
    static ResidentReader procResidentReader(const std::string& procRoot, std::uint64_t pageSize);
    static bool isMakersOwn(const std::string& bundleIdentifier);
    // Largest resident set first.
    static std::vector<AppMemoryEntry> rank(const std::vector<AppMemoryEntry>& entries);
    // "%@ using %@"
    static std::string toolTip(const AppMemoryEntry& entry);
};

} // namespace qshell
