#include "BrowserFixtures.h"
#include "EngineTestSupport.h"

#include "engine/CountedPaths.h"
#include "engine/DBOperations.h"
#include "engine/FirefoxProfiles.h"
#include "engine/InternetPrivacyScan.h"
#include "engine/PrivacyItemNode.h"
#include "platform/core/FileManager.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using qengine::InternetPrivacyScan;
using qengine::OutlineViewNode;
using qengine::PrivacyItemNode;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

const std::string kModule = "Internet Privacy";
const std::string kChrome = "Library/Application Support/Google/Chrome/Default/";
const std::string kProfile = "Library/Application Support/Firefox/Profiles/abc.second/";

std::uint64_t sizeOf(const std::string& path) {
    return fs::file_size(path);
}

class InternetPrivacy : public EngineTest {
protected:
    using ModuleNodes = qengine::ModuleList::Nodes;

    void SetUp() override {
        EngineTest::SetUp();
        qengine::DBOperations::setBusyTimeout(std::chrono::milliseconds(100));
    }
    void TearDown() override {
        qengine::DBOperations::setBusyTimeout(std::chrono::milliseconds(2000));
        EngineTest::TearDown();
    }

    std::string at(const std::string& relative) const { return home_.file(relative); }

    // Every browser with traces of every kind the scan knows.
    void makeBrowserTraces() {
        fixtures::simpleDb(mkfile("Library/Safari/WebpageIcons.db"), 3);
        fixtures::safariHistory(mkfile("Library/Safari/History.db"), 4);
        home_.write("Library/Safari/LastSession.plist", std::string(100, 's'));
        home_.write("Library/Safari/LocalStorage/https_site.example_0.localstorage", "12345");
        home_.write("Library/Safari/LocalStorage/notes.txt", "not storage");
        home_.write("Library/Safari/Downloads.plist", std::string(40, 'd'));
        fixtures::simpleDb(mkfile("Library/Caches/com.apple.Safari/Cache.db"), 2);
        home_.write("Library/Caches/com.apple.Safari/Cache.db-wal", std::string(64, 'w'));
        home_.write("Library/Caches/com.apple.Safari/fsCachedData/A1", std::string(30, 'c'));

        fixtures::firefoxPlaces(mkfile(kProfile + "places.sqlite"), {1, 2, 3}, {2});
        fixtures::firefoxCookies(mkfile(kProfile + "cookies.sqlite"), 5);
        fixtures::firefoxSimpleDb(mkfile(kProfile + "downloads.sqlite"), 0);
        fixtures::firefoxSimpleDb(mkfile(kProfile + "content-prefs.sqlite"), 2);
        home_.write(kProfile + "sessionstore.js", std::string(70, 'j'));
        home_.write(kProfile + "sessionstore-backups/previous.jsonlz4", std::string(20, 'p'));
        home_.write("Library/Caches/Firefox/Profiles/abc.default/Cache/entry",
                    std::string(11, 'e'));
        home_.write("Library/Caches/Firefox/Profiles/new.default-release/Cache/e", "ignored");
        home_.write("Library/Caches/org.mozilla.firefox/data", std::string(13, 'o'));
        engine_->setArrMozilaProfilePath({at(kProfile.substr(0, kProfile.size() - 1))});

        fixtures::chromeHistory(mkfile(kChrome + "History"), 3);
        fixtures::chromeCookies(mkfile(kChrome + "Cookies"), 2);
        fixtures::chromeTopSites(mkfile(kChrome + "Top Sites"), 2);
        fixtures::simpleDb(mkfile(kChrome + "Favicons"), 2);
        home_.write(kChrome + "Current Session", std::string(50, 'x'));
        home_.write(kChrome + "Sessions/Session_1", std::string(60, 'y'));
        home_.write("Library/Caches/Google/g", std::string(17, 'g'));
        home_.write("Library/Caches/com.google.Chrome/c", std::string(19, 'c'));
    }

