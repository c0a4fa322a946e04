#include "pages/care/StatusController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleRow.h"
#include "engine/TextFormat.h"
#include "pages/care/LevelIndicator.h"
#include "pages/care/ModuleSwitch.h"
#include "pages/care/OneClickDetails.h"
#include "pages/care/PageDelegate.h"
#include "pages/care/PageNotifications.h"
#include "pages/care/RateMeWindow.h"
#include "pages/care/StatusAppearance.h"
#include "platform/core/Bundle.h"
#include "platform/core/Log.h"
#include "platform/core/SystemVersion.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Autoresizing.h"
#include "platform/ui/GuiWorkspace.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/CommonFuncs.h"
#include "toolkit/GradientBox.h"
#include "toolkit/IMGButton.h"
#include "toolkit/LinkButton.h"

#include "ui_Status.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPropertyAnimation>
#include <QSignalBlocker>
#include <QTableView>
#include <QTreeView>
#include <QUrl>

#include <algorithm>

namespace qpages {

namespace {

using Entry = void (StatusController::*)();

struct OneClickEntries {
    Entry scan;
    Entry clean;
};

// The worker entries of the four modules, in the order of OneClickTally::modules().
constexpr std::array<OneClickEntries, StatusController::kModuleCount> kEntries{{
    {&StatusController::scanCacheCleaner, &StatusController::removeCacheCleaner},
    {&StatusController::scanLogsCleaner, &StatusController::removeLogsCleaner},
    {&StatusController::scanBinaryCutter, &StatusController::removeTrashCleaner},
    {&StatusController::scanPartialDownloads, &StatusController::removePartialDownloads},
}};

const std::string kGroup = "GRP_ONE_CLICK_CLEANING";
const QColor& kGreen = StatusAppearance::green();
const QColor& kRed = StatusAppearance::red();

void setTextColor(QWidget* widget, const QColor& color) {
    StatusAppearance::setTextColor(widget, color);
}

void flip(qtk::IMGButton* button) {
    if (button) button->setState(button->state() == 1 ? 0 : 1);
}

} // namespace

StatusController::StatusController(qengine::DataFiller& dataFiller, QWidget* parent)
    : PageBase(dataFiller, parent) {
    registerObservers();
    tally_.initActivityFinishedStatus();
}

StatusController::~StatusController() {
    if (windowRateMe_ && windowRateMe_->isRunning()) windowRateMe_->endSheet(0);
    finishPage({modules().begin(), modules().end()});
}

void StatusController::registerObservers() {
    const QPointer<StatusController> page(this);
    // Only the four modules' notifications concern the dashboard: another module's start or
    // stop neither freezes its switches nor runs its finishing steps.
    observe(notes::kDataFillerUpdate, [page](const qcore::Notification& n) {
        if (OneClickTally::indexOf(n.info(notes::kNotificationGroup)) < 0) return;
        handOver(page, &StatusController::mainthread_handleUpdates, n, HandOver::NoWait);
    });
    observe(notes::kActivityStartStop, [page](const qcore::Notification& n) {
        if (OneClickTally::indexOf(n.info(notes::kActivityName)) < 0) return;
        handOver(page, &StatusController::mainthread_handleActivityStartStop, n, HandOver::Wait);
    });
    observe(notes::kOneTimeStartScan, [page](const qcore::Notification& n) {
        handOver(page, &StatusController::mainthread_oneTimeStartScan, n, HandOver::Wait);
    });
    observe(notes::kHideDetailsView, [page](const qcore::Notification& n) {
        handOver(page, &StatusController::mainthread_hideDetailsView, n, HandOver::Wait);
    });
    observe(notes::kResize, [page](const qcore::Notification& n) {
        handOver(page, &StatusController::mainthread_handleResizeNotification, n, HandOver::Wait);
    });
}

// --- Worker entries --------------------------------------------------------------------------

void StatusController::scanCacheCleaner() {
    dataFiller().fillCacheCleaner();
}
void StatusController::scanLogsCleaner() {
    dataFiller().fillLogsCleaner();
}
void StatusController::scanBinaryCutter() {
    dataFiller().fillTemporaryData();
}
void StatusController::scanPartialDownloads() {
    dataFiller().fillPartialDownloads();
}
void StatusController::removeCacheCleaner() {
    dataFiller().removeCacheCleaner();
}
void StatusController::removeLogsCleaner() {
    dataFiller().removeLogsCleaner();
}
void StatusController::removeTrashCleaner() {
    dataFiller().removeTrashCleaner();
}
void StatusController::removePartialDownloads() {
    dataFiller().removePartialDownloads();
}

void StatusController::runWorker(std::size_t index, bool scan) {
    const Entry entry = scan ? kEntries[index].scan : kEntries[index].clean;
    const auto& module = modules()[index];
    tally_.setFinished(module, false);
    // The claim is taken here, so nobody else starts the module before its worker begins.
    if (!startWorker(module, [this, entry] { (this->*entry)(); })) tally_.setFinished(module, true);
}

// --- Start and stop --------------------------------------------------------------------------

void StatusController::startScan() {
    isScan_ = true;
    enableDisableButtons(false);
    showScanTotals(0, 0);
    for (std::size_t i = 0; i < kModuleCount; ++i)
        tally_[i].foundSize = 0;
    updateLabels();
    showHideAlertBox(false, 0);
    markRunningModulesUnfinished();
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        auto& m = tally_[i];
        const auto& module = modules()[i];
        // A module busy with a scan or a clean (its own page, the header, the popover) is
        // left alone; its stop is followed all the same.
        if (!m.checked || dataFiller().isModuleBusy(module)) continue;
        m.dataPresent = false;
        m.size = 0;
        m.count = 0;
        dataFiller().flags(module).stopFilling.store(false);
        runWorker(i, true);
    }
    // Nothing could start and nothing runs: back to the idle face at once.
    if (tally_.allFinished() && !anyModuleBusy()) finishingSteps();
}

