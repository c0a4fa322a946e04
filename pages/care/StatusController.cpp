#include "pages/care/StatusController.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/ModuleKeys.h"
#include "engine/TextFormat.h"
#include "pages/care/PageDelegate.h"
#include "pages/care/PageNotifications.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Alert.h"
#include "toolkit/IMGButton.h"

#include "ui_Status.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <numeric>

namespace qpages {

namespace {

using Entry = void (StatusController::*)();

struct OneClickModule {
    const std::string& key;
    Entry scan;
    Entry clean;
};

// Always handled in this order.
const std::array<OneClickModule, StatusController::kModuleCount>& table() {
    static const std::array<OneClickModule, StatusController::kModuleCount> modules{{
        {qengine::modules::kSystemCleaner, &StatusController::scanCacheCleaner,
         &StatusController::removeCacheCleaner},
        {qengine::modules::kLogsCleaner, &StatusController::scanLogsCleaner,
         &StatusController::removeLogsCleaner},
        {qengine::modules::kTrashCleaner, &StatusController::scanBinaryCutter,
         &StatusController::removeTrashCleaner},
        {qengine::modules::kPartialDownloads, &StatusController::scanPartialDownloads,
         &StatusController::removePartialDownloads},
    }};
    return modules;
}

void flipState(qtk::IMGButton* button) {
    if (button) button->setState(button->state() == 1 ? 0 : 1);
}

const QColor kRed(162, 8, 8);
const QColor kGreen(0, 85, 0);

} // namespace

StatusController::StatusController(qengine::DataFiller& dataFiller, QWidget* parent)
    : PageBase(dataFiller, parent) {
    registerObservers();
    initActivityFinishedStatus();
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        auto& s = state_[i];
        s.count = s.lastCount = s.shownCount = getItemsCount(table()[i].key);
        s.size = s.foundSize = getSize(table()[i].key);
    }
}

StatusController::~StatusController() {
    finishPage({modules().begin(), modules().end()});
}

const std::array<std::string, StatusController::kModuleCount>& StatusController::modules() {
    static const std::array<std::string, kModuleCount> keys{
        qengine::modules::kSystemCleaner, qengine::modules::kLogsCleaner,
        qengine::modules::kTrashCleaner, qengine::modules::kPartialDownloads};
    return keys;
}

int StatusController::indexOf(const std::string& module) {
    const auto& keys = modules();
    const auto it = std::find(keys.begin(), keys.end(), module);
    return it == keys.end() ? -1 : static_cast<int>(it - keys.begin());
}

