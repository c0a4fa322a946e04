// The One Click dashboard driven by the engine's notifications: four scans in parallel, one
// finish per stop, counts, sizes and levels, the issue faces, the last-scan record, busy
// modules, the switches and the details views.
#include "tests/pages/support/PageTestSupport.h"

#include "engine/ModuleKeys.h"
#include "engine/ModuleRow.h"
#include "pages/care/CacheController.h"
#include "pages/care/LevelIndicator.h"
#include "pages/care/LogsController.h"
#include "pages/care/ModuleSwitch.h"
#include "pages/care/PageDelegate.h"
#include "pages/care/StatusController.h"
#include "platform/core/SystemVersion.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/IMGButton.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include <chrono>
#include <thread>

using qpages::StatusController;
namespace modules = qengine::modules;

namespace {

const std::vector<std::string> kFour(StatusController::modules().begin(),
                                     StatusController::modules().end());

template <typename T = QWidget> T* child(const QWidget& page, const char* name) {
    auto* found = page.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString text(const QWidget& page, const char* name) {
    return child<QLabel>(page, name)->text();
}

// What the popover would be told.
struct RecordingDelegate : qpages::PageDelegate {
    void setIsScanningDups(bool) override {}
    void setIsRemovingDups(bool) override {}
    void setItemRemaining(std::int32_t value) override { itemRemaining = value; }
    void setItemCleanCountOneClickCare(std::int32_t value) override { cleaned = value; }
    std::int32_t itemRemaining = -1;
    std::int32_t cleaned = -1;
};

class OneClick : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // Registered before any page, so it sees each post before a page's hand-over waits.
        posted_ = std::make_unique<PostedNotifications>(std::vector<std::string>{
            "ActivityStartStopNotification", "StopOneClickCareScan", "ReloadLastScanNotification",
            "LoadOneClickCare", "My_Notification"});
        // The System Cleaner and Logs Cleaner scans need their pages to release the pause.
        cache_ = std::make_unique<qpages::CacheController>(*engine_);
        logs_ = std::make_unique<qpages::LogsController>(*engine_);
        // Shown today already: no rate sheet unless a test asks for one.
        qcore::UserDefaults::standard().setObject("rateDate", qcore::Date::now());
    }
    void TearDown() override {
        for (const auto* key : {"lastScanSystemStatus", "lastScanSystemTime", "lastScanJunkSize",
                                "lastScanStatus_Cache", "lastScanTime_Cache", "lastScanStatus_Logs",
                                "lastScanTime_Logs", "rateDate", "VersionRated"})
            qcore::UserDefaults::standard().removeObject(key);
        runUntilIdle(kFour);
        logs_.reset();
        cache_.reset();
        posted_.reset();
        PageTest::TearDown();
    }

    void post(const std::string& name, const qcore::Dictionary& info) {
        qcore::NotificationCenter::defaultCenter().post(name, engine_.get(), info);
        mainThread_->drain();
    }
    void activity(const std::string& module, const std::string& operation,
                  const std::string& type = "scan") {
        post("ActivityStartStopNotification",
             {{"activityName", module}, {"operation", operation}, {"activityType", type}});
    }
    void update(const std::string& module, int count, std::uint64_t size) {
        post("DataFillerUpdateNotification", {{"notificationGroup", module},
                                              {"count", std::to_string(count)},
                                              {"size", std::to_string(size)}});
    }
    // A scan of the dashboard's ticked modules, to its finish.
    void scanAll(StatusController& page) {
        page.startScan();
        ASSERT_TRUE(runUntilIdle(kFour));
    }
    static double level(const QWidget& page, const char* bar) {
        return child<qpages::LevelIndicator>(page, bar)->value();
    }
    static void waitForSlides() { QTest::qWait(StatusController::kSlideMs + 100); }

    std::unique_ptr<PostedNotifications> posted_;
    std::unique_ptr<qpages::CacheController> cache_;
    std::unique_ptr<qpages::LogsController> logs_;
};

