#include "engine/DuplicatesClean.h"

#include "engine/DataFiller.h"
#include "engine/GroupWalk.h"
#include "engine/RemovalRun.h"
#include "engine/ScanListing.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <algorithm>

namespace qengine {

namespace {

const std::string& kModule = modules::kDuplicatesFinder;

} // namespace

DuplicatesClean::DuplicatesClean(DataFiller& engine, const ScanListing& listing)
    : engine_(engine), listing_(listing) {}

void DuplicatesClean::run() {
    RemovalRun removal(engine_, kModule, listing_.root());
    // Rows are only marked here; the page redraws once it has taken them out.
    removal.setReloadAtEnd(false);
    if (!removal.active()) return;
    const ModuleList::Nodes groups = GroupWalk::groups(removal.list());
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        if (*it && !cleanGroup(removal, *it)) return;
    }
}

bool DuplicatesClean::cleanGroup(RemovalRun& removal, const OutlineViewNode::Ptr& group) {
    ModuleList& list = removal.list();
    if (!GroupWalk::isWalked(list, *group)) return true;
    for (std::size_t i = 0;; ++i) {
        const auto copy = GroupWalk::childAt(list, *group, i);
        if (!copy) break;
        if (!copy->node) continue;
        if (removal.shouldStop()) return false;
        if (copy->state != 1 || copy->isDeleted) continue;
        qcore::log(kModule, " Clean:", copy->path);
        const Outcome outcome = removeCopy(removal, copy->path);
        if (outcome == Outcome::Failed) continue;
        list.withLock(
            [&](ModuleList::Nodes&, ModuleList::Rows&) { copy->node->setIsDeleted(true); });
        // A copy that was already gone freed nothing here, so it is not counted.
        if (outcome == Outcome::Removed) removal.itemRemoved(copy->bytes);
    }
    finishGroup(removal, group);
    return true;
}

DuplicatesClean::Outcome DuplicatesClean::removeCopy(RemovalRun& removal,
                                                     const std::string& path) const {
    const auto listedType = listing_.typeOf(path);
    if (!listedType) {
        qcore::log("Not removing ", path, ": the last scan did not list it");
        return Outcome::Failed;
    }
    if (!qcore::FileManager::exists(path)) return Outcome::Vanished;
    if (*listedType == RemovalCheck::ItemType::Folder)
        return removal.removeChecked(path, *listedType) ? Outcome::Removed : Outcome::Failed;
    if (!engine_.hasPermissionsToDelete(path)) {
        qcore::log("Error in deleting ", path);
        return Outcome::Failed;
    }
    // A listed file is unlinked, never removed recursively, and never through a link.
    if (!removal.removeChecked(path, RemovalCheck::ItemType::File)) return Outcome::Failed;
    qcore::logLine("Delete with unlink");
    return Outcome::Removed;
}

// A group keeps its row while two or more of its copies remain; with at most one left it is no
// longer a set of duplicates and the page drops it. A copy whose removal failed still counts as
// remaining, so its row is never dropped with the group.
void DuplicatesClean::finishGroup(RemovalRun& removal, const OutlineViewNode::Ptr& group) {
    removal.list().withLock([&](ModuleList::Nodes& groups, ModuleList::Rows&) {
        const auto& copies = group->children();
        const auto remaining = std::count_if(copies.begin(), copies.end(), [](const auto& copy) {
            return copy && !copy->isDeleted();
        });
        if (copies.empty() || remaining > 1) {
            group->setState(0);
            return;
        }
        group->setIsDeleted(true);
        const auto it = std::find(groups.begin(), groups.end(), group);
        if (it != groups.end())
            DataFiller::updateChildPIndexArrayAfterParentDeletion(
                static_cast<std::int32_t>(it - groups.begin()), groups);
    });
}

} // namespace qengine
