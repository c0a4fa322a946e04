#include "engine/ScanRun.h"

#include "engine/DataFiller.h"
#include "engine/Pacer.h"
#include "platform/core/Log.h"

namespace qengine {

namespace {
const std::string kStart = "start";
const std::string kStop = "stop";
const std::string kScan = "scan";
} // namespace

ScanRun::ScanRun(DataFiller& engine, std::string module, int cadenceEvery, ListReset reset)
    : engine_(engine), module_(std::move(module)), flags_(engine_.flags(module_)),
      list_(engine_.mainDataSource(module_)), cadence_(cadenceEvery) {
    if (!flags().beginOperation()) {
        qcore::log(module_, ": a scan or clean already runs; scan not started");
        return;
    }
    began_ = true;
    flags().isFilling.store(true);
    if (!DataFiller::homeIsUsable()) {
        qcore::log(module_, ": no usable home folder; nothing scanned");
        engine_.sendActivityStartStopNotification(module_, kStart, kScan);
        flags().aborted.store(true);
        return;
    }
    home_ = DataFiller::homeDirectory();
    if (reset == ListReset::Clear) {
        list().clear();
    } else {
        list().withLock([](ModuleList::Nodes& groups, ModuleList::Rows&) {
            for (const auto& group : groups)
                if (group) group->children().clear();
        });
    }
    engine_.sendActivityStartStopNotification(module_, kStart, kScan);
    active_ = true;
}

ScanRun::~ScanRun() {
    if (!began_) return;
    flags().stopFilling.store(false);
    flags().isFilling.store(false);
    // Released before "stop" so that a handler of it may start the next operation.
    flags().endOperation();
    engine_.sendActivityStartStopNotification(module_, kStop, kScan);
}

ModuleList& ScanRun::list() {
    return list_;
}
ModuleFlags& ScanRun::flags() {
    return flags_;
}

bool ScanRun::shouldStop() {
    if (!flags().stopFilling.load()) return false;
    flags().aborted.store(true);
    return true;
}

void ScanRun::countItem(std::uint64_t bytes) {
    ++count_;
    size_ += bytes;
    engine_.sendUpdateNotification(module_, count_, size_);
}

void ScanRun::itemFound(std::uint64_t bytes, double sleepSeconds) {
    countItem(bytes);
    Pacer::sleep(sleepSeconds);
}

void ScanRun::countedPointWithReload(double sleepSeconds) {
    if (cadence_.tick()) reloadAndSleep(sleepSeconds);
}

void ScanRun::countedPointWithHandshake() {
    if (cadence_.tick()) pauseHandshake();
}

void ScanRun::reloadAndSleep(double sleepSeconds) {
    engine_.sendReloadNotification(module_);
    Pacer::sleep(sleepSeconds);
}

bool ScanRun::pauseHandshake() {
    flags().pause.store(true);
    engine_.sendReloadNotification(module_);
    if (!Pacer::waitWhile(flags().pause, 0.01)) return false;
    Pacer::sleep(0.01);
    return true;
}

} // namespace qengine
