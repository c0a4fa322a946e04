#include "shell/app/LogFile.h"

#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

namespace qshell {

std::string LogFile::folder(const std::string& containerHome) {
    return containerHome + "/Library/Logs/";
}

std::string LogFile::path(const std::string& containerHome, const std::string& bundleName) {
    return folder(containerHome) + bundleName + ".log";
}

bool LogFile::removePrevious(const std::string& logPath) {
    return qcore::FileManager::exists(logPath) && qcore::FileManager::removeItem(logPath);
}

std::string LogFile::prepare(const std::string& containerHome, const std::string& bundleName) {
    const std::string logPath = path(containerHome, bundleName);
    qcore::log("success=", removePrevious(logPath) ? 1 : 0);
    qcore::log("logPath=", logPath);
    qcore::FileManager::createDirectories(folder(containerHome));
    // When the file cannot be opened, logging stays where standard error went before.
    qcore::redirectStandardErrorTo(logPath);
    return logPath;
}

} // namespace qshell
