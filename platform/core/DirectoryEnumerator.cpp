#include "FileManager.h"
#include "Log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace qcore {

// One open folder of the walk. Entries are read by name at opening so the order is stable;
// children are opened relative to the folder's descriptor, so paths of any length work.
struct DirectoryEnumerator::Frame {
    int fd = -1;
    std::string relativePath;
    std::vector<std::string> names;
    std::size_t index = 0;

    ~Frame() {
        if (fd >= 0) ::close(fd);
    }
};

namespace {

std::unique_ptr<DirectoryEnumerator::Frame> openFrame(int parentFd, const std::string& name,
                                                      std::string relativePath) {
    const int fd =
        ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EMFILE || errno == ENFILE) log("Walk too deep to descend into ", relativePath);
        return nullptr;
    }
    const int listFd = ::dup(fd);
    DIR* dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0) ::close(listFd);
        ::close(fd);
        return nullptr;
    }
    auto frame = std::make_unique<DirectoryEnumerator::Frame>();
    frame->fd = fd;
    frame->relativePath = std::move(relativePath);
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

std::optional<DirectoryEnumerator::Entry> DirectoryEnumerator::next() {
    if (!started_) {
        started_ = true;
        if (auto frame = openFrame(AT_FDCWD, root_, "")) stack_.push_back(std::move(frame));
    }
    // Descend into the folder returned last time, unless the caller skipped it.
    if (pendingDescend_ && !stack_.empty()) {
        const std::string name = FileManager::lastPathComponent(*pendingDescend_);
        if (auto frame = openFrame(stack_.back()->fd, name, *pendingDescend_)) {
            stack_.push_back(std::move(frame));
        }
    }
    pendingDescend_.reset();

    while (!stack_.empty()) {
        Frame& top = *stack_.back();
        if (top.index >= top.names.size()) {
            stack_.pop_back();
            continue;
        }
        const std::string& name = top.names[top.index++];
        auto attributes = FileManager::attributesAt(top.fd, name.c_str());
        if (!attributes) continue; // vanished since the folder was read
        Entry entry;
        entry.relativePath = top.relativePath.empty() ? name : top.relativePath + "/" + name;
        entry.path = FileManager::appendingPathComponent(root_, entry.relativePath);
        entry.attributes = *attributes;
        level_ = static_cast<int>(stack_.size());
        if (attributes->isDirectory()) pendingDescend_ = entry.relativePath;
        return entry;
    }
    return std::nullopt;
}

} // namespace qcore
