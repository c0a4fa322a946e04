#include "engine/LargeFilesScan.h"

#include "engine/DataFiller.h"
#include "engine/DatabaseCompanion.h"
#include "engine/FileOperations.h"
#include "engine/LargeFilesCategories.h"
#include "engine/LargeFilesThresholds.h"
#include "engine/NameMatch.h"
#include "engine/ScanListing.h"
#include "engine/ScanRun.h"
#include "engine/TextFormat.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Workspace.h"

#include <filesystem>
#include <string_view>

namespace qengine {

using qcore::FileManager;

namespace {

const std::string& kModule = modules::kLargeFiles;
constexpr int kReloadEvery = 10;
constexpr double kReloadPause = 0.05;

} // namespace

LargeFilesScan::LargeFilesScan(DataFiller& engine, ScanListing& listing,
                               LargeFilesThresholds& thresholds)
    : engine_(engine), listing_(listing), thresholds_(thresholds) {}

LargeFilesScan::ExcludedFolders::ExcludedFolders(const std::string& home)
    : home(home), library(home + "/Library"), trash(home + "/.Trash") {}

LargeFilesScan::Exclusion LargeFilesScan::checkIfLargeFileExcluded(const std::string& fullPath,
                                                                   const std::string& home) {
    return exclusionOf(fullPath, ExcludedFolders(home));
}

// Runs for every walked entry: compares in place, with the folders' paths made once a scan.
LargeFilesScan::Exclusion LargeFilesScan::exclusionOf(std::string_view fullPath,
                                                      const ExcludedFolders& folders) {
    if (names::isAtOrBelow(fullPath, folders.library) ||
        names::isAtOrBelow(fullPath, folders.trash))
        return SkipSubtree;
    if (isHiddenName(fullPath)) return SkipEntry;
    if (fullPath.starts_with("/Volumes/")) return Take;
    // By components, so a sibling whose name merely begins like the home folder is outside.
    if (names::isAtOrBelow(fullPath, folders.home)) return Take;
    return SkipSubtree;
}

// The last component (trailing "/" aside, as lastPathComponent reads it) begins with a dot.
bool LargeFilesScan::isHiddenName(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    if (path == "/") return false;
    const auto slash = path.rfind('/');
    return path.substr(slash == std::string_view::npos ? 0 : slash + 1).starts_with('.');
}

std::string LargeFilesScan::rootFolder(const std::string& setting, const std::string& home) {
    if (setting == "/") return home + "/";
    if (setting.empty() || setting.front() != '/') {
        qcore::log(kModule, ": no absolute folder to search (\"", setting, "\")");
        return "";
    }
    return std::filesystem::path(setting).lexically_normal().string();
}

bool LargeFilesScan::isCompanionServiceLog(const std::string& fileName) {
    const std::string name = text::upperCased(fileName);
    return name.ends_with("LOG") && (name.starts_with("RIVOZOREV") || name.starts_with("ZOLVANE"));
}

void LargeFilesScan::run() {
    ScanRun scan(engine_, kModule, kReloadEvery, ScanRun::ListReset::EmptyChildren);
    if (!scan.active()) return;
    thresholds_.readFromDefaults();
    const std::string root =
        rootFolder(qcore::UserDefaults::standard().stringForKey("LargeFilesPath"), scan.home());
    listing_.begin(root);
    if (!root.empty()) walk(scan, root);
}

void LargeFilesScan::walk(ScanRun& scan, const std::string& root) {
    const std::uint64_t minimum = thresholds_.smallest();
    const ExcludedFolders folders(scan.home());
    qcore::DirectoryEnumerator walker(root);
    while (const auto* entry = walker.advance()) {
        if (scan.shouldStop()) break;
        const auto exclusion = exclusionOf(entry->path, folders);
        if (exclusion == SkipEntry) continue;
        if (exclusion == SkipSubtree) {
            walker.skipDescendants();
            continue;
        }
        const auto& attributes = entry->attributes;
        if (attributes.isDirectory() && qcore::Workspace::isFilePackage(entry->path)) {
            walker.skipDescendants();
            continue;
        }
        if (!attributes.isRegular() || attributes.size < minimum) continue;
        const std::string name = FileManager::lastPathComponent(entry->path);
        if (isCompanionServiceLog(name) || DatabaseCompanion::isCompanionName(name)) continue;
        scan.countedPointWithReload(kReloadPause);
        listFile(scan, entry->path, attributes.size);
    }
}

void LargeFilesScan::listFile(ScanRun& scan, const std::string& path, std::uint64_t size) {
    const std::int32_t category =
        LargeFilesCategories::indexForFile(engine_, path, kModule, size, thresholds_);
    if (category < 0) return;
    qcore::log("Large Files Scan: ", path);
    // The walk has just read the file's size: the row takes it without another look.
    auto item = std::make_shared<OutlineViewNode>();
    item->setFullPath(path);
    item->setTitle(FileManager::lastPathComponent(path));
    item->setIcon(NodeIcon::fileIcon(path));
    item->setSize(FileOperations::textOf(size));
    item->setIsDirectory(false);
    item->setState(0);
    const std::uint64_t bytes = size;
    listing_.add(path, RemovalCheck::ItemType::File);
    if (scan.list().appendChild(static_cast<std::size_t>(category), std::move(item)))
        scan.countItem(bytes);
}

} // namespace qengine
