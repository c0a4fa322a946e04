#include "engine/DBOperations.h"
#include "BrowserFixtures.h"
#include "EngineTestSupport.h"
#include "tests/platform/core/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>

using qengine::DBOperations;
using Strings = std::vector<std::string>;
using Ids = std::vector<std::int64_t>;
namespace fs = std::filesystem;

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class DBOperationsTest : public ::testing::Test {
protected:
    void SetUp() override { DBOperations::setBusyTimeout(std::chrono::milliseconds(150)); }
    void TearDown() override { DBOperations::setBusyTimeout(std::chrono::milliseconds(2000)); }

    TempDir dir_;
};

} // namespace

TEST(DBOperationsNames, QuotesIdentifiersAndRecognisesDatabaseFiles) {
    EXPECT_EQ(DBOperations::quotedIdentifier("urls"), "\"urls\"");
    EXPECT_EQ(DBOperations::quotedIdentifier("a \"b\" c"), "\"a \"\"b\"\" c\"");
    EXPECT_TRUE(DBOperations::isDatabasePath("/x/History.db"));
    EXPECT_TRUE(DBOperations::isDatabasePath("/x/places.SQLite"));
    EXPECT_FALSE(DBOperations::isDatabasePath("/x/History"));
    EXPECT_FALSE(DBOperations::isDatabasePath("/x/cache.sqlite-wal"));
    EXPECT_FALSE(DBOperations::isDatabasePath("/x/db"));
}

TEST_F(DBOperationsTest, ListsTablesInSchemaOrderWithoutSqliteOwnTables) {
    const std::string history = dir_.file("History");
    fixtures::chromeHistory(history, 3);
    ASSERT_EQ(fixtures::rowCount(history, "sqlite_sequence"), 2);

    EXPECT_EQ(DBOperations::getDBTableName(history),
              (Strings{"meta", "urls", "visits", "visit_source", "keyword_search_terms",
                       "downloads", "downloads_url_chains", "segments", "segment_usage"}));
    EXPECT_TRUE(DBOperations::dbHasData(history));
    EXPECT_TRUE(DBOperations::tableHasData(history, "urls"));
    EXPECT_FALSE(DBOperations::tableHasData(history, "visit_source"));
    EXPECT_FALSE(DBOperations::tableHasData(history, "no_such_table"));
}

TEST_F(DBOperationsTest, EmptiesEveryTableInPlaceAndLeavesSqliteOwnTablesAlone) {
    const std::string history = dir_.file("History");
    fixtures::chromeHistory(history, 3);

    EXPECT_TRUE(DBOperations::dbEmptyData(history));

    ASSERT_TRUE(fs::exists(history));
    for (const auto& table : DBOperations::getDBTableName(history))
        EXPECT_EQ(fixtures::rowCount(history, table), 0) << table;
    EXPECT_EQ(fixtures::rowCount(history, "sqlite_sequence"), 2);
    EXPECT_FALSE(DBOperations::dbHasData(history));
    EXPECT_EQ(fixtures::integrityCheck(history), "ok");
    // Emptying again has nothing to do and still succeeds.
    EXPECT_TRUE(DBOperations::dbEmptyData(history));
}

TEST_F(DBOperationsTest, VacuumLeavesNoTraceOfDeletedRowsInTheFile) {
    const std::string cookies = dir_.file("Cookies");
    fixtures::chromeCookies(cookies, 50);
    ASSERT_NE(contentsOf(cookies).find(".site17.example"), std::string::npos);

    EXPECT_TRUE(DBOperations::emptyGoogleCookies(cookies));

    EXPECT_EQ(contentsOf(cookies).find(".site17.example"), std::string::npos);
    EXPECT_EQ(fixtures::rowCount(cookies, "meta"), 2);
}

