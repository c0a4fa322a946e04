#include "engine/DuplicatesExclusions.h"

#include "platform/core/UserDefaults.h"

#include <algorithm>
#include <string_view>

namespace qengine {

namespace {

// The walk tests every entry, so paths are compared folding case as they go, never copied.
char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsFolded(std::string_view text, std::string_view lowered) {
    if (text.size() != lowered.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (folded(text[i]) != lowered[i]) return false;
    return true;
}

// As names::isAtOrBelow, with `path` in any case and `folder` lower-cased.
bool isAtOrBelowFolded(std::string_view path, std::string_view folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.remove_suffix(1);
    if (path.size() < folder.size() || !equalsFolded(path.substr(0, folder.size()), folder))
        return false;
    return folder == "/" || path.size() == folder.size() || path[folder.size()] == '/';
}

bool hasComponent(std::string_view path, std::string_view name) {
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        if (equalsFolded(path.substr(start, slash - start), name)) return true;
        start = slash + 1;
    }
    return false;
}

} // namespace

DuplicatesExclusions::DuplicatesExclusions(const std::vector<std::string>& entries) {
    for (const std::string& entry : entries) {
        if (entry.empty()) continue;
        std::string lowered = entry;
        std::transform(lowered.begin(), lowered.end(), lowered.begin(), folded);
        if (lowered.front() == '/') {
            folders_.push_back(std::move(lowered));
        } else {
            std::replace(lowered.begin(), lowered.end(), '/', ':');
            names_.push_back(std::move(lowered));
        }
    }
}

DuplicatesExclusions DuplicatesExclusions::fromDefaults() {
    return DuplicatesExclusions(
        qcore::UserDefaults::standard().stringArrayForKey("excludedDirectoryNames"));
}

bool DuplicatesExclusions::isExcludedFolder(const std::string& path) const {
    return std::any_of(folders_.begin(), folders_.end(),
                       [&](const std::string& folder) { return equalsFolded(path, folder); });
}

bool DuplicatesExclusions::excludesFile(const std::string& path) const {
    for (const std::string& folder : folders_)
        if (isAtOrBelowFolded(path, folder)) return true;
    for (const std::string& name : names_)
        if (hasComponent(path, name)) return true;
    return false;
}

} // namespace qengine