void StatusController::startRemove() {
    for (std::size_t i = 0; i < kModuleCount; ++i)
        tally_[i].size = 0;
    isScan_ = false;
    enableDisableButtons(false);
    updateLabels();
    showHideAlertBox(false, 0);
    markRunningModulesUnfinished();
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        const auto& module = modules()[i];
        if (!tally_[i].checked || dataFiller().isModuleBusy(module)) continue;
        tally_[i].size = 0;
        dataFiller().flags(module).stopRemoving.store(false);
        runWorker(i, false);
    }
    if (tally_.allFinished() && !anyModuleBusy()) finishingSteps();
}

void StatusController::startStopScan() {
    auto* button = scanButton();
    flip(button);
    if (button->state() == 1) {
        closeDetailsView(true);
        button->setText(commonToken("ID_STOP_SCAN"));
        startScan();
    } else {
        button->setState(1);
        button->setEnabled(false);
        for (std::size_t i = 0; i < kModuleCount; ++i) {
            if (!tally_[i].checked) continue;
            auto& flags = dataFiller().flags(modules()[i]);
            flags.stopFilling.store(true);
            flags.aborted.store(true);
        }
    }
    flip(button);
}

void StatusController::startStopRemove(qtk::IMGButton* sender) {
    auto* button = removeButton();
    if (!sender) sender = button;
    flip(sender);
    setStopRemoveFlag(false);
    if (button->state() != 1) {
        // The engine ends each clean at its next item and marks it aborted itself.
        button->setEnabled(false);
        setStopRemoveFlag(true);
        button->setState(0);
        flip(sender);
        return;
    }
    if (!askToClean()) {
        button->setState(0);
        flip(sender);
        return;
    }
    dataFiller().initRemoveObjectIfRequired("One Click");
    closeDetailsView(true);
    button->setText(commonToken("ID_STOP_CLEANING"));
    isCleanButtonClicked_ = true;
    startRemove();
    flip(sender);
}

void StatusController::cleanFromAlert() {
    removeButton()->setState(1);
    startStopRemove(ui_->btnCleanOnAlert);
}

void StatusController::rescanNow() {
    view();
    // A run started elsewhere is followed to its end, not restarted over.
    if (anyModuleBusy()) return;
    details_->clear();
    scanButton()->setText(commonToken("ID_STOP_SCAN"));
    ui_->rescanButton->setEnabled(false);
    ui_->rescanButton->hide();
    startScan();
}

bool StatusController::askToClean() const {
    if (confirmClean_) return confirmClean_();
    qui::Alert alert;
    alert.setMessageText(commonToken("ID_PROMPT_TO_CLEAN_ALL_ITEMS"))
        .addButton(commonToken("ID_OK"))
        .addButton(commonToken("ID_CANCEL"));
    return alert.runModal(window()) == qui::Alert::FirstButton;
}

void StatusController::setStopRemoveFlag(bool stop) {
    for (std::size_t i = 0; i < kModuleCount; ++i)
        if (tally_[i].checked) dataFiller().flags(modules()[i]).stopRemoving.store(stop);
}

bool StatusController::checkScanFinished() {
    if (!tally_.allFinished()) return false;
    qcore::NotificationCenter::defaultCenter().post(notes::kStopOneClickCareScan, this,
                                                    {{notes::kOperation, notes::kStop}});
    return true;
}

bool StatusController::anyModuleBusy() const {
    return std::any_of(modules().begin(), modules().end(),
                       [this](const auto& m) { return dataFiller().isModuleBusy(m); });
}

void StatusController::markRunningModulesUnfinished() {
    tally_.initActivityFinishedStatus();
    // A module whose start was seen and whose stop is still to come finishes the four only at
    // that stop. (One only claimed may yet give its claim back without a stop.)
    for (std::size_t i = 0; i < kModuleCount; ++i)
        if (tally_[i].activity != OneClickTally::Activity::Idle)
            tally_.setFinished(modules()[i], false);
}

