#include "pages/tools/DuplicateFilesController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "pages/care/PageDelegate.h"
#include "pages/care/PageNotifications.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/IMGButton.h"

#include "ui_DuplicateFile.h"

namespace qpages {

namespace {

const std::string kFolderKey = "DuplicatesFinderPath";

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kDuplicatesFinder;
    // Progress is shown before the scan goes on, so the file being examined stays in step.
    id.updateHandOver = PageBase::HandOver::Wait;
    id.reloadHandOver = PageBase::HandOver::NoWait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillDuplicateFiles(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removeDuplicateFiles(); };
    id.idleState = 0;
    return id;
}

void flipState(QAbstractButton* button) {
    if (auto* imgButton = qobject_cast<qtk::IMGButton*>(button))
        imgButton->setState(imgButton->state() == 1 ? 0 : 1);
    else if (button && button->isCheckable())
        button->setChecked(!button->isChecked());
}

} // namespace

DuplicateFilesController::DuplicateFilesController(qengine::DataFiller& dataFiller, QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {
    const QPointer<DuplicateFilesController> page(this);
    observe(notes::kResetDefaults, [page](const qcore::Notification& n) {
        handOver(page, &DuplicateFilesController::mainthread_handleResetDefaultsNotification, n,
                 HandOver::NoWait);
    });
    observe(notes::kResize, [page](const qcore::Notification& n) {
        handOver(page, &DuplicateFilesController::mainthread_handleResizeNotification, n,
                 HandOver::Wait);
    });
}

DuplicateFilesController::~DuplicateFilesController() = default;

void DuplicateFilesController::loadInterface() {
    ui_ = std::make_unique<Ui::DuplicateFileInterface>();
    ui_->setupUi(this);
}

qtk::IMGButton* DuplicateFilesController::btnFindDups() {
    view();
    return ui_->btnFindDups;
}

void DuplicateFilesController::findDups(QAbstractButton* sender) {
    view();
    // A running scan owns the list; only an idle one is emptied here.
    if (!dataFiller().isModuleBusy(activityName())) {
        dataFiller().mainDataSource(activityName()).clear();
        calculateTotalItemsAndParentSize();
        reloadResults();
    }
    dataFiller().setStopFillingDuplicateFiles(false);
    setFolderControlsHidden(true);
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
        if (!scanNow()) setFolderControlsHidden(false);
    } else {
        button->setState(1);
        button->setEnabled(false);
        engine.setAbortedDuplicateFiles(true);
        engine.setStopFillingDuplicateFiles(true);
    }
    flipState(sender);
}

void DuplicateFilesController::scanButtonClicked() {
    loadDataInDB(ui_->scanButton);
}

void DuplicateFilesController::activityHandled(bool isStart, bool) {
    if (!isStart) setFolderControlsHidden(false);
    mirrorActivityToDelegate();
}

void DuplicateFilesController::updateHandled() {
    mirrorActivityToDelegate();
}

void DuplicateFilesController::mirrorActivityToDelegate() const {
    auto* delegate = pageDelegate();
    if (!delegate) return;
    delegate->setIsScanningDups(dataFiller().isFillingDuplicateFiles());
    delegate->setIsRemovingDups(dataFiller().isRemovingDuplicateFiles());
}

void DuplicateFilesController::handleResetDefaultsNotification(const qcore::Notification& n) {
    handOver(QPointer(this), &DuplicateFilesController::mainthread_handleResetDefaultsNotification,
             n, HandOver::NoWait);
}

void DuplicateFilesController::mainthread_handleResetDefaultsNotification(
    const qcore::Notification& n) {
    if (n.info(notes::kNotificationGroup) != qengine::modules::kDuplicatesFinder) return;
    showSelectedFolder();
}

void DuplicateFilesController::handleResizeNotification(const qcore::Notification& n) {
    handOver(QPointer(this), &DuplicateFilesController::mainthread_handleResizeNotification, n,
             HandOver::Wait);
}

void DuplicateFilesController::mainthread_handleResizeNotification(const qcore::Notification&) {
    if (!isViewLoaded()) return;
    // The folder text is elided to the label's new width.
    const auto& metrics = ui_->lblSelectedPath->fontMetrics();
    ui_->lblSelectedPath->setText(
        metrics.elidedText(selectedFolderText_, Qt::ElideMiddle, ui_->lblSelectedPath->width()));
}

void DuplicateFilesController::showSelectedFolder() {
    const auto folder =
        QString::fromStdString(qcore::UserDefaults::standard().stringForKey(kFolderKey));
    selectedFolderText_ = commonToken("ID_SELECTED_PATH") + ' ' + folder;
    if (!isViewLoaded()) return;
    ui_->lblSelectedPath->setText(selectedFolderText_);
    ui_->lblSelectedPath->setToolTip(selectedFolderText_);
    ui_->pathControl->setText(folder);
}

void DuplicateFilesController::setFolderControlsHidden(bool hidden) {
    if (!isViewLoaded()) return;
    ui_->btnChangeFolder->setHidden(hidden);
    ui_->pathControl->setHidden(hidden);
}

void DuplicateFilesController::viewDidLoad() {
    ModuleViewController::viewDidLoad();
    ui_->btnFindDups->setStandardImages();
    ui_->btnFindDups->setText(token("GRP_DUPLICATES_FINDER", "ID_FIND_DUPLICATES"));
    ui_->btnFindDups->setState(0);
    connect(ui_->btnFindDups, &QAbstractButton::clicked, this,
            [this] { findDups(ui_->btnFindDups); });
    showSelectedFolder();
}

} // namespace qpages
