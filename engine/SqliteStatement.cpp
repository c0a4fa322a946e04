#include "engine/SqliteStatement.h"

#include "engine/SqliteConnection.h"

#include <sqlite3.h>

namespace qengine {

SqliteStatement::SqliteStatement(const SqliteConnection& connection, const std::string& sql) {
    if (!connection.isOpen()) return;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(connection.handle(), sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK)
        stmt_ = stmt;
    else
        sqlite3_finalize(stmt);
}

SqliteStatement::~SqliteStatement() {
    if (stmt_) sqlite3_finalize(stmt_);
}

bool SqliteStatement::bind(int index, const std::string& text) {
    return stmt_ && sqlite3_bind_text(stmt_, index, text.c_str(), static_cast<int>(text.size()),
                                      SQLITE_TRANSIENT) == SQLITE_OK;
}

SqliteStatement::Step SqliteStatement::step() {
    if (!stmt_) return Step::Error;
    switch (sqlite3_step(stmt_)) {
    case SQLITE_ROW:
        return Step::Row;
    case SQLITE_DONE:
        return Step::Done;
    default:
        return Step::Error;
    }
}

std::optional<std::string> SqliteStatement::columnText(int column) const {
    if (!stmt_ || sqlite3_column_type(stmt_, column) == SQLITE_NULL) return std::nullopt;
    const auto* text = sqlite3_column_text(stmt_, column);
    const int length = sqlite3_column_bytes(stmt_, column);
    return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
}

} // namespace qengine