void StatusController::decideScanOrRemoveButton() {
    bool scanning = false;
    bool cleaning = false;
    for (const auto& module : modules()) {
        const auto& flags = dataFiller().flags(module);
        scanning = scanning || flags.isFilling.load();
        cleaning = cleaning || flags.isRemoving.load();
    }
    if (scanning)
        isScan_ = true;
    else if (cleaning)
        isScan_ = false;
    if (!ui_) return;
    if (scanning && cleaning) {
        ui_->scanButton->setEnabled(false);
        ui_->removeButton->setEnabled(false);
    } else if (scanning || cleaning) {
        auto* shown = scanning ? ui_->scanButton : ui_->removeButton;
        auto* hidden = scanning ? ui_->removeButton : ui_->scanButton;
        shown->setHidden(false);
        shown->setEnabled(true);
        shown->setState(1);
        hidden->setHidden(true);
    }
}

void StatusController::enableDisableButtons(bool enable) {
    enableDisableCheckButtons(enable);
    if (!ui_) return;
    (isScan_ ? ui_->removeButton : ui_->scanButton)->setEnabled(enable);
}

void StatusController::enableDisableCheckButtons(bool enable) {
    for (auto& c : controls_)
        if (c.button) c.button->setEnabled(enable);
}

// --- Handlers --------------------------------------------------------------------------------

void StatusController::mainthread_handleUpdates(const qcore::Notification& n) {
    const int index = OneClickTally::indexOf(n.info(notes::kNotificationGroup));
    if (index < 0) return;
    const auto i = static_cast<std::size_t>(index);
    const auto countText = n.info(notes::kCount);
    const auto count = static_cast<std::int32_t>(std::strtol(countText.c_str(), nullptr, 10));
    const std::uint64_t size = std::strtoull(n.info(notes::kSize).c_str(), nullptr, 10);
    const auto& flags = dataFiller().flags(modules()[i]);
    auto& m = tally_[i];
    const auto& c = controls_[i];
    using Activity = OneClickTally::Activity;
    const bool idle = m.activity == Activity::Idle;
    const bool scanning = m.activity == Activity::Scan || (idle && flags.isFilling.load());
    const bool cleaning = m.activity == Activity::Clean || (idle && flags.isRemoving.load());
    if (scanning) {
        tally_.applyScanUpdate(i, count, size);
        updateLevelBar(i, m.count);
        if (c.items) {
            c.items->setText(QString::number(m.count));
            c.size->setText(QStringLiteral("Total space: %1").arg(sizeText(size)));
            c.foundSize->setText(sizeText(m.foundSize));
        }
    } else if (cleaning) {
        tally_.applyCleanUpdate(i, count, size);
        updateLevelBar(i, m.shownCount);
        if (c.items) {
            c.items->setText(QString::number(m.shownCount));
            c.size->setText(QStringLiteral("Space recovered: %1").arg(sizeText(size)));
            c.foundSize->setText(sizeText(tally_.remainingFoundSize(i)));
        }
    } else {
        m.dataPresent = true;
        m.size = size;
    }
    if (isScan_) {
        showScanTotals(tally_.countSum(), tally_.checkedSize());
    } else {
        const auto cleaned = tally_.cleanedCount();
        reportToDelegate(-1, cleaned);
        setTotals(cleaned, tally_.recoveredSize(), kGreen);
    }
}

void StatusController::mainthread_handleActivityStartStop(const qcore::Notification& n) {
    const auto& module = n.info(notes::kActivityName);
    const bool isStart = n.info(notes::kOperation) == notes::kStart;
    const bool scan = n.info(notes::kActivityType) == notes::kScan;
    qcore::log("One Click: ", module, " ", n.info(notes::kActivityType), " ",
               n.info(notes::kOperation));
    tally_.setFinished(module, !isStart);
    const int index = OneClickTally::indexOf(module);
    if (index < 0) return;
    const auto i = static_cast<std::size_t>(index);
    auto& m = tally_[i];
    const auto& c = controls_[i];
    m.activity = !isStart ? OneClickTally::Activity::Idle
                 : scan   ? OneClickTally::Activity::Scan
                          : OneClickTally::Activity::Clean;
    if (isStart) {
        enableDisableCheckButtons(false);
        if (ui_) {
            ui_->rescanButton->setEnabled(false);
            ui_->rescanButton->hide();
            ui_->scanButton->setEnabled(tally_.anyChecked());
            setTextColor(ui_->textTotalJunkSize, scan ? kRed : kGreen);
        }
    }
    closeDetailsView(false);
    const auto items = getItemsCount(module);
    const QColor color = items > 0 ? kRed : kGreen;
    if (isStart) showActivityHeader(scan);
    if (m.checked) {
        if (isStart) {
            setTextColor(c.items, kRed);
            if (scan) {
                if (c.ratingBox) c.ratingBox->show();
                updateLevelBar(i, 0);
            }
        } else {
            m.count = m.shownCount = items;
            if (scan) m.lastCount = items;
            if (c.items) {
                c.items->setText(QString::number(items));
                setTextColor(c.items, color);
            }
            if (!scan) {
                if (c.ratingBox) c.ratingBox->show();
                updateLevelBar(i, items);
                // What the module still lists, rather than found minus reported.
                if (c.foundSize) c.foundSize->setText(sizeText(getSize(module)));
            }
        }
    }
    showHideProgressbar(c.progress, isStart);
    decideScanOrRemoveButton();
    updateLabels();
    // Only a stop can finish the four; a start never does.
    if (!isStart && checkScanFinished()) {
        finishingSteps();
    } else if (ui_) {
        ui_->scanButton->setEnabled(tally_.anyChecked());
    }
    if (ui_) {
        ui_->boxHeader->update();
        ui_->boxAlert->update();
    }
}

