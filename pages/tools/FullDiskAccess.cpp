#include "pages/tools/FullDiskAccess.h"

#include "engine/DataFiller.h"
#include "shell/PellorAppDelegate.h"
#include "shell/VersionFlags.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

namespace qpages {

namespace {

qshell::VersionFlags currentFlags() {
    if (const auto* delegate = qshell::PellorAppDelegate::shared()) return delegate->versionFlags();
    return qshell::VersionFlags::fromProfile(qcore::SystemVersion::current());
}

FullDiskAccess::Probe& probeOverride() {
    static FullDiskAccess::Probe probe;
    return probe;
}

std::optional<std::string> findOnPath(const std::string& program, const std::string& searchPath) {
    std::istringstream folders(searchPath);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty()) continue;
        const std::string candidate = folder + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
}

} // namespace

void FullDiskAccess::setProbeForTesting(Probe probe) {
    probeOverride() = std::move(probe);
}

FullDiskAccess::FolderState FullDiskAccess::probe(const std::string& folder) {
    if (probeOverride()) return probeOverride()(folder);
    DIR* dir = ::opendir(folder.c_str());
    if (dir) {
        ::closedir(dir);
        return FolderState::Readable;
    }
    return stateForError(errno);
}

FullDiskAccess::FolderState FullDiskAccess::stateForError(int error) {
    return (error == EACCES || error == EPERM) ? FolderState::Denied : FolderState::Missing;
}

bool FullDiskAccess::checkFulldiskAccess(const std::string& home) {
    if (home.empty()) return false;
    return probe(home + "/Library/Safari/") != FolderState::Denied;
}

bool FullDiskAccess::is1014OSX(const qcore::SystemVersion& profile, bool isOSXGreaterThan11) {
    return (profile.minor() > 13 && profile.major() > 9) || isOSXGreaterThan11;
}

std::string FullDiskAccess::homeDirectory() {
    if (const auto* delegate = qshell::PellorAppDelegate::shared();
        delegate && !delegate->strHomeDirectory().isEmpty())
        return delegate->strHomeDirectory().toStdString();
    return qengine::DataFiller::homeDirectory();
}

qcore::SystemVersion FullDiskAccess::profile() {
    if (const auto* delegate = qshell::PellorAppDelegate::shared())
        return delegate->systemVersion();
    return qcore::SystemVersion::current();
}

bool FullDiskAccess::isOSXGreaterThan11() {
    return currentFlags().isOSXGreaterThan11;
}

bool FullDiskAccess::isOSXGreaterThan13() {
    return currentFlags().isOSXGreaterThan13;
}

bool FullDiskAccess::is1014OSX() {
    return is1014OSX(profile(), isOSXGreaterThan11());
}

std::optional<FullDiskAccess::Command>
FullDiskAccess::privacySettingsCommand(const std::string& searchPath) {
    const std::vector<Command> known = {
        {"gnome-control-center", {"privacy"}},
        {"systemsettings", {}},
        {"systemsettings5", {}},
        {"cinnamon-settings", {"privacy"}},
        {"xfce4-settings-manager", {}},
        {"mate-control-center", {}},
    };
    for (const auto& command : known)
        if (auto path = findOnPath(command.program, searchPath))
            return Command{*path, command.arguments};
    return std::nullopt;
}

} // namespace qpages
