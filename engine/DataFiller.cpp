#include "engine/DataFiller.h"

#include "engine/CrashReportsScan.h"
#include "engine/DuplicatesClean.h"
#include "engine/DuplicatesExclusions.h"
#include "engine/DuplicatesScan.h"
#include "engine/FlatModuleClean.h"
#include "engine/InternetPrivacyClean.h"
#include "engine/InternetPrivacyScan.h"
#include "engine/LargeFilesCategories.h"
#include "engine/LargeFilesClean.h"
#include "engine/LargeFilesScan.h"
#include "engine/LogsCleanerScan.h"
#include "engine/OldDownloadsScan.h"
#include "engine/PartialDownloadsScan.h"
#include "engine/RemovalRun.h"
#include "engine/SizeSetting.h"
#include "engine/SystemCleanerScan.h"
#include "engine/TextFormat.h"
#include "engine/TreeModuleClean.h"
#include "platform/core/FileManager.h"
#include "platform/core/Home.h"
#include "platform/core/Log.h"
#include "platform/core/NotificationCenter.h"
#include "platform/core/SystemVersion.h"
#include "platform/core/Workspace.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <stdexcept>

namespace qengine {

using qcore::Dictionary;
using qcore::FileManager;
using qcore::Value;

namespace {

const std::string kGroupCommon = "GRP_CMN";
const std::string kNotAvailable = "NA";

// The user's first preferred language as the environment gives it ("en" of "en_US.UTF-8").
std::string preferredLanguage() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        std::string language(value);
        language = language.substr(0, language.find_first_of(":.@"));
        if (language == "C" || language == "POSIX") language = "en";
        return language;
    }
    return "en";
}

Dictionary categoryTable(const std::string& name, std::initializer_list<const char*> extensions) {
    Dictionary table{{"CAT_NAME", name}};
    for (const char* extension : extensions)
        table[text::upperCased(extension)] = "";
    return table;
}

const Dictionary* dictionaryIn(const Dictionary& d, const std::string& key) {
    const auto it = d.find(key);
    return it == d.end() ? nullptr : it->second.dictionary();
}

} // namespace

DataFiller::DataFiller() : DataFiller(qcore::Bundle::main()) {}

DataFiller::DataFiller(const qcore::Bundle& bundle) {
    checkOSVersion();
    qcore::log("langCode = ", preferredLanguage());
    langCode_ = "EN";
    loadLanguage(bundle);
    loadSizeLangTokens();
    for (const std::string& key : moduleKeys()) {
        mainDataSource_.emplace(key, std::make_unique<ModuleList>(key));
        flags_.emplace(key, std::make_unique<ModuleFlags>());
    }
    for (auto& [key, flags] : flags_)
        flags->clear();
    loadLayout(bundle);
    lowColor_ = {0.298, 0.4706, 0.1451, 1.0};
    medColor_ = {0.6589, 0.549, 0.0196, 1.0};
    highColor_ = {0.5412, 0.1686, 0.1686, 1.0};
    makeCategoryTables();
}

DataFiller::~DataFiller() = default;

// --- Registry ---------------------------------------------------------------------------------

const std::vector<std::string>& DataFiller::moduleKeys() {
    return modules::keys();
}

ModuleList& DataFiller::mainDataSource(const std::string& module) {
    const auto it = mainDataSource_.find(module);
    if (it == mainDataSource_.end()) throw std::invalid_argument("no module named " + module);
    return *it->second;
}

const ModuleList& DataFiller::mainDataSource(const std::string& module) const {
    return const_cast<DataFiller*>(this)->mainDataSource(module);
}

std::vector<std::string> DataFiller::arrMozilaProfilePath() const {
    const std::lock_guard lock(profilesMutex_);
    return arrMozilaProfilePath_;
}

void DataFiller::setArrMozilaProfilePath(std::vector<std::string> paths) {
    const std::lock_guard lock(profilesMutex_);
    arrMozilaProfilePath_ = std::move(paths);
}

ModuleFlags& DataFiller::flags(const std::string& module) const {
    const auto it = flags_.find(module);
    if (it == flags_.end()) throw std::invalid_argument("no module named " + module);
    return *it->second;
}

bool DataFiller::claimModule(const std::string& module) {
    return flags(module).reserve();
}
void DataFiller::cancelModuleClaim(const std::string& module) {
    flags(module).cancelReservation();
}
bool DataFiller::isModuleBusy(const std::string& module) const {
    return flags(module).isBusy();
}

