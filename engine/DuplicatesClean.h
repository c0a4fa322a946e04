#pragma once

#include "engine/OutlineViewNode.h"
#include "engine/RemovalRun.h"

#include <cstdint>
#include <string>

namespace qengine {

class DataFiller;
class ScanListing;

// One run of the duplicates clean (removeDuplicateFiles): groups from the last to the first,
// ticked copies removed and marked isDeleted; nothing is taken out of the list, the page does
// that after the "stop" notification. Each group keeps one copy whatever was ticked: the copy at
// its kept index (copy 0 when the index is out of range) is never removed, and a twin is removed
// only while that kept copy is still, unchanged, the file the scan hashed.
class DuplicatesClean {
public:
    DuplicatesClean(DataFiller& engine, const ScanListing& listing);
    void run();

    // The copy a group keeps: its kept index, or copy 0 when that is out of range.
    static std::size_t keptIndex(std::int32_t indexToRetain, std::size_t copies);

private:
    using Outcome = RemovalRun::Outcome;

    // False when a stop request ended the clean.
    bool cleanGroup(RemovalRun& run, const OutlineViewNode::Ptr& group);
    Outcome removeCopy(RemovalRun& run, const std::string& path, const std::string& keptPath) const;
    // The kept copy is still the very file the scan listed, unchanged, and not `path`'s file.
    bool keptCopyIntact(const std::string& keptPath, const std::string& path) const;
    // Why the kept copy cannot vouch for removing `path`; nothing when it can.
    const char* keptCopyProblem(const std::string& keptPath, const std::string& path) const;
    void finishGroup(RemovalRun& run, const OutlineViewNode::Ptr& group);

    DataFiller& engine_;
    const ScanListing& listing_;
};

} // namespace qengine
