#pragma once

#include "engine/OutlineViewNode.h"
#include "engine/RemovalCheck.h"
#include "engine/RemovalRun.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace qengine {

class DataFiller;
class ScanListing;

// The clean of the System Cleaner and Logs Cleaner trees: ticked items of walked groups are
// removed, cache databases emptied in place. A path goes only when the last scan listed it, it
// still has the type it had then, and it lies below one of the module's folders; an item whose
// paths did not all go stays in the list and is not counted.
class TreeModuleClean {
public:
    TreeModuleClean(DataFiller& engine, std::string module, const ScanListing& listing,
                    std::vector<std::string> folders);

    void run();

private:
    struct Item {
        OutlineViewNode::Ptr node;
        std::int64_t state = 0;
        bool multiple = false;
        std::vector<std::string> paths;
        std::uint64_t bytes = 0;
    };
    enum class Outcome { Gone, Failed };

    void walkGroup(RemovalRun& run, const OutlineViewNode::Ptr& group);
    std::optional<Item> itemAt(const OutlineViewNode::Ptr& group, std::size_t index);
    // Removed (or emptied) when every path of the item is dealt with and one of them was
    // there to clean; Vanished when every path was already gone; else Failed, and the paths
    // left stay on the item.
    RemovalRun::Outcome cleanItem(const Item& item);
    Outcome cleanPath(const std::string& path) const;
    bool emptyDatabase(const std::string& path, const RemovalCheck& check) const;
    std::optional<std::string> folderFor(const std::string& path) const;
    void keepRemainingPaths(const Item& item, std::vector<std::string> remaining);
    void eraseChild(const OutlineViewNode::Ptr& group, const OutlineViewNode::Ptr& child);
    void settleGroupState(const OutlineViewNode::Ptr& group);

    DataFiller& engine_;
    std::string module_;
    const ScanListing& listing_;
    std::vector<std::string> folders_;
    int visited_ = 0;
};

} // namespace qengine