    std::string mkfile(const std::string& relative) const {
        fs::create_directories(fs::path(at(relative)).parent_path());
        return at(relative);
    }

    ModuleNodes groups() const { return engine_->mainDataSource(kModule).nodesSnapshot(); }

    static Strings titles(const ModuleNodes& nodes) {
        Strings out;
        for (const auto& node : nodes)
            out.push_back(node->title());
        return out;
    }

    // The item of a group holding `path`, or nullptr.
    static OutlineViewNode::Ptr itemWith(const OutlineViewNode::Ptr& group,
                                         const std::string& path) {
        for (const auto& child : group->children()) {
            const auto& paths = child->arrFullPath();
            if (std::find(paths.begin(), paths.end(), path) != paths.end()) return child;
        }
        return nullptr;
    }

    void tickAll() {
        engine_->mainDataSource(kModule).withLock([](auto& nodes, auto&) {
            for (auto& group : nodes) {
                group->setState(1);
                for (auto& child : group->children())
                    child->setState(1);
            }
        });
    }

    void tickOnly(const std::string& path) {
        engine_->mainDataSource(kModule).withLock([&](auto& nodes, auto&) {
            for (auto& group : nodes)
                for (auto& child : group->children()) {
                    const auto& paths = child->arrFullPath();
                    if (std::find(paths.begin(), paths.end(), path) == paths.end()) continue;
                    child->setState(1);
                    group->setState(-1);
                }
        });
    }
};

} // namespace

TEST(InternetPrivacyChrome, ClassifiesProfileEntriesForHistory) {
    Strings tables;
    EXPECT_EQ(InternetPrivacyScan::checkChromeHistoryItem("Current Tabs", tables),
              InternetPrivacyScan::WholeFile);
    EXPECT_EQ(InternetPrivacyScan::checkChromeHistoryItem("last tabs", tables),
              InternetPrivacyScan::WholeFile);
    EXPECT_TRUE(tables.empty());
    EXPECT_EQ(InternetPrivacyScan::checkChromeHistoryItem("History", tables),
              InternetPrivacyScan::InTables);
    EXPECT_EQ(Strings(tables.begin(), tables.begin() + 4),
              (Strings{"urls", "segments", "downloads", "keyword_search_terms"}));
    EXPECT_NE(std::find(tables.begin(), tables.end(), "visits"), tables.end());
    tables.clear();
    EXPECT_EQ(InternetPrivacyScan::checkChromeHistoryItem("History Index 2013-05", tables),
              InternetPrivacyScan::InTables);
    EXPECT_EQ(tables, Strings{"pages_content"});
    tables.clear();
    EXPECT_EQ(InternetPrivacyScan::checkChromeHistoryItem("Top Sites", tables),
              InternetPrivacyScan::InTables);
    EXPECT_EQ(tables, (Strings{"thumbnails", "top_sites"}));
    tables.clear();
    for (const char* other : {"History-journal", "Cookies", "Favicons", "Historyx"})
        EXPECT_EQ(InternetPrivacyScan::checkChromeHistoryItem(other, tables),
                  InternetPrivacyScan::NotHistory)
            << other;
    EXPECT_TRUE(tables.empty());
}

TEST_F(InternetPrivacy, NoTracesLeaveTheListEmptyWithOneReloadPerBrowser) {
    fixtures::firefoxSimpleDb(mkfile(kProfile + "cookies.sqlite"), 0);
    engine_->setArrMozilaProfilePath({at(kProfile)});

    engine_->fillInternetPrivacy();

    EXPECT_TRUE(engine_->mainDataSource(kModule).empty());
    EXPECT_EQ(recorder_->sequence(kModule),
              (Strings{"start", "reload", "reload", "reload", "stop"}));
    EXPECT_FALSE(engine_->isFillingInternetPrivacy());
}

