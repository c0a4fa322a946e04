#pragma once

#include "engine/SqliteConnection.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace qengine {

// Small pieces of SQL on one browser or application database file at a time. Stateless and
// safe from any number of worker threads: every statement opens its own connection (never
// creating a file, never following a link at the path), waits out a lock for the busy timeout
// and then fails cleanly. The questions a scan asks open read-only and change no byte of the
// file or its companions; only the emptying methods, which cleans call, write. Names are quoted as
// identifiers and values bound; no text is ever spliced into SQL.
class DBOperations {
public:
    // Names of the file's tables in schema order, without SQLite's own ("sqlite_...") and
    // without the shadow tables behind virtual tables; empty when the file cannot be read.
    static std::vector<std::string> getDBTableName(const std::string& path);
    // The table holds at least one row (false also when it cannot be read).
    static bool tableHasData(const std::string& path, const std::string& table);
    // Deletes every row of the table; true when the delete completed.
    static bool tableEmptyData(const std::string& path, const std::string& table);
    // Rewrites the file so deleted rows leave no trace in free pages.
    static bool vacuumDB(const std::string& path);
    // The column's non-NULL values as text, in row order.
    static std::vector<std::string> getColumnDataForDB(const std::string& path,
                                                       const std::string& table,
                                                       const std::string& column);

    // Some table holds a row.
    static bool dbHasData(const std::string& path);
    // One of `tables` exists and holds a row; asked on one connection, so a file that is
    // refused is named in the log once.
    static bool anyTableHasData(const std::string& path, const std::vector<std::string>& tables);
    // Empties every table that holds rows, then vacuums. True only when the table list could be
    // read and every such table was emptied (the vacuum is best effort and only logged).
    static bool dbEmptyData(const std::string& path);

    // A place that no bookmark points to, or a visit or other trace of browsing, exists (false
    // when the bookmarks cannot be read, as then nothing could be cleaned safely).
    static bool checkFirefoxInternetHistory(const std::string& path);
    // Deletes, in one transaction, the places no bookmark points to, every visit (bookmarked
    // places' too, whose visit count and last visit date are reset), the typed input, page
    // metadata and its searches, the annotations of deleted places and the origins no place uses
    // any more; nothing is deleted when the bookmarks cannot be read. Vacuums afterwards (best
    // effort). True when the transaction committed.
    static bool emptyFirefoxInternetHistory(const std::string& path);

    // Empties those of `tables` the file has that hold rows, then vacuums. True when the
    // table list could be read and every such table was emptied.
    static bool emptyExistingTables(const std::string& path,
                                    const std::vector<std::string>& tables);

    // The "cookies" table holds a row.
    static bool checkGoogleCookies(const std::string& path);
    // Empties the "cookies" table when it holds rows, then vacuums. True when the table could
    // be read and is empty afterwards.
    static bool emptyGoogleCookies(const std::string& path);

    // The path's extension, upper-cased, is "SQLITE" or "DB".
    static bool isDatabasePath(const std::string& path);
    // `name` as an SQL identifier: in double quotes, embedded double quotes doubled.
    static std::string quotedIdentifier(const std::string& name);

    // How long a statement waits for another connection's lock (default 2000 ms).
    static void setBusyTimeout(std::chrono::milliseconds timeout);
    static std::chrono::milliseconds busyTimeout();

private:
    static std::optional<std::vector<std::string>> readTableNames(const std::string& path,
                                                                  SqliteConnection::Access access);
    // Whether the table holds a row; nothing when it cannot be read.
    static std::optional<bool> probeTable(const std::string& path, const std::string& table,
                                          SqliteConnection::Access access);
    static bool emptyTables(const std::string& path, const std::vector<std::string>& tables);
    static bool hasTable(SqliteConnection& connection, const std::string& table);
    static bool hasColumn(SqliteConnection& connection, const std::string& table,
                          const std::string& column);
    static bool emptyFirefoxHistoryTables(SqliteConnection& connection);
};

} // namespace qengine
