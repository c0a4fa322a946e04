#pragma once

#include <string>

namespace qshell {

// Notification names and payload keys that pass between the shell, the pages and the popover.
namespace notifications {

inline const std::string kCheckHomeAccess = "CheckHomeAccessNotification";
inline const std::string kPerformOperationFromStatusBarItem = "PerformOperationFromStatusBarItem";
inline const std::string kShowTheApp = "showtheapp";
inline const std::string kMyNotification = "My_Notification";
inline const std::string kOneTimeStartScan = "OneTimeStartScanNotification";
inline const std::string kHideDetailsView = "HideDetailsViewNotification";
inline const std::string kResize = "ResizeNotification";
inline const std::string kReloadLastScan = "ReloadLastScanNotification";
inline const std::string kSendLogs = "SendLogsNotification";
inline const std::string kResetDefaults = "ResetDefaultsNotification";
inline const std::string kStopOneClickCareScan = "StopOneClickCareScan";
inline const std::string kLoadOneClickCare = "LoadOneClickCare";

inline const std::string kNotificationGroup = "notificationGroup";
inline const std::string kShowView = "showView";
// Our notifications carry their sender only as an address, so a status-bar command travels in
// the payload under this key.
inline const std::string kCommand = "command";

} // namespace notifications

} // namespace qshell
