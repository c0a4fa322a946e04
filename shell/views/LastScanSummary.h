#pragma once

#include "shell/common/TextSource.h"
#include "shell/views/JunkLevel.h"

#include "platform/core/UserDefaults.h"
#include "platform/core/Value.h"

#include <optional>
#include <string>

namespace qshell {

// The System Status panel's texts from the stored last One Click scan. Fields left empty
// (nothing) leave their control as it is.
struct LastScanPanel {
    std::string timeText;
    std::optional<std::string> issuesWord; // "Issue Found" / "Issues Found"
    std::string issuesCount;
    std::string junkSize;
    std::string junkGrade;
    std::optional<JunkLevel::Grade> gradeColour; // the engine's low, medium or high colour
    std::optional<int> level;                    // the level bar
    std::optional<std::string> fixNowTitle;
    std::optional<bool> showFixNow;
    std::optional<bool> showRecoverNow;
};

class LastScanSummary {
public:
    inline static const std::string kGroup = "GRP_SYSTEM_STATUS";

    // Reads "lastScanSystemTime", "lastScanSystemStatus" and "lastScanJunkSize"; a time stored
    // as text (an older form) is removed and saved first.
    static LastScanPanel read(qcore::UserDefaults& defaults, const TextSource& texts,
                              qcore::Date now = qcore::Date::now());
};

} // namespace qshell
