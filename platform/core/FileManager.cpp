#include "FileManager.h"
#include "SafeFileReader.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qcore {

namespace {

// Both kernel time records (statx's and stat's) have these two fields.
template <typename Timestamp> Date toDate(const Timestamp& t) {
    return Date{static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9};
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

std::string errorText(int error) {
    return std::strerror(error);
}

// Splits a path into its components, without empty ones and ".".
std::vector<std::string> componentsOf(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto slash = path.find('/', start);
        const auto end = slash == std::string::npos ? path.size() : slash;
        if (end > start && path.compare(start, end - start, ".") != 0)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity&) const = default;
};

std::optional<Identity> identityOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::nullopt;
    return Identity{st.st_dev, st.st_ino};
}

// One folder being emptied: the subfolders still to remove and its identity, checked when
// the walk comes back up through "..".
struct RemovalLevel {
    std::string name;
    std::vector<std::string> folders;
    Identity identity;
};

class TreeRemoval {
public:
    explicit TreeRemoval(std::string* error) : error_(error) {}

    bool run(int parentFd, const std::string& name) {
        const auto top = identityOf(parentFd);
        FileDescriptor current(::openat(parentFd, name.c_str(), kFolderFlags | O_NOFOLLOW));
        if (!top || !current.valid()) return fail(errno);
        enter(current, name);
        while (!stack_.empty()) {
            RemovalLevel& level = stack_.back();
            if (!level.folders.empty()) {
                descend(current, level);
                continue;
            }
            const std::string done = std::move(level.name);
            stack_.pop_back();
            if (stack_.empty()) {
                if (::unlinkat(parentFd, done.c_str(), AT_REMOVEDIR) != 0) fail(errno);
                break;
            }
            // Back up without holding a descriptor per level; a folder moved meanwhile ends
            // the removal rather than deleting somewhere else.
            FileDescriptor parent(::openat(current.get(), "..", kFolderFlags));
            if (!parent.valid() || identityOf(parent.get()) != stack_.back().identity)
                return fail(EXDEV, "a folder moved during the removal");
            if (::unlinkat(parent.get(), done.c_str(), AT_REMOVEDIR) != 0) fail(errno);
            current = std::move(parent);
        }
        return ok_;
    }

private:
    bool fail(int error, const char* text = nullptr) {
        if (ok_ && error_) *error_ = text ? text : errorText(error);
        ok_ = false;
        return false;
    }

    // Removes the folder's other entries at once and keeps its subfolders for later.
    void enter(const FileDescriptor& folder, std::string name) {
        RemovalLevel level{std::move(name), {}, identityOf(folder.get()).value_or(Identity{})};
        const int listing = ::dup(folder.get());
        DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
        if (!dir) {
            if (listing >= 0) ::close(listing);
            fail(errno);
        }
        while (dir) {
            const dirent* entry = ::readdir(dir);
            if (!entry) break;
            const char* n = entry->d_name;
            if (std::strcmp(n, ".") == 0 || std::strcmp(n, "..") == 0) continue;
            if (::unlinkat(folder.get(), n, 0) == 0) continue;
            if (errno == EISDIR || errno == EPERM) // Linux answers EISDIR for folders
                level.folders.emplace_back(n);
            else if (errno != ENOENT)
                fail(errno);
        }
        if (dir) ::closedir(dir);
        stack_.push_back(std::move(level));
    }

    void descend(FileDescriptor& current, RemovalLevel& level) {
        const std::string name = std::move(level.folders.back());
        level.folders.pop_back();
        FileDescriptor child(::openat(current.get(), name.c_str(), kFolderFlags | O_NOFOLLOW));
        if (child.valid()) {
            current = std::move(child);
            enter(current, name);
        } else if (errno == EACCES && ::unlinkat(current.get(), name.c_str(), AT_REMOVEDIR) == 0) {
            // an empty folder we may not read can still go
        } else if (errno != ENOENT) {
            fail(errno);
        }
    }

    std::string* error_;
    std::vector<RemovalLevel> stack_;
    bool ok_ = true;
};

FileType typeOf(std::uint32_t mode) {
    if (S_ISREG(mode)) return FileType::Regular;
    if (S_ISDIR(mode)) return FileType::Directory;
    if (S_ISLNK(mode)) return FileType::SymbolicLink;
    return FileType::Other;
}

} // namespace

std::optional<FileAttributes> FileManager::attributesAt(int dirFd, const char* name,
                                                        bool followLinks) {
    struct statx sx; // filled by the call; read only when it succeeds
    const int flags = (followLinks ? 0 : AT_SYMLINK_NOFOLLOW) | AT_NO_AUTOMOUNT;
    const unsigned mask = STATX_BASIC_STATS | STATX_BTIME;
    if (::statx(dirFd, name, flags, mask, &sx) != 0) return std::nullopt;
    FileAttributes a;
    a.mode = sx.stx_mode;
    a.type = typeOf(sx.stx_mode);
    a.size = sx.stx_size;
    a.modified = toDate(sx.stx_mtime);
    a.accessed = toDate(sx.stx_atime);
    a.created = (sx.stx_mask & STATX_BTIME) ? toDate(sx.stx_btime) : a.modified;
    a.device = (static_cast<std::uint64_t>(sx.stx_dev_major) << 32) | sx.stx_dev_minor;
    a.inode = sx.stx_ino;
    a.links = sx.stx_nlink;
    return a;
}

