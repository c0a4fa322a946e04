#include "FileManager.h"
#include "Log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qcore {

// One folder of the walk. Its entries are read by name when it is entered, so the order is
// stable and no descriptor has to stay open for it; only the folder being read is open.
struct DirectoryEnumerator::Frame {
    std::string relativePath;
    std::vector<std::string> names;
    std::size_t index = 0;
    dev_t device = 0;
    ino_t inode = 0;
};

namespace {

// `folder` + "/" + `name` into `out`, reusing its storage; an empty folder gives the name
// alone.
void joinInto(std::string& out, const std::string& folder, const std::string& name) {
    const bool needsSlash = !folder.empty() && folder.back() != '/';
    out.assign(folder);
    if (needsSlash) out.push_back('/');
    out.append(name);
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

std::unique_ptr<DirectoryEnumerator::Frame> readFrame(int fd, std::string relativePath) {
    struct stat st {};
    const int listFd = ::dup(fd);
    DIR* dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir || ::fstat(fd, &st) != 0) {
        if (dir)
            ::closedir(dir);
        else if (listFd >= 0)
            ::close(listFd);
        return nullptr;
    }
    auto frame = std::make_unique<DirectoryEnumerator::Frame>();
    frame->relativePath = std::move(relativePath);
    frame->device = st.st_dev;
    frame->inode = st.st_ino;
    while (const dirent* entry = ::readdir(dir)) {
        const char* n = entry->d_name;
        if (std::strcmp(n, ".") == 0 || std::strcmp(n, "..") == 0) continue;
        frame->names.emplace_back(n);
    }
    ::closedir(dir);
    std::sort(frame->names.begin(), frame->names.end());
    return frame;
}

} // namespace

DirectoryEnumerator::DirectoryEnumerator(std::string root) : root_(std::move(root)) {}

DirectoryEnumerator::~DirectoryEnumerator() = default;

void DirectoryEnumerator::skipDescendants() {
    pendingDescend_.reset();
}

void DirectoryEnumerator::descend(const std::string& relativePath) {
    const std::string name = FileManager::lastPathComponent(relativePath);
    FileDescriptor child(::openat(current_.get(), name.c_str(), kFolderFlags));
    if (!child.valid()) return; // unreadable or gone: passed over
    if (auto frame = readFrame(child.get(), relativePath)) {
        current_ = std::move(child);
        stack_.push_back(std::move(frame));
    }
}

// Back to the parent of the folder just finished, through "..", checked to be the folder the
// walk came from; a folder moved meanwhile ends the walk rather than listing somewhere else.
bool DirectoryEnumerator::ascend() {
    FileDescriptor parent(::openat(current_.get(), "..", kFolderFlags));
    struct stat st {};
    const Frame& top = *stack_.back();
    if (!parent.valid() || ::fstat(parent.get(), &st) != 0 || st.st_dev != top.device ||
        st.st_ino != top.inode) {
        log("Walk of ", root_, " ended: a folder moved while it was listed");
        stack_.clear();
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
        if (current_.valid())
            if (auto frame = readFrame(current_.get(), "")) stack_.push_back(std::move(frame));
    }
    // Descend into the folder returned last time, unless the caller skipped it.
    if (pendingDescend_ && !stack_.empty()) descend(*pendingDescend_);
    pendingDescend_.reset();

    while (!stack_.empty()) {
        Frame& top = *stack_.back();
        if (top.index >= top.names.size()) {
            stack_.pop_back();
            if (!stack_.empty() && !ascend()) break;
            continue;
        }
        const std::string& name = top.names[top.index++];
        auto attributes = FileManager::attributesAt(current_.get(), name.c_str());
        if (!attributes) continue; // vanished since the folder was read
        // The entry's strings keep their storage from one entry to the next.
        joinInto(entry_.relativePath, top.relativePath, name);
        joinInto(entry_.path, root_, entry_.relativePath);
        entry_.attributes = *attributes;
        level_ = static_cast<int>(stack_.size());
        if (attributes->isDirectory()) pendingDescend_ = entry_.relativePath;
        return &entry_;
    }
    current_.reset();
    return nullptr;
}

} // namespace qcore
