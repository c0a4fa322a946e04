#pragma once

#include "platform/core/SystemVersion.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qpages {

// The tests behind the Full Disk Access guide: whether the protected browser folder can be
// listed now, which system versions ask for the grant, and where its settings live here.
class FullDiskAccess {
public:
    enum class FolderState { Readable, Missing, Denied };

    // Lists the folder once. Denied only for a folder that exists and refuses to be read
    // (EACCES, EPERM); every other failure counts as missing.
    static FolderState probe(const std::string& folder);
    static FolderState stateForError(int error);
    // Test hook: answers probe() in place of the file system; empty restores it.
    using Probe = std::function<FolderState(const std::string& folder)>;
    static void setProbeForTesting(Probe probe);

    // The access test: false only when "<home>/Library/Safari/" exists and cannot be listed,
    // or when there is no home folder. A missing folder means no data, not missing access.
    static bool checkFulldiskAccess(const std::string& home);

    // 10.14 and later: a minor version above 13 with a major above 9, or 10.15 and later.
    static bool is1014OSX(const qcore::SystemVersion& profile, bool isOSXGreaterThan11);

    // The user's real home folder, where the protected folder is looked for.
    static std::string homeDirectory();
    // The system-version answers the pages use: 10.15 and later, 13 and later.
    static bool isOSXGreaterThan11(const qcore::SystemVersion& profile);
    static bool isOSXGreaterThan13(const qcore::SystemVersion& profile);
    // The same for the installed version profile.
    static bool isOSXGreaterThan11();
    static bool isOSXGreaterThan13();
    static bool is1014OSX();

    // The desktop's own settings program, found on PATH: GNOME's privacy panel, else the
    // settings of KDE Plasma, Cinnamon, Xfce or MATE. Nothing when none is installed.
    struct Command {
        std::string program;
        std::vector<std::string> arguments;
    };
    static std::optional<Command> privacySettingsCommand(const std::string& searchPath);
};

} // namespace qpages
