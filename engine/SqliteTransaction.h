#pragma once

namespace qengine {

class SqliteConnection;

// A write transaction taken at once (BEGIN IMMEDIATE, waiting out the busy timeout); rolled
// back when the holder goes without commit(), so a failed step leaves the data as it was.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteConnection& connection);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    bool isActive() const { return active_; }
    bool commit();

private:
    SqliteConnection& connection_;
    bool active_ = false;
};

} // namespace qengine
