#include "pages/tools/ManualCleanController.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/ModuleKeys.h"
#include "engine/Pacer.h"
#include "engine/TextFormat.h"
#include "pages/care/PageNotifications.h"
#include "pages/tools/FullDiskAccess.h"
#include "pages/tools/FullDiskAccessGuide.h"
#include "pages/tools/MiscCleaningConfirmation.h"
#include "pages/tools/MiscCleaningLoader.h"
#include "pages/tools/MiscCleaningRemover.h"
#include "pages/tools/MiscCleaningTableModel.h"
#include "platform/ui/Alert.h"
#include "platform/ui/GuiWorkspace.h"
#include "platform/ui/ImageCache.h"
#include "platform/ui/SheetOverlay.h"
#include "toolkit/CommonFuncs.h"
#include "toolkit/GradientBox.h"
#include "toolkit/IMGButton.h"

#include "ui_ManualClean.h"

#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QWindowStateChangeEvent>

#include <ctime>

namespace qpages {

namespace {

const std::string& kModule = qengine::modules::kMiscCleaning;
constexpr int kIdle = 1;
constexpr int kRunning = 0;
const QString kTabIndent = QStringLiteral("          ");

int listOfSubGroup(const std::string& subGroup) {
    for (int i = 0; i < ManualCleanController::kListCount; ++i)
        if (subGroup == ManualCleanController::subGroup(i)) return i;
    return -1;
}

std::string upper(const std::string& s) {
    return qengine::text::upperCased(s);
}

} // namespace

const char* ManualCleanController::subGroup(int list) {
    static const char* const names[] = {"Backups", "MailDownloads", "OldDownloads"};
    return (list >= 0 && list < kListCount) ? names[list] : "";
}

ManualCleanController::ManualCleanController(qengine::DataFiller& dataFiller, QWidget* parent)
    : PageBase(dataFiller, parent), grpKey_("GRP_" + qengine::text::moduleStem(kModule)),
      randomConfirmNo_(MiscCleaningConfirmation::drawNumber(std::time(nullptr))) {
    registerObservers();
    strIT_ = dataFiller.getTokenForGroup(grpKey_, "ID_ITUNES_BACKUPS");
    strMD_ = dataFiller.getTokenForGroup(grpKey_, "ID_MAIL_DOWNLOADS");
    strOD_ = dataFiller.getTokenForGroup(grpKey_, "ID_OLD_DOWNLOADS");
}

ManualCleanController::~ManualCleanController() {
    finishPage({kModule});
}

FullDiskAccessGuide& ManualCleanController::guide() {
    if (!guide_)
        guide_ =
            new FullDiskAccessGuide(dataFiller(), FullDiskAccessGuide::Variant::MiscCleaning, this);
    return *guide_;
}

// --- Notifications ---------------------------------------------------------------------------

void ManualCleanController::registerObservers() {
    const QPointer<ManualCleanController> page(this);
    observe(notes::kDataFillerUpdate, [page](const qcore::Notification& n) {
        if (n.info(notes::kNotificationGroup) != kModule) return;
        handOver(page, &ManualCleanController::mainthread_handleUpdates, n, HandOver::NoWait);
    });
    observe(notes::kActivityStartStop, [page](const qcore::Notification& n) {
        if (n.info(notes::kActivityName) != kModule) return;
        handOver(page, &ManualCleanController::mainthread_handleActivityStartStop, n,
                 HandOver::NoWait);
    });
    observe(notes::kReload, [page](const qcore::Notification& n) {
        if (n.info(notes::kNotificationGroup) != kModule) return;
        handOver(page, &ManualCleanController::mainthread_handleReload, n, HandOver::NoWait);
    });
}

void ManualCleanController::sendUpdateNotification(const std::string& subGroup,
                                                   const std::string& size) {
    qcore::NotificationCenter::defaultCenter().post(
        notes::kDataFillerUpdate, this,
        {{notes::kNotificationGroup, kModule}, {"subGroup", subGroup}, {notes::kSize, size}});
}

void ManualCleanController::sendActivityStartStopNotification(const std::string& operation,
                                                              const std::string& activityType) {
    qcore::NotificationCenter::defaultCenter().post(notes::kActivityStartStop, this,
                                                    {{notes::kActivityName, kModule},
                                                     {notes::kOperation, operation},
                                                     {notes::kActivityType, activityType}});
}

void ManualCleanController::sendReloadNotification() {
    qcore::NotificationCenter::defaultCenter().post(notes::kReload, this,
                                                    {{notes::kNotificationGroup, kModule}});
}

// --- Scan ------------------------------------------------------------------------------------

bool ManualCleanController::accessGate() {
    if (!FullDiskAccess::is1014OSX()) return true;
    if (FullDiskAccess::checkFulldiskAccess(FullDiskAccess::homeDirectory())) return true;
    guide().showFullDiskAccessNag();
    return false;
}

void ManualCleanController::loadDataInDB() {
    auto* scan = ui_ ? ui_->scanButton : nullptr;
    if (!accessGate()) {
        if (scan) {
            scan->setState(kRunning); // the button's own flip shows the idle face
            scan->setEnabled(true);
        }
        return;
    }
    dataFiller().setStopFillingMiscCleaning(false);
    if (!scan || scan->state() == kIdle) {
        if (!scanNow() && scan) scan->setState(kRunning);
        return;
    }
    // Stop: idle face, disabled until the loaders have ended.
    scan->setState(kRunning);
    scan->setEnabled(false);
    dataFiller().setAbortedMiscCleaning(true);
    dataFiller().setStopFillingMiscCleaning(true);
}

void ManualCleanController::rescanNow() {
    if (!accessGate()) return;
    dataFiller().setStopFillingMiscCleaning(false);
    scanNow();
}

bool ManualCleanController::beginOperation(bool scan) {
    if (busy_ || !dataFiller().claimModule(kModule)) return false;
    busy_ = true;
    isFilling_ = scan;
    stopCount_ = 0;
    selectedSize_ = 0;
    if (ui_) {
        ui_->lblSize->setText(sizeText(0));
        ui_->lblOccupyRecover->setText(QString::fromStdString(
            scan ? dataFiller().DISKUSAGE() : dataFiller().SPACERECOVERED()));
    }
    return true;
}

bool ManualCleanController::scanNow() {
    if (!beginOperation(true)) return false;
    for (auto& l : lists_) {
        l.clear();
        reloadTable();
    }
    qengine::Pacer::sleep(0.25);
    retitleTabs();
    calculateTotalItems();
    reloadTable();
    return startThreads(true);
}

bool ManualCleanController::startThreads(bool scan) {
    const std::string type = scan ? notes::kScan : "remove";
    sendActivityStartStopNotification(notes::kStart, type);
    activeThreads_.store(kListCount);
    for (int i = 0; i < kListCount; ++i) {
        updatePI(i, true);
        const bool started = startThread([this, i, scan] { scan ? runLoader(i) : runRemover(i); });
        if (!started) finishThread(i, type);
    }
    return true;
}

void ManualCleanController::runLoader(int list) {
    const MiscCleaningLoader loader(dataFiller(), FullDiskAccess::homeDirectory());
    auto& rows = lists_[static_cast<std::size_t>(list)];
    const auto added = [this, list](const MiscCleaningRow& row) {
        sendUpdateNotification(subGroup(list), row.size);
    };
    if (qengine::DataFiller::homeIsUsable()) {
        if (list == Backups && listsBackups_) loader.loadTableviewBackups(rows, added);
        if (list == MailDownloads) loader.loadTableviewMailDownloads(rows, added);
        if (list == Trash) loader.loadTrashData(rows, added);
    }
    finishThread(list, notes::kScan);
}

void ManualCleanController::runRemover(int list) {
    const std::string home = FullDiskAccess::homeDirectory();
    const MiscCleaningLoader loader(dataFiller(), home);
    const std::string folder = list == Backups         ? loader.backupsFolder()
                               : list == MailDownloads ? loader.mailDownloadsFolder()
                                                       : loader.trashFolder();
    const MiscCleaningRemover remover(dataFiller(), home, folder,
                                      list == Backups ? "Error in deleting %@"
                                                      : " Error in deleting %@");
    MiscCleaningRemover::Callbacks callbacks;
    callbacks.removed = [this, list](const MiscCleaningRow& row) {
        sendUpdateNotification(subGroup(list), row.size);
    };
    if (list == Trash) callbacks.handled = [this] { sendReloadNotification(); };
    remover.remove(lists_[static_cast<std::size_t>(list)], callbacks);
    finishThread(list, "remove");
}

void ManualCleanController::finishThread(int list, const std::string& activityType) {
    const QPointer<ManualCleanController> page(this);
    qcore::MainThread::current().postAndWait([page, list] {
        if (page) page->updatePI(list, false);
    });
    if (activeThreads_.fetch_sub(1) == 1) dataFiller().cancelModuleClaim(kModule);
    sendActivityStartStopNotification(notes::kStop, activityType);
}

// --- Clean -----------------------------------------------------------------------------------

void ManualCleanController::removeSelected() {
    auto* clean = ui_ ? ui_->removeButton : nullptr;
    dataFiller().setStopRemovingMiscCleaning(false);
    if (clean && clean->state() != kIdle) {
        clean->setState(kRunning);
        clean->setEnabled(false);
        dataFiller().setStopRemovingMiscCleaning(true);
        dataFiller().setAbortedMiscCleaning(true);
        return;
    }
    const auto keepIdle = [clean] {
        if (clean) clean->setState(kRunning);
    };
    if (!askToCleanInAlert() || !openConfirmationSheet()) return keepIdle();
    if (!dataFiller().initRemoveObjectIfRequired(kModule)) return keepIdle();
    if (clean) clean->setText(commonToken("ID_STOP_CLEANING"));
    if (!removeNow()) keepIdle();
}

bool ManualCleanController::openConfirmationSheet() {
    if (!ui_) return false;
    updateTextsInSheet();
    QWidget* box = ui_->confirmWindow;
    qui::SheetOverlay sheet(window());
    sheet.setContentWidget(box);
    sheet.setEscapeCode(0);
    const QPointer<QWidget> boxGuard(box);
    const auto ok = connect(ui_->btnConfirmOK, &QPushButton::clicked, &sheet, [this, &sheet] {
        // A wrong number is not reported; the sheet stays until it is right or cancelled.
        if (MiscCleaningConfirmation::matches(ui_->txtConfirm->text().toStdString(),
                                              randomConfirmNo_))
            sheet.endSheet(1);
    });
    const auto cancel = connect(ui_->btnConfirmCancel, &QPushButton::clicked, &sheet,
                                [&sheet] { sheet.endSheet(0); });
    const int code = sheet.runModal();
    disconnect(ok);
    disconnect(cancel);
    if (boxGuard) {
        boxGuard->hide();
        boxGuard->setParent(this);
    }
    return code == 1;
}

void ManualCleanController::updateTextsInSheet() {
    if (!ui_) return;
    const auto text = [this](const char* key) {
        return dataFiller().getTokenForGroup(grpKey_, key);
    };
    calculateSelectedItemsWithoutUpdatingLabel();
    ui_->lblConfirmText->setText(QString::fromStdString(qengine::text::fillPlaceholders(
        text("ID_CONFIRM_DELETE"), {std::to_string(randomConfirmNo_)})));
    ui_->txtConfirm->clear();
    ui_->lblItemDB->setVisible(listsBackups_);
    ui_->lblItemDB->setText(QString::fromStdString(MiscCleaningConfirmation::backupsLine(
        lists_[Backups].snapshot(), text("ID_ITEM_IN"), text("ID_ITEMS_IN"), strIT_)));
    ui_->lblItemMD->setText(
        countText(grpKey_, "ID_ITEMS_IN", {std::to_string(selectedItemsMD_), strMD_}, 0));
    ui_->lblItemOD->setText(
        countText(grpKey_, "ID_ITEMS_IN", {std::to_string(selectedItemsOD_), strOD_}, 0));
}

bool ManualCleanController::removeNow() {
    if (!beginOperation(false)) return false;
    retitleTabs();
    calculateTotalItems();
    calculateSelectedItemsWithoutUpdatingLabel();
    itemsToRemove_ = selectedItems_;
    showStopImage(false);
    return startThreads(false);
}

// --- Main-thread handlers --------------------------------------------------------------------

void ManualCleanController::mainthread_handleUpdates(const qcore::Notification& n) {
    if (n.info(notes::kNotificationGroup) != kModule) return;
    selectedSize_ += qengine::FileOperations::bytesOf(n.info(notes::kSize));
    const int list = listOfSubGroup(n.info("subGroup"));
    if (ui_) ui_->lblSize->setText(sizeText(selectedSize_));
    if (isFilling_) {
        calculateTotalItems();
        updateButtonTitle(list);
        if (ui_) ui_->lblOccupyRecover->setText(QString::fromStdString(dataFiller().DISKUSAGE()));
    } else {
        reloadTable();
        tableViewSelectionDidChange();
        calculateSelectedItemsWithoutUpdatingLabel();
        setCountsLine("ID_CLEANED_ITEMS_COUNT", {std::to_string(itemsToRemove_ - selectedItems_),
                                                 std::to_string(totalItems_)});
        updateButtonTitle(list);
        if (ui_)
            ui_->lblOccupyRecover->setText(QString::fromStdString(dataFiller().SPACERECOVERED()));
    }
    reloadTable();
    dataFiller().setPauseMiscCleaning(false);
}

void ManualCleanController::mainthread_handleReload(const qcore::Notification& n) {
    if (n.info(notes::kNotificationGroup) != kModule) return;
    calculateSelectedItemsWithoutUpdatingLabel();
    reloadTable();
    dataFiller().setPauseMiscCleaning(false);
}

void ManualCleanController::mainthread_handleActivityStartStop(const qcore::Notification& n) {
    if (n.info(notes::kActivityName) != kModule) return;
    const bool isStart = n.info(notes::kOperation) == notes::kStart;
    const bool isScan = n.info(notes::kActivityType) == notes::kScan;
    if (isStart) {
        if (ui_) {
            ui_->tableView->setEnabled(false);
            for (auto* box : headerBoxes_)
                box->setEnabled(false);
        }
        decideScanOrRemoveButton(true, isScan);
        dataFiller().setAbortedMiscCleaning(false);
        showStopImage(false);
        reloadTable();
        isScan ? startScan() : startRemove();
        return;
    }
    if (++stopCount_ < kListCount) return;
    busy_ = false;
    if (isScan) {
        handleStopScan();
        decideScanOrRemoveButton(false, true);
        if (ui_) {
            ui_->scanButton->setState(kIdle);
            ui_->scanButton->setEnabled(true);
        }
    } else {
        stopRemove();
        decideScanOrRemoveButton(false, false);
        showStopImage(dataFiller().abortedMiscCleaning());
    }
    if (ui_) ui_->tableView->setEnabled(true);
    settleHeaderBoxes();
}

// --- Faces -----------------------------------------------------------------------------------

void ManualCleanController::updatePI(int list, bool start) {
    if (!ui_ || list < 0 || list >= kListCount) return;
    auto* spinner = spinners_[static_cast<std::size_t>(list)];
    auto* size = sizeLabels_[static_cast<std::size_t>(list)];
    if (start) {
        showBusy(spinner, true);
        size->hide();
        return;
    }
    size->setText(sizeText(lists_[static_cast<std::size_t>(list)].totalBytes()));
    showBusy(spinner, false);
    size->show();
}

void ManualCleanController::startScan() {
    setCountsLine("ID_ITEMS", {"0"});
    if (!ui_) return;
    showBusy(ui_->progressbar, true);
    ui_->removeButton->setEnabled(false);
    ui_->removeButton->hide();
    ui_->rescanButton->setEnabled(false);
    ui_->scanButton->show();
    ui_->scanButton->setEnabled(true);
    ui_->scanButton->setState(kRunning);
}

void ManualCleanController::handleStopScan() {
    calculateTotalItems();
    calculateSelectedItems();
    if (ui_) {
        showBusy(ui_->progressbar, false);
        ui_->scanButton->setState(kIdle);
        ui_->scanButton->setHidden(totalItems_ > 0);
        ui_->removeButton->setHidden(totalItems_ == 0);
        ui_->rescanButton->setEnabled(true);
    }
    showStopImage(dataFiller().abortedMiscCleaning());
    reloadTable();
    calculateTotalItems();
    checkBtnIndexAndSelectButton();
}

void ManualCleanController::startRemove() {
    if (!ui_) return;
    ui_->scanButton->hide();
    ui_->scanButton->setEnabled(false);
    ui_->removeButton->show();
    ui_->removeButton->setState(kRunning);
    showBusy(ui_->progressbar, true);
    ui_->rescanButton->setEnabled(false);
}

void ManualCleanController::stopRemove() {
    if (ui_) {
        showBusy(ui_->progressbar, false);
        // The rows counted when the clean started decide the scan button.
        if (totalItems_ > 0) {
            ui_->scanButton->hide();
            ui_->scanButton->setState(kRunning);
            ui_->scanButton->setEnabled(false);
        } else {
            ui_->scanButton->show();
            ui_->scanButton->setState(kIdle);
            ui_->scanButton->setEnabled(true);
            ui_->removeButton->hide();
        }
        ui_->removeButton->setState(kIdle);
        ui_->rescanButton->setEnabled(true);
    }
    // The counts line keeps what the clean removed.
    calculateSelectedItemsWithoutUpdatingLabel();
    if (ui_) ui_->removeButton->setEnabled(selectedItems_ > 0);
    reloadTable();
}

void ManualCleanController::decideScanOrRemoveButton(bool busy, bool isScan) {
    if (!ui_) return;
    auto* scan = ui_->scanButton;
    auto* clean = ui_->removeButton;
    scan->setEnabled(true);
    clean->setEnabled(true);
    if (busy) {
        updateDescription(isScan, !isScan);
        scan->setText(commonToken("ID_STOP_SCAN"));
        clean->setText(commonToken("ID_STOP_CLEANING"));
        scan->setState(kRunning);
        clean->setState(kRunning);
    } else {
        updateDescription(false, false);
        scan->setText(commonToken("ID_START_SCAN"));
        clean->setText(commonToken("ID_CLEAN_NOW"));
        scan->setState(kIdle);
        clean->setState(kIdle);
    }
    const bool hasRows = listedRows() > 0;
    scan->setHidden(hasRows);
    clean->setHidden(!hasRows);
    if (hasRows) clean->setEnabled(selectedItems_ > 0);
}

void ManualCleanController::updateDescription(bool scanning, bool cleaning) {
    if (ui_) ui_->lblDesc->setText(activityText(kModule, scanning, cleaning, totalItems_ > 0));
}

void ManualCleanController::updateLanguageTokens() {
    if (!ui_) return;
    ui_->imgStopScanClean->setToolTip(commonToken("ID_OPERATION_ABORTED"));
    QString title = moduleDisplayName(kModule);
    title.replace(QStringLiteral("  "), QStringLiteral(" "));
    title.replace(QStringLiteral("  "), QStringLiteral(" "));
    ui_->lblTitle->setText(title);
    ui_->rescanButton->setText(commonToken("ID_REFRESH"));
    model_->setHeaderTitles(commonToken("ID_TITLE"), commonToken("ID_APPROX_SIZE"));
    model_->setSpokenHeaders(commonToken("ID_SELECT"), commonToken("ID_ICON"));
    ui_->tableView->setAccessibleName(title);
    setCountsLine("ID_ITEMS", {std::to_string(totalItems_)});
    ui_->staticPreview->setText(commonToken("ID_PREVIEW"));
    ui_->staticName->setText(commonToken("ID_NAME"));
    ui_->staticSize->setText(commonToken("ID_SIZE"));
    ui_->staticPath->setText(commonToken("ID_PATH"));
    ui_->revealButton->setText(commonToken("ID_SHOW_IN_FINDER"));
    retitleTabs();
    ui_->btnConfirmOK->setText(commonToken("ID_OK"));
    ui_->btnConfirmCancel->setText(commonToken("ID_CANCEL"));
    ui_->lblSelItemsToClean->setText(token(grpKey_, "ID_SEL_ITEMS_TO_CLEAN"));
    ui_->lblAfterClean->setText(token(grpKey_, "ID_AFTER_CLEAN"));
    ui_->lblSize->setText(QString::fromStdString(qengine::text::fillPlaceholders(
        "0 %@", {dataFiller().sizeLangTokens().count("bytes")
                     ? dataFiller().sizeLangTokens().at("bytes").toString()
                     : std::string()})));
    ui_->lblOccupyRecover->setText(QString::fromStdString(dataFiller().DISKUSAGE()));
    for (int i = 0; i < kListCount; ++i)
        headerBoxes_[static_cast<std::size_t>(i)]->setAccessibleName(listTitle(i));
    ui_->imgStopScanClean->setAccessibleName(commonToken("ID_OPERATION_ABORTED"));
    ui_->imageView->setAccessibleName(commonToken("ID_PREVIEW"));
}

void ManualCleanController::changeFontAndSize() {
    if (!ui_) return;
    const auto styled = [](QWidget* w, const char* colour, int size, bool bold) {
        QFont font = w->font();
        font.setPixelSize(size);
        font.setBold(bold);
        w->setFont(font);
        w->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colour)));
    };
    styled(ui_->lblTitle, "black", 20, false);
    styled(ui_->lblDesc, "#404040", 11, false);
    styled(ui_->lblSize, "black", 16, true);
    styled(ui_->lblOccupyRecover, "black", 12, false);
    for (auto* tab : tabButtons_) {
        QFont font = tab->font();
        font.setPixelSize(11);
        tab->setFont(font);
    }
}

