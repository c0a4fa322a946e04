#pragma once

#include "pages/care/PageBase.h"

#include <cstdint>
#include <functional>
#include <string>

class QAbstractItemView;
class QLabel;
class QProgressBar;
class QTableView;
class QTreeView;

namespace qtk {
class IMGButton;
}

namespace qpages {

class ResultsTableModel;
class ResultsTreeModel;

// The shape of every engine module page: Scan/Stop and Clean/Stop buttons, the results of the
// module's list (a tree or a flat table, after the module), the counts line and size, the
// description and the last-scan line; the scan and clean run on the page's worker threads and
// the page follows the module's notifications whoever started the operation.
//
// Button convention: state 1 is the idle face ("Start Scan", "Clean Now"), state 0 the running
// face. IMGButton flips its state after the action, so an action that wants state S sets 1 - S.
class ModuleViewController : public PageBase {
    Q_OBJECT
public:
    // What sets one page apart from another.
    struct Identity {
        std::string module;       // the engine's module key
        std::string lastScanWord; // K of "lastScanStatus_K"; empty: the page keeps no line
        HandOver updateHandOver = HandOver::NoWait;
        HandOver reloadHandOver = HandOver::NoWait;
        std::function<void(qengine::DataFiller&)> scan;
        std::function<void(qengine::DataFiller&)> clean;
        // The state of the idle face; the Duplicates Finder runs the other way round.
        int idleState = 1;
        // After a scan the counts line and size keep what was found ("ID_ITEMS_FOUND") rather
        // than the selection, for pages whose rows are listed unticked.
        bool foundCountsAfterScan = false;
    };

    ModuleViewController(qengine::DataFiller& dataFiller, Identity identity,
                         QWidget* parent = nullptr);
    ~ModuleViewController() override;

    const std::string& activityName() const { return identity_.module; }

    // Worker-thread entries: the module's scan and clean in the engine.
    void getDBNode();
    void removeDBNode();
    // Start the worker; false when the module is busy or no thread started.
    bool scanNow();
    bool removeNow();

    // Button actions (main thread).
    void loadDataInDB();
    void removeSelected();
    // Asked before a clean starts; the default asks the user. Tests and callers may replace it.
    void setCleanConfirmation(std::function<bool()> confirm) { confirmClean_ = std::move(confirm); }

    // Observers (posting thread) and their main-thread twins.
    void handleActivityStartStop(const qcore::Notification& n);
    void mainthread_handleActivityStartStop(const qcore::Notification& n);
    void handleUpdates(const qcore::Notification& n);
    void mainthread_handleUpdates(const qcore::Notification& n);
    void handleReload(const qcore::Notification& n);
    void mainthread_handleReload(const qcore::Notification& n);

    // Stores the last-scan line of the page's module and shows it.
    void updateLastScanWithCurrent(bool incomplete, bool isScan);
    void updateLastScanFromSaved();

    // Totals over the engine's list: every item, and the ticked ones.
    std::int32_t totalItems() const { return totalItems_; }
    std::uint64_t totalSize() const { return totalSize_; }
    std::int32_t selectedItems() const { return selectedItems_; }
    std::uint64_t selectedSize() const { return selectedSize_; }
    bool lastActivityScan() const { return lastActivityScan_; }

    // The page's buttons; asking for one loads the interface.
    qtk::IMGButton* scanButton();
    qtk::IMGButton* removeButton();

protected:
    void viewDidLoad() override;
    // Runs last in the main-thread reload of the page's module (the pause release goes here).
    virtual void reloadFinished() {}
    // Run after the page's own handling of its module's notifications.
    virtual void activityHandled(bool /*isStart*/, bool /*isScan*/) {}
    virtual void updateHandled(const qcore::Notification& /*n*/) {}
    // The scan button's action; pages with another scan protocol replace it.
    virtual void scanButtonClicked() { loadDataInDB(); }
    int idleState() const { return identity_.idleState; }
    int runningState() const { return 1 - identity_.idleState; }
    // The counts line and description keys of the page's own language group.
    std::string moduleGroup() const;

    // The sums the counts line, the buttons and the check box follow; pages that count
    // otherwise replace them and report through setTotals() and setSelection().
    virtual void calculateTotalItemsAndParentSize();
    virtual void calculateSelectedItemsAndSize();
    void setTotals(std::int32_t items, std::uint64_t bytes);
    void setSelection(std::int32_t items, std::uint64_t bytes);
    void updateSelectedItemsLabel();
    void reloadResults();
    ResultsTreeModel* treeModel() const { return treeModel_; }
    QAbstractItemView* resultsView() const;
    bool isFlat() const { return isFlat_; }

private:
    void bindControls();
    void registerObservers();
    bool isOwnModule(const qcore::Notification& n, const std::string& key) const;
    qengine::ModuleFlags& moduleFlags() const;

    void decideScanOrRemoveButton(bool running, bool isScan);
    void updateDescription(bool scanning, bool cleaning);
    void startScan();
    void handleStopScan();
    void startRemove();
    void stopRemove();
    void showScanOrClean();
    void setCountsLine(const std::string& key, const std::vector<std::string>& arguments);
    void setText(QLabel* label, const QString& text);
    void showProgress(bool running);
    bool askToClean() const;

    Identity identity_;
    bool isFlat_;
    std::function<bool()> confirmClean_;

    QLabel* lblTitle_ = nullptr;
    QLabel* lblDesc_ = nullptr;
    QLabel* lblOccupyRecover_ = nullptr;
    QLabel* lblSelectedItems_ = nullptr;
    QLabel* lblSize_ = nullptr;
    QLabel* lblLastScan_ = nullptr;
    qtk::IMGButton* scanButton_ = nullptr;
    qtk::IMGButton* removeButton_ = nullptr;
    QProgressBar* progressbar_ = nullptr;
    QTreeView* outlineView_ = nullptr;
    QTableView* tableView_ = nullptr;
    ResultsTreeModel* treeModel_ = nullptr;
    ResultsTableModel* tableModel_ = nullptr;

    std::int32_t totalItems_ = 0;
    std::int32_t selectedItems_ = 0;
    std::uint64_t totalSize_ = 0;
    std::uint64_t selectedSize_ = 0;
    std::int32_t cleanedItems_ = 0;
    std::int32_t totalItemsToClean_ = 0;
    std::uint64_t recoveredSpace_ = 0;
    // The byte total of the last progress update of a scan.
    std::uint64_t foundSize_ = 0;
    bool lastActivityScan_ = true;
};

} // namespace qpages
