#include "FileManager.h"
#include "SafeFileReader.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qcore {

namespace {

Date toDate(const statx_timestamp& t) {
    return Date{static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9};
}

FileType typeOf(std::uint32_t mode) {
    if (S_ISREG(mode)) return FileType::Regular;
    if (S_ISDIR(mode)) return FileType::Directory;
    if (S_ISLNK(mode)) return FileType::SymbolicLink;
    return FileType::Other;
}

} // namespace

std::optional<FileAttributes> FileManager::attributesAt(int dirFd, const char* name,
                                                        bool followLinks) {
    struct statx sx {};
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
    return a;
}

std::optional<FileAttributes> FileManager::attributes(const std::string& path, bool followLinks) {
    if (path.empty()) return std::nullopt;
    return attributesAt(AT_FDCWD, path.c_str(), followLinks);
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
    std::error_code ec;
    // remove_all removes links themselves and never descends through them.
    const auto removed = fs::remove_all(fs::path(path), ec);
    if (ec || removed == 0) {
        if (error) *error = ec ? ec.message() : std::string("No such file or directory");
        return false;
    }
    return true;
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
    const auto self = attributes(path);
    if (!self) return false;
    const std::string parent = deletingLastPathComponent(path);
    if (::access(parent.empty() ? "." : parent.c_str(), W_OK | X_OK) != 0) return false;
    const auto folder = attributes(parent.empty() ? "." : parent, true);
    if (folder && (folder->mode & S_ISVTX)) {
        struct stat s {};
        struct stat p {};
        if (::lstat(path.c_str(), &s) != 0 || ::stat(parent.c_str(), &p) != 0) return false;
        const uid_t me = ::geteuid();
        return me == 0 || s.st_uid == me || p.st_uid == me;
    }
    return true;
}

bool FileManager::isWritable(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool FileManager::isReadable(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) == 0;
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
