#pragma once

#include <string>

namespace qengine {

class DataFiller;
class ScanListing;

// The Logs Cleaner scan: every top-level entry of the user's Logs folder but the system's own
// and the crash reports (those are the Trash Cleaner's). Listed paths and their types go into
// `listing` for the clean.
class LogsCleanerScan {
public:
    LogsCleanerScan(DataFiller& engine, ScanListing& listing);

    void run();

    static std::string logsFolder(const std::string& home);
    // True: the entry is passed over.
    static bool skipsLogName(const std::string& name);

private:
    DataFiller& engine_;
    ScanListing& listing_;
};

} // namespace qengine
