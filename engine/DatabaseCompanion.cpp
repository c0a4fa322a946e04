#include "engine/DatabaseCompanion.h"

namespace qengine {

bool DatabaseCompanion::isCompanionName(const std::string& name) {
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        if (name.ends_with(suffix)) return true;
    return false;
}

} // namespace qengine