QString ManualCleanController::listTitle(int list) const {
    const std::string& title = list == Backups ? strIT_ : list == MailDownloads ? strMD_ : strOD_;
    return QString::fromStdString(title);
}

void ManualCleanController::updateButtonTitle(int list) {
    if (!ui_ || list < 0 || list >= kListCount) return;
    auto* tab = tabButtons_[static_cast<std::size_t>(list)];
    tab->setText(kTabIndent + listTitle(list));
    qtk::CommonFuncs::changeButtonTextColor(tab,
                                            list == indexBtnSelection_ ? Qt::white : Qt::black);
}

void ManualCleanController::retitleTabs() {
    for (int i = 0; i < kListCount; ++i)
        updateButtonTitle(i);
}

void ManualCleanController::selectDeselectButton(int list, bool selected) {
    const auto i = static_cast<std::size_t>(list);
    auto* panel = tabPanels_[i];
    if (selected)
        panel->setGradientImageName(QStringLiteral("Blue_Left.png"),
                                    QStringLiteral("Blue_Middle.png"),
                                    QStringLiteral("Blue_Right.png"));
    else
        panel->setGradientImageName(QStringLiteral("Alt_Left.png"),
                                    QStringLiteral("Alt_Middle.png"),
                                    QStringLiteral("Alt_Right.png"));
    panel->update();
    const QColor colour = selected ? Qt::white : Qt::black;
    qtk::CommonFuncs::changeButtonTextColor(tabButtons_[i], colour);
    sizeLabels_[i]->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

void ManualCleanController::selectTab(int index) {
    if (!ui_ || index < 0 || index >= kListCount) return;
    indexBtnSelection_ = index;
    for (int i = 0; i < kListCount; ++i)
        selectDeselectButton(i, i == index);
    reloadTable();
    tableViewSelectionDidChange();
    showHideCheckAll(index);
}

void ManualCleanController::showHideCheckAll(int list) {
    for (auto* box : headerBoxes_)
        box->hide();
    if (list >= 0 && list < kListCount) headerBoxes_[static_cast<std::size_t>(list)]->show();
}

void ManualCleanController::checkUncheckAll(int list) {
    auto* box = headerBoxes_[static_cast<std::size_t>(list)];
    const QSignalBlocker quiet(box);
    box->setChecked(lists_[static_cast<std::size_t>(list)].allChecked());
}

void ManualCleanController::settleHeaderBoxes() {
    if (!ui_) return;
    for (int list : {Backups, Trash, MailDownloads}) {
        auto* box = headerBoxes_[static_cast<std::size_t>(list)];
        if (!lists_[static_cast<std::size_t>(list)].isEmpty()) {
            box->setEnabled(true);
            checkUncheckAll(list);
        } else {
            const QSignalBlocker quiet(box);
            box->setChecked(false);
        }
    }
}

void ManualCleanController::updateBtnIndexes() {
    for (int i = 0; i < kListCount; ++i)
        if (!lists_[static_cast<std::size_t>(i)].isEmpty()) return selectTab(i);
}

void ManualCleanController::checkBtnIndexAndSelectButton() {
    if (lists_[static_cast<std::size_t>(indexBtnSelection_)].isEmpty())
        updateBtnIndexes();
    else
        tableViewSelectionDidChange();
}

void ManualCleanController::reloadTable() {
    if (!model_) return;
    const int selected = ui_->tableView->currentIndex().row();
    model_->reload(indexBtnSelection_ >= 0 && indexBtnSelection_ < kListCount
                       ? lists_[static_cast<std::size_t>(indexBtnSelection_)].snapshot()
                       : std::vector<MiscCleaningRow>{});
    if (selected >= 0 && selected < model_->rowCount()) {
        const QSignalBlocker quiet(ui_->tableView->selectionModel());
        ui_->tableView->selectRow(selected);
    }
}

void ManualCleanController::tableViewSelectionDidChange() {
    if (!ui_ || !model_) return;
    if (indexBtnSelection_ < 0 || indexBtnSelection_ >= kListCount) return showPreviewItems(false);
    int row = ui_->tableView->selectionModel()->hasSelection()
                  ? ui_->tableView->selectionModel()->selectedRows().value(0).row()
                  : -1;
    const int shown = model_->rowCount();
    if (row < 0 || row >= shown) {
        if (shown == 0) return showPreviewItems(false);
        row = 0;
        const QSignalBlocker quiet(ui_->tableView->selectionModel());
        ui_->tableView->selectRow(0);
    }
    showPreviewItems(true);
    const auto& item = model_->rows()[static_cast<std::size_t>(row)];
    ui_->textFieldName->setText(QString::fromStdString(item.name));
    ui_->textFieldSize->setText(sizeText(item.bytes()));
    ui_->textFieldPath->setText(QString::fromStdString(item.url));
    const bool backup = indexBtnSelection_ == Backups;
    const char* captions[3] = {"ID_BACKUP_DATE", "ID_IMEI", "ID_SERIAL_NO"};
    const char* dateCaptions[3] = {"ID_LAST_ACCESSED", "ID_LAST_MODIFIED", "ID_CREATED_ON"};
    const std::string values[3] = {backup ? item.bDate : item.aDate,
                                   backup ? item.imei : item.mDate,
                                   backup ? item.serial : item.cDate};
    QLabel* statics[3] = {ui_->staticLabel1, ui_->staticLabel2, ui_->staticLabel3};
    QLabel* fields[3] = {ui_->textFieldLabel1, ui_->textFieldLabel2, ui_->textFieldLabel3};
    for (int i = 0; i < 3; ++i) {
        const QString caption = token(grpKey_, backup ? captions[i] : dateCaptions[i]);
        statics[i]->setText(caption);
        statics[i]->setToolTip(caption);
        fields[i]->setText(QString::fromStdString(values[i]));
    }
}

void ManualCleanController::showPreviewItems(bool shown) {
    if (!ui_) return;
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui_->staticName, ui_->staticSize, ui_->staticLabel1, ui_->staticLabel2,
             ui_->staticLabel3, ui_->staticPath, ui_->textFieldName, ui_->textFieldSize,
             ui_->textFieldLabel1, ui_->textFieldLabel2, ui_->textFieldLabel3, ui_->textFieldPath,
             ui_->revealButton, ui_->imageView})
        w->setVisible(shown);
    for (QLabel* field : {ui_->textFieldName, ui_->textFieldSize, ui_->textFieldLabel1,
                          ui_->textFieldLabel2, ui_->textFieldLabel3, ui_->textFieldPath})
        field->clear();
}

