#pragma once

#include "platform/core/NotificationCenter.h"

#include <functional>
#include <string>

namespace qshell {

// Carries out the popover's commands, posted as "PerformOperationFromStatusBarItem" on the
// main thread with the command in the payload's "command". Every command first brings the
// main window back.
class StatusBarCommands {
public:
    enum class Command { OneClickScan, OneClickStop, DuplicateScan, DuplicateStop, OpenApp, Other };
    struct Actions {
        std::function<void()> openAppFromBackground;
        std::function<void()> oneClickScan;  // fixNow: the One Click page, its row, the scans
        std::function<void()> oneClickStop;  // the One Click page, row 4, the stop flags
        std::function<void()> duplicateScan; // row 19, the page, findDups with btnFindDups
        std::function<void()> duplicateStop; // row 19, the page, loadDataInDB with scanButton
    };

    inline static const std::string kOneClickScan = "ONECLICK-Scan";
    inline static const std::string kOneClickStop = "ONECLICK-Stop";
    inline static const std::string kDuplicateScan = "DUPLICATE-Scan";
    inline static const std::string kDuplicateStop = "DUPLICATE-Stop";
    inline static const std::string kOpenApp = "OPENAPP";

    explicit StatusBarCommands(Actions actions, qcore::NotificationCenter& center =
                                                    qcore::NotificationCenter::defaultCenter());
    ~StatusBarCommands();
    StatusBarCommands(const StatusBarCommands&) = delete;
    StatusBarCommands& operator=(const StatusBarCommands&) = delete;

    static Command parse(const std::string& command);
    // Handled at once: the popover posts on the main thread.
    void dispatch(const std::string& command) const;

private:
    Actions actions_;
    qcore::NotificationCenter& center_;
    qcore::NotificationCenter::ObserverId observer_ = 0;
};

} // namespace qshell