void StatusController::mainthread_oneTimeStartScan(const qcore::Notification&) {
    if (tally_.countSum() != 0 || anyModuleBusy()) return;
    scanButton()->setText(commonToken("ID_STOP_SCAN"));
    startScan();
}

void StatusController::mainthread_hideDetailsView(const qcore::Notification&) {
    closeDetailsView(false);
}

void StatusController::mainthread_handleResizeNotification(const qcore::Notification&) {
    if (details_) details_->relayout();
}

void StatusController::mainthread_handleWindowBecameMain() {
    if (!ui_) return;
    const bool busy = std::any_of(modules().begin(), modules().end(), [this](const auto& m) {
        const auto& flags = dataFiller().flags(m);
        return flags.isFilling.load() || flags.isRemoving.load();
    });
    showHideProgressbar(ui_->progressbar, busy);
}

void StatusController::mainthread_handlewindowWillMinimize() {
    if (!ui_) return;
    showHideProgressbar(ui_->progressbar, false);
    ui_->boxFooter->update();
}

// --- Display ---------------------------------------------------------------------------------

void StatusController::showActivityHeader(bool scan) {
    if (!ui_) return;
    ui_->textStatus->show();
    ui_->lineStatus->show();
    ui_->lblTitle->show();
    ui_->lblDesc->show();
    showHideAlertBox(false, 0);
    ui_->boxHeader->setGradientImageName(QStringLiteral("header_main.png"));
    ui_->boxHeader->update();
    const auto desc = [this](const char* key, const char* time) {
        return QString::fromStdString(
            qengine::text::fillPlaceholders(dataFiller().getTokenForGroup(kGroup, key),
                                            {dataFiller().getTokenForGroup("GRP_CMN", time)}));
    };
    if (scan) {
        ui_->lblTitle->setText(token(kGroup, "ID_ANALYZING_MAC_WAIT"));
        ui_->lblDesc->setText(desc("ID_OC_SCANNING_DESC", "ID_PATIENT_TIME"));
        ui_->scanButton->setText(commonToken("ID_STOP_SCAN"));
    } else {
        ui_->lblTitle->setText(token(kGroup, "ID_CLEANING_MAC_WAIT"));
        ui_->lblDesc->setText(desc("ID_OC_CLEANING_DESC", "ID_PROCESS_TIME"));
        ui_->removeButton->setText(commonToken("ID_STOP_CLEANING"));
    }
}

void StatusController::finishingSteps() {
    std::int64_t totalCount = 0;
    if (isScan_) {
        totalCount = tally_.countSum();
        std::uint64_t bytes = 0;
        for (std::size_t i = 0; i < kModuleCount; ++i)
            if (tally_[i].checked) bytes += getSize(modules()[i]);
        setTotals(totalCount, bytes, totalCount > 0 ? kRed : kGreen);
        if (ui_) setTextColor(ui_->ValSizeToBeRecovered, Qt::black);
    } else {
        totalCount = std::max<std::int64_t>(0, tally_.lastCountSum() - tally_.countSum());
        for (std::size_t i = 0; i < kModuleCount; ++i)
            tally_[i].lastCount = tally_[i].count;
        setTotals(totalCount, tally_.recoveredSize(), kGreen);
    }
    for (std::size_t i = 0; i < kModuleCount; ++i)
        updateLevelBar(i, tally_[i].shownCount);
    updateLastScanWithCurrent();
    enableDisableButtons(true);
    if (ui_) {
        ui_->textStatus->hide();
        ui_->lineStatus->hide();
    }
    const bool anyChecked = tally_.anyChecked();
    if (checkItemsAvailable()) {
        if (ui_) {
            ui_->lblTitle->hide();
            ui_->lblDesc->hide();
        }
        showHideAlertBox(true, static_cast<std::int32_t>(tally_.countSum()));
        if (ui_) {
            ui_->scanButton->hide();
            ui_->removeButton->setText(commonToken("ID_CLEAN_NOW"));
            ui_->boxHeader->setGradientImageName(QStringLiteral("red_gradient_alert.png"));
            ui_->boxHeader->update();
            ui_->removeButton->show();
            ui_->removeButton->setState(0);
            ui_->rescanButton->show();
            ui_->removeButton->setEnabled(anyChecked);
        }
    } else {
        showHideAlertBox(true, 0);
        if (ui_) {
            ui_->lblTitle->clear();
            ui_->lblDesc->clear();
            ui_->rescanButton->hide();
            ui_->scanButton->setText(commonToken("ID_START_SCAN"));
            ui_->scanButton->show();
            ui_->scanButton->setState(0);
            ui_->removeButton->hide();
        }
    }
    if (ui_) {
        ui_->scanButton->setEnabled(anyChecked);
        if (anyChecked) ui_->rescanButton->setEnabled(true);
    }
    enableDisableCheckButtons(true);
    if (isViewLoaded() && window()) QApplication::alert(window());
    checkAndShowRateMeWindow();
}

