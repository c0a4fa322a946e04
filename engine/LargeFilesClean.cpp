#include "engine/LargeFilesClean.h"

#include "engine/DataFiller.h"
#include "engine/GroupWalk.h"
#include "engine/Pacer.h"
#include "engine/RemovalRun.h"
#include "engine/ScanListing.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <algorithm>

namespace qengine {

namespace {

const std::string& kModule = modules::kLargeFiles;

} // namespace

LargeFilesClean::LargeFilesClean(DataFiller& engine, const ScanListing& listing)
    : engine_(engine), listing_(listing) {}

void LargeFilesClean::run() {
    RemovalRun removal(engine_, kModule, listing_.root());
    if (!removal.active()) return;
    const ModuleList::Nodes categories = GroupWalk::groups(removal.list());
    for (const auto& category : categories)
        if (category) cleanCategory(removal, category);
}

void LargeFilesClean::cleanCategory(RemovalRun& removal, const OutlineViewNode::Ptr& category) {
    ModuleList& list = removal.list();
    if (!GroupWalk::isWalked(list, *category)) return;
    std::size_t i = 0;
    for (;;) {
        const auto child = GroupWalk::childAt(list, *category, i);
        if (!child) break;
        // A stop leaves this category; later ticked ones stop at their first child.
        if (removal.shouldStop()) break;
        paceBeforeChild(removal);
        if (!child->node || child->state != 1) {
            ++i;
            continue;
        }
        const Outcome outcome = removeFile(removal, child->path);
        if (outcome == Outcome::Failed) {
            ++i;
            continue;
        }
        list.withLock([&](ModuleList::Nodes&, ModuleList::Rows&) {
            auto& children = category->children();
            children.erase(std::remove(children.begin(), children.end(), child->node),
                           children.end());
        });
        // A file that was already gone counts as cleaned but freed nothing here.
        removal.itemRemoved(outcome == Outcome::Removed ? child->bytes : 0);
    }
    list.withLock([&](ModuleList::Nodes&, ModuleList::Rows&) { category->setState(0); });
}

void LargeFilesClean::paceBeforeChild(RemovalRun& removal) {
    if (lookedAtAChild_) engine_.sendReloadNotification(removal.module());
    lookedAtAChild_ = true;
    Pacer::sleep(0.03);
}

LargeFilesClean::Outcome LargeFilesClean::removeFile(RemovalRun& removal,
                                                     const std::string& path) const {
    const auto listedType = listing_.typeOf(path);
    if (!listedType) {
        qcore::log("Not removing ", path, ": the last scan did not list it");
        return Outcome::Failed;
    }
    const Outcome outcome = removal.removeOrFindGone(path, *listedType);
    if (outcome == Outcome::Failed) qcore::log("Error in deleting ", path);
    return outcome;
}

} // namespace qengine
