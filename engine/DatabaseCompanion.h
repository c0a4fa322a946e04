#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qengine {

// A database's "-wal", "-shm" and "-journal" files hold its latest changes and locks. Removed
// apart from the database they lose those changes or corrupt it, so no scan lists one on its
// own: they go only with the database (or the folder) they belong to.
class DatabaseCompanion {
public:
    static constexpr std::array<std::string_view, 3> kSuffixes{"-wal", "-shm", "-journal"};

    // `name` (a file name or a path) ends in one of the companion suffixes.
    static bool isCompanionName(const std::string& name);
};

} // namespace qengine
