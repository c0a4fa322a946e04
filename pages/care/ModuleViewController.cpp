#include "pages/care/ModuleViewController.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/LastScanDateTime.h"
#include "engine/ModuleKeys.h"
#include "engine/Pacer.h"
#include "engine/TextFormat.h"
#include "pages/care/PageNotifications.h"
#include "pages/care/ResultsTableModel.h"
#include "pages/care/ResultsTreeModel.h"
#include "pages/care/ResultsViewLook.h"
#include "pages/care/SortDirections.h"
#include "platform/core/Log.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Autoresizing.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/GuiWorkspace.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/GradientBox.h"
#include "toolkit/IMGButton.h"
#include "toolkit/ViewFormatter.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <unordered_set>

namespace qpages {

namespace {

std::string statusLiteral(bool incomplete, bool isScan, bool isFlat) {
    if (isScan) return incomplete ? "Last scan (incomplete)" : "Last scan";
    if (!incomplete) return "Last clean";
    return isFlat ? "Last clean(incomplete)" : " Last clean(incomplete)";
}

const QColor kDarkGrey(0x55, 0x55, 0x55);

void setColour(QWidget* widget, const QColor& colour) {
    if (!widget) return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

std::string lastScanText(const std::string& status, const std::string& time) {
    return qengine::text::fillPlaceholders(
        "%@: %@, %@", {status, qengine::LastScanDateTime::getDateInCurrentFormat(time),
                       qengine::LastScanDateTime::getTimeinAmPmFormat(time)});
}

} // namespace

ModuleViewController::ModuleViewController(qengine::DataFiller& dataFiller, Identity identity,
                                           QWidget* parent)
    : PageBase(dataFiller, parent), identity_(std::move(identity)),
      isFlat_(qengine::modules::isFlat(identity_.module)), reveal_([](const std::string& path) {
          qui::GuiWorkspace::revealInFileManager(QString::fromStdString(path));
      }) {
    registerObservers();
    const auto& flags = moduleFlags();
    if (flags.isFilling.load()) activity_ = Activity::Scanning;
    if (flags.isRemoving.load()) activity_ = Activity::Cleaning;
    calculateTotalItemsAndParentSize();
    calculateSelectedItemsAndSize();
}

ModuleViewController::~ModuleViewController() {
    // The header outlives this part of the page while the widgets are torn down; its signals
    // must not reach the page's slots any more.
    if (header_) header_->disconnect(this);
    finishPage({identity_.module});
}

void ModuleViewController::registerObservers() {
    const QPointer<ModuleViewController> page(this);
    const auto module = identity_.module;
    const auto updateMode = identity_.updateHandOver;
    const auto reloadMode = identity_.reloadHandOver;
    const double cleanPause = isFlat_ ? identity_.cleanStartPause : 0.0;
    // The filters run on the posting thread and read only these copies, never the page.
    observe(notes::kActivityStartStop, [page, module, cleanPause](const qcore::Notification& n) {
        if (n.info(notes::kActivityName) != module) return;
        handOver(page, &ModuleViewController::mainthread_handleActivityStartStop, n,
                 HandOver::Wait);
        // A flat page shows the top of its list for a moment before rows start to vanish;
        // the pause is spent here, on the clean's thread.
        const bool cleanStarts = n.info(notes::kOperation) == notes::kStart &&
                                 n.info(notes::kActivityType) != notes::kScan;
        if (cleanStarts && cleanPause > 0) qengine::Pacer::sleep(cleanPause);
    });
    observe(notes::kDataFillerUpdate, [page, module, updateMode](const qcore::Notification& n) {
        if (n.info(notes::kNotificationGroup) != module) return;
        handOver(page, &ModuleViewController::mainthread_handleUpdates, n, updateMode);
    });
    observe(notes::kReload, [page, module, reloadMode](const qcore::Notification& n) {
        if (n.info(notes::kNotificationGroup) != module) return;
        handOver(page, &ModuleViewController::mainthread_handleReload, n, reloadMode);
    });
}

// The named observers, for callers that deliver a notification by hand.
void ModuleViewController::handleActivityStartStop(const qcore::Notification& n) {
    if (!isOwnModule(n, notes::kActivityName)) return;
    handOver(QPointer(this), &ModuleViewController::mainthread_handleActivityStartStop, n,
             HandOver::Wait);
}

void ModuleViewController::handleUpdates(const qcore::Notification& n) {
    if (!isOwnModule(n, notes::kNotificationGroup)) return;
    handOver(QPointer(this), &ModuleViewController::mainthread_handleUpdates, n,
             identity_.updateHandOver);
}

void ModuleViewController::handleReload(const qcore::Notification& n) {
    if (!isOwnModule(n, notes::kNotificationGroup)) return;
    handOver(QPointer(this), &ModuleViewController::mainthread_handleReload, n,
             identity_.reloadHandOver);
}

bool ModuleViewController::isOwnModule(const qcore::Notification& n, const std::string& key) const {
    return n.info(key) == identity_.module;
}

qengine::ModuleFlags& ModuleViewController::moduleFlags() const {
    return dataFiller().flags(identity_.module);
}

bool ModuleViewController::moduleWorks() const {
    const auto& flags = moduleFlags();
    return activity_ != Activity::Idle || flags.isFilling.load() || flags.isRemoving.load() ||
           dataFiller().isModuleBusy(identity_.module);
}

std::string ModuleViewController::moduleGroup() const {
    return "GRP_" + qengine::text::moduleStem(identity_.module);
}

// --- Workers ---------------------------------------------------------------------------------

void ModuleViewController::getDBNode() {
    if (identity_.scan) identity_.scan(dataFiller());
}

void ModuleViewController::removeDBNode() {
    if (identity_.clean) identity_.clean(dataFiller());
}

bool ModuleViewController::scanNow() {
    return startWorker(identity_.module, [this] { getDBNode(); });
}

bool ModuleViewController::removeNow() {
    return startWorker(identity_.module, [this] { removeDBNode(); });
}

// The module is claimed before the pause, so no scan can start while the page waits.
bool ModuleViewController::startClean() {
    const double pause = isFlat_ ? identity_.cleanStartPause : 0.0;
    return startWorker(identity_.module, [this, pause] {
        if (pause > 0) qengine::Pacer::sleep(pause);
        removeDBNode();
    });
}

// --- Actions ---------------------------------------------------------------------------------

void ModuleViewController::loadDataInDB() {
    auto& flags = moduleFlags();
    flags.stopFilling.store(false);
    if (scanButton_ && scanButton_->state() != idleState()) {
        // Stop Scan: the button stays disabled until the engine's "stop" arrives.
        scanButton_->setState(runningState());
        scanButton_->setEnabled(false);
        flags.aborted.store(true);
        flags.stopFilling.store(true);
        return;
    }
    if (identity_.retitleScanAtClick && scanButton_)
        scanButton_->setText(commonToken("ID_STOP_SCAN"));
    // A module busy elsewhere keeps the idle face once the button has flipped.
    if (!scanNow() && scanButton_) {
        scanButton_->setText(commonToken("ID_START_SCAN"));
        scanButton_->setState(runningState());
    }
}

void ModuleViewController::rescanNow() {
    moduleFlags().stopFilling.store(false);
    // A refused scan (the module works elsewhere) leaves the face as it is.
    if (scanNow() && scanButton_) scanButton_->setHidden(false);
}

void ModuleViewController::removeSelected() {
    auto& flags = moduleFlags();
    flags.stopRemoving.store(false);
    if (removeButton_ && removeButton_->state() != idleState()) {
        // Stop Cleaning: disabled until the engine's "stop" arrives.
        removeButton_->setState(idleState());
        removeButton_->setEnabled(false);
        flags.stopRemoving.store(true);
        flags.aborted.store(true);
        return;
    }
    if (moduleWorks() || !askToClean() ||
        !dataFiller().initRemoveObjectIfRequired(identity_.module)) {
        if (removeButton_) removeButton_->setState(runningState());
        return;
    }
    if (removeButton_) removeButton_->setText(commonToken("ID_STOP_CLEANING"));
    if (isFlat_) scrollToTop();
    // Claimed by someone else since the confirmation: the button stays the idle "Clean Now".
    if (!startClean() && removeButton_) {
        removeButton_->setText(commonToken("ID_CLEAN_NOW"));
        removeButton_->setState(runningState());
    }
}

bool ModuleViewController::askToClean() const {
    if (confirmClean_) return confirmClean_();
    return askToCleanInAlert();
}

void ModuleViewController::checkUncheckAll() {
    if (checkUncheckButton_) performCheckUncheckAll(checkUncheckButton_->isChecked() ? 1 : 0);
}

void ModuleViewController::performCheckUncheckAll(int state) {
    const bool ticked = treeModel_    ? treeModel_->tickAll(state)
                        : tableModel_ ? tableModel_->tickAll(state)
                                      : false;
    // A refused change (the module works) leaves the box showing the rows as they are.
    if (!ticked) updateSelectedItemsLabel();
}

void ModuleViewController::showAllTicked(bool ticked) {
    if (!checkUncheckButton_) return;
    const QSignalBlocker quiet(checkUncheckButton_);
    checkUncheckButton_->setChecked(ticked);
}

void ModuleViewController::ticksChanged() {
    updateSelectedItemsLabel();
    setStopImageVisible(false);
    setCaption(dataFiller().DISKUSAGE());
}

// --- Results view: sort, menu, reveal, expand ------------------------------------------------

void ModuleViewController::didClickTableColumn(int column) {
    if (moduleWorks()) {
        // The header flips its own indicator on a click; put the page's back.
        showSortIndicator();
        return;
    }
    indicatorColumn_ = -1;
    QString identifier;
    bool sortable = false;
    if (treeModel_ && column >= 0 && column < treeModel_->columnCount()) {
        const auto& spec = treeModel_->columns()[static_cast<std::size_t>(column)];
        identifier = spec.identifier;
        sortable = spec.isSortable();
    }
    if (tableModel_ && column >= 0 && column < tableModel_->columnCount()) {
        const auto& spec = tableModel_->columns()[static_cast<std::size_t>(column)];
        identifier = spec.identifier;
        sortable = spec.isSortable();
    }
    if (sortable) {
        const bool descending = SortDirections::nextIsDescending(identity_.module, identifier);
        const bool sorted = treeModel_ ? treeModel_->sortBy(column, descending)
                                       : tableModel_->sortBy(column, descending);
        if (sorted) {
            SortDirections::takeNext(identity_.module, identifier);
            indicatorColumn_ = column;
            indicatorDescending_ = descending;
        }
    }
    // Item rows know their group by index; keep them in step with the groups' order.
    if (!isFlat_) dataFiller().updateParentIndex(identity_.module);
    showSortIndicator();
    reloadResults();
}

void ModuleViewController::showSortIndicator() {
    if (!header_) return;
    header_->setSortIndicatorShown(indicatorColumn_ >= 0);
    header_->setSortIndicator(indicatorColumn_,
                              indicatorDescending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void ModuleViewController::showContextMenu(const QPoint& position) {
    auto* view = resultsView();
    if (!view || !myMenu_) return;
    const QModelIndex index = view->indexAt(position);
    clickedIndex_ = index.isValid() ? index.siblingAtColumn(0) : QModelIndex();
    menuWillOpen();
    myMenu_->exec(view->viewport()->mapToGlobal(position));
}

void ModuleViewController::menuWillOpen() {
    if (!myMenu_) return;
    const auto actions = myMenu_->actions();
    for (auto* action : actions)
        action->setEnabled(true);
    const bool nothingToOffer = moduleWorks() || totalItems_ < 1;
    if (nothingToOffer) {
        for (auto* action : actions)
            action->setEnabled(false);
        return;
    }
    if (isFlat_) return;
    // Show in file manager needs an item row.
    const bool itemRow =
        treeModel_ && treeModel_->nodeAt(clickedIndex_) && !treeModel_->isGroupRow(clickedIndex_);
    if (!itemRow && !actions.isEmpty()) actions.front()->setEnabled(false);
}

std::optional<std::string>
ModuleViewController::revealPathForNode(const qengine::OutlineViewNode& node, bool isGroup) const {
    if (isGroup) return std::nullopt;
    if (!node.isMultiplePaths()) return node.fullPath();
    if (!node.arrFullPath().empty()) return node.arrFullPath().back();
    qcore::log(identity_.module, ": item \"", node.title(),
               "\" stands for several paths but has none");
    return std::nullopt;
}

void ModuleViewController::revealInFinder() {
    std::optional<std::string> path;
    if (treeModel_) {
        if (const auto* node = treeModel_->nodeAt(clickedIndex_))
            path = revealPathForNode(*node, treeModel_->isGroupRow(clickedIndex_));
    } else if (tableModel_ && clickedIndex_.isValid()) {
        if (const auto* row = tableModel_->rowAt(clickedIndex_.row()))
            path = qengine::row::fullPath(*row);
    }
    if (!path) {
        if (!clickedIndex_.isValid())
            qcore::log(identity_.module, ": Show in file manager on no listed row");
        return;
    }
    if (!path->empty() && reveal_) reveal_(*path);
}

void ModuleViewController::expandAll() {
    if (outlineView_) outlineView_->expandAll();
}

void ModuleViewController::collapseAll() {
    if (outlineView_) outlineView_->collapseAll();
}

void ModuleViewController::expandGroupsWithItems() {
    if (!outlineView_ || !treeModel_) return;
    for (int g = 0; g < treeModel_->rowCount(); ++g) {
        const QModelIndex group = treeModel_->index(g, 0);
        if (treeModel_->rowCount(group) > 0) outlineView_->expand(group);
    }
}

void ModuleViewController::scrollToTop() {
    if (!tableView_ || !tableModel_) return;
    if (tableModel_->rowCount() > 0) {
        tableView_->selectRow(0);
        tableView_->scrollToTop();
    }
    reloadResults();
}

// --- Main-thread handlers --------------------------------------------------------------------

void ModuleViewController::mainthread_handleActivityStartStop(const qcore::Notification& n) {
    if (!isOwnModule(n, notes::kActivityName)) return;
    const bool isStart = n.info(notes::kOperation) == notes::kStart;
    const bool isScan = n.info(notes::kActivityType) == notes::kScan;
    resizeDULabel();
    if (auto* results = resultsView()) results->setEnabled(!isStart);
    activity_ = !isStart ? Activity::Idle : (isScan ? Activity::Scanning : Activity::Cleaning);
    if (isStart) {
        decideScanOrRemoveButton(true, isScan);
        moduleFlags().aborted.store(false);
        setStopImageVisible(false);
        pendingItems_ = 0;
        setText(lblPendingItems_, QString());
        reloadResults();
        isScan ? startScan() : startRemove();
    } else if (isScan) {
        decideScanOrRemoveButton(false, true);
        lastActivityScan_ = true;
        handleStopScan(true);
        if (identity_.foundCountsAfterScan) {
            showSize(foundSize_);
            setCountsLine("ID_ITEMS_FOUND", {std::to_string(totalItems_)});
        } else {
            showSize(selectedSize_);
            setCountsLine("ID_SELECTED_ITEMS_COUNT",
                          {std::to_string(selectedItems_), std::to_string(totalItems_)});
        }
        if (!isFlat_) {
            checkParentNodesForZeroState();
            if (totalItems_ == 0 && checkUncheckButton_) checkUncheckButton_->setEnabled(false);
        }
    } else {
        decideScanOrRemoveButton(false, false);
        lastActivityScan_ = false;
        stopRemove(true);
        setStopImageVisible(moduleFlags().aborted.load());
    }
    activityHandled(isStart, isScan);
}

void ModuleViewController::mainthread_handleUpdates(const qcore::Notification& n) {
    if (!isOwnModule(n, notes::kNotificationGroup)) return;
    if (isFlat_) reloadResults();
    const std::string count = n.info(notes::kCount);
    const std::uint64_t size = qengine::FileOperations::bytesOf(n.info(notes::kSize));
    showSize(size);
    if (activity_ == Activity::Scanning) {
        foundSize_ = size;
        setCaption(dataFiller().DISKUSAGE());
        setCountsLine("ID_ITEMS_FOUND", {count});
    }
    if (activity_ == Activity::Cleaning) {
        const auto cleaned = static_cast<std::int32_t>(
            std::clamp<long long>(std::strtoll(count.c_str(), nullptr, 10), 0, INT32_MAX));
        // The engine's count, clamped: nothing is counted below 0.
        setCaption(dataFiller().SPACERECOVERED());
        setCountsLine("ID_CLEANED_ITEMS_COUNT",
                      {std::to_string(cleaned), std::to_string(totalItems_)});
        pendingItems_ = std::max(0, totalItems_ - cleaned);
        cleanedItems_ = cleaned;
        totalItemsToClean_ = totalItems_;
        recoveredSpace_ = static_cast<double>(size);
    }
    updateHandled(n);
}

void ModuleViewController::mainthread_handleReload(const qcore::Notification& n) {
    if (!isOwnModule(n, notes::kNotificationGroup)) return;
    if (!deferScanReload()) readList();
    // Last: the engine's scan goes on only once the page has read the list.
    moduleFlags().pause.store(false);
    reloadFinished();
}

void ModuleViewController::readList() {
    if (isFlat_) {
        reloadResults();
        calculateTotalItemsAndParentSize();
        if (tableView_) tableView_->scrollToBottom();
        reloadResults();
        return;
    }
    calculateTotalItemsAndParentSize();
    reloadResults();
}

// A scan posts reloads as it finds items (the Duplicates Finder one for every copy), and each
// reads the whole list: on a long list that grows with the square of the list. So a page reads
// the list at most every kScanReloadMs while a scan runs; a reload that comes sooner waits on a
// timer, and the scan's stop reads the list anyway. A scan waiting on the page (the pause
// handshake) is never kept waiting.
bool ModuleViewController::deferScanReload() {
    if (activity_ != Activity::Scanning || moduleFlags().pause.load()) return false;
    constexpr qint64 kScanReloadMs = 100;
    if (!lastScanReload_.isValid() || lastScanReload_.hasExpired(kScanReloadMs)) {
        scanReloadDue_ = false;
        lastScanReload_.start();
        return false;
    }
    if (scanReloadDue_) return true;
    scanReloadDue_ = true;
    const auto wait =
        static_cast<int>(std::max<qint64>(0, kScanReloadMs - lastScanReload_.elapsed()));
    QTimer::singleShot(wait, this, [this] {
        if (!scanReloadDue_ || activity_ != Activity::Scanning) return;
        scanReloadDue_ = false;
        lastScanReload_.start();
        readList();
    });
    return true;
}

// --- Faces -----------------------------------------------------------------------------------

void ModuleViewController::decideScanOrRemoveButton(bool running, bool isScan) {
    if (running) {
        updateDescription(isScan, !isScan);
        if (scanButton_) {
            scanButton_->setText(commonToken("ID_STOP_SCAN"));
            scanButton_->setState(runningState());
            scanButton_->setHidden(!isScan);
        }
        if (removeButton_) {
            removeButton_->setText(commonToken("ID_STOP_CLEANING"));
            removeButton_->setState(runningState());
            removeButton_->setHidden(isScan);
        }
        return;
    }
    updateDescription(false, false);
    const bool hasResults = !dataFiller().mainDataSource(identity_.module).empty();
    if (scanButton_) {
        scanButton_->setText(commonToken("ID_START_SCAN"));
        scanButton_->setState(idleState());
        scanButton_->setHidden(hasResults);
    }
    if (removeButton_) {
        removeButton_->setText(commonToken("ID_CLEAN_NOW"));
        removeButton_->setState(idleState());
        removeButton_->setHidden(!hasResults);
    }
}

void ModuleViewController::updateDescription(bool scanning, bool cleaning) {
    if (!lblDesc_) return;
    const auto& module = identity_.module;
    lblDesc_->setText(
        activityText(module, scanning, cleaning, dataFiller().getItemsCountOfModule(module) > 0));
}

void ModuleViewController::startScan() {
    foundSize_ = 0;
    showSize(0);
    setCaption(dataFiller().DISKUSAGE());
    setCountsLine("ID_ITEMS_FOUND", {"0"});
    showProgress(true);
    setStopImageVisible(false);
    if (checkUncheckButton_) checkUncheckButton_->setEnabled(false);
    if (removeButton_) {
        removeButton_->setEnabled(false);
        removeButton_->setHidden(true);
    }
    if (rescanButton_) rescanButton_->setEnabled(false);
    if (scanButton_) {
        scanButton_->setHidden(false);
        // A stop asked before the scan's start keeps the button disabled until its stop.
        scanButton_->setEnabled(!moduleFlags().stopFilling.load());
        scanButton_->setState(runningState());
    }
    decideScanOrRemoveButton(true, true);
}

void ModuleViewController::stopScan() {
    showProgress(false);
    if (checkUncheckButton_) checkUncheckButton_->setEnabled(true);
    if (scanButton_) scanButton_->setState(idleState());
    calculateSelectedItemsAndSize();
    // A flat page offers a clean only for a non-zero selected size.
    const bool results = isFlat_ ? selectedSize_ != 0 : itemsToRemove();
    if (scanButton_) {
        scanButton_->setHidden(results);
        scanButton_->setEnabled(true);
    }
    if (removeButton_) removeButton_->setHidden(!results);
    if (rescanButton_) rescanButton_->setEnabled(true);
    // The check-all box follows the selection: a page whose scan ticks nothing shows it clear.
    if (moduleFlags().aborted.load()) setStopImageVisible(true);
}

void ModuleViewController::handleStopScan(bool record) {
    scanReloadDue_ = false;
    stopScan();
    reloadResults();
    // Clears the sort indicator and renumbers the items' groups; the order stays the engine's.
    const int iconColumn = treeModel_    ? treeModel_->columnIndex(columns::kIcon)
                           : tableModel_ ? tableModel_->columnIndex(columns::kIcon)
                                         : -1;
    if (iconColumn >= 0) {
        didClickTableColumn(iconColumn);
    } else if (!isFlat_) {
        dataFiller().updateParentIndex(identity_.module);
    }
    reloadResults();
    calculateTotalItemsAndParentSize();
    reloadResults();
    updateSelectedItemsLabel();
    if (!isFlat_) resultsSettled();
    if (record) updateLastScanWithCurrent(moduleFlags().aborted.load(), true);
}

void ModuleViewController::startRemove() {
    if (scanButton_) scanButton_->setHidden(true);
    if (removeButton_) {
        removeButton_->setHidden(false);
        removeButton_->setState(runningState());
    }
    if (outlineView_) outlineView_->collapseAll();
    if (isFlat_) scrollToTop();
    showProgress(true);
    if (checkUncheckButton_) checkUncheckButton_->setEnabled(false);
    if (scanButton_) {
        scanButton_->setEnabled(false);
        scanButton_->setHidden(true);
    }
    if (rescanButton_) rescanButton_->setEnabled(false);
    // The clean's counts start from what is listed now, even before its first removal.
    totalItemsToClean_ = totalItems_;
    cleanedItems_ = 0;
    recoveredSpace_ = 0;
    decideScanOrRemoveButton(true, false);
    // It stays enabled to stop the clean, unless a stop was asked during the pause before it.
    if (removeButton_) removeButton_->setEnabled(!moduleFlags().stopRemoving.load());
}

void ModuleViewController::stopRemove(bool record) {
    showProgress(false);
    if (checkUncheckButton_) checkUncheckButton_->setEnabled(true);
    isFlat_ ? stopRemoveFlat() : stopRemoveTree();
    if (rescanButton_) rescanButton_->setEnabled(true);
    if (record) updateLastScanWithCurrent(moduleFlags().aborted.load(), false);
}

void ModuleViewController::stopRemoveTree() {
    updateItemsCleaned();
    calculateSelectedItemsAndSize();
    setPendingNote();
    const bool results = itemsToRemove();
    if (scanButton_) {
        scanButton_->setHidden(results);
        scanButton_->setState(results ? 0 : 1);
        scanButton_->setEnabled(!results);
    }
    if (removeButton_) {
        removeButton_->setHidden(!results);
        removeButton_->setState(idleState());
    }
    showAllTicked(moduleFlags().aborted.load());
    settleGroupStates();
    reloadResults();
    resultsSettled();
    calculateTotalItemsAndParentSize();
    // The groups' sums changed with the removals.
    reloadResults();
}

void ModuleViewController::stopRemoveFlat() {
    const auto rowsLeft =
        static_cast<std::int32_t>(dataFiller().mainDataSource(identity_.module).rowCount());
    cleanedItems_ = std::max(0, totalItemsToClean_ - rowsLeft);
    setCountsLine("ID_CLEANED_ITEMS_COUNT",
                  {std::to_string(cleanedItems_), std::to_string(totalItemsToClean_)});
    calculateSelectedItemsAndSize();
    setPendingNote();
    const bool empty = rowsLeft == 0;
    if (scanButton_) {
        scanButton_->setHidden(!empty);
        scanButton_->setState(empty ? 1 : 0);
        scanButton_->setEnabled(empty);
    }
    if (removeButton_) {
        removeButton_->setHidden(empty);
        removeButton_->setState(idleState());
    }
    if (checkUncheckButton_) {
        checkUncheckButton_->setEnabled(!empty);
        showAllTicked(moduleFlags().aborted.load());
    }
    reloadResults();
    calculateTotalItemsAndParentSize();
}

void ModuleViewController::performLabelReposition() {
    setCaption(dataFiller().SPACERECOVERED());
    setCountsLine("ID_CLEANED_ITEMS_COUNT",
                  {std::to_string(cleanedItems_), std::to_string(totalItemsToClean_)});
    showSize(static_cast<std::uint64_t>(std::max(0.0, recoveredSpace_)));
    setStopImageVisible(moduleFlags().aborted.load());
}

void ModuleViewController::updateSelectedItemsLabel() {
    calculateSelectedItemsAndSize();
    showSize(selectedSize_);
    setCountsLine("ID_SELECTED_ITEMS_COUNT",
                  {std::to_string(selectedItems_), std::to_string(totalItems_)});
}

// --- Sums ------------------------------------------------------------------------------------

void ModuleViewController::setTotals(std::int32_t items, std::uint64_t bytes) {
    totalItems_ = items;
    totalSize_ = bytes;
}

void ModuleViewController::setSelection(std::int32_t items, std::uint64_t bytes) {
    selectedItems_ = items;
    selectedSize_ = bytes;
}

void ModuleViewController::calculateTotalItemsAndParentSize() {
    const bool removing = activity_ == Activity::Cleaning;
    std::int32_t items = 0;
    std::uint64_t bytes = 0;
    dataFiller().mainDataSource(identity_.module).withLock([&](auto& nodes, auto& rows) {
        for (const auto& group : nodes) {
            if (!group) continue;
            std::uint64_t groupBytes = 0;
            for (const auto& item : group->children())
                if (item) groupBytes += item->sizeInBytes();
            items += static_cast<std::int32_t>(group->children().size());
            bytes += groupBytes;
            group->setSize(qengine::FileOperations::textOf(groupBytes));
        }
        for (const auto& r : rows)
            bytes += qengine::row::size(r);
        items += static_cast<std::int32_t>(rows.size());
    });
    totalSize_ = bytes;
    // During a clean the total stays the one the clean started from.
    if (!removing) totalItems_ = items;
}

void ModuleViewController::calculateSelectedItemsAndSize() {
    std::int32_t items = 0;
    std::uint64_t bytes = 0;
    dataFiller()
        .mainDataSource(identity_.module)
        .withLock([&](const auto& nodes, const auto& rows) {
            for (const auto& group : nodes) {
                if (!group) continue;
                for (const auto& item : group->children())
                    if (item && item->state() == 1) {
                        ++items;
                        bytes += item->sizeInBytes();
                    }
            }
            for (const auto& r : rows)
                if (qengine::row::state(r) == 1) {
                    ++items;
                    bytes += qengine::row::size(r);
                }
        });
    selectedItems_ = items;
    selectedSize_ = bytes;
    setText(lblPendingItems_, QString());
    if (removeButton_) removeButton_->setEnabled(selectedItems_ > 0);
    showAllTicked(selectedItems_ == totalItems_);
}

bool ModuleViewController::itemsToRemove() const {
    return dataFiller()
        .mainDataSource(identity_.module)
        .withLock([](const auto& nodes, const auto& rows) {
            if (!rows.empty()) return true;
            return std::any_of(nodes.begin(), nodes.end(), [](const auto& group) {
                return group && !group->children().empty();
            });
        });
}

void ModuleViewController::updateItemsCleaned() {
    totalItemsToClean_ = totalItems_;
    const std::int32_t left = dataFiller().getItemsCountOfModule(identity_.module);
    cleanedItems_ = std::max(0, totalItemsToClean_ - left);
    setCountsLine("ID_CLEANED_ITEMS_COUNT",
                  {std::to_string(cleanedItems_), std::to_string(totalItemsToClean_)});
}

void ModuleViewController::checkParentNodesForZeroState() {
    dataFiller().mainDataSource(identity_.module).withLock([](auto& nodes, auto&) {
        for (const auto& group : nodes)
            if (group && group->children().empty()) group->setState(0);
    });
    reloadResults();
}

void ModuleViewController::settleGroupStates() {
    dataFiller().mainDataSource(identity_.module).withLock([](auto& nodes, auto&) {
        for (const auto& group : nodes)
            if (group) group->setState(ResultsTreeModel::groupStateOf(*group));
    });
}

// --- Labels ----------------------------------------------------------------------------------

void ModuleViewController::setCountsLine(const std::string& key,
                                         const std::vector<std::string>& arguments) {
    if (!lblSelectedItems_ || arguments.empty()) return;
    lblSelectedItems_->setText(countText("GRP_CMN", key, arguments, arguments.size() - 1));
}

void ModuleViewController::setCaption(const std::string& text) {
    setText(lblOccupyRecover_, QString::fromStdString(text));
}

void ModuleViewController::showSize(std::uint64_t bytes) {
    setText(lblSize_, sizeText(bytes));
}

void ModuleViewController::setStopImageVisible(bool visible) {
    if (imgStopScanClean_) imgStopScanClean_->setVisible(visible);
}

// The note is written for the record but its label stays hidden.
void ModuleViewController::setPendingNote() {
    if (pendingItems_ > 0)
        setText(lblPendingItems_, QStringLiteral("%1 pending").arg(pendingItems_));
}

void ModuleViewController::showProgress(bool running) {
    showBusy(progressbar_, running);
}

void ModuleViewController::setText(QLabel* label, const QString& text) {
    if (label) label->setText(text);
}

void ModuleViewController::resizeDULabel() {
    if (!lblOccupyRecover_ || !lblSize_ || !mainInfoBox_) return;
    const qui::PointRect caption = qui::frameOf(lblOccupyRecover_);
    const double textWidth =
        lblOccupyRecover_->fontMetrics().horizontalAdvance(lblOccupyRecover_->text());
    const bool twoLines = textWidth + 5 > caption.width;
    const double height = twoLines ? 32 : 16;
    if (caption.height == height) return;
    qui::setFrame(lblOccupyRecover_, {caption.x, twoLines ? 4.0 : 12.0, caption.width, height});
    qui::PointRect size = qui::frameOf(lblSize_);
    size.y = twoLines ? 36 : 28;
    qui::setFrame(lblSize_, size);
    lblOccupyRecover_->setWordWrap(twoLines);
    lblOccupyRecover_->update();
    lblSize_->update();
}

// --- Last-scan line --------------------------------------------------------------------------

void ModuleViewController::updateLastScanWithCurrent(bool incomplete, bool isScan) {
    if (identity_.lastScanWord.empty()) return;
    const std::string status = statusLiteral(incomplete, isScan, isFlat_);
    const std::string time = qengine::LastScanDateTime::getCurrentDateInColonFormat();
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("lastScanStatus_" + identity_.lastScanWord, status);
    defaults.setObject("lastScanTime_" + identity_.lastScanWord, time);
    defaults.synchronize();
    setText(lblLastScan_, QString::fromStdString(lastScanText(status, time)));
}

void ModuleViewController::updateLastScanFromSaved() {
    if (!lblLastScan_ || identity_.lastScanWord.empty()) return;
    const auto& defaults = qcore::UserDefaults::standard();
    const auto status = defaults.stringForKey("lastScanStatus_" + identity_.lastScanWord);
    // Nothing saved keeps the interface file's text.
    if (status.empty()) return;
    const auto time = defaults.stringForKey("lastScanTime_" + identity_.lastScanWord);
    lblLastScan_->setText(QString::fromStdString(lastScanText(status, time)));
}

// --- View ------------------------------------------------------------------------------------

qtk::IMGButton* ModuleViewController::scanButton() {
    view();
    return scanButton_;
}

qtk::IMGButton* ModuleViewController::removeButton() {
    view();
    return removeButton_;
}

QMenu* ModuleViewController::contextMenu() {
    view();
    return myMenu_;
}

QAbstractItemView* ModuleViewController::resultsView() const {
    if (outlineView_) return outlineView_;
    return tableView_;
}

void ModuleViewController::reloadResults() {
    if (tableModel_) tableModel_->reload();
    if (!treeModel_) return;
    // A reload that changes the tree's shape resets the model; groups open before stay open.
    std::unordered_set<std::string> expanded;
    if (outlineView_)
        for (int g = 0; g < treeModel_->rowCount(); ++g)
            if (outlineView_->isExpanded(treeModel_->index(g, 0)))
                expanded.insert(treeModel_->groups()[static_cast<std::size_t>(g)]->title());
    treeModel_->reload();
    if (!outlineView_ || expanded.empty()) return;
    for (int g = 0; g < treeModel_->rowCount(); ++g)
        if (expanded.contains(treeModel_->groups()[static_cast<std::size_t>(g)]->title()))
            outlineView_->expand(treeModel_->index(g, 0));
}

ResultsTreeModel* ModuleViewController::makeTreeModel() {
    return new ResultsTreeModel(dataFiller(), identity_.module, this);
}

ResultsTableModel* ModuleViewController::makeTableModel() {
    return new ResultsTableModel(dataFiller(), identity_.module, this);
}

void ModuleViewController::bindControls() {
    lblTitle_ = findChild<QLabel*>(QStringLiteral("lblTitle"));
    lblDesc_ = findChild<QLabel*>(QStringLiteral("lblDesc"));
    lblOccupyRecover_ = findChild<QLabel*>(QStringLiteral("lblOccupyRecover"));
    lblSelectedItems_ = findChild<QLabel*>(QStringLiteral("lblSelectedItems"));
    lblPendingItems_ = findChild<QLabel*>(QStringLiteral("lblPendingItems"));
    lblSize_ = findChild<QLabel*>(QStringLiteral("lblSize"));
    lblLastScan_ = findChild<QLabel*>(QStringLiteral("lblLastScan"));
    imgStopScanClean_ = findChild<QLabel*>(QStringLiteral("imgStopScanClean"));
    scanButton_ = findChild<qtk::IMGButton*>(QStringLiteral("scanButton"));
    removeButton_ = findChild<qtk::IMGButton*>(QStringLiteral("removeButton"));
    rescanButton_ = findChild<QPushButton*>(QStringLiteral("rescanButton"));
    checkUncheckButton_ = findChild<QCheckBox*>(QStringLiteral("checkUncheckButton"));
    progressbar_ = findChild<QProgressBar*>(QStringLiteral("progressbar"));
    mainInfoBox_ = findChild<qtk::GradientBox*>(QStringLiteral("mainInfoBox"));
    boxHeader_ = findChild<qtk::GradientBox*>(QStringLiteral("boxHeader"));
    boxFooter_ = findChild<qtk::GradientBox*>(QStringLiteral("boxFooter"));
    outlineView_ = findChild<QTreeView*>(QStringLiteral("outlineView"));
    tableView_ = findChild<QTableView*>(QStringLiteral("tableView"));
}

void ModuleViewController::setUpResultsView() {
    if (outlineView_) {
        treeModel_ = makeTreeModel();
        outlineView_->setModel(treeModel_);
        header_ = outlineView_->header();
        ResultsViewLook::apply(outlineView_, header_, treeModel_->columnIndex(columns::kTitle));
        connect(treeModel_, &ResultsTreeModel::ticksChanged, this, [this] { ticksChanged(); });
    } else if (tableView_) {
        tableModel_ = makeTableModel();
        tableView_->setModel(tableModel_);
        header_ = tableView_->horizontalHeader();
        ResultsViewLook::apply(tableView_, header_, tableModel_->columnIndex(columns::kTitle));
        connect(tableModel_, &ResultsTableModel::ticksChanged, this, [this] { ticksChanged(); });
    }
    if (auto* view = resultsView()) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this](const QPoint& position) { showContextMenu(position); });
    }
    if (header_)
        connect(header_, &QHeaderView::sectionClicked, this,
                [this](int column) { didClickTableColumn(column); });
}

void ModuleViewController::setUpContextMenu() {
    myMenu_ = new QMenu(this);
    myMenu_->setObjectName(QStringLiteral("myMenu"));
    myMenu_->addAction(commonToken("ID_SHOW_IN_FINDER"), this, [this] { revealInFinder(); });
    if (isFlat_) return;
    myMenu_->addSeparator();
    myMenu_->addAction(commonToken("ID_EXPAND_ALL"), this, [this] { expandAll(); });
    myMenu_->addAction(commonToken("ID_COLLAPSE_ALL"), this, [this] { collapseAll(); });
}

// The check-all box is shown over the header's tick column. It is a sibling of the results
// view rather than a child of its header: an item view exposes only its cells and headers to
// assistive tools, so a box inside it could not be reached.
void ModuleViewController::setUpCheckAllBox() {
    QAbstractItemView* view = resultsView();
    if (!checkUncheckButton_ || !header_ || !view || !view->parentWidget()) return;
    checkUncheckButton_->setParent(nullptr); // out of the page's layout, wherever it sat in it
    checkUncheckButton_->setParent(view->parentWidget());
    qui::Autoresizing::apply(checkUncheckButton_, qui::Resizing::None); // placed by the header
    checkUncheckButton_->setText(QString());
    checkUncheckButton_->setAccessibleName(commonToken("ID_SELECT_ALL"));
    checkUncheckButton_->show();
    connect(header_, &QHeaderView::sectionResized, this, [this] { placeCheckAllBox(); });
    connect(header_, &QHeaderView::geometriesChanged, this, [this] { placeCheckAllBox(); });
    view->installEventFilter(this);
    header_->installEventFilter(this);
    placeCheckAllBox();
}

void ModuleViewController::placeCheckAllBox() {
    QAbstractItemView* view = resultsView();
    if (!checkUncheckButton_ || !header_ || !view) return;
    const QSize hint = checkUncheckButton_->sizeHint();
    QWidget* headerArea = header_->viewport();
    const int x =
        header_->sectionViewportPosition(0) + (header_->sectionSize(0) - hint.width()) / 2;
    const int y = (headerArea->height() - hint.height()) / 2;
    const QPoint at = headerArea->mapTo(checkUncheckButton_->parentWidget(),
                                        QPoint(std::max(0, x), std::max(0, y)));
    checkUncheckButton_->setGeometry(QRect(at, hint));
    checkUncheckButton_->raise();
}

void ModuleViewController::connectControls() {
    if (scanButton_)
        connect(scanButton_, &QAbstractButton::clicked, this, [this] { scanButtonClicked(); });
    if (removeButton_)
        connect(removeButton_, &QAbstractButton::clicked, this, [this] { removeSelected(); });
    if (rescanButton_)
        connect(rescanButton_, &QAbstractButton::clicked, this, [this] { rescanButtonClicked(); });
    // The box acts on whatever changed it (mouse, keyboard or an assistive tool's toggle); the
    // page's own updates of it are quiet.
    if (checkUncheckButton_)
        connect(checkUncheckButton_, &QAbstractButton::toggled, this,
                [this] { checkUncheckAll(); });
}

void ModuleViewController::changeFontAndSize() {
    setColour(lblLastScan_, kDarkGrey);
    setColour(lblTitle_, Qt::black);
    setColour(lblDesc_, kDarkGrey);
    setColour(lblSize_, Qt::black);
    setColour(lblOccupyRecover_, Qt::black);
    setColour(lblPendingItems_, Qt::red);
    setColour(lblSelectedItems_, kDarkGrey);
    if (lblTitle_) lblTitle_->setFont(qui::labelFont(20));
    if (lblDesc_) lblDesc_->setFont(qui::labelFont(11));
    if (lblSize_) lblSize_->setFont(qui::boldSystemFont(16));
    if (lblOccupyRecover_) lblOccupyRecover_->setFont(qui::labelFont(12));
    if (identity_.buttonFont)
        for (auto* button : {scanButton_, removeButton_})
            if (button) button->setFont(*identity_.buttonFont);
}

void ModuleViewController::updateLanguageTokens() {
    if (imgStopScanClean_) {
        imgStopScanClean_->setToolTip(commonToken("ID_OPERATION_ABORTED"));
        imgStopScanClean_->setAccessibleName(commonToken("ID_OPERATION_ABORTED"));
    }
    QString title = moduleDisplayName(identity_.module);
    for (int pass = 0; pass < 2; ++pass)
        title.replace(QStringLiteral("  "), QStringLiteral(" "));
    setText(lblTitle_, title);
    if (rescanButton_) rescanButton_->setText(commonToken("ID_RESCAN"));
    setCaption(dataFiller().DISKUSAGE());
    const int titleColumn = 2;
    const int sizeColumn = 3;
    if (treeModel_) {
        treeModel_->setHeader(titleColumn, commonToken("ID_TITLE"));
        treeModel_->setHeader(sizeColumn, commonToken("ID_SIZE"));
    }
    if (tableModel_) {
        tableModel_->setHeader(titleColumn, commonToken("ID_TITLE"));
        tableModel_->setHeader(sizeColumn, commonToken("ID_SIZE"));
    }
    setCountsLine("ID_SELECTED_ITEMS_COUNT", {"0", "0"});
}

void ModuleViewController::applyBoxImages() {
    if (mainInfoBox_)
        mainInfoBox_->setGradientImageName("yellow_bg_left.png", "yellow_bg_middle.png",
                                           "yellow_bg_right.png");
    if (boxHeader_) boxHeader_->setGradientImageName("header.png");
    if (boxFooter_) boxFooter_->setGradientImageName("footer.png");
    if (imgStopScanClean_)
        imgStopScanClean_->setPixmap(
            qui::namedImage(QStringLiteral("stop_sign.png"))
                .scaled(imgStopScanClean_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void ModuleViewController::viewDidLoad() {
    bindControls();
    setUpResultsView();
    setUpContextMenu();
    setUpCheckAllBox();
    connectControls();

    qtk::ViewFormatter(dataFiller()).makeMultilingualChangesForYosemiteForLblDesc(lblDesc_);
    showSize(0);
    updateLanguageTokens();
    if (auto* view = resultsView())
        view->setAccessibleName(lblTitle_ ? lblTitle_->text() : QString());
    const auto& flags = moduleFlags();
    updateDescription(flags.isFilling.load(), flags.isRemoving.load());
    if (lblPendingItems_) lblPendingItems_->setHidden(true);
    changeFontAndSize();
    updateLastScanFromSaved();
    for (auto* button : {scanButton_, removeButton_})
        if (button) button->setStandardImages();
    applyBoxImages();
    applyViewFormatting();
    if (scanButton_) scanButton_->setText(commonToken("ID_START_SCAN"));
    if (removeButton_) removeButton_->setText(commonToken("ID_CLEAN_NOW"));

    restoreFaceFromEngine();

    dataFiller().sendAwakeNotification(identity_.module);
    resizeDULabel();
}

// The face follows the engine: a page first shown mid-scan or mid-clean shows the running face,
// one shown after a clean shows that clean's counts. Nothing is recorded here.
void ModuleViewController::restoreFaceFromEngine() {
    const auto& flags = moduleFlags();
    calculateTotalItemsAndParentSize();
    setStopImageVisible(false);
    if (auto* results = resultsView()) results->setEnabled(!moduleWorks());
    if (flags.isFilling.load()) {
        startScan();
    } else if (flags.isRemoving.load()) {
        startRemove();
    } else if (!lastActivityScan_) {
        // The counts of the clean that ended before the view existed stay as recorded then.
        const auto cleaned = cleanedItems_;
        const auto toClean = totalItemsToClean_;
        stopRemove(false);
        cleanedItems_ = cleaned;
        totalItemsToClean_ = toClean;
        performLabelReposition();
    } else if (!dataFiller().mainDataSource(identity_.module).empty()) {
        decideScanOrRemoveButton(false, true);
        handleStopScan(false);
    } else {
        showProgress(false);
        if (scanButton_) scanButton_->setState(idleState());
        if (removeButton_) removeButton_->setHidden(true);
        updateSelectedItemsLabel();
    }
    if (!isFlat_ && dataFiller().mainDataSource(identity_.module).empty())
        checkParentNodesForZeroState();
}

void ModuleViewController::showEvent(QShowEvent* event) {
    PageBase::showEvent(event);
    placeCheckAllBox();
    watchWindow();
}

// Window events: the progress indicator animates only while the module works and the window is
// not minimised.
void ModuleViewController::watchWindow() {
    QWidget* top = window();
    if (!top || top == watchedWindow_ || top == this) return;
    if (watchedWindow_) watchedWindow_->removeEventFilter(this);
    watchedWindow_ = top;
    top->installEventFilter(this);
}

bool ModuleViewController::eventFilter(QObject* watched, QEvent* event) {
    // The box follows the header wherever the view or the header moves.
    if ((watched == resultsView() || watched == header_) &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        placeCheckAllBox();
    if (watched == watchedWindow_ && isViewLoaded()) {
        if (event->type() == QEvent::WindowActivate) showProgress(moduleWorks());
        if (event->type() == QEvent::WindowStateChange && watchedWindow_->isMinimized()) {
            showProgress(false);
            if (boxFooter_) boxFooter_->update();
        }
    }
    return PageBase::eventFilter(watched, event);
}

} // namespace qpages
