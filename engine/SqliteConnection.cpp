#include "engine/SqliteConnection.h"

#include "platform/core/Log.h"

#include <sqlite3.h>

namespace qengine {

SqliteConnection::SqliteConnection(const std::string& path, std::chrono::milliseconds busyTimeout) {
    // Idempotent; the library is never shut down while workers may still use it.
    if (sqlite3_initialize() != SQLITE_OK) return;
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        // A failed open may still hand back a handle that must be closed.
        sqlite3_close(db);
        return;
    }
    // A browser holding the file makes us wait briefly and then fail, never corrupt it.
    sqlite3_busy_timeout(db, static_cast<int>(busyTimeout.count()));
    // A quoted name that matches no column must fail, not turn into a string literal.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    db_ = db;
}

SqliteConnection::~SqliteConnection() {
    // Every statement is finalised by its own holder before the connection goes.
    if (db_) sqlite3_close(db_);
}

bool SqliteConnection::execute(const std::string& sql) {
    if (!db_) return false;
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
    if (rc == SQLITE_OK) return true;
    qcore::log("SQLite: ", message ? message : sqlite3_errstr(rc));
    sqlite3_free(message);
    return false;
}

std::string SqliteConnection::lastError() const {
    return db_ ? sqlite3_errmsg(db_) : "not open";
}

} // namespace qengine
