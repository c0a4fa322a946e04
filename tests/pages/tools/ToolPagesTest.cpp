// The Duplicates Finder's find and scan/stop protocol, its preferences reset, and the tool
// pages' module filters.
#include "tests/pages/support/PageTestSupport.h"
#include "tests/pages/tools/FinderTestSupport.h"

#include "engine/ModuleKeys.h"
#include "pages/care/PageDelegate.h"
#include "pages/tools/DuplicateFilesController.h"
#include "pages/tools/LargeFilesController.h"
#include "pages/tools/OldDownloads.h"
#include "pages/tools/UninstallerController.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/IMGButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <atomic>
#include <chrono>
#include <thread>

using qengine::modules::kDuplicatesFinder;
using qpages::DuplicateFilesController;

namespace {

// Remembers what the page last reported.
class RecordingDelegate : public qpages::PageDelegate {
public:
    bool isScanningDups() const { return isScanningDups_; }
    void setIsScanningDups(bool value) override { isScanningDups_ = value; }
    void setIsRemovingDups(bool) override {}
    void setItemRemaining(std::int32_t) override {}
    void setItemCleanCountOneClickCare(std::int32_t) override {}

private:
    bool isScanningDups_ = false;
};

class ToolPages : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        finders::useDuplicatesSettings(home_.path() + "/Documents/");
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            write(std::string("Documents/") + name, "the same bytes in every copy");
    }
    void TearDown() override {
        finders::forgetDuplicatesSettings();
        PageTest::TearDown();
    }
};

TEST_F(ToolPages, FindDupsStartsAScanAndMirrorsItToTheDelegate) {
    RecordingDelegate delegate;
    DuplicateFilesController page(*engine_);
    page.setPageDelegate(&delegate);
    auto* find = page.btnFindDups();
    ASSERT_NE(find, nullptr);
    engine_->setStopFillingDuplicateFiles(true);

    page.findDups(find);
    // The sender is flipped and flipped back; the scan button shows the running face.
    EXPECT_EQ(find->state(), 0);
    EXPECT_EQ(page.scanButton()->state(), 1);
    EXPECT_EQ(page.scanButton()->text(), "Stop Scan");
    EXPECT_FALSE(engine_->stopFillingDuplicateFiles());
    EXPECT_FALSE(page.isFolderFaceShown());
    EXPECT_TRUE(engine_->isModuleBusy(kDuplicatesFinder));

    // The page waits on each progress update, so the delegate is in step while the scan runs.
    bool sawScanning = false;
    runUntil([&] {
        sawScanning = sawScanning || delegate.isScanningDups();
        return !engine_->isModuleBusy(kDuplicatesFinder);
    });
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));
    EXPECT_TRUE(sawScanning);
    EXPECT_FALSE(delegate.isScanningDups());
    EXPECT_EQ(engine_->itemsCount_Dups(), 2);
    EXPECT_FALSE(page.isFolderFaceShown());
    EXPECT_EQ(page.results().groupCount(), 1u);
}

TEST_F(ToolPages, LoadDataInDBWithTheRunningScanButtonAsksTheScanToStop) {
    DuplicateFilesController page(*engine_);
    auto* scan = page.scanButton();
    scan->setState(1); // the running face

    page.loadDataInDB(scan);
    EXPECT_EQ(scan->state(), 0);
    EXPECT_FALSE(scan->isEnabled());
    EXPECT_TRUE(engine_->abortedDuplicateFiles());
    EXPECT_TRUE(engine_->stopFillingDuplicateFiles());
    EXPECT_FALSE(engine_->isModuleBusy(kDuplicatesFinder));
    engine_->setStopFillingDuplicateFiles(false);
    engine_->setAbortedDuplicateFiles(false);
}

TEST_F(ToolPages, ResetDefaultsShowsTheFolderOnlyForItsOwnGroup) {
    DuplicateFilesController page(*engine_);
    page.view();
    auto* label = page.findChild<QLabel*>("lblSelectedFolder");
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("DuplicatesFinderPath", "/elsewhere/");
    auto& center = qcore::NotificationCenter::defaultCenter();

    center.post("ResetDefaultsNotification", nullptr, {{"notificationGroup", "Large Files"}});
    mainThread_->drain();
    EXPECT_FALSE(label->text().contains("/elsewhere/"));

    center.post("ResetDefaultsNotification", nullptr, {{"notificationGroup", "Duplicates Finder"}});
    mainThread_->drain();
    EXPECT_EQ(label->toolTip(), "Selected folder: /elsewhere/");
    EXPECT_EQ(page.findChild<QLineEdit*>("pathControl")->text(), "/elsewhere/");
}

TEST_F(ToolPages, LargeFilesMakesItsCategoryRowsOnce) {
    qpages::LargeFilesController first(*engine_);
    qpages::LargeFilesController second(*engine_);
    EXPECT_EQ(engine_->mainDataSource(qengine::modules::kLargeFiles).nodeCount(), 5u);
}

TEST_F(ToolPages, FlatPageHoldsThePosterOfItsOwnReloadOnly) {
    qpages::OldDownloads page(*engine_);
    page.view();
    auto& center = qcore::NotificationCenter::defaultCenter();
    const auto postFromWorker = [&](const std::string& module, std::atomic<bool>& returned) {
        return std::thread([&center, &returned, module, this] {
            center.post("ReloadNotification", engine_.get(), {{"notificationGroup", module}});
            returned = true;
        });
    };

    std::atomic<bool> otherReturned{false};
    postFromWorker("Trash Cleaner", otherReturned).join();
    EXPECT_TRUE(otherReturned);

    std::atomic<bool> ownReturned{false};
    auto poster = postFromWorker("Old Downloads", ownReturned);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(ownReturned); // held until the table has been reloaded on the main thread
    EXPECT_TRUE(runUntil([&] { return ownReturned.load(); }));
    poster.join();
}

TEST_F(ToolPages, PagesWithoutAnEngineScanStillLoadAndAnnounceThemselves) {
    PostedNotifications posted({"AwakeNotification"});
    qpages::UninstallerController page(*engine_);
    page.view();
    EXPECT_EQ(page.findChild<QLabel*>("lblTitle")->text().toStdString(),
              engine_->getModuleName(qengine::modules::kUninstaller, true));
    EXPECT_EQ(posted.count("AwakeNotification"), 1);
}

} // namespace
