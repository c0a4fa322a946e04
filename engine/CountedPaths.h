#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qengine {

// The paths one total already counts. A path inside a counted one adds nothing, and a folder
// holding counted paths adds only what they do not hold, so no byte is counted twice. Paths are
// absolute and normalised; they are compared by whole components.
class CountedPaths {
public:
    // The bytes `path` adds to the total when it measures `bytes` on its own; records it.
    std::uint64_t count(const std::string& path, std::uint64_t bytes);
    void clear() { counted_.clear(); }

private:
    std::vector<std::pair<std::string, std::uint64_t>> counted_;
};

} // namespace qengine