TEST_F(OneClick, StartScanRunsTheFourScansInParallelAndFinishesOnce) {
    writeJunk(8);
    auto& posted = *posted_;
    StatusController page(*engine_);
    page.startScan();

    // Each worker waits at its "start" until the main thread takes it, and the main thread
    // has taken none yet: four starts posted means four workers alive at once.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (posted.count("ActivityStartStopNotification") < 4 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (const auto& module : kFour)
        EXPECT_EQ(posted.activities(module, "start"), 1) << module;

    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_EQ(posted.count("StopOneClickCareScan"), 1);
    EXPECT_EQ(posted.named("StopOneClickCareScan").front().info("operation"), "stop");
    ASSERT_EQ(posted.count("ReloadLastScanNotification"), 1);
    EXPECT_EQ(posted.named("ReloadLastScanNotification").front().info("notificationGroup"),
              "One Click Cleaning");

    const auto& defaults = qcore::UserDefaults::standard();
    EXPECT_EQ(defaults.stringForKey("lastScanSystemStatus"), "24");
    EXPECT_TRUE(defaults.dateForKey("lastScanSystemTime").has_value());
    EXPECT_FALSE(defaults.stringForKey("lastScanJunkSize").empty());
    EXPECT_EQ(page.itemCount(modules::kSystemCleaner), 8);
}

