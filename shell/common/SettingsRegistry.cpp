#include "shell/common/SettingsRegistry.h"

#include "shell/common/SettingsKeys.h"

#include <algorithm>
#include <cctype>

namespace qshell {

namespace {

using qcore::Array;
using qcore::Dictionary;
using qcore::Value;

bool beginsWithEn(const std::string& language) {
    return language.rfind("en", 0) == 0;
}

bool contains(const std::vector<std::string>& list, const std::string& entry) {
    return std::find(list.begin(), list.end(), entry) != list.end();
}

void appendIfMissing(std::vector<std::string>& list, const std::string& entry) {
    if (!contains(list, entry)) list.push_back(entry);
}

std::vector<std::string> englishAnd(const std::string& current) {
    std::vector<std::string> list{"en"};
    if (!beginsWithEn(current)) list.push_back(current);
    return list;
}

std::string upperCased(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

Array toArray(const std::vector<std::string>& list) {
    return Array(list.begin(), list.end());
}

} // namespace

Dictionary SettingsRegistry::defaults(const std::string& home) {
    using namespace settings;
    return {
        {kSearchFileMinSize, "4"},
        {kSearchSizeUnit, "1"},
        {kDuplicatesFinderPath, home + "/Documents/"},
        {kExcludedDirectoryNames,
         Array{".DS_Store", ".bzr", ".svn", ".hg", ".git", "CVSROOT", "CVS", "/System", "/Library",
               "/Developer", "/Volumes", home + "/.Trash", home + "/dropbox"}},
        {kLargeFilesPath, home + "/"},
        {"searchFileMinSize_Large", "50"},
        {"searchSizeUnit_Large", "2"},
        {"searchFileMinSize_LargeM", "1"},
        {"searchSizeUnit_LargeM", "2"},
        {"searchFileMinSize_LargeD", "1"},
        {"searchSizeUnit_LargeD", "2"},
        {"searchFileMinSize_LargeV", "25"},
        {"searchSizeUnit_LargeV", "2"},
        {"searchFileMinSize_LargeP", "1"},
        {"searchSizeUnit_LargeP", "2"},
        {"oldDownloadsValue", "2"},
        {"oldDownloadsUnit", "2"},
        {"partialDownloadsValue", "1"},
        {"partialDownloadsUnit", "2"},
        {kVersionRated, "NONE"},
        {kAnalyzeAutomaticallyDuplicates, "NO"},
        {"analyzeAutomaticallyDiskUsage", "NO"},
        {"secureDeleteAlgoIndex", 0},
        {"directoryForAppCleaner", Array{"/Applications"}},
        {"showOSXAppsInUninstaller", 0},
        {"updateOccurenceIndex", "1"},
    };
}

std::string SettingsRegistry::currentLanguage(const std::vector<std::string>& preferred) {
    if (preferred.empty() || preferred.front().empty()) return "en";
    std::string language = preferred.front();
    language = language.substr(0, language.find('-'));
    language = language.substr(0, language.find(' '));
    return language.empty() ? "en" : language;
}

SettingsRegistry::LanguageLists
SettingsRegistry::computeLanguageLists(const qcore::UserDefaults& stored,
                                       const std::vector<std::string>& preferredLanguages) {
    const std::string current = currentLanguage(preferredLanguages);
    LanguageLists lists;
    if (!stored.hasStoredValue(settings::kRestrictedRootLanguage)) {
        lists.excluded = englishAnd(current);
        lists.restricted = englishAnd(current);
    } else {
        lists.excluded = stored.hasStoredValue(settings::kExcludedLanguageList)
                             ? stored.stringArrayForKey(settings::kExcludedLanguageList)
                             : englishAnd(current);
        for (const auto& entry : stored.stringArrayForKey(settings::kRestrictedRootLanguage))
            appendIfMissing(lists.excluded, entry);
        for (const auto& entry : englishAnd(current))
            appendIfMissing(lists.excluded, entry);
        lists.restricted = englishAnd(current);
    }
    // Norwegian Bokmål users also read the other two Norwegian codes; appended only when absent
    // so the stored lists do not grow at every start.
    if (upperCased(current) == "NB") {
        for (auto* list : {&lists.excluded, &lists.restricted}) {
            appendIfMissing(*list, "no");
            appendIfMissing(*list, "nn");
        }
    }
    return lists;
}

void SettingsRegistry::registerDefaults(qcore::UserDefaults& defaults, const std::string& home,
                                        const std::vector<std::string>& preferredLanguages) {
    Dictionary table = SettingsRegistry::defaults(home);
    const LanguageLists lists = computeLanguageLists(defaults, preferredLanguages);
    table[settings::kExcludedLanguageList] = toArray(lists.excluded);
    table[settings::kRestrictedRootLanguage] = toArray(lists.restricted);
    defaults.registerDefaults(table);
    defaults.setObject(settings::kExcludedLanguageList, toArray(lists.excluded));
    defaults.setObject(settings::kRestrictedRootLanguage, toArray(lists.restricted));
    // Our store saves only when asked; the lists must survive to the next start.
    defaults.synchronize();
}

void SettingsRegistry::resetSearchFolders(qcore::UserDefaults& defaults, const std::string& home) {
    defaults.setObject(settings::kLargeFilesPath, home + "/");
    defaults.setObject(settings::kDuplicatesFinderPath, home + "/");
    defaults.synchronize();
}

} // namespace qshell
