#pragma once

#include "shell/feedback/FeedbackForm.h"
#include "shell/feedback/FeedbackReport.h"

#include "platform/core/Value.h"

#include <functional>
#include <optional>
#include <string>

namespace qshell {

// The feedback sheet's flow between opening and closing: the network check, the field checks,
// saving the report and what the user is told afterwards. Main thread only.
class FeedbackSheet {
public:
    struct Fields {
        std::string email;
        std::string typeTitle;
        bool typeIsPlaceholder = true;
        std::string message;
        bool includeLogs = false;
    };
    enum class Result {
        NoNetwork,     // alert "ID_PRB_INTERNET_CONN"; no field checked; the sheet stays
        InvalidFields, // the error lines of `check` show; the sheet stays
        SaveFailed,    // the report could not be written; the sheet stays
        Saved,         // the sheet closes; acknowledgement() tells where the report is
    };
    struct Outcome {
        Result result = Result::NoNetwork;
        FeedbackForm::Check check; // with the cleaned e-mail and message to show
        std::string reportPath;
    };

    // `reportFolder`: the log file's folder; `networkUp`: the probe.
    FeedbackSheet(std::string reportFolder, std::string logPath, std::function<bool()> networkUp);

    void open();
    Outcome submit(const Fields& fields, qcore::Date now = qcore::Date::now());
    void cancel() { cancelled_ = true; }

    bool cancelled() const { return cancelled_; }
    // After the sheet has closed: the text to show, nothing after Cancel.
    std::optional<std::string> acknowledgement(const TextSource& texts) const;

private:
    std::string reportFolder_;
    std::string logPath_;
    std::function<bool()> networkUp_;
    bool cancelled_ = false;
    std::string reportPath_;
};

} // namespace qshell
