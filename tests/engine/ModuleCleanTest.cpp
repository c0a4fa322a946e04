#include "CareFixtures.h"
#include "EngineTestSupport.h"

#include "engine/ModuleRow.h"
#include "platform/core/FileManager.h"
#include "platform/core/NotificationCenter.h"
#include "tests/platform/core/DeepTree.h"

#include <filesystem>
#include <functional>
#include <memory>

using qcore::FileManager;
using qengine::ModuleList;
using qengine::OutlineViewNode;
namespace fs = std::filesystem;
namespace row = qengine::row;

namespace {

const std::string kCache = "System Cleaner";
const std::string kLogs = "Logs Cleaner";
const std::string kPartial = "Partial Downloads";
const std::string kOld = "Old Downloads";
const std::string kTrash = "Trash Cleaner";

using Sequence = std::vector<std::string>;

} // namespace

class ModuleClean : public EngineTest {
protected:
    void TearDown() override {
        qcore::NotificationCenter::defaultCenter().removeObserversOf(this);
        EngineTest::TearDown();
    }
    std::string caches(const std::string& name) const { return "Library/Caches/" + name; }
    std::string containerCaches(const std::string& container, const std::string& name) const {
        return "Library/Containers/" + container + "/Data/Library/Caches/" + name;
    }
    void untick(const std::string& module, const std::string& title) {
        engine_->mainDataSource(module).withLock([&](ModuleList::Nodes& groups, ModuleList::Rows&) {
            for (const auto& group : groups)
                for (const auto& child : group->children())
                    if (child->title() == title) child->setState(0);
        });
    }
    void tickAllRows(const std::string& module) {
        engine_->mainDataSource(module).withLock([](ModuleList::Nodes&, ModuleList::Rows& rows) {
            for (auto& r : rows)
                row::setState(r, 1);
        });
    }
    OutlineViewNode::Ptr group(const std::string& module, std::size_t index) const {
        return engine_->mainDataSource(module).nodesSnapshot().at(index);
    }
    std::vector<std::string> titles(const std::string& module, std::size_t index) const {
        std::vector<std::string> out;
        const auto node = group(module, index);
        for (const auto& child : node->children())
            out.push_back(child->title());
        return out;
    }
    // Replaces `path` with a link to a file of the same name in a folder outside the home.
    void swapForLink(const std::string& path) {
        const std::string target = outside_.write(FileManager::lastPathComponent(path), "keep");
        fs::remove_all(path);
        fs::create_symlink(target, path);
    }
    void stopAfterUpdates(int updates, std::function<void()> stop) {
        qcore::NotificationCenter::defaultCenter().addObserver(
            this, "DataFillerUpdateNotification",
            [this, updates, stop, seen = std::make_shared<int>(0)](const qcore::Notification& n) {
                if (n.object == engine_.get() && ++*seen == updates) stop();
            });
    }
    void scanCaches() {
        care::PausingPage page(engine_->flags(kCache).pause);
        engine_->fillCacheCleaner();
    }

    TempDir outside_;
};

TEST_F(ModuleClean, CacheCleanRemovesTickedItemsAndEmptiesDatabasesInPlace) {
    const std::string a = home_.write(caches("a"), std::string(10, 'a'));
    const std::string b = home_.write(caches("b/inner"), std::string(20, 'b'));
    const std::string keep = home_.write(caches("keep"), "12345");
    const std::string db = home_.write(caches("y.db"));
    care::makeDatabase(db, 3);
    const std::string f1 = home_.write(containerCaches("com.example.app", "f1"), "1");
    const std::string f2 = home_.write(containerCaches("com.example.app", "f2"), "22");
    scanCaches();
    untick(kCache, "keep");
    const auto dbSize = group(kCache, 0)->children()[3]->size();

    engine_->removeCacheCleaner();

    EXPECT_FALSE(FileManager::exists(a));
    EXPECT_FALSE(FileManager::exists(home_.file(caches("b"))));
    EXPECT_TRUE(FileManager::exists(keep));
    EXPECT_FALSE(FileManager::exists(f1));
    EXPECT_FALSE(FileManager::exists(f2));
    ASSERT_TRUE(FileManager::exists(db));
    EXPECT_EQ(care::databaseRows(db), 0);

    EXPECT_EQ(titles(kCache, 0), (std::vector<std::string>{"keep"}));
    EXPECT_EQ(group(kCache, 0)->state(), 0);
    EXPECT_TRUE(group(kCache, 1)->children().empty());
    EXPECT_EQ(group(kCache, 1)->state(), 0);

    // A reload before every visited item but the first, an unticked one too; none at the end.
    const Sequence expected{"start",  "update", "reload", "update", "reload",
                            "reload", "update", "reload", "update", "stop"};
    const Sequence all = recorder_->sequence(kCache);
    EXPECT_EQ(Sequence(all.end() - static_cast<std::ptrdiff_t>(expected.size()), all.end()),
              expected);
    const auto last = recorder_->named("DataFillerUpdateNotification").back();
    EXPECT_EQ(last.info("count"), "4");
    EXPECT_EQ(last.info("size"), std::to_string(30 + std::stoull(dbSize) + 3));
    EXPECT_FALSE(engine_->isRemovingCacheCleaner());
    EXPECT_FALSE(engine_->isModuleBusy(kCache));
}