void ManualCleanController::showStopImage(bool shown) {
    if (ui_) ui_->imgStopScanClean->setVisible(shown);
}

void ManualCleanController::setCountsLine(const std::string& key,
                                          const std::vector<std::string>& arguments) {
    if (!ui_ || arguments.empty()) return;
    ui_->lblSelectedItems->setText(countText("GRP_CMN", key, arguments, arguments.size() - 1));
}

// --- Ticks, sorting, reveal ------------------------------------------------------------------

void ManualCleanController::setRowCheckState(int row, int state) {
    if (busy_ || row < 0) return;
    const int listIndex = indexBtnSelection_;
    if (listIndex < 0 || listIndex >= kListCount) return;
    auto& list = lists_[static_cast<std::size_t>(listIndex)];
    if (listIndex == Backups && state != 0 && list.checkedCount() > 0) {
        // One backup at a time; unticking is always allowed.
        qui::Alert alert;
        alert
            .setMessageText(QString::fromStdString(qengine::text::fillPlaceholders(
                dataFiller().getTokenForGroup(grpKey_, "ID_ONLY_ONE"), {strIT_})))
            .setInformativeText(token(grpKey_, "ID_TO_SELECT"))
            .addButton(commonToken("ID_OK"));
        alert.runModal(window());
    } else {
        list.setCheckState(static_cast<std::size_t>(row), state);
        checkUncheckAll(listIndex);
    }
    ticksChanged();
}

