#pragma once

#include <chrono>
#include <string>

struct sqlite3;

namespace qengine {

// One open SQLite database file, closed when the holder goes. Never creates a missing file,
// never follows a link at the path, and opens nothing (logging why) when the file or one of its
// companions is no regular file, so no open can block on a pipe.
class SqliteConnection {
public:
    // A clean writes; a scan only looks, and must leave the file and its "-wal" and "-shm"
    // companions as they are: no checkpoint, no companion made or removed, not a byte changed.
    enum class Access { ReadWrite, ReadOnly };

    SqliteConnection(const std::string& path, std::chrono::milliseconds busyTimeout,
                     Access access = Access::ReadWrite);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    // Runs statements that return no rows; false (and logged) on any failure.
    bool execute(const std::string& sql);
    std::string lastError() const;

    // The URI a read-only connection opens: the shared-memory index, when a live log has one,
    // is only read; a WAL-format file without a log is read as it stands.
    static std::string readOnlyUri(const std::string& path);

private:
    sqlite3* db_ = nullptr;
};

} // namespace qengine
