#pragma once

#include "tests/shell/support/ScratchFolder.h"

#include "shell/app/AppController.h"
#include "shell/delegate/PellorAppDelegate.h"

#include "platform/ui/QtMainThread.h"
#include "toolkit/WAYAppStoreWindow.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The application as main() puts it together, over a fixture home folder, with every dialog
// scripted and recorded: the main-thread hand-over installed, the window, the delegate and
// the controller. Make it on the GUI thread with a QApplication in place.
class ShellFixture {
public:
    struct Record {
        std::vector<QString> panelStarts;
        std::vector<QString> panelTitles;
        std::vector<QString> modalAlerts;
        std::vector<QString> sheetAlerts;
        std::vector<QUrl> openedUrls;
        int quits = 0;
    };
    // How the scripted folder panel answers; by default it chooses the home folder.
    using PanelScript = std::function<void(const QString& start, qshell::ShellDialogs::FolderDone)>;

    ShellFixture();
    ~ShellFixture();
    ShellFixture(const ShellFixture&) = delete;
    ShellFixture& operator=(const ShellFixture&) = delete;

    const std::string& home() const { return home_; }
    ScratchFolder& scratch() { return scratch_; }
    // Junk for the One Click scans: cache folders, log files and crash reports.
    void addJunk(int caches, int logs, int crashReports) const;

    // Stores a grant of the home folder, so the start shows no sheet.
    void grantHomeInAdvance() const;
    // Creates the controller (the interface file's step).
    void create();
    // The launch set-up; the grant check then runs from the event loop.
    void launch();
    // Removes the settings a run leaves behind that would change the next start.
    static void forgetEarlierRuns();
    // Runs the event loop until `done` or the time-out; false on time-out.
    static bool waitFor(const std::function<bool()>& done, int timeoutMs = 10000);

    qtk::WAYAppStoreWindow& window() { return *window_; }
    qshell::PellorAppDelegate& delegate() { return delegate_; }
    qshell::AppController& controller() { return *controller_; }
    Record& record() { return record_; }
    PanelScript panelScript;
    int popoverCalls = 0;
    int statusItemCalls = 0;

private:
    ScratchFolder scratch_;
    std::string home_;
    qui::QtMainThread mainThread_;
    std::unique_ptr<qtk::WAYAppStoreWindow> window_;
    qshell::PellorAppDelegate delegate_;
    Record record_;
    std::unique_ptr<qshell::AppController> controller_;
};