// --- System facts -----------------------------------------------------------------------------

void DataFiller::checkOSVersion() {
    const int version = qcore::SystemVersion::current().sysv();
    isOSX_10_5_ = version < 0x1060;
    isOSX_Less_Then_10_7_ = version < 0x1070;
    isOSX_10_10_And_Above_ = version > 0x100F;
    if (version >= 0x1090) qcore::logLine("OS X 10.9");
}

std::string DataFiller::homeDirectory() {
    return qcore::Home::realHomeDirectory();
}
bool DataFiller::homeIsUsable() {
    return qcore::Home::realHomeIsUsable();
}

void DataFiller::makeCategoryTables() {
    catMusicDict_ =
        categoryTable("Music", {"mp3", "wav", "AIFF", "AIFC", "AAC", "AU", "audio CD", "SND",
                                "QDesign", "QuickTime audio", "m4a", "m4b", "m4p", "caf", "SD2",
                                "AMR", "audiobook.store", "AIF", "WMA"});
    catPicturesDict_ = categoryTable(
        "Pictures",
        {"jpg", "jpeg", "gif", "png",       "AI",      "BMP", "DNG", "DAE",  "EPS",  "FAX",  "FPX",
         "HDR", "ICNS", "ICO", "JPEG 2000", "OpenEXR", "PS",  "PSD", "PICT", "PNTG", "QTIF", "RAD",
         "RAW", "SGI",  "TGA", "TIF",       "TIFF",    "XBM", "PIC", "PCT",  "JPE"});
    catVideoDict_ = categoryTable("Video", {"mpeg", "mp4", "divx", "mov", "xvid", "mpg", "avi",
                                            "webm", "DV", "3GP", "M4V", "3GPP", "3PP2", "MPEG-2",
                                            "MPEG-1", "MPA", "FLV", "WMX"});
    catDocumentsDict_ =
        categoryTable("Documents", {"pdf",  "doc", "docx", "xls", "ppt",  "odt", "rtf",   "txt",
                                    "Pptx", "Htm", "Html", "log", "csv",  "dot", "dotx",  "docm",
                                    "dotm", "xml", "mht",  "dic", "XLSX", "MSG", "MHTML", "PPS"});
}

// --- Applications and permissions ---------------------------------------------------------------

bool DataFiller::checkAppOpen(const std::string& bundleIdentifier) const {
    const std::string wanted = text::upperCased(bundleIdentifier);
    for (const auto& app : qcore::Workspace::runningApplications())
        if (!app.bundleIdentifier.empty() && text::upperCased(app.bundleIdentifier) == wanted)
            return true;
    return false;
}

bool DataFiller::hasPermissionsToDelete(const std::string& path) const {
    if (!FileManager::isDeletable(path)) return false;
    // A link has no permissions of its own, and the write test would judge its target: a
    // dangling link, or one to a file of another user, is still the user's to remove.
    const auto self = FileManager::attributes(path);
    return (self && self->isLink()) || FileManager::isWritable(path);
}

// --- Notifications ------------------------------------------------------------------------------

void DataFiller::postNotification(const std::string& name, Dictionary userInfo) {
    assert(ModuleList::heldLocksOnThisThread() == 0 && "posting under a list lock");
    qcore::NotificationCenter::defaultCenter().post(name, this, std::move(userInfo));
}

void DataFiller::sendActivityStartStopNotification(const std::string& module,
                                                   const std::string& operation,
                                                   const std::string& activityType) {
    postNotification(
        "ActivityStartStopNotification",
        {{"activityName", module}, {"operation", operation}, {"activityType", activityType}});
}

void DataFiller::sendUpdateNotification(const std::string& module, std::int32_t count,
                                        std::uint64_t size) {
    postNotification("DataFillerUpdateNotification", {{"notificationGroup", module},
                                                      {"count", std::to_string(count)},
                                                      {"size", std::to_string(size)}});
}

void DataFiller::sendReloadNotification(const std::string& module) {
    postNotification("ReloadNotification", {{"notificationGroup", module}});
}

void DataFiller::sendProcessingFileNameNotification(const std::string& module,
                                                    const std::string& fileName) {
    postNotification("ProcessingFileNameNotification",
                     {{"notificationGroup", module}, {"fileName", fileName}});
}

void DataFiller::sendAwakeNotification(const std::string& module) {
    postNotification("AwakeNotification", {{"notificationGroup", module}});
}

