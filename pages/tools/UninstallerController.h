#pragma once

#include "engine/AppBundle.h"
#include "engine/ApplicationRemover.h"
#include "engine/LeftoverEntry.h"
#include "pages/care/PageBase.h"

#include <QPointer>
#include <QRect>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Ui {
class UninstallerInterface;
}

namespace qpages {

class UninstallDragDrop;
class UninstallerAppsSheet;

// The Uninstaller page: one application dropped on it, its details and leftovers, and its
// removal. The bundle and its leftovers are found, sized and removed on worker threads; the
// page hands each worker its own copy of what it needs, and while one runs the page takes no
// drop and offers no Back, so nothing a worker reads changes under it.
class UninstallerController : public PageBase {
    Q_OBJECT
public:
    // How the page looks: waiting for a drop, showing an application, removing it, done.
    enum class Face { Empty, Details, Uninstalling, Done };

    explicit UninstallerController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~UninstallerController() override;

    // Observers (posting thread) and their main-thread work.
    void handleFileEnterDropNotification(const qcore::Notification& n);
    void handleFileExitDropNotification(const qcore::Notification& n);
    void handleFileDropNotification(const qcore::Notification& n);
    void handleResizeNotification(const qcore::Notification& n);
    void mainthread_handleResizeNotification(const qcore::Notification& n);
    void mainthread_handleWindowBecameMain();
    void mainthread_handlewindowWillMinimize();

    // Actions of the page's controls (main thread).
    void rescanNow();
    void revealInFinder();
    void removeSelected();

    // What the page holds now.
    Face face() const { return face_; }
    bool hasItemToUninstall() const { return hasItemToUninstall_; }
    bool isBusy() const { return busy_; }
    const std::string& appPath() const { return appPath_; }
    const std::string& appName() const { return appName_; }
    const std::string& appIdentifier() const { return appIdentifier_; }
    const std::string& isWRApp() const { return isWRApp_; }
    const std::vector<qengine::LeftoverEntry>& leftovers() const { return arrFolkes_; }
    QRect frameStartAnim() const { return frameStartAnim_; }

    // The script that removes a protected bundle; by default the installed copy in the
    // application's scripts folder.
    void setScriptPath(std::string path) { scriptPath_ = std::move(path); }
    std::string scriptPath() const;
    // Shows a path in the file manager; the desktop's by default.
    void setRevealHandler(std::function<bool(const QString&)> reveal) {
        reveal_ = std::move(reveal);
    }

    UninstallDragDrop* dropView();
    UninstallerAppsSheet* appsRunningSheet();

protected:
    void loadInterface() override;
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Sizes {
        std::uint64_t bundleBytes = 0;
        std::uint64_t leftoverBytes = 0;
    };

    void registerObservers();
    bool isOwnDrop(const qcore::Notification& n) const;
    static std::optional<std::string> singlePath(const qcore::Notification& n,
                                                 const std::string& key);

    // Drag and drop (main thread).
    void dragEntered(const qcore::Notification& n);
    void dragExited();
    void dropped(const qcore::Notification& n);
    void slideIconAway();
    bool isOwnBundlePath(const std::string& path) const;
    void showAppDetails(const std::string& path);
    void refuseSystemApplication();
    QPixmap iconFor(const qengine::AppBundle& bundle) const;

    // Leftovers and their sizes (worker, then main thread).
    void startGettingFolksAttached();
    void showFolksSize(std::vector<qengine::LeftoverEntry> leftovers, Sizes sizes);

    // Removal.
    bool confirmUninstall();
    bool waitUntilNotRunning();
    bool isApplicationRunning() const;
    void startRemoval();
    void removalFinished(const qengine::UninstallOutcome& outcome);
    void uninstallationCompleteActions(const qengine::UninstallOutcome& outcome);
    void uninstallationStopped(const qengine::UninstallOutcome& outcome);

    // Face and texts.
    void setBusy(bool busy);
    void progressBarStart(bool start);
    void updateDescription(bool isScanning, bool isCleaning);
    void updateLanguageTokens();
    void changeFontAndSize();
    void setUpUninstallButton();
    void placePanels();
    void showProblem(const QString& text);
    void hideProblem();
    QString uninstallerToken(const std::string& key) const;

    std::unique_ptr<Ui::UninstallerInterface> ui_;
    QPointer<UninstallerAppsSheet> appsRunningSheet_;
    QPointer<QWidget> watchedWindow_;

    Face face_ = Face::Empty;
    bool hasItemToUninstall_ = false;
    bool busy_ = false; // a worker of the page runs
    bool isRetry_ = false;
    bool isCanceled_ = false;
    int dragGeneration_ = 0;

    std::optional<qengine::AppBundle> app_;
    std::string appPath_;
    std::string appName_;
    std::string appIdentifier_;
    std::string isWRApp_ = "NO";
    std::vector<qengine::LeftoverEntry> arrFolkes_;
    QRect frameStartAnim_;

    std::string scriptPath_;
    std::function<bool(const QString&)> reveal_;
};

} // namespace qpages
