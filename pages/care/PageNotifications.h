#pragma once

#include <string>

namespace qpages {

// Names and payload keys of the notifications the pages observe or post.
namespace notes {

inline const std::string kActivityStartStop = "ActivityStartStopNotification";
inline const std::string kDataFillerUpdate = "DataFillerUpdateNotification";
inline const std::string kReload = "ReloadNotification";
inline const std::string kOneTimeStartScan = "OneTimeStartScanNotification";
inline const std::string kHideDetailsView = "HideDetailsViewNotification";
inline const std::string kResize = "ResizeNotification";
inline const std::string kResetDefaults = "ResetDefaultsNotification";
inline const std::string kStopOneClickCareScan = "StopOneClickCareScan";
inline const std::string kLoadOneClickCare = "LoadOneClickCare";
inline const std::string kReloadLastScan = "ReloadLastScanNotification";
inline const std::string kMyNotification = "My_Notification";

inline const std::string kActivityName = "activityName";
inline const std::string kOperation = "operation";
inline const std::string kActivityType = "activityType";
inline const std::string kNotificationGroup = "notificationGroup";
inline const std::string kCount = "count";
inline const std::string kSize = "size";
inline const std::string kShowView = "showView";

inline const std::string kStart = "start";
inline const std::string kStop = "stop";
inline const std::string kScan = "scan";

inline const std::string kOneClickCleaning = "One Click Cleaning";

} // namespace notes

} // namespace qpages
