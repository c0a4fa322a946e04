#include "EngineTestSupport.h"

#include "engine/ModuleRow.h"
#include "engine/RemovalRun.h"
#include "engine/RemoveItem.h"
#include "platform/core/FileManager.h"
#include "tests/platform/core/TempDir.h"

#include <barrier>
#include <filesystem>
#include <thread>
#include <unistd.h>

using qcore::FileManager;
using qengine::RemovalCheck;
using qengine::RemoveItem;
using ItemType = RemovalCheck::ItemType;

namespace {
const std::string kTrash = "Trash Cleaner";
} // namespace

class Removal : public EngineTest {
protected:
    std::string reports() const { return qengine::DataFiller::trashCleanerFolder(); }
    std::string report(const std::string& name, std::size_t bytes) {
        return home_.write("Library/Logs/DiagnosticReports/" + name, std::string(bytes, 'r'));
    }
    int lockedNo() const {
        int n = 0;
        for (const auto& note : recorder_->named("AnimateLockNotification"))
            n += note.info("Locked") == "NO";
        return n;
    }
};

TEST_F(Removal, LockedNoIsPostedOncePerUnlockEvenWhenCleansStartTogether) {
    const std::vector<std::string> modules{"System Cleaner", "Logs Cleaner", "Trash Cleaner",
                                           "Partial Downloads"};
    for (int round = 1; round <= 20; ++round) {
        std::barrier start(static_cast<std::ptrdiff_t>(modules.size()));
        std::vector<std::thread> threads;
        for (const auto& module : modules)
            threads.emplace_back([&, module] {
                start.arrive_and_wait();
                EXPECT_TRUE(engine_->initRemoveObjectIfRequired(module));
            });
        for (auto& t : threads)
            t.join();
        EXPECT_EQ(lockedNo(), round);
        engine_->releaseRemoveObject();
        EXPECT_FALSE(engine_->isRemoveObjectInitialized());
    }
    EXPECT_EQ(recorder_->named("AnimateLockNotification").back().info("Locked"), "YES");
}

TEST_F(Removal, CleanOfAnEmptyListPostsStartReloadStopOnly) {
    engine_->removeTrashCleaner();
    EXPECT_EQ(recorder_->sequence(kTrash), (std::vector<std::string>{"start", "reload", "stop"}));
    EXPECT_FALSE(engine_->isRemovingTrashCleaner());
    EXPECT_FALSE(engine_->isModuleBusy(kTrash));
}

TEST_F(Removal, CleanRemovesTickedRowsWithRunningTotals) {
    auto& list = engine_->mainDataSource(kTrash);
    const std::string a = report("a.crash", 10);
    const std::string b = report("b.crash", 20);
    const std::string c = report("c.ips", 40);
    list.appendRow(qengine::row::makeTrashCleanerRow(a, "10"));
    auto unticked = qengine::row::makeTrashCleanerRow(b, "20");
    qengine::row::setState(unticked, 0);
    list.appendRow(unticked);
    auto numeric = qengine::row::makeTrashCleanerRow(c, "0");
    numeric["size"] = qcore::Value(std::int64_t{40}); // both forms of "size" read the same
    list.appendRow(numeric);

    engine_->removeTrashCleaner();
    EXPECT_FALSE(FileManager::exists(a));
    EXPECT_TRUE(FileManager::exists(b));
    EXPECT_FALSE(FileManager::exists(c));
    const auto rows = list.rowsSnapshot();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(qengine::row::fullPath(rows[0]), b);
    EXPECT_EQ(recorder_->sequence(kTrash),
              (std::vector<std::string>{"start", "update", "reload", "update", "reload", "stop"}));
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    EXPECT_EQ(updates.back().info("count"), "2");
    EXPECT_EQ(updates.back().info("size"), "50");
    EXPECT_EQ(lockedNo(), 1);
}

