#include "shell/popover/DockViewModel.h"
#include "shell/common/ShellNotifications.h"

#include "platform/core/MainThread.h"

#include <gtest/gtest.h>

using qshell::DockViewModel;

namespace {

const std::string kFixtures = QUENDRIX_SHELL_FIXTURES;

// The delegate's flags as the main window controller would set them.
struct FakeDelegate {
    bool scanningOneClick = false;
    bool removingOneClick = false;
    bool scanningDups = false;
    bool removingDups = false;
    int cleanCount = 0;
    int remaining = 0;

    DockViewModel::Delegate delegate() {
        return {[this] { return scanningOneClick; }, [this] { return removingOneClick; },
                [this] { return scanningDups; },     [this] { return removingDups; },
                [this] { return cleanCount; },       [this] { return remaining; }};
    }
};

struct ShellDockPopover : ::testing::Test {
    qcore::ManualMainThread mainThread;
    qcore::NotificationCenter center;
    qcore::UserDefaults defaults{""};
    FakeDelegate flags;
    std::vector<std::string> commands;
    std::vector<std::string> effects;
    bool dark = false;
    std::uint64_t hz = 2400000000ULL;
    std::vector<qshell::Drive> drives;

    ShellDockPopover() {
        center.addObserver(this, qshell::notifications::kPerformOperationFromStatusBarItem,
                           [this](const qcore::Notification& n) {
                               commands.push_back(n.info(qshell::notifications::kCommand));
                           });
        qshell::Drive stick{
            "/media/u/Stick", "Stick", 64000000000ULL, 16000000000ULL, true, true, true,
            "VFAT Volumes"};
        qshell::Drive root{"/",   "Computer", 500000000000ULL, 125000000000ULL,
                           false, true,       false,           std::nullopt};
        drives = {stick, root};
    }

    std::unique_ptr<DockViewModel> make(bool withMonitor = true) {
        DockViewModel::Setup setup;
        setup.sources.meminfoPath = kFixtures + "/proc/meminfo";
        setup.sources.pageSize = 4096;
        setup.sources.applications = [] {
            std::vector<qshell::AppMemoryEntry> apps(4);
            for (int i = 0; i < 4; ++i)
                apps[i].identifier = "app" + std::to_string(i);
            return apps;
        };
        setup.sources.drives = [this] { return drives; };
        setup.sources.frequencyHz = [this] { return hz; };
        setup.sources.cpuTicks = [] { return std::optional<qshell::CpuTicks>(); };
        setup.sources.sampleInterval = std::chrono::milliseconds(0);
        setup.sources.isDarkMode = [this] { return dark; };
        setup.delegate = flags.delegate();
        setup.actions.dismissPopover = [this] { effects.push_back("dismiss"); };
        setup.actions.openPreferencesWindow = [this] { effects.push_back("preferences"); };
        setup.actions.terminate = [this] { effects.push_back("quit"); };
        setup.actions.openUrl = [this](const std::string& url) {
            effects.push_back("open " + url);
            return false;
        };
        setup.actions.showAlert = [this](const DockViewModel::Alert& a) {
            effects.push_back("alert " + a.message + "|" + a.informative + "|" + a.button);
        };
        if (withMonitor)
            setup.actions.launchActivityMonitor = [this] {
                effects.push_back("monitor");
                return true;
            };
        setup.texts.token = [](const std::string& g, const std::string& k) { return g + ":" + k; };
        setup.helpUrl = "https://help.example/zebkin.php";
        setup.center = &center;
        setup.defaults = &defaults;
        setup.mainThread = &mainThread;
        auto model = std::make_unique<DockViewModel>(std::move(setup));
        model->viewDidLoad();
        return model;
    }