void DataFiller::sendAnimateLockNotification(bool locked) {
    postNotification("AnimateLockNotification", {{"Locked", locked ? "YES" : "NO"}});
}

void DataFiller::sendAuthenticationCanceledNotification(const std::string& module) {
    postNotification("AuthenticationCanceledNotification", {{"notificationGroup", module}});
}

void DataFiller::printToConsole(const std::string& module, bool isScan,
                                const OutlineViewNode& node) {
    const std::string activity = isScan ? "scan" : "clean";
    // Copy what is logged under the lock; log after releasing it.
    const std::string lastTitle = mainDataSource(module).withLock(
        [](const ModuleList::Nodes& nodes, const ModuleList::Rows&) {
            return nodes.empty() || !nodes.back() ? std::string() : nodes.back()->title();
        });
    qcore::log(module, " ", lastTitle, " ", activity);
    for (const auto& child : node.children()) {
        if (!child) continue;
        if (child->isMultiplePaths()) {
            for (const std::string& path : child->arrFullPath())
                qcore::log(module, " ", path, ": ", activity);
        } else {
            qcore::log(module, " ", child->fullPath(), ": ", activity);
        }
    }
}

// --- Removal bridge
// -------------------------------------------------------------------------------

bool DataFiller::initRemoveObjectIfRequired(const std::string& module) {
    bool unlocked = false;
    bool cancelled = false;
    {
        const std::lock_guard lock(removeObjectMutex_);
        if (isRemoveObjectInitialized_) return true;
        if (remover_.authenticated()) {
            isRemoveObjectInitialized_ = true;
            unlocked = true;
        } else {
            cancelled = true;
        }
    }
    // Decided under the mutex, posted after it: exactly one "NO" per unlock.
    if (unlocked) sendAnimateLockNotification(false);
    if (cancelled) sendAuthenticationCanceledNotification(module);
    return unlocked;
}

void DataFiller::releaseRemoveObject() {
    {
        const std::lock_guard lock(removeObjectMutex_);
        isRemoveObjectInitialized_ = false;
    }
    sendAnimateLockNotification(true);
}

bool DataFiller::isRemoveObjectInitialized() const {
    const std::lock_guard lock(removeObjectMutex_);
    return isRemoveObjectInitialized_;
}

bool DataFiller::removeItemWithAccess(const std::string& path, const std::string& module) {
    return removeWithRemover(path, module, nullptr);
}

bool DataFiller::removeItemWithAccess(const std::string& path, const std::string& module,
                                      const RemovalCheck& check) {
    return removeWithRemover(path, module, &check);
}

bool DataFiller::removeWithRemover(const std::string& path, const std::string& module,
                                   const RemovalCheck* check) {
    if (!homeIsUsable()) {
        qcore::log("No usable home folder; not removing ", path);
        return false;
    }
    if (!initRemoveObjectIfRequired(module)) return false;
    if (check ? remover_.removeSingleItem(path, *check) : remover_.removeSingleItem(path))
        return true;
    releaseRemoveObject();
    return false;
}

// --- Flat cleans
// ----------------------------------------------------------------------------------

std::string DataFiller::trashCleanerFolder() {
    return homeDirectory() + "/Library/Logs/DiagnosticReports";
}

void DataFiller::removeTrashCleaner() {
    RemovalRun run(*this, modules::kTrashCleaner, trashCleanerFolder());
    if (run.active()) run.removeFlatRows();
}

// --- Internet Privacy ---------------------------------------------------------------------------

void DataFiller::fillInternetPrivacy() {
    InternetPrivacyScan(*this).fillInternetPrivacy();
}

void DataFiller::removeInternetPrivacy() {
    InternetPrivacyClean(*this).removeInternetPrivacy();
}

// --- System Cleaner and Logs Cleaner ------------------------------------------------------------

void DataFiller::fillCacheCleaner() {
    SystemCleanerScan(*this, cacheCleanerListing_).run();
}

void DataFiller::fillLogsCleaner() {
    LogsCleanerScan(*this, logsCleanerListing_).run();
}

// The clean's frame sets and clears isRemoving itself, and only once it owns the module.
void DataFiller::removeCacheCleaner() {
    removeCacheLogsData(true);
}
void DataFiller::removeLogsCleaner() {
    removeCacheLogsData(false);
}

