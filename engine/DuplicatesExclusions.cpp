#include "engine/DuplicatesExclusions.h"

#include "engine/NameMatch.h"
#include "platform/core/PlainText.h"
#include "platform/core/UserDefaults.h"

#include <algorithm>
#include <string_view>

namespace qengine {

namespace {

bool hasComponent(std::string_view path, std::string_view name) {
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        if (path.substr(start, slash - start) == name) return true;
        start = slash + 1;
    }
    return false;
}

} // namespace

DuplicatesExclusions::DuplicatesExclusions(const std::vector<std::string>& entries) {
    for (const std::string& entry : entries) {
        if (entry.empty()) continue;
        std::string lowered = qcore::PlainText::lower(entry);
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
    if (folders_.empty()) return false;
    const std::string lowered = qcore::PlainText::lower(path);
    return std::find(folders_.begin(), folders_.end(), lowered) != folders_.end();
}

bool DuplicatesExclusions::excludesFile(const std::string& path) const {
    const std::string lowered = qcore::PlainText::lower(path);
    for (const std::string& folder : folders_)
        if (names::isAtOrBelow(lowered, folder)) return true;
    for (const std::string& name : names_)
        if (hasComponent(lowered, name)) return true;
    return false;
}

} // namespace qengine
