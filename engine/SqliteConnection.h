#pragma once

#include <chrono>
#include <string>

struct sqlite3;

namespace qengine {

// One open SQLite database file, closed when the holder goes. Opened read-write without
// create, so a missing file is never made, and without following a link at the path.
class SqliteConnection {
public:
    SqliteConnection(const std::string& path, std::chrono::milliseconds busyTimeout);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    // Runs statements that return no rows; false (and logged) on any failure.
    bool execute(const std::string& sql);
    std::string lastError() const;

private:
    sqlite3* db_ = nullptr;
};

} // namespace qengine
