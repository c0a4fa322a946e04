#include "engine/CountedPaths.h"

#include "engine/NameMatch.h"

namespace qengine {

std::uint64_t CountedPaths::count(const std::string& path, std::uint64_t bytes) {
    std::uint64_t inside = 0;
    for (const auto& [counted, countedBytes] : counted_) {
        if (names::isAtOrBelow(path, counted)) {
            bytes = 0;
            break;
        }
        if (names::isAtOrBelow(counted, path)) inside += countedBytes;
    }
    // Sizes are measured one after the other, so a folder may have shrunk meanwhile.
    const std::uint64_t added = bytes > inside ? bytes - inside : 0;
    counted_.emplace_back(path, added);
    return added;
}

} // namespace qengine
