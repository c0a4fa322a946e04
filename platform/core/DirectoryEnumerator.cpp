#include "DirectoryListing.h"
#include "FileManager.h"
#include "Log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qcore {

// One folder of the walk. Its entries are read by name when it is entered, so the order is
// stable and no descriptor has to stay open for it; only the folder being read is open.
struct DirectoryEnumerator::Frame {
    DirectoryListing listing;
    std::size_t index = 0;
    // Lengths of the entry's two paths up to this folder's entries, the separator included.
    std::size_t pathPrefix = 0;
    std::size_t relativePrefix = 0;
    dev_t device = 0;
    ino_t inode = 0;
};

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

} // namespace

DirectoryEnumerator::DirectoryEnumerator(std::string root) : root_(std::move(root)) {}

DirectoryEnumerator::~DirectoryEnumerator() = default;

void DirectoryEnumerator::skipDescendants() {
    descendPending_ = false;
}

// Lists the folder open at `folderFd` as the new top frame, its entries below the entry's
// paths as they stand.
bool DirectoryEnumerator::enter(int folderFd) {
    struct stat st {};
    if (::fstat(folderFd, &st) != 0) return false;
    if (depth_ == stack_.size()) stack_.push_back(std::make_unique<Frame>());
    Frame& frame = *stack_[depth_];
    frame.listing.read(folderFd);
    frame.listing.sortByName();
    frame.index = 0;
    frame.pathPrefix = entry_.path.size();
    frame.relativePrefix = entry_.relativePath.size();
    frame.device = st.st_dev;
    frame.inode = st.st_ino;
    ++depth_;
    return true;
}

// Into the folder returned last, which is the top frame's entry just before its index.
void DirectoryEnumerator::descend() {
    const Frame& top = *stack_[depth_ - 1];
    FileDescriptor child(::openat(current_.get(), top.listing.name(top.index - 1), kFolderFlags));
    if (!child.valid()) return; // unreadable or gone: passed over
    entry_.path.push_back('/');
    entry_.relativePath.push_back('/');
    if (enter(child.get())) current_ = std::move(child);
}

// Back to the parent of the folder just finished, through "..", checked to be the folder the
// walk came from; a folder moved meanwhile ends the walk rather than listing somewhere else.
bool DirectoryEnumerator::ascend() {
    FileDescriptor parent(::openat(current_.get(), "..", kFolderFlags));
    struct stat st {};
    const Frame& top = *stack_[depth_ - 1];
    if (!parent.valid() || ::fstat(parent.get(), &st) != 0 || st.st_dev != top.device ||
        st.st_ino != top.inode) {
        log("Walk of ", root_, " ended: a folder moved while it was listed");
        depth_ = 0;
        return false;
    }
    current_ = std::move(parent);
    return true;
}

std::optional<DirectoryEnumerator::Entry> DirectoryEnumerator::next() {
    const Entry* entry = advance();
    if (!entry) return std::nullopt;
    return *entry;
}

const DirectoryEnumerator::Entry* DirectoryEnumerator::advance() {
    if (!started_) {
        started_ = true;
        current_ = FileManager::openFolder(root_, false);
        entry_.path = root_;
        if (!entry_.path.empty() && entry_.path.back() != '/') entry_.path.push_back('/');
        if (current_.valid()) enter(current_.get());
    }
    // Descend into the folder returned last time, unless the caller skipped it.
    if (descendPending_ && depth_ > 0) descend();
    descendPending_ = false;

    while (depth_ > 0) {
        Frame& top = *stack_[depth_ - 1];
        if (top.index >= top.listing.size()) {
            --depth_;
            if (depth_ > 0 && !ascend()) break;
            continue;
        }
        const std::size_t i = top.index++;
        auto attributes = FileManager::attributesAt(current_.get(), top.listing.name(i));
        if (!attributes) continue; // vanished since the folder was read
        entry_.path.resize(top.pathPrefix);
        entry_.path.append(top.listing.name(i), top.listing.nameLength(i));
        entry_.relativePath.resize(top.relativePrefix);
        entry_.relativePath.append(top.listing.name(i), top.listing.nameLength(i));
        entry_.attributes = *attributes;
        level_ = static_cast<int>(depth_);
        descendPending_ = attributes->isDirectory();
        return &entry_;
    }
    current_.reset();
    return nullptr;
}

} // namespace qcore
