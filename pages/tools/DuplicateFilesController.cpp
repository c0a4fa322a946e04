#include "pages/tools/DuplicateFilesController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "engine/TextFormat.h"
#include "pages/care/PageDelegate.h"
#include "pages/care/PageNotifications.h"
#include "pages/care/ResultsTreeModel.h"
#include "pages/care/SortDirections.h"
#include "pages/tools/DuplicatesTreeModel.h"
#include "pages/tools/DuplicatesTypeFilter.h"
#include "pages/tools/ExcludedFolders.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Alert.h"
#include "platform/ui/GuiWorkspace.h"
#include "toolkit/IMGButton.h"
#include "toolkit/LinkButton.h"
#include "toolkit/SpokenNames.h"

#include "ui_DuplicateFile.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>

namespace qpages {

namespace {

const std::string kFolderKey = "DuplicatesFinderPath";
const std::string kGroup = "GRP_DUPLICATES_FINDER";
const std::string kProcessingFileName = "ProcessingFileNameNotification";
const std::string kFileName = "fileName";

// Context-menu items by index; 3 and 5 are separators.
enum MenuItem {
    AllButFirst = 0,
    AllButLast = 1,
    UnselectAll = 2,
    ShowInFinder = 4,
    ExpandAll = 6,
    CollapseAll = 7
};

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kDuplicatesFinder;
    // Progress is shown before the scan goes on, so the file being examined stays in step.
    id.updateHandOver = PageBase::HandOver::Wait;
    id.reloadHandOver = PageBase::HandOver::NoWait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillDuplicateFiles(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removeDuplicateFiles(); };
    id.idleState = 0;
    id.buttonFont = QFont(QStringLiteral("Arial"));
    id.buttonFont->setPixelSize(16);
    return id;
}

void flipState(QAbstractButton* button) {
    if (auto* imgButton = qobject_cast<qtk::IMGButton*>(button))
        imgButton->setState(imgButton->state() == 1 ? 0 : 1);
}

} // namespace

DuplicateFilesController::DuplicateFilesController(qengine::DataFiller& dataFiller, QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent),
      results_(dataFiller.mainDataSource(qengine::modules::kDuplicatesFinder)) {
    registerOwnObservers();
}

DuplicateFilesController::~DuplicateFilesController() = default;

void DuplicateFilesController::registerOwnObservers() {
    const QPointer<DuplicateFilesController> page(this);
    const auto& module = qengine::modules::kDuplicatesFinder;
    observe(kProcessingFileName, [page, module](const qcore::Notification& n) {
        if (n.info(notes::kNotificationGroup) != module) return;
        handOver(page, &DuplicateFilesController::mainthread_handleProcessingFileNameNotification,
                 n, HandOver::NoWait);
    });
    observe(notes::kResetDefaults, [page, module](const qcore::Notification& n) {
        if (n.info(notes::kNotificationGroup) != module) return;
        handOver(page, &DuplicateFilesController::mainthread_handleResetDefaultsNotification, n,
                 HandOver::NoWait);
    });
    observe(notes::kResize, [page](const qcore::Notification& n) {
        handOver(page, &DuplicateFilesController::mainthread_handleResizeNotification, n,
                 HandOver::Wait);
    });
    // The popover follows the page's activity on every update, whatever its module.
    observe(notes::kDataFillerUpdate, [page](const qcore::Notification& n) {
        if (n.info(notes::kNotificationGroup) == qengine::modules::kDuplicatesFinder) return;
        qcore::MainThread::current().post([page] {
            if (page) page->mirrorActivityToDelegate();
        });
    });
}

void DuplicateFilesController::loadInterface() {
    ui_ = std::make_unique<Ui::DuplicateFileInterface>();
    ui_->setupUi(this);
}

qtk::IMGButton* DuplicateFilesController::btnFindDups() {
    view();
    return ui_->btnFindDups;
}

// --- Scan and stop ---------------------------------------------------------------------------

