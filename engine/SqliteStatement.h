#pragma once

#include <optional>
#include <string>

struct sqlite3_stmt;

namespace qengine {

class SqliteConnection;

// One prepared statement, finalised when the holder goes. Values are bound, never spliced.
class SqliteStatement {
public:
    enum class Step { Row, Done, Error };

    SqliteStatement(const SqliteConnection& connection, const std::string& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool isPrepared() const { return stmt_ != nullptr; }

    // 1-based, as SQLite counts parameters.
    bool bind(int index, const std::string& text);
    Step step();
    // The column as text; nothing for NULL.
    std::optional<std::string> columnText(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace qengine
