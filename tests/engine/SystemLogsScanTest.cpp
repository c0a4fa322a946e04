#include "BrowserFixtures.h"
#include "CareFixtures.h"
#include "EngineTestSupport.h"

#include "engine/LogsCleanerScan.h"
#include "engine/SystemCleanerScan.h"
#include "platform/core/FileManager.h"
#include "platform/core/NotificationCenter.h"
#include "platform/core/SafeFileReader.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

using qengine::LogsCleanerScan;
using qengine::OutlineViewNode;
using qengine::SystemCleanerScan;

namespace {

const std::string kCache = "System Cleaner";
const std::string kLogs = "Logs Cleaner";

std::vector<std::string> titles(const OutlineViewNode& group) {
    std::vector<std::string> out;
    for (const auto& child : group.children())
        out.push_back(child->title());
    return out;
}

int count(const std::vector<std::string>& sequence, const std::string& what) {
    return static_cast<int>(std::count(sequence.begin(), sequence.end(), what));
}

} // namespace

TEST(CareNameFilters, UserCachesContainersAndLogs) {
    for (const char* skipped :
         {"Com.Apple.Maps.Something", "com.apple.metadata.spotlight.x", "CloudKit",
          "com.BigFishGames.x", "firefox", "Com.Apple.Safari", "COM.GOOGLE.CHROME"})
        EXPECT_TRUE(SystemCleanerScan::skipsUserCacheName(skipped)) << skipped;
    for (const char* listed :
         {"firefox.old", "com.apple.Safari.SafeBrowsing", "com.example.app", "org.mozilla.firefox"})
        EXPECT_FALSE(SystemCleanerScan::skipsUserCacheName(listed)) << listed;

    for (const char* skipped : {".Trash", "com.apple.Maps", "COM.APPLE.PHOTOANALYSISD.x"})
        EXPECT_TRUE(SystemCleanerScan::skipsContainerName(skipped)) << skipped;
    // Only the map and photo-analysis containers of the system are passed over.
    EXPECT_FALSE(SystemCleanerScan::skipsContainerName("com.apple.TextEdit"));

    for (const char* skipped : {"DiagnosticReports", "com.apple.xpc.launchd", "Varnello.log",
                                "Zolvane_setup.LOG", "rivozorev-2024.log", "zolvaned"})
        EXPECT_TRUE(LogsCleanerScan::skipsLogName(skipped)) << skipped;
    for (const char* listed : {"diagnosticreports", "Zolvane_setup.txt", "MyApp", "install.log"})
        EXPECT_FALSE(LogsCleanerScan::skipsLogName(listed)) << listed;
}

class CareTreeScan : public EngineTest {
protected:
    std::string caches(const std::string& name) const { return "Library/Caches/" + name; }
    std::string containerCaches(const std::string& container, const std::string& name) const {
        return "Library/Containers/" + container + "/Data/Library/Caches/" + name;
    }
    OutlineViewNode::Ptr group(const std::string& module, std::size_t index) const {
        const auto nodes = engine_->mainDataSource(module).nodesSnapshot();
        return index < nodes.size() ? nodes[index] : nullptr;
    }
    std::size_t children(const std::string& module) const {
        std::size_t n = 0;
        for (const auto& g : engine_->mainDataSource(module).nodesSnapshot())
            n += g->children().size();
        return n;
    }
};

