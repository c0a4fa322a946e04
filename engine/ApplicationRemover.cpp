#include "engine/ApplicationRemover.h"

#include "engine/LeftoverFinder.h"
#include "engine/RemoveItem.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"
#include "platform/core/ScriptTask.h"

namespace qengine {

using qcore::FileManager;

namespace {

void logCleaned(const std::string& path) {
    qcore::log("Uninstaller: ", path, " cleaned");
}

// The first folder of the bundle (itself included) whose entries the user cannot remove, so
// that a bundle that cannot go whole is not taken apart; "" when there is none.
std::string firstUnremovableFolder(const std::string& bundle) {
    if (!FileManager::isWritable(bundle)) return bundle;
    qcore::DirectoryEnumerator walk(bundle);
    while (const auto entry = walk.next())
        if (entry->attributes.isDirectory() &&
            (!FileManager::isWritable(entry->path) || !FileManager::isReadable(entry->path)))
            return entry->path;
    return "";
}

} // namespace

bool ApplicationRemover::removeBundle(const AppBundle& bundle, std::string* error) {
    const std::string& path = bundle.path();
    const auto fail = [error](std::string reason) {
        if (error) *error = std::move(reason);
        return false;
    };
    const auto attributes = FileManager::attributes(path);
    if (!attributes) return fail("it no longer exists");
    if (!attributes->isDirectory() || !AppBundle::looksLikeApplication(path) ||
        FileManager::canonicalPath(path) != path)
        return fail("it is no longer the application folder it was");
    if (const std::string stuck = firstUnremovableFolder(path); !stuck.empty())
        return fail("the contents of " + stuck + " cannot be removed");
    RemovalCheck check;
    check.listedType = RemovalCheck::ItemType::Folder;
    check.moduleFolder = FileManager::deletingLastPathComponent(path);
    const bool removed = RemoveItem().removeSingleItem(path, check);
    // A folder removed only in part is still there: that is a failure, whatever was deleted.
    if (!removed || FileManager::exists(path)) return fail("it could not be removed");
    return true;
}

bool ApplicationRemover::removeLeftover(const LeftoverEntry& entry) {
    if (!LeftoverFinder::isStillInPlace(entry)) {
        qcore::log("Uninstaller: ", entry.path, " is no longer what it was; not removed");
        return false;
    }
    return RemoveItem().removeSingleItem(entry.path, entry.check) &&
           !FileManager::exists(entry.path);
}

void ApplicationRemover::removeLeftovers(const std::vector<LeftoverEntry>& leftovers,
                                         UninstallOutcome& outcome) {
    for (const auto& entry : leftovers) {
        if (removeLeftover(entry)) {
            logCleaned(entry.path);
            outcome.removedLeftovers.push_back(entry.path);
        } else {
            qcore::log("Uninstaller: could not remove ", entry.path);
            outcome.failedLeftovers.push_back(entry.path);
        }
    }
}

UninstallOutcome
ApplicationRemover::removeBundleAndLeftovers(const AppBundle& bundle,
                                             const std::vector<LeftoverEntry>& leftovers) {
    UninstallOutcome outcome;
    outcome.bundleRemoved = removeBundle(bundle, &outcome.bundleError);
    if (!outcome.bundleRemoved) {
        qcore::log("Uninstaller: could not remove ", bundle.path(), ": ", outcome.bundleError,
                   "; its leftovers are kept");
        return outcome;
    }
    logCleaned(bundle.path());
    removeLeftovers(leftovers, outcome);
    return outcome;
}

UninstallOutcome
ApplicationRemover::removeThroughScript(qcore::ScriptTask& task, const AppBundle& bundle,
                                        const std::vector<LeftoverEntry>& leftovers) {
    UninstallOutcome outcome;
    const auto result = task.run(kScriptHandler, bundle.path());
    if (!result.success) {
        outcome.bundleError = result.error.empty() ? "the script failed" : result.error;
    } else if (FileManager::exists(bundle.path())) {
        outcome.bundleError = "the script left the application in place";
    } else {
        outcome.bundleRemoved = true;
    }
    qcore::log("ApplicationRemover::removeThroughScript AppleScript task error = ",
               outcome.bundleRemoved ? "(null)" : outcome.bundleError);
    if (!outcome.bundleRemoved) return outcome;
    removeLeftovers(leftovers, outcome);
    return outcome;
}

} // namespace qengine
