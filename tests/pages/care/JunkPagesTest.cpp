// The System Cleaner, Logs Cleaner and Trash Cleaner pages against the engine: the reload
// hand-over, the faces after a scan and a clean, and the module filter.
#include "tests/pages/support/PageTestSupport.h"

#include "engine/ModuleKeys.h"
#include "pages/care/CacheController.h"
#include "pages/care/LogsController.h"
#include "pages/care/TrashController.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/IMGButton.h"

#include <QLabel>
#include <QTableView>
#include <QTreeView>

#include <filesystem>

using qengine::modules::kLogsCleaner;
using qengine::modules::kSystemCleaner;
using qengine::modules::kTrashCleaner;
using qpages::CacheController;
using qpages::LogsController;
using qpages::TrashController;

namespace {

class JunkPages : public PageTest {
protected:
    void TearDown() override {
        for (const auto* key : {"lastScanStatus_Cache", "lastScanTime_Cache",
                                "lastScanStatus_Binary", "lastScanTime_Binary"})
            qcore::UserDefaults::standard().removeObject(key);
        PageTest::TearDown();
    }

    qcore::Notification reloadOf(const std::string& module) const {
        return {"ReloadNotification", engine_.get(), {{"notificationGroup", module}}};
    }
};

TEST_F(JunkPages, CacheReloadReleasesThePauseSoALongScanCompletes) {
    writeJunk(12);
    CacheController page(*engine_);
    ASSERT_TRUE(page.scanNow());
    ASSERT_TRUE(runUntilIdle({kSystemCleaner}));

    // The scan pauses every five entries; without the page's release it would never end.
    EXPECT_EQ(engine_->getItemsCountOfModule(kSystemCleaner), 12);
    EXPECT_FALSE(engine_->pauseCacheCleaner());
    EXPECT_EQ(page.totalItems(), 12);
    EXPECT_EQ(page.selectedItems(), 12);
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_Cache"), "Last scan");
}

TEST_F(JunkPages, AReloadOfAnotherModuleLeavesThePauseAlone) {
    CacheController cache(*engine_);
    engine_->setPauseLogsCleaner(true);
    engine_->setPauseCacheCleaner(true);

    qcore::NotificationCenter::defaultCenter().post(reloadOf(kLogsCleaner));
    mainThread_->drain();
    EXPECT_TRUE(engine_->pauseLogsCleaner());
    EXPECT_TRUE(engine_->pauseCacheCleaner());

    // Its own module's reload releases it, with or without a loaded view.
    qcore::NotificationCenter::defaultCenter().post(reloadOf(kSystemCleaner));
    mainThread_->drain();
    EXPECT_FALSE(engine_->pauseCacheCleaner());
    EXPECT_FALSE(cache.isViewLoaded());
    engine_->setPauseLogsCleaner(false);
}

TEST_F(JunkPages, ViewLoadsOnceAndShowsTheIdleFace) {
    PostedNotifications posted({"AwakeNotification"});
    LogsController page(*engine_);
    EXPECT_FALSE(page.isViewLoaded());
    EXPECT_EQ(page.view(), &page);
    EXPECT_EQ(page.view(), &page);

    EXPECT_EQ(posted.count("AwakeNotification"), 1);
    EXPECT_EQ(posted.named("AwakeNotification").front().info("notificationGroup"), kLogsCleaner);
    EXPECT_EQ(page.findChild<QLabel*>("lblTitle")->text().toStdString(),
              engine_->getModuleName(kLogsCleaner, true));
    ASSERT_NE(page.scanButton(), nullptr);
    EXPECT_EQ(page.scanButton()->text(), "Start Scan");
    EXPECT_EQ(page.scanButton()->state(), 1);
    EXPECT_TRUE(page.removeButton()->isHidden());
}

TEST_F(JunkPages, ScanThenCleanMovesTheButtonsAndRemovesTheTickedItems) {
    writeJunk(7);
    CacheController page(*engine_);
    page.view();
    page.setCleanConfirmation([] { return true; });

    page.loadDataInDB();
    ASSERT_TRUE(runUntilIdle({kSystemCleaner}));
    EXPECT_TRUE(page.scanButton()->isHidden());
    EXPECT_FALSE(page.removeButton()->isHidden());
    EXPECT_EQ(page.removeButton()->text(), "Clean Now");
    auto* tree = page.findChild<QTreeView*>("outlineView");
    ASSERT_NE(tree, nullptr);
    EXPECT_GT(tree->model()->rowCount(), 0);
    EXPECT_EQ(page.findChild<QLabel*>("lblSelectedItems")->text(), "7 of 7 items selected");

    page.removeSelected();
    ASSERT_TRUE(runUntilIdle({kSystemCleaner}));
    EXPECT_EQ(engine_->getItemsCountOfModule(kSystemCleaner), 0);
    EXPECT_FALSE(std::filesystem::exists(home_.file("Library/Caches/com.example.app0/cache.bin")));
    EXPECT_FALSE(page.scanButton()->isHidden());
    EXPECT_TRUE(page.removeButton()->isHidden());
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_Cache"), "Last clean");
}

TEST_F(JunkPages, CancelledConfirmationStartsNothing) {
    writeJunk(2);
    CacheController page(*engine_);
    page.view();
    page.setCleanConfirmation([] { return false; });
    page.scanNow();
    ASSERT_TRUE(runUntilIdle({kSystemCleaner}));

    page.removeSelected();
    EXPECT_FALSE(engine_->isModuleBusy(kSystemCleaner));
    EXPECT_EQ(engine_->getItemsCountOfModule(kSystemCleaner), 2);
    // The button's own flip after the click brings it back to the idle face.
    EXPECT_EQ(page.removeButton()->state(), 0);
}

TEST_F(JunkPages, StopScanDisablesTheButtonAndMarksTheModuleAborted) {
    CacheController page(*engine_);
    page.view();
    page.scanButton()->setState(0); // the running face
    page.loadDataInDB();
    EXPECT_FALSE(page.scanButton()->isEnabled());
    EXPECT_TRUE(engine_->stopFillingCacheCleaner());
    EXPECT_TRUE(engine_->abortedCacheCleaner());
    EXPECT_FALSE(engine_->isModuleBusy(kSystemCleaner));
    engine_->setStopFillingCacheCleaner(false);
}

TEST_F(JunkPages, FlatPageListsRowsAndWritesTicksBackToTheEngine) {
    writeJunk(6);
    TrashController page(*engine_);
    page.view();
    ASSERT_TRUE(page.scanNow());
    ASSERT_TRUE(runUntilIdle({kTrashCleaner}));

    auto* table = page.findChild<QTableView*>("tableView");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->model()->rowCount(), 6);
    EXPECT_EQ(page.selectedItems(), 6);
    const auto tick = table->model()->index(0, 0);
    ASSERT_TRUE(table->model()->setData(tick, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(qengine::row::state(*engine_->mainDataSource(kTrashCleaner).rowAt(0)), 0);
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_Binary"), "Last scan");
}

TEST_F(JunkPages, TreeTicksSettleTheGroupState) {
    writeJunk(3);
    CacheController page(*engine_);
    page.view();
    page.scanNow();
    ASSERT_TRUE(runUntilIdle({kSystemCleaner}));
    auto* model = page.findChild<QTreeView*>("outlineView")->model();
    const auto group = model->index(0, 0);
    ASSERT_GE(model->rowCount(group), 2);

    ASSERT_TRUE(model->setData(model->index(0, 0, group), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(model->index(0, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(),
              Qt::PartiallyChecked);
    ASSERT_TRUE(model->setData(model->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    const auto groups = engine_->mainDataSource(kSystemCleaner).nodesSnapshot();
    for (const auto& item : groups.front()->children())
        EXPECT_EQ(item->state(), 0);
}

} // namespace
