#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qcore {

class InstalledApplications;

struct RunningApplication {
    int pid = 0;
    std::string name;             // the application's name (bundle name or process name)
    std::string executablePath;   // resolved /proc/<pid>/exe; "" when hidden from us
    std::string bundleIdentifier; // "" when unknown
    std::string bundlePath;       // enclosing ".app" bundle, "" when none
};

// The non-GUI half of the workspace: file packages, running applications, applications by
// bundle identifier.
class Workspace {
public:
    // A folder whose extension marks it as one item ("app", "bundle", "framework", ...).
    static bool isFilePackage(const std::string& path);

    // The user's applications from /proc (processes of the current user with an executable).
    static std::vector<RunningApplication> runningApplications();

    // Path of the application with that bundle identifier (compared ignoring case): an ".app"
    // bundle in the usual application folders, else the known browser's executable; nothing
    // when there is none.
    static std::optional<std::string> applicationPathForBundleIdentifier(const std::string& id);
    // The same over applications loaded once, for callers asking many times.
    static std::optional<std::string>
    applicationPathForBundleIdentifier(const std::string& id,
                                       const InstalledApplications& applications);

    // Bundle identifier of a known program by its process name ("firefox" -> Firefox's).
    static std::string knownBundleIdentifierForProcess(const std::string& processName);

    // Test hook: the /proc folder to read.
    static void setProcRootForTesting(const std::string& path);
};

} // namespace qcore
