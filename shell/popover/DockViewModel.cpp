#include "shell/popover/DockViewModel.h"

#include "shell/common/SettingsKeys.h"
#include "shell/common/ShellNotifications.h"
#include "shell/facts/ProcessorSpeed.h"
#include "shell/facts/SizeText.h"
#include "shell/popover/StatusBarCommands.h"
#include "shell/views/OneClickControl.h"

#include "platform/core/Log.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace qshell {

namespace {

const std::string kDataFillerUpdate = "DataFillerUpdateNotification";
const std::string kActivityStartStop = "ActivityStartStopNotification";
const std::string kDuplicatesFinder = "Duplicates Finder";

std::string infoText(const qcore::Dictionary& info, const std::string& key) {
    const auto it = info.find(key);
    return it == info.end() ? std::string() : it->second.toString();
}

std::optional<std::size_t> junkIndex(const std::string& module) {
    const auto& modules = OneClickControl::junkModules();
    const auto it = std::find(modules.begin(), modules.end(), module);
    if (it == modules.end()) return std::nullopt;
    return static_cast<std::size_t>(it - modules.begin());
}

} // namespace

DockViewModel::Sources DockViewModel::Sources::live(std::function<bool()> isDarkMode) {
    Sources s;
    s.applications = [] { return TopApplications::applicationsUsingSignificantMemory(); };
    s.drives = [] { return DiskDrives::getDiskDrives(); };
    s.frequencyHz = [] { return ProcessorSpeed::readFrequencyHz(); };
    s.cpuTicks = [] { return ProcessorLoad::readCpuLoadTicks(); };
    s.isDarkMode = std::move(isDarkMode);
    s.decimalPoint = ProcessorSpeed::localDecimalPoint();
    return s;
}

DockViewModel::DockViewModel(Setup setup)
    : setup_(std::move(setup)), memStatus_(setup_.sources.meminfoPath, setup_.sources.pageSize),
      sampler_(setup_.sources.cpuTicks ? setup_.sources.cpuTicks : ProcessorLoad::Reader([] {
                   return ProcessorLoad::readCpuLoadTicks();
               }),
               setup_.sources.sampleInterval, *setup_.mainThread) {
    state_.activityMonitorEnabled = static_cast<bool>(setup_.actions.launchActivityMonitor);
}

DockViewModel::~DockViewModel() {
    // A delivery already under way may still queue work for the main thread; it finds the
    // model gone.
    *alive_ = false;
    setup_.center->removeObserversOf(this);
}

void DockViewModel::viewDidLoad() {
    getDiskDrives();
    getCpuSpeed();
    GetMemoryStatus();
    updateDataWithTimer();
    observe();
    getOneClickScanCount();
    oneClickCounts_ = {};
    darkModeChanged();
}

void DockViewModel::observe() {
    if (observing_) return;
    observing_ = true;
    qcore::NotificationCenter& center = *setup_.center;
    // Engine notifications come from workers; the handlers run on the main thread and the
    // poster waits, so counts arrive in the order they were posted.
    const auto onMain = [this](void (DockViewModel::*handler)(const qcore::Dictionary&)) {
        return [this, handler](const qcore::Notification& n) {
            setup_.mainThread->postAndWait([this, handler, alive = alive_, info = n.userInfo] {
                if (*alive) (this->*handler)(info);
            });
        };
    };
    center.addObserver(this, kDataFillerUpdate, onMain(&DockViewModel::handleUpdates));
    center.addObserver(this, kActivityStartStop, onMain(&DockViewModel::handleActivityStartStop));
    center.addObserver(this, notifications::kStopOneClickCareScan,
                       onMain(&DockViewModel::handleActivityStop));
    center.addObserver(this, notifications::kLoadOneClickCare,
                       [this](const qcore::Notification&) { loadOneClickCareCount(); });
    center.addObserver(this, notifications::kReloadLastScan, [this](const qcore::Notification&) {
        setup_.mainThread->postAndWait([this, alive = alive_] {
            if (*alive) getOneClickScanCount();
        });
    });
}

void DockViewModel::updateDataWithTimer() {
    GetMemoryStatus();
    updateCPUinfo();
    // The desktop announces no change of its GTK or KDE scheme to us, so each tick looks.
    if (flag(setup_.sources.isDarkMode) != state_.statusBarTextWhite) darkModeChanged();
}

// --- Memory ------------------------------------------------------------------------------------

void DockViewModel::GetMemoryStatus() {
    memStatus_.get_stats();
    if (setup_.sources.applications) {
        auto apps = setup_.sources.applications();
        if (apps.size() > 3) apps.resize(3);
        state_.topApplications = std::move(apps);
        notify(Section::Applications);
    }
    showMemoryInPerUnit();
}

