#include "engine/SystemCleanerScan.h"

#include "engine/DBOperations.h"
#include "engine/DataFiller.h"
#include "engine/DatabaseCompanion.h"
#include "engine/FileOperations.h"
#include "engine/ModuleRow.h"
#include "engine/NameMatch.h"
#include "engine/Pacer.h"
#include "engine/ScanListing.h"
#include "engine/ScanRun.h"
#include "engine/TextFormat.h"
#include "platform/core/FileManager.h"
#include "platform/core/Workspace.h"

namespace qengine {

using qcore::FileManager;

namespace {

const std::string kCommonGroup = "GRP_CMN";

// Listing through a link would reach whatever it points to; only real folders are walked.
bool isRealFolder(const std::string& path) {
    const auto attributes = FileManager::attributes(path);
    return attributes && attributes->isDirectory();
}

std::string join(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

} // namespace

SystemCleanerScan::SystemCleanerScan(DataFiller& engine, ScanListing& listing)
    : engine_(engine), listing_(listing) {}

std::string SystemCleanerScan::userCachesFolder(const std::string& home) {
    return home + "/Library/Caches";
}

std::string SystemCleanerScan::containersFolder(const std::string& home) {
    return home + "/Library/Containers";
}

bool SystemCleanerScan::skipsUserCacheName(const std::string& name) {
    if (names::startsWithAny(names::lowerCased(name),
                             {"com.bigfishgames", "com.apple.metadata.spotlight", "com.varnello",
                              "com.morvane", "com.apple.map", "cloudkit"}))
        return true;
    const std::string upper = text::upperCased(name);
    return upper == "FIREFOX" || upper == "COM.APPLE.SAFARI" || upper == "COM.GOOGLE.CHROME";
}

bool SystemCleanerScan::skipsContainerName(const std::string& name) {
    return name.starts_with(".") ||
           names::startsWithAny(names::lowerCased(name),
                                {"com.bigfishgames", "com.apple.map", "com.morvane", "com.varnello",
                                 "com.apple.photoanalysisd"});
}

void SystemCleanerScan::run() {
    ScanRun run(engine_, modules::kSystemCleaner);
    if (!run.active()) return;
    listing_.begin(run.home() + "/Library");
    applications_ = qcore::InstalledApplications::load();

    auto userCache = makeGroup("ID_USER_CACHE", "User Cache");
    userCache->setFullPath(userCachesFolder(run.home()) + "/");
    run.list().appendNode(userCache);
    const bool withContainers = !engine_.isOSX_Less_Then_10_7();
    std::size_t sandboxIndex = 0;
    if (withContainers)
        sandboxIndex = run.list().appendNode(makeGroup("ID_SANDBOX_CACHE", "Sandbox Cache"));

    walkUserCaches(run);
    // Logged from a copy: the page may change check states meanwhile.
    const auto logged = run.list().withLock(
        [&](ModuleList::Nodes&, ModuleList::Rows&) { return userCache->clone(); });
    engine_.printToConsole(modules::kSystemCleaner, true, *logged);

    if (withContainers) walkContainers(run, sandboxIndex);
}

OutlineViewNode::Ptr SystemCleanerScan::makeGroup(const std::string& textKey,
                                                  const std::string& image) const {
    const std::string title = engine_.getTokenForGroup(kCommonGroup, textKey);
    auto group = std::make_shared<OutlineViewNode>();
    group->setTitle(title);
    group->setFullPath(title);
    group->setIsDirectory(true);
    group->setIconFixedSize(image);
    return group;
}

void SystemCleanerScan::useApplicationIcon(OutlineViewNode& node,
                                           const std::string& bundleIdentifier) const {
    const auto application =
        qcore::Workspace::applicationPathForBundleIdentifier(bundleIdentifier, applications_);
    if (application && FileManager::exists(*application))
        node.setIcon(NodeIcon::applicationIcon(*application));
}

void SystemCleanerScan::walkUserCaches(ScanRun& run) {
    const std::string folder = userCachesFolder(run.home());
    for (const std::string& name : FileManager::contentsOfDirectory(folder)) {
        run.countedPointWithHandshake(); // every entry counts, filtered or not
        const std::string path = join(folder, name);
        if (skipsUserCacheName(name) || DatabaseCompanion::isCompanionName(name) ||
            !engine_.hasPermissionsToDelete(path))
            continue;
        // A cache database is listed only while it holds rows; the clean empties it.
        if (DBOperations::isDatabasePath(path) && !DBOperations::dbHasData(path)) continue;

        auto item = OutlineViewNode::initWithPath(path, false);
        useApplicationIcon(*item, name);
        listing_.add(path, row::typeOnDisk(path));
        const std::uint64_t bytes = item->sizeInBytes();
        run.list().appendChild(0, std::move(item));
        run.countItem(bytes);
        if (run.shouldStop()) return;
        Pacer::sleep(0.01);
    }
}

void SystemCleanerScan::walkContainers(ScanRun& run, std::size_t groupIndex) {
    const std::string folder = containersFolder(run.home());
    for (const std::string& name : FileManager::contentsOfDirectory(folder)) {
        if (skipsContainerName(name)) continue;
        run.countedPointWithHandshake(); // only containers that passed the filters count

        const std::string container = join(folder, name);
        const std::string caches = container + "/Data/Library/Caches";
        const bool walkable = isRealFolder(container) && isRealFolder(container + "/Data") &&
                              isRealFolder(container + "/Data/Library") && isRealFolder(caches);
        if (walkable) {
            auto item = makeContainerItem(run, name, caches);
            const std::uint64_t bytes = item->sizeInBytes();
            if (bytes > 0) {
                useApplicationIcon(*item, name);
                run.list().appendChild(groupIndex, std::move(item));
                run.countItem(bytes);
            }
        }
        Pacer::sleep(0.01);
        if (run.shouldStop()) return;
    }
}

OutlineViewNode::Ptr SystemCleanerScan::makeContainerItem(ScanRun& run,
                                                          const std::string& container,
                                                          const std::string& cachesFolder) {
    // Titled by the container's name (a bundle identifier); it stands for the paths it lists.
    auto item = std::make_shared<OutlineViewNode>();
    item->setTitle(container);
    item->setFullPath(container);
    item->setIcon(NodeIcon::genericFolder());
    item->setIsMultiplePaths(true);
    std::uint64_t sum = 0;
    for (const std::string& name : FileManager::contentsOfDirectory(cachesFolder)) {
        if (DatabaseCompanion::isCompanionName(name)) continue;
        const std::string path = join(cachesFolder, name);
        if (DBOperations::isDatabasePath(path) && !DBOperations::dbHasData(path)) continue;
        item->arrFullPath().push_back(path);
        listing_.add(path, row::typeOnDisk(path));
        // What removing the entry frees: a folder counts all it holds, not its own entry.
        sum += FileOperations::bytesOf(isRealFolder(path) ? FileOperations::folderSizeUnix(path)
                                                          : FileOperations::getFileSize(path));
        item->setSize(FileOperations::textOf(sum));
        if (run.shouldStop()) break;
    }
    return item;
}

} // namespace qengine