void DataFiller::removeCacheLogsData(bool cache) {
    const std::string home = homeDirectory();
    if (cache) {
        TreeModuleClean(
            *this, modules::kSystemCleaner, cacheCleanerListing_,
            {SystemCleanerScan::userCachesFolder(home), SystemCleanerScan::containersFolder(home)})
            .run();
    } else {
        TreeModuleClean(*this, modules::kLogsCleaner, logsCleanerListing_,
                        {LogsCleanerScan::logsFolder(home)})
            .run();
    }
}

// --- Partial Downloads, crash reports, Old Downloads --------------------------------------------

void DataFiller::fillPartialDownloads() {
    PartialDownloadsScan(*this, partialDownloads_).run();
}
void DataFiller::fillTemporaryData() {
    CrashReportsScan(*this).run();
}
void DataFiller::fillDownloadsData() {
    OldDownloadsScan(*this).run();
}

std::optional<ModuleRow> DataFiller::getDictInfoDownloads(const std::string& path, bool isDir,
                                                          double timeRef) const {
    return OldDownloadsScan::getDictInfoDownloads(path, isDir, timeRef);
}

std::string DataFiller::getDateInString(qcore::Date date) {
    return OldDownloadsScan::getDateInString(date);
}

bool DataFiller::isiTunesPartialDownloadsToClean() const {
    return mainDataSource(modules::kPartialDownloads)
        .withLock([](const ModuleList::Nodes&, const ModuleList::Rows& rows) {
            return std::any_of(rows.begin(), rows.end(), [](const ModuleRow& r) {
                const auto it = r.find(row::kIsITunes);
                return it != r.end() && it->second.toBool() && row::isChecked(r);
            });
        });
}

void DataFiller::removePartialDownloads() {
    FlatModuleClean::removePartialDownloads(*this);
}
void DataFiller::removeOldDownloads() {
    FlatModuleClean::removeOldDownloads(*this);
}

// --- Duplicates Finder --------------------------------------------------------------------------

void DataFiller::fillDuplicateFiles() {
    DuplicatesScan(*this, {filesArrayInDuplicatesFinder_, itemsCount_Dups_, itemsSize_Dups_}).run();
}

void DataFiller::removeDuplicateFiles() {
    DuplicatesClean(*this, filesArrayInDuplicatesFinder_).run();
}

bool DataFiller::checkFolderToBeExcludedFromDuplicates(const std::string& path) const {
    return DuplicatesExclusions::fromDefaults().isExcludedFolder(path);
}

bool DataFiller::fileExistsWithFolderName(const std::string& path) const {
    return DuplicatesExclusions::fromDefaults().excludesFile(path);
}

// --- Large Files ---------------------------------------------------------------------------------

void DataFiller::addNodesToLargeFiles(const std::string& module) {
    LargeFilesCategories::addNodes(*this, module);
}

void DataFiller::fillLargeFiles() {
    LargeFilesScan(*this, largeFilesListing_, largeFilesThresholds_).run();
}

void DataFiller::removeLargeFiles() {
    LargeFilesClean(*this, largeFilesListing_).run();
}

std::uint64_t DataFiller::getSize(const std::string& sizeKey, const std::string& unitKey) const {
    return SizeSetting::fromDefaults(sizeKey, unitKey);
}

std::int32_t DataFiller::checkIfLargeFileExcluded(const std::string& fullPath) const {
    return LargeFilesScan::checkIfLargeFileExcluded(fullPath, homeDirectory());
}

std::int32_t DataFiller::getCategoryIndexForFile(const std::string& path, const std::string& module,
                                                 std::uint64_t fileSize) const {
    return LargeFilesCategories::indexForFile(*this, path, module, fileSize, largeFilesThresholds_);
}

std::int32_t DataFiller::getIndex(const std::string& module, const std::string& catName) const {
    return LargeFilesCategories::indexOf(*this, module, catName);
}

// --- Result-tree upkeep
// ---------------------------------------------------------------------------

void DataFiller::updateParentIndex(const std::string& module) {
    mainDataSource(module).withLock([](ModuleList::Nodes& nodes, ModuleList::Rows&) {
        updateChildPIndexArrayAfterParentDeletion(0, nodes);
    });
}

void DataFiller::updateChildPIndexArrayAfterParentDeletion(std::int32_t index,
                                                           ModuleList::Nodes& groups) {
    if (index < 0) return;
    for (std::size_t i = static_cast<std::size_t>(index); i < groups.size(); ++i) {
        if (!groups[i]) continue;
        for (const auto& child : groups[i]->children())
            if (child) child->setParentIndex(static_cast<std::int64_t>(i));
    }
}

