#include "tests/shell/support/FakeTexts.h"

#include "platform/ui/WorkerThreads.h"
#include "shell/views/HeaderButtons.h"
#include "shell/views/JunkLevel.h"
#include "shell/views/JunkTotals.h"
#include "shell/views/LastScanSummary.h"
#include "shell/views/ModuleTotals.h"
#include "shell/views/OneClickControl.h"
#include "shell/views/SystemStatusHeader.h"

#include "engine/DataFiller.h"
#include "platform/core/Bundle.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>

using qshell::HeaderButtons;
using qshell::JunkLevel;
using qshell::OneClickControl;
using qshell::SystemStatusHeader;

namespace {

const std::string kCache = "System Cleaner";
const std::string kLogs = "Logs Cleaner";
const std::string kTrash = "Trash Cleaner";
const std::string kPartial = "Partial Downloads";

HeaderButtons::Results results(bool items, std::uint64_t bytes) {
    return {[items] { return items; }, [bytes] { return bytes; }};
}

void addTreeItem(qengine::DataFiller& engine, const std::string& module, std::uint64_t size,
                 int state) {
    auto group = std::make_shared<qengine::OutlineViewNode>();
    group->setIsDirectory(true);
    const auto index = engine.mainDataSource(module).appendNode(group);
    auto item = std::make_shared<qengine::OutlineViewNode>();
    item->setSize(std::to_string(size));
    item->setState(state);
    engine.mainDataSource(module).appendChild(index, item);
}

// Runs workers inline and records which modules were asked to scan.
struct InlineScans {
    std::mutex mutex;
    std::vector<std::string> scanned;
    OneClickControl::ScanRunner runner() {
        return [this](qengine::DataFiller&, const std::string& module) {
            std::lock_guard lock(mutex);
            scanned.push_back(module);
        };
    }
    static bool startInline(std::function<void()> work) {
        work();
        return true;
    }
};

struct ShellOneClickFixture : ::testing::Test {
    qengine::DataFiller engine{qcore::Bundle(QUENDRIX_TEST_RESOURCES)};
};

} // namespace

TEST(ShellSystemStatusLevel, LevelsAndGrades) {
    EXPECT_EQ(JunkLevel::level(0), 0);
    EXPECT_EQ(JunkLevel::level(1), 1);
    EXPECT_EQ(JunkLevel::level(9), 1);
    EXPECT_EQ(JunkLevel::level(10), 2);
    EXPECT_EQ(JunkLevel::level(39), 4);
    EXPECT_EQ(JunkLevel::level(40), 5);
    EXPECT_EQ(JunkLevel::level(5000), 5);
    EXPECT_EQ(JunkLevel::grade(0), JunkLevel::Grade::Low);
    EXPECT_EQ(JunkLevel::grade(1), JunkLevel::Grade::Low);
    EXPECT_EQ(JunkLevel::grade(3), JunkLevel::Grade::Medium);
    EXPECT_EQ(JunkLevel::grade(4), JunkLevel::Grade::High);
    EXPECT_FALSE(JunkLevel::grade(6));
}

TEST(ShellSystemStatusTotals, LatestReportReplacesAndOnlyCountedModulesCount) {
    qshell::JunkTotals totals;
    EXPECT_TRUE(totals.update(kLogs, 100));
    EXPECT_TRUE(totals.update(kLogs, 300));
    EXPECT_EQ(totals.total(), 300u);
    EXPECT_TRUE(totals.update("Duplicates Finder", 50));
    EXPECT_FALSE(totals.update("Large Files", 1000));
    EXPECT_EQ(totals.total(), 350u);
    totals.reset(kLogs);
    EXPECT_EQ(totals.total(), 50u);
    EXPECT_EQ(totals.label(true, {{"bytes", "bytes"}}), "Junk Found: 50 bytes");
    EXPECT_EQ(totals.label(false, {{"bytes", "bytes"}}), "Junk Cleaned: 50 bytes");
}