TEST_F(CareTreeScan, SystemCleanerListsUserCachesAndContainerCaches) {
    home_.write(caches("Com.Apple.Maps.Something/tiles"), "12345");
    home_.write(caches("firefox/cache2"), "1");
    home_.write(caches("firefox.old/cache2"), "12345678");
    home_.write(caches("zero.bin"), "");
    care::makeDatabase(home_.write(caches("x.db")), 0);
    care::makeDatabase(home_.write(caches("y.db")), 2);
    // An application installed for the user lends its icon to its cache row.
    qcore::Value(qcore::Dictionary{{"CFBundleIdentifier", "com.example.app"}})
        .writeXmlPlistAtomically(home_.mkdir("Applications/Example.app/Contents") + "/Info.plist");
    home_.write(caches("com.example.app/data"), "123");

    home_.write(containerCaches("com.example.app", "a.bin"), std::string(10, 'a'));
    home_.write(containerCaches("com.example.app", "b.bin"), std::string(5, 'b'));
    care::makeDatabase(home_.write(containerCaches("com.example.app", "empty.sqlite")), 0);
    home_.write(containerCaches("com.empty.file", "nothing"), "");
    care::makeDatabase(home_.write(containerCaches("com.db.only", "y.sqlite")), 0);
    home_.write(containerCaches(".hidden", "a.bin"), "abc");
    home_.write(containerCaches("com.apple.photoanalysisd", "a.bin"), "abc");
    home_.mkdir("Library/Containers/com.no.caches/Data");

    {
        care::PausingPage page(engine_->flags(kCache).pause);
        engine_->fillCacheCleaner();
    }

    ASSERT_EQ(engine_->mainDataSource(kCache).nodeCount(), 2u);
    const auto userCache = group(kCache, 0);
    EXPECT_TRUE(userCache->isDirectory());
    EXPECT_EQ(userCache->fullPath(), home_.path() + "/Library/Caches/");
    EXPECT_EQ(titles(*userCache),
              (std::vector<std::string>{"com.example.app", "firefox.old", "y.db", "zero.bin"}));
    EXPECT_EQ(userCache->children()[0]->icon().kind, qengine::NodeIcon::Kind::ApplicationIcon);
    EXPECT_EQ(userCache->children()[1]->size(), "8"); // a folder counts what it holds
    EXPECT_EQ(userCache->children()[1]->state(), 1);
    EXPECT_FALSE(userCache->children()[1]->isDirectory());

    const auto sandbox = group(kCache, 1);
    ASSERT_EQ(sandbox->children().size(), 1u);
    const auto& container = *sandbox->children()[0];
    EXPECT_EQ(container.title(), "com.example.app");
    EXPECT_EQ(container.fullPath(), "com.example.app");
    EXPECT_EQ(container.parentIndex(), 1);
    EXPECT_TRUE(container.isMultiplePaths());
    const std::string folder = home_.path() + "/" + containerCaches("com.example.app", "");
    EXPECT_EQ(container.arrFullPath(),
              (std::vector<std::string>{folder + "a.bin", folder + "b.bin"}));
    EXPECT_EQ(container.size(), "15");

    const auto updates = recorder_->named("DataFillerUpdateNotification");
    ASSERT_EQ(updates.size(), 5u);
    EXPECT_EQ(updates.back().info("count"), "5");
    // Counted points: 7 cache entries (filtered ones too) and 4 containers that passed.
    EXPECT_EQ(count(recorder_->sequence(kCache), "reload"), 2);
    EXPECT_EQ(recorder_->sequence(kCache).back(), "stop");
}

TEST_F(CareTreeScan, SystemCleanerScanLeavesALiveWalDatabaseByteForByte) {
    const std::string folder = home_.mkdir("Library/Caches");
    fixtures::liveWalDb(folder + "/live.db", 2);
    const auto before = fixtures::folderBytes(folder);
    ASSERT_EQ(before.size(), 3u);

    engine_->fillCacheCleaner();

    EXPECT_EQ(fixtures::folderBytes(folder), before);
    // Listed by its rows in the log; its companions never on their own.
    EXPECT_EQ(titles(*group(kCache, 0)), std::vector<std::string>{"live.db"});
}

// Both blocked the scan for ever in open(), where Stop could not reach it.
TEST_F(CareTreeScan, APipeNamedLikeACacheDatabaseIsSkippedNamedAndTheRestListed) {
    care::makeDatabase(home_.write(caches("y.db")), 2);
    home_.write(containerCaches("com.example.app", "a.bin"), std::string(10, 'a'));
    const std::vector<std::string> pipes{
        home_.file(caches("x.db")), home_.file(containerCaches("com.example.app", "x.sqlite"))};
    for (const auto& pipe : pipes)
        ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    const auto run = runBounded(pipes, [&] { engine_->fillCacheCleaner(); });

    ASSERT_TRUE(run.endedInTime);
    for (const auto& pipe : pipes)
        EXPECT_NE(run.log.find("Skipping " + pipe + ": it is a pipe"), std::string::npos)
            << run.log;
    EXPECT_EQ(titles(*group(kCache, 0)), std::vector<std::string>{"y.db"});
    ASSERT_EQ(group(kCache, 1)->children().size(), 1u);
    EXPECT_EQ(group(kCache, 1)->children()[0]->arrFullPath(),
              std::vector<std::string>{home_.file(containerCaches("com.example.app", "a.bin"))});
}