std::int32_t DataFiller::getItemsCountOfModule(const std::string& module) const {
    const bool flat = modules::isFlat(module);
    const std::int64_t count = mainDataSource(module).withLock(
        [flat](const ModuleList::Nodes& nodes, const ModuleList::Rows& rows) -> std::int64_t {
            if (flat) return static_cast<std::int64_t>(rows.size());
            std::int64_t sum = 0;
            for (const auto& group : nodes)
                if (group) sum += static_cast<std::int64_t>(group->children().size());
            return sum;
        });
    return count > 0 ? static_cast<std::int32_t>(count) : 0;
}

// --- Texts and layout
// -----------------------------------------------------------------------------

void DataFiller::loadLanguage(const qcore::Bundle& bundle) {
    auto path = bundle.pathForResource("Quendrix_" + langCode_, "plist");
    if (!path)
        path = bundle.pathForResource(bundle.infoString("CFBundleExecutable") + "_EN", "plist");
    if (!path) return;
    if (auto table = Value::fromPlistFile(*path); table && table->dictionary())
        tokenListDict_ = *table->dictionary();
}

void DataFiller::loadSizeLangTokens() {
    sizeLangTokens_ = {{"bytes", getTokenForGroup(kGroupCommon, "ID_BYTES")},
                       {"KB", getTokenForGroup(kGroupCommon, "ID_KB")},
                       {"MB", getTokenForGroup(kGroupCommon, "ID_MB")},
                       {"GB", getTokenForGroup(kGroupCommon, "ID_GB")},
                       {"TB", getTokenForGroup(kGroupCommon, "ID_TB")}};
}

void DataFiller::loadLayout(const qcore::Bundle& bundle) {
    const auto path = bundle.pathForResource("SettingsList", "plist");
    if (!path) return;
    if (auto layout = Value::fromPlistFile(*path); layout && layout->dictionary()) {
        settingsListDict_ = *layout->dictionary();
        if (const Dictionary* forLanguage = dictionaryIn(settingsListDict_, langCode_))
            formatListDict_ = *forLanguage;
    }
}

std::string DataFiller::getTokenForGroup(const std::string& group, const std::string& key) const {
    const Dictionary* texts = dictionaryIn(tokenListDict_, "[" + group + "]");
    if (!texts) return kNotAvailable;
    const auto it = texts->find(text::removingBlanks(key));
    if (it == texts->end() || it->second.isNull()) return kNotAvailable;
    return it->second.toString();
}

std::string DataFiller::getModuleName(const std::string& module, bool isSubModule) const {
    qcore::log("MNAME = ", module);
    const std::string stem = text::moduleStem(module);
    return getTokenForGroup(kGroupCommon, (isSubModule ? "ID_MNAME_" : "ID_") + stem);
}

std::string DataFiller::getTokenForActivity(const std::string& module, bool isStart,
                                            bool isScan) const {
    const std::string stem = text::moduleStem(module);
    const char* suffix = isScan ? (isStart ? "_MSGSTARTSCAN" : "_MSGISSCANNING")
                                : (isStart ? "_MSGSTARTCLEAN" : "_MSGISCLEANING");
    const std::string token = getTokenForGroup("GRP_" + stem, "ID_" + stem + suffix);
    const int placeholders = text::countPlaceholders(token);
    if (placeholders == 0) return token;
    const std::string displayName = getModuleName(module, true);
    if (placeholders == 1) return text::fillPlaceholders(token, {displayName});
    if (isScan && isStart) return kNotAvailable;
    const std::string patience =
        getTokenForGroup(kGroupCommon, isScan ? "ID_PATIENT_TIME" : "ID_PROCESS_TIME");
    return text::fillPlaceholders(token, {displayName, patience});
}

std::string DataFiller::DISKUSAGE() const {
    return getTokenForGroup(kGroupCommon, "ID_DISK_USAGE");
}

std::string DataFiller::SPACERECOVERED() const {
    return getTokenForGroup(kGroupCommon, "ID_SPACE_RECOVERED");
}

void DataFiller::convertLanguageToken(OutlineViewNode& node) const {
    for (const auto& child : node.children())
        if (child)
            child->setTitle(
                getTokenForGroup(kGroupCommon, "ID_" + text::moduleStem(child->title())));
}

Value DataFiller::getStaticValueForKey(const std::string& key) const {
    const Dictionary* statics = dictionaryIn(formatListDict_, "static");
    if (!statics) return {};
    const auto it = statics->find(key);
    return it == statics->end() ? Value() : it->second;
}

} // namespace qengine
