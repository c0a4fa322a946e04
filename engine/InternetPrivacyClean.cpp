#include "engine/InternetPrivacyClean.h"

#include "engine/DBOperations.h"
#include "engine/DataFiller.h"
#include "engine/GroupWalk.h"
#include "engine/InternetPrivacyScan.h"
#include "engine/ModuleKeys.h"
#include "engine/Pacer.h"
#include "engine/RemovalRun.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"
#include "platform/core/Value.h"

#include <algorithm>

namespace qengine {

using qcore::FileManager;
using ItemType = RemovalCheck::ItemType;

namespace {

const std::string& kModule = modules::kInternetPrivacy;

enum class Listed { Same, Gone, Changed };

// Whether the path still is the item the scan listed, looked at without following links, and
// still lies below the folder it was found in.
Listed lookAgain(const PrivacyItemNode::ListedPath& listed) {
    const auto attributes = FileManager::attributes(listed.path);
    if (!attributes) return Listed::Gone;
    const ItemType now = attributes->isLink()        ? ItemType::Link
                         : attributes->isDirectory() ? ItemType::Folder
                                                     : ItemType::File;
    if (now == ItemType::Link || now != listed.check.listedType) return Listed::Changed;
    const std::string parent =
        FileManager::canonicalPath(FileManager::deletingLastPathComponent(listed.path));
    const std::string folder = FileManager::canonicalPath(listed.check.moduleFolder);
    return FileManager::isInside(parent, folder) ? Listed::Same : Listed::Changed;
}

std::int64_t groupStateFor(const OutlineViewNode::Children& children) {
    const auto ticked = std::count_if(children.begin(), children.end(),
                                      [](const auto& child) { return child->state() == 1; });
    if (ticked == 0) return 0;
    return ticked == static_cast<std::ptrdiff_t>(children.size()) ? 1 : -1;
}

} // namespace

InternetPrivacyClean::InternetPrivacyClean(DataFiller& engine) : engine_(engine) {}

std::string InternetPrivacyClean::bundleIdentifierForBrowser(const std::string& groupTitle) {
    if (groupTitle == InternetPrivacyScan::kSafari) return "com.apple.Safari";
    if (groupTitle == InternetPrivacyScan::kFirefox) return "org.mozilla.firefox";
    if (groupTitle == InternetPrivacyScan::kGoogleChrome) return "com.google.Chrome";
    return "";
}

void InternetPrivacyClean::removeInternetPrivacy() {
    home_ = DataFiller::homeDirectory();
    RemovalRun run(engine_, kModule, home_);
    // A tree clean ends without a reload, also when it had nothing to do.
    run.setReloadAtEnd(false);
    if (!run.active()) return;

    const auto groups = GroupWalk::groups(run.list());
    bool visitedBefore = false;
    for (const auto& group : groups) {
        if (!group) continue;
        const auto [state, title] =
            run.list().withLock([&](const ModuleList::Nodes&, const ModuleList::Rows&) {
                return std::pair{group->state(), group->title()};
            });
        if (state == 0) continue;
        // A running browser holds its files; its rows stay for a later clean.
        const std::string bundle = bundleIdentifierForBrowser(title);
        if (!bundle.empty() && engine_.checkAppOpen(bundle)) continue;
        cleanGroup(run, group, visitedBefore);
    }
}

void InternetPrivacyClean::cleanGroup(RemovalRun& run, const OutlineViewNode::Ptr& group,
                                      bool& visitedBefore) {
    ModuleList& list = run.list();
    for (std::size_t i = 0;;) {
        const auto [child, state] =
            list.withLock([&](const ModuleList::Nodes&, const ModuleList::Rows&) {
                const auto& children = group->children();
                return i < children.size() ? std::pair{children[i], children[i]->state()}
                                           : std::pair{OutlineViewNode::Ptr(), std::int64_t{0}};
            });
        if (!child) break;
        if (run.shouldStop()) break;
        if (visitedBefore) engine_.sendReloadNotification(kModule);
        visitedBefore = true;
        Pacer::sleep(0.05);

        const auto item = std::dynamic_pointer_cast<PrivacyItemNode>(child);
        if (state != 1 || !item) {
            ++i;
            continue;
        }
        const std::uint64_t bytes = list.withLock(
            [&](const ModuleList::Nodes&, const ModuleList::Rows&) { return item->listedBytes(); });
        const RemovalRun::Outcome outcome = cleanItem(*item);
        if (outcome == RemovalRun::Outcome::Failed) {
            ++i;
            continue;
        }
        // Captured by copy: clang 14 cannot capture a structured binding.
        list.withLock([&, removed = child](ModuleList::Nodes&, ModuleList::Rows&) {
            auto& children = group->children();
            std::erase(children, removed);
        });
        // An item whose every path had already vanished freed nothing here.
        run.itemRemoved(outcome == RemovalRun::Outcome::Removed ? bytes : 0);
    }
    // Rows that could not be cleaned keep their ticks, so the group must still lead to them.
    list.withLock([&](ModuleList::Nodes&, ModuleList::Rows&) {
        group->setState(groupStateFor(group->children()));
    });
}

RemovalRun::Outcome InternetPrivacyClean::cleanItem(PrivacyItemNode& item) {
    ModuleList& list = engine_.mainDataSource(kModule);
    const auto paths = list.withLock(
        [&](const ModuleList::Nodes&, const ModuleList::Rows&) { return item.listedPaths(); });
    std::vector<std::size_t> failed;
    bool anyThere = false;
    for (std::size_t index = 0; index < paths.size(); ++index) {
        qcore::log(kModule, " Clean:", paths[index].path);
        anyThere = anyThere || FileManager::exists(paths[index].path);
        if (!handlePath(paths[index])) failed.push_back(index);
    }
    if (failed.empty())
        return anyThere ? RemovalRun::Outcome::Removed : RemovalRun::Outcome::Vanished;
    list.withLock([&](ModuleList::Nodes&, ModuleList::Rows&) { item.retainListedPaths(failed); });
    return RemovalRun::Outcome::Failed;
}

bool InternetPrivacyClean::handlePath(const ListedPath& listed) {
    if (listed.action == Action::Remove) {
        if (!FileManager::exists(listed.path)) return true; // nothing left to remove
        return engine_.removalObject().removeSingleItem(listed.path, listed.check);
    }
    switch (lookAgain(listed)) {
    case Listed::Gone:
        return true;
    case Listed::Changed:
        qcore::log("Not cleaning ", listed.path, ": it is no longer what was listed");
        return false;
    case Listed::Same:
        break;
    }
    switch (listed.action) {
    case Action::EmptyDatabase:
        return DBOperations::dbEmptyData(listed.path);
    case Action::EmptyFirefoxHistory:
        return DBOperations::emptyFirefoxInternetHistory(listed.path);
    case Action::EmptyTables:
        return DBOperations::emptyExistingTables(listed.path, listed.tables);
    case Action::EmptyGoogleCookies:
        return DBOperations::emptyGoogleCookies(listed.path);
    case Action::MoveToTrash:
        return moveToTrash(listed);
    case Action::ClearClosedTabs:
        return clearClosedTabs(listed.path);
    case Action::Remove:
        break;
    }
    return false;
}

bool InternetPrivacyClean::moveToTrash(const ListedPath& listed) const {
    const std::string trash = FileManager::appendingPathComponent(home_, ".Trash");
    if (!FileManager::createDirectories(trash)) return false;
    const std::string name = FileManager::lastPathComponent(listed.path);
    const std::string stem = FileManager::deletingPathExtension(name);
    const std::string extension = FileManager::pathExtension(name);
    for (int copy = 1; copy <= 1000; ++copy) {
        const std::string candidate = copy == 1 ? name
                                                : stem + " " + std::to_string(copy) +
                                                      (extension.empty() ? "" : "." + extension);
        const std::string target = FileManager::appendingPathComponent(trash, candidate);
        if (FileManager::exists(target)) continue;
        std::string error;
        if (FileManager::moveItem(listed.path, target, &error)) return true;
        qcore::log("Could not move ", listed.path, " to the Trash: ", error);
        return false;
    }
    return false;
}

bool InternetPrivacyClean::clearClosedTabs(const std::string& path) {
    auto plist = qcore::Value::fromPlistFile(path);
    auto* dictionary = plist ? plist->dictionary() : nullptr;
    if (!dictionary) {
        qcore::log("Could not read ", path);
        return false;
    }
    (*dictionary)["ClosedTabOrWindowPersistentStates"] = qcore::Array{};
    return plist->writeXmlPlistAtomically(path);
}

} // namespace qengine
