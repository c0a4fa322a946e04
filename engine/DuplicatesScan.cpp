#include "engine/DuplicatesScan.h"

#include "engine/DataFiller.h"
#include "engine/DatabaseCompanion.h"
#include "engine/DupOVNode.h"
#include "engine/FileMD5StreamHash.h"
#include "engine/FileOperations.h"
#include "engine/Pacer.h"
#include "engine/ScanListing.h"
#include "engine/ScanRun.h"
#include "engine/SizeSetting.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Workspace.h"

#include <algorithm>
#include <cmath>

namespace qengine {

using qcore::FileManager;

namespace {

constexpr std::size_t kHashChunk = 4096;
const std::string& kModule = modules::kDuplicatesFinder;

} // namespace

DuplicatesScan::DuplicatesScan(DataFiller& engine, Results results)
    : engine_(engine), results_(results), stopFlag_(engine.flags(kModule).stopFilling),
      exclusions_(std::vector<std::string>{}) {}

std::string DuplicatesScan::rootFolder(const std::string& setting, const std::string& home) {
    if (setting == "/") return home + "/";
    if (setting.empty() || setting.front() != '/') {
        qcore::log(kModule, ": no absolute folder to search (\"", setting, "\")");
        return "";
    }
    return setting;
}

void DuplicatesScan::run() {
    ScanRun scan(engine_, kModule);
    if (!scan.active()) return;
    auto& defaults = qcore::UserDefaults::standard();
    minimumSize_ = SizeSetting::fromDefaults("searchFileMinSize", "searchSizeUnit");
    exclusions_ = DuplicatesExclusions::fromDefaults();
    candidates_.clear();
    dictMD5ForDuplicates_.clear();
    filesSeen_.clear();
    results_.itemsCount.store(0);
    results_.itemsSize.store(0);

    const std::string root = rootFolder(defaults.stringForKey("DuplicatesFinderPath"), scan.home());
    results_.listing.begin(root);
    if (!root.empty()) walk(scan, root);

    // The tables are only needed while walking.
    candidates_.clear();
    dictMD5ForDuplicates_.clear();
    filesSeen_.clear();
}

void DuplicatesScan::walk(ScanRun& scan, const std::string& root) {
    qcore::DirectoryEnumerator walker(root);
    while (const auto entry = walker.next()) {
        if (scan.shouldStop()) break;
        engine_.sendProcessingFileNameNotification(kModule, entry->path);
        if (examine(entry->path, entry->attributes) == Entry::SkipContents)
            walker.skipDescendants();
    }
}

DuplicatesScan::Entry DuplicatesScan::examine(const std::string& path,
                                              const qcore::FileAttributes& attributes) {
    // Only a real folder can be a package; the test costs nothing for files.
    const bool isPackage = attributes.isDirectory() && qcore::Workspace::isFilePackage(path);
    if (isPackage && !isListablePackage(path)) return Entry::SkipContents;
    if (attributes.isLink()) return Entry::Next;
    // Only a folder has contents to skip; a file at an excluded path fails the next test too.
    if (attributes.isDirectory() && exclusions_.isExcludedFolder(path)) return Entry::SkipContents;
    if (!attributes.isRegular() && !isPackage) return Entry::Next;
    if (exclusions_.excludesFile(path)) return Entry::Next;
    if (!isPackage && DatabaseCompanion::isCompanionName(path)) return Entry::Next;

    const std::uint64_t size =
        isPackage ? FileOperations::bytesOf(FileOperations::folderSizeUnix(path)) : attributes.size;
    if (size < minimumSize_) return Entry::Next;
    if (!isPackage && !filesSeen_.emplace(attributes.device, attributes.inode).second)
        return Entry::Next;

    const CandidateKey key{
        isPackage, size,
        isPackage ? 0
                  : static_cast<std::int64_t>(std::floor(attributes.modified.secondsSince1970))};
    const auto [it, isFirst] = candidates_.try_emplace(key, CandidateRecord{path});
    if (!isFirst) {
        // The first file of the key is hashed only now that it has company, and only once.
        if (!it->second.fileName.empty()) {
            const std::string first = std::exchange(it->second.fileName, std::string());
            addToMD5Dict(first, isPackage);
        }
        addToMD5Dict(path, isPackage);
    }
    return isPackage ? Entry::SkipContents : Entry::Next;
}

// Packages without an Info.plist, and the system's own, are passed over with their contents.
bool DuplicatesScan::isListablePackage(const std::string& path) {
    const std::string infoPath = path + "/Contents/Info.plist";
    if (!FileManager::exists(infoPath)) return false;
    const auto info = qcore::Value::fromPlistFile(infoPath, qcore::readLimits::kInfoPlist);
    const qcore::Dictionary* dictionary = info ? info->dictionary() : nullptr;
    if (!dictionary) return true;
    const auto it = dictionary->find("CFBundleIdentifier");
    return it == dictionary->end() || !it->second.toString().starts_with("com.apple");
}

std::optional<std::string>
DuplicatesScan::getFileMD5UsingStreamWithAbortFlag(const std::string& path,
                                                   const std::atomic<bool>& abortFlag) const {
    auto hash = FileMD5StreamHash(path, kHashChunk, &abortFlag);
    if (!hash) {
        qcore::log("############# MD5 coming NIL for file: ", path, " #############");
        if (abortFlag.load()) qcore::logLine("abortFlag true!!");
    }
    return hash;
}

void DuplicatesScan::addToMD5Dict(const std::string& path, bool isPackage) {
    // Taken before the read, so any later write shows as a change at clean time.
    const auto identity = FileIdentity::of(path);
    const auto hash = getFileMD5UsingStreamWithAbortFlag(path, stopFlag_);
    if (!hash || *hash == "0" || !identity) return;
    const auto [it, isFirst] =
        dictMD5ForDuplicates_.try_emplace(*hash, HashRecord{path, identity, {}, 0});
    if (isFirst) return;
    HashRecord& record = it->second;
    if (!record.group) {
        record.group = makeOutlineViewNodeForDuplicates(record.fileName, nullptr, record.pIndex,
                                                        isPackage, record.identity);
        record.fileName.clear();
        if (!record.group) return;
    }
    makeOutlineViewNodeForDuplicates(path, record.group, record.pIndex, isPackage, identity);
}

OutlineViewNode::Ptr DuplicatesScan::makeOutlineViewNodeForDuplicates(
    const std::string& path, OutlineViewNode::Ptr group, std::size_t& pIndex, bool isPackage,
    const std::optional<FileIdentity>& identity) {
    qcore::log(kModule, " Scan: ", path);
    ModuleList& list = engine_.mainDataSource(kModule);
    const bool isNewGroup = !group;
    if (isNewGroup) {
        group = makeGroup(path);
        pIndex = list.appendNode(group);
    }
    auto copy = makeCopy(path, isPackage);
    const bool hasCopies = list.withLock(
        [&](ModuleList::Nodes&, ModuleList::Rows&) { return !group->children().empty(); });
    if (hasCopies) ++results_.itemsCount;
    if (!isNewGroup) results_.itemsSize += copy->sizeInBytes();
    engine_.sendUpdateNotification(kModule, results_.itemsCount.load(), results_.itemsSize.load());
    Pacer::sleep(0.01);

    results_.listing.add(
        path, isPackage ? RemovalCheck::ItemType::Folder : RemovalCheck::ItemType::File, identity);
    appendCopy(group, pIndex, std::move(copy));
    engine_.sendReloadNotification(kModule);
    return group;
}

OutlineViewNode::Ptr DuplicatesScan::makeGroup(const std::string& firstCopy) {
    auto group = std::make_shared<DupOVNode>();
    group->setTitle(FileManager::lastPathComponent(firstCopy));
    group->setFullPath("");
    group->setParentIndex(-1);
    group->setState(0);
    group->setIsDirectory(true);
    group->setIcon(NodeIcon::fileIcon(firstCopy));
    return group;
}

OutlineViewNode::Ptr DuplicatesScan::makeCopy(const std::string& path, bool isPackage) {
    auto copy = std::make_shared<OutlineViewNode>();
    copy->setTitle(path);
    copy->setFullPath(path);
    copy->setState(0);
    copy->setIsDirectory(false);
    copy->setSize(isPackage ? FileOperations::folderSizeUnix(path)
                            : FileOperations::getFileSize(path));
    copy->setIcon(NodeIcon::fileIcon(path));
    return copy;
}

// The group is found by identity, its index as a hint, so a page that reorders the groups
// while the scan runs cannot make a copy land in the wrong group.
bool DuplicatesScan::appendCopy(const OutlineViewNode::Ptr& group, std::size_t& pIndex,
                                OutlineViewNode::Ptr copy) {
    return engine_.mainDataSource(kModule).withLock(
        [&](ModuleList::Nodes& groups, ModuleList::Rows&) {
            if (pIndex >= groups.size() || groups[pIndex] != group) {
                const auto it = std::find(groups.begin(), groups.end(), group);
                if (it == groups.end()) return false;
                pIndex = static_cast<std::size_t>(it - groups.begin());
            }
            copy->setParentIndex(static_cast<std::int64_t>(pIndex));
            group->children().push_back(std::move(copy));
            return true;
        });
}

} // namespace qengine
