#include "shell/grant/ScriptInstaller.h"

#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

namespace qshell {

namespace {
constexpr const char* kWho = "AppController::installFile";
}

std::string ScriptInstaller::targetPath(const std::string& scriptsFolder) {
    return qcore::FileManager::appendingPathComponent(scriptsFolder, kScriptName);
}

bool ScriptInstaller::install(const std::string& source, const std::string& scriptsFolder,
                              int maxAttempts) {
    using qcore::FileManager;
    const std::string target = targetPath(scriptsFolder);
    std::string error;
    for (int attempt = 1; attempt <= maxAttempts; ++attempt) {
        FileManager::createDirectories(scriptsFolder);
        if (FileManager::exists(target)) {
            // An older copy: replace it. One that cannot be removed will not go on retrying.
            if (!FileManager::removeItem(target, &error)) {
                qcore::log(kWho, " error = ", error);
                return false;
            }
            if (FileManager::copyFile(source, target, &error)) return true;
            qcore::log(kWho, " error = ", error);
            return false;
        }
        if (FileManager::copyFile(source, target, &error)) return true;
        qcore::log(kWho, " attempt ", attempt, " failed: ", error);
    }
    qcore::log(kWho, " gave up after ", maxAttempts, " attempts; the script is not installed");
    return false;
}

} // namespace qshell
