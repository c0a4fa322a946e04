#include "shell/popover/StatusBarCommands.h"

#include "shell/common/ShellNotifications.h"

namespace qshell {

namespace {
void run(const std::function<void()>& action) {
    if (action) action();
}
} // namespace

StatusBarCommands::StatusBarCommands(Actions actions, qcore::NotificationCenter& center)
    : actions_(std::move(actions)), center_(center) {
    observer_ = center_.addObserver(
        this, notifications::kPerformOperationFromStatusBarItem,
        [this](const qcore::Notification& n) { dispatch(n.info(notifications::kCommand)); });
}

StatusBarCommands::~StatusBarCommands() {
    center_.removeObserver(observer_);
}

StatusBarCommands::Command StatusBarCommands::parse(const std::string& command) {
    if (command == kOneClickScan) return Command::OneClickScan;
    if (command == kOneClickStop) return Command::OneClickStop;
    if (command == kDuplicateScan) return Command::DuplicateScan;
    if (command == kDuplicateStop) return Command::DuplicateStop;
    if (command == kOpenApp) return Command::OpenApp;
    return Command::Other;
}

void StatusBarCommands::dispatch(const std::string& command) const {
    run(actions_.openAppFromBackground);
    switch (parse(command)) {
    case Command::OneClickScan:
        run(actions_.oneClickScan);
        break;
    case Command::OneClickStop:
        run(actions_.oneClickStop);
        break;
    case Command::DuplicateScan:
        run(actions_.duplicateScan);
        break;
    case Command::DuplicateStop:
        run(actions_.duplicateStop);
        break;
    case Command::OpenApp:
    case Command::Other:
        break;
    }
}

} // namespace qshell