void DockViewModel::showMemoryInPerUnit() {
    // A refresh ends an optimisation, so neither quick button stays disabled.
    state_.optimizeEnabled = true;
    state_.quickCleanEnabled = true;
    state_.isOptimizeRunning = false;
    state_.optimizeTitle.reset();
    notify(Section::Buttons);
    if (!memStatus_.hasSnapshot()) return;

    const MemoryData data = memStatus_.getMemoryData();
    const double percent = data.total == 0
                               ? 0.0
                               : std::min(100.0, static_cast<double>(data.used) /
                                                     static_cast<double>(data.total) * 100.0);
    state_.percentageText = percentageText(percent);
    state_.totalMemoryText = "Memory: " + SizeText::forMemory(data.total);
    state_.availableText = "Available: " + SizeText::forMemory(data.available);
    state_.memoryPercent = percent;
    state_.statusBarText = SizeText::forMemory(data.used);
    notify(Section::Memory);
    notify(Section::StatusBar);
}

std::string DockViewModel::percentageText(double percent) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%0.2f%% %s", percent, "Used");
    return buffer;
}

// --- Processor ---------------------------------------------------------------------------------

void DockViewModel::getCpuSpeed() {
    const std::uint64_t hz = setup_.sources.frequencyHz ? setup_.sources.frequencyHz() : 0;
    state_.cpuCapacityText = ProcessorSpeed::cpuCapacityText(hz, setup_.sources.decimalPoint);
    notify(Section::Processor);
}

void DockViewModel::updateCPUinfo() {
    sampler_.start([this](std::optional<int> load) { showCpuLoad(load); });
}

void DockViewModel::showCpuLoad(std::optional<int> load) {
    if (!load) return; // the sampler logged it; the label and chart keep their figures
    state_.cpuLoadText = "Load : " + std::to_string(*load) + "%";
    series_.updateData(*load);
    notify(Section::Load);
}

// --- Drives ------------------------------------------------------------------------------------

void DockViewModel::getDiskDrives() {
    state_.drives = setup_.sources.drives ? setup_.sources.drives() : std::vector<Drive>{};
    state_.selectedDrive = DiskDrives::selectedIndex(state_.drives);
    updateDriveInfo();
}

void DockViewModel::selectDrive(std::size_t index) {
    if (index >= state_.drives.size()) return;
    state_.selectedDrive = index;
    updateDriveInfo();
}

void DockViewModel::hardDiskChangedFromMenu(const std::string& title) {
    qcore::log("application ", title);
    if (const auto index = DiskDrives::indexOfName(state_.drives, title)) selectDrive(*index);
}

void DockViewModel::updateDriveInfo() {
    state_.driveTexts = state_.selectedDrive
                            ? DiskDrives::texts(state_.drives[*state_.selectedDrive])
                            : DriveTexts{};
    notify(Section::Drive);
}

// --- One Click and duplicates ------------------------------------------------------------------

void DockViewModel::getOneClickScanCount() {
    const std::string status = setup_.defaults->stringForKey(settings::kLastScanSystemStatus);
    state_.oneClickIssuesText = status.empty() ? "0" : status;
    // One issue is singular; none and many are plural.
    state_.issueFoundText = status == "1" ? "Issue Found" : "Issues Found";
    notify(Section::OneClick);
}

int DockViewModel::countOf(const qcore::Dictionary& userInfo) {
    const auto it = userInfo.find("count");
    if (it == userInfo.end()) return 0;
    const std::int64_t count = it->second.toInt();
    return static_cast<int>(std::clamp<std::int64_t>(count, INT_MIN, INT_MAX));
}

std::string DockViewModel::issuesText(int count) {
    return count == 1 ? "Issue found" : "Issues found";
}

int DockViewModel::oneClickSum() const {
    long long sum = 0;
    for (const int c : oneClickCounts_)
        sum += c;
    return static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}

void DockViewModel::handleUpdates(const qcore::Dictionary& userInfo) {
    const std::string group = infoText(userInfo, notifications::kNotificationGroup);
    const int count = countOf(userInfo);
    if (group == kDuplicatesFinder) {
        if (flag(setup_.delegate.isScanningDups)) {
            totalDupsDeleted_ = 0;
            if (count >= 1) state_.dupsFoundText = "Duplicates Found";
            totalDuplicates_ = totalDuplicatesTemp_ = count;
            state_.duplicatesCountText = std::to_string(totalDuplicates_);
            notify(Section::Duplicates);
        } else if (flag(setup_.delegate.isRemovingDups)) {
            totalDupsDeleted_ = count;
            totalDuplicates_ = totalDuplicates_ < 2 ? 0 : totalDuplicates_ - 1;
            state_.duplicatesCountText = std::to_string(totalDuplicates_);
            notify(Section::Duplicates);
        }
    }
    const auto junk = junkIndex(group);
    if (flag(setup_.delegate.isScanningOneClick)) {
        if (junk) oneClickCounts_[*junk] = count;
        const int sum = oneClickSum();
        state_.oneClickIssuesText = std::to_string(sum);
        state_.issuesOneClickText = issuesText(sum);
        notify(Section::OneClick);
    } else if (flag(setup_.delegate.isRemovingOneClick) && junk) {
        const int remaining =
            std::max(0, oneClickSum() - number(setup_.delegate.itemCleanCountOneClickCare));
        state_.oneClickIssuesText = std::to_string(remaining);
        qcore::log("Clean Count = ", remaining);
        state_.issuesOneClickText = issuesText(remaining);
        notify(Section::OneClick);
    }
}