std::optional<FileAttributes> FileManager::statusAt(int dirFd, const char* name) {
    struct stat st; // filled by the call; read only when it succeeds
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0)
        return std::nullopt;
    FileAttributes a;
    a.mode = st.st_mode;
    a.type = typeOf(st.st_mode);
    a.size = static_cast<std::uint64_t>(st.st_size);
    a.modified = toDate(st.st_mtim);
    a.accessed = toDate(st.st_atim);
    a.created = a.modified;
    // Encoded as attributesAt encodes it, so the two compare.
    a.device = (static_cast<std::uint64_t>(major(st.st_dev)) << 32) | minor(st.st_dev);
    a.inode = st.st_ino;
    a.links = st.st_nlink;
    return a;
}

std::optional<FileAttributes> FileManager::attributes(const std::string& path, bool followLinks) {
    if (path.empty()) return std::nullopt;
    if (path.size() < PATH_MAX) return attributesAt(AT_FDCWD, path.c_str(), followLinks);
    const auto parent = openParent(path);
    if (!parent) return std::nullopt;
    return attributesAt(parent->folder.get(), parent->name.c_str(), followLinks);
}

FileDescriptor FileManager::openFolder(const std::string& path, bool followLastLink) {
    const int lastFlags = kFolderFlags | (followLastLink ? 0 : O_NOFOLLOW);
    if (path.empty()) {
        errno = ENOENT;
        return FileDescriptor();
    }
    if (path.size() < PATH_MAX) return FileDescriptor(::open(path.c_str(), lastFlags));
    FileDescriptor current(::open(path.front() == '/' ? "/" : ".", kFolderFlags));
    const auto parts = componentsOf(path);
    for (std::size_t i = 0; i < parts.size() && current.valid(); ++i) {
        const int flags = i + 1 == parts.size() ? lastFlags : kFolderFlags;
        current = FileDescriptor(::openat(current.get(), parts[i].c_str(), flags));
    }
    return current;
}

FileDescriptor FileManager::openFolderBelow(const std::string& root, const std::string& path,
                                            std::string* stoppedAt) {
    const auto fail = [stoppedAt](const std::string& at, int error) {
        if (stoppedAt) *stoppedAt = at;
        errno = error;
        return FileDescriptor();
    };
    if (root.empty() || path.empty() || (root.front() == '/') != (path.front() == '/'))
        return fail(path, EXDEV);
    const auto rootParts = componentsOf(root);
    const auto parts = componentsOf(path);
    if (parts.size() < rootParts.size() ||
        !std::equal(rootParts.begin(), rootParts.end(), parts.begin()))
        return fail(path, EXDEV);
    const auto below = parts.begin() + static_cast<std::ptrdiff_t>(rootParts.size());
    if (std::find(below, parts.end(), "..") != parts.end()) return fail(path, EXDEV);

    FileDescriptor current = openFolder(root);
    if (!current.valid()) return fail(root, errno);
    std::string reached = root;
    for (auto part = below; part != parts.end(); ++part) {
        reached = appendingPathComponent(reached, *part);
        FileDescriptor next(::openat(current.get(), part->c_str(), kFolderFlags | O_NOFOLLOW));
        if (!next.valid()) {
            // A link opened as a folder without following answers ENOTDIR; say what it is.
            const int error = errno;
            struct stat st {};
            const bool isLink =
                ::fstatat(current.get(), part->c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(st.st_mode);
            return fail(reached, isLink ? ELOOP : error);
        }
        current = std::move(next);
    }
    return current;
}

std::optional<FileManager::OpenParent> FileManager::openParent(const std::string& path) {
    const std::string name = lastPathComponent(path);
    if (name.empty() || name == "/") {
        errno = EINVAL;
        return std::nullopt;
    }
    const std::string parent = deletingLastPathComponent(path);
    FileDescriptor folder = openFolder(parent.empty() ? "." : parent);
    if (!folder.valid()) return std::nullopt;
    return OpenParent{std::move(folder), name};
}

FileDescriptor FileManager::openFile(const std::string& path, int flags) {
    if (path.size() < PATH_MAX) return FileDescriptor(::open(path.c_str(), flags));
    const auto parent = openParent(path);
    if (!parent) return FileDescriptor();
    return FileDescriptor(::openat(parent->folder.get(), parent->name.c_str(), flags));
}

bool FileManager::isFolderWithin(int inner, int outer) {
    const auto target = identityOf(outer);
    FileDescriptor current(::fcntl(inner, F_DUPFD_CLOEXEC, 0));
    auto here = current.valid() ? identityOf(current.get()) : std::nullopt;
    while (target && here) {
        if (*here == *target) return true;
        FileDescriptor up(::openat(current.get(), "..", kFolderFlags));
        const auto above = up.valid() ? identityOf(up.get()) : std::nullopt;
        if (!above || *above == *here) return false; // the top of the file system
        current = std::move(up);
        here = above;
    }
    return false;
}

bool FileManager::exists(const std::string& path) {
    return attributes(path).has_value();
}

bool FileManager::isDirectory(const std::string& path, bool followLinks) {
    const auto a = attributes(path, followLinks);
    return a && a->isDirectory();
}

std::vector<std::string> FileManager::contentsOfDirectory(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const char* n = entry->d_name;
        if (std::strcmp(n, ".") == 0 || std::strcmp(n, "..") == 0) continue;
        names.emplace_back(n);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool FileManager::removeItem(const std::string& path, std::string* error) {
    const auto parent = openParent(path);
    if (!parent) {
        if (error) *error = errorText(errno);
        return false;
    }
    return removeItemAt(parent->folder.get(), parent->name, error);
}

bool FileManager::removeItemAt(int folder, const std::string& name, std::string* error) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        if (error) *error = "not an entry name: " + name;
        return false;
    }
    struct stat st {};
    if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (error) *error = errorText(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) return TreeRemoval(error).run(folder, name);
    if (::unlinkat(folder, name.c_str(), 0) == 0) return true;
    if (error) *error = errorText(errno);
    return false;
}

