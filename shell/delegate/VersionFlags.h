#pragma once

#include "platform/core/SystemVersion.h"

#include <string>

namespace qshell {

// The application delegate's system-version answers, computed from a version profile.
struct VersionFlags {
    bool isOSX_7_AndAbove1 = false;
    bool isOSX_8_AndAbove1 = false;
    bool isOSX_9_AndAbove1 = false;
    bool isOSX_10_AndAbove1 = false;
    bool isOSX_11_AndAbove1 = false;
    bool isOSX_10_WITHSUBVERSION1 = false;
    bool isOSX_15_AndAbove = false;
    // 10.10 and later, as CustomSheetWindow::isYosemite answers it.
    bool isYosemite = false;
    bool isOSXGreaterThan11 = false; // 10.15 and later
    bool isOSXGreaterThan13 = false; // 13 and later
    std::string versionText;         // "major.minor", as logged at launch

    static VersionFlags fromProfile(const qcore::SystemVersion& profile);
};

} // namespace qshell
