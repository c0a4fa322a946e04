#include "shell/popover/StatusBarCommands.h"
#include "shell/common/ShellNotifications.h"

#include <gtest/gtest.h>

using qshell::StatusBarCommands;

namespace {

struct Recorder {
    std::vector<std::string> calls;
    StatusBarCommands::Actions actions() {
        auto record = [this](const char* name) { return [this, name] { calls.push_back(name); }; };
        return {record("open"), record("oneClickScan"), record("oneClickStop"),
                record("duplicateScan"), record("duplicateStop")};
    }
};

} // namespace

TEST(ShellStatusBarCommands, EachCommandBringsTheWindowBackThenActs) {
    Recorder recorder;
    qcore::NotificationCenter center;
    const StatusBarCommands commands(recorder.actions(), center);
    const auto post = [&center](const std::string& command) {
        center.post(qshell::notifications::kPerformOperationFromStatusBarItem, nullptr,
                    {{qshell::notifications::kCommand, command}});
    };

    post("ONECLICK-Scan");
    post("ONECLICK-Stop");
    post("DUPLICATE-Scan");
    post("DUPLICATE-Stop");
    post("OPENAPP");
    post("oneclick-scan"); // commands are exact
    const std::vector<std::string> expected{"open", "oneClickScan",  "open", "oneClickStop",
                                            "open", "duplicateScan", "open", "duplicateStop",
                                            "open", "open"};
    EXPECT_EQ(recorder.calls, expected);
}

TEST(ShellStatusBarCommands, StopsListeningWhenDestroyed) {
    Recorder recorder;
    qcore::NotificationCenter center;
    { const StatusBarCommands commands(recorder.actions(), center); }
    center.post(qshell::notifications::kPerformOperationFromStatusBarItem, nullptr,
                {{qshell::notifications::kCommand, "OPENAPP"}});
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(StatusBarCommands::parse("DUPLICATE-Stop"),
              StatusBarCommands::Command::DuplicateStop);
}