void StatusController::setTotals(std::int64_t count, std::uint64_t bytes, const QColor& color) {
    if (!ui_) return;
    ui_->textTotalJunkSize->setText(QString::number(count));
    ui_->ValSizeToBeRecovered->setText(sizeText(bytes));
    setTextColor(ui_->textTotalJunkSize, color);
    setTextColor(ui_->ValSizeToBeRecovered, color);
}

void StatusController::showScanTotals(std::int64_t count, std::uint64_t bytes) {
    setTotals(count, bytes, Qt::black);
    // Only the size is black while a scan runs; the issue count keeps the scan's red.
    if (ui_) setTextColor(ui_->textTotalJunkSize, kRed);
}

void StatusController::showHideAlertBox(bool show, std::int32_t issues) {
    if (ui_) {
        ui_->boxAlert->setVisible(show);
        for (auto& c : controls_)
            c.link->setEnabled(show);
        showHideProgressbar(ui_->progressbar, !show);
        ui_->topImage->setVisible(!show);
    }
    if (!show) return;
    const bool hasIssues = issues > 0;
    const char* key = hasIssues ? (issues == 1 ? "ID_ATTENTION" : "ID_ATTENTIONS")
                                : (isScan_ ? "ID_NO_ISSUES" : "ID_CONGRATULATIONS");
    reportToDelegate(hasIssues ? issues : 0, -1);
    // The popover re-reads its count only when issues are left; with none it keeps the "0"
    // it read from the stored last-scan record at "ReloadLastScanNotification".
    if (hasIssues) qcore::NotificationCenter::defaultCenter().post(notes::kLoadOneClickCare, this);
    if (!ui_) return;
    const QString colour = hasIssues ? QStringLiteral("Red") : QStringLiteral("Green");
    ui_->boxAlert->setGradientImageName("Top_" + colour + "_Left.png",
                                        "Top_" + colour + "_Middle.png",
                                        "Top_" + colour + "_Right.png");
    ui_->boxAlert->update();
    ui_->imgAlert->setPixmap(qui::namedImage(hasIssues ? QStringLiteral("alert_icon.png")
                                                       : QStringLiteral("Green_White_Tick.png")));
    ui_->btnCleanOnAlert->setVisible(hasIssues);
    if (hasIssues) ui_->removeButton->setEnabled(true);
    ui_->topJunkSize->setText(QString::fromStdString(qengine::text::fillPlaceholders(
        dataFiller().getTokenForGroup(kGroup, key), {std::to_string(issues)})));
}

void StatusController::showHideProgressbar(QProgressBar* indicator, bool show) {
    if (!indicator) return;
    indicator->setRange(0, show ? 0 : 1);
    indicator->setVisible(show);
    indicator->update();
}

void StatusController::updateLabels() {
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        const auto& c = controls_[i];
        if (!c.items || !tally_[i].checked || tally_[i].dataPresent) continue;
        c.items->setText(QStringLiteral("0"));
        c.size->setText(
            (isScan_ ? QStringLiteral("Total space: %1") : QStringLiteral("Space recovered: %1"))
                .arg(sizeText(0)));
    }
    updateCaptions();
}

void StatusController::updateCaptions() {
    if (!ui_) return;
    if (isScan_) {
        ui_->lblSizeToBeRecovered->setText(commonToken("ID_TOTAL_SPACE"));
        ui_->lblOccupyRecover->setText(commonToken("ID_TOTAL_ISSUES"));
    } else {
        ui_->lblSizeToBeRecovered->setText(commonToken("ID_TOTAL_SPACE_RECOVERED"));
        ui_->lblOccupyRecover->setText(commonToken("ID_ISSUES_CLEANED"));
        ui_->textTotalJunkSize->setText(QStringLiteral("0"));
        ui_->ValSizeToBeRecovered->setText(sizeText(0));
    }
}

void StatusController::updateLevelBar(std::size_t index, std::int32_t count) {
    if (auto* bar = controls_[index].levelBar) bar->setValue(OneClickTally::level(index, count));
}

