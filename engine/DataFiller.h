#pragma once

// THE ENGINE'S ONE LOCKING RULE
// Each module's list has one lock, held by the worker only while it appends or removes, and by
// the main thread while it reads or edits; views take snapshots under the lock. No thread ever
// waits on the main thread or posts a notification while it holds a list lock.
//
// Flags are atomics written by one side and read by the other. A module is claimed before its
// worker starts and released just before its "stop" notification, so no two operations of one
// module overlap, whoever starts them.

#include "engine/LargeFilesThresholds.h"
#include "engine/ModuleFlags.h"
#include "engine/ModuleKeys.h"
#include "engine/ModuleList.h"
#include "engine/OutlineViewNode.h"
#include "engine/PartialDownloadsState.h"
#include "engine/RemovalCheck.h"
#include "engine/RemoveItem.h"
#include "engine/Rgb.h"
#include "engine/ScanListing.h"
#include "platform/core/Bundle.h"
#include "platform/core/Value.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qengine {

// The scan-and-clean engine: every module's results and flags, the notifications, the removal
// object and the text and layout tables. Scans and cleans run synchronously on the caller's
// worker thread; notifications are posted on that thread with the engine as object.
class DataFiller {
public:
    // Tables from the application's bundle.
    DataFiller();
    // Tables from `bundle` (tests, tools).
    explicit DataFiller(const qcore::Bundle& bundle);
    ~DataFiller();
    DataFiller(const DataFiller&) = delete;
    DataFiller& operator=(const DataFiller&) = delete;

    // --- Registry -------------------------------------------------------------------------
    static const std::vector<std::string>& moduleKeys();
    // The module's list; throws std::invalid_argument for a name that is no module.
    ModuleList& mainDataSource(const std::string& module);
    const ModuleList& mainDataSource(const std::string& module) const;
    // Firefox profile folders; filled once by the shell from another thread, read by scans.
    std::vector<std::string> arrMozilaProfilePath() const;
    void setArrMozilaProfilePath(std::vector<std::string> paths);

    // --- Flags and claims -----------------------------------------------------------------
    ModuleFlags& flags(const std::string& module) const;
    // Reserves the module for an operation about to start on a worker; false when reserved or
    // busy. A frame started without a reservation claims the module itself.
    bool claimModule(const std::string& module);
    // Gives up a reservation whose worker was never started.
    void cancelModuleClaim(const std::string& module);
    bool isModuleBusy(const std::string& module) const;

#define QENGINE_FLAG(prefix, Prefix, Word, module, field)                                          \
    bool prefix##Word() const {                                                                    \
        return flags(module).field.load();                                                         \
    }                                                                                              \
    void set##Prefix##Word(bool value) {                                                           \
        flags(module).field.store(value);                                                          \
    }
#define QENGINE_FLAG_WORD(Word, module)                                                            \
    QENGINE_FLAG(isFilling, IsFilling, Word, module, isFilling)                                    \
    QENGINE_FLAG(stopFilling, StopFilling, Word, module, stopFilling)                              \
    QENGINE_FLAG(isRemoving, IsRemoving, Word, module, isRemoving)                                 \
    QENGINE_FLAG(stopRemoving, StopRemoving, Word, module, stopRemoving)                           \
    QENGINE_FLAG(pause, Pause, Word, module, pause)                                                \
    QENGINE_FLAG(aborted, Aborted, Word, module, aborted)

    QENGINE_FLAG_WORD(CacheCleaner, modules::kSystemCleaner)
    QENGINE_FLAG_WORD(LogsCleaner, modules::kLogsCleaner)
    QENGINE_FLAG_WORD(PartialDownloads, modules::kPartialDownloads)
    QENGINE_FLAG_WORD(DuplicateFiles, modules::kDuplicatesFinder)
    QENGINE_FLAG_WORD(Applications, modules::kUninstaller)
    QENGINE_FLAG_WORD(TrashCleaner, modules::kTrashCleaner)
    QENGINE_FLAG_WORD(LargeFiles, modules::kLargeFiles)
    QENGINE_FLAG_WORD(MiscCleaning, modules::kMiscCleaning)
    QENGINE_FLAG_WORD(InternetPrivacy, modules::kInternetPrivacy)
    // Old Downloads keeps its irregular removal words and has no pause flag.
    QENGINE_FLAG(isFilling, IsFilling, OldDownloads, modules::kOldDownloads, isFilling)
    QENGINE_FLAG(stopFilling, StopFilling, OldDownloads, modules::kOldDownloads, stopFilling)
    QENGINE_FLAG(isRemoving, IsRemoving, OldDownload, modules::kOldDownloads, isRemoving)
    QENGINE_FLAG(stopRemoving, StopRemoving, OldDownload, modules::kOldDownloads, stopRemoving)
    QENGINE_FLAG(aborted, Aborted, OldDownloads, modules::kOldDownloads, aborted)

