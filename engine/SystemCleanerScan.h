#pragma once

#include "engine/OutlineViewNode.h"
#include "platform/core/InstalledApplications.h"

#include <string>
#include <vector>

namespace qengine {

class DataFiller;
class ScanListing;
class ScanRun;

// The System Cleaner scan: every top-level entry of the user's Caches folder (one item each)
// and, per application container, the entries of its Data/Library/Caches folder (one item
// standing for all of them). Every listed path is recorded with its type in `listing`, which
// the clean checks again before it removes anything.
class SystemCleanerScan {
public:
    SystemCleanerScan(DataFiller& engine, ScanListing& listing);

    void run();

    // The folders the scan walks below `home`; the clean removes nothing outside them.
    static std::string userCachesFolder(const std::string& home);
    static std::string containersFolder(const std::string& home);

    // Name filters (true: the entry is passed over).
    static bool skipsUserCacheName(const std::string& name);
    static bool skipsContainerName(const std::string& name);

private:
    void walkUserCaches(ScanRun& run);
    void walkContainers(ScanRun& run, std::size_t groupIndex);
    OutlineViewNode::Ptr makeContainerItem(ScanRun& run, const std::string& container,
                                           const std::string& cachesFolder);
    OutlineViewNode::Ptr makeGroup(const std::string& textKey, const std::string& image) const;
    void useApplicationIcon(OutlineViewNode& node, const std::string& bundleIdentifier) const;

    DataFiller& engine_;
    ScanListing& listing_;
    // Loaded at the start of each scan: the same for every cache entry.
    qcore::InstalledApplications applications_;
};

} // namespace qengine