void StatusController::updateLastScanWithCurrent() {
    std::int64_t items = 0;
    std::uint64_t bytes = 0;
    for (const auto& module : modules()) {
        items += getItemsCount(module);
        bytes += getSize(module);
    }
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("lastScanSystemStatus", std::to_string(items));
    defaults.setObject("lastScanSystemTime", qcore::Date::now());
    defaults.setObject("lastScanJunkSize", sizeText(bytes).toStdString());
    defaults.synchronize();
    qcore::NotificationCenter::defaultCenter().post(
        notes::kReloadLastScan, this, {{notes::kNotificationGroup, notes::kOneClickCleaning}});
}

void StatusController::reportToDelegate(std::int32_t itemRemaining, std::int32_t cleaned) const {
    auto* delegate = pageDelegate();
    if (!delegate) return;
    if (itemRemaining >= 0) delegate->setItemRemaining(itemRemaining);
    if (cleaned >= 0) delegate->setItemCleanCountOneClickCare(cleaned);
}

void StatusController::sendViewNotification(const QString& showView) {
    qcore::NotificationCenter::defaultCenter().post(notes::kMyNotification, this,
                                                    {{notes::kShowView, showView.toStdString()}});
}

// --- Counts ----------------------------------------------------------------------------------

std::int32_t StatusController::getItemsCount(const std::string& module) const {
    return std::max(0, dataFiller().getItemsCountOfModule(module));
}

std::uint64_t StatusController::getSize(const std::string& module) const {
    return listedBytes(module);
}

bool StatusController::itemInOutlineViewNode(const std::string& module) const {
    return dataFiller().mainDataSource(module).withLock([](auto& nodes, auto&) {
        for (const auto& group : nodes)
            for (const auto& item : group->children())
                if (item->state() == 1) return true;
        return false;
    });
}

bool StatusController::checkItemsAvailable() const {
    const auto rowTicked = [this](const std::string& module) {
        return dataFiller().mainDataSource(module).withLock([](auto&, auto& rows) {
            return std::any_of(rows.begin(), rows.end(), [](const auto& r) {
                return qengine::row::size(r) > 0 && qengine::row::state(r) == 1;
            });
        });
    };
    // The order of the tests: the two trees, then Partial Downloads, then Trash Cleaner.
    for (const std::size_t i : {0U, 1U})
        if (tally_[i].checked && itemInOutlineViewNode(modules()[i])) return true;
    for (const std::size_t i : {3U, 2U})
        if (tally_[i].checked && rowTicked(modules()[i])) return true;
    return false;
}

bool StatusController::isChecked(const std::string& module) const {
    const int index = OneClickTally::indexOf(module);
    return index >= 0 && tally_[static_cast<std::size_t>(index)].checked;
}

std::int32_t StatusController::itemCount(const std::string& module) const {
    const int index = OneClickTally::indexOf(module);
    return index < 0 ? 0 : tally_[static_cast<std::size_t>(index)].count;
}

qtk::IMGButton* StatusController::scanButton() {
    view();
    return ui_->scanButton;
}

qtk::IMGButton* StatusController::removeButton() {
    view();
    return ui_->removeButton;
}

// --- Details and layout ----------------------------------------------------------------------

void StatusController::showDetails(int position) {
    if (details_) details_->toggle(position);
}

void StatusController::back() {
    if (details_) details_->toggle(details_->animationFrameIndex());
}

void StatusController::restoreViewsWithAnimation(bool animate) {
    if (details_) details_->restoreViewsWithAnimation(animate);
}

void StatusController::setFrames() {
    if (details_) details_->setFrames();
}

void StatusController::closeDetailsView(bool animate) {
    if (details_) details_->close(animate);
}

bool StatusController::flagFrame() const {
    return !details_ || details_->flagFrame();
}

std::string StatusController::activityName() const {
    return details_ ? details_->activityName() : std::string();
}

bool StatusController::makeDetailsEmpty() const {
    return !details_ || details_->makeDetailsEmpty();
}

QAbstractItemModel* StatusController::detailsModel() const {
    return details_ ? details_->model() : nullptr;
}

bool StatusController::shiftButton(QWidget* knob, bool flag) {
    const int x = knob->x();
    const auto running = knobSlides_[knob];
    if ((x != 0 && x != -ModuleSwitch::kTravel) ||
        (running && running->state() == QAbstractAnimation::Running))
        return false;
    auto* animation = new QPropertyAnimation(knob, "pos", this);
    animation->setDuration(kSlideMs / 2);
    animation->setEndValue(QPoint(flag ? x - ModuleSwitch::kTravel : x + ModuleSwitch::kTravel, 0));
    knobSlides_[knob] = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return true;
}

void StatusController::shiftModule(std::size_t index) {
    setModuleOn(index, !tally_[index].checked);
}

void StatusController::setModuleOn(std::size_t index, bool on) {
    auto& m = tally_[index];
    auto* button = controls_[index].button;
    if (on != m.checked && shiftButton(button->knob(), m.checked)) {
        m.checked = on;
        checkUncheckButtons();
    }
    // A change the knob cannot follow yet (it still slides) is not shown either.
    const QSignalBlocker quiet(button);
    button->setChecked(m.checked);
}

