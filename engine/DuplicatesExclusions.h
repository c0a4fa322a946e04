#pragma once

#include <string>
#include <vector>

namespace qengine {

// The "excludedDirectoryNames" setting of the duplicates scan: entries beginning with "/" are
// folders (home paths arrive already expanded), the others are names. Matching ignores case;
// the entries are lower-cased once so the walk pays one comparison per entry.
class DuplicatesExclusions {
public:
    explicit DuplicatesExclusions(const std::vector<std::string>& entries);
    static DuplicatesExclusions fromDefaults();

    // A folder entry equals the path: its whole subtree is skipped.
    bool isExcludedFolder(const std::string& path) const;
    // The path lies at or below a folder entry (by whole components, so "/a/b" leaves
    // "/a/bc" alone), or a component of the path equals a name entry (a "/" in a name stands
    // for ":", as file names show it).
    bool excludesFile(const std::string& path) const;

private:
    std::vector<std::string> folders_;
    std::vector<std::string> names_;
};

} // namespace qengine
