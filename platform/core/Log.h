#pragma once

#include <sstream>
#include <string>
#include <string_view>

namespace qcore {

// One line to standard error with a time stamp, whole even when threads log together.
// Start-up reopens standard error onto the run's log file.
void logLine(std::string_view line);

// Joins the arguments with operator<< and logs them as one line.
template <typename... Parts> void log(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    logLine(out.str());
}

// Reopens standard error onto `path` in append mode; false when it cannot be opened.
bool redirectStandardErrorTo(const std::string& path);

} // namespace qcore
