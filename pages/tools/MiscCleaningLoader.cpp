#include "pages/tools/MiscCleaningLoader.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/Pacer.h"
#include "platform/core/DirectoryListing.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qpages {

namespace {

using qcore::FileManager;
using ItemType = qengine::RemovalCheck::ItemType;

constexpr off_t kMaxInfoPlistBytes = 4 * 1024 * 1024;

// A backup's Info.plist, read only when it is a regular file of sane size (never through a
// link, never a FIFO or device).
std::optional<qcore::Value> readInfoPlist(const std::string& path) {
    qcore::FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxInfoPlistBytes) {
        qcore::log("Refused to read ", path);
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return qcore::Value::fromPlistData(bytes);
}

std::string plistText(const qcore::Value& plist, const std::string& key) {
    return plist.contains(key) ? plist[key].toString() : std::string();
}

ItemType itemTypeOf(const qcore::FileAttributes& attributes) {
    if (attributes.isLink()) return ItemType::Link;
    if (attributes.isDirectory()) return ItemType::Folder;
    return ItemType::File;
}

std::string dateText(const qcore::Dictionary& dates, const std::string& key) {
    const auto it = dates.find(key);
    if (it == dates.end()) return {};
    const auto date = it->second.date();
    return date ? qengine::DataFiller::getDateInString(*date) : std::string();
}

std::string joined(std::string folder, const std::string& name) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return FileManager::appendingPathComponent(folder, name);
}

} // namespace

MiscCleaningLoader::MiscCleaningLoader(qengine::DataFiller& engine, std::string home)
    : engine_(engine), home_(std::move(home)) {}

std::string MiscCleaningLoader::backupsFolder() const {
    return home_ + "/Library/Application Support/MobileSync/Backup/";
}

std::string MiscCleaningLoader::mailDownloadsFolder() const {
    if (FileManager::exists(home_ + "/Library/Containers/com.apple.mail/"))
        return home_ + "/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/";
    return home_ + "/Library/Mail Downloads/";
}

std::string MiscCleaningLoader::trashFolder() const {
    return home_ + "/.Trash/";
}

bool MiscCleaningLoader::stopRequested() const {
    if (!engine_.stopFillingMiscCleaning()) return false;
    engine_.setAbortedMiscCleaning(true);
    return true;
}

std::vector<std::string> MiscCleaningLoader::namesIn(const std::string& folder) const {
    std::string stoppedAt;
    const qcore::FileDescriptor opened = FileManager::openFolderBelow(home_, folder, &stoppedAt);
    if (!opened.valid()) {
        if (errno == ELOOP)
            qcore::log(qengine::modules::kMiscCleaning, ": not listing ", folder, ": ", stoppedAt,
                       " is a symbolic link, which is not followed");
        else if (errno != ENOENT)
            qcore::log(qengine::modules::kMiscCleaning, ": not listing ", folder, ": ",
                       std::strerror(errno));
        return {};
    }
    qcore::DirectoryListing listing;
    listing.read(opened.get());
    listing.sortByName();
    std::vector<std::string> names;
    names.reserve(listing.size());
    for (std::size_t i = 0; i < listing.size(); ++i)
        names.emplace_back(listing.name(i), listing.nameLength(i));
    return names;
}

void MiscCleaningLoader::loadTableviewBackups(MiscCleaningList& list, const RowAdded& added) const {
    const std::string folder = backupsFolder();
    for (const auto& name : namesIn(folder)) {
        if (stopRequested()) return;
        const std::string entry = joined(folder, name);
        // Only a real folder holding a real Info.plist is a backup.
        const auto attributes = FileManager::attributes(entry);
        if (attributes && attributes->isLink())
            qcore::log(qengine::modules::kMiscCleaning, ": not listing a backup: ", entry,
                       " is a symbolic link, which is not followed");
        if (!attributes || !attributes->isDirectory()) continue;
        const std::string infoPlist = joined(entry, "Info.plist");
        if (!FileManager::exists(infoPlist)) continue;
        auto row = getDictInfoBackups(infoPlist);
        list.append(row);
        added(row);
        qengine::Pacer::sleep(0.05);
    }
}

