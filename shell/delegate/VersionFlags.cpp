#include "shell/delegate/VersionFlags.h"

namespace qshell {

VersionFlags VersionFlags::fromProfile(const qcore::SystemVersion& profile) {
    VersionFlags flags;
    const int major = profile.major();
    const int minor = profile.minor();
    flags.versionText = std::to_string(major) + "." + std::to_string(minor);

    flags.isOSX_15_AndAbove = flags.versionText == "10.15";
    if (flags.versionText == "10.7") {
        flags.isOSX_7_AndAbove1 = true;
    } else if (flags.versionText == "10.8") {
        flags.isOSX_8_AndAbove1 = true;
    } else if (flags.versionText == "10.9") {
        flags.isOSX_9_AndAbove1 = true;
    } else if (flags.versionText == "10.10") {
        (profile.patch() != 0 ? flags.isOSX_10_WITHSUBVERSION1 : flags.isOSX_10_AndAbove1) = true;
    } else {
        flags.isOSX_11_AndAbove1 = true;
    }

    // The version query answers 10.16 on 11 and later, so every later system counts as 10.10
    // or later; the sheet window asks the same question.
    flags.isYosemite = major > 10 || minor > 9;
    flags.isOSXGreaterThan11 =
        profile.hasProcessInformationVersion() && (major > 10 || (major == 10 && minor > 14));
    flags.isOSXGreaterThan13 = major > 12;
    return flags;
}

} // namespace qshell
