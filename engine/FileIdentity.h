#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct stat;

namespace qengine {

// Which file a path names and whether it was touched: device and inode tell the file, size and
// the modification and status-change times (to the nanosecond) tell a change. A rewrite that
// puts the old modification time back still moves the status-change time.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    // The entry at the path itself (a link is not followed); nothing when it cannot be seen.
    static std::optional<FileIdentity> of(const std::string& path);
    static FileIdentity fromStat(const struct stat& st);

    // Two paths with the same device and inode are one file.
    bool isSameFile(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
    bool operator==(const FileIdentity&) const = default;
};

} // namespace qengine
