#include "engine/RemoveItem.h"

#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace qengine {

using qcore::FileManager;
using ItemType = RemovalCheck::ItemType;

namespace {

bool refuse(const std::string& path, const std::string& reason) {
    qcore::log("Not removing ", path, ": ", reason);
    return false;
}

ItemType typeOf(mode_t mode) {
    if (S_ISLNK(mode)) return ItemType::Link;
    if (S_ISDIR(mode)) return ItemType::Folder;
    return ItemType::File;
}

bool typeStillMatches(ItemType listed, ItemType now) {
    if (listed == ItemType::Any) return true;
    return listed == now;
}

std::string openingFailure(const std::string& stoppedAt) {
    if (errno == ENOENT) return "it no longer exists";
    if (errno == ELOOP && !stoppedAt.empty())
        return stoppedAt + " is a symbolic link, which is not followed";
    return std::strerror(errno);
}

// The folder holding the item, opened as the check asks; `stoppedAt` names what failed.
std::optional<FileManager::OpenParent>
openItemFolder(const std::string& path, const RemovalCheck& check, std::string& stoppedAt) {
    if (check.linkFreeBelow.empty()) return FileManager::openParent(path);
    qcore::FileDescriptor folder = FileManager::openFolderBelow(
        check.linkFreeBelow, FileManager::deletingLastPathComponent(path), &stoppedAt);
    if (!folder.valid()) return std::nullopt;
    return FileManager::OpenParent{std::move(folder), FileManager::lastPathComponent(path)};
}

qcore::FileDescriptor openModuleFolder(const RemovalCheck& check, std::string& stoppedAt) {
    if (check.linkFreeBelow.empty()) return FileManager::openFolder(check.moduleFolder);
    return FileManager::openFolderBelow(check.linkFreeBelow, check.moduleFolder, &stoppedAt);
}

} // namespace

bool RemoveItem::removeSingleItem(const std::string& path) const {
    std::string error;
    if (FileManager::removeItem(path, &error)) return true;
    qcore::log("Could not remove ", path, ": ", error.empty() ? "unknown error" : error);
    return false;
}

bool RemoveItem::removeSingleItem(const std::string& path, const RemovalCheck& check) const {
    const std::string name = FileManager::lastPathComponent(path);
    if (name.empty() || name == "." || name == "..") return refuse(path, "no item name");
    if (check.moduleFolder.empty()) return refuse(path, "no module folder");

    // The parent is judged where it really is (links on the way followed, unless the check
    // forbids them); the item's own name is never resolved, so a link is judged (and removed)
    // as itself.
    std::string stoppedAt;
    const auto parent = openItemFolder(path, check, stoppedAt);
    if (!parent) return refuse(path, openingFailure(stoppedAt));
    const qcore::FileDescriptor folder = openModuleFolder(check, stoppedAt);
    if (!folder.valid() && errno == ELOOP)
        return refuse(path, "the module's folder: " + openingFailure(stoppedAt));
    if (!folder.valid() || !FileManager::isFolderWithin(parent->folder.get(), folder.get()))
        return refuse(path, "no longer inside the module's folder");

    const int parentFd = parent->folder.get();
    struct stat st {};
    const bool found = ::fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    const ItemType now = found ? typeOf(st.st_mode) : ItemType::Any;
    bool removed = false;
    if (!found) {
        refuse(path, "it no longer exists");
    } else if (!typeStillMatches(check.listedType, now)) {
        refuse(path, now == ItemType::Link ? "it has become a link" : "its type has changed");
    } else if (check.identity && FileIdentity::fromStat(st) != *check.identity) {
        refuse(path, "it has changed since it was listed");
    } else if (now == ItemType::Folder) {
        std::string error;
        removed = FileManager::removeItemAt(parentFd, name, &error);
        if (!removed) qcore::log("Could not remove ", path, ": ", error);
    } else if (::unlinkat(parentFd, name.c_str(), 0) == 0) {
        removed = true;
    } else {
        qcore::log("Could not remove ", path, ": ", std::strerror(errno));
    }
    return removed;
}

} // namespace qengine
