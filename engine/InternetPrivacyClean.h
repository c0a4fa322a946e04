#pragma once

#include "engine/PrivacyItemNode.h"
#include "engine/RemovalRun.h"

#include <string>

namespace qengine {

class DataFiller;

// The Internet Privacy clean: walks the ticked item rows of each ticked browser group, empties
// browser databases in place and removes the other listed paths, each only when it still is
// what the scan listed. An item leaves the list, counted, only when all its paths were handled;
// otherwise it stays with the paths that could not be.
class InternetPrivacyClean {
public:
    explicit InternetPrivacyClean(DataFiller& engine);

    // The whole clean, on the calling worker thread.
    void removeInternetPrivacy();

    // The bundle identifier that tells whether the browser of a group runs; "" for none.
    static std::string bundleIdentifierForBrowser(const std::string& groupTitle);

private:
    using Action = PrivacyItemNode::Action;
    using ListedPath = PrivacyItemNode::ListedPath;

    // Walks one group's items until its end or a stop request.
    void cleanGroup(RemovalRun& run, const OutlineViewNode::Ptr& group, bool& visitedBefore);
    // Handles every path of the item: Removed when nothing of it is left, Vanished when it was
    // all gone already, Failed when some of it stays (and stays listed).
    RemovalRun::Outcome cleanItem(PrivacyItemNode& item);
    bool handlePath(const ListedPath& listed);
    bool moveToTrash(const ListedPath& listed) const;
    static bool clearClosedTabs(const std::string& path);

    DataFiller& engine_;
    std::string home_;
};

} // namespace qengine
