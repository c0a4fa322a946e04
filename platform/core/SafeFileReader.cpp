#include "platform/core/SafeFileReader.h"

#include "platform/core/FileDescriptor.h"
#include "platform/core/Log.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace qcore {

namespace {

using Result = SafeFileReader::Result;
using Status = SafeFileReader::Status;

constexpr std::size_t kChunk = 64 * 1024;

std::mutex gObserverMutex;
std::function<void(const std::string&)> gObserver;
std::atomic<bool> gHasObserver{false};

void notifyObserver(const std::string& path) {
    if (!gHasObserver.load(std::memory_order_relaxed)) return;
    std::function<void(const std::string&)> observer;
    {
        const std::lock_guard lock(gObserverMutex);
        observer = gObserver;
    }
    if (observer) observer(path);
}

Result refused(std::string reason) {
    return Result{Status::Refused, {}, std::move(reason)};
}

Result failed(int error, bool refuseLinks) {
    if (error == ENOENT || error == ENOTDIR) return Result{Status::Missing, {}, {}};
    if (error == ELOOP && refuseLinks) return refused("it is a link");
    return refused(std::strerror(error));
}

std::string kindOf(mode_t mode) {
    return std::string("it is ") + SafeFileReader::kindName(mode);
}

std::string tooLarge(std::size_t maxBytes) {
    return "it is larger than " + std::to_string(maxBytes) + " bytes";
}

// Reads to the end; files under /proc report no size, so the limit is checked as bytes arrive.
Result readAll(int fd, std::size_t expected, std::size_t maxBytes) {
    Result result{Status::Read, {}, {}};
    result.bytes.reserve(expected);
    char buffer[kChunk];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return refused(std::strerror(errno));
        if (n == 0) return result;
        if (result.bytes.size() + static_cast<std::size_t>(n) > maxBytes)
            return refused(tooLarge(maxBytes));
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace

Result SafeFileReader::readWithStatus(const std::string& path, std::size_t maxBytes, Links links) {
    if (path.empty()) return Result{Status::Missing, {}, {}};
    notifyObserver(path);
    const bool refuseLinks = links == Links::Refuse;
    // Looked at before opening, so no device or pipe is ever opened; the descriptor is checked
    // again below in case the entry was swapped in between.
    struct stat before {};
    if (::fstatat(AT_FDCWD, path.c_str(), &before, refuseLinks ? AT_SYMLINK_NOFOLLOW : 0) != 0)
        return failed(errno, refuseLinks);
    if (!S_ISREG(before.st_mode)) return refused(kindOf(before.st_mode));
    if (static_cast<std::uint64_t>(before.st_size) > maxBytes) return refused(tooLarge(maxBytes));

    const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (refuseLinks ? O_NOFOLLOW : 0);
    FileDescriptor fd(::open(path.c_str(), flags));
    if (!fd.valid()) return failed(errno, refuseLinks);
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0) return refused(std::strerror(errno));
    if (!S_ISREG(opened.st_mode)) return refused(kindOf(opened.st_mode));
    if (opened.st_dev != before.st_dev || opened.st_ino != before.st_ino)
        return refused("it changed while being opened");
    if (static_cast<std::uint64_t>(opened.st_size) > maxBytes) return refused(tooLarge(maxBytes));
    return readAll(fd.get(), static_cast<std::size_t>(opened.st_size), maxBytes);
}

const char* SafeFileReader::kindName(mode_t mode) {
    if (S_ISREG(mode)) return "a regular file";
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISLNK(mode)) return "a link";
    return "not a regular file";
}

void SafeFileReader::setObserverForTesting(std::function<void(const std::string&)> observer) {
    const std::lock_guard lock(gObserverMutex);
    gHasObserver.store(static_cast<bool>(observer));
    gObserver = std::move(observer);
}

std::optional<std::string> SafeFileReader::read(const std::string& path, std::size_t maxBytes,
                                                Links links) {
    Result result = readWithStatus(path, maxBytes, links);
    if (result.status == Status::Read) return std::move(result.bytes);
    if (result.status == Status::Refused) log("Skipping ", path, ": ", result.reason);
    return std::nullopt;
}

} // namespace qcore