TEST_F(InternetPrivacy, ScanListsEachBrowsersKindsWithTheirPathsAndSizes) {
    makeBrowserTraces();

    engine_->fillInternetPrivacy();

    EXPECT_EQ(recorder_->sequence(kModule), (Strings{"start", "update", "reload", "update",
                                                     "reload", "update", "reload", "stop"}));
    const auto nodes = groups();
    ASSERT_EQ(titles(nodes), (Strings{"Safari", "Firefox", "Google Chrome"}));
    std::size_t items = 0;
    std::uint64_t bytes = 0;
    for (std::size_t g = 0; g < nodes.size(); ++g) {
        EXPECT_TRUE(nodes[g]->isDirectory());
        EXPECT_EQ(nodes[g]->state(), 0);
        for (const auto& child : nodes[g]->children()) {
            EXPECT_EQ(child->parentIndex(), static_cast<std::int64_t>(g));
            EXPECT_EQ(child->state(), 0);
            EXPECT_TRUE(child->isMultiplePaths());
            bytes += child->sizeInBytes();
        }
        items += nodes[g]->children().size();
    }
    const auto last = recorder_->named("DataFillerUpdateNotification").back();
    EXPECT_EQ(last.info("count"), std::to_string(items));
    EXPECT_EQ(last.info("size"), std::to_string(bytes));

    // Safari: five kinds; titles come from the language table.
    const auto& safari = nodes[0];
    EXPECT_EQ(safari->children().size(), 5u);
    const auto history = itemWith(safari, at("Library/Safari/History.db"));
    ASSERT_TRUE(history);
    EXPECT_EQ(history->title(), "History");
    EXPECT_EQ(history->arrFullPath(),
              (Strings{at("Library/Safari/History.db"), at("Library/Safari/LastSession.plist")}));
    EXPECT_EQ(history->sizeInBytes(), sizeOf(at("Library/Safari/History.db")) + 100);
    const auto storage =
        itemWith(safari, at("Library/Safari/LocalStorage/https_site.example_0.localstorage"));
    ASSERT_TRUE(storage);
    EXPECT_EQ(storage->arrFullPath().size(), 1u);
    // A database's WAL file goes with its database, never on its own.
    const auto appCache = itemWith(safari, at("Library/Caches/com.apple.Safari/Cache.db"));
    ASSERT_TRUE(appCache);
    EXPECT_EQ(appCache->arrFullPath(),
              (Strings{at("Library/Caches/com.apple.Safari/Cache.db"),
                       at("Library/Caches/com.apple.Safari/fsCachedData")}));

    // Firefox: an empty downloads database and the missing session backup are not listed;
    // the shared cache folder is listed once; ".default-release" is no ".default".
    const auto& firefox = nodes[1];
    EXPECT_FALSE(itemWith(firefox, at(kProfile + "downloads.sqlite")));
    const auto cache = itemWith(firefox, at("Library/Caches/org.mozilla.firefox"));
    ASSERT_TRUE(cache);
    EXPECT_EQ(cache->arrFullPath(),
              (Strings{at("Library/Caches/Firefox/Profiles/abc.default/Cache"),
                       at("Library/Caches/org.mozilla.firefox")}));
    EXPECT_EQ(cache->sizeInBytes(), 24u);
    const auto places = itemWith(firefox, at(kProfile + "places.sqlite"));
    ASSERT_TRUE(places);
    EXPECT_EQ(places->arrFullPath().back(), at(kProfile + "sessionstore-backups/previous.jsonlz4"));
    const auto session = itemWith(firefox, at(kProfile + "sessionstore.js"));
    ASSERT_TRUE(session);
    EXPECT_EQ(session->arrFullPath().size(), 1u);
    EXPECT_EQ(firefox->children().size(), 6u);

    // Google Chrome: the cache folder shared with "Application Cache" is counted once.
    const auto& chrome = nodes[2];
    const auto chromeHistory = itemWith(chrome, at(kChrome + "History"));
    ASSERT_TRUE(chromeHistory);
    // "Current Session" is history as a whole file and so not listed again under "Session".
    EXPECT_EQ(chromeHistory->arrFullPath(),
              (Strings{at(kChrome + "Current Session"), at(kChrome + "History"),
                       at(kChrome + "Top Sites")}));
    EXPECT_TRUE(itemWith(chrome, at(kChrome + "Cookies")));
    ASSERT_TRUE(itemWith(chrome, at(kChrome + "Sessions")));
    EXPECT_EQ(itemWith(chrome, at(kChrome + "Sessions"))->arrFullPath().size(), 1u);
    EXPECT_EQ(chrome->children().size(), 4u);
}

