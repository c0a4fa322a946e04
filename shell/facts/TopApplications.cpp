#include "shell/facts/TopApplications.h"
#include "shell/facts/SystemFiles.h"

#include "shell/facts/MemStatus.h"
#include "shell/facts/SizeText.h"

#include "engine/MyArrayExtensions.h"
#include "platform/core/FileManager.h"
#include "platform/core/PlainText.h"

#include <sstream>
#include <unistd.h>

namespace qshell {

using qcore::PlainText;

std::vector<AppMemoryEntry> TopApplications::applicationsUsingSignificantMemory(
    const std::vector<qcore::RunningApplication>& apps, const ResidentReader& residentBytes,
    int ownPid) {
    std::vector<AppMemoryEntry> entries;
    for (const qcore::RunningApplication& app : apps) {
        if (app.pid == ownPid || isMakersOwn(app.bundleIdentifier)) continue;
        const auto resident = residentBytes(app.pid);
        if (!resident || *resident == 0) continue;
        entries.push_back({app.pid, app.name, app.bundleIdentifier, app.executablePath,
                           app.bundlePath, *resident, SizeText::forMemory(*resident)});
    }
    return rank(entries);
}

std::vector<AppMemoryEntry> TopApplications::applicationsUsingSignificantMemory() {
    return applicationsUsingSignificantMemory(
        qcore::Workspace::runningApplications(),
        procResidentReader("/proc", MemStatus::systemPageSize()), static_cast<int>(::getpid()));
}

std::optional<std::uint64_t> TopApplications::parseStatmResidentPages(const std::string& text) {
    std::istringstream in(text);
    std::uint64_t size = 0, resident = 0;
    if (!(in >> size >> resident)) return std::nullopt;
    return resident;
}

TopApplications::ResidentReader TopApplications::procResidentReader(const std::string& procRoot,
                                                                    std::uint64_t pageSize) {
    return [procRoot, pageSize](int pid) -> std::optional<std::uint64_t> {
        const auto text = SystemFiles::read(procRoot + "/" + std::to_string(pid) + "/statm");
        const auto pages = text ? parseStatmResidentPages(*text) : std::nullopt;
        if (!pages) return std::nullopt;
        return *pages * pageSize;
    };
}

bool TopApplications::isMakersOwn(const std::string& bundleIdentifier) {
    const std::string id = PlainText::lower(bundleIdentifier);
    return id.rfind("com.varnello", 0) == 0 || id.rfind("com.morvane", 0) == 0 ||
           id.find("com.morvane.varnello") != std::string::npos;
}

std::vector<AppMemoryEntry> TopApplications::rank(const std::vector<AppMemoryEntry>& entries) {
    return qengine::sortDesc(entries, [](const AppMemoryEntry& e) { return e.residentBytes; });
}

std::string TopApplications::toolTip(const AppMemoryEntry& entry) {
    return entry.identifier + " using " + entry.memoryUsed;
}

} // namespace qshell
