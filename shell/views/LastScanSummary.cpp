#include "shell/views/LastScanSummary.h"

#include "shell/common/SettingsKeys.h"

#include "engine/LastScanDateTime.h"

namespace qshell {

namespace {

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

LastScanPanel notScannedPanel(const TextSource& texts) {
    LastScanPanel panel;
    panel.timeText = texts.token(LastScanSummary::kGroup, "ID_NOT_SCANNED");
    panel.issuesCount = texts.common("ID_UNKNOWN");
    panel.junkSize = texts.common("ID_UNKNOWN");
    panel.junkGrade = texts.common("ID_UNKNOWN");
    panel.showFixNow = false;
    panel.showRecoverNow = false;
    return panel;
}

void applyLevel(LastScanPanel& panel, std::int64_t issues, const TextSource& texts) {
    panel.level = JunkLevel::level(issues);
    if (const auto grade = JunkLevel::grade(*panel.level)) {
        panel.gradeColour = grade;
        panel.junkGrade = texts.common(JunkLevel::gradeKey(*grade));
    }
}

} // namespace

LastScanPanel LastScanSummary::read(qcore::UserDefaults& defaults, const TextSource& texts,
                                    qcore::Date now) {
    if (defaults.objectForKey(settings::kLastScanSystemTime).isString()) {
        defaults.removeObject(settings::kLastScanSystemTime);
        defaults.synchronize();
    }
    const auto time = defaults.dateForKey(settings::kLastScanSystemTime);
    const qcore::Value status = defaults.objectForKey(settings::kLastScanSystemStatus);
    const qcore::Value junk = defaults.objectForKey(settings::kLastScanJunkSize);
    if (!time || status.isNull() || junk.isNull()) return notScannedPanel(texts);

    const std::string issues = status.toString();
    LastScanPanel panel;
    if (issues.empty()) {
        panel.timeText = texts.token(kGroup, "ID_NOT_SCANNED");
        panel.issuesCount = texts.token(kGroup, "ID_ISSUES_NOT_KNOWN");
        panel.junkSize = texts.common("ID_UNKNOWN");
        panel.junkGrade = texts.common("ID_UNKNOWN");
        panel.fixNowTitle = texts.common("ID_START_SCAN");
        return panel;
    }

    const std::int64_t count = qcore::leadingInteger(issues);
    const std::string date = replaceAll(qengine::LastScanDateTime::getDateInFormat(*time, now),
                                        "Today", texts.token(kGroup, "ID_TODAY"));
    panel.timeText = date + "\n" + qengine::LastScanDateTime::getTimeInFormat(*time);
    // "0 Issue Found" would read wrong: only one issue is singular.
    panel.issuesWord = count == 1 ? "Issue Found" : "Issues Found";
    panel.fixNowTitle = texts.token(kGroup, "ID_FIX_NOW");
    if (issues == "0") {
        panel.issuesCount = "0";
        panel.junkSize = "0 Bytes";
        panel.fixNowTitle = texts.common("ID_START_SCAN");
        panel.showFixNow = false;
        panel.showRecoverNow = false;
    } else {
        panel.issuesCount = issues;
        panel.junkSize = junk.toString();
        panel.showFixNow = true;
        panel.showRecoverNow = true;
    }
    applyLevel(panel, count, texts);
    return panel;
}

} // namespace qshell