void StatusController::registerObservers() {
    const QPointer<StatusController> page(this);
    // Only the four modules' notifications reach the dashboard.
    observe(notes::kDataFillerUpdate, [page](const qcore::Notification& n) {
        if (indexOf(n.info(notes::kNotificationGroup)) < 0) return;
        handOver(page, &StatusController::mainthread_handleUpdates, n, HandOver::NoWait);
    });
    observe(notes::kActivityStartStop, [page](const qcore::Notification& n) {
        if (indexOf(n.info(notes::kActivityName)) < 0) return;
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

void StatusController::runScan(std::size_t index) {
    const auto entry = table()[index].scan;
    auto& s = state_[index];
    s.finished = !startWorker(table()[index].key, [this, entry] { (this->*entry)(); });
}

void StatusController::runClean(std::size_t index) {
    const auto entry = table()[index].clean;
    auto& s = state_[index];
    s.finished = !startWorker(table()[index].key, [this, entry] { (this->*entry)(); });
}

// --- Start and stop --------------------------------------------------------------------------

void StatusController::startScan() {
    isScan_ = true;
    enableDisableButtons(false);
    for (auto& s : state_)
        s.foundSize = 0;
    initActivityFinishedStatus();
    bool started = false;
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        auto& s = state_[i];
        auto& flags = dataFiller().flags(table()[i].key);
        // A module already scanning (from its page or the popover) is not started again.
        if (!s.checked || flags.isFilling.load()) continue;
        s.dataPresent = false;
        s.size = 0;
        s.count = s.shownCount = 0;
        flags.stopFilling.store(false);
        runScan(i);
        started = started || !s.finished;
    }
    updateTotals();
    // Nothing to wait for: back to idle at once.
    if (!started && !anyBusy()) enableDisableButtons(true);
}

void StatusController::startRemove() {
    for (auto& s : state_)
        s.size = 0;
    isScan_ = false;
    enableDisableButtons(false);
    initActivityFinishedStatus();
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        auto& s = state_[i];
        auto& flags = dataFiller().flags(table()[i].key);
        if (!s.checked || flags.isRemoving.load()) continue;
        flags.stopRemoving.store(false);
        runClean(i);
    }
}

void StatusController::startStopScan() {
    auto* button = scanButton();
    flipState(button);
    if (!button || button->state() == 1) {
        if (button) button->setText(commonToken("ID_STOP_SCAN"));
        startScan();
    } else {
        button->setState(1);
        button->setEnabled(false);
        for (std::size_t i = 0; i < kModuleCount; ++i) {
            if (!state_[i].checked) continue;
            auto& flags = dataFiller().flags(table()[i].key);
            flags.stopFilling.store(true);
            flags.aborted.store(true);
        }
    }
    flipState(button);
}

void StatusController::startStopRemove() {
    auto* button = removeButton();
    flipState(button);
    setStopRemoveFlag(false);
    if (button && button->state() != 1) {
        // The engine ends each clean at its next item and marks it aborted itself.
        button->setEnabled(false);
        setStopRemoveFlag(true);
        button->setState(0);
        flipState(button);
        return;
    }
    if (!askToClean()) {
        if (button) button->setState(0);
        flipState(button);
        return;
    }
    dataFiller().initRemoveObjectIfRequired("One Click");
    if (button) button->setText(commonToken("ID_STOP_CLEANING"));
    isCleanButtonClicked_ = true;
    startRemove();
    flipState(button);
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
        if (state_[i].checked) dataFiller().flags(table()[i].key).stopRemoving.store(stop);
}

void StatusController::initActivityFinishedStatus() {
    for (auto& s : state_)
        s.finished = true;
}

bool StatusController::checkScanFinished() {
    const bool finished =
        std::all_of(state_.begin(), state_.end(), [](const auto& s) { return s.finished; });
    if (finished)
        qcore::NotificationCenter::defaultCenter().post(notes::kStopOneClickCareScan, this,
                                                        {{notes::kOperation, notes::kStop}});
    return finished;
}

// --- Handlers --------------------------------------------------------------------------------

void StatusController::handleUpdates(const qcore::Notification& n) {
    handOver(QPointer(this), &StatusController::mainthread_handleUpdates, n, HandOver::NoWait);
}

void StatusController::mainthread_handleUpdates(const qcore::Notification& n) {
    const int index = indexOf(n.info(notes::kNotificationGroup));
    if (index < 0) return;
    const auto i = static_cast<std::size_t>(index);
    const auto count =
        static_cast<std::int32_t>(std::strtol(n.info(notes::kCount).c_str(), nullptr, 10));
    const std::uint64_t size = std::strtoull(n.info(notes::kSize).c_str(), nullptr, 10);
    auto& s = state_[i];
    const auto& flags = dataFiller().flags(table()[i].key);
    s.dataPresent = true;
    if (flags.isFilling.load()) {
        s.count = s.shownCount = count;
        s.foundSize = size;
    }
    if (flags.isRemoving.load()) s.shownCount = std::max(0, s.count - count);
    s.size = size;
    updateModuleTexts(i);
    updateTotals();
}

void StatusController::handleActivityStartStop(const qcore::Notification& n) {
    handOver(QPointer(this), &StatusController::mainthread_handleActivityStartStop, n,
             HandOver::Wait);
}

void StatusController::mainthread_handleActivityStartStop(const qcore::Notification& n) {
    const int index = indexOf(n.info(notes::kActivityName));
    if (index < 0) return;
    const auto i = static_cast<std::size_t>(index);
    const bool isStart = n.info(notes::kOperation) == notes::kStart;
    const bool isScan = n.info(notes::kActivityType) == notes::kScan;
    auto& s = state_[i];
    s.finished = !isStart;
    if (isStart) {
        enableDisableCheckButtons(false);
    } else if (s.checked) {
        const auto items = getItemsCount(table()[i].key);
        s.count = s.shownCount = items;
        if (isScan) s.lastCount = items;
    }
    showProgress(i, isStart);
    updateModuleTexts(i);
    decideScanOrRemoveButton();
    if (checkScanFinished()) {
        finishActivity();
    } else if (auto* button = ui_ ? ui_->scanButton : nullptr) {
        button->setEnabled(anyChecked());
    }
}

void StatusController::oneTimeStartScan(const qcore::Notification& n) {
    handOver(QPointer(this), &StatusController::mainthread_oneTimeStartScan, n, HandOver::Wait);
}

void StatusController::mainthread_oneTimeStartScan(const qcore::Notification&) {
    const auto total =
        std::accumulate(state_.begin(), state_.end(), std::int64_t{0},
                        [](std::int64_t sum, const auto& s) { return sum + s.count; });
    if (total != 0) return;
    if (auto* button = scanButton()) button->setText(commonToken("ID_STOP_SCAN"));
    startScan();
}

void StatusController::hideDetailsView(const qcore::Notification& n) {
    handOver(QPointer(this), &StatusController::mainthread_hideDetailsView, n, HandOver::Wait);
}

void StatusController::mainthread_hideDetailsView(const qcore::Notification&) {
    // The module rows are the whole dashboard here; showing it again refreshes their counts.
    for (std::size_t i = 0; i < kModuleCount; ++i)
        updateModuleTexts(i);
}

void StatusController::handleResizeNotification(const qcore::Notification& n) {
    handOver(QPointer(this), &StatusController::mainthread_handleResizeNotification, n,
             HandOver::Wait);
}

void StatusController::mainthread_handleResizeNotification(const qcore::Notification&) {
    if (ui_) ui_->lblDesc->updateGeometry();
}

// --- Finishing -------------------------------------------------------------------------------

void StatusController::finishActivity() {
    if (!isScan_)
        for (auto& s : state_)
            s.lastCount = s.count;
    updateTotals();
    updateLastScanWithCurrent(isScan_);
    enableDisableButtons(true);
    const auto issues = pendingIssues();
    if (auto* delegate = pageDelegate()) delegate->setItemRemaining(issues);
    qcore::NotificationCenter::defaultCenter().post(notes::kLoadOneClickCare, this);
    showIssuesFace(issues);
    isCleanButtonClicked_ = false;
}

std::int32_t StatusController::pendingIssues() const {
    if (!checkItemsAvailable()) return 0;
    return std::accumulate(state_.begin(), state_.end(), std::int32_t{0},
                           [](std::int32_t sum, const auto& s) { return sum + s.count; });
}

void StatusController::showIssuesFace(std::int32_t issues) {
    if (!ui_) return;
    const bool hasIssues = issues > 0;
    ui_->scanButton->setHidden(hasIssues);
    ui_->removeButton->setHidden(!hasIssues);
    ui_->scanButton->setText(commonToken("ID_START_SCAN"));
    ui_->removeButton->setText(commonToken("ID_CLEAN_NOW"));
    ui_->scanButton->setState(0);
    ui_->removeButton->setState(0);
    ui_->scanButton->setEnabled(anyChecked());
    ui_->removeButton->setEnabled(anyChecked());
    const auto* key = hasIssues ? (issues == 1 ? "ID_ATTENTION" : "ID_ATTENTIONS")
                                : (isScan_ ? "ID_NO_ISSUES" : "ID_CONGRATULATIONS");
    const auto text = dataFiller().getTokenForGroup("GRP_ONE_CLICK_CLEANING", key);
    ui_->textStatus->setText(
        QString::fromStdString(qengine::text::fillPlaceholders(text, {std::to_string(issues)})));
}

void StatusController::updateLastScanWithCurrent(bool) {
    std::int64_t items = 0;
    std::uint64_t bytes = 0;
    for (const auto& module : modules()) {
        items += getItemsCount(module);
        bytes += getSize(module);
    }
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("lastScanSystemStatus", std::to_string(items));
    // A date, as the header and the popover read it.
    defaults.setObject("lastScanSystemTime", qcore::Date::now());
    defaults.setObject("lastScanJunkSize", sizeText(bytes).toStdString());
    defaults.synchronize();
    qcore::NotificationCenter::defaultCenter().post(
        notes::kReloadLastScan, this, {{notes::kNotificationGroup, notes::kOneClickCleaning}});
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

bool StatusController::checkItemsAvailable() const {
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        if (!state_[i].checked) continue;
        const bool found =
            dataFiller().mainDataSource(table()[i].key).withLock([](auto& nodes, auto& rows) {
                for (const auto& group : nodes)
                    for (const auto& item : group->children())
                        if (item->state() == 1) return true;
                for (const auto& r : rows)
                    if (qengine::row::size(r) > 0 && qengine::row::state(r) == 1) return true;
                return false;
            });
        if (found) return true;
    }
    return false;
}

bool StatusController::isChecked(const std::string& module) const {
    const int index = indexOf(module);
    return index >= 0 && state_[static_cast<std::size_t>(index)].checked;
}

void StatusController::setChecked(const std::string& module, bool checked) {
    const int index = indexOf(module);
    if (index < 0) return;
    const auto i = static_cast<std::size_t>(index);
    state_[i].checked = checked;
    if (auto* box = controls_[i].check) box->setChecked(checked);
}

std::int32_t StatusController::itemCount(const std::string& module) const {
    const int index = indexOf(module);
    return index < 0 ? 0 : state_[static_cast<std::size_t>(index)].count;
}

bool StatusController::anyBusy() const {
    return std::any_of(modules().begin(), modules().end(),
                       [this](const auto& m) { return dataFiller().isModuleBusy(m); });
}

bool StatusController::anyChecked() const {
    return std::any_of(state_.begin(), state_.end(), [](const auto& s) { return s.checked; });
}

// --- Controls --------------------------------------------------------------------------------

qtk::IMGButton* StatusController::scanButton() {
    view();
    return ui_->scanButton;
}

qtk::IMGButton* StatusController::removeButton() {
    view();
    return ui_->removeButton;
}

void StatusController::decideScanOrRemoveButton() {
    bool scanning = false;
    bool cleaning = false;
    for (const auto& module : modules()) {
        const auto& flags = dataFiller().flags(module);
        scanning = scanning || flags.isFilling.load();
        cleaning = cleaning || flags.isRemoving.load();
    }
    if (scanning || cleaning) isScan_ = scanning;
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
        shown->setText(commonToken(scanning ? "ID_STOP_SCAN" : "ID_STOP_CLEANING"));
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
        if (c.check) c.check->setEnabled(enable);
}

void StatusController::showProgress(std::size_t index, bool running) {
    if (auto* bar = controls_[index].progress) {
        bar->setRange(0, running ? 0 : 1);
        bar->setVisible(running);
    }
    if (ui_) {
        const bool any =
            std::any_of(state_.begin(), state_.end(), [](const auto& s) { return !s.finished; });
        ui_->progressbar->setRange(0, any ? 0 : 1);
        ui_->progressbar->setVisible(any);
    }
}

void StatusController::updateModuleTexts(std::size_t index) {
    const auto& c = controls_[index];
    const auto& s = state_[index];
    if (!c.items) return;
    c.items->setText(QString::number(s.shownCount));
    // During a clean the engine's size is what the clean has freed so far.
    const auto caption = commonToken(isScan_ ? "ID_TOTAL_SPACE" : "ID_SPACE_RECOVERED");
    c.size->setText(caption + ": " + sizeText(s.size));
    QPalette palette = c.items->palette();
    palette.setColor(QPalette::WindowText, s.shownCount > 0 ? kRed : kGreen);
    c.items->setPalette(palette);
}

void StatusController::updateTotals() {
    std::int64_t count = 0;
    std::uint64_t bytes = 0;
    for (const auto& s : state_) {
        count += isScan_ ? s.count : std::max(0, s.lastCount - s.shownCount);
        if (s.checked) bytes += s.size;
    }
    if (!isScan_)
        if (auto* delegate = pageDelegate())
            delegate->setItemCleanCountOneClickCare(static_cast<std::int32_t>(count));
    if (!ui_) return;
    ui_->textTotalJunkSize->setText(QString::number(count));
    ui_->ValSizeToBeRecovered->setText(sizeText(bytes));
    ui_->lblOccupyRecover->setText(commonToken(isScan_ ? "ID_TOTAL_ISSUES" : "ID_ISSUES_CLEANED"));
    ui_->lblSizeToBeRecovered->setText(
        commonToken(isScan_ ? "ID_TOTAL_SPACE" : "ID_TOTAL_SPACE_RECOVERED"));
}

void StatusController::loadInterface() {
    ui_ = std::make_unique<Ui::StatusInterface>();
    ui_->setupUi(this);
}

void StatusController::viewDidLoad() {
    controls_ = {{
        {ui_->buttonCache, ui_->textCacheDesc, ui_->textCacheItems, ui_->textCacheSize,
         ui_->progressCache},
        {ui_->buttonLogs, ui_->textLogsDesc, ui_->textLogsItems, ui_->textLogsSize,
         ui_->progressLogs},
        {ui_->buttonBin, ui_->textBinDesc, ui_->textBinItems, ui_->textBinSize, ui_->progressBin},
        {ui_->buttonLang, ui_->textLangDesc, ui_->textLangItems, ui_->textLangSize,
         ui_->progressLang},
    }};
    const auto group = std::string("GRP_ONE_CLICK_CLEANING");
    ui_->lblTitle->setText(moduleDisplayName(notes::kOneClickCleaning));
    ui_->lblDesc->setText(QString::fromStdString(
        dataFiller().getTokenForActivity(notes::kOneClickCleaning, true, true)));
    for (std::size_t i = 0; i < kModuleCount; ++i) {
        const auto& module = table()[i].key;
        auto& c = controls_[i];
        c.check->setText(moduleDisplayName(module));
        c.check->setChecked(state_[i].checked);
        connect(c.check, &QCheckBox::toggled, this, [this, i](bool on) { state_[i].checked = on; });
        // The description links to the module's own page.
        const auto desc = token(group, "ID_" + qengine::text::moduleStem(module) + "_OC_DESC");
        c.desc->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                            .arg(moduleDisplayName(module).toHtmlEscaped(), desc.toHtmlEscaped()));
        connect(c.desc, &QLabel::linkActivated, this,
                [this](const QString& name) { sendViewNotification(name); });
        showProgress(i, dataFiller().isModuleBusy(module));
        updateModuleTexts(i);
    }
    for (auto* button : {ui_->scanButton, ui_->removeButton}) {
        button->setStandardImages();
        button->setState(0);
    }
    connect(ui_->scanButton, &QAbstractButton::clicked, this, [this] { startStopScan(); });
    connect(ui_->removeButton, &QAbstractButton::clicked, this, [this] { startStopRemove(); });

    if (anyBusy()) {
        enableDisableCheckButtons(false);
        decideScanOrRemoveButton();
    } else {
        showIssuesFace(pendingIssues());
    }
    updateTotals();
    dataFiller().sendAwakeNotification(notes::kOneClickCleaning);
    applyViewFormatting();
}

} // namespace qpages
