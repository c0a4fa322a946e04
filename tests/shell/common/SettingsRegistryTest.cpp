#include "tests/shell/support/ScratchFolder.h"

#include "shell/common/SettingsKeys.h"
#include "shell/common/SettingsRegistry.h"

#include <gtest/gtest.h>

using qshell::SettingsRegistry;
using Strings = std::vector<std::string>;

namespace {

const std::string kHome = "/home/ana";

// One start of the application over the same store file.
Strings startAndRead(const std::string& store, const Strings& preferred, const std::string& key) {
    qcore::UserDefaults defaults(store);
    SettingsRegistry::registerDefaults(defaults, kHome, preferred);
    return defaults.stringArrayForKey(key);
}

} // namespace

TEST(SettingsRegistry, DefaultsKeepTheirTypesAndFillTheHome) {
    qcore::UserDefaults defaults("");
    SettingsRegistry::registerDefaults(defaults, kHome, {"en-US"});

    // Numbers are stored as strings unless the table says otherwise.
    EXPECT_EQ(defaults.objectForKey("searchFileMinSize"), qcore::Value("4"));
    EXPECT_EQ(defaults.objectForKey("searchSizeUnit"), qcore::Value("1"));
    EXPECT_EQ(defaults.objectForKey("searchFileMinSize_LargeV"), qcore::Value("25"));
    EXPECT_EQ(defaults.objectForKey("partialDownloadsUnit"), qcore::Value("2"));
    EXPECT_EQ(defaults.objectForKey("VersionRated"), qcore::Value("NONE"));
    EXPECT_EQ(defaults.objectForKey("analyzeAutomaticallyDuplicates"), qcore::Value("NO"));
    EXPECT_EQ(defaults.objectForKey("updateOccurenceIndex"), qcore::Value("1"));
    EXPECT_EQ(defaults.objectForKey("secureDeleteAlgoIndex").type(), qcore::Value::Type::Integer);
    EXPECT_EQ(defaults.objectForKey("showOSXAppsInUninstaller").type(),
              qcore::Value::Type::Integer);
    EXPECT_EQ(defaults.stringArrayForKey("directoryForAppCleaner"), Strings{"/Applications"});

    EXPECT_EQ(defaults.stringForKey("DuplicatesFinderPath"), "/home/ana/Documents/");
    EXPECT_EQ(defaults.stringForKey("LargeFilesPath"), "/home/ana/");
    const Strings excluded = defaults.stringArrayForKey("excludedDirectoryNames");
    ASSERT_EQ(excluded.size(), 13u);
    EXPECT_EQ(excluded.front(), ".DS_Store");
    EXPECT_EQ(excluded[10], "/Volumes");
    EXPECT_EQ(excluded[11], "/home/ana/.Trash");
    EXPECT_EQ(excluded[12], "/home/ana/dropbox");

    // Keys without a default stay absent.
    for (const char* key :
         {"rateDate", "pathData", "lastScanSystemTime", "directoryForPartialDownloads"})
        EXPECT_TRUE(defaults.objectForKey(key).isNull()) << key;
}

TEST(SettingsRegistry, RegistrationNeverOverridesStoredValues) {
    qcore::UserDefaults defaults("");
    defaults.setObject("searchFileMinSize", "12");
    SettingsRegistry::registerDefaults(defaults, kHome, {"en"});
    EXPECT_EQ(defaults.stringForKey("searchFileMinSize"), "12");
}

TEST(SettingsRegistry, LaunchResetsBothSearchFoldersToTheHome) {
    ScratchFolder scratch;
    const std::string store = scratch.path() + "/prefs.plist";
    {
        qcore::UserDefaults defaults(store);
        defaults.setObject("DuplicatesFinderPath", "/home/ana/Music/");
        defaults.setObject("LargeFilesPath", "/home/ana/Movies/");
        SettingsRegistry::resetSearchFolders(defaults, kHome);
    }
    const qcore::UserDefaults reread(store);
    EXPECT_EQ(reread.stringForKey("DuplicatesFinderPath"), "/home/ana/");
    EXPECT_EQ(reread.stringForKey("LargeFilesPath"), "/home/ana/");
}

TEST(SettingsRegistry, CurrentLanguageIsTheFirstPreferredCutAtDashAndBlank) {
    EXPECT_EQ(SettingsRegistry::currentLanguage({"pt-BR", "en"}), "pt");
    EXPECT_EQ(SettingsRegistry::currentLanguage({"zh Hans"}), "zh");
    EXPECT_EQ(SettingsRegistry::currentLanguage({}), "en");
}

TEST(SettingsRegistry, NorwegianBokmalListsTheOtherNorwegianCodesOnce) {
    ScratchFolder scratch;
    const std::string store = scratch.path() + "/prefs.plist";
    const Strings expected{"en", "nb", "no", "nn"};
    EXPECT_EQ(startAndRead(store, {"nb-NO"}, "arrRestrictedRootLanguage"), expected);
    EXPECT_EQ(startAndRead(store, {"nb-NO"}, "excludedLangaugeList"), expected);
    // Later starts do not grow either list.
    for (int start = 0; start < 3; ++start) {
        EXPECT_EQ(startAndRead(store, {"nb-NO"}, "arrRestrictedRootLanguage"), expected);
        EXPECT_EQ(startAndRead(store, {"nb-NO"}, "excludedLangaugeList"), expected);
    }
}

TEST(SettingsRegistry, EnglishFirstStartListsOnlyEnglish) {
    ScratchFolder scratch;
    const std::string store = scratch.path() + "/prefs.plist";
    EXPECT_EQ(startAndRead(store, {"en-GB"}, "excludedLangaugeList"), Strings{"en"});
    EXPECT_EQ(startAndRead(store, {"en-GB"}, "arrRestrictedRootLanguage"), Strings{"en"});
}

TEST(SettingsRegistry, LaterStartKeepsUserEditsAndAddsWhatIsMissing) {
    ScratchFolder scratch;
    const std::string store = scratch.path() + "/prefs.plist";
    startAndRead(store, {"de-DE"}, "excludedLangaugeList");
    {
        // The user's own edit in the preferences: English taken out, French added.
        qcore::UserDefaults defaults(store);
        defaults.setObject("excludedLangaugeList", qcore::Array{"fr"});
        defaults.synchronize();
    }
    // Now the user reads Italian: the restricted list of the last start is kept in too.
    EXPECT_EQ(startAndRead(store, {"it-IT"}, "excludedLangaugeList"),
              (Strings{"fr", "en", "de", "it"}));
    EXPECT_EQ(startAndRead(store, {"it-IT"}, "arrRestrictedRootLanguage"), (Strings{"en", "it"}));
    // And a start after that adds nothing new.
    EXPECT_EQ(startAndRead(store, {"it-IT"}, "excludedLangaugeList"),
              (Strings{"fr", "en", "de", "it"}));
}

TEST(SettingsRegistry, StoredRestrictedListWithoutExcludedListStartsFromEnglish) {
    qcore::UserDefaults defaults("");
    defaults.setObject("arrRestrictedRootLanguage", qcore::Array{"en", "es"});
    const auto lists = SettingsRegistry::computeLanguageLists(defaults, {"sv-SE"});
    EXPECT_EQ(lists.excluded, (Strings{"en", "sv", "es"}));
    EXPECT_EQ(lists.restricted, (Strings{"en", "sv"}));
}