void DockViewModel::handleActivityStartStop(const qcore::Dictionary& userInfo) {
    if (infoText(userInfo, "activityType") != "scan") return;
    const std::string module = infoText(userInfo, "activityName");
    const std::string operation = infoText(userInfo, "operation");
    if (module == kDuplicatesFinder) {
        if (operation == "start") {
            state_.fixDuplicatesTitle = kStopScan;
            state_.duplicatesCountText = "0";
        } else if (operation == "stop") {
            state_.fixDuplicatesTitle = kScanNow;
        }
        notify(Section::Duplicates);
    } else if (junkIndex(module) && operation == "start") {
        state_.oneClickIssuesText = "0";
        state_.quickCleanTitle = kStopScan;
        notify(Section::OneClick);
    }
}

void DockViewModel::handleActivityStop(const qcore::Dictionary& userInfo) {
    if (infoText(userInfo, "operation") != "stop") return;
    state_.quickCleanTitle = kScanNow;
    notify(Section::OneClick);
}

void DockViewModel::loadOneClickCareCount() {
    state_.oneClickIssuesText = std::to_string(std::max(0, number(setup_.delegate.itemRemaining)));
    notify(Section::OneClick);
}

// --- Buttons and menu --------------------------------------------------------------------------

void DockViewModel::dismiss() {
    if (setup_.actions.dismissPopover) setup_.actions.dismissPopover();
}

void DockViewModel::post(const std::string& command) {
    setup_.center->post(notifications::kPerformOperationFromStatusBarItem, this,
                        {{notifications::kCommand, command}});
}

void DockViewModel::btnCleanIssueTapped() {
    const bool idle = state_.quickCleanTitle == kScanNow;
    dismiss();
    post(idle ? StatusBarCommands::kOneClickScan : StatusBarCommands::kOneClickStop);
}

void DockViewModel::btnDuplicatesFilesTapped() {
    const bool idle = state_.fixDuplicatesTitle == kScanNow;
    dismiss();
    post(idle ? StatusBarCommands::kDuplicateScan : StatusBarCommands::kDuplicateStop);
}

void DockViewModel::btnOpenQRVApplication() {
    dismiss();
    post(StatusBarCommands::kOpenApp);
}

void DockViewModel::btnOptimizePress() {
    state_.optimizeTitle = "Optimizing...";
    state_.isOptimizeRunning = true;
    state_.optimizeEnabled = false;
    state_.quickCleanEnabled = false;
    notify(Section::Buttons);
}

void DockViewModel::actionHelp() {
    dismiss();
    const bool opened = setup_.actions.openUrl && setup_.actions.openUrl(setup_.helpUrl);
    if (opened || !setup_.actions.showAlert) return;
    const auto token = [this](const std::string& group, const std::string& key) {
        return setup_.texts.token ? setup_.texts.token(group, key) : std::string("NA");
    };
    setup_.actions.showAlert({token("GRP_MAIN_MENU", "ID_APP_HELP_ERROR"),
                              token("GRP_CMN", "ID_TRY_LATER"), token("GRP_CMN", "ID_OK")});
}

void DockViewModel::actionAppSettings() {
    post(StatusBarCommands::kOpenApp);
    dismiss();
    if (setup_.actions.openPreferencesWindow) setup_.actions.openPreferencesWindow();
}

void DockViewModel::actionQuit() {
    dismiss();
    if (setup_.actions.terminate) setup_.actions.terminate();
}

void DockViewModel::actionOpenActivityMonitor() {
    if (setup_.actions.launchActivityMonitor) setup_.actions.launchActivityMonitor();
}

std::vector<DockViewModel::MenuEntry> DockViewModel::settingsMenu() {
    return {{MenuItem::Help, "Help"},
            {MenuItem::Preferences, "Preferences"},
            {MenuItem::Separator, ""},
            {MenuItem::Quit, "Quit"}};
}

void DockViewModel::darkModeChanged() {
    qcore::log("Dark mode changed");
    state_.statusBarTextWhite = flag(setup_.sources.isDarkMode);
    notify(Section::StatusBar);
}

} // namespace qshell
