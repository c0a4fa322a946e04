#include "engine/SqliteConnection.h"

#include "engine/SqliteFileGuard.h"
#include "platform/core/Log.h"

#include <sqlite3.h>

#include <cctype>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qengine {

namespace {

// Byte 18 of the header: 2 for a database in WAL mode.
bool hasWalHeader(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    unsigned char header[20] = {};
    const bool read = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                      ::pread(fd, header, sizeof header, 0) == static_cast<ssize_t>(sizeof header);
    ::close(fd);
    return read && std::memcmp(header, "SQLite format 3", 16) == 0 && header[18] == 2;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string uriEscaped(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-._~", c)) {
            escaped += static_cast<char>(c);
        } else {
            escaped += '%';
            escaped += kHex[c >> 4];
            escaped += kHex[c & 0xF];
        }
    }
    return escaped;
}

} // namespace

std::string SqliteConnection::readOnlyUri(const std::string& path) {
    const std::string uri = "file:" + uriEscaped(path) + "?mode=ro";
    const bool walFormat = hasWalHeader(path);
    const bool hasLog = exists(path + "-wal");
    // A live log is read through its index without writing the readers' marks into it.
    if (walFormat && hasLog && exists(path + "-shm")) return uri + "&readonly_shm=1";
    // Otherwise a log would be made, or a stray one taken up with an index made beside it: the
    // file is read as it stands. No connection holds it, or it would have both.
    if (walFormat || hasLog) return uri + "&immutable=1";
    return uri;
}

SqliteConnection::SqliteConnection(const std::string& path, std::chrono::milliseconds busyTimeout,
                                   Access access) {
    // Idempotent; the library is never shut down while workers may still use it.
    if (sqlite3_initialize() != SQLITE_OK) return;
    SqliteFileGuard::install();
    // Named in the log here; the guard still stops an entry swapped in after this look.
    if (const auto reason = SqliteFileGuard::refusal(path)) {
        qcore::log("Skipping ", path, ": ", *reason);
        return;
    }
    sqlite3* db = nullptr;
    const bool readOnly = access == Access::ReadOnly;
    const int flags = SQLITE_OPEN_NOFOLLOW |
                      (readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE);
    const std::string name = readOnly ? readOnlyUri(path) : path;
    const int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
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
