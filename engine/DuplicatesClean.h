#pragma once

#include "engine/OutlineViewNode.h"

#include <cstdint>
#include <string>

namespace qengine {

class DataFiller;
class RemovalRun;
class ScanListing;

// One run of the duplicates clean (removeDuplicateFiles): groups from the last to the first,
// ticked copies removed and marked isDeleted; nothing is taken out of the list, the page does
// that after the "stop" notification.
class DuplicatesClean {
public:
    DuplicatesClean(DataFiller& engine, const ScanListing& listing);
    void run();

private:
    enum class Outcome { Removed, Vanished, Failed };

    // False when a stop request ended the clean.
    bool cleanGroup(RemovalRun& run, const OutlineViewNode::Ptr& group);
    Outcome removeCopy(RemovalRun& run, const std::string& path) const;
    void finishGroup(RemovalRun& run, const OutlineViewNode::Ptr& group);

    DataFiller& engine_;
    const ScanListing& listing_;
};

} // namespace qengine
