#include "pages/tools/FullDiskAccess.h"

#include "engine/DataFiller.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

namespace qpages {

namespace {

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
    return qengine::DataFiller::homeDirectory();
}

bool FullDiskAccess::isOSXGreaterThan11(const qcore::SystemVersion& profile) {
    return profile.major() > 10 || (profile.major() == 10 && profile.minor() >= 15);
}

bool FullDiskAccess::isOSXGreaterThan13(const qcore::SystemVersion& profile) {
    return profile.major() >= 13;
}

bool FullDiskAccess::isOSXGreaterThan11() {
    return isOSXGreaterThan11(qcore::SystemVersion::current());
}

bool FullDiskAccess::isOSXGreaterThan13() {
    return isOSXGreaterThan13(qcore::SystemVersion::current());
}

bool FullDiskAccess::is1014OSX() {
    return is1014OSX(qcore::SystemVersion::current(), isOSXGreaterThan11());
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
