#include "engine/DuplicatesClean.h"

#include "engine/DataFiller.h"
#include "engine/DupOVNode.h"
#include "engine/FileIdentity.h"
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

std::size_t DuplicatesClean::keptIndex(std::int32_t indexToRetain, std::size_t copies) {
    if (indexToRetain < 0 || static_cast<std::size_t>(indexToRetain) >= copies) return 0;
    return static_cast<std::size_t>(indexToRetain);
}

bool DuplicatesClean::cleanGroup(RemovalRun& removal, const OutlineViewNode::Ptr& group) {
    ModuleList& list = removal.list();
    if (!GroupWalk::isWalked(list, *group)) return true;
    const auto [kept, keptPath] =
        list.withLock([&](const ModuleList::Nodes&, const ModuleList::Rows&) {
            const auto* dup = dynamic_cast<const DupOVNode*>(group.get());
            const auto& copies = group->children();
            const std::size_t index = keptIndex(dup ? dup->indexToRetain() : -1, copies.size());
            const bool present = index < copies.size() && copies[index];
            return std::pair{index, present ? copies[index]->fullPath() : std::string()};
        });
    for (std::size_t i = 0;; ++i) {
        const auto copy = GroupWalk::childAt(list, *group, i);
        if (!copy) break;
        if (!copy->node) continue;
        if (removal.shouldStop()) return false;
        if (copy->state != 1 || copy->isDeleted) continue;
        qcore::log(kModule, " Clean:", copy->path);
        if (i == kept) {
            qcore::log("Not removing ", copy->path, ": it is the copy its group keeps");
            continue;
        }
        const Outcome outcome = removeCopy(removal, copy->path, keptPath);
        if (outcome == Outcome::Failed) continue;
        list.withLock(
            [&](ModuleList::Nodes&, ModuleList::Rows&) { copy->node->setIsDeleted(true); });
        // A copy that was already gone counts as cleaned but freed nothing here.
        removal.itemRemoved(outcome == Outcome::Removed ? copy->bytes : 0);
    }
    finishGroup(removal, group);
    return true;
}

DuplicatesClean::Outcome DuplicatesClean::removeCopy(RemovalRun& removal, const std::string& path,
                                                     const std::string& keptPath) const {
    const auto listedType = listing_.typeOf(path);
    if (!listedType) {
        qcore::log("Not removing ", path, ": the last scan did not list it");
        return Outcome::Failed;
    }
    if (!qcore::FileManager::exists(path)) return Outcome::Vanished;
    if (!keptCopyIntact(keptPath, path)) return Outcome::Failed;
    // The copy itself must also be what was hashed; the removal checks that at the last moment.
    RemovalCheck check{*listedType, listing_.root(), listing_.identityOf(path)};
    if (!check.identity) {
        qcore::log("Not removing ", path, ": the scan did not record what it was");
        return Outcome::Failed;
    }
    if (*listedType == RemovalCheck::ItemType::Folder)
        return removal.removeChecked(path, check) ? Outcome::Removed : Outcome::Failed;
    if (!engine_.hasPermissionsToDelete(path)) {
        qcore::log("Error in deleting ", path);
        return Outcome::Failed;
    }
    // A listed file is unlinked, never removed recursively, and never through a link.
    check.listedType = RemovalCheck::ItemType::File;
    if (!removal.removeChecked(path, check)) return Outcome::Failed;
    qcore::logLine("Delete with unlink");
    return Outcome::Removed;
}

bool DuplicatesClean::keptCopyIntact(const std::string& keptPath, const std::string& path) const {
    const char* reason = keptCopyProblem(keptPath, path);
    if (!reason) return true;
    qcore::log("Not removing ", path, ": ", reason, " (", keptPath, ")");
    return false;
}

const char* DuplicatesClean::keptCopyProblem(const std::string& keptPath,
                                             const std::string& path) const {
    const auto listed = listing_.identityOf(keptPath);
    if (keptPath.empty() || !listed) return "the scan did not list its kept copy";
    const auto now = FileIdentity::of(keptPath);
    if (!now) return "its kept copy no longer exists";
    if (!(*now == *listed)) return "its kept copy has changed since the scan";
    const auto copy = FileIdentity::of(path);
    if (copy && copy->isSameFile(*now)) return "it is the same file as its kept copy";
    return nullptr;
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
