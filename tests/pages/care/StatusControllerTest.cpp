// The One Click dashboard: four scans in parallel, one finish, the last-scan record.
#include "tests/pages/support/PageTestSupport.h"

#include "engine/ModuleKeys.h"
#include "pages/care/CacheController.h"
#include "pages/care/LogsController.h"
#include "pages/care/StatusController.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/IMGButton.h"

#include <chrono>
#include <thread>

using qpages::StatusController;

namespace {

const std::vector<std::string> kFour(StatusController::modules().begin(),
                                     StatusController::modules().end());

class OneClick : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // Registered before any page, so it sees each post before a page's hand-over waits.
        posted_ = std::make_unique<PostedNotifications>(
            std::vector<std::string>{"ActivityStartStopNotification", "StopOneClickCareScan",
                                     "ReloadLastScanNotification", "LoadOneClickCare"});
        // The System Cleaner and Logs Cleaner scans need their pages to release the pause.
        cache_ = std::make_unique<qpages::CacheController>(*engine_);
        logs_ = std::make_unique<qpages::LogsController>(*engine_);
    }
    void TearDown() override {
        for (const auto* key : {"lastScanSystemStatus", "lastScanSystemTime", "lastScanJunkSize",
                                "lastScanStatus_Cache", "lastScanTime_Cache", "lastScanStatus_Logs",
                                "lastScanTime_Logs"})
            qcore::UserDefaults::standard().removeObject(key);
        runUntilIdle(kFour);
        logs_.reset();
        cache_.reset();
        posted_.reset();
        PageTest::TearDown();
    }

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
    EXPECT_EQ(posted.count("LoadOneClickCare"), 1);

    const auto& defaults = qcore::UserDefaults::standard();
    int found = 0;
    for (const auto& module : kFour)
        found += engine_->getItemsCountOfModule(module);
    EXPECT_EQ(found, 24);
    EXPECT_EQ(defaults.stringForKey("lastScanSystemStatus"), "24");
    EXPECT_TRUE(defaults.dateForKey("lastScanSystemTime").has_value());
    EXPECT_FALSE(defaults.stringForKey("lastScanJunkSize").empty());
    EXPECT_EQ(page.itemCount(qengine::modules::kSystemCleaner), 8);
}

TEST_F(OneClick, AnUntickedModuleIsNotStarted) {
    writeJunk(2);
    auto& posted = *posted_;
    StatusController page(*engine_);
    page.setChecked(qengine::modules::kTrashCleaner, false);
    page.startScan();
    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_EQ(posted.activities(qengine::modules::kTrashCleaner, "start"), 0);
    EXPECT_EQ(posted.activities(qengine::modules::kLogsCleaner, "start"), 1);
    EXPECT_EQ(posted.count("StopOneClickCareScan"), 1);
}

TEST_F(OneClick, OneTimeStartScanOnlyWhenNothingIsFound) {
    writeJunk(1);
    auto& posted = *posted_;
    StatusController page(*engine_);
    qcore::NotificationCenter::defaultCenter().post("OneTimeStartScanNotification", nullptr,
                                                    {{"notificationGroup", ""}});
    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_EQ(posted.activities(qengine::modules::kSystemCleaner, "start"), 1);

    // Items are known now: showing the page again starts nothing.
    qcore::NotificationCenter::defaultCenter().post("OneTimeStartScanNotification", nullptr,
                                                    {{"notificationGroup", ""}});
    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_EQ(posted.activities(qengine::modules::kSystemCleaner, "start"), 1);
}

TEST_F(OneClick, AScanThatFindsNothingPostsNoLoadOneClickCare) {
    auto& posted = *posted_;
    StatusController page(*engine_);
    page.startScan();
    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_EQ(posted.count("ReloadLastScanNotification"), 1);
    EXPECT_EQ(posted.count("LoadOneClickCare"), 0);
}

TEST_F(OneClick, OtherModulesActivityDoesNotFinishTheDashboard) {
    auto& posted = *posted_;
    StatusController page(*engine_);
    qcore::NotificationCenter::defaultCenter().post(
        "ActivityStartStopNotification", engine_.get(),
        {{"activityName", "Duplicates Finder"}, {"operation", "stop"}, {"activityType", "scan"}});
    mainThread_->drain();
    EXPECT_EQ(posted.count("StopOneClickCareScan"), 0);
}

TEST_F(OneClick, ScanButtonStartsAndThenStops) {
    writeJunk(3);
    StatusController page(*engine_);
    auto* button = page.scanButton();
    ASSERT_EQ(button->state(), 0);
    page.startStopScan();
    EXPECT_EQ(button->text(), "Stop Scan");
    EXPECT_TRUE(engine_->isModuleBusy(qengine::modules::kSystemCleaner));

    button->setState(1); // what the button's own flip leaves after the click
    page.startStopScan();
    EXPECT_FALSE(button->isEnabled());
    for (const auto& module : kFour)
        EXPECT_TRUE(engine_->flags(module).stopFilling.load()) << module;
    ASSERT_TRUE(runUntilIdle(kFour));
    EXPECT_TRUE(button->isEnabled());
}

TEST_F(OneClick, CleanRemovesTickedItemsOfTheFourModules) {
    writeJunk(3);
    StatusController page(*engine_);
    page.view();
    page.setCleanConfirmation([] { return true; });
    page.startScan();
    ASSERT_TRUE(runUntilIdle(kFour));
    ASSERT_GT(page.itemCount(qengine::modules::kLogsCleaner), 0);

    page.startStopRemove();
    EXPECT_FALSE(page.isScan());
    ASSERT_TRUE(runUntilIdle(kFour));
    for (const auto& module : {qengine::modules::kSystemCleaner, qengine::modules::kLogsCleaner,
                               qengine::modules::kTrashCleaner})
        EXPECT_EQ(engine_->getItemsCountOfModule(module), 0) << module;
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanSystemStatus"), "0");
}

} // namespace
