#include "pages/care/ModuleViewController.h"

#include "engine/DataFiller.h"
#include "engine/LastScanDateTime.h"
#include "engine/ModuleKeys.h"
#include "engine/TextFormat.h"
#include "pages/care/PageNotifications.h"
#include "pages/care/ResultsTableModel.h"
#include "pages/care/ResultsTreeModel.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Alert.h"
#include "toolkit/IMGButton.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QTreeView>

namespace qpages {

namespace {

std::string statusLiteral(bool incomplete, bool isScan) {
    if (isScan) return incomplete ? "Last scan (incomplete)" : "Last scan";
    return incomplete ? " Last clean(incomplete)" : "Last clean";
}

} // namespace

ModuleViewController::ModuleViewController(qengine::DataFiller& dataFiller, Identity identity,
                                           QWidget* parent)
    : PageBase(dataFiller, parent), identity_(std::move(identity)),
      isFlat_(qengine::modules::isFlat(identity_.module)) {
    registerObservers();
    calculateTotalItemsAndParentSize();
    calculateSelectedItemsAndSize();
}

ModuleViewController::~ModuleViewController() {
    finishPage({identity_.module});
}

void ModuleViewController::registerObservers() {
    const QPointer<ModuleViewController> page(this);
    const auto module = identity_.module;
    const auto updateMode = identity_.updateHandOver;
    const auto reloadMode = identity_.reloadHandOver;
    // The filters run on the posting thread and read only these copies, never the page.
    observe(notes::kActivityStartStop, [page, module](const qcore::Notification& n) {
        if (n.info(notes::kActivityName) != module) return;
        handOver(page, &ModuleViewController::mainthread_handleActivityStartStop, n,
                 HandOver::Wait);
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
    // A module busy elsewhere keeps the idle face once the button has flipped.
    if (!scanNow() && scanButton_) scanButton_->setState(runningState());
}

void ModuleViewController::removeSelected() {
    auto& flags = moduleFlags();
    flags.stopRemoving.store(false);
    if (removeButton_ && removeButton_->state() != idleState()) {
        removeButton_->setState(idleState());
        removeButton_->setEnabled(false);
        flags.stopRemoving.store(true);
        flags.aborted.store(true);
        return;
    }
    if (!askToClean()) {
        if (removeButton_) removeButton_->setState(runningState());
        return;
    }
    dataFiller().initRemoveObjectIfRequired(identity_.module);
    if (removeButton_) removeButton_->setText(commonToken("ID_STOP_CLEANING"));
    if (!removeNow() && removeButton_) removeButton_->setState(runningState());
}

bool ModuleViewController::askToClean() const {
    if (confirmClean_) return confirmClean_();
    qui::Alert alert;
    alert.setMessageText(commonToken("ID_PROMPT_TO_CLEAN_ALL_ITEMS"))
        .setInformativeText(commonToken("ID_PROMPT_DESC_TO_CLEAN_ALL_ITEMS"))
        .addButton(commonToken("ID_OK"))
        .addButton(commonToken("ID_CANCEL"));
    return alert.runModal(window()) == qui::Alert::FirstButton;
}

// --- Main-thread handlers --------------------------------------------------------------------

void ModuleViewController::mainthread_handleActivityStartStop(const qcore::Notification& n) {
    if (!isOwnModule(n, notes::kActivityName)) return;
    const bool isStart = n.info(notes::kOperation) == notes::kStart;
    const bool isScan = n.info(notes::kActivityType) == notes::kScan;
    if (auto* results = resultsView()) results->setEnabled(!isStart);
    if (isStart) {
        moduleFlags().aborted.store(false);
        reloadResults();
        isScan ? startScan() : startRemove();
    } else {
        lastActivityScan_ = isScan;
        isScan ? handleStopScan() : stopRemove();
        if (isScan && identity_.foundCountsAfterScan) {
            setCountsLine("ID_ITEMS_FOUND", {std::to_string(totalItems_)});
            setText(lblSize_, sizeText(foundSize_));
        }
    }
    activityHandled(isStart, isScan);
}

void ModuleViewController::mainthread_handleUpdates(const qcore::Notification& n) {
    if (!isOwnModule(n, notes::kNotificationGroup)) return;
    const std::string count = n.info(notes::kCount);
    const std::uint64_t size = std::strtoull(n.info(notes::kSize).c_str(), nullptr, 10);
    setText(lblSize_, sizeText(size));
    const auto& flags = moduleFlags();
    if (flags.isFilling.load()) {
        foundSize_ = size;
        setText(lblOccupyRecover_, QString::fromStdString(dataFiller().DISKUSAGE()));
        setCountsLine("ID_ITEMS_FOUND", {count});
    }
    if (flags.isRemoving.load()) {
        const auto cleaned = static_cast<std::int32_t>(std::strtol(count.c_str(), nullptr, 10));
        setText(lblOccupyRecover_, QString::fromStdString(dataFiller().SPACERECOVERED()));
        setCountsLine("ID_CLEANED_ITEMS_COUNT",
                      {std::to_string(cleaned), std::to_string(totalItems_)});
        cleanedItems_ = cleaned;
        totalItemsToClean_ = totalItems_;
        recoveredSpace_ = size;
    }
    updateHandled(n);
}

void ModuleViewController::mainthread_handleReload(const qcore::Notification& n) {
    if (!isOwnModule(n, notes::kNotificationGroup)) return;
    // While the module cleans, the total stays the one the clean started from.
    if (!moduleFlags().isRemoving.load()) calculateTotalItemsAndParentSize();
    reloadResults();
    if (tableView_) tableView_->scrollToBottom();
    reloadFinished();
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
    std::string text;
    if (scanning)
        text = dataFiller().getTokenForActivity(module, false, true);
    else if (cleaning)
        text = dataFiller().getTokenForActivity(module, false, false);
    else if (dataFiller().getItemsCountOfModule(module) > 0)
        text = dataFiller().getTokenForActivity(module, true, false);
    else
        text = dataFiller().getTokenForActivity(module, true, true);
    lblDesc_->setText(QString::fromStdString(text));
}

void ModuleViewController::startScan() {
    foundSize_ = 0;
    setText(lblSize_, sizeText(0));
    setText(lblOccupyRecover_, QString::fromStdString(dataFiller().DISKUSAGE()));
    setCountsLine("ID_ITEMS_FOUND", {"0"});
    showProgress(true);
    if (removeButton_) {
        removeButton_->setEnabled(false);
        removeButton_->setHidden(true);
    }
    if (scanButton_) {
        scanButton_->setHidden(false);
        scanButton_->setEnabled(true);
    }
    decideScanOrRemoveButton(true, true);
}

void ModuleViewController::handleStopScan() {
    showProgress(false);
    calculateTotalItemsAndParentSize();
    calculateSelectedItemsAndSize();
    reloadResults();
    decideScanOrRemoveButton(false, true);
    showScanOrClean();
    updateSelectedItemsLabel();
    if (!identity_.lastScanWord.empty())
        updateLastScanWithCurrent(moduleFlags().aborted.load(), true);
}

void ModuleViewController::startRemove() {
    if (outlineView_) outlineView_->collapseAll();
    showProgress(true);
    if (scanButton_) {
        scanButton_->setEnabled(false);
        scanButton_->setHidden(true);
    }
    if (removeButton_) {
        removeButton_->setHidden(false);
        removeButton_->setEnabled(true);
    }
    decideScanOrRemoveButton(true, false);
}

void ModuleViewController::stopRemove() {
    showProgress(false);
    calculateTotalItemsAndParentSize();
    calculateSelectedItemsAndSize();
    reloadResults();
    decideScanOrRemoveButton(false, false);
    showScanOrClean();
    setText(lblOccupyRecover_, QString::fromStdString(dataFiller().SPACERECOVERED()));
    setCountsLine("ID_CLEANED_ITEMS_COUNT",
                  {std::to_string(cleanedItems_), std::to_string(totalItemsToClean_)});
    setText(lblSize_, sizeText(recoveredSpace_));
    if (!identity_.lastScanWord.empty())
        updateLastScanWithCurrent(moduleFlags().aborted.load(), false);
}

void ModuleViewController::showScanOrClean() {
    // Group rows without items are nothing to clean.
    const bool hasItems = totalItems_ > 0;
    if (scanButton_) {
        scanButton_->setHidden(hasItems);
        scanButton_->setEnabled(true);
    }
    if (removeButton_) {
        removeButton_->setHidden(!hasItems);
        removeButton_->setEnabled(selectedItems_ > 0);
    }
}

void ModuleViewController::updateSelectedItemsLabel() {
    calculateSelectedItemsAndSize();
    setText(lblSize_, sizeText(selectedSize_));
    setCountsLine("ID_SELECTED_ITEMS_COUNT",
                  {std::to_string(selectedItems_), std::to_string(totalItems_)});
}

void ModuleViewController::showProgress(bool running) {
    if (!progressbar_) return;
    // A range of 0..0 makes the bar a busy indicator.
    progressbar_->setRange(0, running ? 0 : 1);
    progressbar_->setVisible(running);
}

void ModuleViewController::setCountsLine(const std::string& key,
                                         const std::vector<std::string>& arguments) {
    if (!lblSelectedItems_) return;
    const auto format = dataFiller().getTokenForGroup("GRP_CMN", key);
    lblSelectedItems_->setText(
        QString::fromStdString(qengine::text::fillPlaceholders(format, arguments)));
}

void ModuleViewController::setText(QLabel* label, const QString& text) {
    if (label) label->setText(text);
}

// --- Totals ----------------------------------------------------------------------------------

void ModuleViewController::setTotals(std::int32_t items, std::uint64_t bytes) {
    totalItems_ = items;
    totalSize_ = bytes;
}

void ModuleViewController::setSelection(std::int32_t items, std::uint64_t bytes) {
    selectedItems_ = items;
    selectedSize_ = bytes;
}

void ModuleViewController::calculateTotalItemsAndParentSize() {
    totalItems_ = dataFiller().getItemsCountOfModule(identity_.module);
    totalSize_ = listedBytes(identity_.module);
}

void ModuleViewController::calculateSelectedItemsAndSize() {
    std::int32_t items = 0;
    std::uint64_t bytes = 0;
    dataFiller().mainDataSource(identity_.module).withLock([&](auto& nodes, auto& rows) {
        for (const auto& group : nodes)
            for (const auto& item : group->children())
                if (item->state() == 1) {
                    ++items;
                    bytes += item->sizeInBytes();
                }
        for (const auto& r : rows)
            if (qengine::row::isChecked(r)) {
                ++items;
                bytes += qengine::row::size(r);
            }
    });
    selectedItems_ = items;
    selectedSize_ = bytes;
}

// --- Last-scan line --------------------------------------------------------------------------

void ModuleViewController::updateLastScanWithCurrent(bool incomplete, bool isScan) {
    if (identity_.lastScanWord.empty()) return;
    const std::string status = statusLiteral(incomplete, isScan);
    const std::string time = qengine::LastScanDateTime::getCurrentDateInColonFormat();
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("lastScanStatus_" + identity_.lastScanWord, status);
    defaults.setObject("lastScanTime_" + identity_.lastScanWord, time);
    defaults.synchronize();
    if (!lblLastScan_) return;
    lblLastScan_->setText(QString::fromStdString(qengine::text::fillPlaceholders(
        "%@: %@, %@", {status, qengine::LastScanDateTime::getDateInCurrentFormat(time),
                       qengine::LastScanDateTime::getTimeinAmPmFormat(time)})));
}

void ModuleViewController::updateLastScanFromSaved() {
    if (!lblLastScan_ || identity_.lastScanWord.empty()) return;
    const auto& defaults = qcore::UserDefaults::standard();
    const auto status = defaults.stringForKey("lastScanStatus_" + identity_.lastScanWord);
    // Nothing saved keeps the interface file's text.
    if (status.empty()) return;
    const auto time = defaults.stringForKey("lastScanTime_" + identity_.lastScanWord);
    lblLastScan_->setText(QString::fromStdString(qengine::text::fillPlaceholders(
        "%@: %@, %@", {status, qengine::LastScanDateTime::getDateInCurrentFormat(time),
                       qengine::LastScanDateTime::getTimeinAmPmFormat(time)})));
}

// --- View ------------------------------------------------------------------------------------

void ModuleViewController::bindControls() {
    lblTitle_ = findChild<QLabel*>(QStringLiteral("lblTitle"));
    lblDesc_ = findChild<QLabel*>(QStringLiteral("lblDesc"));
    lblOccupyRecover_ = findChild<QLabel*>(QStringLiteral("lblOccupyRecover"));
    lblSelectedItems_ = findChild<QLabel*>(QStringLiteral("lblSelectedItems"));
    lblSize_ = findChild<QLabel*>(QStringLiteral("lblSize"));
    lblLastScan_ = findChild<QLabel*>(QStringLiteral("lblLastScan"));
    scanButton_ = findChild<qtk::IMGButton*>(QStringLiteral("scanButton"));
    removeButton_ = findChild<qtk::IMGButton*>(QStringLiteral("removeButton"));
    progressbar_ = findChild<QProgressBar*>(QStringLiteral("progressbar"));
    outlineView_ = findChild<QTreeView*>(QStringLiteral("outlineView"));
    tableView_ = findChild<QTableView*>(QStringLiteral("tableView"));
}

qtk::IMGButton* ModuleViewController::scanButton() {
    view();
    return scanButton_;
}

qtk::IMGButton* ModuleViewController::removeButton() {
    view();
    return removeButton_;
}

QAbstractItemView* ModuleViewController::resultsView() const {
    if (outlineView_) return outlineView_;
    return tableView_;
}

void ModuleViewController::reloadResults() {
    if (treeModel_) treeModel_->reload();
    if (tableModel_) tableModel_->reload();
}

void ModuleViewController::viewDidLoad() {
    bindControls();
    const QString title = commonToken("ID_TITLE");
    const QString size = commonToken("ID_SIZE");
    if (outlineView_) {
        treeModel_ = new ResultsTreeModel(dataFiller(), identity_.module, this);
        treeModel_->setHeaderTitles(title, size);
        outlineView_->setModel(treeModel_);
        outlineView_->header()->setStretchLastSection(false);
        outlineView_->header()->setSectionResizeMode(ResultsTreeModel::TitleColumn,
                                                     QHeaderView::Stretch);
    }
    if (tableView_) {
        tableModel_ = new ResultsTableModel(dataFiller(), identity_.module, this);
        tableModel_->setHeaderTitles(title, size);
        tableView_->setModel(tableModel_);
        tableView_->horizontalHeader()->setSectionResizeMode(ResultsTableModel::TitleColumn,
                                                             QHeaderView::Stretch);
    }
    for (auto* button : {scanButton_, removeButton_})
        if (button) button->setStandardImages();
    if (scanButton_)
        connect(scanButton_, &QAbstractButton::clicked, this, [this] { scanButtonClicked(); });
    if (removeButton_)
        connect(removeButton_, &QAbstractButton::clicked, this, [this] { removeSelected(); });

    setText(lblTitle_, moduleDisplayName(identity_.module).replace(QStringLiteral("  "), " "));
    setText(lblOccupyRecover_, QString::fromStdString(dataFiller().DISKUSAGE()));
    setText(lblSize_, sizeText(0));
    updateLastScanFromSaved();
    applyViewFormatting();

    // The face follows the engine: a page first shown mid-scan shows the running face.
    const auto& flags = moduleFlags();
    calculateTotalItemsAndParentSize();
    if (flags.isFilling.load()) {
        startScan();
    } else if (flags.isRemoving.load()) {
        startRemove();
    } else {
        showProgress(false);
        calculateSelectedItemsAndSize();
        decideScanOrRemoveButton(false, lastActivityScan_);
        showScanOrClean();
        updateSelectedItemsLabel();
    }
    dataFiller().sendAwakeNotification(identity_.module);
}

} // namespace qpages