TEST_F(InternetPrivacy, StopRequestEndsTheScanAfterSafari) {
    makeBrowserTraces();
    engine_->setStopFillingInternetPrivacy(true);

    engine_->fillInternetPrivacy();

    EXPECT_EQ(titles(groups()), Strings{"Safari"});
    EXPECT_EQ(recorder_->sequence(kModule), (Strings{"start", "update", "reload", "stop"}));
    EXPECT_TRUE(engine_->abortedInternetPrivacy());
    EXPECT_FALSE(engine_->stopFillingInternetPrivacy());
}

TEST_F(InternetPrivacy, CleanEmptiesDatabasesInPlaceAndRemovesTheRest) {
    makeBrowserTraces();
    engine_->fillInternetPrivacy();
    const auto nodes = groups();
    std::size_t items = 0;
    std::uint64_t bytes = 0;
    for (const auto& group : nodes) {
        items += group->children().size();
        for (const auto& child : group->children())
            bytes += child->sizeInBytes();
    }
    tickAll();
    const std::size_t before = recorder_->all().size();

    engine_->removeInternetPrivacy();

    for (const auto& group : groups()) {
        EXPECT_TRUE(group->children().empty()) << group->title();
        EXPECT_EQ(group->state(), 0);
    }
    // Databases stay, without their rows; bookmarks survive the history.
    EXPECT_EQ(fixtures::rowCount(at("Library/Safari/WebpageIcons.db"), "icons"), 0);
    EXPECT_EQ(fixtures::rowCount(at("Library/Safari/History.db"), "history_items"), 0);
    EXPECT_EQ(fixtures::rowCount(at(kProfile + "places.sqlite"), "moz_places"), 1);
    EXPECT_EQ(fixtures::rowCount(at(kProfile + "places.sqlite"), "moz_bookmarks"), 2);
    EXPECT_EQ(fixtures::rowCount(at(kProfile + "cookies.sqlite"), "moz_cookies"), 0);
    EXPECT_EQ(fixtures::rowCount(at(kChrome + "History"), "urls"), 0);
    EXPECT_EQ(fixtures::rowCount(at(kChrome + "History"), "visits"), 0);
    EXPECT_EQ(fixtures::rowCount(at(kChrome + "History"), "meta"), 2);
    EXPECT_EQ(fixtures::rowCount(at(kChrome + "Cookies"), "cookies"), 0);
    EXPECT_EQ(fixtures::rowCount(at(kChrome + "Top Sites"), "top_sites"), 0);
    EXPECT_EQ(fixtures::integrityCheck(at(kChrome + "History")), "ok");
    // Plain traces are gone; what was never listed is still there.
    for (const auto* gone : {"Library/Safari/LastSession.plist", "Library/Safari/Downloads.plist",
                             "Library/Caches/Google", "Library/Caches/com.google.Chrome",
                             "Library/Caches/org.mozilla.firefox"})
        EXPECT_FALSE(fs::exists(at(gone))) << gone;
    EXPECT_FALSE(fs::exists(at(kChrome + "Sessions")));
    EXPECT_FALSE(fs::exists(at(kProfile + "sessionstore.js")));
    EXPECT_TRUE(fs::exists(at("Library/Safari/LocalStorage/notes.txt")));
    EXPECT_FALSE(fs::exists(at("Library/Caches/Firefox")));
    EXPECT_TRUE(fs::exists(at(kChrome + "Favicons")));
    EXPECT_TRUE(fs::exists(at(kProfile + "downloads.sqlite")));
    // The previous session goes to the Trash instead.
    EXPECT_FALSE(fs::exists(at(kProfile + "sessionstore-backups/previous.jsonlz4")));
    EXPECT_TRUE(fs::exists(at(".Trash/previous.jsonlz4")));

    Strings sequence = recorder_->sequence(kModule);
    sequence.erase(sequence.begin(), sequence.begin() + 8); // the scan's
    Strings expected{"start"};
    for (std::size_t i = 0; i < items; ++i) {
        if (i > 0) expected.push_back("reload");
        expected.push_back("update");
    }
    expected.push_back("stop");
    EXPECT_EQ(sequence, expected);
    const auto last = recorder_->named("DataFillerUpdateNotification").back();
    EXPECT_EQ(last.info("count"), std::to_string(items));
    EXPECT_EQ(last.info("size"), std::to_string(bytes));
    EXPECT_GT(recorder_->all().size(), before);
    EXPECT_FALSE(engine_->isRemovingInternetPrivacy());
}