TEST_F(DBOperationsTest, TableNamesNeedingQuotesWorkAndNeverRunAsSql) {
    const std::string db = dir_.file("odd.db");
    fixtures::exec(db, R"(CREATE TABLE "site ""data""" (v TEXT);
                          CREATE TABLE "x; DROP TABLE keep; --" (v TEXT);
                          CREATE TABLE keep (v TEXT);
                          INSERT INTO "site ""data""" VALUES ('a');
                          INSERT INTO "x; DROP TABLE keep; --" VALUES ('b');
                          INSERT INTO keep VALUES ('c');)");

    EXPECT_TRUE(DBOperations::tableHasData(db, "site \"data\""));
    EXPECT_EQ(DBOperations::getColumnDataForDB(db, "site \"data\"", "v"), Strings{"a"});
    EXPECT_TRUE(DBOperations::tableEmptyData(db, "x; DROP TABLE keep; --"));
    EXPECT_FALSE(DBOperations::tableEmptyData(db, "keep; DELETE FROM keep"));

    EXPECT_EQ(fixtures::rowCount(db, "x; DROP TABLE keep; --"), 0);
    EXPECT_EQ(fixtures::rowCount(db, "keep"), 1);
    EXPECT_EQ(fixtures::rowCount(db, "site \"data\""), 1);
}

TEST_F(DBOperationsTest, ReadsColumnValuesInRowOrderWithoutNulls) {
    const std::string db = dir_.file("c.db");
    fixtures::exec(db, "CREATE TABLE t (a TEXT, b INTEGER);"
                       "INSERT INTO t VALUES ('x', NULL), (NULL, NULL), ('z', 3);");

    EXPECT_EQ(DBOperations::getColumnDataForDB(db, "t", "a"), (Strings{"x", "z"}));
    EXPECT_EQ(DBOperations::getColumnDataForDB(db, "t", "b"), Strings{"3"});
    fixtures::exec(db, "UPDATE t SET b = NULL");
    EXPECT_TRUE(DBOperations::getColumnDataForDB(db, "t", "b").empty());
    EXPECT_TRUE(DBOperations::getColumnDataForDB(db, "t", "missing").empty());
}

TEST_F(DBOperationsTest, DatabasesWithoutTablesOrWithoutBytesHoldNoData) {
    const std::string noTables = dir_.file("none.db");
    fixtures::exec(noTables, "PRAGMA user_version = 1");
    const std::string zeroBytes = dir_.write("zero.db");

    for (const auto& db : {noTables, zeroBytes}) {
        EXPECT_TRUE(DBOperations::getDBTableName(db).empty()) << db;
        EXPECT_FALSE(DBOperations::dbHasData(db)) << db;
        EXPECT_TRUE(DBOperations::dbEmptyData(db)) << db;
        EXPECT_EQ(fixtures::integrityCheck(db), "ok") << db;
    }
}

TEST_F(DBOperationsTest, MissingFileAnswersNoAndIsNeverCreated) {
    const std::string missing = dir_.file("absent/places.sqlite");
    const std::string missingHere = dir_.file("History.db");

    for (const auto& path : {missing, missingHere}) {
        EXPECT_TRUE(DBOperations::getDBTableName(path).empty());
        EXPECT_FALSE(DBOperations::tableHasData(path, "t"));
        EXPECT_FALSE(DBOperations::tableEmptyData(path, "t"));
        EXPECT_FALSE(DBOperations::vacuumDB(path));
        EXPECT_TRUE(DBOperations::getColumnDataForDB(path, "t", "c").empty());
        EXPECT_FALSE(DBOperations::dbHasData(path));
        EXPECT_FALSE(DBOperations::dbEmptyData(path));
        EXPECT_FALSE(DBOperations::checkFirefoxInternetHistory(path));
        EXPECT_FALSE(DBOperations::emptyFirefoxInternetHistory(path));
        EXPECT_FALSE(DBOperations::checkGoogleCookies(path));
        EXPECT_FALSE(DBOperations::emptyGoogleCookies(path));
    }
    EXPECT_TRUE(fs::is_empty(dir_.path()));
}

