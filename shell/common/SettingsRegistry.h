#pragma once

#include "platform/core/UserDefaults.h"
#include "platform/core/Value.h"

#include <string>
#include <vector>

namespace qshell {

// Every setting's registered default, and the two language lists written at each start.
class SettingsRegistry {
public:
    struct LanguageLists {
        std::vector<std::string> excluded;   // "excludedLangaugeList"
        std::vector<std::string> restricted; // "arrRestrictedRootLanguage"
    };

    // The defaults table with "%@" paths filled with `home` (no trailing "/").
    static qcore::Dictionary defaults(const std::string& home);

    // First preferred language cut at the first "-" and then at the first blank; "en" when
    // there is none.
    static std::string currentLanguage(const std::vector<std::string>& preferredLanguages);

    // The lists as this start should leave them, from what `stored` holds.
    static LanguageLists computeLanguageLists(const qcore::UserDefaults& stored,
                                              const std::vector<std::string>& preferredLanguages);

    // Registers every default and registers and stores the two language lists.
    static void registerDefaults(qcore::UserDefaults& defaults, const std::string& home,
                                 const std::vector<std::string>& preferredLanguages);

    // Launch: both search folders go back to the home folder, saved at once.
    static void resetSearchFolders(qcore::UserDefaults& defaults, const std::string& home);
};

} // namespace qshell
