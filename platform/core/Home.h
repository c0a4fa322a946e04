#pragma once

#include <string>

namespace qcore {

// The user's real home folder and the application's container paths.
class Home {
public:
    // The password-database entry's home folder of the current user, resolved once (HOME only
    // when no entry exists), without a trailing "/". May be empty when nothing is known.
    static std::string realHomeDirectory();

    // A home that scans and cleans may build on: non-empty, absolute, not "/".
    static bool isUsable(const std::string& home);
    static bool realHomeIsUsable() { return isUsable(realHomeDirectory()); }

    // <home>/Library/Containers/<bundle identifier>/Data
    static std::string containerHome(const std::string& bundleIdentifier);
    // <home>/Library/Application Scripts/<bundle identifier>/
    static std::string applicationScriptsFolder(const std::string& bundleIdentifier);

    // Test hook: answers `path` instead of the real home (empty string clears the override).
    static void setOverrideForTesting(const std::string& path);
};

} // namespace qcore
