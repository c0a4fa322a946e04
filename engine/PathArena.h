#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace qengine {

// Paths kept end to end in large blocks, so a table that remembers one path per walked file
// costs the path's bytes and not an allocation each.
class PathArena {
public:
    using Handle = std::uint64_t;

    Handle add(std::string_view path);
    // The path added under `handle`; valid until clear().
    std::string_view at(Handle handle) const;
    void clear();

private:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockCapacity_ = 0;
    std::size_t used_ = 0;
};

} // namespace qengine