TEST_F(InternetPrivacy, HistoryCleanOfCurrentLayoutsLeavesNoVisitedTraceAndKeepsBookmarks) {
    const std::string places = mkfile(kProfile + "places.sqlite");
    fixtures::firefoxPlaces(places, {1, 2, 3}, {2});
    fixtures::firefoxCurrentTraces(places, {1, 3}, 2);
    engine_->setArrMozilaProfilePath({at(kProfile.substr(0, kProfile.size() - 1))});
    const std::string history = mkfile(kChrome + "History");
    fixtures::chromeHistory(history, 3);
    fixtures::chromeCurrentTraces(history, 3);
    const std::string bookmarks = home_.write(kChrome + "Bookmarks", R"({"roots":{}})");
    const std::string bookmarkRows = fixtures::Connection(places).text(
        "SELECT group_concat(id || fk || title) FROM moz_bookmarks");
    engine_->fillInternetPrivacy();
    tickOnly(places);
    tickOnly(history);

    engine_->removeInternetPrivacy();

    // Nothing anywhere still tells where the user went.
    for (const auto* needle : {"visited", "site1.example", "site3.example"})
        EXPECT_EQ(fixtures::cellsMentioning(places, needle), Strings{}) << needle;
    for (const auto* needle : {"visited", "site"})
        EXPECT_EQ(fixtures::cellsMentioning(history, needle), Strings{}) << needle;
    // The bookmarked place stays with its origin, but without visits to tell of.
    EXPECT_EQ(fixtures::Connection(places).text(
                  "SELECT group_concat(id || fk || title) FROM moz_bookmarks"),
              bookmarkRows);
    EXPECT_EQ(fixtures::ids(places, "SELECT id FROM moz_places"), (std::vector<std::int64_t>{2}));
    EXPECT_EQ(fixtures::rowCount(places, "moz_origins"), 1);
    EXPECT_EQ(fixtures::Connection(places).text(
                  "SELECT visit_count || '/' || ifnull(last_visit_date, '-')"
                  " FROM moz_places"),
              "0/-");
    EXPECT_EQ(fixtures::rowCount(places, "moz_historyvisits"), 0);
    EXPECT_EQ(fixtures::rowCount(places, "moz_anno_attributes"), 1);
    EXPECT_EQ(qcore::FileManager::readFile(bookmarks).value_or(""), R"({"roots":{}})");
    EXPECT_EQ(fixtures::rowCount(history, "meta"), 2);
    for (const auto& path : {places, history})
        EXPECT_EQ(fixtures::integrityCheck(path), "ok") << path;
}