TEST(ShellSystemStatusButtons, DecisionTable) {
    using Face = HeaderButtons::Face;
    const Face stopScan{true, true, 1, "GRP_CMN", "ID_STOP_SCAN"};
    const Face stopClean{true, true, 1, "GRP_CMN", "ID_STOP_CLEANING"};

    HeaderButtons b;
    b.decide(true, true, false, results(false, 0));
    EXPECT_EQ(b.scanButton(), stopScan);
    EXPECT_FALSE(b.cleanButton().visible);
    EXPECT_TRUE(b.isScan());

    b.decide(true, false, true, results(false, 0));
    EXPECT_EQ(b.cleanButton(), stopClean);
    EXPECT_FALSE(b.scanButton().visible);
    EXPECT_FALSE(b.isScan());

    b.decide(true, true, true, results(false, 0));
    EXPECT_FALSE(b.scanButton().enabled);
    EXPECT_FALSE(b.cleanButton().enabled);
    EXPECT_TRUE(b.isScan());

    HeaderButtons unchanged;
    const Face before = unchanged.scanButton();
    unchanged.decide(true, false, false, results(true, 10));
    EXPECT_EQ(unchanged.scanButton(), before);

    // A stop while the other kind still runs shows that kind; a clean wins over a scan.
    b.decide(false, true, true, results(false, 0));
    EXPECT_EQ(b.cleanButton(), stopClean);
    b.decide(false, true, false, results(false, 0));
    EXPECT_EQ(b.scanButton(), stopScan);
    b.decide(false, false, true, results(false, 0));
    EXPECT_EQ(b.cleanButton(), stopClean);
}

TEST(ShellSystemStatusButtons, IdleShowsScanOrCleanByWhatWasFound) {
    HeaderButtons b;
    b.decide(true, true, false, results(false, 0));
    b.scanStopRequested(); // pressed during the scan: disabled until the stop arrives
    EXPECT_FALSE(b.scanButton().enabled);
    b.decide(false, false, false, results(false, 0));
    EXPECT_EQ(b.scanButton(), (HeaderButtons::Face{true, true, 0, "GRP_CMN", "ID_START_SCAN"}));
    EXPECT_FALSE(b.cleanButton().visible);

    b.decide(false, false, false, results(true, 2048));
    EXPECT_FALSE(b.scanButton().visible);
    EXPECT_EQ(b.cleanButton(), (HeaderButtons::Face{true, true, 0, "GRP_CMN", "ID_CLEAN_NOW"}));

    b.decide(false, false, false, results(true, 0));
    EXPECT_FALSE(b.cleanButton().enabled);
}

TEST(ShellSystemStatusPanel, StoredScanGivesTimeIssuesAndGrade) {
    qcore::UserDefaults defaults("");
    const qcore::Date now = qcore::Date::now();
    defaults.setObject("lastScanSystemTime", now);
    defaults.setObject("lastScanSystemStatus", "50");
    defaults.setObject("lastScanJunkSize", "1.2 MB");
    const auto panel = qshell::LastScanSummary::read(defaults, fakeTexts(), now);
    EXPECT_EQ(panel.timeText.rfind("[GRP_SYSTEM_STATUS:ID_TODAY]\n", 0), 0u) << panel.timeText;
    EXPECT_EQ(panel.issuesWord, "Issues Found");
    EXPECT_EQ(panel.issuesCount, "50");
    EXPECT_EQ(panel.junkSize, "1.2 MB");
    EXPECT_EQ(panel.level, 5);
    EXPECT_EQ(panel.gradeColour, JunkLevel::Grade::High);
    EXPECT_EQ(panel.junkGrade, "[GRP_CMN:ID_HIGH]");
    EXPECT_EQ(panel.fixNowTitle, "[GRP_SYSTEM_STATUS:ID_FIX_NOW]");
    EXPECT_EQ(panel.showFixNow, true);
    EXPECT_EQ(panel.showRecoverNow, true);

    defaults.setObject("lastScanSystemStatus", "1");
    EXPECT_EQ(qshell::LastScanSummary::read(defaults, fakeTexts(), now).issuesWord, "Issue Found");
    defaults.setObject("lastScanSystemStatus", "0");
    EXPECT_EQ(qshell::LastScanSummary::read(defaults, fakeTexts(), now).issuesWord, "Issues Found");
}