bool FileManager::createDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return !ec && isDirectory(path, true);
}

bool FileManager::copyFile(const std::string& from, const std::string& to, std::string* error) {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::none, ec);
    if (ec && error) *error = ec.message();
    return !ec;
}

bool FileManager::moveItem(const std::string& from, const std::string& to, std::string* error) {
    if (exists(to)) {
        if (error) *error = "File exists";
        return false;
    }
    if (::rename(from.c_str(), to.c_str()) == 0) return true;
    if (errno != EXDEV) {
        if (error) *error = std::strerror(errno);
        return false;
    }
    std::error_code ec;
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec) {
        if (error) *error = ec.message();
        fs::remove_all(to, ec);
        return false;
    }
    return removeItem(from, error);
}

bool FileManager::isDeletable(const std::string& path) {
    const auto parent = openParent(path);
    if (!parent) return false;
    const int folderFd = parent->folder.get();
    struct stat self {};
    struct stat folder {};
    if (::fstatat(folderFd, parent->name.c_str(), &self, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstat(folderFd, &folder) != 0 || ::faccessat(folderFd, ".", W_OK | X_OK, 0) != 0)
        return false;
    if (folder.st_mode & S_ISVTX) {
        const uid_t me = ::geteuid();
        return me == 0 || self.st_uid == me || folder.st_uid == me;
    }
    return true;
}

namespace {

bool hasAccess(const std::string& path, int mode) {
    if (path.size() < PATH_MAX) return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
    const auto parent = FileManager::openParent(path);
    return parent && ::faccessat(parent->folder.get(), parent->name.c_str(), mode, AT_EACCESS) == 0;
}

} // namespace

bool FileManager::isWritable(const std::string& path) {
    return hasAccess(path, W_OK);
}

bool FileManager::isReadable(const std::string& path) {
    return hasAccess(path, R_OK);
}

std::optional<std::string> FileManager::readFile(const std::string& path, std::size_t maxBytes) {
    return SafeFileReader::read(path, maxBytes);
}

bool FileManager::writeFileAtomically(const std::string& path, const std::string& bytes) {
    static std::atomic<unsigned> counter{0};
    const std::string temp =
        path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            ::unlink(temp.c_str());
            return false;
        }
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::string FileManager::lastPathComponent(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const auto slash = p.rfind('/');
    if (slash == std::string::npos || p == "/") return p;
    return p.substr(slash + 1);
}

std::string FileManager::pathExtension(const std::string& path) {
    const std::string name = lastPathComponent(path);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) return "";
    return name.substr(dot + 1);
}

std::string FileManager::deletingPathExtension(const std::string& path) {
    const std::string ext = pathExtension(path);
    if (ext.empty()) return path;
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return p.substr(0, p.size() - ext.size() - 1);
}

std::string FileManager::deletingLastPathComponent(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    const auto slash = p.rfind('/');
    if (slash == std::string::npos) return "";
    if (slash == 0) return "/";
    return p.substr(0, slash);
}

std::string FileManager::appendingPathComponent(const std::string& path, const std::string& name) {
    if (path.empty()) return name;
    if (name.empty()) return path;
    std::string n = name;
    while (!n.empty() && n.front() == '/')
        n.erase(n.begin());
    return path.back() == '/' ? path + n : path + "/" + n;
}

std::string FileManager::canonicalPath(const std::string& path) {
    std::error_code ec;
    const fs::path p = fs::canonical(path, ec);
    return ec ? path : p.string();
}

bool FileManager::isInside(const std::string& path, const std::string& folder) {
    const fs::path p = fs::path(path).lexically_normal();
    const fs::path f = fs::path(folder).lexically_normal();
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi) {
        if (fi->empty()) continue; // trailing "/" of the folder
        if (pi == p.end() || *pi != *fi) return false;
        ++pi;
    }
    return true;
}

} // namespace qcore
