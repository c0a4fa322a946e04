#pragma once

#include "shell/common/TextSource.h"
#include "shell/views/ShellDialogs.h"
#include "shell/views/SidebarSelection.h"

#include "platform/core/NotificationCenter.h"
#include "toolkit/WindowDelegate.h"

#include <QObject>
#include <QPixmap>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace Ui {
class MainMenuInterface;
}
namespace qcore {
class ScriptTask;
class UserDefaults;
} // namespace qcore
namespace qengine {
class DataFiller;
}
namespace qpages {
class PageBase;
}
namespace qui {
class WorkerThreads;
}

namespace qshell {

class ApplicationMenu;
class FeedbackSheet;
class FeedbackSheetView;
class HomeFolderSheet;
class HomeGrant;
class LastScanPanelView;
class OneClickControl;
class PellorAppDelegate;
class SheetRunner;
class SidebarView;
class StatusBarCommands;
class StatusHeaderView;
class SystemStatusHeader;

// The main window's controller. It owns the engine and the eleven module pages for the whole
// run, shows one page at a time beside the sidebar, hands the engine's notifications over to
// the main thread, carries out the status-bar commands, keeps running when the window is
// closed, and runs the home-folder grant and the feedback form. Main thread only.
class AppController : public QObject, public qtk::WindowDelegate {
    Q_OBJECT
public:
    struct Options {
        ShellDialogs dialogs = ShellDialogs::standard();
        // Where the script comes from and goes; empty: the bundle's, the scripts folder.
        std::string scriptSource;
        std::string scriptsFolder;
        // Whether the network answers, for the feedback form; empty: the probe.
        std::function<bool()> networkUp;
        int popoverDelayMs = 1000;
    };

    AppController(qtk::WAYAppStoreWindow& window, PellorAppDelegate& delegate,
                  qcore::UserDefaults& defaults, Options options);
    AppController(qtk::WAYAppStoreWindow& window, PellorAppDelegate& delegate,
                  qcore::UserDefaults& defaults);
    ~AppController() override;
    AppController(const AppController&) = delete;
    AppController& operator=(const AppController&) = delete;

    // --- Pages ----------------------------------------------------------------------------
    // The page registered under a module's display name; nullptr for none.
    qpages::PageBase* page(const std::string& displayName) const;
    // Display names in the order the pages were made.
    const std::vector<std::string>& pageNames() const { return pageNames_; }
    std::string displayName(const std::string& module) const;
    void showView(const std::string& displayName);
    void addView(QWidget* view);
    void removeAllView();
    // The page view in the right pane; nullptr while the System Status view shows.
    QWidget* shownView() const;

    // --- Window ---------------------------------------------------------------------------
    std::optional<bool> windowShouldClose(qtk::WAYAppStoreWindow& window) override;
    void windowWillClose(qtk::WAYAppStoreWindow& window) override;
    void closeWindowButKeepAppAlive();
    void showPopoverAfterWindowClose();
    void openAppFromBackground();
    void terminateApp();
    bool isFullScreen() const;

    // --- System Status and status-bar commands ---------------------------------------------
    void fixNow();
    void startSystemScan();
    void stopOneClickCareScan();
    void openDuplicateFilesSectionAndStartScan();
    void stopDuplicateScan();
    void lockUnlock();
    void updateLastScanFromSaved();

    // --- Alerts, feedback and links --------------------------------------------------------
    void displayAlertWithMessageText(const QString& message);
    void showAboutBox();
    void btnRateUsClicked();
    void openFeedbackWindow();
    void openHelp();
    void openSpeedTest();
    void openWebsite();

