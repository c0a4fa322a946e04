#pragma once

#include <optional>
#include <string>

namespace qengine {

// SQLite opens a database and its "-wal", "-shm" and "-journal" companions itself, by path, and
// some of those opens block: a pipe in place of any of them waits for a writer for ever. On
// users' files every such open must return at once, never follow a link at the last component
// and reach only a regular file.
class SqliteFileGuard {
public:
    // Sends every open SQLite makes in this process through the guard: non-blocking, never
    // through a link at the last component, and kept only for a regular file, a folder (opened
    // to sync it) or the random and null devices the library reads itself. Anything else is
    // closed again, logged, and the open fails. Done once before main; idempotent and
    // thread-safe.
    static void install();

    // Why the database at `path` is not opened: it, or a companion beside it, exists and is no
    // regular file. Nothing when it may be handed to SQLite (or is missing, which the open
    // itself answers). Looks without opening anything.
    static std::optional<std::string> refusal(const std::string& path);
};

} // namespace qengine
