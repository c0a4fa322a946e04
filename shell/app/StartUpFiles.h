#pragma once

#include <string>

namespace qcore {
class Bundle;
}

namespace qshell {

// Where a run keeps its log and its settings: in the application's container home, or, when
// the home folder is unknown, on standard error and in memory only, so nothing is ever
// written outside a valid home.
class StartUpFiles {
public:
    // Resolves the home folder now.
    explicit StartUpFiles(const qcore::Bundle& bundle);

    bool hasHome() const { return !containerHome_.empty(); }
    // Empty without a home.
    const std::string& containerHome() const { return containerHome_; }
    std::string logPath() const;
    std::string defaultsPath() const;

    // Starts the log file and points the standard user defaults at their file; without a
    // home, only says on standard error where both stay.
    void prepare() const;

private:
    std::string containerHome_;
    std::string bundleName_;
    std::string bundleIdentifier_;
};

} // namespace qshell
