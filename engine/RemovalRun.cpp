#include "engine/RemovalRun.h"

#include "engine/DataFiller.h"
#include "engine/Pacer.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

namespace qengine {

namespace {
const std::string kStart = "start";
const std::string kStop = "stop";
const std::string kRemove = "remove";
} // namespace

RemovalRun::RemovalRun(DataFiller& engine, std::string module, std::string moduleFolder)
    : engine_(engine), module_(std::move(module)), moduleFolder_(std::move(moduleFolder)) {
    if (!flags().beginOperation()) {
        qcore::log(module_, ": a scan or clean already runs; clean not started");
        return;
    }
    if (DataFiller::homeIsUsable() && !engine_.initRemoveObjectIfRequired(module_)) {
        flags().endOperation();
        return;
    }
    began_ = true;
    flags().isRemoving.store(true);
    engine_.sendActivityStartStopNotification(module_, kStart, kRemove);
    if (!DataFiller::homeIsUsable()) {
        qcore::log(module_, ": no usable home folder; nothing removed");
        flags().aborted.store(true);
        return;
    }
    active_ = true;
}

RemovalRun::~RemovalRun() {
    if (!began_) return;
    flags().stopRemoving.store(false);
    flags().isRemoving.store(false);
    if (reloadAtEnd_) engine_.sendReloadNotification(module_);
    // Released before "stop" so that a handler of it may start the next operation.
    flags().endOperation();
    engine_.sendActivityStartStopNotification(module_, kStop, kRemove);
}

ModuleList& RemovalRun::list() {
    return engine_.mainDataSource(module_);
}
ModuleFlags& RemovalRun::flags() {
    return engine_.flags(module_);
}

bool RemovalRun::shouldStop() {
    if (!flags().stopRemoving.load()) return false;
    flags().aborted.store(true);
    return true;
}

bool RemovalRun::removeChecked(const std::string& path, RemovalCheck::ItemType listedType) const {
    return removeChecked(path, RemovalCheck{listedType, moduleFolder_});
}

bool RemovalRun::removeChecked(const std::string& path, RemovalCheck check) const {
    if (check.moduleFolder.empty()) check.moduleFolder = moduleFolder_;
    return engine_.removalObject().removeSingleItem(path, check);
}

RemovalRun::Outcome RemovalRun::removeOrFindGone(const std::string& path,
                                                 RemovalCheck::ItemType listedType) const {
    if (!qcore::FileManager::exists(path)) return Outcome::Vanished;
    if (removeChecked(path, listedType)) return Outcome::Removed;
    // Gone meanwhile; a refused path (swapped for a link, moved outside) is still there.
    return qcore::FileManager::exists(path) ? Outcome::Failed : Outcome::Vanished;
}

void RemovalRun::itemRemoved(std::uint64_t bytes, double sleepSeconds) {
    ++count_;
    size_ += bytes;
    engine_.sendUpdateNotification(module_, count_, size_);
    Pacer::sleep(sleepSeconds);
}

void RemovalRun::reloadAndSleep(double sleepSeconds) {
    engine_.sendReloadNotification(module_);
    Pacer::sleep(sleepSeconds);
}

void RemovalRun::removeFlatRows(const FlatHooks& hooks) {
    if (!active_) return;
    int handled = 0;
    std::size_t index = 0;
    while (const auto row = list().rowAt(index)) {
        if (!row::isChecked(*row)) {
            ++index;
            continue;
        }
        if (shouldStop()) break;
        if (hooks.beforeCheckedRow)
            hooks.beforeCheckedRow(*this, handled);
        else if (handled > 0)
            reloadAndSleep(0.05);
        ++handled;

        const std::string path = row::fullPath(*row);
        const Outcome outcome = removeOrFindGone(path, row::listedType(*row));
        if (outcome == Outcome::Failed || !eraseHandledRow(index, path)) {
            ++index;
            continue;
        }
        itemRemoved(outcome == Outcome::Removed ? row::size(*row) : 0);
    }
}

// The main thread only edits rows in place, but the row is looked up by its path all the same
// so that a removal never takes out a row it did not handle.
bool RemovalRun::eraseHandledRow(std::size_t index, const std::string& path) {
    return list().withLock([&](ModuleList::Nodes&, ModuleList::Rows& rows) {
        if (index < rows.size() && row::fullPath(rows[index]) == path) {
            rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
            return true;
        }
        for (auto it = rows.begin(); it != rows.end(); ++it) {
            if (row::fullPath(*it) == path) {
                rows.erase(it);
                return true;
            }
        }
        return false;
    });
}

} // namespace qengine