void ManualCleanController::ticksChanged() {
    reloadTable();
    calculateSelectedItems();
    calculateSelectedSize();
    if (ui_) {
        ui_->lblSize->setText(sizeText(selectedSize_));
        ui_->lblOccupyRecover->setText(QString::fromStdString(dataFiller().DISKUSAGE()));
    }
    showStopImage(false);
}

void ManualCleanController::checkUncheckAllItemsFromHeader(int list, bool on) {
    if (list < 0 || list >= kListCount) return;
    // Refused while the list is worked on: the box shows the rows as they are.
    if (busy_) return checkUncheckAll(list);
    lists_[static_cast<std::size_t>(list)].setAllCheckStates(on ? 1 : 0);
    ticksChanged();
}

void ManualCleanController::didClickTableColumn(int column) {
    if (!ui_) return;
    const QString id = MiscCleaningTableModel::identifier(column);
    const bool byName = id == QLatin1String("name");
    const bool bySize = id == QLatin1String("size");
    if (busy_ || (!byName && !bySize)) {
        tableViewSelectionDidChange();
        reloadTable();
        return;
    }
    bool& descending = sortDescending_[byName ? 0 : 1];
    for (auto& list : lists_) {
        if (byName)
            list.sort([descending](const MiscCleaningRow& a, const MiscCleaningRow& b) {
                return descending ? upper(b.name) < upper(a.name) : upper(a.name) < upper(b.name);
            });
        else
            list.sort([descending](const MiscCleaningRow& a, const MiscCleaningRow& b) {
                return descending ? b.bytes() < a.bytes() : a.bytes() < b.bytes();
            });
    }
    auto* header = ui_->tableView->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    highlightedColumn_ = column;
    descending = !descending;
    tableViewSelectionDidChange();
    reloadTable();
}

