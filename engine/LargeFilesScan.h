#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qengine {

class DataFiller;
class LargeFilesThresholds;
class ScanListing;
class ScanRun;

// One run of the Large Files scan (fillLargeFiles): files of the chosen folder at or above
// their category's threshold become unticked children of the five category rows.
class LargeFilesScan {
public:
    // What checkIfLargeFileExcluded answers for a walked path.
    enum Exclusion : std::int32_t { Take = 0, SkipEntry = 1, SkipSubtree = 2 };

    LargeFilesScan(DataFiller& engine, ScanListing& listing, LargeFilesThresholds& thresholds);
    void run();

    // The home folder's "Library" and ".Trash" subtrees, and everything outside the home
    // folder and "/Volumes/", are skipped whole; hidden entries are passed over, but a hidden
    // folder is still walked into.
    static Exclusion checkIfLargeFileExcluded(const std::string& fullPath, const std::string& home);
    // "LargeFilesPath" as the folder to walk: "/" stands for the home folder; a path that is
    // not absolute walks nothing.
    static std::string rootFolder(const std::string& setting, const std::string& home);
    // Logs of a companion backup service, never listed whatever their size.
    static bool isCompanionServiceLog(const std::string& fileName);

private:
    // The home folder and its two skipped subtrees, as paths.
    struct ExcludedFolders {
        explicit ExcludedFolders(const std::string& home);
        std::string home;
        std::string library;
        std::string trash;
    };
    static Exclusion exclusionOf(std::string_view fullPath, const ExcludedFolders& folders);
    static bool isHiddenName(std::string_view path);
    void walk(ScanRun& scan, const std::string& root);
    void listFile(ScanRun& scan, const std::string& path, std::uint64_t size);

    DataFiller& engine_;
    ScanListing& listing_;
    LargeFilesThresholds& thresholds_;
};

} // namespace qengine
