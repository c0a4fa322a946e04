#include "FolderTrail.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace qcore {

namespace {

constexpr int kParentFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

} // namespace

bool FolderTrail::enter(FileDescriptor folder) {
    if (levels_.size() > kKeptOpen) {
        // The folder being left is closed; remember who it is to find the way back.
        Level& left = levels_.back();
        struct stat st {};
        if (::fstat(left.folder.get(), &st) != 0) return false;
        left.device = st.st_dev;
        left.inode = st.st_ino;
        left.folder.reset();
    }
    levels_.push_back(Level{std::move(folder)});
    return true;
}

bool FolderTrail::leave() {
    if (levels_.empty()) return false;
    FileDescriptor finished = std::move(levels_.back().folder);
    levels_.pop_back();
    if (levels_.empty()) return false;
    Level& parent = levels_.back();
    if (parent.folder.valid()) return true;
    FileDescriptor up(::openat(finished.get(), "..", kParentFlags));
    struct stat st {};
    if (!up.valid() || ::fstat(up.get(), &st) != 0 ||
        static_cast<std::uint64_t>(st.st_dev) != parent.device ||
        static_cast<std::uint64_t>(st.st_ino) != parent.inode) {
        levels_.clear();
        return false;
    }
    parent.folder = std::move(up);
    return true;
}

} // namespace qcore