void ManualCleanController::revealInFinder() {
    if (!ui_ || !model_) return;
    const auto rows = ui_->tableView->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    const int row = rows.first().row();
    if (row < 0 || row >= model_->rowCount()) return;
    qui::GuiWorkspace::revealInFileManager(
        QString::fromStdString(model_->rows()[static_cast<std::size_t>(row)].url));
}

// --- Counts ----------------------------------------------------------------------------------

void ManualCleanController::calculateSelectedItemsWithoutUpdatingLabel() {
    selectedItemsMD_ = static_cast<int>(lists_[MailDownloads].checkedCount());
    selectedItemsOD_ = static_cast<int>(lists_[Trash].checkedCount());
    selectedItems_ =
        static_cast<int>(lists_[Backups].checkedCount()) + selectedItemsMD_ + selectedItemsOD_;
}

void ManualCleanController::calculateSelectedItems() {
    calculateSelectedItemsWithoutUpdatingLabel();
    setCountsLine("ID_SELECTED_ITEMS_COUNT",
                  {std::to_string(selectedItems_), std::to_string(listedRows())});
    if (ui_) ui_->removeButton->setEnabled(selectedItems_ > 0);
}

int ManualCleanController::listedRows() const {
    int rows = 0;
    for (const auto& l : lists_)
        rows += static_cast<int>(l.count());
    return rows;
}

