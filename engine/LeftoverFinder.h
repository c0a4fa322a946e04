#pragma once

#include "engine/LeftoverEntry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qengine {

// Finds what an application left in the user's Library, in seven places in a fixed order:
// Containers/<identifier>, Caches/<identifier>, Caches/<name>, Preferences/<identifier>.plist,
// Logs/<name>.log, Application Support/<name> and <name> directly in the Library.
//
// A place is only ever built from a name or identifier that is one plain path component, and
// only kept when its folder, with links resolved, is exactly the intended Library folder and
// it is none of the Library's standard folders. Links found there are kept as links. Every
// place refused is logged.
class LeftoverFinder {
public:
    // `home` is the user's real home folder.
    explicit LeftoverFinder(std::string home);

    // The existing leftovers of the application `name` (lower case) with `identifier` whose
    // bundle lies at `bundlePath`, in place order, each path once. Places that are, hold or lie
    // inside the bundle are left out. An empty identifier skips the identifier places.
    std::vector<LeftoverEntry> find(const std::string& name, const std::string& identifier,
                                    const std::string& bundlePath) const;

    // One non-empty path component: not "." or "..", no "/" and no NUL.
    static bool isSingleComponent(const std::string& name);
    // One of the Library's own folders ("Caches", "Preferences", ...), in any letter case.
    static bool isStandardLibraryFolder(const std::string& name);

    // The path of `component` directly in <home>/<libraryFolder>, when it passes every rule
    // above; nothing (logged) otherwise.
    std::optional<std::string> placePath(const std::string& libraryFolder,
                                         const std::string& component) const;

    // Still where and what it was when found: its folder resolves to the same Library folder
    // and the entry (not followed) has the type it had.
    static bool isStillInPlace(const LeftoverEntry& entry);

    // A folder's contents, a file's or link's own size.
    static std::uint64_t sizeOf(const LeftoverEntry& entry);
    static std::uint64_t totalSize(const std::vector<LeftoverEntry>& entries);

private:
    std::optional<LeftoverEntry> entryAt(const std::string& libraryFolder,
                                         const std::string& component,
                                         const std::string& bundlePath) const;

    std::string home_; // canonical
};

} // namespace qengine