TEST_F(ModuleClean, CacheCleanLeavesWhatIsNoLongerWhatWasListed) {
    const std::string swapped = home_.write(caches("swapped/data"), "s");
    const std::string changed = home_.write(caches("changed"), "c");
    const std::string plain = home_.write(caches("plain"), "p");
    home_.write(containerCaches("com.moved.app", "f"), "m");
    const std::string kept = home_.write(containerCaches("com.partial.app", "f1"), "1");
    const std::string linked = home_.write(containerCaches("com.partial.app", "f2"), "2");
    scanCaches();

    swapForLink(home_.file(caches("swapped")));
    fs::remove(changed);
    fs::create_directory(changed); // listed as a file, now a folder
    swapForLink(linked);
    // The container's caches folder now leads outside the home.
    const std::string moved = home_.file("Library/Containers/com.moved.app/Data/Library/Caches");
    fs::remove_all(moved);
    outside_.write("f", "precious");
    fs::create_directory_symlink(outside_.path(), moved);

    engine_->removeCacheCleaner();

    EXPECT_FALSE(FileManager::exists(plain));
    EXPECT_FALSE(FileManager::exists(kept));
    EXPECT_TRUE(FileManager::attributes(home_.file(caches("swapped")))->isLink());
    EXPECT_TRUE(FileManager::isDirectory(changed));
    EXPECT_EQ(FileManager::readFile(outside_.file("swapped")), "keep");
    EXPECT_EQ(FileManager::readFile(outside_.file("f2")), "keep");
    EXPECT_EQ(FileManager::readFile(outside_.file("f")), "precious");

    EXPECT_EQ(titles(kCache, 0), (std::vector<std::string>{"changed", "swapped"}));
    EXPECT_EQ(group(kCache, 0)->state(), 1);
    EXPECT_EQ(titles(kCache, 1), (std::vector<std::string>{"com.moved.app", "com.partial.app"}));
    const auto partial = group(kCache, 1)->children()[1];
    EXPECT_EQ(partial->arrFullPath(), (std::vector<std::string>{linked}));
    EXPECT_EQ(partial->state(), 1);
    // Only the plain entry counts; the partly cleaned container is not cleaned.
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    ASSERT_FALSE(updates.empty());
    EXPECT_EQ(updates.back().info("count"), "1");
}

TEST_F(ModuleClean, CleanRemovesOnlyWhatTheLastScanListed) {
    home_.write(caches("listed"), "l");
    scanCaches();
    // A row the scan never made (or made for another home) is refused.
    const std::string foreign = home_.write(caches("foreign"), "f");
    engine_->mainDataSource(kCache).withLock([&](ModuleList::Nodes& groups, ModuleList::Rows&) {
        auto node = std::make_shared<OutlineViewNode>();
        node->setFullPath(foreign);
        groups[0]->children().push_back(node);
    });
    engine_->removeCacheCleaner();
    EXPECT_TRUE(FileManager::exists(foreign));
    EXPECT_FALSE(FileManager::exists(home_.file(caches("listed"))));
}

TEST_F(ModuleClean, LogsCleanOfAnEmptyListAndAStopRequest) {
    engine_->removeLogsCleaner();
    EXPECT_EQ(recorder_->sequence(kLogs), (Sequence{"start", "stop"}));

    for (const char* name : {"one.log", "two.log", "three.log"})
        home_.write(std::string("Library/Logs/") + name, "x");
    engine_->fillLogsCleaner();
    stopAfterUpdates(1, [&] { engine_->setStopRemovingLogsCleaner(true); });
    engine_->removeLogsCleaner();

    EXPECT_EQ(group(kLogs, 0)->children().size(), 2u);
    EXPECT_EQ(group(kLogs, 0)->state(), 1);
    EXPECT_TRUE(engine_->abortedLogsCleaner());
    EXPECT_FALSE(engine_->stopRemovingLogsCleaner());
    EXPECT_FALSE(engine_->isRemovingLogsCleaner());
}

TEST_F(ModuleClean, AnItemThatVanishedCountsAsCleanedButFreesNothing) {
    const std::string gone = home_.write("Library/Logs/gone.log", "xyz");
    home_.write("Library/Logs/here.log", "12345");
    engine_->fillLogsCleaner();
    fs::remove(gone);

    engine_->removeLogsCleaner();

    EXPECT_TRUE(group(kLogs, 0)->children().empty());
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    ASSERT_GE(updates.size(), 2u);
    EXPECT_EQ(updates.back().info("count"), "2");
    EXPECT_EQ(updates.back().info("size"), "5");
}