TEST_F(InternetPrivacy, APathInsideAnotherListedPathCountsOnce) {
    home_.write("Library/Caches/Firefox/Profiles/abc.default/Cache/entry", std::string(11, 'e'));
    home_.write("Library/Caches/Firefox/other", std::string(5, 'o'));

    engine_->fillInternetPrivacy();

    const auto nodes = groups();
    ASSERT_EQ(titles(nodes), Strings{"Firefox"});
    const auto cache = itemWith(nodes[0], at("Library/Caches/Firefox/Profiles/abc.default/Cache"));
    const auto appCache = itemWith(nodes[0], at("Library/Caches/Firefox"));
    ASSERT_TRUE(cache && appCache);
    EXPECT_EQ(cache->sizeInBytes(), 11u);
    EXPECT_EQ(appCache->sizeInBytes(), 5u); // the profile cache inside it is counted already
    EXPECT_EQ(recorder_->named("DataFillerUpdateNotification").back().info("size"), "16");
}

TEST(CountedPaths, EveryByteCountsOnceWhicheverComesFirst) {
    qengine::CountedPaths inner;
    EXPECT_EQ(inner.count("/h/C/F/P/x.default/Cache", 11), 11u);
    EXPECT_EQ(inner.count("/h/C/F", 16), 5u);
    EXPECT_EQ(inner.count("/h/C/F/P", 11), 0u);
    EXPECT_EQ(inner.count("/h/C/F", 16), 0u);
    EXPECT_EQ(inner.count("/h/C/Fx", 7), 7u); // a name that only begins like a counted folder

    qengine::CountedPaths outer;
    EXPECT_EQ(outer.count("/h/C/F/", 16), 16u);
    EXPECT_EQ(outer.count("/h/C/F/P/x.default/Cache", 11), 0u);
    EXPECT_EQ(outer.count("/", 100), 84u);
}

TEST_F(InternetPrivacy, CleanTouchesOnlyTickedItems) {
    makeBrowserTraces();
    engine_->fillInternetPrivacy();
    tickOnly(at("Library/Safari/Downloads.plist"));

    engine_->removeInternetPrivacy();

    EXPECT_FALSE(fs::exists(at("Library/Safari/Downloads.plist")));
    EXPECT_TRUE(fs::exists(at("Library/Safari/LastSession.plist")));
    EXPECT_EQ(fixtures::rowCount(at("Library/Safari/History.db"), "history_items"), 4);
    EXPECT_EQ(fixtures::rowCount(at(kChrome + "Cookies"), "cookies"), 2);
    const auto nodes = groups();
    EXPECT_EQ(nodes[0]->children().size(), 4u);
    EXPECT_EQ(nodes[0]->state(), 0);
    EXPECT_EQ(nodes[1]->children().size(), 6u);
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    EXPECT_EQ(updates.back().info("count"), "1");
    EXPECT_EQ(updates.back().info("size"), "40");
}

TEST_F(InternetPrivacy, ItemsThatCannotBeCleanedStayTickedWithWhatIsLeft) {
    makeBrowserTraces();
    const std::string outside = home_.write("elsewhere/keep.txt", "precious");
    fs::create_symlink(outside, at("Library/Safari/LocalStorage/linked.localstorage"));
    engine_->fillInternetPrivacy();
    // After the scan: a listed file becomes a link, and the cookie database gets locked.
    const std::string lastSession = at("Library/Safari/LastSession.plist");
    fs::remove(lastSession);
    fs::create_symlink(outside, lastSession);
    const fixtures::ExclusiveLock lock(at(kChrome + "Cookies"));
    tickAll();

    engine_->removeInternetPrivacy();

    EXPECT_EQ(fs::file_size(outside), 8u);
    EXPECT_FALSE(fs::exists(at("Library/Safari/LocalStorage/linked.localstorage")));
    EXPECT_TRUE(fs::is_symlink(lastSession));
    const auto nodes = groups();
    const auto history = itemWith(nodes[0], lastSession);
    ASSERT_TRUE(history);
    EXPECT_EQ(history->arrFullPath(), Strings{lastSession});
    EXPECT_EQ(history->state(), 1);
    EXPECT_EQ(history->sizeInBytes(), 100u);
    EXPECT_EQ(fixtures::rowCount(at("Library/Safari/History.db"), "history_items"), 0);
    EXPECT_EQ(nodes[0]->children().size(), 1u);
    EXPECT_EQ(nodes[0]->state(), 1);
    const auto cookies = itemWith(nodes[2], at(kChrome + "Cookies"));
    ASSERT_TRUE(cookies);
    EXPECT_EQ(cookies->state(), 1);
    EXPECT_EQ(nodes[2]->children().size(), 1u);
}