    // --- Notification hand-over: the first of each pair runs on the posting thread -----------
    void handleViewChange(const qcore::Notification& n);
    void mainthread_handleViewChange(const qcore::Notification& n);
    void handleAnimateLockNotification(const qcore::Notification& n);
    void mainthread_handleAnimateLockNotification(const qcore::Notification& n);
    void handleUpdates(const qcore::Notification& n);
    void mainthread_handleUpdates(const qcore::Notification& n);
    void handleActivityStartStop(const qcore::Notification& n);
    void mainthread_handleActivityStartStop(const qcore::Notification& n);
    void handleReloadLastScanNotification(const qcore::Notification& n);
    void mainthread_handleReloadLastScanNotification(const qcore::Notification& n);
    void handleCheckHomeAccessNotification(const qcore::Notification& n);
    void mainthread_handleCheckHomeAccessNotification(const qcore::Notification& n);
    void handleSendLogsNotification(const qcore::Notification& n);
    void mainthread_handleSendLogsNotification(const qcore::Notification& n);
    void handleAwakeNotification(const qcore::Notification& n);
    void mainthread_handleAwakeNotification(const qcore::Notification& n);

    // --- For the application and its tests --------------------------------------------------
    qengine::DataFiller& engine() const { return *engine_; }
    qtk::WAYAppStoreWindow& window() const { return window_; }
    Ui::MainMenuInterface& ui() const { return *ui_; }
    SidebarView& sidebar() const { return *sidebar_; }
    SystemStatusHeader& header() const { return *header_; }
    StatusHeaderView& headerView() const { return *headerView_; }
    HomeGrant& homeGrant() const { return *homeGrant_; }
    HomeFolderSheet& homeFolderSheet() const { return *homeFolderSheet_; }
    FeedbackSheetView& feedbackView() const { return *feedbackView_; }
    ApplicationMenu& menu() const { return *menu_; }
    const std::set<std::string>& awakeModules() const { return awakeModules_; }
    qcore::ScriptTask* scriptTask() const { return scriptTask_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Creation and interface set-up, in order.
    void deleteSavedWindowState() const;
    void registerObservers();
    void prepareViewControllers();
    void awakeFromNib();
    void setUpContent();
    void setUpHeader();
    void setUpSheets();
    void setUpMenu();
    void setUpFooter();
    void setUpSplitView();
    void setUpSidebar();
    QString systemHeaderLine() const;

    template <typename Page> void makePage(const std::string& module);
    void handOver(void (AppController::*method)(const qcore::Notification&),
                  const qcore::Notification& n, bool wait);
    void sidebarSelectionChanged(const SidebarSelection::Outcome& outcome);
    void showSystemStatus();
    void splitViewDidResize();
    void showOneClickPage();
    void openLink(const std::string& url, bool isHelp);
    void granted(const std::string& folder);
    void installFile();
    void getMozilaprofilePath(const std::string& scriptsFolder);
    QString token(const std::string& group, const std::string& key) const;

    qtk::WAYAppStoreWindow& window_;
    PellorAppDelegate& delegate_;
    qcore::UserDefaults& defaults_;
    Options options_;
    qcore::NotificationCenter& center_;
    std::unique_ptr<qengine::DataFiller> engine_;
    TextSource texts_;
    // Page registry: display name to page, the only owner of each page.
    std::map<std::string, std::unique_ptr<qpages::PageBase>> pages_;
    std::vector<std::string> pageNames_;
    std::unique_ptr<qui::WorkerThreads> workers_;
    std::unique_ptr<OneClickControl> oneClick_;
    std::unique_ptr<SystemStatusHeader> header_;
    std::unique_ptr<Ui::MainMenuInterface> ui_;
    QWidget* content_ = nullptr;
    std::unique_ptr<SheetRunner> sheetRunner_;
    SidebarView* sidebar_ = nullptr;
    StatusHeaderView* headerView_ = nullptr;
    LastScanPanelView* panelView_ = nullptr;
    HomeFolderSheet* homeFolderSheet_ = nullptr;
    std::unique_ptr<HomeGrant> homeGrant_;
    std::unique_ptr<FeedbackSheet> feedback_;
    FeedbackSheetView* feedbackView_ = nullptr;
    ApplicationMenu* menu_ = nullptr;
    std::unique_ptr<StatusBarCommands> statusBarCommands_;
    std::unique_ptr<qcore::ScriptTask> scriptTask_;
    std::set<std::string> awakeModules_;
    QPixmap folderImage_;
};

} // namespace qshell
