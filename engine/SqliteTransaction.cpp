#include "engine/SqliteTransaction.h"

#include "engine/SqliteConnection.h"

namespace qengine {

SqliteTransaction::SqliteTransaction(SqliteConnection& connection) : connection_(connection) {
    active_ = connection_.execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (active_) connection_.execute("ROLLBACK");
}

bool SqliteTransaction::commit() {
    if (!active_) return false;
    if (!connection_.execute("COMMIT")) return false; // the destructor rolls back
    active_ = false;
    return true;
}

} // namespace qengine
