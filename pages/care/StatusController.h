#pragma once

#include "pages/care/PageBase.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QProgressBar;

namespace Ui {
class StatusInterface;
}
namespace qtk {
class IMGButton;
}

namespace qpages {

// The One Click dashboard: scans, then cleans, the four junk modules together, one worker per
// ticked module, and follows every start and stop of those modules whoever started them. When
// all four are idle again it tells the popover, stores the system-wide last-scan record and
// offers the next step.
//
// Button convention: state 0 is idle, 1 running; the actions flip their button on entry and
// again before returning, so the net change comes from the button's own flip after a click.
class StatusController : public PageBase {
    Q_OBJECT
public:
    static constexpr std::size_t kModuleCount = 4;

    explicit StatusController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~StatusController() override;

    // Worker-thread entries, one per module and operation.
    void scanCacheCleaner();
    void scanLogsCleaner();
    void scanBinaryCutter();
    void scanPartialDownloads();
    void removeCacheCleaner();
    void removeLogsCleaner();
    void removeTrashCleaner();
    void removePartialDownloads();

    // Start every ticked module that is not already running the same operation.
    void startScan();
    void startRemove();
    // Button actions.
    void startStopScan();
    void startStopRemove();
    void setCleanConfirmation(std::function<bool()> confirm) { confirmClean_ = std::move(confirm); }

    void setStopRemoveFlag(bool stop);
    void initActivityFinishedStatus();
    // True (and "StopOneClickCareScan" posted) when all four modules have finished.
    bool checkScanFinished();
    // Stores "lastScanSystemStatus", "lastScanSystemTime", "lastScanJunkSize" and posts
    // "ReloadLastScanNotification".
    void updateLastScanWithCurrent(bool isScan);
    // Asks the main window to show a module's page, by its display name.
    void sendViewNotification(const QString& showView);

    // Observers (posting thread) and their main-thread twins.
    void handleUpdates(const qcore::Notification& n);
    void mainthread_handleUpdates(const qcore::Notification& n);
    void handleActivityStartStop(const qcore::Notification& n);
    void mainthread_handleActivityStartStop(const qcore::Notification& n);
    void oneTimeStartScan(const qcore::Notification& n);
    void mainthread_oneTimeStartScan(const qcore::Notification& n);
    void hideDetailsView(const qcore::Notification& n);
    void mainthread_hideDetailsView(const qcore::Notification& n);
    void handleResizeNotification(const qcore::Notification& n);
    void mainthread_handleResizeNotification(const qcore::Notification& n);

    // What the engine holds for a module: every item, ticked or not, and their bytes.
    std::int32_t getItemsCount(const std::string& module) const;
    std::uint64_t getSize(const std::string& module) const;
    // Something ticked is left to clean in a ticked module.
    bool checkItemsAvailable() const;

    static const std::array<std::string, kModuleCount>& modules();
    bool isChecked(const std::string& module) const;
    void setChecked(const std::string& module, bool checked);
    std::int32_t itemCount(const std::string& module) const;
    bool isScan() const { return isScan_; }

    qtk::IMGButton* scanButton();
    qtk::IMGButton* removeButton();

protected:
    void loadInterface() override;
    void viewDidLoad() override;

private:
    struct ModuleState {
        bool checked = true;
        std::int32_t count = 0;     // items held after a scan, or when the clean started
        std::int32_t lastCount = 0; // the count at the end of the previous activity
        std::int32_t shownCount = 0;
        std::uint64_t size = 0;      // the engine's latest byte total
        std::uint64_t foundSize = 0; // what the scan found; kept through the clean
        bool dataPresent = false;
        bool finished = true;
    };
    struct ModuleControls {
        QCheckBox* check = nullptr;
        QLabel* desc = nullptr;
        QLabel* items = nullptr;
        QLabel* size = nullptr;
        QProgressBar* progress = nullptr;
    };

    static int indexOf(const std::string& module);
    void registerObservers();
    void runScan(std::size_t index);
    void runClean(std::size_t index);
    void finishActivity();
    void decideScanOrRemoveButton();
    void enableDisableButtons(bool enable);
    void enableDisableCheckButtons(bool enable);
    // The issues still ticked in ticked modules after a finish (0 when nothing is to clean).
    std::int32_t pendingIssues() const;
    void showIssuesFace(std::int32_t issues);
    void updateTotals();
    void updateModuleTexts(std::size_t index);
    void showProgress(std::size_t index, bool running);
    bool anyChecked() const;
    bool anyBusy() const;
    bool askToClean() const;

    std::unique_ptr<Ui::StatusInterface> ui_;
    std::array<ModuleState, kModuleCount> state_{};
    std::array<ModuleControls, kModuleCount> controls_{};
    bool isScan_ = true;
    bool isCleanButtonClicked_ = false;
    std::function<bool()> confirmClean_;
};

} // namespace qpages