void DuplicateFilesController::findDups(QAbstractButton* sender) {
    view();
    // A running scan or clean owns the list and the controls: the results face shows it, and
    // no scan is asked for, so nothing of the idle face comes back.
    if (dataFiller().isModuleBusy(activityName())) {
        if (folderFaceShown_) showChangeFolderControls(false);
        return;
    }
    results_.clearShown();
    dataFiller().mainDataSource(activityName()).clear();
    calculateTotalItemsAndParentSize();
    reloadResults();
    dataFiller().setStopFillingDuplicateFiles(false);
    showChangeFolderControls(false);
    ui_->scanButton->setState(1);
    loadDataInDB(sender);
}

void DuplicateFilesController::loadDataInDB(QAbstractButton* sender) {
    view();
    flipState(sender);
    auto& engine = dataFiller();
    engine.setStopFillingDuplicateFiles(false);
    auto* button = ui_->scanButton;
    if (button->state() == 1) {
        button->setText(commonToken("ID_STOP_SCAN"));
        button->setColorOnState(Qt::white);
        button->setColorOffState(Qt::white);
        ui_->boxWithBtn->hide();
        ui_->lblImageStaticText->hide();
        ui_->checkAnalyzeNextTimeButton->hide();
        // A module busy elsewhere keeps the idle face.
        if (!scanNow()) {
            button->setState(0);
            button->setText(commonToken("ID_ANALYZE_NOW"));
        }
    } else {
        button->setState(1);
        button->setEnabled(false);
        engine.setAbortedDuplicateFiles(true);
        engine.setStopFillingDuplicateFiles(true);
    }
    flipState(sender);
}

void DuplicateFilesController::stopRunningScan() {
    if (!dataFiller().isFillingDuplicateFiles()) return;
    view();
    loadDataInDB(ui_->scanButton);
}

void DuplicateFilesController::scanButtonClicked() {
    loadDataInDB(ui_->scanButton);
}

// --- Faces -----------------------------------------------------------------------------------

void DuplicateFilesController::showChangeFolderControls(bool show) {
    view();
    folderFaceShown_ = show;
    const bool hasGroups = results_.groupCount() > 0;
    const bool busy = dataFiller().isModuleBusy(activityName());
    selectCategory(0);
    ui_->imgStopScanClean->hide();
    ui_->folderFace->setVisible(show);
    ui_->resultsFace->setVisible(!show);
    ui_->viewLastResults->setVisible(hasGroups);
    // The filter stays off while the engine works on the list.
    ui_->segmentedControl->setEnabled(!show && !busy);
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->mainInfoBox, ui_->lblSelectedItems,
                                                      ui_->rescanButton, ui_->checkUncheckButton})
        w->setVisible(!show);
    ui_->scanButton->setVisible(!show && !hasGroups);
    ui_->removeButton->setVisible(!show && hasGroups);
    if (show) {
        ui_->lblImageStaticText->setVisible(!firstScanStarted_);
        ui_->checkAnalyzeNextTimeButton->setVisible(!firstScanStarted_);
        ui_->boxWithBtn->show();
    }
}

// Every start and stop shows all groups again.
void DuplicateFilesController::setIdleControlsEnabled(bool enabled) {
    selectCategory(0);
    if (!ui_) return;
    ui_->segmentedControl->setEnabled(enabled);
    ui_->checkUncheckButton->setEnabled(enabled);
    ui_->changeFolderButton->setEnabled(enabled);
    ui_->rescanButton->setEnabled(enabled);
}

void DuplicateFilesController::setFileNameStripShown(bool shown) {
    if (!ui_) return;
    ui_->lblFileName->clear();
    ui_->boxFileNameShow->setVisible(shown);
}

// --- Folder ----------------------------------------------------------------------------------

bool DuplicateFilesController::dirNameInExclusionList(const QString& path) const {
    return ExcludedFolders::fromDefaults().contains(path);
}