TEST_F(CareTreeScan, AContainerRowCountsAllItsFoldersHold) {
    home_.write(containerCaches("com.example.app", "a.bin"), std::string(10, 'a'));
    home_.write(containerCaches("com.example.app", "sub/b.bin"), std::string(700, 'b'));
    home_.write(containerCaches("com.example.app", "sub/deeper/c.bin"), std::string(7000, 'c'));

    engine_->fillCacheCleaner();

    const auto sandbox = group(kCache, 1);
    ASSERT_EQ(sandbox->children().size(), 1u);
    EXPECT_EQ(sandbox->children()[0]->size(), "7710");
    EXPECT_EQ(recorder_->named("DataFillerUpdateNotification").back().info("size"), "7710");
}

TEST_F(CareTreeScan, AnEmptyHomeGivesEmptyGroups) {
    engine_->fillCacheCleaner();
    EXPECT_EQ(engine_->mainDataSource(kCache).nodeCount(), 2u);
    EXPECT_EQ(children(kCache), 0u);
    EXPECT_EQ(recorder_->sequence(kCache), (std::vector<std::string>{"start", "stop"}));
}

TEST_F(CareTreeScan, SystemCleanerNeverWalksALinkedCachesFolder) {
    TempDir elsewhere;
    elsewhere.write("secret.bin", "abc");
    home_.mkdir("Library/Containers/com.linked.app/Data/Library");
    std::filesystem::create_directory_symlink(
        elsewhere.path(), home_.path() + "/Library/Containers/com.linked.app/Data/Library/Caches");
    engine_->fillCacheCleaner();
    EXPECT_EQ(children(kCache), 0u);
}

TEST_F(CareTreeScan, PauseHandshakeHoldsTheScanUntilThePageClearsIt) {
    for (int i = 0; i < 12; ++i)
        home_.write("Library/Logs/log" + std::to_string(10 + i) + ".txt", "x");
    std::vector<std::size_t> seenAtPause;
    bool heldStill = true;
    {
        care::PausingPage page(engine_->flags(kLogs).pause, [&] {
            const std::size_t before = children(kLogs);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            heldStill = heldStill && children(kLogs) == before;
            seenAtPause.push_back(before);
        });
        engine_->fillLogsCleaner();
        EXPECT_EQ(page.handshakes(), 2);
    }
    EXPECT_TRUE(heldStill);
    // Before the 6th and the 11th counted entry.
    EXPECT_EQ(seenAtPause, (std::vector<std::size_t>{5, 10}));
    EXPECT_EQ(children(kLogs), 12u);
    EXPECT_FALSE(engine_->pauseLogsCleaner());
}

TEST_F(CareTreeScan, HandshakeCounterRunsOnFromUserCachesIntoContainers) {
    for (const char* name : {"a", "b", "c"})
        home_.write(caches(name), "1");
    for (const char* name : {"com.one", "com.two", "com.three"})
        home_.write(containerCaches(name, "f"), "1");
    std::vector<std::size_t> seenAtPause;
    {
        care::PausingPage page(engine_->flags(kCache).pause,
                               [&] { seenAtPause.push_back(children(kCache)); });
        engine_->fillCacheCleaner();
    }
    // Three user caches and two containers were listed when the page was asked to redraw.
    EXPECT_EQ(seenAtPause, (std::vector<std::size_t>{5}));
    ASSERT_NE(group(kCache, 1), nullptr);
    EXPECT_EQ(group(kCache, 1)->children().size(), 3u);
}