    void update(const std::string& group, int count) {
        center.post(
            "DataFillerUpdateNotification", nullptr,
            {{"notificationGroup", group}, {"count", std::to_string(count)}, {"size", "0"}});
    }
    void activity(const std::string& module, const std::string& operation,
                  const std::string& type = "scan") {
        center.post("ActivityStartStopNotification", nullptr,
                    {{"activityName", module}, {"operation", operation}, {"activityType", type}});
    }
};

} // namespace

TEST_F(ShellDockPopover, LoadingShowsMemoryProcessorDriveAndTheStoredIssueCount) {
    defaults.setObject("lastScanSystemStatus", "17");
    const auto model = make();
    const auto& s = model->state();
    EXPECT_EQ(s.percentageText, "26.61% Used");
    EXPECT_EQ(s.totalMemoryText, "Memory: 16.00 GB");
    EXPECT_EQ(s.availableText, "Available: 11.74 GB");
    EXPECT_EQ(s.statusBarText, "4.26 GB");
    EXPECT_NEAR(s.memoryPercent, 26.611328125, 1e-9);
    EXPECT_EQ(s.topApplications.size(), 3u);
    EXPECT_EQ(s.cpuCapacityText, "CPU: 2.4 GHz");
    ASSERT_EQ(s.selectedDrive, 1u) << "the drive at / is selected";
    EXPECT_EQ(s.driveTexts.name, "Computer");
    EXPECT_EQ(s.driveTexts.available, "Available: 125.00 GB");
    EXPECT_EQ(s.driveTexts.total, "Total: 500.00 GB");
    EXPECT_EQ(s.issueFoundText, "Issues Found");
    EXPECT_EQ(s.oneClickIssuesText, "17");
    EXPECT_EQ(s.quickCleanTitle, "Scan Now");
    EXPECT_TRUE(s.activityMonitorEnabled);
}

TEST_F(ShellDockPopover, StoredStatusAbsentEmptyOrZeroShowsNoIssueAndOneIsSingular) {
    for (const char* stored : {"", "0"}) {
        defaults.setObject("lastScanSystemStatus", stored);
        const auto model = make();
        EXPECT_EQ(model->state().issueFoundText, "Issues Found");
        EXPECT_EQ(model->state().oneClickIssuesText, "0");
    }
    defaults.removeObject("lastScanSystemStatus");
    EXPECT_EQ(make()->state().issueFoundText, "Issues Found");
    defaults.setObject("lastScanSystemStatus", "1");
    EXPECT_EQ(make()->state().issueFoundText, "Issue Found") << "never \"1 Issues Found\"";
}

TEST_F(ShellDockPopover, OneClickScanCountsSumTheFourModules) {
    const auto model = make();
    activity("System Cleaner", "start");
    EXPECT_EQ(model->state().quickCleanTitle, "Stop Scan");
    EXPECT_EQ(model->state().oneClickIssuesText, "0");

    flags.scanningOneClick = true;
    update("System Cleaner", 1);
    EXPECT_EQ(model->state().oneClickIssuesText, "1");
    EXPECT_EQ(model->state().issuesOneClickText, "Issue found");
    update("Logs Cleaner", 4);
    update("System Cleaner", 3);
    update("Large Files", 50); // not a One Click module
    EXPECT_EQ(model->state().oneClickIssuesText, "7");
    EXPECT_EQ(model->state().issuesOneClickText, "Issues found");

    activity("System Cleaner", "stop");
    EXPECT_EQ(model->state().quickCleanTitle, "Stop Scan") << "only the dashboard's stop counts";
    center.post("StopOneClickCareScan", nullptr, {{"operation", "stop"}});
    EXPECT_EQ(model->state().quickCleanTitle, "Scan Now");
}

