#include "shell/views/SidebarSelection.h"

#include <algorithm>
#include <array>

namespace qshell {

namespace {

// The modules whose rows show a page of their own.
const std::array<const char*, 11> kPageModules = {
    "System Cleaner",   "One Click Cleaning", "Duplicates Finder", "Partial Downloads",
    "Logs Cleaner",     "Trash Cleaner",      "Large Files",       "Old Downloads",
    "Internet Privacy", "Misc Cleaning",      "Uninstaller"};

} // namespace

SidebarSelection::Outcome SidebarSelection::selectionChanged(const std::vector<int>& selectedRows,
                                                             bool building) {
    Outcome outcome;
    if (building || selectedRows.size() != 1) return outcome;
    const auto node = tree_.nodeAt(selectedRows.front());
    if (!node) return outcome;

    const TextSource& texts = tree_.texts();
    const std::string& title = node->nodeTitle();
    if (title == texts.module(SidebarTree::kSystemStatusName)) {
        outcome.action = Action::ShowSystemStatus;
        return outcome;
    }
    if (oneTimeStartScan_ && title == texts.module(SidebarTree::kOneClickCleaningName)) {
        outcome.postOneTimeStartScan = true;
        oneTimeStartScan_ = false;
    }
    const bool isPage =
        std::any_of(kPageModules.begin(), kPageModules.end(),
                    [&](const char* module) { return title == texts.module(module); });
    outcome.action = isPage ? Action::ShowPage : Action::RemoveAllViews;
    if (isPage) outcome.displayName = title;
    return outcome;
}

} // namespace qshell