void DuplicateFilesController::changeFolder() {
    auto* dialog = new QFileDialog(window(), commonToken("ID_CHANGE_FOLDER"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName(QStringLiteral("folderDialog"));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setDirectory(
        QString::fromStdString(qcore::UserDefaults::standard().stringForKey(kFolderKey)));
    const QPointer<DuplicateFilesController> page(this);
    connect(dialog, &QFileDialog::fileSelected, this, [page](const QString& path) {
        if (page) page->folderChosen(path);
    });
    dialog->open();
}

void DuplicateFilesController::folderChosen(const QString& path) {
    if (path.isEmpty()) return;
    if (dirNameInExclusionList(path)) {
        qui::Alert alert;
        alert.setMessageText(token(kGroup, "ID_PATH_IN_EXCLUSION"))
            .setInformativeText(token(kGroup, "ID_GO_TO_PREF"))
            .addButton(commonToken("ID_OK"));
        alert.runModal(window());
        return;
    }
    qcore::UserDefaults::standard().setObject(kFolderKey, path.toStdString());
    qcore::UserDefaults::standard().synchronize();
    showSelectedFolder();
}

void DuplicateFilesController::showSelectedFolder() {
    const auto folder =
        QString::fromStdString(qcore::UserDefaults::standard().stringForKey(kFolderKey));
    selectedFolderText_ = commonToken("ID_SELECTED_PATH") + ' ' + folder;
    if (!ui_) return;
    ui_->lblSelectedFolder->setToolTip(selectedFolderText_);
    ui_->pathControl->setText(folder);
    ui_->pathControl->setToolTip(folder);
    mainthread_handleResizeNotification({});
}

void DuplicateFilesController::mainthread_handleResetDefaultsNotification(
    const qcore::Notification& n) {
    if (n.info(notes::kNotificationGroup) != qengine::modules::kDuplicatesFinder) return;
    showSelectedFolder();
}

void DuplicateFilesController::mainthread_handleResizeNotification(const qcore::Notification&) {
    if (!ui_) return;
    // The folder line is elided to the width the results face leaves it.
    auto* label = ui_->lblSelectedFolder;
    const int width =
        std::max(120, ui_->outlineView->width() - ui_->segmentedControl->width() - 20);
    label->setText(label->fontMetrics().elidedText(selectedFolderText_, Qt::ElideMiddle, width));
}

void DuplicateFilesController::mainthread_handleProcessingFileNameNotification(
    const qcore::Notification& n) {
    if (n.info(notes::kNotificationGroup) != qengine::modules::kDuplicatesFinder || !ui_) return;
    const auto path = QString::fromStdString(n.info(kFileName));
    ui_->lblFileName->setToolTip(path);
    ui_->lblFileName->setText(ui_->lblFileName->fontMetrics().elidedText(
        path, Qt::ElideMiddle, std::max(40, ui_->lblFileName->width())));
}

bool DuplicateFilesController::eventFilter(QObject* watched, QEvent* event) {
    if (ui_ && watched == ui_->lblSelectedFolder && event->type() == QEvent::Resize)
        mainthread_handleResizeNotification({});
    return ModuleViewController::eventFilter(watched, event);
}

// --- Engine notifications --------------------------------------------------------------------

void DuplicateFilesController::activityHandled(bool isStart, bool isScan) {
    // A clean that removes nothing posts no progress: its figures start at nothing, not at
    // the last clean's.
    if (isStart && !isScan) {
        cleanedCount_ = "0";
        cleanedBytes_ = 0;
    }
    if (ui_) {
        if (isStart && isScan) scanStarted();
        if (!isStart && isScan) scanStopped();
        if (isStart && !isScan) cleanStarted();
        if (!isStart && !isScan) cleanStopped();
    }
    mirrorActivityToDelegate();
}

void DuplicateFilesController::scanStarted() {
    firstScanStarted_ = true;
    foundCount_ = "0";
    foundBytes_ = 0;
    if (folderFaceShown_) showChangeFolderControls(false);
    setIdleControlsEnabled(false);
    setFileNameStripShown(true);
    ui_->lblImageStaticText->hide();
    ui_->checkAnalyzeNextTimeButton->hide();
    ui_->lblHint->hide();
    ui_->lblCtrlClick->hide();
    showFoundCounts();
    ui_->scanButton->setState(1);
}

void DuplicateFilesController::scanStopped() {
    setFileNameStripShown(false);
    results_.setHomeFolder(qengine::DataFiller::homeDirectory());
    results_.setFirstExcluded(true);
    results_.updateIndexToRetain(true);
    setIdleControlsEnabled(true);
    ui_->scanButton->setEnabled(true);
    ui_->scanButton->setState(0);
    ui_->scanButton->setText(commonToken("ID_ANALYZE_NOW"));
    calculateTotalItemsAndParentSize();
    calculateSelectedItemsAndSize();
    const bool shred = results_.itemsToShred();
    ui_->scanButton->setHidden(shred);
    ui_->removeButton->setHidden(!shred);
    ui_->lblHint->setVisible(shred);
    ui_->lblCtrlClick->setVisible(shred);
    ui_->imgStopScanClean->setVisible(dataFiller().abortedDuplicateFiles());
    // After a scan the counts line keeps what was found until the first tick.
    showFoundCounts();
    reloadResults();
}

void DuplicateFilesController::cleanStarted() {
    setIdleControlsEnabled(false);
    ui_->outlineView->collapseAll();
    ui_->scanButton->hide();
    ui_->removeButton->show();
    ui_->removeButton->setState(1);
}

void DuplicateFilesController::cleanStopped() {
    results_.updateDatabaseAfterDeletion();
    // The shape chose the line before the cleaned groups left the list.
    updateDescription(false, false);
    setIdleControlsEnabled(true);
    results_.updateIndexToRetain(results_.isFirstExcluded());
    results_.settleGroupStates();
    calculateTotalItemsAndParentSize();
    calculateSelectedItemsAndSize();
    const bool hasGroups = results_.groupCount() > 0;
    ui_->scanButton->setHidden(hasGroups);
    ui_->scanButton->setEnabled(!hasGroups);
    ui_->scanButton->setState(0);
    ui_->scanButton->setText(commonToken("ID_ANALYZE_NOW"));
    ui_->removeButton->setHidden(!hasGroups);
    ui_->removeButton->setState(0);
    ui_->removeButton->setText(commonToken("ID_CLEAN_NOW"));
    ui_->removeButton->setEnabled(selectedItems() > 0);
    ui_->checkUncheckButton->setEnabled(hasGroups);
    // The hints explain ticking copies; with nothing left to tick they go, as after a scan.
    const bool shred = results_.itemsToShred();
    ui_->lblHint->setVisible(shred);
    ui_->lblCtrlClick->setVisible(shred);
    ui_->imgStopScanClean->setVisible(dataFiller().abortedDuplicateFiles());
    // The counts line and size keep the clean's last figures.
    ui_->lblOccupyRecover->setText(QString::fromStdString(dataFiller().SPACERECOVERED()));
    ui_->lblSelectedItems->setText(QString::fromStdString(qengine::text::fillPlaceholders(
        dataFiller().getTokenForGroup("GRP_CMN", "ID_CLEANED_ITEMS_COUNT"),
        {cleanedCount_, std::to_string(totalItemsToClean())})));
    ui_->lblSize->setText(sizeText(cleanedBytes_));
    updateCheckBox();
    reloadResults();
}

void DuplicateFilesController::updateHandled(const qcore::Notification& n) {
    mirrorActivityToDelegate();
    const auto bytes = std::strtoull(n.info(notes::kSize).c_str(), nullptr, 10);
    if (dataFiller().isRemovingDuplicateFiles()) {
        cleanedCount_ = n.info(notes::kCount);
        cleanedBytes_ = bytes;
    }
    if (!dataFiller().isFillingDuplicateFiles()) return;
    // A scan counts the copies found beyond the first of each group.
    foundCount_ = n.info(notes::kCount);
    foundBytes_ = bytes;
    showFoundCounts();
}

void DuplicateFilesController::showFoundCounts() {
    if (!ui_) return;
    ui_->lblSelectedItems->setText(countText(kGroup, "ID_DUPS_FOUND", {foundCount_}, 0));
    ui_->lblSize->setText(sizeText(foundBytes_));
}

void DuplicateFilesController::mirrorActivityToDelegate() const {
    auto* delegate = pageDelegate();
    if (!delegate) return;
    delegate->setIsScanningDups(dataFiller().isFillingDuplicateFiles());
    delegate->setIsRemovingDups(dataFiller().isRemovingDuplicateFiles());
}

// --- Results ---------------------------------------------------------------------------------

void DuplicateFilesController::calculateTotalItemsAndParentSize() {
    const auto sum = results_.totals();
    // While a clean runs the counts read against the total it started from.
    setTotals(dataFiller().isRemovingDuplicateFiles() ? totalItems() : sum.items, sum.bytes);
}

void DuplicateFilesController::calculateSelectedItemsAndSize() {
    const auto sum = results_.selection();
    setSelection(sum.items, sum.bytes);
    if (!ui_) return;
    ui_->lblPendingItems->clear();
    ui_->removeButton->setEnabled(sum.items > 0);
    updateCheckBox();
}

void DuplicateFilesController::updateCheckBox() {
    const bool all = selectedItems() == totalItems() && results_.itemsToShred();
    const QSignalBlocker block(ui_->checkUncheckButton);
    ui_->checkUncheckButton->setCheckState(all ? Qt::PartiallyChecked : Qt::Unchecked);
}

void DuplicateFilesController::selectCategory(int segment) {
    results_.selectCategory(segment);
    if (ui_) {
        const QSignalBlocker block(ui_->segmentedControl);
        ui_->segmentedControl->setCurrentIndex(results_.segment());
    }
    reapplyShownSort();
    results_.updateParentIndexForDups();
    // The removable copies are counted over the groups shown.
    calculateTotalItemsAndParentSize();
    if (ui_) updateCheckBox();
    reloadResults();
}

void DuplicateFilesController::reapplyShownSort() {
    auto* header = ui_ ? ui_->outlineView->header() : nullptr;
    auto* model = treeModel();
    if (!header || !model || !header->isSortIndicatorShown()) return;
    const int column = header->sortIndicatorSection();
    if (column < 0 || column >= static_cast<int>(model->columns().size())) return;
    const QString identifier = model->columns()[static_cast<std::size_t>(column)].identifier;
    if (identifier != columns::kSize && identifier != columns::kTitle) return;
    // The header click flips the direction; flip it first so the shown order is kept.
    SortDirections::takeNext(activityName(), identifier);
    didClickTableColumn(column);
}

void DuplicateFilesController::checkUncheckAll(bool tick) {
    results_.checkUncheckAll(tick);
    afterTickChange();
    if (ui_) ui_->lblPendingItems->clear();
}

void DuplicateFilesController::selectAllButFirst() {
    results_.selectAllButFirst();
    afterTickChange();
}

void DuplicateFilesController::selectAllButLast() {
    results_.selectAllButLast();
    afterTickChange();
}

void DuplicateFilesController::unselectAll() {
    checkUncheckAll(false);
}

void DuplicateFilesController::afterTickChange() {
    updateSelectedItemsLabel();
    if (!ui_) return;
    ui_->imgStopScanClean->hide();
    ui_->lblOccupyRecover->setText(QString::fromStdString(dataFiller().DISKUSAGE()));
    reloadResults();
}

// --- Context menu ----------------------------------------------------------------------------

void DuplicateFilesController::showContextMenu(const QPoint& position) {
    const QModelIndex clicked = ui_->outlineView->indexAt(position);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("myMenu"));
    menu.addAction(token(kGroup, "ID_SELECT_ALL_BUT_FIRST"), this,
                   &DuplicateFilesController::selectAllButFirst);
    menu.addAction(token(kGroup, "ID_SELECT_ALL_BUT_LAST"), this,
                   &DuplicateFilesController::selectAllButLast);
    menu.addAction(token(kGroup, "ID_UNSELECT_ALL"), this, &DuplicateFilesController::unselectAll);
    menu.addSeparator();
    menu.addAction(commonToken("ID_SHOW_IN_FINDER"), this,
                   [this, clicked] { revealInFinder(clicked); });
    menu.addSeparator();
    menu.addAction(commonToken("ID_EXPAND_ALL"), ui_->outlineView, &QTreeView::expandAll);
    menu.addAction(commonToken("ID_COLLAPSE_ALL"), ui_->outlineView, &QTreeView::collapseAll);
    enableMenuItems(menu, clicked);
    menu.exec(ui_->outlineView->viewport()->mapToGlobal(position));
}

void DuplicateFilesController::enableMenuItems(QMenu& menu, const QModelIndex& clicked) const {
    const auto actions = menu.actions();
    const bool busy = dataFiller().isModuleBusy(activityName());
    const bool none = results_.shownCount() == 0;
    for (QAction* action : actions)
        if (!action->isSeparator()) action->setEnabled(!busy && !none);
    const bool onCopy = clicked.isValid() && clicked.parent().isValid();
    if (!onCopy && actions.size() > ShowInFinder) actions[ShowInFinder]->setEnabled(false);
}

void DuplicateFilesController::revealInFinder(const QModelIndex& clicked) const {
    if (!clicked.isValid() || !clicked.parent().isValid()) return;
    const auto path = results_.copyPath(static_cast<std::size_t>(clicked.parent().row()),
                                        static_cast<std::size_t>(clicked.row()));
    if (!path) return;
    qui::GuiWorkspace::revealInFileManager(QString::fromStdString(*path));
}

// --- View ------------------------------------------------------------------------------------

ResultsTreeModel* DuplicateFilesController::makeTreeModel() {
    return new DuplicatesTreeModel(dataFiller(), results_, this);
}

void DuplicateFilesController::viewDidLoad() {
    ModuleViewController::viewDidLoad();
    wireControls();
    applyTexts();
    ui_->lblSelectedFolder->installEventFilter(this);
    showSelectedFolder();
    setFileNameStripShown(false);
    ui_->lblPendingItems->hide();
    ui_->lblHint->hide();
    ui_->lblCtrlClick->hide();
    showChangeFolderControls(true);
    if (dataFiller().isFillingDuplicateFiles()) scanStarted();
    if (dataFiller().isRemovingDuplicateFiles()) cleanStarted();
}

void DuplicateFilesController::wireControls() {
    auto& ui = *ui_;
    ui.btnFindDups->setButtonImages(
        "scan_btn-1_left_n.png", "scan_btn-1_middle_n.png", "scan_btn-1_right_n.png",
        "scan_btn-1_left_d.png", "scan_btn-1_middle_d.png", "scan_btn-1_right_d.png",
        "scan_btn-1_left_n.png", "scan_btn-1_middle_n.png", "scan_btn-1_right_n.png",
        "scan_btn-1_left_n.png", "scan_btn-1_middle_n.png", "scan_btn-1_right_n.png",
        "scan_btn-1_left_d.png", "scan_btn-1_middle_d.png", "scan_btn-1_right_d.png",
        "scan_btn-1_left_n.png", "scan_btn-1_middle_n.png", "scan_btn-1_right_n.png");
    ui.btnFindDups->setState(0);
    ui.btnFindDups->setColorOnState(Qt::white);
    ui.btnFindDups->setColorOffState(Qt::white);
    // This page's toggles are idle in state 0: the blue images are the off set.
    for (auto* button : {ui.scanButton, ui.removeButton}) {
        button->setButtonImages(
            "btn_gray_n_left.png", "btn_gray_n_middle.png", "btn_gray_n_right.png",
            "btn_gray_d_left.png", "btn_gray_d_middle.png", "btn_gray_d_right.png",
            "btn_dis_left.png", "btn_dis_middle.png", "btn_dis_right.png", "btn_blue_n_left.png",
            "btn_blue_n_middle.png", "btn_blue_n_right.png", "btn_blue_d_left.png",
            "btn_blue_d_middle.png", "btn_blue_d_right.png", "btn_dis_left.png",
            "btn_dis_middle.png", "btn_dis_right.png");
        button->setColorOnState(Qt::white);
        button->setColorOffState(Qt::white);
        button->setState(0);
    }

    connect(ui.btnFindDups, &QAbstractButton::clicked, this,
            [this] { findDups(ui_->btnFindDups); });
    connect(ui.changeFolderButton, &QAbstractButton::clicked, this, [this] { changeFolder(); });
    connect(ui.viewLastResults, &QAbstractButton::clicked, this,
            [this] { showChangeFolderControls(false); });
    // The shape's Rescan, check-all and context menu mean other things on this page.
    disconnect(ui.rescanButton, &QAbstractButton::clicked, this, nullptr);
    disconnect(ui.checkUncheckButton, &QAbstractButton::toggled, this, nullptr);
    disconnect(ui.outlineView, &QWidget::customContextMenuRequested, this, nullptr);
    connect(ui.rescanButton, &QAbstractButton::clicked, this, [this] {
        ui_->outlineView->collapseAll();
        showChangeFolderControls(true);
    });
    connect(ui.checkAnalyzeNextTimeButton, &QCheckBox::toggled, this, [](bool checked) {
        qcore::UserDefaults::standard().setObject("analyzeAutomaticallyDuplicates",
                                                  std::to_string(checked ? 1 : 0));
    });
    // Ticks from off, unticks from mixed (every removable copy ticked), whatever changed the box;
    // the page's own updates of it are quiet.
    connect(ui.checkUncheckButton, &QCheckBox::stateChanged, this,
            [this] { checkUncheckAll(selectedItems() < totalItems()); });
    for (const QString& label : DuplicatesTypeFilter::segmentLabels())
        ui.segmentedControl->addTab(commonToken("ID_" + label.toUpper().toStdString()));
    ui.segmentedControl->setExpanding(false);
    connect(ui.segmentedControl, &QTabBar::currentChanged, this,
            [this](int index) { selectCategory(index); });
    connect(ui.outlineView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { showContextMenu(position); });
    // No group opens while the engine works on the list.
    connect(ui.outlineView, &QTreeView::expanded, this, [this] {
        if (dataFiller().isModuleBusy(activityName())) ui_->outlineView->collapseAll();
    });
}

void DuplicateFilesController::applyTexts() {
    auto& ui = *ui_;
    ui.btnFindDups->setText(token(kGroup, "ID_FIND_DUPLICATES"));
    ui.viewLastResults->setTitle(token(kGroup, "ID_VIEW_LAST_SCAN_RESULTS"));
    ui.lblProcessingFile->setText(token(kGroup, "ID_PROCESSING_FILE"));
    ui.lblHint->setText(token(kGroup, "ID_HINT"));
    ui.lblCtrlClick->setText(token(kGroup, "ID_DUPS_HINT_DESC"));
    ui.selFolderPath->setText(commonToken("ID_SELECTED_PATH"));
    qtk::SpokenNames::nameAfter(*ui.pathControl, *ui.selFolderPath);
    ui.changeFolderButton->setText(commonToken("ID_CHANGE_FOLDER"));
    ui.rescanButton->setText(commonToken("ID_RESCAN"));
    ui.scanButton->setText(commonToken("ID_ANALYZE_NOW"));
    ui.removeButton->setText(commonToken("ID_CLEAN_NOW"));
    ui.lblSelectedItems->setText(QString::fromStdString(qengine::text::fillPlaceholders(
        dataFiller().getTokenForGroup(kGroup, "ID_DUPS_FOUND"), {"0"})));
    QFont pictureFont = ui.lblImageStaticText->font();
    pictureFont.setPixelSize(26);
    ui.lblImageStaticText->setFont(pictureFont);
    ui.lblImageStaticText->setStyleSheet(QStringLiteral("color: #555555;"));
    ui.lblSelectedFolder->setStyleSheet(QStringLiteral("color: rgb(0, 95, 180);"));
    QFont bold = ui.btnFindDups->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    ui.btnFindDups->setFont(bold);
}

} // namespace qpages