TEST_F(ShellDockPopover, OneClickRemovalShowsWhatRemainsNeverBelowZero) {
    const auto model = make();
    flags.scanningOneClick = true;
    update("Trash Cleaner", 5);
    flags.scanningOneClick = false;
    flags.removingOneClick = true;
    flags.cleanCount = 3;
    update("Trash Cleaner", 3);
    EXPECT_EQ(model->state().oneClickIssuesText, "2");
    flags.cleanCount = 9;
    update("Partial Downloads", 9);
    EXPECT_EQ(model->state().oneClickIssuesText, "0");
    EXPECT_EQ(model->state().issuesOneClickText, "Issues found");
    update("Duplicates Finder", 1); // not one of the four: the count stays
    EXPECT_EQ(model->state().oneClickIssuesText, "0");
}

TEST_F(ShellDockPopover, LoadOneClickCareAndReloadLastScanReReadTheCount) {
    const auto model = make();
    flags.remaining = 12;
    center.post("LoadOneClickCare", nullptr);
    EXPECT_EQ(model->state().oneClickIssuesText, "12");
    flags.remaining = -4;
    center.post("LoadOneClickCare", nullptr);
    EXPECT_EQ(model->state().oneClickIssuesText, "0");
    defaults.setObject("lastScanSystemStatus", "8");
    center.post("ReloadLastScanNotification", nullptr,
                {{"notificationGroup", "One Click Cleaning"}});
    EXPECT_EQ(model->state().oneClickIssuesText, "8");
    EXPECT_EQ(model->state().issueFoundText, "Issues Found");
}

TEST_F(ShellDockPopover, DuplicatesCountRisesWhileScanningAndFallsByOneWhileRemoving) {
    const auto model = make();
    activity("Duplicates Finder", "start");
    EXPECT_EQ(model->state().fixDuplicatesTitle, "Stop Scan");
    EXPECT_FALSE(model->state().dupsFoundText);
    flags.scanningDups = true;
    update("Duplicates Finder", 0);
    EXPECT_FALSE(model->state().dupsFoundText) << "no duplicate yet";
    update("Duplicates Finder", 3);
    EXPECT_EQ(model->state().dupsFoundText, "Duplicates Found");
    EXPECT_EQ(model->state().duplicatesCountText, "3");
    activity("Duplicates Finder", "stop");
    EXPECT_EQ(model->state().fixDuplicatesTitle, "Scan Now");

    flags.scanningDups = false;
    flags.removingDups = true;
    const std::vector<std::string> expected{"2", "1", "0", "0"};
    for (int i = 1; i <= 4; ++i) {
        update("Duplicates Finder", i);
        EXPECT_EQ(model->state().duplicatesCountText, expected[i - 1]);
    }
    EXPECT_EQ(model->totalDupsDeleted(), 4);
    activity("Duplicates Finder", "start", "clean");
    EXPECT_EQ(model->state().fixDuplicatesTitle, "Scan Now") << "only scans change the title";
}

TEST_F(ShellDockPopover, QuickButtonsPostTheCommandTheirTitleNames) {
    const auto model = make();
    model->btnCleanIssueTapped();
    model->btnDuplicatesFilesTapped();
    activity("Logs Cleaner", "start");
    activity("Duplicates Finder", "start");
    model->btnCleanIssueTapped();
    model->btnDuplicatesFilesTapped();
    model->btnOpenQRVApplication();
    const std::vector<std::string> expected{"ONECLICK-Scan", "DUPLICATE-Scan", "ONECLICK-Stop",
                                            "DUPLICATE-Stop", "OPENAPP"};
    EXPECT_EQ(commands, expected);
    EXPECT_EQ(std::count(effects.begin(), effects.end(), "dismiss"), 5);
}

