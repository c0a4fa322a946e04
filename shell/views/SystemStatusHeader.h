#pragma once

#include "shell/views/HeaderButtons.h"
#include "shell/views/JunkTotals.h"
#include "shell/views/OneClickControl.h"

#include "platform/core/Value.h"

#include <functional>
#include <string>
#include <vector>

namespace qshell {

// The System Status header's state: the junk total, the two buttons and the lock, following
// every scan and clean of the four junk modules whoever started them. Main thread only.
class SystemStatusHeader {
public:
    struct Hooks {
        // The application delegate's isScanningOneClick and isRemovingOneClick.
        std::function<void(bool scanning, bool removing)> mirrorActivity;
        // The header's start and fix actions start the scan themselves.
        std::function<void()> clearOneTimeStartScan;
    };
    enum class RemoveClick { ShowOneClickPage, Stopped };
    static constexpr int kLockShift = 27;

    SystemStatusHeader(OneClickControl& control, Hooks hooks = {});

    // "DataFillerUpdateNotification": the junk label's new text.
    std::string handleUpdate(const qcore::Dictionary& userInfo);
    // "ActivityStartStopNotification": false when it is not about a junk module.
    bool handleActivityStartStop(const qcore::Dictionary& userInfo);

    // The header scan button, with its state after the click toggled it.
    void startStopScan(int state);
    // The header clean button, with its state after the click.
    RemoveClick startStopRemove(int state);
    // The panel's start button: refused (false) while a clean of the four runs. The caller
    // shows the One Click page and selects its row first.
    bool startSystemScan();
    // Fix Now and the popover's "ONECLICK-Scan": starts whatever is free.
    void fixNow();

    // The lock button's action; the engine answers with "AnimateLockNotification".
    void lockUnlock();
    // "AnimateLockNotification": how far the lock button moves (+27 locked, -27 not).
    int handleAnimateLock(const qcore::Dictionary& userInfo);

    const HeaderButtons& buttons() const { return buttons_; }
    const JunkTotals& totals() const { return totals_; }
    const std::string& junkLabel() const { return junkLabel_; }
    int removingFlag() const { return removingFlag_; }
    bool lockFlag() const { return lockFlag_; }

private:
    void startScanNowInThread();
    void decideScanOrRemoveButton(bool started);
    std::string sizeLabel() const;

    OneClickControl& control_;
    Hooks hooks_;
    HeaderButtons buttons_;
    JunkTotals totals_;
    std::string junkLabel_;
    int removingFlag_ = 0;
    bool lockFlag_ = true;
};

} // namespace qshell
