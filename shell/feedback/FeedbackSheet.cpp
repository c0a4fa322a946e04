#include "shell/feedback/FeedbackSheet.h"

namespace qshell {

FeedbackSheet::FeedbackSheet(std::string reportFolder, std::string logPath,
                             std::function<bool()> networkUp)
    : reportFolder_(std::move(reportFolder)), logPath_(std::move(logPath)),
      networkUp_(std::move(networkUp)) {}

void FeedbackSheet::open() {
    cancelled_ = false;
    reportPath_.clear();
}

FeedbackSheet::Outcome FeedbackSheet::submit(const Fields& fields, qcore::Date now) {
    Outcome outcome;
    if (!networkUp_ || !networkUp_()) {
        outcome.result = Result::NoNetwork;
        return outcome;
    }
    outcome.check = FeedbackForm::check(fields.email, fields.typeIsPlaceholder, fields.message);
    if (outcome.check.anyError()) {
        outcome.result = Result::InvalidFields;
        return outcome;
    }
    const FeedbackReport::Content content{outcome.check.email, fields.typeTitle,
                                          outcome.check.message, fields.includeLogs};
    const auto path = FeedbackReport::save(reportFolder_, content, logPath_, now);
    if (!path) {
        outcome.result = Result::SaveFailed;
        return outcome;
    }
    reportPath_ = *path;
    outcome.reportPath = *path;
    outcome.result = Result::Saved;
    return outcome;
}

std::optional<std::string> FeedbackSheet::acknowledgement(const TextSource& texts) const {
    if (cancelled_ || reportPath_.empty()) return std::nullopt;
    return FeedbackReport::acknowledgement(texts, reportPath_);
}

} // namespace qshell
