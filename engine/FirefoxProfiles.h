#pragma once

#include <map>
#include <string>
#include <vector>

namespace qengine {

// Firefox's profile list: reads "profiles.ini" and gives the folders of the profiles the
// Internet Privacy scan looks into.
class FirefoxProfiles {
public:
    struct Section {
        std::string name;
        std::map<std::string, std::string> values;
    };
    // In the order the sections first appear in the text.
    using Sections = std::vector<Section>;

    // "[name]" lines open sections; "key = value" lines fill the current one (split at the
    // first "=", both sides trimmed, a later key replacing an earlier one). Blank lines,
    // comments (";" or "#"), lines before the first section and lines without "=" are skipped;
    // carriage returns are trimmed like other white space. A repeated section starts afresh.
    static Sections getDictionary(const std::string& text);

    // Folders of every section whose name begins with "Profile" and that has a "Path", whether
    // or not it is marked "Default": with "IsRelative=0" the Path as it stands (it must be
    // absolute), otherwise the Path below `firefoxFolder`. Normalised, each listed once, in section
    // order.
    static std::vector<std::string> profilePaths(const std::string& text,
                                                 const std::string& firefoxFolder);

    // <home>/Library/Application Support/Firefox
    static std::string firefoxFolder(const std::string& home);
    // <home>/Library/Application Support/Firefox/profiles.ini
    static std::string profilesIniPath(const std::string& home);
    // The profile folders from the home's "profiles.ini"; empty when it cannot be read.
    static std::vector<std::string> readProfilePaths(const std::string& home);
};

} // namespace qengine
