#pragma once

#include "engine/FileIdentity.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace qengine {

// MD5 of a regular file as 32 lower-case hexadecimal characters, read in chunks of
// `chunkSize` bytes (4096 when 0) so that no file is ever held whole in memory. The abort flag
// is tested before the first read and after every chunk; a set flag, a read error, or a path
// that is not a regular file (links are not followed) gives nothing.
std::optional<std::string> FileMD5StreamHash(const std::string& path, std::size_t chunkSize,
                                             const std::atomic<bool>* abortFlag);

// The same hash with the identity of the file read, taken from the opened file before its first
// byte is read: any later write shows as a change.
struct FileDigest {
    std::string md5;
    FileIdentity identity;
};
std::optional<FileDigest> FileMD5StreamHashWithIdentity(const std::string& path,
                                                        std::size_t chunkSize,
                                                        const std::atomic<bool>* abortFlag);

// Test hook: called with (path, 0) when a hash opens its file and with the running byte count
// after every chunk. Empty by default.
using HashObserver = std::function<void(const std::string& path, std::uint64_t bytesRead)>;
void setHashObserverForTesting(HashObserver observer);

} // namespace qengine
