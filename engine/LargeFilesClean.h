#pragma once

#include "engine/OutlineViewNode.h"
#include "engine/RemovalRun.h"

#include <string>

namespace qengine {

class DataFiller;
class ScanListing;

// One run of the Large Files clean (removeLargeFiles): the ticked files of every category row
// that is not unticked are removed and taken out of the list; each walked row ends unticked.
class LargeFilesClean {
public:
    LargeFilesClean(DataFiller& engine, const ScanListing& listing);
    void run();

private:
    using Outcome = RemovalRun::Outcome;

    void cleanCategory(RemovalRun& run, const OutlineViewNode::Ptr& category);
    // Reload before every child but the first looked at in the whole run, then 0.03 s.
    void paceBeforeChild(RemovalRun& run);
    Outcome removeFile(RemovalRun& run, const std::string& path) const;

    DataFiller& engine_;
    const ScanListing& listing_;
    bool lookedAtAChild_ = false;
};

} // namespace qengine
