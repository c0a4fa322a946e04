#pragma once

#include "shell/views/SidebarTree.h"

#include <string>
#include <vector>

namespace qshell {

// What a change of the sidebar's selection shows, and the one-time start of the One Click
// scan on the first visit of its page.
class SidebarSelection {
public:
    enum class Action {
        Nothing,          // building, or not exactly one row selected
        ShowSystemStatus, // remove every page and fade the header back in
        ShowPage,         // showView(displayName), then hideNeedle
        RemoveAllViews,   // a heading or spacer chosen by number
    };
    struct Outcome {
        Action action = Action::Nothing;
        std::string displayName;
        // Post "OneTimeStartScanNotification" before showing the page.
        bool postOneTimeStartScan = false;
    };

    explicit SidebarSelection(const SidebarTree& tree) : tree_(tree) {}

    // The selection is now `selectedRows`; `building` while the list is being filled.
    Outcome selectionChanged(const std::vector<int>& selectedRows, bool building = false);

    bool oneTimeStartScan() const { return oneTimeStartScan_; }
    // The header's start and fix actions start the scan themselves.
    void clearOneTimeStartScan() { oneTimeStartScan_ = false; }

private:
    const SidebarTree& tree_;
    bool oneTimeStartScan_ = true;
};

} // namespace qshell