TEST_F(InternetPrivacy, CleanOfAnEmptyListPostsStartAndStopOnly) {
    engine_->removeInternetPrivacy();
    EXPECT_EQ(recorder_->sequence(kModule), (Strings{"start", "stop"}));
}

TEST_F(InternetPrivacy, StopRequestLeavesTheRestTicked) {
    makeBrowserTraces();
    engine_->fillInternetPrivacy();
    tickAll();
    engine_->setStopRemovingInternetPrivacy(true);

    engine_->removeInternetPrivacy();

    EXPECT_TRUE(engine_->abortedInternetPrivacy());
    EXPECT_FALSE(engine_->stopRemovingInternetPrivacy());
    EXPECT_TRUE(fs::exists(at("Library/Safari/Downloads.plist")));
    for (const auto& group : groups())
        EXPECT_EQ(group->state(), 1);
    EXPECT_EQ(recorder_->named("DataFillerUpdateNotification").size(), 3u);
}

// A pipe in place of the closed-tabs list blocked the scan for ever; a property list the
// system library choked on ended the process; profiles.ini linked to /dev/zero was read
// without limit.
TEST_F(InternetPrivacy, HostileFilesInPlaceOfBrowserFilesAreSkippedAndTheRestListed) {
    makeBrowserTraces();
    const std::string closedTabs = at("Library/Safari/RecentlyClosedTabs.plist");
    ASSERT_EQ(::mkfifo(closedTabs.c_str(), 0600), 0);
    const std::string profilesIni = at("Library/Application Support/Firefox/profiles.ini");
    ASSERT_EQ(::symlink("/dev/zero", profilesIni.c_str()), 0);
    EXPECT_TRUE(qengine::FirefoxProfiles::readProfilePaths(home_.path()).empty());

    engine_->fillInternetPrivacy();
    const auto nodes = groups();
    ASSERT_EQ(titles(nodes), (Strings{"Safari", "Firefox", "Google Chrome"}));
    EXPECT_EQ(nodes[0]->children().size(), 5u);
    EXPECT_FALSE(itemWith(nodes[0], closedTabs));

    // A dictionary key in UTF-16 holding U+0000, and then nesting 37,000 levels deep.
    fs::remove(closedTabs);
    home_.write("Library/Safari/RecentlyClosedTabs.plist",
                std::string("bplist00\xD1\x01\x02\x62\x00\x61\x00\x00\x09\x08\x0B\x10", 20) +
                    std::string(6, '\0') + std::string("\x01\x01", 2) + std::string(7, '\0') +
                    "\x03" + std::string(8, '\0') + std::string(7, '\0') + "\x11");
    ASSERT_TRUE(qcore::Value::fromPlistFile(closedTabs)->contains(std::string("a\0", 2)));
    engine_->fillInternetPrivacy();
    EXPECT_EQ(groups()[0]->children().size(), 5u);
    std::string deep;
    for (int i = 0; i < 37000; ++i)
        deep += "<array>";
    home_.write("Library/Safari/RecentlyClosedTabs.plist", "<plist>" + deep);
    engine_->fillInternetPrivacy();
    EXPECT_EQ(groups()[0]->children().size(), 5u);
}

namespace {

// A pipe planted in a home, and the database it stands in for or beside.
struct PlantedPipe {
    std::string pipe;
    std::string database;
};

void PrintTo(const PlantedPipe& planted, std::ostream* out) {
    *out << planted.pipe;
}

class InternetPrivacyPipe : public InternetPrivacy,
                            public ::testing::WithParamInterface<PlantedPipe> {};

} // namespace