#undef QENGINE_FLAG_WORD
#undef QENGINE_FLAG

    // --- System facts and fixed values ----------------------------------------------------
    void checkOSVersion();
    bool isOSX_10_5() const {
        return isOSX_10_5_;
    }
    bool isOSX_Less_Then_10_7() const {
        return isOSX_Less_Then_10_7_;
    }
    bool isOSX_10_10_And_Above() const {
        return isOSX_10_10_And_Above_;
    }
    bool showUninstallInMenu() const {
        return false;
    }
    bool showSpeedTestButton() const {
        return false;
    }
    std::string speedTestURL() const {
        return "";
    }
    const Rgb& lowColor() const {
        return lowColor_;
    }
    const Rgb& medColor() const {
        return medColor_;
    }
    const Rgb& highColor() const {
        return highColor_;
    }
    const qcore::Dictionary& catMusicDict() const {
        return catMusicDict_;
    }
    const qcore::Dictionary& catPicturesDict() const {
        return catPicturesDict_;
    }
    const qcore::Dictionary& catVideoDict() const {
        return catVideoDict_;
    }
    const qcore::Dictionary& catDocumentsDict() const {
        return catDocumentsDict_;
    }

    // The real home folder every scan builds on; scans and cleans refuse when it is not usable
    // (empty, relative or "/").
    static std::string homeDirectory();
    static bool homeIsUsable();

    // --- Applications and permissions -----------------------------------------------------
    // A running application has this bundle identifier, compared ignoring case.
    bool checkAppOpen(const std::string& bundleIdentifier) const;
    bool hasPermissionsToDelete(const std::string& path) const;

    // --- Notifications (posted on the calling thread; never under a list lock) ------------
    void sendActivityStartStopNotification(const std::string& module, const std::string& operation,
                                           const std::string& activityType);
    void sendUpdateNotification(const std::string& module, std::int32_t count, std::uint64_t size);
    void sendReloadNotification(const std::string& module);
    void sendProcessingFileNameNotification(const std::string& module, const std::string& fileName);
    void sendAwakeNotification(const std::string& module);
    void sendAnimateLockNotification(bool locked);
    void sendAuthenticationCanceledNotification(const std::string& module);

    // Log lines after a scan or clean of a group node.
    void printToConsole(const std::string& module, bool isScan, const OutlineViewNode& node);

    // --- Removal bridge -------------------------------------------------------------------
    bool initRemoveObjectIfRequired(const std::string& module);
    void releaseRemoveObject();
    bool isRemoveObjectInitialized() const;
    bool removeItemWithAccess(const std::string& path, const std::string& module);
    // The same, removing the item only while it still passes `check` (RemoveItem).
    bool removeItemWithAccess(const std::string& path, const std::string& module,
                              const RemovalCheck& check);
    // The removal object; stateless, so workers share it freely.
    const RemoveItem& removalObject() const {
        return remover_;
    }

    // --- Flat cleans ------------------------------------------------------------------------
    void removeTrashCleaner();
    // The folder the Trash Cleaner scans (its rows must lie below it).
    static std::string trashCleanerFolder();

    // --- Internet Privacy -------------------------------------------------------------------
    void fillInternetPrivacy();
    void removeInternetPrivacy();

    // --- System Cleaner and Logs Cleaner -----------------------------------------------------
    void fillCacheCleaner();
    void fillLogsCleaner();
    void removeCacheCleaner();
    void removeLogsCleaner();
    // The tree clean of the System Cleaner (true) or the Logs Cleaner (false).
    void removeCacheLogsData(bool cache);

    // --- Partial Downloads, crash reports, Old Downloads -------------------------------------
    void fillPartialDownloads();
    void fillTemporaryData();
    void fillDownloadsData();
    // The Old Downloads row for `path`; nothing when it is not to be listed.
    std::optional<ModuleRow> getDictInfoDownloads(const std::string& path, bool isDir,
                                                  double timeRef) const;
    static std::string getDateInString(qcore::Date date);
    bool rightsToRemove(const std::string& path) const {
        return hasPermissionsToDelete(path);
    }
    bool isiTunesPartialDownloadsToClean() const;
    void removePartialDownloads();
    void removeOldDownloads();
    double timeRefPartialDownloads() const {
        return partialDownloads_.timeRef.load();
    }
    std::int32_t itemsCount_PD() const {
        return partialDownloads_.itemsCount.load();
    }
    std::uint64_t itemsSize_PD() const {
        return partialDownloads_.itemsSize.load();
    }
    std::int32_t count_PD() const {
        return partialDownloads_.count.load();
    }

    // --- Duplicates Finder --------------------------------------------------------------------
    void fillDuplicateFiles();
    void removeDuplicateFiles();
    bool checkFolderToBeExcludedFromDuplicates(const std::string& path) const;
    bool fileExistsWithFolderName(const std::string& path) const;
    // Copies the last scan listed beyond the first of each group, and their bytes.
    std::int32_t itemsCount_Dups() const {
        return itemsCount_Dups_.load();
    }
    std::uint64_t itemsSize_Dups() const {
        return itemsSize_Dups_.load();
    }
    // The folder the last duplicates scan walked and the type of each copy it listed; the
    // clean removes nothing else.
    const ScanListing& filesArrayInDuplicatesFinder() const {
        return filesArrayInDuplicatesFinder_;
    }

    // --- Large Files ----------------------------------------------------------------------------
    void addNodesToLargeFiles(const std::string& module);
    void fillLargeFiles();
    void removeLargeFiles();
    std::uint64_t getSize(const std::string& sizeKey, const std::string& unitKey) const;
    // 0 take the entry, 1 pass over it only, 2 pass over it and everything below it.
    std::int32_t checkIfLargeFileExcluded(const std::string& fullPath) const;
    std::int32_t getCategoryIndexForFile(const std::string& path, const std::string& module,
                                         std::uint64_t fileSize) const;
    std::int32_t getIndex(const std::string& module, const std::string& catName) const;
    // The thresholds of the last Large Files scan (Others, Music, Documents, Video, Pictures).
    std::uint64_t minfileSize() const {
        return largeFilesThresholds_.others();
    }
    std::uint64_t minfileSizeM() const {
        return largeFilesThresholds_.music();
    }
    std::uint64_t minfileSizeD() const {
        return largeFilesThresholds_.documents();
    }
    std::uint64_t minfileSizeV() const {
        return largeFilesThresholds_.video();
    }
    std::uint64_t minfileSizeP() const {
        return largeFilesThresholds_.pictures();
    }
    const ScanListing& largeFilesListing() const {
        return largeFilesListing_;
    }

    // --- Result-tree upkeep -----------------------------------------------------------------
    void updateParentIndex(const std::string& module);
    // Renumbers the children of groups from `index` on; call it under the list's lock (inside
    // withLock) with the list's nodes.
    static void updateChildPIndexArrayAfterParentDeletion(std::int32_t index,
                                                          ModuleList::Nodes& groups);
    std::int32_t getItemsCountOfModule(const std::string& module) const;

    // --- Texts and layout -------------------------------------------------------------------
    std::string getTokenForGroup(const std::string& group, const std::string& key) const;
    std::string getModuleName(const std::string& module, bool isSubModule) const;
    std::string getTokenForActivity(const std::string& module, bool isStart, bool isScan) const;
    std::string DISKUSAGE() const;
    std::string SPACERECOVERED() const;
    const qcore::Dictionary& sizeLangTokens() const {
        return sizeLangTokens_;
    }
    const std::string& langCode() const {
        return langCode_;
    }
    void convertLanguageToken(OutlineViewNode& node) const;
    // formatListDict["static"][key]; a null value when missing.
    qcore::Value getStaticValueForKey(const std::string& key) const;
    const qcore::Dictionary& tokenListDict() const {
        return tokenListDict_;
    }
    const qcore::Dictionary& formatListDict() const {
        return formatListDict_;
    }
    const qcore::Dictionary& SettingsListDict() const {
        return settingsListDict_;
    }