TEST_F(Removal, AFailedRemovalKeepsItsRowAndAVanishedPathCountsButFreesNothing) {
    auto& list = engine_->mainDataSource(kTrash);
    const std::string outside = home_.write("elsewhere.crash", "keep");
    list.appendRow(qengine::row::makeTrashCleanerRow(outside, "4"));
    list.appendRow(qengine::row::makeTrashCleanerRow(reports() + "/vanished.crash", "9"));
    engine_->removeTrashCleaner();
    EXPECT_TRUE(FileManager::exists(outside));
    ASSERT_EQ(list.rowCount(), 1u);
    EXPECT_EQ(qengine::row::fullPath(list.rowsSnapshot()[0]), outside);
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].info("count"), "1");
    EXPECT_EQ(updates[0].info("size"), "0");
    EXPECT_EQ(recorder_->sequence(kTrash),
              (std::vector<std::string>{"start", "reload", "update", "reload", "stop"}));
}

TEST_F(Removal, StopRequestLeavesEverythingAndMarksAborted) {
    auto& list = engine_->mainDataSource(kTrash);
    const std::string a = report("a.crash", 1);
    list.appendRow(qengine::row::makeTrashCleanerRow(a, "1"));
    engine_->setStopRemovingTrashCleaner(true);
    engine_->removeTrashCleaner();
    EXPECT_TRUE(FileManager::exists(a));
    EXPECT_TRUE(engine_->abortedTrashCleaner());
    EXPECT_FALSE(engine_->stopRemovingTrashCleaner());
    EXPECT_EQ(list.rowCount(), 1u);
}

TEST_F(Removal, SafeRemovalRefusesWhatChangedSinceListing) {
    const RemoveItem remover;
    const std::string folder = home_.mkdir("Downloads");
    const std::string precious = home_.write("precious/data.txt", "precious");
    const RemovalCheck asFile{ItemType::File, folder};

    // A file replaced by a link to something outside.
    const std::string swapped = folder + "/swapped.part";
    ASSERT_EQ(::symlink(precious.c_str(), swapped.c_str()), 0);
    EXPECT_FALSE(remover.removeSingleItem(swapped, asFile));
    EXPECT_TRUE(FileManager::exists(swapped));
    // Listed as the link it is: the link goes, never its target.
    EXPECT_TRUE(remover.removeSingleItem(swapped, {ItemType::Link, folder}));
    EXPECT_FALSE(FileManager::exists(swapped));
    EXPECT_TRUE(FileManager::exists(precious));

    // A subfolder replaced by a link that leads outside the module's folder.
    const std::string movedOut = folder + "/sub";
    ASSERT_EQ(::symlink(FileManager::deletingLastPathComponent(precious).c_str(), movedOut.c_str()),
              0);
    EXPECT_FALSE(remover.removeSingleItem(movedOut + "/data.txt", asFile));
    EXPECT_FALSE(remover.removeSingleItem(home_.file("precious/data.txt"), asFile));
    EXPECT_TRUE(FileManager::exists(precious));

    // A file row whose path is now a folder is never removed recursively.
    const std::string nowFolder = home_.write("Downloads/grown/inner.txt", "x");
    EXPECT_FALSE(remover.removeSingleItem(folder + "/grown", asFile));
    EXPECT_TRUE(FileManager::exists(nowFolder));
    EXPECT_TRUE(remover.removeSingleItem(folder + "/grown", {ItemType::Folder, folder}));
    EXPECT_FALSE(FileManager::exists(folder + "/grown"));

    // The module's folder itself, and relative tricks, stay.
    EXPECT_FALSE(remover.removeSingleItem(folder, {ItemType::Folder, folder}));
    EXPECT_FALSE(remover.removeSingleItem(folder + "/..", {ItemType::Any, folder}));
    EXPECT_TRUE(FileManager::exists(folder));

    const std::string plain = home_.write("Downloads/plain.part", "p");
    EXPECT_TRUE(remover.removeSingleItem(plain, asFile));
    EXPECT_FALSE(remover.removeSingleItem(plain, asFile)); // gone: the real result
}

