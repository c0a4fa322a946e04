#include "shell/views/HeaderButtons.h"

namespace qshell {

namespace {
const std::string kCommon = "GRP_CMN";
const std::string kSystemStatus = "GRP_SYSTEM_STATUS";
} // namespace

HeaderButtons::HeaderButtons() {
    // As the window loads: the scan button shown, the clean button hidden with "Fix Now".
    scan_ = Face{true, true, 0, kCommon, "ID_START_SCAN"};
    clean_ = Face{false, true, 0, kSystemStatus, "ID_FIX_NOW"};
}

void HeaderButtons::scanFace() {
    scan_ = Face{true, true, 1, kCommon, "ID_STOP_SCAN"};
    clean_.visible = false;
    isScan_ = true;
}

void HeaderButtons::cleanFace() {
    scan_.visible = false;
    clean_ = Face{true, true, 1, kCommon, "ID_STOP_CLEANING"};
    isScan_ = false;
}

void HeaderButtons::idle(const Results& results) {
    const bool itemsAvailable = results.itemsAvailable && results.itemsAvailable();
    if (!itemsAvailable) {
        // Enabled whatever the last activity was, so a stopped scan that found nothing never
        // leaves the header without a usable button.
        scan_ = Face{true, true, 0, kCommon, "ID_START_SCAN"};
        clean_.visible = false;
        return;
    }
    scan_.visible = false;
    const bool hasBytes = results.checkedBytes && results.checkedBytes() > 0;
    clean_ = Face{true, hasBytes, 0, kCommon, "ID_CLEAN_NOW"};
}

void HeaderButtons::decide(bool started, bool scanning, bool removing, const Results& results) {
    if (started) {
        if (scanning && removing) {
            scan_.enabled = false;
            clean_.enabled = false;
            isScan_ = true;
        } else if (scanning) {
            scanFace();
        } else if (removing) {
            cleanFace();
        }
        return;
    }
    if (removing) {
        cleanFace();
    } else if (scanning) {
        scanFace();
    } else {
        idle(results);
    }
}

void HeaderButtons::scanStopRequested() {
    scan_.state = 1;
    scan_.enabled = false;
}

void HeaderButtons::cleanStopRequested() {
    clean_.enabled = false;
    clean_.state = 0;
}

void HeaderButtons::scanStartRequested() {
    scan_.titleGroup = kCommon;
    scan_.titleKey = "ID_STOP_SCAN";
}

} // namespace qshell