TEST_F(OneClick, LevelsCountsAndTotalsFollowTheUpdatesOfEachModule) {
    StatusController page(*engine_);
    page.view();
    for (const auto& module : {modules::kLogsCleaner, modules::kSystemCleaner})
        engine_->flags(module).isFilling.store(true);
    activity(modules::kLogsCleaner, "start");
    activity(modules::kSystemCleaner, "start");
    update(modules::kLogsCleaner, 6, 600);
    update(modules::kSystemCleaner, 11, 5'000'000'000ULL);
    EXPECT_EQ(level(page, "levelBarLogs"), 2);
    EXPECT_EQ(level(page, "levelBarCache"), 2);
    EXPECT_EQ(text(page, "textLogsItems"), "6");
    EXPECT_EQ(text(page, "textCacheSize"), "Total space: 5.0 GB");
    EXPECT_EQ(text(page, "lblValSysCleanSize"), "5.0 GB");
    EXPECT_EQ(text(page, "textTotalJunkSize"), "17");
    EXPECT_EQ(text(page, "ValSizeToBeRecovered"), "5.0 GB") << "a size above 4 GB in full";
    update(modules::kLogsCleaner, 26, 700);
    EXPECT_EQ(level(page, "levelBarLogs"), 5);
    for (const auto& module : {modules::kLogsCleaner, modules::kSystemCleaner})
        engine_->flags(module).isFilling.store(false);
    // Updates handled after the engine has cleared its flags still count for the scan.
    update(modules::kSystemCleaner, 12, 10);
    EXPECT_EQ(text(page, "textCacheItems"), "12");
    activity(modules::kLogsCleaner, "stop");
    activity(modules::kSystemCleaner, "stop");
}

TEST_F(OneClick, ACleanCountsDownToZeroAndNeverBelow) {
    write("Library/Logs/ToolA/a.log", "aaaa");
    write("Library/Logs/ToolB/b.log", "bbbb");
    StatusController page(*engine_);
    page.view();
    scanAll(page);
    ASSERT_EQ(text(page, "textLogsItems"), "2");

    auto& flags = engine_->flags(modules::kLogsCleaner);
    flags.isRemoving.store(true);
    activity(modules::kLogsCleaner, "start", "remove");
    update(modules::kLogsCleaner, 1, 4);
    EXPECT_EQ(text(page, "textLogsItems"), "1");
    EXPECT_EQ(text(page, "textLogsSize"), "Space recovered: 4 bytes");
    // The engine reports more than the dashboard found: nothing goes negative.
    update(modules::kLogsCleaner, 9, 1'000'000);
    EXPECT_EQ(text(page, "textLogsItems"), "0");
    EXPECT_EQ(text(page, "lblValLogsSize"), "0 bytes");
    EXPECT_EQ(level(page, "levelBarLogs"), 0);
    EXPECT_EQ(text(page, "textTotalJunkSize"), "2");
    flags.isRemoving.store(false);
    activity(modules::kLogsCleaner, "stop", "remove");
    EXPECT_FALSE(text(page, "ValSizeToBeRecovered").startsWith('-'));
}

TEST_F(OneClick, TheIssuesFaceCountsOneOrManyAndTheCleanFaceCongratulates) {
    write("Library/Logs/ToolA/a.log", "a");
    StatusController page(*engine_);
    RecordingDelegate delegate;
    page.setPageDelegate(&delegate);
    page.setCleanConfirmation([] { return true; });
    page.view();
    scanAll(page);
    EXPECT_EQ(text(page, "topJunkSize"), "1 issue needs your attention");
    EXPECT_EQ(delegate.itemRemaining, 1);
    EXPECT_TRUE(child(page, "btnCleanOnAlert")->isVisibleTo(&page));
    EXPECT_FALSE(page.scanButton()->isVisibleTo(&page));

    write("Library/Logs/ToolB/b.log", "b");
    scanAll(page);
    EXPECT_EQ(text(page, "topJunkSize"), "2 issues need your attention");
    // The popover is told to re-read its count only while issues are left.
    const auto loads = posted_->count("LoadOneClickCare");
    EXPECT_GE(loads, 2);

    page.startStopRemove();
    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_EQ(text(page, "topJunkSize"), "Congratulations! Your computer is clean.");
    EXPECT_EQ(text(page, "textTotalJunkSize"), "2") << "issues cleaned";
    EXPECT_EQ(delegate.cleaned, 2);
    EXPECT_EQ(delegate.itemRemaining, 0);
    EXPECT_TRUE(page.scanButton()->isVisibleTo(&page));
    EXPECT_FALSE(page.removeButton()->isVisibleTo(&page));
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanSystemStatus"), "0");

    scanAll(page);
    EXPECT_EQ(text(page, "topJunkSize"), "No issues found. Your computer is in good shape!");
    EXPECT_EQ(posted_->count("LoadOneClickCare"), loads);
}

TEST_F(OneClick, AnUntickedModuleStillHoldingItemsLeavesTheNoIssuesFace) {
    writeJunk(2);
    StatusController page(*engine_);
    page.view();
    scanAll(page);
    page.shiftModule(2); // Trash Cleaner off: its crash reports stay listed and ticked
    page.shiftModule(1);
    page.shiftModule(0);
    scanAll(page);
    EXPECT_GT(engine_->getItemsCountOfModule(modules::kTrashCleaner), 0);
    EXPECT_EQ(posted_->activities(modules::kTrashCleaner, "start"), 1) << "not scanned again";
    EXPECT_EQ(text(page, "topJunkSize"), "No issues found. Your computer is in good shape!");
    // The record counts all four, ticked or not: the unticked keep their earlier lists.
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanSystemStatus"), "6");
}

TEST_F(OneClick, AModuleRunFromItsOwnPageWhileIdleFinishesTheDashboardOnce) {
    writeJunk(3);
    StatusController page(*engine_);
    page.view();
    std::thread ownPage([this] { engine_->fillLogsCleaner(); });
    ASSERT_TRUE(runUntil([&] { return posted_->activities(modules::kLogsCleaner, "start") == 1; }));
    mainThread_->drain();
    EXPECT_EQ(posted_->count("StopOneClickCareScan"), 0) << "a start never finishes";
    ASSERT_TRUE(runUntilIdle(kFour));
    ownPage.join();
    EXPECT_EQ(posted_->count("StopOneClickCareScan"), 1);
    EXPECT_EQ(posted_->count("ReloadLastScanNotification"), 1);
    EXPECT_EQ(page.itemCount(modules::kLogsCleaner), 3);
    EXPECT_EQ(text(page, "textLogsItems"), "3");
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanSystemStatus"), "3");

    // Other modules' activity is none of the dashboard's business.
    activity(modules::kDuplicatesFinder, "start");
    activity(modules::kDuplicatesFinder, "stop");
    EXPECT_EQ(posted_->count("StopOneClickCareScan"), 1);
    EXPECT_TRUE(child(page, "buttonCache")->isEnabled());
}

TEST_F(OneClick, ABusyModuleIsNeverStartedAgain) {
    writeJunk(1);
    StatusController page(*engine_);
    page.view();
    ASSERT_TRUE(engine_->claimModule(modules::kLogsCleaner)); // its own page is about to run it
    const std::vector<std::string> others{modules::kSystemCleaner, modules::kTrashCleaner,
                                          modules::kPartialDownloads};
    page.startScan();
    ASSERT_TRUE(runUntilIdle(others));
    EXPECT_EQ(posted_->activities(modules::kLogsCleaner, "start"), 0);
    EXPECT_EQ(posted_->activities(modules::kSystemCleaner, "start"), 1);
    EXPECT_EQ(posted_->count("StopOneClickCareScan"), 1);
    page.setCleanConfirmation([] { return true; });
    page.startStopRemove();
    ASSERT_TRUE(runUntilIdle(others));
    EXPECT_EQ(posted_->activities(modules::kLogsCleaner, "start"), 0);
    engine_->cancelModuleClaim(modules::kLogsCleaner);
}

TEST_F(OneClick, OneTimeStartScanOnlyWhenNothingIsCounted) {
    writeJunk(1);
    StatusController page(*engine_);
    qcore::NotificationCenter::defaultCenter().post("OneTimeStartScanNotification", nullptr,
                                                    {{"notificationGroup", ""}});
    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_EQ(posted_->activities(modules::kSystemCleaner, "start"), 1);

    qcore::NotificationCenter::defaultCenter().post("OneTimeStartScanNotification", nullptr,
                                                    {{"notificationGroup", ""}});
    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_EQ(posted_->activities(modules::kSystemCleaner, "start"), 1);
}

TEST_F(OneClick, StopDuringAScanKeepsWhatWasFoundAndFinishesAtTheLastStop) {
    writeJunk(3);
    StatusController page(*engine_);
    auto* button = page.scanButton();
    ASSERT_EQ(button->state(), 0);
    page.startStopScan();
    EXPECT_EQ(button->text(), "Stop Scan");
    EXPECT_TRUE(engine_->isModuleBusy(modules::kSystemCleaner));

    button->setState(1); // what the button's own flip leaves after the click
    page.startStopScan();
    EXPECT_FALSE(button->isEnabled());
    for (const auto& module : kFour) {
        EXPECT_TRUE(engine_->flags(module).stopFilling.load()) << module;
        EXPECT_TRUE(engine_->flags(module).aborted.load()) << module;
    }
    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_EQ(posted_->count("StopOneClickCareScan"), 1);
    EXPECT_EQ(page.itemCount(modules::kSystemCleaner),
              engine_->getItemsCountOfModule(modules::kSystemCleaner));
    // What was found so far is offered for cleaning.
    EXPECT_TRUE(page.removeButton()->isVisibleTo(&page));
    EXPECT_TRUE(page.removeButton()->isEnabled());
    EXPECT_EQ(page.removeButton()->state(), 0);
}

TEST_F(OneClick, SwitchesSlideOnceAndAllOffDisablesEveryStart) {
    StatusController page(*engine_);
    page.view();
    page.resize(659, 492);
    page.show();
    auto* cache = child<qpages::ModuleSwitch>(page, "buttonCache");
    // A double click: the second click comes while the knob slides and is ignored.
    QTest::mouseClick(cache, Qt::LeftButton);
    QTest::mouseClick(cache, Qt::LeftButton);
    waitForSlides();
    EXPECT_FALSE(page.isChecked(modules::kSystemCleaner));
    EXPECT_EQ(cache->knob()->x(), -qpages::ModuleSwitch::kTravel);
    EXPECT_EQ(text(page, "lblSelectedItems"), "3 of 4 selected");

    for (const char* name : {"buttonLogs", "buttonBin", "buttonLang"}) {
        QTest::mouseClick(child(page, name), Qt::LeftButton);
        waitForSlides();
    }
    EXPECT_EQ(text(page, "lblSelectedItems"), "0 of 4 selected");
    EXPECT_FALSE(page.scanButton()->isEnabled());
    EXPECT_FALSE(page.removeButton()->isEnabled());
    EXPECT_FALSE(child(page, "rescanButton")->isEnabled());
    EXPECT_FALSE(child(page, "rescanButton")->isVisible());

    QTest::mouseClick(child(page, "buttonLogs"), Qt::LeftButton);
    waitForSlides();
    EXPECT_EQ(child<qpages::ModuleSwitch>(page, "buttonLogs")->knob()->x(), 0);
    EXPECT_TRUE(page.scanButton()->isEnabled());
    EXPECT_FALSE(page.removeButton()->isEnabled()) << "the ticked module found nothing";
}

TEST_F(OneClick, DetailsViewsOpenPerModuleAndClose) {
    writeJunk(2);
    StatusController page(*engine_);
    page.view();
    page.resize(659, 492);
    page.show();
    scanAll(page);
    auto* boxCache = child(page, "boxCache");
    const int topY = boxCache->y();
    const struct {
        const char* details;
        const char* box;
        bool tree;
        std::string module;
    } cases[] = {{"detailsCache", "boxCache", true, modules::kSystemCleaner},
                 {"detailsLogs", "boxLogs", true, modules::kLogsCleaner},
                 {"detailsBin", "boxBin", false, modules::kTrashCleaner},
                 {"detailsLang", "boxLang", false, modules::kPartialDownloads}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.details);
        auto* box = child(page, c.box);
        const QRect home = box->geometry();
        QTest::mouseClick(child(page, c.details), Qt::LeftButton);
        waitForSlides();
        EXPECT_FALSE(page.flagFrame());
        EXPECT_EQ(page.activityName(), c.module);
        EXPECT_EQ(box->y(), topY) << "the box takes the top slot";
        for (const char* other : {"boxCache", "boxLogs", "boxBin", "boxLang"})
            if (std::string(other) != c.box) {
                EXPECT_LT(child(page, other)->x(), 0) << other;
            }
        EXPECT_EQ(child(page, "ovDetails")->isVisible(), c.tree);
        EXPECT_EQ(child(page, "tvAppCleanerDetails")->isVisible(), !c.tree);
        EXPECT_TRUE(child(page, "backButton")->isVisible());
        EXPECT_FALSE(child(page, "rescanButton")->isVisible());
        const int listed =
            c.tree ? static_cast<int>(engine_->mainDataSource(c.module).nodesSnapshot().size())
                   : engine_->getItemsCountOfModule(c.module);
        ASSERT_NE(page.detailsModel(), nullptr);
        EXPECT_EQ(page.detailsModel()->rowCount(), listed);

        QTest::mouseClick(child(page, "backButton"), Qt::LeftButton);
        waitForSlides();
        EXPECT_TRUE(page.flagFrame());
        EXPECT_EQ(box->geometry(), home);
        EXPECT_FALSE(child(page, "backButton")->isVisible());
        EXPECT_FALSE(child(page, "boxDetails")->isVisible());
    }

    // Another module's details button closes an open view rather than switching.
    QTest::mouseClick(child(page, "detailsLogs"), Qt::LeftButton);
    waitForSlides();
    page.resize(800, 492);
    EXPECT_EQ(child(page, "boxBin")->x(), -800) << "slid-out boxes follow the width";
    EXPECT_EQ(child(page, "boxBin")->width(), 800);
    QTest::mouseClick(child(page, "detailsBin"), Qt::LeftButton);
    waitForSlides();
    EXPECT_TRUE(page.flagFrame());
    EXPECT_FALSE(child(page, "backButton")->isVisible());
    EXPECT_EQ(child(page, "boxBin")->x(), 0);
    EXPECT_EQ(child(page, "boxBin")->width(), 800);

    // Any activity of the four closes the view at once.
    QTest::mouseClick(child(page, "detailsLang"), Qt::LeftButton);
    waitForSlides();
    scanAll(page);
    EXPECT_TRUE(page.flagFrame());
    EXPECT_EQ(child(page, "boxCache")->x(), 0);
}

TEST_F(OneClick, TheModuleLinkAsksForItsPage) {
    StatusController page(*engine_);
    page.view();
    page.resize(659, 492);
    page.show();
    scanAll(page);
    QTest::mouseClick(child(page, "linkLogs"), Qt::LeftButton);
    ASSERT_EQ(posted_->count("My_Notification"), 1);
    EXPECT_EQ(posted_->named("My_Notification").front().info("showView"), "Logs Cleaner");
}

TEST(OneClickVersion, BigSurIsTenSixteenOrElevenZeroOnly) {
    EXPECT_TRUE(StatusController::isOSXBigSur(qcore::SystemVersion(10, 16, 0)));
    EXPECT_TRUE(StatusController::isOSXBigSur(qcore::SystemVersion(11, 0, 3)));
    EXPECT_FALSE(StatusController::isOSXBigSur(qcore::SystemVersion(11, 1, 0)));
    EXPECT_FALSE(StatusController::isOSXBigSur(qcore::SystemVersion(12, 0, 0)));
    EXPECT_FALSE(StatusController::isOSXBigSur(qcore::SystemVersion(10, 15, 7)));
}

} // namespace