class FlatClean : public ModuleClean {
protected:
    void SetUp() override {
        ModuleClean::SetUp();
        care::setDownloadAgeLimits(1);
    }
    void TearDown() override {
        care::removeDownloadAgeLimits();
        ModuleClean::TearDown();
    }
    std::string oldDownload(const std::string& name) {
        return care::writeDownload(home_, name, "downloaded", 5);
    }
    std::vector<std::string> remaining(const std::string& module) const {
        return care::fileNames(engine_->mainDataSource(module).rowsSnapshot());
    }
};

TEST_F(FlatClean, PartialDownloadsRemovesTickedRowsOnlyAndRefusesALink) {
    const std::string a = oldDownload("a.part");
    const std::string b = oldDownload("b.part");
    const std::string c = oldDownload("c.part");
    engine_->fillPartialDownloads();
    engine_->mainDataSource(kPartial).withLock(
        [](ModuleList::Nodes&, ModuleList::Rows& rows) { row::setState(rows[2], 0); });
    swapForLink(b);

    engine_->removePartialDownloads();

    EXPECT_FALSE(FileManager::exists(a));
    EXPECT_TRUE(FileManager::exists(c));
    EXPECT_EQ(FileManager::readFile(outside_.file("b.part")), "keep");
    EXPECT_EQ(remaining(kPartial), (std::vector<std::string>{"b.part", "c.part"}));
    const Sequence all = recorder_->sequence(kPartial);
    EXPECT_EQ(Sequence(all.end() - 5, all.end()),
              (Sequence{"start", "update", "reload", "reload", "stop"}));
    EXPECT_EQ(recorder_->named("DataFillerUpdateNotification").back().info("count"), "1");
}

TEST_F(FlatClean, OldDownloadsCountsVanishedRowsAndReloadsEveryFiveRows) {
    for (int i = 0; i < 7; ++i)
        oldDownload("file" + std::to_string(i));
    engine_->fillDownloadsData();
    tickAllRows(kOld);
    fs::remove(home_.file("Downloads/file1")); // the user deleted it meanwhile
    swapForLink(home_.file("Downloads/file4"));
    const std::size_t before = recorder_->all().size();

    engine_->removeOldDownloads();

    EXPECT_EQ(remaining(kOld), (std::vector<std::string>{"file4"}));
    EXPECT_EQ(FileManager::readFile(outside_.file("file4")), "keep");
    Sequence clean;
    const auto all = recorder_->all();
    for (std::size_t i = before; i < all.size(); ++i)
        if (all[i].name != "AnimateLockNotification") clean.push_back(all[i].name.substr(0, 6));
    EXPECT_EQ(clean, (Sequence{"Activi", "DataFi", "DataFi", "DataFi", "DataFi", "Reload", "DataFi",
                               "DataFi", "Reload", "Activi"}));
    const auto last = recorder_->named("DataFillerUpdateNotification").back();
    EXPECT_EQ(last.info("count"), "6");
    EXPECT_EQ(last.info("size"), "50"); // the vanished file freed nothing
}

TEST_F(FlatClean, TrashCleanerRemovesReportsOfBothFolders) {
    const std::string a = home_.write("Library/Logs/DiagnosticReports/A.crash", "aaa");
    const std::string b = home_.write("Library/Logs/DiagnosticReports/Retired/B.ips", "bb");
    engine_->fillTemporaryData();
    engine_->removeTrashCleaner();
    EXPECT_FALSE(FileManager::exists(a));
    EXPECT_FALSE(FileManager::exists(b));
    EXPECT_TRUE(remaining(kTrash).empty());
    const Sequence all = recorder_->sequence(kTrash);
    EXPECT_EQ(Sequence(all.end() - 6, all.end()),
              (Sequence{"start", "update", "reload", "update", "reload", "stop"}));
    EXPECT_EQ(recorder_->named("DataFillerUpdateNotification").back().info("size"), "5");
}

// A ticked cache folder deeper than the descriptor limit used to stay ("Too many open files").
TEST_F(ModuleClean, ATickedCacheFolderOfAnyDepthIsRemoved) {
    const std::string deep = home_.mkdir(caches("deep"));
    makeDeepTree(deep, 10000, "bottom", "cache");
    const std::string keep = home_.write(caches("keep"), "12345");
    DescriptorLimit limit(64);
    scanCaches();
    untick(kCache, "keep");
    EXPECT_EQ(group(kCache, 0)->children().front()->size(), "5");

    engine_->removeCacheCleaner();

    EXPECT_FALSE(FileManager::exists(deep));
    EXPECT_TRUE(FileManager::exists(keep));
}
