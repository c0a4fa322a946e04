#include "shell/grant/FirefoxProfileRequest.h"

#include "engine/DataFiller.h"
#include "engine/FirefoxProfiles.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

namespace qshell {

namespace {
const std::string kMacFolder = "/Library/Application Support/Firefox/";
const std::string kLinuxFolder = "/.mozilla/firefox/";
const std::string kIniName = "profiles.ini";
} // namespace

std::string FirefoxProfileRequest::firefoxFolder(const std::string& home) {
    if (qcore::FileManager::exists(home + kMacFolder + kIniName)) return home + kMacFolder;
    return home + kLinuxFolder;
}

std::string FirefoxProfileRequest::profilesIniPath(const std::string& home) {
    return firefoxFolder(home) + kIniName;
}

std::vector<std::string> FirefoxProfileRequest::profileFolders(const std::string& iniText,
                                                               const std::string& folder) {
    return qengine::FirefoxProfiles::profilePaths(iniText, folder);
}

void FirefoxProfileRequest::start(qcore::ScriptTask& task, const std::string& home,
                                  Delivery deliver) {
    const std::string folder = firefoxFolder(home);
    task.execute(kHandler, folder + kIniName,
                 [folder, deliver = std::move(deliver)](const qcore::ScriptTask::Result& result) {
                     std::vector<std::string> folders;
                     if (result.success)
                         folders = profileFolders(result.output, folder);
                     else
                         qcore::log("AppController::getMozilaprofilePath script task error = ",
                                    result.error);
                     if (deliver) deliver(std::move(folders));
                 });
}

void FirefoxProfileRequest::startForEngine(qcore::ScriptTask& task, const std::string& home,
                                           qengine::DataFiller& engine,
                                           qcore::MainThread& mainThread,
                                           std::function<bool()> engineAlive) {
    engine.setArrMozilaProfilePath({});
    start(task, home, [&engine, &mainThread, engineAlive](std::vector<std::string> folders) {
        mainThread.post([&engine, engineAlive, folders = std::move(folders)]() mutable {
            if (engineAlive && !engineAlive()) return;
            engine.setArrMozilaProfilePath(std::move(folders));
        });
    });
}

} // namespace qshell
