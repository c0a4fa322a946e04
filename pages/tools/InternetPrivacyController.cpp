#include "pages/tools/InternetPrivacyController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "engine/Pacer.h"
#include "pages/care/RunningAppsSheet.h"
#include "pages/tools/FullDiskAccess.h"
#include "pages/tools/FullDiskAccessGuide.h"
#include "platform/core/Log.h"
#include "platform/ui/Alert.h"
#include "toolkit/IMGButton.h"

#include "ui_InternetPrivacy.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace qpages {

namespace {

const std::string& kModule = qengine::modules::kInternetPrivacy;
constexpr int kIdle = 1;
constexpr double kRescanDelaySeconds = 2.0;

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = kModule;
    id.lastScanWord = {}; // the page keeps no last-scan line
    id.updateHandOver = PageBase::HandOver::NoWait;
    id.reloadHandOver = PageBase::HandOver::NoWait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillInternetPrivacy(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removeInternetPrivacy(); };
    return id;
}

} // namespace

InternetPrivacyController::InternetPrivacyController(qengine::DataFiller& dataFiller,
                                                     QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {
    setCleanConfirmation([this] { return confirmClean(); });
}

InternetPrivacyController::~InternetPrivacyController() = default;

void InternetPrivacyController::loadInterface() {
    ui_ = std::make_unique<Ui::InternetPrivacyInterface>();
    ui_->setupUi(this);
}

void InternetPrivacyController::viewDidLoad() {
    ModuleViewController::viewDidLoad();
    runningAppsSheet();
    guide().localizeFDALables();
}

FullDiskAccessGuide& InternetPrivacyController::guide() {
    if (!guide_) {
        guide_ = new FullDiskAccessGuide(dataFiller(),
                                         FullDiskAccessGuide::Variant::InternetPrivacy, this);
        connect(guide_, &FullDiskAccessGuide::closed, this, [this] { closeFDWindow(); });
    }
    return *guide_;
}

RunningAppsSheet& InternetPrivacyController::runningAppsSheet() {
    if (!sheet_) sheet_ = new RunningAppsSheet(dataFiller(), *this, this);
    return *sheet_;
}

QString InternetPrivacyController::runningBrowsersMessage() {
    return QString::fromUtf8(
        "Scan results will be incomplete as browser(s) are running. Please close running "
        "browsers manually. Click \u201cContinue\u201d to proceed partial scan or click "
        "\"Cancel\" to run the scan later.");
}

// --- Scan ------------------------------------------------------------------------------------

bool InternetPrivacyController::anyBrowserRunning() {
    bool running = false;
    for (const auto& browser : RunningAppsSheet::browsers())
        running =
            runningAppsSheet().checkApp(browser.displayName, browser.bundleIdentifier) || running;
    return running;
}

bool InternetPrivacyController::askToScanWhileBrowsersRun() {
    qui::Alert alert;
    alert.setMessageText(runningBrowsersMessage())
        .setInformativeText(QString())
        .addButton(QStringLiteral("Continue"))
        .addButton(commonToken("ID_CANCEL"));
    return alert.runModal(window()) == qui::Alert::FirstButton;
}

void InternetPrivacyController::scanButtonClicked() {
    auto* scan = scanButton();
    if (scan && scan->state() != kIdle) return loadDataInDB(); // a stop asks nothing
    if (anyBrowserRunning() && !askToScanWhileBrowsersRun()) {
        if (scan) scan->setState(1 - kIdle); // the button's own flip leaves it idle
        return;
    }
    collapseGroups();
    loadDataInDB();
}

void InternetPrivacyController::rescanButtonClicked() {
    if (anyBrowserRunning() && !askToScanWhileBrowsersRun()) return;
    collapseGroups();
    rescanNow();
}

void InternetPrivacyController::collapseGroups() {
    if (auto* tree = outlineView()) tree->collapseAll();
}

void InternetPrivacyController::activityHandled(bool isStart, bool isScan) {
    if (isStart) {
        if (isScan) ++scanGeneration_;
        return;
    }
    if (isScan) handleScanEnd();
}

void InternetPrivacyController::resultsSettled() {
    expandGroupsWithItems();
}

bool InternetPrivacyController::accessMissing() const {
    return FullDiskAccess::is1014OSX() &&
           !FullDiskAccess::checkFulldiskAccess(FullDiskAccess::homeDirectory());
}

// The buttons get their idle faces at once, but the progress, the check-all box and Rescan
// stay busy for a while, and the counts keep the scan's "found" line.
void InternetPrivacyController::handleScanEnd() {
    setCountsLine("ID_ITEMS_FOUND", {std::to_string(totalItems())});
    showSize(totalSize());
    showProgress(true);
    if (auto* box = checkUncheckButton()) box->setEnabled(false);
    if (auto* rescan = rescanButton()) rescan->setEnabled(false);
    const int generation = scanGeneration_;
    QTimer::singleShot(static_cast<int>(kRescanDelaySeconds * 1000 * qengine::Pacer::scale()), this,
                       [this, generation] { delayRescanBtnShow(generation); });
    if (accessMissing()) {
        guide().showFullDiskAccessNag();
        if (auto* scan = scanButton()) {
            scan->setState(1 - kIdle);
            scan->setEnabled(true);
        }
    }
}

void InternetPrivacyController::delayRescanBtnShow(int generation) {
    if (generation != scanGeneration_) return;
    qcore::log("Scan Stopped ");
    stopScan();
    if (totalItems() == 0) {
        if (auto* box = checkUncheckButton()) box->setEnabled(true);
    }
}

void InternetPrivacyController::closeFDWindow() {
    if (totalItems() > 0) return;
    if (auto* scan = scanButton()) {
        scan->setState(kIdle);
        scan->setEnabled(true);
    }
}

// --- Clean -----------------------------------------------------------------------------------

bool InternetPrivacyController::checkSafariCount() const {
    std::int64_t total = 0;
    dataFiller().mainDataSource(kModule).withLock([&](const auto& nodes, const auto&) {
        for (const auto& group : nodes) {
            if (!group || group->title() != "Safari") continue;
            for (const auto& item : group->children())
                if (item->state() == 1) total += static_cast<std::int64_t>(item->sizeInBytes());
        }
    });
    return total > 0;
}

std::vector<std::pair<std::string, std::string>> InternetPrivacyController::tickedBrowsers() const {
    std::vector<std::pair<std::string, std::string>> ticked;
    dataFiller().mainDataSource(kModule).withLock([&](const auto& nodes, const auto&) {
        for (const auto& browser : RunningAppsSheet::browsers())
            for (const auto& group : nodes)
                if (group && group->state() != 0 && group->title() == browser.displayName)
                    ticked.emplace_back(browser.displayName, browser.bundleIdentifier);
    });
    return ticked;
}

bool InternetPrivacyController::confirmClean() {
    if (accessMissing() && checkSafariCount()) {
        guide().showFullDiskAccessNag();
        if (auto* clean = removeButton()) clean->setEnabled(true);
        return false;
    }
    if (!askToCleanInAlert()) return false;
    std::vector<RunningAppsSheet::Application> apps;
    for (const auto& [name, identifier] : tickedBrowsers())
        apps.push_back({name, identifier});
    auto& sheet = runningAppsSheet();
    switch (sheet.checkRunningApps(apps)) {
    case RunningAppsSheet::Outcome::Cancelled:
        return false;
    case RunningAppsSheet::Outcome::Continued:
        // The engine skips a running browser; with every ticked one running nothing would go.
        return sheet.tableArray().size() < apps.size();
    case RunningAppsSheet::Outcome::NoneRunning:
        break;
    }
    return true;
}

} // namespace qpages
