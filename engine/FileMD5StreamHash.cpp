#include "engine/FileMD5StreamHash.h"

#include "platform/core/Digest.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qengine {

namespace {

constexpr std::size_t kDefaultChunk = 4096;

std::mutex gObserverMutex;
HashObserver gObserver;
std::atomic<bool> gHasObserver{false};

void notifyObserver(const std::string& path, std::uint64_t bytesRead) {
    if (!gHasObserver.load(std::memory_order_relaxed)) return;
    HashObserver observer;
    {
        const std::lock_guard lock(gObserverMutex);
        observer = gObserver;
    }
    if (observer) observer(path, bytesRead);
}

bool aborted(const std::atomic<bool>* abortFlag) {
    if (!abortFlag || !abortFlag->load()) return false;
    qcore::logLine("abortFlag true!!");
    return true;
}

// Closes the descriptor on every way out.
// Opened at any path length; non-blocking so that a file swapped for a pipe cannot hang the
// worker.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path)
        : fd_(qcore::FileManager::openFile(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)) {}

    // The opened file's status, when it is a regular file.
    std::optional<struct stat> regularFileStatus() const {
        struct stat st {};
        if (!fd_.valid() || ::fstat(fd_.get(), &st) != 0 || !S_ISREG(st.st_mode))
            return std::nullopt;
        return st;
    }
    ssize_t read(void* buffer, std::size_t length) const {
        ssize_t n;
        do {
            n = ::read(fd_.get(), buffer, length);
        } while (n < 0 && errno == EINTR);
        return n;
    }

private:
    qcore::FileDescriptor fd_;
};

} // namespace

std::optional<std::string> FileMD5StreamHash(const std::string& path, std::size_t chunkSize,
                                             const std::atomic<bool>* abortFlag) {
    auto digest = FileMD5StreamHashWithIdentity(path, chunkSize, abortFlag);
    if (!digest) return std::nullopt;
    return std::move(digest->md5);
}

std::optional<FileDigest> FileMD5StreamHashWithIdentity(const std::string& path,
                                                        std::size_t chunkSize,
                                                        const std::atomic<bool>* abortFlag) {
    const ReadOnlyFile file(path);
    const auto status = file.regularFileStatus();
    if (!status) return std::nullopt;
    qcore::Md5 digest;
    if (aborted(abortFlag)) return std::nullopt;
    notifyObserver(path, 0);

    // One buffer per thread: the scan hashes thousands of small files.
    thread_local std::vector<unsigned char> buffer;
    buffer.resize(chunkSize == 0 ? kDefaultChunk : chunkSize);
    std::uint64_t total = 0;
    for (;;) {
        const ssize_t n = file.read(buffer.data(), buffer.size());
        if (n == 0) return FileDigest{digest.finishHex(), FileIdentity::fromStat(*status)};
        if (n < 0) return std::nullopt;
        digest.update(buffer.data(), static_cast<std::size_t>(n));
        total += static_cast<std::uint64_t>(n);
        notifyObserver(path, total);
        if (aborted(abortFlag)) return std::nullopt;
    }
}

void setHashObserverForTesting(HashObserver observer) {
    const std::lock_guard lock(gObserverMutex);
    gHasObserver.store(static_cast<bool>(observer));
    gObserver = std::move(observer);
}

} // namespace qengine