TEST_F(ShellDockPopover, SettingsMenuAndItsActions) {
    const auto model = make();
    const auto menu = DockViewModel::settingsMenu();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].title, "Help");
    EXPECT_EQ(menu[1].title, "Preferences");
    EXPECT_EQ(menu[3].title, "Quit");

    model->actionAppSettings();
    EXPECT_EQ(commands, std::vector<std::string>{"OPENAPP"});
    model->actionHelp();
    model->actionQuit();
    model->actionOpenActivityMonitor();
    const std::vector<std::string> expected{
        "dismiss",
        "preferences",
        "dismiss",
        "open https://help.example/zebkin.php",
        "alert GRP_MAIN_MENU:ID_APP_HELP_ERROR|GRP_CMN:ID_TRY_LATER|GRP_CMN:ID_OK",
        "dismiss",
        "quit",
        "monitor"};
    EXPECT_EQ(effects, expected);
    EXPECT_FALSE(make(false)->state().activityMonitorEnabled);
}

TEST_F(ShellDockPopover, OptimizeDisablesBothQuickButtonsUntilTheNextRefresh) {
    const auto model = make();
    model->btnOptimizePress();
    EXPECT_EQ(model->state().optimizeTitle, "Optimizing...");
    EXPECT_FALSE(model->state().optimizeEnabled);
    EXPECT_FALSE(model->state().quickCleanEnabled);
    model->updateDataWithTimer();
    EXPECT_TRUE(model->state().optimizeEnabled);
    EXPECT_TRUE(model->state().quickCleanEnabled);
    EXPECT_FALSE(model->state().optimizeTitle);
}

TEST_F(ShellDockPopover, DriveChoiceAndDarkMode) {
    const auto model = make();
    model->hardDiskChangedFromMenu("Stick");
    EXPECT_EQ(model->state().selectedDrive, 0u);
    EXPECT_DOUBLE_EQ(model->state().driveTexts.usedPercent, 75.0);
    model->hardDiskChangedFromMenu("Nothing");
    EXPECT_EQ(model->state().selectedDrive, 0u);
    model->selectDrive(7);
    EXPECT_EQ(model->state().selectedDrive, 0u);

    EXPECT_FALSE(model->state().statusBarTextWhite);
    dark = true;
    model->darkModeChanged();
    EXPECT_TRUE(model->state().statusBarTextWhite);

    drives.clear();
    const auto empty = make();
    EXPECT_FALSE(empty->state().selectedDrive);
    EXPECT_EQ(empty->state().driveTexts.total, "");
}

TEST_F(ShellDockPopover, LoadSamplesArriveOnTheMainThreadAndFailuresKeepTheFigures) {
    const auto model = make();
    model->showCpuLoad(42);
    EXPECT_EQ(model->state().cpuLoadText, "Load : 42%");
    EXPECT_EQ(model->series().points().size(), 4u);
    model->showCpuLoad(std::nullopt);
    EXPECT_EQ(model->state().cpuLoadText, "Load : 42%");
    EXPECT_EQ(model->series().points().size(), 4u);
}

TEST(ShellDockViewModel, SamplesOffTheMainThread) {
    qcore::ManualMainThread mainThread;
    qcore::NotificationCenter center;
    qcore::UserDefaults defaults("");
    std::atomic<int> reads{0};
    std::atomic<bool> offMain{true};
    DockViewModel::Setup setup;
    setup.sources.meminfoPath = kFixtures + "/proc/none";
    setup.sources.cpuTicks = [&]() -> std::optional<qshell::CpuTicks> {
        if (mainThread.isMainThread()) offMain = false;
        const auto n = static_cast<std::uint64_t>(++reads);
        return qshell::CpuTicks{n * 10, n * 15, n * 25};
    };
    setup.sources.sampleInterval = std::chrono::milliseconds(1);
    setup.center = &center;
    setup.defaults = &defaults;
    setup.mainThread = &mainThread;
    DockViewModel model(std::move(setup));
    model.viewDidLoad();
    EXPECT_EQ(model.state().percentageText, "") << "no memory figures yet, and no crash";
    ASSERT_TRUE(mainThread.runUntil([&] { return !model.state().cpuLoadText.empty(); }, 5000));
    EXPECT_EQ(model.state().cpuLoadText, "Load : 50%");
    EXPECT_TRUE(offMain);
}
