#include "EngineTestSupport.h"

#include "engine/CadenceCounter.h"
#include "engine/Pacer.h"
#include "engine/ScanRun.h"
#include "platform/core/Home.h"

#include <atomic>
#include <chrono>
#include <thread>

using qengine::ScanRun;

namespace {

const std::string kTrash = "Trash Cleaner";
const std::string kCache = "System Cleaner";

void fakeFlatScan(qengine::DataFiller& engine, const std::vector<std::uint64_t>& sizes) {
    ScanRun run(engine, kTrash);
    if (!run.active()) return;
    for (const auto bytes : sizes) {
        if (run.shouldStop()) break;
        run.countedPointWithReload(0.5);
        run.list().appendRow({{"fullPath", "/f" + std::to_string(bytes)}, {"size", "1"}});
        run.itemFound(bytes, 0.2);
    }
}

} // namespace

TEST(CadenceCounter, ReloadComesBeforeTheSixthAndEleventhItem) {
    qengine::CadenceCounter counter(5);
    std::vector<int> due;
    for (int item = 1; item <= 12; ++item)
        if (counter.tick()) due.push_back(item);
    EXPECT_EQ(due, (std::vector<int>{6, 11}));
    qengine::CadenceCounter few(5);
    for (int item = 1; item <= 5; ++item)
        EXPECT_FALSE(few.tick());
}

using ScanFrame = EngineTest;

TEST_F(ScanFrame, ScanPostsStartUpdatesReloadsStopAndReplacesResults) {
    fakeFlatScan(*engine_, {1, 2, 3});
    fakeFlatScan(*engine_, {10, 20, 30, 40, 50, 60});
    EXPECT_EQ(engine_->mainDataSource(kTrash).rowCount(), 6u);
    EXPECT_EQ(recorder_->sequence(kTrash),
              (std::vector<std::string>{"start", "update", "update", "update", "stop", "start",
                                        "update", "update", "update", "update", "update", "reload",
                                        "update", "stop"}));
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    EXPECT_EQ(updates.back().info("count"), "6");
    EXPECT_EQ(updates.back().info("size"), "210");
    EXPECT_FALSE(engine_->isFillingTrashCleaner());
    EXPECT_FALSE(engine_->isModuleBusy(kTrash));
}

TEST_F(ScanFrame, StopRequestAbortsAndIsClearedAtTheEnd) {
    engine_->setStopFillingTrashCleaner(true);
    fakeFlatScan(*engine_, {1, 2});
    EXPECT_TRUE(engine_->abortedTrashCleaner());
    EXPECT_FALSE(engine_->stopFillingTrashCleaner());
    EXPECT_EQ(recorder_->sequence(kTrash), (std::vector<std::string>{"start", "stop"}));
}

TEST_F(ScanFrame, ClaimsKeepOperationsOfOneModuleApart) {
    ASSERT_TRUE(engine_->claimModule(kTrash));
    EXPECT_FALSE(engine_->claimModule(kTrash));
    {
        ScanRun first(*engine_, kTrash); // takes over the reservation
        EXPECT_TRUE(first.active());
        ScanRun second(*engine_, kTrash); // busy: refused without a sound
        EXPECT_FALSE(second.active());
        EXPECT_FALSE(engine_->claimModule(kTrash));
    }
    EXPECT_EQ(recorder_->sequence(kTrash), (std::vector<std::string>{"start", "stop"}));

    // The claim is free again when "stop" is delivered, so its handler may start the next one.
    bool claimedInStopHandler = false;
    const int owner = 0;
    qcore::NotificationCenter::defaultCenter().addObserver(
        &owner, "ActivityStartStopNotification", [&](const qcore::Notification& n) {
            if (n.info("operation") == "stop") claimedInStopHandler = engine_->claimModule(kTrash);
        });
    fakeFlatScan(*engine_, {});
    qcore::NotificationCenter::defaultCenter().removeObserversOf(&owner);
    EXPECT_TRUE(claimedInStopHandler);
    engine_->cancelModuleClaim(kTrash);
    EXPECT_FALSE(engine_->isModuleBusy(kTrash));
}

TEST_F(ScanFrame, UnusableHomeScansNothingButEndsCleanly) {
    engine_->mainDataSource(kTrash).appendRow({{"fullPath", "/kept"}});
    qcore::Home::setOverrideForTesting("relative/home");
    fakeFlatScan(*engine_, {1});
    EXPECT_EQ(recorder_->sequence(kTrash), (std::vector<std::string>{"start", "stop"}));
    EXPECT_TRUE(engine_->abortedTrashCleaner());
    EXPECT_EQ(engine_->mainDataSource(kTrash).rowCount(), 1u);
    EXPECT_FALSE(engine_->isModuleBusy(kTrash));
}

TEST_F(ScanFrame, PauseHandshakeHoldsTheWorkerUntilThePageClearsTheFlag) {
    std::atomic<int> points{0};
    std::thread worker([&] {
        ScanRun run(*engine_, kCache);
        for (int i = 0; i < 7; ++i) {
            run.countedPointWithHandshake();
            points = i + 1;
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!engine_->pauseCacheCleaner() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(engine_->pauseCacheCleaner());
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(points.load(), 5); // held before the sixth point
    EXPECT_EQ(recorder_->named("ReloadNotification").size(), 1u);
    engine_->setPauseCacheCleaner(false);
    worker.join();
    EXPECT_EQ(points.load(), 7);
    EXPECT_EQ(recorder_->sequence(kCache), (std::vector<std::string>{"start", "reload", "stop"}));
}

TEST_F(ScanFrame, PauseWaitGivesUpAtShutdown) {
    std::atomic<bool> pause{true};
    qengine::Pacer::setShuttingDown(true);
    EXPECT_FALSE(qengine::Pacer::waitWhile(pause, 0.01));
    qengine::Pacer::setShuttingDown(false);
    pause = false;
    EXPECT_TRUE(qengine::Pacer::waitWhile(pause, 0.01));
}
