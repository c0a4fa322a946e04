#include "shell/app/StartUpFiles.h"

#include "shell/app/LogFile.h"

#include "platform/core/Bundle.h"
#include "platform/core/Home.h"
#include "platform/core/Log.h"
#include "platform/core/UserDefaults.h"

namespace qshell {

StartUpFiles::StartUpFiles(const qcore::Bundle& bundle)
    : bundleName_(bundle.bundleName()), bundleIdentifier_(bundle.bundleIdentifier()) {
    if (qcore::Home::realHomeIsUsable())
        containerHome_ = qcore::Home::containerHome(bundleIdentifier_);
}

std::string StartUpFiles::logPath() const {
    return hasHome() ? LogFile::path(containerHome_, bundleName_) : std::string();
}

std::string StartUpFiles::defaultsPath() const {
    if (!hasHome()) return {};
    return containerHome_ + "/Library/Preferences/" + bundleIdentifier_ + ".plist";
}

void StartUpFiles::prepare() const {
    qcore::UserDefaults::setStandardPath(defaultsPath());
    if (hasHome()) {
        LogFile::prepare(containerHome_, bundleName_);
        return;
    }
    qcore::log("No usable home folder (\"", qcore::Home::realHomeDirectory(),
               "\"): logging to standard error only, settings kept in memory only");
}

} // namespace qshell
