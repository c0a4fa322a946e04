#pragma once

#include "shell/common/TextSource.h"
#include "shell/facts/DiskDrives.h"
#include "shell/facts/LoadSampler.h"
#include "shell/facts/LoadSeries.h"
#include "shell/facts/MemStatus.h"
#include "shell/facts/ProcessorLoad.h"
#include "shell/facts/TopApplications.h"

#include "platform/core/MainThread.h"
#include "platform/core/NotificationCenter.h"
#include "platform/core/UserDefaults.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qshell {

// The status-bar popover without its widgets: every figure and text it shows, the rules by
// which engine and dashboard notifications change its counts and button titles, and the
// commands its buttons post. The view shows `state()` and `series()` and redraws the section
// named by the change handler. Main thread only, except that the load is sampled on a worker.
class DockViewModel {
public:
    enum class Section {
        Memory,
        Applications,
        Processor,
        Load,
        Drive,
        OneClick,
        Duplicates,
        Buttons,
        StatusBar
    };

    // What the application delegate answers.
    struct Delegate {
        std::function<bool()> isScanningOneClick;
        std::function<bool()> isRemovingOneClick;
        std::function<bool()> isScanningDups;
        std::function<bool()> isRemovingDups;
        std::function<int()> itemCleanCountOneClickCare;
        std::function<int()> itemRemaining;
    };

    struct Alert {
        std::string message;
        std::string informative;
        std::string button;
    };

    // The popover's effects outside itself.
    struct Actions {
        std::function<void()> dismissPopover;
        std::function<void()> openPreferencesWindow;
        std::function<void()> terminate;
        std::function<bool(const std::string& url)> openUrl;
        std::function<void(const Alert&)> showAlert;
        std::function<bool()> launchActivityMonitor; // empty: no system monitor installed
    };

    // Where the figures come from; `live()` reads this machine.
    struct Sources {
        std::string meminfoPath = "/proc/meminfo";
        std::uint64_t pageSize = MemStatus::systemPageSize();
        std::function<std::vector<AppMemoryEntry>()> applications;
        std::function<std::vector<Drive>()> drives;
        std::function<std::uint64_t()> frequencyHz;
        ProcessorLoad::Reader cpuTicks;
        std::chrono::milliseconds sampleInterval{1000};
        std::function<bool()> isDarkMode;
        std::string decimalPoint = ".";

        static Sources live(std::function<bool()> isDarkMode);
    };

    struct Setup {
        Sources sources;
        Delegate delegate;
        Actions actions;
        TextSource texts;
        std::string helpUrl;
        qcore::NotificationCenter* center = &qcore::NotificationCenter::defaultCenter();
        qcore::UserDefaults* defaults = &qcore::UserDefaults::standard();
        qcore::MainThread* mainThread = &qcore::MainThread::current();
    };

    // Everything the view shows. Nothing in an optional text: keep the interface file's own.
    struct State {
        std::string percentageText;                  // lbl_pecentage
        std::string totalMemoryText;                 // lblTotalMemoryRAM
        std::string availableText;                   // lblAvailableRAM
        double memoryPercent = 0;                    // progressMemoryAvailable
        std::vector<AppMemoryEntry> topApplications; // at most three
        std::string cpuCapacityText;                 // cpuCapacityLbl
        std::string cpuLoadText;                     // cpuLoadLbl
        std::vector<Drive> drives;                   // popUpBtn items, titled by name
        std::optional<std::size_t> selectedDrive;
        DriveTexts driveTexts;      // hdDriveNamelbl, hdDriveAvailSpace, hdTotalSpacelbl, bar
        std::string issueFoundText; // lblIssueFoundText
        std::string oneClickIssuesText = "0";          // txtOneClickIssues
        std::optional<std::string> issuesOneClickText; // lblIssuesOneClick
        std::string quickCleanTitle = "Scan Now";      // btnQuickClean
        bool quickCleanEnabled = true;
        std::optional<std::string> dupsFoundText;    // lblDupsFoundText
        std::string duplicatesCountText = "0";       // txtDuplicatesCount
        std::string fixDuplicatesTitle = "Scan Now"; // btnFixDuplicates
        std::optional<std::string> optimizeTitle;    // btnOptimize
        bool optimizeEnabled = true;
        bool isOptimizeRunning = false;
        std::string statusBarText; // the delegate's txtStatusbar
        bool statusBarTextWhite = false;
        bool activityMonitorEnabled = false;
    };

