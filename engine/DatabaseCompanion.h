#pragma once

#include <string>

namespace qengine {

// A database's "-wal", "-shm" and "-journal" files hold its latest changes and locks. Removed
// apart from the database they lose those changes or corrupt it, so no scan lists one on its
// own: they go only with the database (or the folder) they belong to.
class DatabaseCompanion {
public:
    // `name` (a file name or a path) ends in one of the companion suffixes.
    static bool isCompanionName(const std::string& name);
};

} // namespace qengine
