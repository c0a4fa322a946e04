#pragma once

#include "engine/ModuleList.h"
#include "engine/OutlineViewNode.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qengine {

// The reads a tree clean makes while it walks a module's groups and their children. Each read
// takes the list's lock and lets it go again, so the worker's edits between reads are seen.
class GroupWalk {
public:
    // What a clean needs of one child, copied under the lock.
    struct Child {
        OutlineViewNode::Ptr node; // empty for an empty slot; the other fields are then unset
        std::int64_t state = 0;
        bool isDeleted = false;
        std::string path;
        std::uint64_t bytes = 0;
    };

    // The group nodes as they stand now (the pointers, not copies of the nodes).
    static ModuleList::Nodes groups(const ModuleList& list);
    // A group is walked unless it is unticked.
    static bool isWalked(const ModuleList& list, const OutlineViewNode& group);
    // The child at `index` of `group`; nullopt past its last child.
    static std::optional<Child> childAt(const ModuleList& list, const OutlineViewNode& group,
                                        std::size_t index);
};

} // namespace qengine
