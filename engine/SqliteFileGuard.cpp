#include "engine/SqliteFileGuard.h"

#include "engine/DatabaseCompanion.h"
#include "platform/core/Log.h"
#include "platform/core/SafeFileReader.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace qengine {

namespace {

using qcore::SafeFileReader;

// The unix file-system layer's replaceable "open" (the library's own posixOpen).
using OpenCall = int (*)(const char*, int, int);
OpenCall gLibraryOpen = nullptr; // set once, before the guard takes its place

bool mayKeep(const char* path, mode_t mode) {
    if (S_ISREG(mode) || S_ISDIR(mode)) return true;
    // The library seeds its randomness from one device and fills low descriptors with the other.
    return S_ISCHR(mode) &&
           (std::strcmp(path, "/dev/urandom") == 0 || std::strcmp(path, "/dev/null") == 0);
}

// The descriptor is looked at after a non-blocking open, so a pipe swapped in at any moment is
// seen for what it is rather than waited on.
int guardedOpen(const char* path, int flags, int mode) {
    const int fd = gLibraryOpen(path, flags | O_NONBLOCK | O_NOFOLLOW, mode);
    if (fd < 0) return fd;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    if (!mayKeep(path, opened.st_mode)) {
        ::close(fd);
        qcore::log("Skipping ", path, ": it is ", SafeFileReader::kindName(opened.st_mode));
        errno = ENXIO;
        return -1;
    }
    // The library reads and writes expecting blocking semantics.
    if ((flags & O_NONBLOCK) == 0) {
        const int status = ::fcntl(fd, F_GETFL);
        if (status >= 0) ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    }
    return fd;
}

void installOnce() {
    if (sqlite3_initialize() != SQLITE_OK) return;
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (!vfs || vfs->iVersion < 3 || !vfs->xGetSystemCall || !vfs->xSetSystemCall) {
        qcore::log("SQLite: no replaceable open; databases are checked before opening only");
        return;
    }
    gLibraryOpen = reinterpret_cast<OpenCall>(vfs->xGetSystemCall(vfs, "open"));
    if (!gLibraryOpen ||
        vfs->xSetSystemCall(vfs, "open", reinterpret_cast<sqlite3_syscall_ptr>(&guardedOpen)) !=
            SQLITE_OK)
        qcore::log("SQLite: could not guard its opens; databases are checked before opening only");
}

// Before main, while the process has one thread, so no open of any thread races the switch.
[[maybe_unused]] const bool gInstalledAtStart = (SqliteFileGuard::install(), true);

} // namespace

void SqliteFileGuard::install() {
    static std::once_flag once;
    std::call_once(once, installOnce);
}

std::optional<std::string> SqliteFileGuard::refusal(const std::string& path) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) return std::nullopt;
    if (!S_ISREG(entry.st_mode))
        return std::string("it is ") + SafeFileReader::kindName(entry.st_mode);
    for (const auto suffix : DatabaseCompanion::kSuffixes) {
        const std::string companion = path + std::string(suffix);
        if (::lstat(companion.c_str(), &entry) == 0 && !S_ISREG(entry.st_mode))
            return companion + " beside it is " + SafeFileReader::kindName(entry.st_mode);
    }
    return std::nullopt;
}

} // namespace qengine
