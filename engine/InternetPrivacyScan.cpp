#include "engine/InternetPrivacyScan.h"

#include "engine/DBOperations.h"
#include "engine/DataFiller.h"
#include "engine/DatabaseCompanion.h"
#include "engine/FileOperations.h"
#include "engine/ModuleKeys.h"
#include "engine/Pacer.h"
#include "engine/ScanRun.h"
#include "engine/TextFormat.h"
#include "platform/core/FileManager.h"
#include "platform/core/Value.h"

namespace qengine {

using qcore::FileManager;
using ItemType = RemovalCheck::ItemType;

namespace {

const std::string& kModule = modules::kInternetPrivacy;

ItemType listedTypeOf(const qcore::FileAttributes& attributes) {
    if (attributes.isLink()) return ItemType::Link;
    if (attributes.isDirectory()) return ItemType::Folder;
    return ItemType::File;
}

std::uint64_t sizeOf(const std::string& path, const qcore::FileAttributes& attributes) {
    return FileOperations::bytesOf(attributes.isDirectory() ? FileOperations::folderSizeUnix(path)
                                                            : FileOperations::getFileSize(path));
}

// Safari keeps the tabs and windows that can be reopened in this key.
const std::string kClosedTabsKey = "ClosedTabOrWindowPersistentStates";

bool hasClosedTabs(const std::string& path) {
    const auto plist = qcore::Value::fromPlistFile(path);
    const auto* dictionary = plist ? plist->dictionary() : nullptr;
    if (!dictionary) return false;
    const auto it = dictionary->find(kClosedTabsKey);
    return it != dictionary->end() && it->second.array() && !it->second.array()->empty();
}

} // namespace

InternetPrivacyScan::InternetPrivacyScan(DataFiller& engine) : engine_(engine) {}

std::string InternetPrivacyScan::home(const std::string& relative) const {
    return FileManager::appendingPathComponent(home_, relative);
}

// --- Driver -------------------------------------------------------------------------------------

void InternetPrivacyScan::fillInternetPrivacy() {
    ScanRun run(engine_, kModule);
    if (!run.active()) return;
    home_ = run.home();
    profiles_ = engine_.arrMozilaProfilePath();
    counted_.clear();

    // The stop request is looked at between browsers only.
    scanBrowser(kSafari, &InternetPrivacyScan::fillSafariCache, 0.05);
    if (run.shouldStop()) return;
    scanBrowser(kFirefox, &InternetPrivacyScan::fillFirefoxCache, 0.04);
    if (run.shouldStop()) return;
    scanBrowser(kGoogleChrome, &InternetPrivacyScan::fillGoogleChromeCache, 0.04);
}

void InternetPrivacyScan::scanBrowser(const std::string& name,
                                      std::uint64_t (InternetPrivacyScan::*fill)(OutlineViewNode&),
                                      double pauseAfterReload) {
    auto group = std::make_shared<OutlineViewNode>();
    group->setTitle(name);
    group->setFullPath(name);
    group->setIsDirectory(true);
    group->setState(0);
    if (name == kSafari)
        group->setIconForApp(kSafari);
    else
        group->setIconFixedSize(name == kFirefox ? "firefox.png" : "chrome.png");

    listedForBrowser_.clear();
    const std::uint64_t total = (this->*fill)(*group);
    // The group only enters the list once it has rows, so a view never sees it empty.
    if (total > 0) {
        engine_.convertLanguageToken(*group);
        const auto items = static_cast<std::int32_t>(group->children().size());
        engine_.mainDataSource(kModule).withLock([&](ModuleList::Nodes& nodes, ModuleList::Rows&) {
            for (const auto& child : group->children())
                child->setParentIndex(static_cast<std::int64_t>(nodes.size()));
            nodes.push_back(group);
        });
        count_ += items;
        size_ += total;
        engine_.sendUpdateNotification(kModule, count_, size_);
        Pacer::sleep(0.01);
        engine_.printToConsole(kModule, true, *group);
    }
    engine_.sendReloadNotification(kModule);
    Pacer::sleep(pauseAfterReload);
}

// --- Items --------------------------------------------------------------------------------------

InternetPrivacyScan::Item InternetPrivacyScan::makeItem(const std::string& title) const {
    auto item = std::make_shared<PrivacyItemNode>();
    item->setTitle(title);
    item->setFullPath(title);
    item->setIcon(NodeIcon::genericFolder());
    item->setState(0);
    item->setIsMultiplePaths(true);
    return item;
}

bool InternetPrivacyScan::list(PrivacyItemNode& item, const std::string& path,
                               const std::string& moduleFolder, Action action,
                               std::vector<std::string> tables) {
    if (listedForBrowser_.contains(path)) return false;
    const auto attributes = FileManager::attributes(path);
    if (!attributes) return false;
    listedForBrowser_.insert(path);
    item.addListedPath({path, RemovalCheck{listedTypeOf(*attributes), moduleFolder}, action,
                        std::move(tables), counted_.count(path, sizeOf(path, *attributes))});
    return true;
}

std::uint64_t InternetPrivacyScan::finishKind(OutlineViewNode& group, const Item& item) const {
    const std::uint64_t bytes = item->listedBytes();
    if (bytes > 0) group.children().push_back(item);
    Pacer::sleep(0.01);
    return bytes;
}

void InternetPrivacyScan::listDatabaseOrFile(PrivacyItemNode& item, const std::string& path,
                                             const std::string& moduleFolder) {
    if (!DBOperations::isDatabasePath(path))
        list(item, path, moduleFolder, Action::Remove);
    else if (DBOperations::dbHasData(path))
        list(item, path, moduleFolder, Action::EmptyDatabase);
}

// --- Safari -------------------------------------------------------------------------------------

std::uint64_t InternetPrivacyScan::fillSafariCache(OutlineViewNode& group) {
    return fillInternetCache_Safari(group) + fillInternetHistory_Safari(group) +
           fillCookies_Safari(group) + fillDownloadHistory_Safari(group) +
           fillApplicationCache_Safari(group);
}

std::uint64_t InternetPrivacyScan::fillInternetCache_Safari(OutlineViewNode& group) {
    auto item = makeItem("Internet Cache");
    listDatabaseOrFile(*item, home("Library/Safari/WebpageIcons.db"), home("Library/Safari"));
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillInternetHistory_Safari(OutlineViewNode& group) {
    auto item = makeItem("Internet History");
    const std::string safari = home("Library/Safari");
    const std::string plist = home("Library/Safari/History.plist");
    if (FileManager::exists(plist)) {
        list(*item, plist, safari, Action::Remove);
    } else {
        const std::string db = home("Library/Safari/History.db");
        if (DBOperations::dbHasData(db)) list(*item, db, safari, Action::EmptyDatabase);
    }
    list(*item, home("Library/Safari/LastSession.plist"), safari, Action::Remove);
    list(*item, home("Library/Caches/Metadata/Safari/History"),
         home("Library/Caches/Metadata/Safari"), Action::Remove);
    list(*item, home("Library/Safari/HistoryIndex.sk"), safari, Action::Remove);
    // The reopenable closed tabs are history as well; the clean empties their list.
    const std::string closedTabs = home("Library/Safari/RecentlyClosedTabs.plist");
    if (hasClosedTabs(closedTabs)) list(*item, closedTabs, safari, Action::ClearClosedTabs);
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillCookies_Safari(OutlineViewNode& group) {
    auto item = makeItem("Cookies");
    const std::string storage = home("Library/Safari/LocalStorage");
    for (const auto& name : FileManager::contentsOfDirectory(storage))
        if (FileManager::pathExtension(name) == "localstorage")
            list(*item, FileManager::appendingPathComponent(storage, name), storage,
                 Action::Remove);
    list(*item, home("Library/Cookies/Cookies.plist"), home("Library/Cookies"), Action::Remove);
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillDownloadHistory_Safari(OutlineViewNode& group) {
    auto item = makeItem("Download History");
    list(*item, home("Library/Safari/Downloads.plist"), home("Library/Safari"), Action::Remove);
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillApplicationCache_Safari(OutlineViewNode& group) {
    auto item = makeItem("Application Cache");
    const std::string cache = home("Library/Caches/com.apple.Safari");
    for (const auto& name : FileManager::contentsOfDirectory(cache))
        if (!DatabaseCompanion::isCompanionName(name))
            listDatabaseOrFile(*item, FileManager::appendingPathComponent(cache, name), cache);
    return finishKind(group, item);
}

// --- Firefox ------------------------------------------------------------------------------------

std::uint64_t InternetPrivacyScan::fillFirefoxCache(OutlineViewNode& group) {
    return fillInternetCache_Firefox(group) + fillInternetHistory_Firefox(group) +
           updateItemInCache(group, "Cookies", "cookies.sqlite") +
           updateItemInCache(group, "Download History", "downloads.sqlite") +
           fillApplicationCache_Firefox(group) +
           updateItemInCache(group, "Site Preferences", "content-prefs.sqlite") +
           fillSession_Firefox(group);
}

std::uint64_t InternetPrivacyScan::fillInternetCache_Firefox(OutlineViewNode& group) {
    auto item = makeItem("Internet Cache");
    const std::string profiles = home("Library/Caches/Firefox/Profiles");
    bool anyProfile = false;
    for (const auto& name : FileManager::contentsOfDirectory(profiles)) {
        if (FileManager::pathExtension(name) != "default") continue;
        anyProfile = true;
        const std::string profile = FileManager::appendingPathComponent(profiles, name);
        list(*item, FileManager::appendingPathComponent(profile, "Cache"), profiles,
             Action::Remove);
    }
    // Shared by every profile: listed (and counted) once.
    if (anyProfile)
        list(*item, home("Library/Caches/org.mozilla.firefox"), home("Library/Caches"),
             Action::Remove);
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillInternetHistory_Firefox(OutlineViewNode& group) {
    auto item = makeItem("Internet History");
    for (const auto& profile : profiles_) {
        const std::string places = FileManager::appendingPathComponent(profile, "places.sqlite");
        if (DBOperations::checkFirefoxInternetHistory(places))
            list(*item, places, profile, Action::EmptyFirefoxHistory);
        // The previous session's tabs, the one trace that goes to the Trash.
        list(*item, profile + "/sessionstore-backups/previous.jsonlz4", profile,
             Action::MoveToTrash);
    }
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::updateItemInCache(OutlineViewNode& group,
                                                     const std::string& title,
                                                     const std::string& itemName) {
    auto item = makeItem(title);
    for (const auto& profile : profiles_)
        listDatabaseOrFile(*item, FileManager::appendingPathComponent(profile, itemName), profile);
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillApplicationCache_Firefox(OutlineViewNode& group) {
    auto item = makeItem("Application Cache");
    list(*item, home("Library/Caches/Firefox"), home("Library/Caches"), Action::Remove);
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillSession_Firefox(OutlineViewNode& group) {
    auto item = makeItem("Session");
    for (const auto& profile : profiles_)
        for (const char* name : {"sessionstore.js", "sessionstore.bak"})
            list(*item, FileManager::appendingPathComponent(profile, name), profile,
                 Action::Remove);
    return finishKind(group, item);
}

// --- Google Chrome ------------------------------------------------------------------------------

std::uint64_t InternetPrivacyScan::fillGoogleChromeCache(OutlineViewNode& group) {
    return fillInternetCache_Google(group) + fillInternetHistory_Google(group) +
           fillCookies_Google(group) + fillApplicationCache_Google(group) +
           fillSession_Google(group);
}

std::uint64_t InternetPrivacyScan::fillInternetCache_Google(OutlineViewNode& group) {
    auto item = makeItem("Internet Cache");
    for (const char* relative : {"Library/Caches/Google", "Library/Caches/com.google.Chrome"})
        list(*item, home(relative), home("Library/Caches"), Action::Remove);
    return finishKind(group, item);
}

InternetPrivacyScan::ChromeHistoryItem
InternetPrivacyScan::checkChromeHistoryItem(const std::string& fileName,
                                            std::vector<std::string>& tableNames) {
    const std::string name = text::upperCased(fileName);
    if (name == "CURRENT TABS" || name == "HISTORY JOURNAL" || name == "CURRENT SESSION" ||
        name == "LAST TABS")
        return WholeFile;
    if (name == "HISTORY") {
        // The older four first; a visit or download record without its url is history too, and
        // so are the visited-link table and the annotations and clusters made of visits.
        for (const char* table :
             {"urls", "segments", "downloads", "keyword_search_terms", "visits", "visit_source",
              "segment_usage", "downloads_url_chains", "downloads_slices", "visited_links",
              "content_annotations", "context_annotations", "clusters", "clusters_and_visits",
              "cluster_keywords", "cluster_visit_duplicates"})
            tableNames.emplace_back(table);
        return InTables;
    }
    if (name.starts_with("HISTORY INDEX")) {
        tableNames.emplace_back("pages_content");
        return InTables;
    }
    if (name == "TOP SITES") {
        // "thumbnails" in older layouts, "top_sites" in current ones.
        tableNames.emplace_back("thumbnails");
        tableNames.emplace_back("top_sites");
        return InTables;
    }
    return NotHistory;
}

std::uint64_t InternetPrivacyScan::fillInternetHistory_Google(OutlineViewNode& group) {
    auto item = makeItem("Internet History");
    const std::string profile = home(kChromeProfile);
    for (const auto& name : FileManager::contentsOfDirectory(profile)) {
        const std::string path = FileManager::appendingPathComponent(profile, name);
        std::vector<std::string> tables;
        switch (checkChromeHistoryItem(name, tables)) {
        case WholeFile:
            list(*item, path, profile, Action::Remove);
            break;
        case InTables:
            if (DBOperations::anyTableHasData(path, tables))
                list(*item, path, profile, Action::EmptyTables, tables);
            break;
        case NotHistory:
            break;
        }
    }
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillCookies_Google(OutlineViewNode& group) {
    auto item = makeItem("Cookies");
    const std::string profile = home(kChromeProfile);
    const std::string cookies = FileManager::appendingPathComponent(profile, "Cookies");
    if (DBOperations::checkGoogleCookies(cookies))
        list(*item, cookies, profile, Action::EmptyGoogleCookies);
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillApplicationCache_Google(OutlineViewNode& group) {
    // The same folder as the second cache path: only listed here when the cache row does not
    // already hold it.
    auto item = makeItem("Application Cache");
    list(*item, home("Library/Caches/com.google.Chrome"), home("Library/Caches"), Action::Remove);
    return finishKind(group, item);
}

std::uint64_t InternetPrivacyScan::fillSession_Google(OutlineViewNode& group) {
    auto item = makeItem("Session");
    const std::string profile = home(kChromeProfile);
    // Current Chrome keeps its sessions in the "Sessions" folder.
    for (const char* name : {"Current Session", "Last Session", "Sessions"})
        list(*item, FileManager::appendingPathComponent(profile, name), profile, Action::Remove);
    return finishKind(group, item);
}

} // namespace qengine
