#pragma once

#include "platform/core/ScriptTask.h"

#include "platform/core/MainThread.h"

#include <functional>
#include <string>
#include <vector>

namespace qengine {
class DataFiller;
}

namespace qshell {

// Reads Firefox's profile list through the script's "chock" handler and hands the profile
// folders over. The "profiles.ini" read is the one in the home's "Library/Application
// Support/Firefox" when there is one, else the one Firefox keeps on Linux.
class FirefoxProfileRequest {
public:
    inline static const std::string kHandler = "chock";
    using Delivery = std::function<void(std::vector<std::string> profileFolders)>;

    // The Firefox folder the profile paths are relative to, with a trailing "/".
    static std::string firefoxFolder(const std::string& home);
    static std::string profilesIniPath(const std::string& home);

    // Asks `task` for the file's text on its worker thread; `deliver` gets the folders there
    // (empty when the request failed, which is logged).
    static void start(qcore::ScriptTask& task, const std::string& home, Delivery deliver);
    // The profile read of the grant: empties the engine's list, then fills it on the main
    // thread once the answer is in, so no worker writes the list the Firefox scan reads.
    // With `engineAlive` given, an answer arriving once it says false is dropped.
    static void startForEngine(qcore::ScriptTask& task, const std::string& home,
                               qengine::DataFiller& engine, qcore::MainThread& mainThread,
                               std::function<bool()> engineAlive = {});
    // The folders named by an answer of the script.
    static std::vector<std::string> profileFolders(const std::string& iniText,
                                                   const std::string& firefoxFolder);
};

} // namespace qshell
