#pragma once

#include <string>

namespace qshell {

// The run's log file "<container home>/Library/Logs/<bundle name>.log", which holds one run.
class LogFile {
public:
    static std::string folder(const std::string& containerHome);
    static std::string path(const std::string& containerHome, const std::string& bundleName);

    // Deletes the previous run's file; false when there was none or it could not go.
    static bool removePrevious(const std::string& logPath);

    // Start-up: removes the previous file, logs both steps, then reopens standard error onto
    // the file in append mode. Returns the path.
    static std::string prepare(const std::string& containerHome, const std::string& bundleName);
};

} // namespace qshell
