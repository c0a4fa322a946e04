#pragma once

#include "pages/care/PageBase.h"

#include <QElapsedTimer>
#include <QFont>
#include <QPersistentModelIndex>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAbstractItemView;
class QCheckBox;
class QHeaderView;
class QLabel;
class QMenu;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QTableView;
class QTreeView;

namespace qengine {
class OutlineViewNode;
}
namespace qtk {
class GradientBox;
class IMGButton;
} // namespace qtk

namespace qpages {

class ResultsTableModel;
class ResultsTreeModel;

// The shape of every engine module page: Scan/Stop and Clean/Stop buttons, Rescan, the check-all
// box, the module's results as a tree (group rows with items) or a flat table, the caption,
// size and counts line, the description, the stop image and the last-scan line. Scans and
// cleans run on the page's worker threads; the page follows its module's notifications
// whoever started the operation, also before its view was ever shown.
//
// Button convention: state 1 is the idle face ("Start Scan", "Clean Now"), state 0 the running
// face. IMGButton flips its state after the action, so an action that wants state S sets 1 - S.
//
// Controls come from the page's interface file by object name (outlineView or tableView,
// progressbar, scanButton, removeButton, checkUncheckButton, rescanButton, imgStopScanClean,
// lblTitle, lblDesc, lblOccupyRecover, lblSelectedItems, lblPendingItems, lblSize, lblLastScan,
// mainInfoBox, boxHeader, boxFooter); a control the file lacks is left out.
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
        // The scan button shows "Stop Scan" at the click rather than at the engine's start.
        bool retitleScanAtClick = false;
        // A font for the scan and clean buttons; none keeps the interface file's.
        std::optional<QFont> buttonFont;
        // The pause a flat page holds before a clean's first removal, in seconds, once when the
        // user confirms and once after the clean's start (both off the main thread).
        double cleanStartPause = 2.0;
        // After a scan the counts line and size keep what was found ("ID_ITEMS_FOUND") rather
        // than the selection, for pages whose rows are listed unticked.
        bool foundCountsAfterScan = false;
    };

    ModuleViewController(qengine::DataFiller& dataFiller, Identity identity,
                         QWidget* parent = nullptr);
    ~ModuleViewController() override;

    const std::string& activityName() const { return identity_.module; }
    bool isFlat() const { return isFlat_; }

    // Worker-thread entries: the module's scan and clean in the engine.
    void getDBNode();
    void removeDBNode();
    // Start the worker; false when the module is busy or no thread started.
    bool scanNow();
    bool removeNow();

    // Actions of the controls (main thread).
    void loadDataInDB();
    void removeSelected();
    void rescanNow();
    void checkUncheckAll();
    void performCheckUncheckAll(int state);
    void revealInFinder();
    void expandAll();
    void collapseAll();
    // A click on the results view's header: sorts by a sortable column, alternating.
    void didClickTableColumn(int column);
    // Enables the context menu's items for the row last right-clicked.
    void menuWillOpen();
    // Asked before a clean starts; the default asks the user in an alert.
    void setCleanConfirmation(std::function<bool()> confirm) { confirmClean_ = std::move(confirm); }
    // Shows a path in the file manager; tests replace it.
    void setRevealer(std::function<void(const std::string&)> reveal) {
        reveal_ = std::move(reveal);
    }

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
    // Fits the caption to one or two lines and places the size above it.
    void resizeDULabel();

    std::int32_t totalItems() const { return totalItems_; }
    std::uint64_t totalSize() const { return totalSize_; }
    std::int32_t selectedItems() const { return selectedItems_; }
    std::uint64_t selectedSize() const { return selectedSize_; }
    std::int32_t pendingItems() const { return pendingItems_; }
    std::int32_t cleanedItems() const { return cleanedItems_; }
    std::int32_t totalItemsToClean() const { return totalItemsToClean_; }
    bool lastActivityScan() const { return lastActivityScan_; }

    // The page's controls; asking for one loads the interface.
    qtk::IMGButton* scanButton();
    qtk::IMGButton* removeButton();
    QMenu* contextMenu();

