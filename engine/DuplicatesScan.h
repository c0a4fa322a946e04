#pragma once

#include "engine/DuplicatesExclusions.h"
#include "engine/FileIdentity.h"
#include "engine/OutlineViewNode.h"

#include <atomic>
#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

namespace qcore {
class DirectoryEnumerator;
struct FileAttributes;
} // namespace qcore

namespace qengine {

class DataFiller;
class ScanRun;
class ScanListing;

// One run of the duplicates scan (fillDuplicateFiles). A file is read only once another file of
// the same size and modification time has been met, and each file is hashed at most once, in
// 4096-byte chunks with the stop request tested after every chunk. Each set of identical
// copies becomes one DupOVNode group in the module list, in the order its second copy is met.
class DuplicatesScan {
public:
    // Where the scan leaves what outlives it: the listing a later clean checks against and the
    // progress counters (copies beyond the first of each group, and their bytes).
    struct Results {
        ScanListing& listing;
        std::atomic<std::int32_t>& itemsCount;
        std::atomic<std::uint64_t>& itemsSize;
    };

    DuplicatesScan(DataFiller& engine, Results results);
    void run();

    // "DuplicatesFinderPath" as the folder to walk: "/" stands for the home folder; a path that
    // is not absolute walks nothing.
    static std::string rootFolder(const std::string& setting, const std::string& home);

    // Hash of one candidate, or nothing when it cannot be read or the scan was stopped.
    std::optional<std::string>
    getFileMD5UsingStreamWithAbortFlag(const std::string& path,
                                       const std::atomic<bool>& abortFlag) const;

private:
    // Files share a key by size and modification time (to the second); packages by size.
    struct CandidateKey {
        bool isPackage = false;
        std::uint64_t size = 0;
        std::int64_t modifiedSecond = 0;
        auto operator<=>(const CandidateKey&) const = default;
    };
    // The only file met so far with its key; empty once it has been hashed.
    struct CandidateRecord {
        std::string fileName;
    };
    // The only file with its hash so far, or the group made for that hash.
    struct HashRecord {
        std::string fileName;
        std::optional<FileIdentity> identity;
        OutlineViewNode::Ptr group;
        std::size_t pIndex = 0;
    };
    enum class Entry { Next, SkipContents };

    void walk(ScanRun& scan, const std::string& root);
    Entry examine(const std::string& path, const qcore::FileAttributes& attributes);
    static bool isListablePackage(const std::string& path);
    void addToMD5Dict(const std::string& path, bool isPackage);
    // Appends one copy, first making its group when `group` is empty; returns the group.
    // `identity` is what the copy was when it was hashed; the clean checks it again.
    OutlineViewNode::Ptr
    makeOutlineViewNodeForDuplicates(const std::string& path, OutlineViewNode::Ptr group,
                                     std::size_t& pIndex, bool isPackage,
                                     const std::optional<FileIdentity>& identity);
    static OutlineViewNode::Ptr makeGroup(const std::string& firstCopy);
    static OutlineViewNode::Ptr makeCopy(const std::string& path, bool isPackage);
    bool appendCopy(const OutlineViewNode::Ptr& group, std::size_t& pIndex,
                    OutlineViewNode::Ptr copy);

    DataFiller& engine_;
    Results results_;
    const std::atomic<bool>& stopFlag_;
    std::uint64_t minimumSize_ = 0;
    DuplicatesExclusions exclusions_;
    std::map<CandidateKey, CandidateRecord> candidates_;
    std::unordered_map<std::string, HashRecord> dictMD5ForDuplicates_;
    // Hard links of one file met earlier: the same bytes, not a copy that would free space.
    std::set<std::pair<std::uint64_t, std::uint64_t>> filesSeen_;
};

} // namespace qengine