TEST(ShellSystemStatusPanel, ZeroEmptyMissingAndOldTextTime) {
    qcore::UserDefaults defaults("");
    const qcore::Date now = qcore::Date::now();
    defaults.setObject("lastScanSystemTime", now);
    defaults.setObject("lastScanJunkSize", "0 bytes");

    defaults.setObject("lastScanSystemStatus", "0");
    auto panel = qshell::LastScanSummary::read(defaults, fakeTexts(), now);
    EXPECT_EQ(panel.issuesCount, "0");
    EXPECT_EQ(panel.junkSize, "0 Bytes");
    EXPECT_EQ(panel.showFixNow, false);
    EXPECT_EQ(panel.showRecoverNow, false);
    EXPECT_EQ(panel.fixNowTitle, "[GRP_CMN:ID_START_SCAN]");
    EXPECT_EQ(panel.junkGrade, "[GRP_CMN:ID_LOW]");

    defaults.setObject("lastScanSystemStatus", "");
    panel = qshell::LastScanSummary::read(defaults, fakeTexts(), now);
    EXPECT_EQ(panel.timeText, "[GRP_SYSTEM_STATUS:ID_NOT_SCANNED]");
    EXPECT_EQ(panel.issuesCount, "[GRP_SYSTEM_STATUS:ID_ISSUES_NOT_KNOWN]");
    EXPECT_FALSE(panel.level);

    // A time kept as text is an older form: removed, and the panel reads as never scanned.
    defaults.setObject("lastScanSystemTime", "07:03:2024:10:00:00");
    defaults.setObject("lastScanSystemStatus", "5");
    panel = qshell::LastScanSummary::read(defaults, fakeTexts(), now);
    EXPECT_FALSE(defaults.hasStoredValue("lastScanSystemTime"));
    EXPECT_EQ(panel.issuesCount, "[GRP_CMN:ID_UNKNOWN]");
    EXPECT_EQ(panel.showFixNow, false);
}

TEST_F(ShellOneClickFixture, TotalsAndTickedItemsOfTheJunkModules) {
    EXPECT_FALSE(qshell::ModuleTotals::checkItemsAvailable(engine));
    addTreeItem(engine, kLogs, 400, 0);
    addTreeItem(engine, kLogs, 0, 1);
    EXPECT_EQ(qshell::ModuleTotals::getItemsCount(engine, kLogs), 2u);
    EXPECT_EQ(qshell::ModuleTotals::getSize(engine, kLogs), 400u);
    EXPECT_FALSE(qshell::ModuleTotals::checkItemsAvailable(engine)); // none ticked with a size

    engine.mainDataSource(kTrash).appendRow(qengine::row::makeTrashCleanerRow("/x/a.crash", "70"));
    EXPECT_EQ(qshell::ModuleTotals::getItemsCount(engine, kTrash), 1u);
    EXPECT_TRUE(qshell::ModuleTotals::checkItemsAvailable(engine));
    EXPECT_EQ(qshell::ModuleTotals::junkBytes(engine), 470u);
    EXPECT_EQ(qshell::ModuleTotals::getItemsCount(engine, "No Such Module"), 0u);
}

TEST_F(ShellOneClickFixture, ScanStartsOnlyModulesThatAreFreeAndClaimsThemFirst) {
    InlineScans scans;
    OneClickControl control(engine, scans.runner(), InlineScans::startInline);

    // A clean of the Logs Cleaner runs (claimed), and the Trash Cleaner is already scanning.
    ASSERT_TRUE(engine.claimModule(kLogs));
    engine.setIsRemovingLogsCleaner(true);
    engine.setIsFillingTrashCleaner(true);
    engine.setStopFillingCacheCleaner(true);

    EXPECT_EQ(control.startScanNow(), (std::vector<std::string>{kCache, kPartial}));
    EXPECT_EQ(scans.scanned, (std::vector<std::string>{kCache, kPartial}));
    EXPECT_FALSE(engine.stopFillingCacheCleaner());
    // A scan that never took its reservation over gives it back.
    EXPECT_FALSE(engine.isModuleBusy(kCache));
    EXPECT_TRUE(engine.isModuleBusy(kLogs));
}

TEST_F(ShellOneClickFixture, AWorkerThatCannotStartReleasesItsClaim) {
    OneClickControl control(engine, {}, [](std::function<void()>) { return false; });
    EXPECT_TRUE(control.startScanNow().empty());
    for (const auto& module : OneClickControl::junkModules())
        EXPECT_FALSE(engine.isModuleBusy(module)) << module;
}

TEST_F(ShellOneClickFixture, ScansOnRealWorkerThreadsHoldTheirClaimWhileRunning) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    qui::WorkerThreads workers;
    OneClickControl control(
        engine,
        [released](qengine::DataFiller& e, const std::string& module) {
            e.flags(module).beginOperation();
            released.wait();
            e.flags(module).endOperation();
        },
        [&workers](std::function<void()> work) { return workers.start(std::move(work)); });
    EXPECT_EQ(control.startScanNow().size(), 4u);
    // A second request while they run starts nothing.
    EXPECT_TRUE(control.startScanNow().empty());
    release.set_value();
}

