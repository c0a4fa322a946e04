#include "shell/feedback/FeedbackReport.h"

#include "engine/TextFormat.h"

#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/SystemVersion.h"

#include <ctime>

namespace qshell {

namespace {

const std::string kFeedbackGroup = "GRP_NAG_FEEDBACK";

std::string localTime(qcore::Date when, const char* format) {
    const auto seconds = static_cast<std::time_t>(when.secondsSince1970);
    std::tm parts{};
    ::localtime_r(&seconds, &parts);
    char buffer[64];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, &parts);
    return std::string(buffer, length);
}

} // namespace

std::string FeedbackReport::fileName(qcore::Date when) {
    return "Feedback " + localTime(when, "%Y-%m-%d %H.%M.%S") + ".txt";
}

std::string FeedbackReport::text(const Content& content, const std::string& logPath,
                                 qcore::Date when) {
    const qcore::Bundle& bundle = qcore::Bundle::main();
    std::string report;
    report += "Feedback for " + bundle.bundleName() + " " +
              bundle.infoString("CFBundleShortVersionString") + "\n";
    report += "Written: " + localTime(when, "%Y-%m-%d %H:%M:%S %z") + "\n";
    report += "System: " + qcore::SystemVersion::operatingSystemName() + "\n";
    report += "E-mail: " + content.email + "\n";
    report += "Type: " + content.type + "\n";
    if (content.includeLogs) report += "Log file: " + logPath + "\n";
    report += "\n" + content.message + "\n";
    return report;
}

std::optional<std::string> FeedbackReport::save(const std::string& folder, const Content& content,
                                                const std::string& logPath, qcore::Date when) {
    using qcore::FileManager;
    if (!FileManager::createDirectories(folder) && !FileManager::isDirectory(folder, true))
        return std::nullopt;
    const std::string base = FileManager::deletingPathExtension(fileName(when));
    std::string path = FileManager::appendingPathComponent(folder, base + ".txt");
    for (int n = 2; FileManager::exists(path); ++n) {
        if (n > 1000) return std::nullopt;
        path = FileManager::appendingPathComponent(folder, base + " " + std::to_string(n) + ".txt");
    }
    if (!FileManager::writeFileAtomically(path, text(content, logPath, when))) return std::nullopt;
    return path;
}

std::string FeedbackReport::acknowledgement(const TextSource& texts,
                                            const std::string& reportPath) {
    return qengine::text::fillPlaceholders(texts.token(kFeedbackGroup, "ID_FB_SAVED"),
                                           {reportPath});
}

std::string FeedbackReport::logsAcknowledgement(const TextSource& texts,
                                                const std::string& logPath) {
    return qengine::text::fillPlaceholders(texts.token(kFeedbackGroup, "ID_LOGS_SAVED"), {logPath});
}

} // namespace qshell
