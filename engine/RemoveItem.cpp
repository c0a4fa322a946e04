#include "engine/RemoveItem.h"

#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qengine {

using qcore::FileManager;
using ItemType = RemovalCheck::ItemType;

namespace {

bool refuse(const std::string& path, const char* reason) {
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

    // The parent is judged where it really is (links on the way followed); the item's own
    // name is never resolved, so a link is judged (and removed) as itself.
    const auto parent = FileManager::openParent(path);
    if (!parent)
        return refuse(path, errno == ENOENT ? "it no longer exists" : std::strerror(errno));
    const qcore::FileDescriptor folder = FileManager::openFolder(check.moduleFolder);
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