    enum class MenuItem { Help, Preferences, Separator, Quit };
    struct MenuEntry {
        MenuItem item;
        std::string title;
    };

    inline static const std::string kScanNow = "Scan Now";
    inline static const std::string kStopScan = "Stop Scan";
    static constexpr std::chrono::seconds kRefreshInterval{3};

    explicit DockViewModel(Setup setup);
    ~DockViewModel();
    DockViewModel(const DockViewModel&) = delete;
    DockViewModel& operator=(const DockViewModel&) = delete;

    void setChangeHandler(std::function<void(Section)> handler) { changed_ = std::move(handler); }

    // Reads drives, processor speed and memory, takes the first sample, starts observing and
    // reads the One Click count. The view repeats updateDataWithTimer() every 3 s.
    void viewDidLoad();
    void updateDataWithTimer();

    void GetMemoryStatus();
    void showMemoryInPerUnit();
    void getCpuSpeed();
    void updateCPUinfo();
    // A sample's result on the main thread; nothing keeps the last figures.
    void showCpuLoad(std::optional<int> load);
    void getDiskDrives();
    void selectDrive(std::size_t index);
    void hardDiskChangedFromMenu(const std::string& title);
    void getOneClickScanCount();
    void darkModeChanged();

    // Notification handlers, on the main thread.
    void handleUpdates(const qcore::Dictionary& userInfo);
    void handleActivityStartStop(const qcore::Dictionary& userInfo);
    void handleActivityStop(const qcore::Dictionary& userInfo);
    void loadOneClickCareCount();

    // Buttons and menu.
    void btnCleanIssueTapped();
    void btnDuplicatesFilesTapped();
    void btnOpenQRVApplication();
    void btnOptimizePress();
    void actionHelp();
    void actionAppSettings();
    void actionQuit();
    void actionOpenActivityMonitor();
    static std::vector<MenuEntry> settingsMenu();

    const State& state() const { return state_; }
    const LoadSeries& series() const { return series_; }
    const MemStatus& memStatus() const { return memStatus_; }
    // The four One Click counts, in junk-module order, and the duplicate counts.
    std::array<int, 4> oneClickCounts() const { return oneClickCounts_; }
    int totalDuplicates() const { return totalDuplicates_; }
    int totalDupsDeleted() const { return totalDupsDeleted_; }

    // Pure texts.
    static std::string percentageText(double percent);
    static std::string issuesText(int count); // "Issue found" for 1, else "Issues found"
    static int countOf(const qcore::Dictionary& userInfo);

private:
    void observe();
    void updateDriveInfo();
    void post(const std::string& command);
    void dismiss();
    bool flag(const std::function<bool()>& f) const { return f && f(); }
    int number(const std::function<int()>& f) const { return f ? f() : 0; }
    int oneClickSum() const;
    void notify(Section section) const {
        if (changed_) changed_(section);
    }

    Setup setup_;
    State state_;
    LoadSeries series_;
    MemStatus memStatus_;
    std::array<int, 4> oneClickCounts_{};
    int totalDuplicates_ = 0;
    int totalDupsDeleted_ = 0;
    int totalDuplicatesTemp_ = 0;
    std::function<void(Section)> changed_;
    bool observing_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true); // main thread only
    LoadSampler sampler_; // last: stopped before the rest goes
};

} // namespace qshell
