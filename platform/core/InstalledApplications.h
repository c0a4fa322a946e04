#pragma once

#include "platform/core/Value.h"

#include <map>
#include <optional>
#include <string>

namespace qcore {

// The ".app" bundles of the usual application folders (the home's "Applications", then
// "/Applications") by bundle identifier. Each bundle's Info.plist is read once, when the
// list is loaded, so a scan asking for many identifiers reads no file again.
class InstalledApplications {
public:
    static InstalledApplications load();

    // The first bundle with that identifier (compared ignoring case).
    std::optional<std::string> pathForBundleIdentifier(const std::string& id) const;
    std::size_t size() const { return byIdentifier_.size(); }

    // The bundle's Info.plist ("Contents/Info.plist", else "Info.plist"); null when none.
    static Value bundleInfo(const std::string& bundle);

private:
    std::map<std::string, std::string> byIdentifier_; // upper-cased identifier -> bundle
};

} // namespace qcore