void StatusController::checkUncheckButtons() {
    if (!ui_) return;
    const int ticked = tally_.checkedCount();
    ui_->lblSelectedItems->setText(QStringLiteral("%1 of 4 selected").arg(ticked));
    std::array<bool, kModuleCount> on{};
    for (std::size_t i = 0; i < kModuleCount; ++i)
        on[i] = tally_[i].checked;
    StatusAppearance::toggleColorsOnOff(controls_, on);
    // While a module works the buttons are the running activity's; its stop sets them.
    if (anyModuleBusy()) return;
    const bool any = ticked > 0;
    ui_->scanButton->setEnabled(any);
    ui_->removeButton->setEnabled(any);
    ui_->rescanButton->setEnabled(any);
    if (!any) ui_->rescanButton->hide();
    std::uint64_t found = 0;
    for (std::size_t i = 0; i < kModuleCount; ++i)
        if (tally_[i].checked) found += getSize(modules()[i]);
    if (found == 0) ui_->removeButton->setEnabled(false);
}

bool StatusController::isOSXBigSur(const qcore::SystemVersion& profile) {
    const auto version = std::to_string(profile.major()) + "." + std::to_string(profile.minor());
    return version == "10.16" || version == "11.0";
}

// --- Rate prompt -----------------------------------------------------------------------------

void StatusController::setRateClock(RatePrompt::Clock clock) {
    rateClock_ = std::move(clock);
}

void StatusController::checkAndShowRateMeWindow() {
    if (!isCleanButtonClicked_) return;
    isCleanButtonClicked_ = false;
    const RatePrompt prompt(qcore::UserDefaults::standard(), qcore::Bundle::main(), rateClock_);
    if (!prompt.versionNotRated()) return;
    // Not from inside the handler that finished the clean: the sheet's loop runs once the
    // finishing steps have returned.
    const QPointer<StatusController> page(this);
    qcore::MainThread::current().post([page] {
        if (page) page->showRateMeWindow_main();
    });
}

void StatusController::showRateMeWindow_main() {
    RatePrompt prompt(qcore::UserDefaults::standard(), qcore::Bundle::main(), rateClock_);
    if (!prompt.dayAllows()) return;
    prompt.markShown();
    if (!windowRateMe_) {
        windowRateMe_ =
            new RateMeWindow(commonToken("ID_RATE_NOW"), commonToken("ID_NOT_NOW"), this);
        connect(windowRateMe_->rateButton(), &QPushButton::clicked, this,
                &StatusController::rateme);
        connect(windowRateMe_->closeButton(), &QPushButton::clicked, this,
                &StatusController::closeRateMeWindow);
    }
    if (windowRateMe_->isRunning()) return;
    windowRateMe_->lblHeadingRateMe()->setText(QString::fromStdString(prompt.question()));
    windowRateMe_->lblSubHeadingRateMe()->setText(
        QString::fromStdString(RatePrompt::explanation()));
    windowRateMe_->beginSheet(window());
    windowRateMe_->runModal();
}

void StatusController::rateme() {
    RatePrompt prompt(qcore::UserDefaults::standard(), qcore::Bundle::main(), rateClock_);
    const QUrl url(QString::fromStdString(prompt.storeUrl()));
    if (openUrl_)
        openUrl_(url);
    else
        qui::GuiWorkspace::openUrl(url);
    prompt.markRated();
    closeRateMeWindow();
}

void StatusController::closeRateMeWindow() {
    if (windowRateMe_ && windowRateMe_->isRunning()) windowRateMe_->endSheet(0);
}

// --- Window events ---------------------------------------------------------------------------

void StatusController::resizeEvent(QResizeEvent* event) {
    PageBase::resizeEvent(event);
    // The shell announces a resize before it sizes the page; this follows the size itself.
    if (details_) details_->relayout();
}

void StatusController::changeEvent(QEvent* event) {
    PageBase::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        mainthread_handleWindowBecameMain();
}

void StatusController::showEvent(QShowEvent* event) {
    PageBase::showEvent(event);
    if (window() != watchedWindow_) {
        if (watchedWindow_) watchedWindow_->removeEventFilter(this);
        watchedWindow_ = window();
        watchedWindow_->installEventFilter(this);
    }
}

bool StatusController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_ && event->type() == QEvent::WindowStateChange &&
        watchedWindow_->isMinimized())
        mainthread_handlewindowWillMinimize();
    return PageBase::eventFilter(watched, event);
}

// --- Set-up ----------------------------------------------------------------------------------

void StatusController::loadInterface() {
    ui_ = std::make_unique<Ui::StatusInterface>();
    ui_->setupUi(this);
}