TEST_F(Removal, FailedRemoveWithAccessLocksAgain) {
    EXPECT_TRUE(engine_->removeItemWithAccess(home_.write("a.txt", "a"), "Misc Cleaning"));
    EXPECT_TRUE(engine_->isRemoveObjectInitialized());
    EXPECT_FALSE(engine_->removeItemWithAccess(home_.file("missing"), "Misc Cleaning"));
    EXPECT_FALSE(engine_->isRemoveObjectInitialized());
    const auto locks = recorder_->named("AnimateLockNotification");
    ASSERT_EQ(locks.size(), 2u);
    EXPECT_EQ(locks[0].info("Locked"), "NO");
    EXPECT_EQ(locks[1].info("Locked"), "YES");
}

TEST_F(Removal, ALinkIsDeletableWhateverItPointsTo) {
    const std::string dangling = home_.path() + "/.Trash/dangling";
    const std::string toRoot = home_.path() + "/.Trash/to-root-file";
    std::filesystem::create_directories(home_.path() + "/.Trash");
    ASSERT_EQ(::symlink("/nonexistent/target", dangling.c_str()), 0);
    ASSERT_EQ(::symlink("/proc/version", toRoot.c_str()), 0);
    EXPECT_TRUE(engine_->hasPermissionsToDelete(dangling));
    EXPECT_TRUE(engine_->hasPermissionsToDelete(toRoot));
    EXPECT_FALSE(engine_->hasPermissionsToDelete(home_.path() + "/.Trash/missing"));
}

TEST_F(Removal, BelowAHomeNothingReachedThroughALinkedFolderIsRemoved) {
    const RemoveItem remover;
    TempDir outside;
    const std::string trashVictim = outside.write("trash/victim.txt", "keep");
    const std::string mailVictim = outside.write("Library/Mail Downloads/victim.pdf", "keep");
    const std::string innerVictim = outside.write("elsewhere/inner.txt", "keep");
    const auto belowHome = [this](ItemType type, const std::string& folder) {
        RemovalCheck check{type, home_.file(folder)};
        check.linkFreeBelow = home_.path();
        return check;
    };

    // The list's folder is the link: the target's file passes for one inside it.
    ASSERT_EQ(::symlink(outside.file("trash").c_str(), home_.file(".Trash").c_str()), 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(remover.removeSingleItem(home_.file(".Trash/victim.txt"),
                                          belowHome(ItemType::File, ".Trash")));
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  home_.file(".Trash") + " is a symbolic link, which is not followed"),
              std::string::npos);
    // A folder further up is the link.
    ASSERT_EQ(::symlink(outside.file("Library").c_str(), home_.file("Library").c_str()), 0);
    EXPECT_FALSE(remover.removeSingleItem(home_.file("Library/Mail Downloads/victim.pdf"),
                                          belowHome(ItemType::File, "Library/Mail Downloads")));
    // A real list folder, but the item's own folder is reached through a link inside it.
    home_.mkdir("Downloads");
    ASSERT_EQ(::symlink(outside.file("elsewhere").c_str(), home_.file("Downloads/sub").c_str()), 0);
    EXPECT_FALSE(remover.removeSingleItem(home_.file("Downloads/sub/inner.txt"),
                                          belowHome(ItemType::File, "Downloads")));
    EXPECT_EQ(FileManager::readFile(trashVictim).value_or(""), "keep");
    EXPECT_EQ(FileManager::readFile(mailVictim).value_or(""), "keep");
    EXPECT_EQ(FileManager::readFile(innerVictim).value_or(""), "keep");

    // The home itself may be reached through a link; below it all is real.
    const std::string plain = home_.write("Downloads/plain.txt", "p");
    const std::string homeLink = outside.file("home link");
    ASSERT_EQ(::symlink(home_.path().c_str(), homeLink.c_str()), 0);
    RemovalCheck throughHomeLink{ItemType::File, homeLink + "/Downloads"};
    throughHomeLink.linkFreeBelow = homeLink;
    EXPECT_TRUE(remover.removeSingleItem(homeLink + "/Downloads/plain.txt", throughHomeLink));
    EXPECT_FALSE(FileManager::exists(plain));
}
