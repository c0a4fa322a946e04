#include "engine/TreeModuleClean.h"

#include "engine/DBOperations.h"
#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/GroupWalk.h"
#include "engine/Pacer.h"
#include "engine/RemovalRun.h"
#include "engine/ScanListing.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <algorithm>

namespace qengine {

using qcore::FileManager;
using ItemType = RemovalCheck::ItemType;

TreeModuleClean::TreeModuleClean(DataFiller& engine, std::string module, const ScanListing& listing,
                                 std::vector<std::string> folders)
    : engine_(engine), module_(std::move(module)), listing_(listing), folders_(std::move(folders)) {
}

void TreeModuleClean::run() {
    RemovalRun run(engine_, module_, folders_.empty() ? std::string() : folders_.front());
    if (!run.active()) return;
    run.setReloadAtEnd(false);
    visited_ = 0;
    for (std::size_t g = 0;; ++g) {
        const auto group = run.list().withLock(
            [&](ModuleList::Nodes& groups, ModuleList::Rows&) -> OutlineViewNode::Ptr {
                return g < groups.size() ? groups[g] : nullptr;
            });
        if (!group) break;
        if (!GroupWalk::isWalked(run.list(), *group)) continue;
        walkGroup(run, group);
        settleGroupState(group);
    }
}

void TreeModuleClean::walkGroup(RemovalRun& run, const OutlineViewNode::Ptr& group) {
    std::size_t index = 0;
    while (const auto item = itemAt(group, index)) {
        if (run.shouldStop()) return;
        // The page redraws between items; the first item of the run needs no redraw.
        if (visited_++ > 0) engine_.sendReloadNotification(module_);
        Pacer::sleep(0.05);
        const auto outcome = item->state == 1 ? cleanItem(*item) : RemovalRun::Outcome::Failed;
        if (outcome == RemovalRun::Outcome::Failed) {
            ++index;
            continue;
        }
        eraseChild(group, item->node);
        // An item whose every path had already vanished freed nothing here.
        run.itemRemoved(outcome == RemovalRun::Outcome::Removed ? item->bytes : 0);
    }
}

std::optional<TreeModuleClean::Item> TreeModuleClean::itemAt(const OutlineViewNode::Ptr& group,
                                                             std::size_t index) {
    return engine_.mainDataSource(module_).withLock(
        [&](ModuleList::Nodes&, ModuleList::Rows&) -> std::optional<Item> {
            const auto& children = group->children();
            if (index >= children.size() || !children[index]) return std::nullopt;
            const auto& node = children[index];
            Item item{node, node->state(), node->isMultiplePaths(), {}, node->sizeInBytes()};
            item.paths =
                item.multiple ? node->arrFullPath() : std::vector<std::string>{node->fullPath()};
            return item;
        });
}

RemovalRun::Outcome TreeModuleClean::cleanItem(const Item& item) {
    std::vector<std::string> remaining;
    bool cleanedAny = false;
    for (const std::string& path : item.paths) {
        qcore::log(module_, " Clean:", path);
        // Applications prune their own caches: a path that vanished since the scan is gone all
        // the same.
        if (!FileManager::exists(path)) continue;
        if (cleanPath(path) == Outcome::Gone) {
            cleanedAny = true;
            continue;
        }
        if (!FileManager::exists(path)) continue;
        qcore::log("Error in deleting ", path);
        remaining.push_back(path);
    }
    if (remaining.empty())
        return cleanedAny ? RemovalRun::Outcome::Removed : RemovalRun::Outcome::Vanished;
    if (item.multiple && remaining.size() < item.paths.size())
        keepRemainingPaths(item, std::move(remaining));
    return RemovalRun::Outcome::Failed;
}

TreeModuleClean::Outcome TreeModuleClean::cleanPath(const std::string& path) const {
    const auto listedType = listing_.typeOf(path);
    const auto folder = folderFor(path);
    if (!listedType || !folder) {
        qcore::log("Not removing ", path, ": not listed by the last scan of ", module_);
        return Outcome::Failed;
    }
    const RemovalCheck check{*listedType, *folder};
    if (DBOperations::isDatabasePath(path))
        return emptyDatabase(path, check) ? Outcome::Gone : Outcome::Failed;
    return engine_.removalObject().removeSingleItem(path, check) ? Outcome::Gone : Outcome::Failed;
}

// Cache databases stay on disk, emptied: only a regular file still below the module's folder.
bool TreeModuleClean::emptyDatabase(const std::string& path, const RemovalCheck& check) const {
    const auto attributes = FileManager::attributes(path);
    if (check.listedType != ItemType::File || !attributes || !attributes->isRegular()) {
        qcore::log("Not emptying ", path, ": it is no longer the database that was listed");
        return false;
    }
    const std::string parent =
        FileManager::canonicalPath(FileManager::deletingLastPathComponent(path));
    if (!FileManager::isInside(parent, FileManager::canonicalPath(check.moduleFolder))) {
        qcore::log("Not emptying ", path, ": no longer inside the module's folder");
        return false;
    }
    return DBOperations::dbEmptyData(path);
}

std::optional<std::string> TreeModuleClean::folderFor(const std::string& path) const {
    for (const std::string& folder : folders_)
        if (path != folder && FileManager::isInside(path, folder)) return folder;
    return std::nullopt;
}

void TreeModuleClean::keepRemainingPaths(const Item& item, std::vector<std::string> remaining) {
    std::uint64_t bytes = 0;
    for (const std::string& path : remaining)
        bytes += FileOperations::bytesOf(FileOperations::getFileSize(path));
    engine_.mainDataSource(module_).withLock([&](ModuleList::Nodes&, ModuleList::Rows&) {
        item.node->setArrFullPath(std::move(remaining));
        item.node->setSize(FileOperations::textOf(bytes));
    });
}

void TreeModuleClean::eraseChild(const OutlineViewNode::Ptr& group,
                                 const OutlineViewNode::Ptr& child) {
    engine_.mainDataSource(module_).withLock([&](ModuleList::Nodes&, ModuleList::Rows&) {
        auto& children = group->children();
        children.erase(std::remove(children.begin(), children.end(), child), children.end());
    });
}

// The group's box follows what is left: ticked when every child is, clear when none is.
void TreeModuleClean::settleGroupState(const OutlineViewNode::Ptr& group) {
    engine_.mainDataSource(module_).withLock([&](ModuleList::Nodes&, ModuleList::Rows&) {
        const auto& children = group->children();
        const auto ticked = std::count_if(children.begin(), children.end(),
                                          [](const auto& c) { return c && c->state() == 1; });
        if (ticked == 0)
            group->setState(0);
        else
            group->setState(ticked == static_cast<std::ptrdiff_t>(children.size()) ? 1 : -1);
    });
}

} // namespace qengine
