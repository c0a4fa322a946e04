#pragma once

#include <string>

namespace qshell {

// Copies the shipped "runScript.scpt" into the application's scripts folder, replacing an
// older copy. A failed copy is tried again a bounded number of times, then given up with a log
// line; nothing waits on the event loop meanwhile.
class ScriptInstaller {
public:
    inline static const std::string kScriptName = "runScript.scpt";
    static constexpr int kMaxAttempts = 3;

    static std::string targetPath(const std::string& scriptsFolder);

    // True when the script is in place; the scripts folder is created when missing.
    static bool install(const std::string& source, const std::string& scriptsFolder,
                        int maxAttempts = kMaxAttempts);
};

} // namespace qshell