private:
    void postNotification(const std::string& name, qcore::Dictionary userInfo);
    bool removeWithRemover(const std::string& path, const std::string& module,
                           const RemovalCheck* check);
    void loadLanguage(const qcore::Bundle& bundle);
    void loadSizeLangTokens();
    void loadLayout(const qcore::Bundle& bundle);
    void makeCategoryTables();

    mutable std::mutex profilesMutex_;
    std::vector<std::string> arrMozilaProfilePath_;
    std::map<std::string, std::unique_ptr<ModuleList>> mainDataSource_;
    std::map<std::string, std::unique_ptr<ModuleFlags>> flags_;

    mutable std::mutex removeObjectMutex_;
    bool isRemoveObjectInitialized_ = false;
    const RemoveItem remover_{};

    bool isOSX_10_5_ = false;
    bool isOSX_Less_Then_10_7_ = false;
    bool isOSX_10_10_And_Above_ = false;
    Rgb lowColor_;
    Rgb medColor_;
    Rgb highColor_;
    qcore::Dictionary catMusicDict_;
    qcore::Dictionary catPicturesDict_;
    qcore::Dictionary catVideoDict_;
    qcore::Dictionary catDocumentsDict_;

    std::atomic<std::int32_t> itemsCount_Dups_{0};
    std::atomic<std::uint64_t> itemsSize_Dups_{0};
    ScanListing filesArrayInDuplicatesFinder_;
    LargeFilesThresholds largeFilesThresholds_;
    ScanListing largeFilesListing_;
    // What the last System Cleaner and Logs Cleaner scans listed, with each path's type.
    ScanListing cacheCleanerListing_;
    ScanListing logsCleanerListing_;
    PartialDownloadsState partialDownloads_;

    qcore::Dictionary tokenListDict_;
    qcore::Dictionary formatListDict_;
    qcore::Dictionary sizeLangTokens_;
    qcore::Dictionary settingsListDict_;
    std::string langCode_;
};

} // namespace qengine
