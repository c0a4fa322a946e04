#include "engine/FileIdentity.h"

#include "platform/core/FileManager.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace qengine {

namespace {

std::int64_t nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

} // namespace

std::optional<FileIdentity> FileIdentity::of(const std::string& path) {
    // Looked at from its open folder, so paths longer than the system takes still work.
    const auto parent = qcore::FileManager::openParent(path);
    struct stat st {};
    if (!parent ||
        ::fstatat(parent->folder.get(), parent->name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return fromStat(st);
}

FileIdentity FileIdentity::fromStat(const struct stat& st) {
    return FileIdentity{
        static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
        static_cast<std::uint64_t>(st.st_size), nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

} // namespace qengine
