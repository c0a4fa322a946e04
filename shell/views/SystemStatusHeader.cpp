#include "shell/views/SystemStatusHeader.h"

#include "shell/views/ModuleTotals.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"

#include <algorithm>

namespace qshell {

namespace {

std::string info(const qcore::Dictionary& userInfo, const std::string& key) {
    const auto it = userInfo.find(key);
    return it == userInfo.end() ? std::string() : it->second.toString();
}

bool isJunkModule(const std::string& module) {
    const auto& modules = OneClickControl::junkModules();
    return std::find(modules.begin(), modules.end(), module) != modules.end();
}

} // namespace

SystemStatusHeader::SystemStatusHeader(OneClickControl& control, Hooks hooks)
    : control_(control), hooks_(std::move(hooks)) {}

std::string SystemStatusHeader::sizeLabel() const {
    return totals_.label(buttons_.isScan(), control_.engine().sizeLangTokens());
}

std::string SystemStatusHeader::handleUpdate(const qcore::Dictionary& userInfo) {
    totals_.update(info(userInfo, "notificationGroup"),
                   qengine::FileOperations::bytesOf(info(userInfo, "size")));
    junkLabel_ = sizeLabel();
    return junkLabel_;
}

bool SystemStatusHeader::handleActivityStartStop(const qcore::Dictionary& userInfo) {
    const std::string module = info(userInfo, "activityName");
    if (!isJunkModule(module)) return false;
    const bool started = info(userInfo, "operation") == "start";
    decideScanOrRemoveButton(started);
    if (started) {
        ++removingFlag_;
        totals_.reset(module);
    } else {
        // Never below 0: a stray stop must not keep the lock from closing for ever.
        removingFlag_ = std::max(0, removingFlag_ - 1);
    }
    return true;
}

void SystemStatusHeader::decideScanOrRemoveButton(bool started) {
    const bool scanning = control_.anyScanning();
    const bool removing = control_.anyRemoving();
    if (hooks_.mirrorActivity) hooks_.mirrorActivity(scanning, removing);
    const qengine::DataFiller& engine = control_.engine();
    buttons_.decide(started, scanning, removing,
                    {[&engine] { return ModuleTotals::checkItemsAvailable(engine); },
                     [&engine] { return ModuleTotals::junkBytes(engine); }});
}

void SystemStatusHeader::startStopScan(int state) {
    if (state == 1) {
        buttons_.scanStartRequested();
        for (const auto& module : control_.startScanNow())
            totals_.reset(module);
        return;
    }
    control_.stopScans();
    buttons_.scanStopRequested();
}

SystemStatusHeader::RemoveClick SystemStatusHeader::startStopRemove(int state) {
    if (state == 1) return RemoveClick::ShowOneClickPage;
    control_.stopCleans();
    buttons_.cleanStopRequested();
    return RemoveClick::Stopped;
}

void SystemStatusHeader::startScanNowInThread() {
    junkLabel_ = "Junk Found: 0 bytes";
    // Workers are started from here at once: starting them needs no thread of its own.
    for (const auto& module : control_.startScanNow())
        totals_.reset(module);
}

bool SystemStatusHeader::startSystemScan() {
    if (hooks_.clearOneTimeStartScan) hooks_.clearOneTimeStartScan();
    if (control_.anyRemoving()) return false;
    startScanNowInThread();
    return true;
}

void SystemStatusHeader::fixNow() {
    if (hooks_.clearOneTimeStartScan) hooks_.clearOneTimeStartScan();
    startScanNowInThread();
}

void SystemStatusHeader::lockUnlock() {
    qengine::DataFiller& engine = control_.engine();
    if (lockFlag_) {
        engine.initRemoveObjectIfRequired("");
    } else if (removingFlag_ == 0) {
        engine.releaseRemoveObject();
    }
}

int SystemStatusHeader::handleAnimateLock(const qcore::Dictionary& userInfo) {
    lockFlag_ = info(userInfo, "Locked") == "YES";
    return lockFlag_ ? kLockShift : -kLockShift;
}

} // namespace qshell