TEST_F(ShellOneClickFixture, HeaderFollowsActivityAndMirrorsItToTheDelegate) {
    InlineScans scans;
    OneClickControl control(engine, scans.runner(), InlineScans::startInline);
    std::vector<std::pair<bool, bool>> mirrored;
    bool oneTimeCleared = false;
    SystemStatusHeader header(control, {[&](bool s, bool r) { mirrored.emplace_back(s, r); },
                                        [&] { oneTimeCleared = true; }});

    header.handleUpdate({{"notificationGroup", kLogs}, {"size", "300"}});
    EXPECT_EQ(header.totals().total(), 300u);

    engine.setIsFillingLogsCleaner(true);
    EXPECT_TRUE(header.handleActivityStartStop(
        {{"activityName", kLogs}, {"operation", "start"}, {"activityType", "scan"}}));
    EXPECT_EQ(header.removingFlag(), 1);
    EXPECT_EQ(header.totals().sizeOf(kLogs), 0u);
    EXPECT_EQ(mirrored.back(), std::make_pair(true, false));
    EXPECT_EQ(header.buttons().scanButton().titleKey, "ID_STOP_SCAN");

    EXPECT_FALSE(
        header.handleActivityStartStop({{"activityName", "Large Files"}, {"operation", "start"}}));
    EXPECT_EQ(header.removingFlag(), 1);

    engine.setIsFillingLogsCleaner(false);
    header.handleActivityStartStop({{"activityName", kLogs}, {"operation", "stop"}});
    EXPECT_EQ(header.removingFlag(), 0);
    EXPECT_EQ(mirrored.back(), std::make_pair(false, false));
    header.handleActivityStartStop({{"activityName", kLogs}, {"operation", "stop"}});
    EXPECT_EQ(header.removingFlag(), 0); // never below zero

    // The panel's start button refuses while a clean runs; Fix Now does not check.
    engine.setIsRemovingTrashCleaner(true);
    EXPECT_FALSE(header.startSystemScan());
    EXPECT_TRUE(oneTimeCleared);
    EXPECT_TRUE(scans.scanned.empty());
    header.fixNow();
    EXPECT_EQ(scans.scanned.size(), 4u);
    EXPECT_EQ(header.junkLabel(), "Junk Found: 0 bytes");
}

TEST_F(ShellOneClickFixture, HeaderStopButtonsSetTheFourFlags) {
    OneClickControl control(engine, {}, InlineScans::startInline);
    SystemStatusHeader header(control);
    header.startStopScan(0);
    EXPECT_TRUE(engine.stopFillingCacheCleaner() && engine.stopFillingLogsCleaner() &&
                engine.stopFillingTrashCleaner() && engine.stopFillingPartialDownloads());
    EXPECT_FALSE(header.buttons().scanButton().enabled);
    EXPECT_EQ(header.buttons().scanButton().state, 1);

    EXPECT_EQ(header.startStopRemove(1), SystemStatusHeader::RemoveClick::ShowOneClickPage);
    EXPECT_FALSE(engine.stopRemovingLogsCleaner());
    EXPECT_EQ(header.startStopRemove(0), SystemStatusHeader::RemoveClick::Stopped);
    EXPECT_TRUE(engine.stopRemovingCacheCleaner() && engine.stopRemovingLogsCleaner() &&
                engine.stopRemovingTrashCleaner() && engine.stopRemovingPartialDownloads());
}

TEST_F(ShellOneClickFixture, LockFollowsTheEngineAndStaysWhileJunkWorkRuns) {
    OneClickControl control(engine, {}, InlineScans::startInline);
    SystemStatusHeader header(control);
    EXPECT_TRUE(header.lockFlag());
    header.lockUnlock();
    EXPECT_TRUE(engine.isRemoveObjectInitialized());
    EXPECT_EQ(header.handleAnimateLock({{"Locked", "NO"}}), -27);
    EXPECT_FALSE(header.lockFlag());

    header.handleActivityStartStop({{"activityName", kCache}, {"operation", "start"}});
    header.lockUnlock(); // a junk scan runs: nothing happens
    EXPECT_TRUE(engine.isRemoveObjectInitialized());
    header.handleActivityStartStop({{"activityName", kCache}, {"operation", "stop"}});
    header.lockUnlock();
    EXPECT_FALSE(engine.isRemoveObjectInitialized());
    EXPECT_EQ(header.handleAnimateLock({{"Locked", "YES"}}), 27);
}
