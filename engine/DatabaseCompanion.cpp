#include "engine/DatabaseCompanion.h"

namespace qengine {

bool DatabaseCompanion::isCompanionName(const std::string& name) {
    for (const auto suffix : kSuffixes)
        if (name.ends_with(suffix)) return true;
    return false;
}

} // namespace qengine
