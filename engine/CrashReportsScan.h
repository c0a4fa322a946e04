#pragma once

#include <string>

namespace qengine {

class DataFiller;

// The Trash Cleaner scan: applications' crash and diagnostic reports in the user's
// DiagnosticReports folder and its Retired folder (the system's own reports are left alone).
class CrashReportsScan {
public:
    explicit CrashReportsScan(DataFiller& engine);

    void run();

    static std::string reportsFolder(const std::string& home);
    static bool isReportName(const std::string& name);

private:
    DataFiller& engine_;
};

} // namespace qengine