// Each of these blocked the scan for ever in open(), where Stop could not reach it.
TEST_P(InternetPrivacyPipe, ScanSkipsTheDatabaseNamesItAndListsTheRest) {
    makeBrowserTraces();
    const std::string pipe = at(GetParam().pipe);
    const std::string database = at(GetParam().database);
    fs::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // A live log beside the database, so its index is opened too.
    if (pipe.ends_with("-shm")) home_.write(GetParam().database + "-wal", "");

    const auto run = runBounded({pipe}, [&] { engine_->fillInternetPrivacy(); });

    ASSERT_TRUE(run.endedInTime) << pipe;
    EXPECT_NE(run.log.find("Skipping " + database + ": "), std::string::npos) << run.log;
    EXPECT_NE(run.log.find(pipe + (pipe == database ? ": it is" : " beside it is") + " a pipe"),
              std::string::npos)
        << run.log;
    const auto nodes = groups();
    ASSERT_EQ(titles(nodes), (Strings{"Safari", "Firefox", "Google Chrome"}));
    for (const auto& group : nodes)
        EXPECT_FALSE(itemWith(group, database)) << group->title();
    EXPECT_TRUE(itemWith(nodes[0], at("Library/Safari/Downloads.plist")));
    EXPECT_TRUE(itemWith(nodes[1], at(kProfile + "sessionstore.js")));
    EXPECT_TRUE(itemWith(nodes[2], at(kChrome + "Sessions")));
}

INSTANTIATE_TEST_SUITE_P(
    InHome, InternetPrivacyPipe,
    ::testing::Values(
        PlantedPipe{"Library/Safari/History.db", "Library/Safari/History.db"},
        PlantedPipe{"Library/Safari/WebpageIcons.db", "Library/Safari/WebpageIcons.db"},
        PlantedPipe{kChrome + "History", kChrome + "History"},
        PlantedPipe{kChrome + "Cookies", kChrome + "Cookies"},
        PlantedPipe{kProfile + "places.sqlite", kProfile + "places.sqlite"},
        // The library opens these companions itself, and waited on them just the same.
        PlantedPipe{kChrome + "History-journal", kChrome + "History"},
        PlantedPipe{kProfile + "places.sqlite-shm", kProfile + "places.sqlite"}));

TEST_F(InternetPrivacy, CleanLeavesADatabaseWithAPipeBesideItAndCleansTheRest) {
    makeBrowserTraces();
    engine_->fillInternetPrivacy();
    const std::string history = at("Library/Safari/History.db");
    const std::string cookies = at(kChrome + "Cookies");
    const Strings pipes{history + "-journal", cookies + "-journal"};
    for (const auto& pipe : pipes)
        ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    tickAll();

    const auto run = runBounded(pipes, [&] { engine_->removeInternetPrivacy(); });

    ASSERT_TRUE(run.endedInTime);
    for (const auto& pipe : pipes) {
        EXPECT_NE(run.log.find(pipe + " beside it is a pipe"), std::string::npos) << run.log;
        fs::remove(pipe);
    }
    EXPECT_EQ(fixtures::rowCount(history, "history_items"), 4);
    EXPECT_EQ(fixtures::rowCount(cookies, "cookies"), 2);
    EXPECT_EQ(fixtures::rowCount(at("Library/Safari/WebpageIcons.db"), "icons"), 0);
    EXPECT_FALSE(fs::exists(at("Library/Safari/Downloads.plist")));
    // Their rows stay, ticked.
    const auto nodes = groups();
    const auto historyItem = itemWith(nodes[0], history);
    const auto cookiesItem = itemWith(nodes[2], cookies);
    ASSERT_TRUE(historyItem && cookiesItem);
    EXPECT_EQ(historyItem->state(), 1);
    EXPECT_EQ(cookiesItem->state(), 1);
}