protected:
    void viewDidLoad() override;
    // The line under the title: what runs, else what the list offers.
    void updateDescription(bool scanning, bool cleaning);
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The results model the page shows; pages with their own columns or tick rules make their
    // own (called once, when the view loads).
    virtual ResultsTreeModel* makeTreeModel();
    virtual ResultsTableModel* makeTableModel();
    // Runs last in the main-thread reload of the page's module, after the pause is released.
    virtual void reloadFinished() {}
    // Run after the page's own handling of its module's notifications.
    virtual void activityHandled(bool /*isStart*/, bool /*isScan*/) {}
    virtual void updateHandled(const qcore::Notification& /*n*/) {}
    // Run when a scan or clean has ended and the tree's groups are settled, before the view
    // shows them (the Logs Cleaner expands its groups here).
    virtual void resultsSettled() {}
    // The path Show in file manager reveals for a tree row; none reveals nothing.
    virtual std::optional<std::string> revealPathForNode(const qengine::OutlineViewNode& node,
                                                         bool isGroup) const;
    // The scan button's action; pages with another scan protocol replace it.
    virtual void scanButtonClicked() { loadDataInDB(); }
    // The rescan button's action, likewise.
    virtual void rescanButtonClicked() { rescanNow(); }
    // The settled face at the end of a scan (progress off, buttons by the results).
    void stopScan();
    void setCountsLine(const std::string& key, const std::vector<std::string>& arguments);
    void showProgress(bool running);
    void showSize(std::uint64_t bytes);
    QCheckBox* checkUncheckButton() const { return checkUncheckButton_; }
    QPushButton* rescanButton() const { return rescanButton_; }
    int idleState() const { return identity_.idleState; }
    int runningState() const { return 1 - identity_.idleState; }
    // The page's own language group ("GRP_" + the module's stem).
    std::string moduleGroup() const;

    // Sums over the engine's list; pages that count otherwise replace them and report through
    // setTotals() and setSelection().
    virtual void calculateTotalItemsAndParentSize();
    virtual void calculateSelectedItemsAndSize();
    void setTotals(std::int32_t items, std::uint64_t bytes);
    void setSelection(std::int32_t items, std::uint64_t bytes);
    bool itemsToRemove() const;
    void updateItemsCleaned();
    void checkParentNodesForZeroState();
    // Every group ticked, mixed or unticked by its items, in one pass.
    void settleGroupStates();
    void updateSelectedItemsLabel();
    // Sets the check-all box without acting on it.
    void showAllTicked(bool ticked);

    void reloadResults();
    QAbstractItemView* resultsView() const;
    QTreeView* outlineView() const { return outlineView_; }
    QTableView* tableView() const { return tableView_; }
    ResultsTreeModel* treeModel() const { return treeModel_; }
    ResultsTableModel* tableModel() const { return tableModel_; }
    // Expands every group that has items.
    void expandGroupsWithItems();

private:
    void bindControls();
    void setUpResultsView();
    void setUpContextMenu();
    void setUpCheckAllBox();
    void placeCheckAllBox();
    void connectControls();
    void registerObservers();
    bool isOwnModule(const qcore::Notification& n, const std::string& key) const;
    qengine::ModuleFlags& moduleFlags() const;
    bool moduleWorks() const;

    void changeFontAndSize();
    void updateLanguageTokens();
    void applyBoxImages();
    void restoreFaceFromEngine();

    void decideScanOrRemoveButton(bool running, bool isScan);
    void startScan();
    void handleStopScan(bool record);
    // The reload of the list, with its sums; during a scan it may wait (see the .cpp).
    void readList();
    bool deferScanReload();
    void startRemove();
    void stopRemove(bool record);
    void stopRemoveTree();
    void stopRemoveFlat();
    void performLabelReposition();
    void ticksChanged();
    void scrollToTop();
    void showSortIndicator();
    void showContextMenu(const QPoint& position);
    // Claims the module and starts the clean's worker; false when the module is busy.
    bool startClean();
    void watchWindow();

    void setCaption(const std::string& text);
    void setStopImageVisible(bool visible);
    void setPendingNote();
    void setText(QLabel* label, const QString& text);
    bool askToClean() const;

    Identity identity_;
    bool isFlat_;
    std::function<bool()> confirmClean_;
    std::function<void(const std::string&)> reveal_;

    QLabel* lblTitle_ = nullptr;
    QLabel* lblDesc_ = nullptr;
    QLabel* lblOccupyRecover_ = nullptr;
    QLabel* lblSelectedItems_ = nullptr;
    QLabel* lblPendingItems_ = nullptr;
    QLabel* lblSize_ = nullptr;
    QLabel* lblLastScan_ = nullptr;
    QLabel* imgStopScanClean_ = nullptr;
    qtk::IMGButton* scanButton_ = nullptr;
    qtk::IMGButton* removeButton_ = nullptr;
    QPushButton* rescanButton_ = nullptr;
    QCheckBox* checkUncheckButton_ = nullptr;
    QProgressBar* progressbar_ = nullptr;
    qtk::GradientBox* mainInfoBox_ = nullptr;
    qtk::GradientBox* boxHeader_ = nullptr;
    qtk::GradientBox* boxFooter_ = nullptr;
    QTreeView* outlineView_ = nullptr;
    QTableView* tableView_ = nullptr;
    QHeaderView* header_ = nullptr;
    QMenu* myMenu_ = nullptr;
    ResultsTreeModel* treeModel_ = nullptr;
    ResultsTableModel* tableModel_ = nullptr;
    // The row of the last right-click; invalid for empty space or once the rows changed.
    QPersistentModelIndex clickedIndex_;
    // The header's sort indicator as the page set it (-1: none).
    int indicatorColumn_ = -1;
    bool indicatorDescending_ = false;
    QPointer<QWidget> watchedWindow_;

    // The module's operation as its notifications tell it, in their order: queued updates and
    // reloads of an operation are read against it, not against flags the worker has moved on.
    enum class Activity { Idle, Scanning, Cleaning };
    Activity activity_ = Activity::Idle;

    std::int32_t totalItems_ = 0;
    std::int32_t selectedItems_ = 0;
    std::int32_t pendingItems_ = 0;
    std::uint64_t totalSize_ = 0;
    std::uint64_t selectedSize_ = 0;
    bool lastActivityScan_ = true;
    std::int32_t cleanedItems_ = 0;
    std::int32_t totalItemsToClean_ = 0;
    double recoveredSpace_ = 0;
    // The byte total of the last progress update of a scan.
    std::uint64_t foundSize_ = 0;
    // The last time a scan's reload read the tree, and whether one waits on the timer.
    QElapsedTimer lastScanReload_;
    bool scanReloadDue_ = false;
};

} // namespace qpages
