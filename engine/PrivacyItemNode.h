#pragma once

#include "engine/OutlineViewNode.h"
#include "engine/RemovalCheck.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qengine {

// An Internet Privacy item row: one kind of browser trace standing for several paths. Each
// path carries what the scan saw and how the clean is to handle it, so the clean never has to
// guess the kind from a (translated) title.
class PrivacyItemNode : public OutlineViewNode {
public:
    enum class Action {
        Remove,              // deleted, after checking it still is what was listed
        EmptyDatabase,       // every table emptied in place
        EmptyFirefoxHistory, // places no bookmark refers to, with their visits
        EmptyTables,         // the listed tables emptied in place (Chrome history files)
        EmptyGoogleCookies,  // the "cookies" table emptied in place
        MoveToTrash,         // moved to the home's Trash
        ClearClosedTabs,     // Safari's closed-tabs list set to empty
    };

    struct ListedPath {
        std::string path;
        RemovalCheck check;
        Action action = Action::Remove;
        std::vector<std::string> tables; // EmptyTables only
        std::uint64_t size = 0;
    };

    PrivacyItemNode() = default;

    OutlineViewNode::Ptr clone() const override;

    const std::vector<ListedPath>& listedPaths() const { return listedPaths_; }
    // Appends the path to arrFullPath as well and adds its size to the row's size.
    void addListedPath(ListedPath listed);
    // Keeps only the listed paths whose index is in `keep` (paths a clean could not handle);
    // arrFullPath and size follow.
    void retainListedPaths(const std::vector<std::size_t>& keep);
    std::uint64_t listedBytes() const;

private:
    PrivacyItemNode(const PrivacyItemNode&) = default;
    void syncPathsAndSize();

    std::vector<ListedPath> listedPaths_;
};

} // namespace qengine
