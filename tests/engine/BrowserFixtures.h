#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

// Browser databases in the browsers' current table layouts, made with SQLite's C interface.
namespace fixtures {

// A connection of the test's own, closed when it goes.
class Connection {
public:
    // Creates the file when missing.
    explicit Connection(const std::string& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Throws std::runtime_error on failure.
    void exec(const std::string& sql);
    std::int64_t scalar(const std::string& sql);
    std::string text(const std::string& sql);

private:
    sqlite3* db_ = nullptr;
};

// Holds BEGIN EXCLUSIVE on the file, as a browser writing to it would, until it goes.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::string& path);
    ~ExclusiveLock();
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    std::unique_ptr<Connection> connection_;
};

void exec(const std::string& path, const std::string& sql);
std::int64_t rowCount(const std::string& path, const std::string& table);
std::vector<std::int64_t> ids(const std::string& path, const std::string& sql);
std::string integrityCheck(const std::string& path);
std::string journalMode(const std::string& path);

// Firefox places.sqlite (WAL, as Firefox keeps it): places with the given ids, one visit each,
// one origin per place, and bookmarks pointing to `bookmarkedIds` plus one folder (NULL fk).
void firefoxPlaces(const std::string& path, const std::vector<int>& placeIds,
                   const std::vector<int>& bookmarkedIds);
// Firefox cookies.sqlite with `rows` cookies.
void firefoxCookies(const std::string& path, int rows);
// A Firefox database with one table "data" of `rows` rows (downloads, content-prefs ...).
void firefoxSimpleDb(const std::string& path, int rows);
// Google Chrome "History" with `rows` urls, visits, downloads and search terms (and the
// version row in "meta").
void chromeHistory(const std::string& path, int rows);
// The tables today's Firefox adds to places.sqlite, each with traces of browsing: typed input,
// page-view metadata and its searches, sync extras and page annotations. Every visited trace
// mentions "visited"; the metadata and input also cover the bookmarked place `bookmarkedId`.
void firefoxCurrentTraces(const std::string& path, const std::vector<int>& placeIds,
                          int bookmarkedId);
// The tables today's Chrome adds to "History" (visited links, content and context annotations,
// clusters, sync metadata), each with rows that mention "visited".
void chromeCurrentTraces(const std::string& path, int rows);
// "table.column" of every cell of the file's own tables (not SQLite's) holding `needle` as text.
std::vector<std::string> cellsMentioning(const std::string& path, const std::string& needle);
// Google Chrome "Cookies" with `rows` cookies (and the version row in "meta").
void chromeCookies(const std::string& path, int rows);
// Google Chrome "Top Sites" with `rows` sites (table "top_sites").
void chromeTopSites(const std::string& path, int rows);
// Safari "History.db" (WAL) with `rows` history items and one visit each.
void safariHistory(const std::string& path, int rows);
// A database with one table "icons" of `rows` rows (WebpageIcons.db and cache databases).
void simpleDb(const std::string& path, int rows);
// The same in WAL mode as a running program leaves it: every row still in the "-wal" log, with
// its "-shm" index beside it, and no connection open.
void liveWalDb(const std::string& path, int rows);
// Every file of the folder (not below it) with its bytes.
std::map<std::string, std::string> folderBytes(const std::string& folder);

} // namespace fixtures
