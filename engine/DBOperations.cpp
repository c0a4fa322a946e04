#include "engine/DBOperations.h"

#include "engine/SqliteConnection.h"
#include "engine/SqliteStatement.h"
#include "engine/SqliteTransaction.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <iterator>
#include <set>

namespace qengine {

namespace {

using Step = SqliteStatement::Step;
using Access = SqliteConnection::Access;

std::atomic<long long> gBusyTimeoutMs{2000};

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool isSqliteInternal(const std::string& table) {
    return upper(table).starts_with("SQLITE_");
}

// Every value of column 0 of a query, NULLs left out; nothing when the query fails.
std::optional<std::vector<std::string>> readColumn(SqliteConnection& connection,
                                                   const std::string& sql) {
    SqliteStatement statement(connection, sql);
    if (!statement.isPrepared()) return std::nullopt;
    std::vector<std::string> values;
    for (;;) {
        switch (statement.step()) {
        case Step::Row:
            if (auto value = statement.columnText(0)) values.push_back(std::move(*value));
            break;
        case Step::Done:
            return values;
        case Step::Error:
            return std::nullopt;
        }
    }
}

// Tables that only back a virtual table; emptying them directly would break its index.
std::set<std::string> shadowTables(SqliteConnection& connection) {
    const auto names = readColumn(
        connection, "SELECT name FROM pragma_table_list WHERE schema = 'main' AND type = 'shadow'");
    if (!names) return {};
    return {names->begin(), names->end()};
}

bool runChange(const std::string& path, const std::string& sql) {
    SqliteConnection connection(path, DBOperations::busyTimeout());
    SqliteStatement statement(connection, sql);
    return statement.step() == Step::Done;
}

// Fixed Firefox names: the history table and the bookmarks that keep their places.
constexpr const char* kUnbookmarkedPlaces =
    "moz_places WHERE id NOT IN (SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL)";

// Tables of places.sqlite in which every row is history: visits (also those of bookmarked
// places), typed-address input, page-view metadata and the searches made from it.
const std::vector<std::string> kFirefoxHistoryTables{"moz_historyvisits", "moz_historyvisits_extra",
                                                     "moz_inputhistory", "moz_places_metadata",
                                                     "moz_places_metadata_search_queries"};

// Tables whose rows belong to a place and go with it.
const std::vector<std::string> kFirefoxPerPlaceTables{"moz_annos", "moz_places_extra"};

} // namespace

void DBOperations::setBusyTimeout(std::chrono::milliseconds timeout) {
    gBusyTimeoutMs.store(std::max<long long>(0, timeout.count()));
}

std::chrono::milliseconds DBOperations::busyTimeout() {
    return std::chrono::milliseconds(gBusyTimeoutMs.load());
}

std::string DBOperations::quotedIdentifier(const std::string& name) {
    std::string quoted = "\"";
    for (const char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

bool DBOperations::isDatabasePath(const std::string& path) {
    const std::string extension = upper(qcore::FileManager::pathExtension(path));
    return extension == "SQLITE" || extension == "DB";
}

std::optional<std::vector<std::string>> DBOperations::readTableNames(const std::string& path,
                                                                     Access access) {
    SqliteConnection connection(path, busyTimeout(), access);
    if (!connection.isOpen()) return std::nullopt;
    auto names = readColumn(connection, "SELECT name FROM sqlite_master WHERE type = 'table'");
    if (!names) return std::nullopt;
    const auto shadows = shadowTables(connection);
    std::erase_if(*names, [&](const std::string& name) {
        return isSqliteInternal(name) || shadows.contains(name);
    });
    return names;
}

std::vector<std::string> DBOperations::getDBTableName(const std::string& path) {
    return readTableNames(path, Access::ReadOnly).value_or(std::vector<std::string>{});
}

std::optional<bool> DBOperations::probeTable(const std::string& path, const std::string& table,
                                             Access access) {
    SqliteConnection connection(path, busyTimeout(), access);
    SqliteStatement statement(connection, "SELECT 1 FROM " + quotedIdentifier(table) + " LIMIT 1");
    switch (statement.step()) {
    case Step::Row:
        return true;
    case Step::Done:
        return false;
    case Step::Error:
        break;
    }
    return std::nullopt;
}

bool DBOperations::tableHasData(const std::string& path, const std::string& table) {
    return probeTable(path, table, Access::ReadOnly).value_or(false);
}

bool DBOperations::tableEmptyData(const std::string& path, const std::string& table) {
    return runChange(path, "DELETE FROM " + quotedIdentifier(table));
}

bool DBOperations::vacuumDB(const std::string& path) {
    return runChange(path, "VACUUM");
}

std::vector<std::string> DBOperations::getColumnDataForDB(const std::string& path,
                                                          const std::string& table,
                                                          const std::string& column) {
    SqliteConnection connection(path, busyTimeout(), Access::ReadOnly);
    const std::string sql =
        "SELECT " + quotedIdentifier(column) + " FROM " + quotedIdentifier(table);
    return readColumn(connection, sql).value_or(std::vector<std::string>{});
}

bool DBOperations::dbHasData(const std::string& path) {
    const auto tables = getDBTableName(path);
    return std::any_of(tables.begin(), tables.end(),
                       [&](const std::string& table) { return tableHasData(path, table); });
}

bool DBOperations::emptyTables(const std::string& path, const std::vector<std::string>& tables) {
    bool emptied = true;
    bool deletedAny = false;
    for (const auto& table : tables) {
        // The clean's own connection: it writes next, and may see a log the reader could not.
        const auto hasRows = probeTable(path, table, Access::ReadWrite);
        if (!hasRows) {
            qcore::log("Could not read table ", table, " of ", path);
            emptied = false;
        } else if (*hasRows && !tableEmptyData(path, table)) {
            qcore::log("Could not empty table ", table, " of ", path);
            emptied = false;
        } else if (*hasRows) {
            deletedAny = true;
        }
    }
    // Compacting also wipes the deleted rows from the file's free pages.
    if ((emptied || deletedAny) && !vacuumDB(path)) qcore::log("Could not compact ", path);
    return emptied;
}

bool DBOperations::anyTableHasData(const std::string& path,
                                   const std::vector<std::string>& tables) {
    SqliteConnection connection(path, busyTimeout(), Access::ReadOnly);
    if (!connection.isOpen()) return false;
    return std::any_of(tables.begin(), tables.end(), [&](const std::string& table) {
        SqliteStatement statement(connection,
                                  "SELECT 1 FROM " + quotedIdentifier(table) + " LIMIT 1");
        return statement.step() == Step::Row;
    });
}

bool DBOperations::dbEmptyData(const std::string& path) {
    const auto tables = readTableNames(path, Access::ReadWrite);
    if (!tables) {
        qcore::log("Could not read the tables of ", path);
        return false;
    }
    return emptyTables(path, *tables);
}

bool DBOperations::emptyExistingTables(const std::string& path,
                                       const std::vector<std::string>& tables) {
    const auto present = readTableNames(path, Access::ReadWrite);
    if (!present) {
        qcore::log("Could not read the tables of ", path);
        return false;
    }
    std::vector<std::string> wanted;
    std::copy_if(tables.begin(), tables.end(), std::back_inserter(wanted),
                 [&](const std::string& table) {
                     return std::find(present->begin(), present->end(), table) != present->end();
                 });
    return emptyTables(path, wanted);
}

bool DBOperations::checkFirefoxInternetHistory(const std::string& path) {
    SqliteConnection connection(path, busyTimeout(), SqliteConnection::Access::ReadOnly);
    {
        SqliteStatement statement(connection,
                                  std::string("SELECT 1 FROM ") + kUnbookmarkedPlaces + " LIMIT 1");
        switch (statement.step()) {
        case Step::Row:
            return true;
        case Step::Error:
            return false; // the bookmarks cannot be read, so nothing could be cleaned safely
        case Step::Done:
            break;
        }
    }
    return std::any_of(kFirefoxHistoryTables.begin(), kFirefoxHistoryTables.end(),
                       [&](const std::string& table) {
                           if (!hasTable(connection, table)) return false;
                           SqliteStatement statement(
                               connection, "SELECT 1 FROM " + quotedIdentifier(table) + " LIMIT 1");
                           return statement.step() == Step::Row;
                       });
}

bool DBOperations::hasTable(SqliteConnection& connection, const std::string& table) {
    SqliteStatement statement(connection,
                              "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
    return statement.bind(1, table) && statement.step() == Step::Row;
}

bool DBOperations::emptyFirefoxInternetHistory(const std::string& path) {
    bool committed = false;
    {
        SqliteConnection connection(path, busyTimeout());
        SqliteTransaction transaction(connection);
        if (!transaction.isActive()) return false;
        // One statement: the subquery fails when the bookmarks cannot be read, and then
        // nothing is deleted at all.
        if (!connection.execute(std::string("DELETE FROM ") + kUnbookmarkedPlaces)) return false;
        if (!emptyFirefoxHistoryTables(connection)) return false;
        committed = transaction.commit();
    }
    if (committed && !vacuumDB(path)) qcore::log("Could not compact ", path);
    return committed;
}

// Inside the clean's transaction, after the unbookmarked places are gone.
bool DBOperations::emptyFirefoxHistoryTables(SqliteConnection& connection) {
    for (const auto& table : kFirefoxHistoryTables)
        if (hasTable(connection, table) &&
            !connection.execute("DELETE FROM " + quotedIdentifier(table)))
            return false;
    for (const auto& table : kFirefoxPerPlaceTables)
        if (hasTable(connection, table) &&
            !connection.execute("DELETE FROM " + quotedIdentifier(table) +
                                " WHERE place_id NOT IN (SELECT id FROM moz_places)"))
            return false;
    // A bookmarked place stays, but no longer tells how often or when it was visited.
    if (hasColumn(connection, "moz_places", "visit_count") &&
        !connection.execute("UPDATE moz_places SET visit_count = 0"))
        return false;
    if (hasColumn(connection, "moz_places", "last_visit_date") &&
        !connection.execute("UPDATE moz_places SET last_visit_date = NULL"))
        return false;
    // Origins of deleted places are history too.
    return !hasTable(connection, "moz_origins") ||
           connection.execute("DELETE FROM moz_origins WHERE id NOT IN "
                              "(SELECT origin_id FROM moz_places WHERE origin_id IS NOT NULL)");
}

bool DBOperations::hasColumn(SqliteConnection& connection, const std::string& table,
                             const std::string& column) {
    SqliteStatement statement(connection, "SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2");
    return statement.bind(1, table) && statement.bind(2, column) && statement.step() == Step::Row;
}

bool DBOperations::checkGoogleCookies(const std::string& path) {
    return tableHasData(path, "cookies");
}

bool DBOperations::emptyGoogleCookies(const std::string& path) {
    return emptyTables(path, {"cookies"});
}

} // namespace qengine