void MiscCleaningLoader::loadTableviewMailDownloads(MiscCleaningList& list,
                                                    const RowAdded& added) const {
    const std::string folder = mailDownloadsFolder();
    for (const auto& name : namesIn(folder)) {
        if (stopRequested()) return;
        const std::string entry = joined(folder, name);
        const auto attributes = FileManager::attributes(entry);
        if (!attributes) continue;
        auto row = getDictInfoMailDownloads(entry, attributes->isDirectory());
        if (!row) continue;
        list.append(*row);
        added(*row);
        qengine::Pacer::sleep(0.05);
    }
}

void MiscCleaningLoader::loadTrashData(MiscCleaningList& list, const RowAdded& added) const {
    const std::string folder = trashFolder();
    for (const auto& name : namesIn(folder)) {
        qcore::log("containts of directory = ", folder, "/", name);
        if (auto row = getDictInfoTrash(joined(folder, name))) {
            list.append(*row);
            added(*row);
        }
        if (stopRequested()) return;
        qengine::Pacer::sleep(0.01);
    }
}

MiscCleaningRow MiscCleaningLoader::getDictInfoBackups(const std::string& infoPlistPath) const {
    qcore::log(qengine::modules::kMiscCleaning, " iTunes Device Backups Scan: ", infoPlistPath);
    const std::string folder = FileManager::deletingLastPathComponent(infoPlistPath);
    MiscCleaningRow row;
    row.url = folder;
    row.iconPath = infoPlistPath;
    row.listedType = ItemType::Folder;
    row.bDate = dateText(qengine::FileOperations::getItemAMCDates(folder), "mDate");
    row.size = qengine::FileOperations::fastFolderSize(folder);
    row.name = FileManager::lastPathComponent(folder);
    if (const auto plist = readInfoPlist(infoPlistPath); plist && plist->isDictionary()) {
        if (plist->contains("Device Name")) row.name = (*plist)["Device Name"].toString();
        row.imei = plistText(*plist, "IMEI");
        row.serial = plistText(*plist, "Serial Number");
    }
    return row;
}

std::optional<MiscCleaningRow> MiscCleaningLoader::getDictInfoMailDownloads(const std::string& path,
                                                                            bool isDir) const {
    const std::string name = FileManager::lastPathComponent(path);
    if (name.empty() || name.front() == '.') return std::nullopt;
    const auto attributes = FileManager::attributes(path);
    if (!attributes) return std::nullopt;
    auto row = itemRow(path, *attributes,
                       isDir ? qengine::FileOperations::fastFolderSize(path)
                             : qengine::FileOperations::getFileSize(path));
    if (row.bytes() == 0) return std::nullopt;
    return row;
}

std::optional<MiscCleaningRow> MiscCleaningLoader::getDictInfoTrash(const std::string& path) const {
    const std::string name = FileManager::lastPathComponent(path);
    if (!engine_.hasPermissionsToDelete(path)) return std::nullopt;
    if (name.rfind(".DS_Store", 0) == 0) return std::nullopt;
    const auto attributes = FileManager::attributes(path);
    if (!attributes) return std::nullopt;
    return itemRow(path, *attributes,
                   attributes->isDirectory() ? folderSize(path)
                                             : qengine::FileOperations::getFileSize(path));
}

MiscCleaningRow MiscCleaningLoader::itemRow(const std::string& path,
                                            const qcore::FileAttributes& attributes,
                                            std::string size) const {
    MiscCleaningRow row;
    row.size = std::move(size);
    row.name = FileManager::lastPathComponent(path);
    row.url = path;
    row.iconPath = path;
    row.listedType = itemTypeOf(attributes);
    fillDates(row);
    return row;
}

void MiscCleaningLoader::fillDates(MiscCleaningRow& row) const {
    const auto dates = qengine::FileOperations::getItemAMCDates(row.url);
    row.aDate = dateText(dates, "aDate");
    row.mDate = dateText(dates, "mDate");
    row.cDate = dateText(dates, "cDate");
}

std::string MiscCleaningLoader::folderSize(const std::string& path) {
    return qengine::FileOperations::fastFolderSize(path);
}

} // namespace qpages
