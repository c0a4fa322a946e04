#include "DirectoryListing.h"
#include "FileManager.h"
#include "FolderTrail.h"
#include "Log.h"

#include <fcntl.h>

namespace qcore {

// One folder of the walk. Its entries are read by name when it is entered, so the order is
// stable and its descriptor need not stay open (see FolderTrail).
struct DirectoryEnumerator::Frame {
    DirectoryListing listing;
    std::size_t index = 0;
    // Lengths of the entry's two paths up to this folder's entries, the separator included.
    std::size_t pathPrefix = 0;
    std::size_t relativePrefix = 0;
};

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

} // namespace

DirectoryEnumerator::DirectoryEnumerator(std::string root)
    : root_(std::move(root)), trail_(std::make_unique<FolderTrail>()) {}

DirectoryEnumerator::~DirectoryEnumerator() = default;

void DirectoryEnumerator::skipDescendants() {
    descendPending_ = false;
}

// Lists `folder` as the new top frame, its entries below the entry's paths as they stand.
bool DirectoryEnumerator::enter(FileDescriptor folder) {
    const int fd = folder.get();
    if (!trail_->enter(std::move(folder))) return false;
    if (depth_ == stack_.size()) stack_.push_back(std::make_unique<Frame>());
    Frame& frame = *stack_[depth_];
    frame.listing.read(fd);
    frame.listing.sortByName();
    frame.index = 0;
    frame.pathPrefix = entry_.path.size();
    frame.relativePrefix = entry_.relativePath.size();
    ++depth_;
    return true;
}

// Into the folder returned last, which is the top frame's entry just before its index.
void DirectoryEnumerator::descend() {
    const Frame& top = *stack_[depth_ - 1];
    FileDescriptor child(
        ::openat(trail_->current(), top.listing.name(top.index - 1), kFolderFlags));
    if (!child.valid()) return; // unreadable or gone: passed over
    entry_.path.push_back('/');
    entry_.relativePath.push_back('/');
    enter(std::move(child));
}

// Back to the parent of the folder just finished. A folder moved meanwhile ends the walk
// rather than listing somewhere else.
bool DirectoryEnumerator::ascend() {
    if (trail_->leave()) return true;
    log("Walk of ", root_, " ended: a folder moved while it was listed");
    depth_ = 0;
    return false;
}

std::optional<DirectoryEnumerator::Entry> DirectoryEnumerator::next() {
    const Entry* entry = advance();
    if (!entry) return std::nullopt;
    return *entry;
}

const DirectoryEnumerator::Entry* DirectoryEnumerator::advance() {
    if (!started_) {
        started_ = true;
        FileDescriptor root = FileManager::openFolder(root_, false);
        entry_.path = root_;
        if (!entry_.path.empty() && entry_.path.back() != '/') entry_.path.push_back('/');
        if (root.valid()) enter(std::move(root));
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
        auto attributes = FileManager::statusAt(trail_->current(), top.listing.name(i));
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
    trail_->clear();
    return nullptr;
}

} // namespace qcore
