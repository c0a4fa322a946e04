#pragma once

#include "FileDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qcore {

// The open folders of a walk, from its root down to the folder being read. The first
// kKeptOpen stay open, so the way back up to them needs no lookup. Below them only the folder
// being read is open: the way back goes through "..", which must lead to the folder the walk
// came from (its identity is taken on the way down), so a walk of any depth holds at most
// kKeptOpen + 1 descriptors, and one more for a moment on the way up.
class FolderTrail {
public:
    static constexpr std::size_t kKeptOpen = 16;

    // Goes down into `folder`, which becomes the current one; false (and no change) when the
    // folder the walk leaves could not be identified.
    bool enter(FileDescriptor folder);
    // Back to the folder above the current one. False when there is none, or when ".." no
    // longer leads to it (a folder moved meanwhile): the walk must end then, as the trail is
    // left empty.
    bool leave();
    void clear() { levels_.clear(); }

    int current() const { return levels_.empty() ? -1 : levels_.back().folder.get(); }
    std::size_t depth() const { return levels_.size(); }

private:
    struct Level {
        FileDescriptor folder; // closed below kKeptOpen once the walk goes deeper
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
    };
    std::vector<Level> levels_;
};

} // namespace qcore
