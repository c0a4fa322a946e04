#pragma once

#include "pages/care/OneClickControls.h"
#include "pages/care/OneClickDetails.h"
#include "pages/care/OneClickTally.h"
#include "pages/care/PageBase.h"
#include "pages/care/RateMeWindow.h"
#include "pages/care/RatePrompt.h"

#include <QColor>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QAbstractItemModel;
class QProgressBar;
class QPropertyAnimation;
class QUrl;

namespace Ui {
class StatusInterface;
}
namespace qcore {
class SystemVersion;
}
namespace qtk {
class IMGButton;
}

namespace qpages {

// The One Click dashboard: scans, then cleans, the four junk modules together, one worker per
// ticked module, and follows every start and stop of those modules whoever started them. When
// all four are idle again after a stop it tells the popover, stores the system-wide last-scan
// record and offers the next step. Each module has a box with its switch, count, size, level
// and busy indicator; a box's details button slides it to the top and lists what was found.
//
// Button convention: state 0 is idle, 1 running; the actions flip their button on entry and
// again before returning, so the net change comes from the button's own flip after a click.
class StatusController : public PageBase {
    Q_OBJECT
public:
    static constexpr std::size_t kModuleCount = OneClickTally::kModules;
    static constexpr int kSlideMs = OneClickDetails::kSlideMs;

    explicit StatusController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~StatusController() override;

    static const std::array<std::string, kModuleCount>& modules() {
        return OneClickTally::modules();
    }

    // --- Scan and clean ---------------------------------------------------------------------
    // Worker-thread entries, one per module and operation.
    void scanCacheCleaner();
    void scanLogsCleaner();
    void scanBinaryCutter();
    void scanPartialDownloads();
    void removeCacheCleaner();
    void removeLogsCleaner();
    void removeTrashCleaner();
    void removePartialDownloads();

    // Start every ticked module that is not busy (scanning or cleaning, whoever started it).
    void startScan();
    void startRemove();
    // Button actions.
    void startStopScan();
    // `sender` is the button pressed (the Clean button when none is given).
    void startStopRemove(qtk::IMGButton* sender = nullptr);
    void cleanFromAlert();
    void rescanNow();
    // Replaces the clean confirmation (tests); true means clean.
    void setCleanConfirmation(std::function<bool()> confirm) { confirmClean_ = std::move(confirm); }

    void setStopRemoveFlag(bool stop);
    void initActivityFinishedStatus() { tally_.initActivityFinishedStatus(); }
    // True (and "StopOneClickCareScan" posted) when all four modules have finished.
    bool checkScanFinished();

    // --- Handlers ---------------------------------------------------------------------------
    void mainthread_handleUpdates(const qcore::Notification& n);
    void mainthread_handleActivityStartStop(const qcore::Notification& n);
    void mainthread_oneTimeStartScan(const qcore::Notification& n);
    void mainthread_hideDetailsView(const qcore::Notification& n);
    void mainthread_handleResizeNotification(const qcore::Notification& n);
    void mainthread_handleWindowBecameMain();
    void mainthread_handlewindowWillMinimize();

    // --- Results ----------------------------------------------------------------------------
    // What the engine holds for a module: every item, ticked or not, and their bytes.
    std::int32_t getItemsCount(const std::string& module) const;
    std::uint64_t getSize(const std::string& module) const;
    // Some item of that tree module is ticked.
    bool itemInOutlineViewNode(const std::string& module) const;
    // Something ticked and not empty is left to clean in a ticked module.
    bool checkItemsAvailable() const;
    // Stores "lastScanSystemStatus", "lastScanSystemTime", "lastScanJunkSize" and posts
    // "ReloadLastScanNotification".
    void updateLastScanWithCurrent();

    const OneClickTally& tally() const { return tally_; }
    bool isChecked(const std::string& module) const;
    std::int32_t itemCount(const std::string& module) const;
    bool isScan() const { return isScan_; }

    // --- Details and layout -----------------------------------------------------------------
    // Opens the details of the module at `position` (1 to 4), or closes an open details view.
    void showDetails(int position);
    void back();
    void restoreViewsWithAnimation(bool animate);
    void setFrames();
    // Slides a switch's knob 35 points; false (nothing moves) while it is not at rest.
    bool shiftButton(QWidget* knob, bool flag);
    void shiftModule(std::size_t index);
    // Turns a module on or off as its switch now shows, sliding the knob; a change the knob
    // cannot follow yet is refused and the switch shows the module's flag again.
    void setModuleOn(std::size_t index, bool on);
    void checkUncheckButtons();
    // Asks the main window to show a module's page, by its display name.
    void sendViewNotification(const QString& showView);
    bool flagFrame() const;
    std::string activityName() const;
    bool makeDetailsEmpty() const;
    // The model the details view shows now (tree or table), or nullptr while it is empty.
    QAbstractItemModel* detailsModel() const;

    // The system-version test of the view's set-up: "10.16" or "11.0".
    static bool isOSXBigSur(const qcore::SystemVersion& profile);

    // --- Rate prompt ------------------------------------------------------------------------
    void checkAndShowRateMeWindow();
    void showRateMeWindow_main();
    void rateme();
    void closeRateMeWindow();
    void setRateClock(RatePrompt::Clock clock);
    // Replaces opening a web address (tests).
    void setUrlOpener(std::function<bool(const QUrl&)> open) { openUrl_ = std::move(open); }
    RateMeWindow* rateMeWindow() const { return windowRateMe_; }

    qtk::IMGButton* scanButton();
    qtk::IMGButton* removeButton();

protected:
    void loadInterface() override;
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void registerObservers();
    void runWorker(std::size_t index, bool scan);
    void finishingSteps();
    void decideScanOrRemoveButton();
    void enableDisableButtons(bool enable);
    void enableDisableCheckButtons(bool enable);
    void showHideAlertBox(bool show, std::int32_t issues);
    void showHideProgressbar(QProgressBar* indicator, bool show);
    void updateLabels();
    void updateCaptions();
    void updateLevelBar(std::size_t index, std::int32_t count);
    void showActivityHeader(bool scan);
    void setTotals(std::int64_t count, std::uint64_t bytes, const QColor& color);
    void showScanTotals(std::int64_t count, std::uint64_t bytes);
    // Any of the four claimed or running, whoever started it.
    bool anyModuleBusy() const;
    // The finished record for a new run: only modules still running are unfinished.
    void markRunningModulesUnfinished();
    void closeDetailsView(bool animate);
    bool askToClean() const;
    void reportToDelegate(std::int32_t itemRemaining, std::int32_t cleaned) const;

    // The set-up's parts.
    void showHeldResults();
    void wireControls();
    void showInitialFace();

    std::unique_ptr<Ui::StatusInterface> ui_;
    std::array<OneClickControls, kModuleCount> controls_{};
    OneClickTally tally_;
    std::unique_ptr<OneClickDetails> details_;
    bool isScan_ = true;
    bool isCleanButtonClicked_ = false;
    std::map<QWidget*, QPointer<QPropertyAnimation>> knobSlides_;
    std::function<bool()> confirmClean_;
    std::function<bool(const QUrl&)> openUrl_;
    RatePrompt::Clock rateClock_;
    QPointer<RateMeWindow> windowRateMe_;
    QPointer<QWidget> watchedWindow_;
};

} // namespace qpages