TEST_F(CareTreeScan, AStopRequestEndsTheUserCachesAndThenTheContainerWalk) {
    for (const char* name : {"a", "b", "c", "d"})
        home_.write(caches(name), "1");
    for (const char* name : {"com.one", "com.two"})
        home_.write(containerCaches(name, "f"), "1");
    int updates = 0;
    qcore::NotificationCenter::defaultCenter().addObserver(
        this, "DataFillerUpdateNotification", [&](const qcore::Notification&) {
            if (++updates == 2) engine_->setStopFillingCacheCleaner(true);
        });
    engine_->fillCacheCleaner();
    qcore::NotificationCenter::defaultCenter().removeObserversOf(this);

    EXPECT_EQ(group(kCache, 0)->children().size(), 2u);
    // The request is not cleared between the walks: the first container ends the scan.
    EXPECT_EQ(group(kCache, 1)->children().size(), 1u);
    EXPECT_TRUE(engine_->abortedCacheCleaner());
    EXPECT_FALSE(engine_->stopFillingCacheCleaner());
    EXPECT_FALSE(engine_->isFillingCacheCleaner());
}

TEST_F(CareTreeScan, AStopMadeWhilePausedTakesEffectAfterThePageClearsThePause) {
    for (int i = 0; i < 8; ++i)
        home_.write("Library/Logs/log" + std::to_string(i), "x");
    {
        care::PausingPage page(engine_->flags(kLogs).pause,
                               [&] { engine_->setStopFillingLogsCleaner(true); });
        engine_->fillLogsCleaner();
    }
    // Paused before the 6th entry; the 6th is listed, then the stop test ends the walk.
    EXPECT_EQ(children(kLogs), 6u);
    EXPECT_TRUE(engine_->abortedLogsCleaner());
}

TEST_F(CareTreeScan, LogsCleanerListsEntriesButCrashReportsAndSystemLogs) {
    home_.write("Library/Logs/DiagnosticReports/App.crash", "crash");
    home_.write("Library/Logs/diagnosticreports/note", "1");
    home_.write("Library/Logs/com.apple.xpc.launchd/launchd.log", "1");
    home_.write("Library/Logs/MyApp/run.log", "1234");
    home_.write("Library/Logs/install.log", "12");

    engine_->fillLogsCleaner();

    ASSERT_EQ(engine_->mainDataSource(kLogs).nodeCount(), 1u);
    const auto logs = group(kLogs, 0);
    EXPECT_EQ(logs->fullPath(), home_.path() + "/Library/Logs/");
    EXPECT_EQ(titles(*logs),
              (std::vector<std::string>{"MyApp", "diagnosticreports", "install.log"}));
    EXPECT_EQ(logs->children()[0]->fullPath(), home_.path() + "/Library/Logs/MyApp");
    EXPECT_EQ(logs->children()[0]->parentIndex(), 0);
    EXPECT_EQ(recorder_->sequence(kLogs),
              (std::vector<std::string>{"start", "update", "update", "update", "stop"}));
    EXPECT_EQ(recorder_->named("DataFillerUpdateNotification").back().info("size"), "7");
}

// Each application's Info.plist was read again for every cache entry: applications times
// caches reads of files that may be large.
TEST_F(CareTreeScan, SystemCleanerReadsEachApplicationsInfoOncePerScan) {
    for (int app = 0; app < 3; ++app) {
        const std::string id = "com.example.app" + std::to_string(app);
        qcore::Value(qcore::Dictionary{{"CFBundleIdentifier", id}})
            .writeXmlPlistAtomically(
                home_.mkdir("Applications/App" + std::to_string(app) + ".app/Contents") +
                "/Info.plist");
    }
    for (int cache = 0; cache < 10; ++cache)
        home_.write(caches("com.example.app" + std::to_string(cache) + "/data"), "123");
    std::atomic<int> infoReads{0};
    qcore::SafeFileReader::setObserverForTesting([&](const std::string& path) {
        if (path.starts_with(home_.path()) && path.ends_with("Info.plist")) ++infoReads;
    });
    {
        care::PausingPage page(engine_->flags(kCache).pause);
        engine_->fillCacheCleaner();
    }
    qcore::SafeFileReader::setObserverForTesting({});

    EXPECT_EQ(infoReads.load(), 3);
    const auto userCache = group(kCache, 0);
    ASSERT_EQ(userCache->children().size(), 10u);
    EXPECT_EQ(userCache->children()[2]->icon().kind, qengine::NodeIcon::Kind::ApplicationIcon);
    EXPECT_NE(userCache->children()[3]->icon().kind, qengine::NodeIcon::Kind::ApplicationIcon);
}
