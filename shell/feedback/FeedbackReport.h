#pragma once

#include "shell/common/TextSource.h"

#include "platform/core/Value.h"

#include <optional>
#include <string>

namespace qshell {

// What the feedback form produces: a text file saved beside the log file for the user to pass
// on, since the program sends nothing itself. The acknowledgements say exactly that.
class FeedbackReport {
public:
    struct Content {
        std::string email;
        std::string type;
        std::string message;
        bool includeLogs = false;
    };

    // "Feedback 2024-03-07 14.05.09.txt" in local time.
    static std::string fileName(qcore::Date when);
    static std::string text(const Content& content, const std::string& logPath, qcore::Date when);
    // Writes the report into `folder` (created when missing) under a name no other file has;
    // the file's path, or nothing when it could not be written.
    static std::optional<std::string> save(const std::string& folder, const Content& content,
                                           const std::string& logPath, qcore::Date when);

    // Shown once the form has closed after a saved report.
    // The language table's "ID_FB_SAVED" and "ID_LOGS_SAVED" (GRP_NAG_FEEDBACK), each with
    // the file's path for its one "%@".
    static std::string acknowledgement(const TextSource& texts, const std::string& reportPath);
    // Shown when the preferences ask to send the logs.
    static std::string logsAcknowledgement(const TextSource& texts, const std::string& logPath);
};

} // namespace qshell