TEST_F(DBOperationsTest, FileThatIsNoDatabaseIsLeftByteForByte) {
    const std::string bytes = "This is a text file named like a database.\n";
    const std::string fake = dir_.write("WebpageIcons.db", bytes);

    EXPECT_TRUE(DBOperations::getDBTableName(fake).empty());
    EXPECT_FALSE(DBOperations::dbHasData(fake));
    EXPECT_FALSE(DBOperations::dbEmptyData(fake));
    EXPECT_FALSE(DBOperations::tableEmptyData(fake, "t"));
    EXPECT_FALSE(DBOperations::vacuumDB(fake));
    EXPECT_FALSE(DBOperations::emptyFirefoxInternetHistory(fake));
    EXPECT_FALSE(DBOperations::emptyGoogleCookies(fake));

    EXPECT_EQ(contentsOf(fake), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

// A link to a device was passed over without a word; a pipe at or beside a database made every
// open of it wait for ever, the scans' read-only ones and the cleans' alike.
TEST_F(DBOperationsTest, ADatabaseThatIsNoRegularFileOrHasAPipeBesideItIsRefusedAndNamed) {
    const std::string device = dir_.file("device.db");
    fs::create_symlink("/dev/zero", device);
    const std::string pipe = dir_.file("pipe.db");
    const std::string journalled = dir_.file("journalled.db");
    fixtures::simpleDb(journalled, 2);
    const std::string live = dir_.file("live.db");
    fixtures::liveWalDb(live, 2);
    fs::remove(live + "-shm");
    const Strings pipes{pipe, journalled + "-journal", live + "-shm"};
    for (const auto& path : pipes)
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);

    const auto run = runBounded(pipes, [&] {
        for (const auto& db : {device, pipe, journalled, live}) {
            EXPECT_TRUE(DBOperations::getDBTableName(db).empty()) << db;
            EXPECT_FALSE(DBOperations::dbHasData(db)) << db;
            EXPECT_FALSE(DBOperations::anyTableHasData(db, {"icons", "urls"})) << db;
            EXPECT_FALSE(DBOperations::checkFirefoxInternetHistory(db)) << db;
            EXPECT_FALSE(DBOperations::dbEmptyData(db)) << db;
            EXPECT_FALSE(DBOperations::tableEmptyData(db, "icons")) << db;
            EXPECT_FALSE(DBOperations::emptyFirefoxInternetHistory(db)) << db;
            EXPECT_FALSE(DBOperations::emptyGoogleCookies(db)) << db;
        }
    });

    ASSERT_TRUE(run.endedInTime);
    for (const auto& line : {device + ": it is a link", pipe + ": it is a pipe",
                             journalled + ": " + journalled + "-journal beside it is a pipe",
                             live + ": " + live + "-shm beside it is a pipe"})
        EXPECT_NE(run.log.find("Skipping " + line), std::string::npos) << run.log;
    for (const auto& path : pipes)
        fs::remove(path);
    EXPECT_EQ(fixtures::rowCount(journalled, "icons"), 2);
}

// Should an entry become a pipe between the look and the open, the library's own open still
// returns at once.
TEST_F(DBOperationsTest, TheLibraryItselfNeverWaitsOnAPipe) {
    const std::string pipe = dir_.file("late.db");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    int opened = SQLITE_OK;
    const auto run = runBounded({pipe}, [&] {
        sqlite3* db = nullptr;
        opened = sqlite3_open_v2(("file:" + pipe + "?mode=ro").c_str(), &db,
                                 SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
        if (opened == SQLITE_OK)
            opened = sqlite3_exec(db, "SELECT 1 FROM sqlite_master", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    });

    ASSERT_TRUE(run.endedInTime);
    EXPECT_NE(opened, SQLITE_OK);
    EXPECT_NE(run.log.find("Skipping " + pipe + ": it is a pipe"), std::string::npos) << run.log;
}

TEST_F(DBOperationsTest, LinkAtTheDatabasePathIsNotFollowed) {
    const std::string real = dir_.file("real.db");
    fixtures::simpleDb(real, 2);
    const std::string link = dir_.file("link.db");
    fs::create_symlink(real, link);

    EXPECT_FALSE(DBOperations::dbHasData(link));
    EXPECT_FALSE(DBOperations::dbEmptyData(link));
    EXPECT_FALSE(DBOperations::tableEmptyData(link, "icons"));
    EXPECT_EQ(fixtures::rowCount(real, "icons"), 2);
}

TEST_F(DBOperationsTest, FirefoxHistoryKeepsBookmarkedPlacesButNoneOfTheirVisits) {
    const std::string places = dir_.file("places.sqlite");
    fixtures::firefoxPlaces(places, {1, 2, 3, 4, 5, 6, 7}, {3, 7});

    EXPECT_TRUE(DBOperations::checkFirefoxInternetHistory(places));
    EXPECT_TRUE(DBOperations::emptyFirefoxInternetHistory(places));

    EXPECT_EQ(fixtures::ids(places, "SELECT id FROM moz_places ORDER BY id"), (Ids{3, 7}));
    EXPECT_EQ(fixtures::rowCount(places, "moz_historyvisits"), 0);
    EXPECT_EQ(fixtures::ids(places, "SELECT id FROM moz_origins ORDER BY id"), (Ids{3, 7}));
    EXPECT_EQ(fixtures::rowCount(places, "moz_bookmarks"), 3);
    EXPECT_EQ(fixtures::rowCount(places, "moz_meta"), 1);
    EXPECT_FALSE(DBOperations::checkFirefoxInternetHistory(places));
    EXPECT_EQ(fixtures::journalMode(places), "wal");
    EXPECT_EQ(fixtures::integrityCheck(places), "ok");
}

TEST_F(DBOperationsTest, FirefoxHistoryWithoutBookmarksGoesEntirely) {
    const std::string places = dir_.file("places.sqlite");
    fixtures::firefoxPlaces(places, {1, 2}, {});

    EXPECT_TRUE(DBOperations::checkFirefoxInternetHistory(places));
    EXPECT_TRUE(DBOperations::emptyFirefoxInternetHistory(places));
    EXPECT_EQ(fixtures::rowCount(places, "moz_places"), 0);
    EXPECT_EQ(fixtures::rowCount(places, "moz_historyvisits"), 0);
    // The root folder bookmark (NULL fk) keeps nothing and survives.
    EXPECT_EQ(fixtures::rowCount(places, "moz_bookmarks"), 1);
}

TEST_F(DBOperationsTest, FirefoxHistoryIsUntouchedWhenBookmarksCannotBeRead) {
    const std::string places = dir_.file("places.sqlite");
    fixtures::firefoxPlaces(places, {1, 2, 3}, {2});
    fixtures::exec(places, "ALTER TABLE moz_bookmarks RENAME TO moz_bookmarks_old");

    EXPECT_FALSE(DBOperations::checkFirefoxInternetHistory(places));
    EXPECT_FALSE(DBOperations::emptyFirefoxInternetHistory(places));
    EXPECT_EQ(fixtures::rowCount(places, "moz_places"), 3);
    EXPECT_EQ(fixtures::rowCount(places, "moz_historyvisits"), 3);
}

TEST_F(DBOperationsTest, FirefoxHistoryOfAnOlderLayoutWithoutVisitsOrOrigins) {
    const std::string places = dir_.file("places.sqlite");
    fixtures::exec(places, "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT);"
                           "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, fk INTEGER);"
                           "INSERT INTO moz_places VALUES (1, 'a'), (2, 'b');"
                           "INSERT INTO moz_bookmarks VALUES (1, 2);");

    EXPECT_TRUE(DBOperations::emptyFirefoxInternetHistory(places));
    EXPECT_EQ(fixtures::ids(places, "SELECT id FROM moz_places"), Ids{2});
}

TEST_F(DBOperationsTest, GoogleCookiesAreJudgedAndEmptiedByTheirOwnTable) {
    const std::string cookies = dir_.file("Cookies");
    fixtures::chromeCookies(cookies, 0);
    EXPECT_FALSE(DBOperations::checkGoogleCookies(cookies));
    EXPECT_TRUE(DBOperations::dbHasData(cookies)); // the version rows in "meta"

    fixtures::chromeCookies(dir_.file("Cookies2"), 4);
    EXPECT_TRUE(DBOperations::checkGoogleCookies(dir_.file("Cookies2")));
    EXPECT_TRUE(DBOperations::emptyGoogleCookies(dir_.file("Cookies2")));
    EXPECT_FALSE(DBOperations::checkGoogleCookies(dir_.file("Cookies2")));

    const std::string other = dir_.file("Other");
    fixtures::simpleDb(other, 1);
    EXPECT_FALSE(DBOperations::emptyGoogleCookies(other));
    EXPECT_EQ(fixtures::rowCount(other, "icons"), 1);
}

TEST_F(DBOperationsTest, FullTextIndexStaysConsistentWhenEmptied) {
    const std::string db = dir_.file("search.db");
    fixtures::exec(db, "CREATE VIRTUAL TABLE pages USING fts4(body);"
                       "INSERT INTO pages VALUES ('alpha beta'), ('gamma');"
                       "CREATE TABLE plain (v TEXT); INSERT INTO plain VALUES ('x');");

    EXPECT_EQ(DBOperations::getDBTableName(db), (Strings{"pages", "plain"}));
    EXPECT_TRUE(DBOperations::dbEmptyData(db));

    EXPECT_EQ(fixtures::rowCount(db, "pages"), 0);
    EXPECT_EQ(fixtures::rowCount(db, "plain"), 0);
    EXPECT_NO_THROW(fixtures::exec(db, "INSERT INTO pages(pages) VALUES ('integrity-check')"));
    EXPECT_EQ(fixtures::integrityCheck(db), "ok");
}

TEST_F(DBOperationsTest, WalDatabaseSeesAndEmptiesRowsNotYetCheckpointed) {
    const std::string history = dir_.file("History.db");
    fixtures::safariHistory(history, 0);
    fixtures::Connection writer(history);
    writer.exec("PRAGMA wal_autocheckpoint = 0");
    writer.exec("INSERT INTO history_items (url, visit_count, daily_visit_counts,"
                " should_recompute_derived_visit_counts, visit_count_score)"
                " VALUES ('https://late.example/', 1, x'00', 0, 1)");
    ASSERT_GT(fs::file_size(history + "-wal"), 0u);

    EXPECT_TRUE(DBOperations::dbHasData(history));
    EXPECT_TRUE(DBOperations::dbEmptyData(history));

    EXPECT_EQ(writer.scalar("SELECT count(*) FROM history_items"), 0);
    EXPECT_EQ(writer.text("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(writer.text("PRAGMA integrity_check"), "ok");
}

TEST_F(DBOperationsTest, LockedDatabaseFailsAfterTheBusyTimeoutAndKeepsItsData) {
    const std::string history = dir_.file("History");
    fixtures::chromeHistory(history, 3);
    const std::string places = dir_.file("places.sqlite");
    fixtures::firefoxPlaces(places, {1, 2}, {});
    {
        const fixtures::ExclusiveLock historyLock(history);
        const fixtures::ExclusiveLock placesLock(places);
        const auto started = std::chrono::steady_clock::now();

        EXPECT_FALSE(DBOperations::tableHasData(history, "urls"));
        EXPECT_FALSE(DBOperations::dbHasData(history));
        EXPECT_FALSE(DBOperations::dbEmptyData(history));
        EXPECT_FALSE(DBOperations::tableEmptyData(history, "urls"));
        EXPECT_FALSE(DBOperations::vacuumDB(history));
        // WAL lets readers through an exclusive writer, but the delete must wait and fail.
        EXPECT_TRUE(DBOperations::checkFirefoxInternetHistory(places));
        EXPECT_FALSE(DBOperations::emptyFirefoxInternetHistory(places));

        EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));
    }
    EXPECT_EQ(fixtures::rowCount(history, "urls"), 3);
    EXPECT_EQ(fixtures::integrityCheck(history), "ok");
    EXPECT_EQ(fixtures::rowCount(places, "moz_places"), 2);
    EXPECT_EQ(fixtures::integrityCheck(places), "ok");
}

TEST_F(DBOperationsTest, ShortLockIsWaitedOutWithinTheBusyTimeout) {
    DBOperations::setBusyTimeout(std::chrono::milliseconds(5000));
    const std::string history = dir_.file("History");
    fixtures::chromeHistory(history, 2);
    auto lock = std::make_unique<fixtures::ExclusiveLock>(history);
    std::atomic<bool> started{false};
    std::thread release([&] {
        while (!started.load())
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        lock.reset();
    });
    started.store(true);
    const bool emptied = DBOperations::tableEmptyData(history, "urls");
    release.join();

    EXPECT_TRUE(emptied);
    EXPECT_EQ(fixtures::rowCount(history, "urls"), 0);
}

TEST_F(DBOperationsTest, WorkersMayUseOneDatabaseAtOnce) {
    const std::string cookies = dir_.file("cookies.sqlite");
    fixtures::firefoxCookies(cookies, 20);
    std::atomic<int> answers{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 8; ++i)
        workers.emplace_back([&] {
            for (int j = 0; j < 20; ++j)
                if (DBOperations::dbHasData(cookies)) ++answers;
        });
    for (auto& worker : workers)
        worker.join();

    EXPECT_EQ(answers.load(), 160);
    EXPECT_TRUE(DBOperations::dbEmptyData(cookies));
    EXPECT_EQ(fixtures::rowCount(cookies, "moz_cookies"), 0);
}

TEST_F(DBOperationsTest, QuestionsLeaveADatabaseAndItsCompanionsByteForByte) {
    const std::string live = dir_.mkdir("live") + "/cache.db";
    fixtures::liveWalDb(live, 3);
    const std::string closed = dir_.mkdir("closed") + "/places.sqlite";
    fixtures::firefoxPlaces(closed, {1, 2}, {2}); // WAL mode, closed: no log beside it
    const std::string stray = dir_.mkdir("stray") + "/History";
    fixtures::chromeHistory(stray, 2);
    std::ofstream(stray + "-wal") << std::string(64, 'w'); // a log a rollback file never used
    std::map<std::string, std::map<std::string, std::string>> before;
    for (const char* folder : {"live", "closed", "stray"})
        before[folder] = fixtures::folderBytes(dir_.path() + "/" + folder);
    ASSERT_EQ(before["live"].size(), 3u);

    for (const auto& path : {live, closed, stray}) {
        EXPECT_TRUE(DBOperations::dbHasData(path)) << path;
        EXPECT_FALSE(DBOperations::getDBTableName(path).empty()) << path;
        DBOperations::getColumnDataForDB(path, "urls", "url");
        DBOperations::checkGoogleCookies(path);
    }
    // Rows that only the log holds are seen.
    EXPECT_EQ(DBOperations::getColumnDataForDB(live, "icons", "url").size(), 3u);
    EXPECT_TRUE(DBOperations::checkFirefoxInternetHistory(closed));
    EXPECT_TRUE(DBOperations::tableHasData(stray, "urls"));

    for (const char* folder : {"live", "closed", "stray"})
        EXPECT_EQ(fixtures::folderBytes(dir_.path() + "/" + folder), before[folder]) << folder;
}
