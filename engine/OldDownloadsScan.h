#pragma once

#include "engine/ModuleRow.h"
#include "platform/core/Value.h"

#include <optional>
#include <string>

namespace qengine {

class DataFiller;

// The Old Downloads scan: entries of the user's Downloads folder last opened before the age
// limit set by the user (unfinished downloads are the Partial Downloads module's).
class OldDownloadsScan {
public:
    explicit OldDownloadsScan(DataFiller& engine);

    void run();

    // The row for `path`, or nothing when it is hidden, was opened after `timeRef` (seconds
    // since 1970), has size 0 or cannot be read. Stateless; safe from any thread.
    static std::optional<ModuleRow> getDictInfoDownloads(const std::string& path, bool isDir,
                                                         double timeRef);
    // Short date with medium time in local time ("3/7/24, 1:05:09 PM").
    static std::string getDateInString(qcore::Date date);

private:
    DataFiller& engine_;
};

} // namespace qengine
