#pragma once

#include "platform/core/Value.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qshell {

// Our stand-in for a security-scoped bookmark: a folder's canonical path with its device and
// inode. It resolves only while the folder at that path is still the same folder, so a moved,
// deleted or replaced folder (or a link put in its place) no longer resolves.
class FolderBookmark {
public:
    // The bookmark of an existing folder (links resolved first); nothing for anything else.
    static std::optional<FolderBookmark> create(const std::string& folder);
    // Reads data written by data(); nothing for anything else.
    static std::optional<FolderBookmark> fromData(const qcore::Data& data);

    // A small XML property list.
    qcore::Data data() const;
    // The folder's path while it is still the bookmarked folder.
    std::optional<std::string> resolve() const;

    const std::string& path() const { return path_; }
    std::uint64_t device() const { return device_; }
    std::uint64_t inode() const { return inode_; }

private:
    FolderBookmark(std::string path, std::uint64_t device, std::uint64_t inode)
        : path_(std::move(path)), device_(device), inode_(inode) {}

    std::string path_;
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
};

} // namespace qshell
