#include "engine/PathArena.h"

#include <algorithm>
#include <cstring>

namespace qengine {

// A handle is the block's index in the high half and the offset in the low half; each path
// ends with a NUL (paths never hold one), so its length need not be stored.
PathArena::Handle PathArena::add(std::string_view path) {
    const std::size_t needed = path.size() + 1;
    if (blocks_.empty() || used_ + needed > blockCapacity_) {
        blockCapacity_ = std::max(kBlockSize, needed);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockCapacity_));
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    std::memcpy(at, path.data(), path.size());
    at[path.size()] = '\0';
    const Handle handle = (static_cast<Handle>(blocks_.size() - 1) << 32) | used_;
    used_ += needed;
    return handle;
}

std::string_view PathArena::at(Handle handle) const {
    return blocks_[handle >> 32].get() + (handle & 0xffff'ffffu);
}

void PathArena::clear() {
    blocks_.clear();
    blockCapacity_ = 0;
    used_ = 0;
}

} // namespace qengine
