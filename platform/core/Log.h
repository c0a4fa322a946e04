#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>

namespace qcore {

// One line to standard error with a time stamp, whole even when threads log together.
// Start-up reopens standard error onto the run's log file.
void logLine(std::string_view line);

// Joins the arguments with operator<< and logs them as one line. Lines made only of text are
// joined without a stream: scans log a line for every item they list.
template <typename... Parts> void log(const Parts&... parts) {
    if constexpr ((std::is_convertible_v<const Parts&, std::string_view> && ...)) {
        std::string line;
        line.reserve((std::string_view(parts).size() + ...));
        (line.append(std::string_view(parts)), ...);
        logLine(line);
    } else {
        std::ostringstream out;
        (out << ... << parts);
        logLine(out.str());
    }
}

// Reopens standard error onto `path` in append mode; false when it cannot be opened.
bool redirectStandardErrorTo(const std::string& path);

} // namespace qcore
