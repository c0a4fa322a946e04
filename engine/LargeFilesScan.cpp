#include "engine/LargeFilesScan.h"

#include "engine/DataFiller.h"
#include "engine/DatabaseCompanion.h"
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

LargeFilesScan::Exclusion LargeFilesScan::checkIfLargeFileExcluded(const std::string& fullPath,
                                                                   const std::string& home) {
    if (names::isAtOrBelow(fullPath, home + "/Library") ||
        names::isAtOrBelow(fullPath, home + "/.Trash"))
        return SkipSubtree;
    if (FileManager::lastPathComponent(fullPath).starts_with(".")) return SkipEntry;
    if (fullPath.starts_with("/Volumes/")) return Take;
    // By components, so a sibling whose name merely begins like the home folder is outside.
    if (names::isAtOrBelow(fullPath, home)) return Take;
    return SkipSubtree;
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
    qcore::DirectoryEnumerator walker(root);
    while (const auto entry = walker.next()) {
        if (scan.shouldStop()) break;
        const auto exclusion = checkIfLargeFileExcluded(entry->path, scan.home());
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
    auto item = OutlineViewNode::initWithPath(path, false);
    item->setState(0);
    const std::uint64_t bytes = item->sizeInBytes();
    listing_.add(path, RemovalCheck::ItemType::File);
    if (scan.list().appendChild(static_cast<std::size_t>(category), std::move(item)))
        scan.countItem(bytes);
}

} // namespace qengine
