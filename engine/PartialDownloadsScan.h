#pragma once

#include <string>

namespace qengine {

class DataFiller;
struct PartialDownloadsState;

// The Partial Downloads scan: unfinished downloads (".download", ".part") in the user's
// Downloads folder last modified before the age limit set by the user.
class PartialDownloadsScan {
public:
    PartialDownloadsScan(DataFiller& engine, PartialDownloadsState& state);

    void run();

    static std::string downloadsFolder(const std::string& home);
    static bool isPartialDownloadName(const std::string& name);

private:
    DataFiller& engine_;
    PartialDownloadsState& state_;
};

} // namespace qengine