void ManualCleanController::calculateTotalItems() {
    totalItems_ = listedRows();
    setCountsLine("ID_ITEMS", {std::to_string(totalItems_)});
}

void ManualCleanController::calculateSelectedSize() {
    selectedSize_ = 0;
    for (const auto& l : lists_)
        selectedSize_ += l.checkedBytes();
}

// --- View ------------------------------------------------------------------------------------

void ManualCleanController::loadInterface() {
    ui_ = std::make_unique<Ui::ManualCleanInterface>();
    ui_->setupUi(this);
}

void ManualCleanController::viewDidLoad() {
    tabButtons_ = {ui_->btnBackups, ui_->btnMailDownloads, ui_->btnDownloads};
    tabPanels_ = {ui_->boxBackups, ui_->boxMailDownloads, ui_->boxDownloads};
    for (auto* panel : tabPanels_)
        panel->installEventFilter(this);
    spinners_ = {ui_->piBackups, ui_->piMailDownloads, ui_->piDownloads};
    sizeLabels_ = {ui_->lblSizeIT, ui_->lblSizeMD, ui_->lblSizeOD};
    headerBoxes_ = {ui_->checkUncheckiTuns, ui_->checkUncheckMails, ui_->checkUncheckTrash};

    model_ = new MiscCleaningTableModel(
        [this](std::uint64_t bytes) { return sizeText(bytes); },
        [this](int row, int state) { setRowCheckState(row, state); }, this);
    auto* table = ui_->tableView;
    table->setModel(model_);
    table->verticalHeader()->hide();
    auto* header = table->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionResizeMode(MiscCleaningTableModel::CheckColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(MiscCleaningTableModel::IconColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(MiscCleaningTableModel::NameColumn, QHeaderView::Stretch);
    header->resizeSection(MiscCleaningTableModel::CheckColumn, 28);
    header->resizeSection(MiscCleaningTableModel::IconColumn, 24);
    header->resizeSection(MiscCleaningTableModel::SizeColumn, 100);
    connect(header, &QHeaderView::sectionClicked, this, [this](int c) { didClickTableColumn(c); });
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { tableViewSelectionDidChange(); });
    ui_->confirmWindow->hide();

    updateLanguageTokens();
    updateDescription(false, false);
    ui_->mainInfoBox->setGradientImageName(QStringLiteral("yellow_bg_left.png"),
                                           QStringLiteral("yellow_bg_middle.png"),
                                           QStringLiteral("yellow_bg_right.png"));
    ui_->boxHeader->setGradientImageName(QStringLiteral("header.png"));
    ui_->boxFooter->setGradientImageName(QStringLiteral("footer.png"));
    QPalette preview = ui_->boxPreview->palette();
    preview.setColor(QPalette::Window, QColor::fromRgbF(1.0, 0.9961, 0.9216, 1.0));
    ui_->boxPreview->setPalette(preview);
    ui_->imgStopScanClean->setPixmap(qui::namedImage(QStringLiteral("stop_sign.png")));
    changeFontAndSize();

    for (auto* button : {ui_->scanButton, ui_->removeButton})
        button->setStandardImages();
    applyViewFormatting();
    ui_->scanButton->setText(commonToken("ID_START_SCAN"));
    ui_->removeButton->setText(commonToken("ID_CLEAN_NOW"));
    const int offset =
        static_cast<int>(dataFiller().getStaticValueForKey("miscCleaningPreviewBoxOffset").toInt());
    if (offset != 0) {
        ui_->previewView->setMinimumWidth(ui_->previewView->minimumWidth() + offset);
        ui_->previewView->setMaximumWidth(ui_->previewView->maximumWidth() + offset);
    }

    connect(ui_->scanButton, &QAbstractButton::clicked, this, [this] { loadDataInDB(); });
    connect(ui_->removeButton, &QAbstractButton::clicked, this, [this] { removeSelected(); });
    connect(ui_->rescanButton, &QAbstractButton::clicked, this, [this] { rescanNow(); });
    connect(ui_->revealButton, &QAbstractButton::clicked, this, [this] { revealInFinder(); });
    for (int i = 0; i < kListCount; ++i) {
        connect(tabButtons_[static_cast<std::size_t>(i)], &QAbstractButton::clicked, this,
                [this, i] { selectTab(i); });
        auto* box = headerBoxes_[static_cast<std::size_t>(i)];
        box->setChecked(false);
        // Whatever changed the box (mouse, keyboard or an assistive tool's toggle).
        connect(box, &QCheckBox::toggled, this,
                [this, i](bool on) { checkUncheckAllItemsFromHeader(i, on); });
        box->setEnabled(false);
        showBusy(spinners_[static_cast<std::size_t>(i)], false);
    }
    guide();

    // From 10.15 on the backups tab is hidden. Its list then stays empty, so nothing is shown,
    // counted or removed that the user cannot reach through a tab.
    listsBackups_ = !FullDiskAccess::isOSXGreaterThan11();
    selectTab(listsBackups_ ? Backups : MailDownloads);
    ui_->boxBackups->setHidden(!listsBackups_);
    showBusy(ui_->progressbar, false);
    showStopImage(false);
    calculateTotalItems();
    calculateSelectedItemsWithoutUpdatingLabel();
    decideScanOrRemoveButton(false, true);
    ui_->rescanButton->setEnabled(true);
    dataFiller().sendAwakeNotification(kModule);
}

void ManualCleanController::showEvent(QShowEvent* event) {
    // Installing again only moves the filter to the front.
    if (window() != this) window()->installEventFilter(this);
    PageBase::showEvent(event);
}

bool ManualCleanController::eventFilter(QObject* watched, QEvent* event) {
    // The whole tab answers a click, not only its title.
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const auto tab = std::find(tabPanels_.begin(), tabPanels_.end(), watched);
        if (tab != tabPanels_.end() && (*tab)->isEnabled()) {
            selectTab(static_cast<int>(tab - tabPanels_.begin()));
            return true;
        }
    }
    // The spinner runs only while the window is up and the page works.
    if (ui_ && watched == window()) {
        if (event->type() == QEvent::WindowActivate) showBusy(ui_->progressbar, busy_);
        if (event->type() == QEvent::WindowStateChange && window()->isMinimized()) {
            showBusy(ui_->progressbar, false);
            ui_->boxFooter->update();
        }
    }
    return PageBase::eventFilter(watched, event);
}

} // namespace qpages