void StatusController::viewDidLoad() {
    controls_ = OneClickControls::of(*ui_);
    if (isOSXBigSur(qcore::SystemVersion::current())) ui_->progressbar->hide();
    for (auto& m : tally_.all())
        m.checked = true;
    StatusAppearance::apply(*ui_, controls_, dataFiller());
    showHeldResults();
    wireControls();
    showInitialFace();
    updateCaptions();
    checkUncheckButtons();
    dataFiller().sendAwakeNotification(notes::kOneClickCleaning);
    details_ = std::make_unique<OneClickDetails>(*this, *ui_, controls_, dataFiller(),
                                                 commonToken("ID_TITLE"), commonToken("ID_SIZE"));
    details_->placeAtLoad();
    applyViewFormatting();
}

void StatusController::showHeldResults() {
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        const auto& module = modules()[i];
        auto& m = tally_[i];
        auto& c = controls_[i];
        m.size = getSize(module);
        m.count = m.shownCount = getItemsCount(module);
        c.size->setText(QStringLiteral("Total space: %1").arg(sizeText(m.size)));
        c.items->setText(QString::number(m.count));
        const auto& flags = dataFiller().flags(module);
        if (flags.isFilling.load()) {
            c.ratingBox->show();
        } else if (flags.isRemoving.load()) {
            c.ratingBox->hide();
        } else if (m.size != 0) {
            c.ratingBox->show();
            updateLevelBar(i, m.count);
        }
    }
}

void StatusController::wireControls() {
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        auto& c = controls_[i];
        c.button->setCheckable(true);
        c.button->setChecked(tally_[i].checked);
        c.button->showOn(tally_[i].checked);
        // Whatever turned it (mouse, keyboard or an assistive tool's toggle), the module's
        // flag follows the switch, or the switch is put back.
        connect(c.button, &QAbstractButton::toggled, this,
                [this, i](bool on) { setModuleOn(i, on); });
        connect(c.details, &QPushButton::clicked, this,
                [this, i] { showDetails(static_cast<int>(i) + 1); });
        connect(c.link, &QPushButton::clicked, this,
                [this, i] { sendViewNotification(moduleDisplayName(modules()[i])); });
    }
    connect(ui_->scanButton, &QAbstractButton::clicked, this, [this] { startStopScan(); });
    connect(ui_->removeButton, &QAbstractButton::clicked, this,
            [this] { startStopRemove(ui_->removeButton); });
    connect(ui_->btnCleanOnAlert, &QAbstractButton::clicked, this, [this] { cleanFromAlert(); });
    connect(ui_->rescanButton, &QAbstractButton::clicked, this, [this] { rescanNow(); });
    connect(ui_->backButton, &QAbstractButton::clicked, this, [this] { back(); });
}

void StatusController::showInitialFace() {
    bool scanning = false;
    bool cleaning = false;
    for (const auto& module : modules()) {
        scanning = scanning || dataFiller().flags(module).isFilling.load();
        cleaning = cleaning || dataFiller().flags(module).isRemoving.load();
    }
    const bool busy = std::any_of(modules().begin(), modules().end(),
                                  [this](const auto& m) { return dataFiller().isModuleBusy(m); });
    if (busy) {
        showHideAlertBox(false, 0);
        for (std::size_t i = 0; i < kModuleCount; ++i) {
            const auto& flags = dataFiller().flags(modules()[i]);
            showHideProgressbar(controls_[i].progress,
                                flags.isFilling.load() || flags.isRemoving.load());
        }
        ui_->rescanButton->setEnabled(false);
        ui_->rescanButton->hide();
        decideScanOrRemoveButton();
        // The switches and the button of the other activity wait for the run's end.
        enableDisableButtons(false);
        showActivityHeader(isScan_);
        const auto stopTitle = commonToken(isScan_ ? "ID_STOP_SCAN" : "ID_STOP_CLEANING");
        for (auto* button : {ui_->scanButton, ui_->removeButton})
            button->setText(scanning && cleaning ? QStringLiteral("Stop Now") : stopTitle);
        return;
    }
    ui_->textStatus->hide();
    ui_->lineStatus->hide();
    enableDisableButtons(true);
    ui_->lblTitle->hide();
    ui_->lblDesc->hide();
    const bool issues = checkItemsAvailable();
    showHideAlertBox(true, issues ? static_cast<std::int32_t>(tally_.countSum()) : 0);
    ui_->boxHeader->setGradientImageName(issues ? QStringLiteral("red_gradient_alert.png")
                                                : QStringLiteral("header_main.png"));
    ui_->rescanButton->setVisible(issues);
    ui_->scanButton->setVisible(!issues);
    ui_->removeButton->setVisible(issues);
    ui_->scanButton->setText(commonToken("ID_START_SCAN"));
    ui_->removeButton->setText(commonToken("ID_CLEAN_NOW"));
    for (auto* button : {ui_->scanButton, ui_->removeButton})
        button->setState(0);
    if (issues) ui_->removeButton->setEnabled(true);
    setTotals(tally_.countSum(), tally_.checkedSize(), Qt::black);
    setTextColor(ui_->textTotalJunkSize, tally_.countSum() > 0 ? kRed : kGreen);
}

} // namespace qpages
