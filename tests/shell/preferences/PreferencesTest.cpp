#include "shell/preferences/MyPrefsPanes.h"
#include "shell/preferences/NumericPreferenceField.h"
#include "shell/preferences/PreferenceModel.h"
#include "shell/preferences/PrefsToolbarModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

using namespace qshell;
using Field = PreferenceModel::Field;
using FolderList = PreferenceModel::FolderList;

namespace {

qcore::Dictionary table() {
    qcore::Dictionary common{{"ID_MNAME_DUPLICATES_FINDER", "Duplicates"},
                             {"ID_MNAME_PARTIAL_DOWNLOADS", "Partial"},
                             {"ID_MNAME_UNINSTALLER", "Uninstaller"},
                             {"ID_MNAME_LARGE_FILES", "Large"},
                             {"ID_MNAME_OLD_DOWNLOADS", "Old"},
                             {"ID_OK", "OK"},
                             {"ID_SELECT", "Choose"},
                             {"ID_INVALID_DIR", "Invalid folder"},
                             {"ID_EXISTING_DIR", "Pick an existing folder"},
                             {"ID_DIR_ALREADY_INCLUDED", "Already listed"},
                             {"ID_DAY", "Day"},
                             {"ID_WEEK", "Week"},
                             {"ID_MONTH", "Month"},
                             {"ID_YEAR", "Year"},
                             {"ID_RESET_DEFAULTS", "Reset"}};
    return {{"[GRP_CMN]", common}};
}

struct Prefs : ::testing::Test {
    qcore::UserDefaults defaults{""};
    qcore::NotificationCenter center;
    PrefsTexts texts{table()};
    std::set<std::string> folders{"/home/u/Music", "/opt/data"};
    std::vector<qcore::Notification> posted;
    PreferenceModel model{defaults, "/home/u", texts, center,
                          [this](const std::string& p) { return folders.contains(p); }};

    Prefs() {
        center.addObserver(this, "", [this](const qcore::Notification& n) { posted.push_back(n); });
        defaults.registerDefaults({{"searchFileMinSize", "4"},
                                   {"searchFileMinSize_LargeM", "1"},
                                   {"oldDownloadsValue", "2"},
                                   {"partialDownloadsValue", "1"},
                                   {"excludedDirectoryNames", qcore::Array{".git", "/Volumes"}}});
        model.loadPrefsToNib();
    }
};

} // namespace

// --- Numeric fields ----------------------------------------------------------------------------

TEST(ShellNumericPreferenceField, AcceptsLeadingPositiveNumbersWithinRange) {
    using W = NumericPreferenceField::Width;
    EXPECT_EQ(NumericPreferenceField::acceptedText("", W::Bits64), "0");
    EXPECT_EQ(NumericPreferenceField::acceptedText("0", W::Bits64), "0");
    EXPECT_EQ(NumericPreferenceField::acceptedText("007", W::Bits64), "7");
    EXPECT_EQ(NumericPreferenceField::acceptedText("12ab", W::Bits64), "12");
    EXPECT_FALSE(NumericPreferenceField::acceptedText("00", W::Bits64));
    EXPECT_FALSE(NumericPreferenceField::acceptedText("abc", W::Bits64));
    EXPECT_FALSE(NumericPreferenceField::acceptedText("-5", W::Bits64));
    EXPECT_FALSE(NumericPreferenceField::acceptedText("99999999999999999999", W::Bits64));
    EXPECT_FALSE(NumericPreferenceField::acceptedText("2147483648", W::Bits32));
    EXPECT_EQ(NumericPreferenceField::acceptedText("2147483647", W::Bits32), "2147483647");
}

TEST(ShellNumericPreferenceField, LargestValueStillFitsWhenShiftedToGigabytes) {
    for (const auto w :
         {NumericPreferenceField::Width::Bits32, NumericPreferenceField::Width::Bits64}) {
        const auto max = static_cast<std::uint64_t>(NumericPreferenceField::maximum(w));
        EXPECT_EQ((max << 30) >> 30, max);
        EXPECT_TRUE(NumericPreferenceField::acceptedText(std::to_string(max), w));
        EXPECT_FALSE(NumericPreferenceField::acceptedText(std::to_string(max + 1), w));
    }
}

TEST_F(Prefs, EachFieldKeepsItsOwnLastValidText) {
    EXPECT_EQ(model.field(Field::LargeMusic).lastValidValue(), "1");
    const auto typed = model.textDidChange(Field::LargeMusic, "64");
    EXPECT_EQ(typed.fieldText, "64");
    EXPECT_EQ(defaults.stringForKey("searchFileMinSize_LargeM"), "64");
    const auto letters = model.textDidChange(Field::LargeMusic, "xyz");
    EXPECT_FALSE(letters.wroteSetting);
    EXPECT_EQ(letters.fieldText, "64");
    EXPECT_EQ(model.textDidChange(Field::LargeMusic, "-3").fieldText, "64");
    EXPECT_EQ(model.field(Field::DupMinSize).lastValidValue(), "4") << "other fields untouched";

    const auto cleared = model.textDidChange(Field::OldDownloads, "");
    EXPECT_EQ(cleared.fieldText, "0");
    EXPECT_EQ(defaults.stringForKey("oldDownloadsValue"), "0");
    EXPECT_EQ(model.setIntValueInDup("5x").fieldText, "5");
    EXPECT_EQ(model.setIntValueInDup("junk").fieldText, "5") << "the field's action is checked too";
    EXPECT_EQ(defaults.stringForKey("searchFileMinSize"), "5");
}

// --- Resets ------------------------------------------------------------------------------------

TEST_F(Prefs, ResetsWriteTheDefaultsAndReloadTheirFields) {
    model.textDidChange(Field::OldDownloads, "9");
    model.resetDefaultsMisc();
    EXPECT_EQ(defaults.stringForKey("oldDownloadsValue"), "2");
    EXPECT_EQ(defaults.stringForKey("oldDownloadsUnit"), "2");
    EXPECT_EQ(model.field(Field::OldDownloads).lastValidValue(), "2");

    model.resetDefaultsLarge();
    EXPECT_EQ(defaults.stringForKey("LargeFilesPath"), "/home/u/");
    EXPECT_EQ(defaults.stringForKey("searchFileMinSize_LargeV"), "25");
    EXPECT_EQ(defaults.stringForKey("searchSizeUnit_LargeP"), "2");
    EXPECT_EQ(model.field(Field::LargeMinSize).lastValidValue(), "50");

    model.resetDefaultsLang();
    EXPECT_EQ(defaults.stringForKey("partialDownloadsUnit"), "2");
    EXPECT_EQ(model.field(Field::PartialDownloads).lastValidValue(), "1");

    model.resetDefaultsBin();
    EXPECT_EQ(defaults.stringArrayForKey("directoryForAppCleaner"),
              std::vector<std::string>{"/Applications"});
    model.resetDefaultsUninst();
    EXPECT_EQ(defaults.objectForKey("showOSXAppsInUninstaller"), qcore::Value("0"));
    model.resetDefaultsGen();
    EXPECT_EQ(defaults.stringForKey("SUAllowsAutomaticUpdates"), "1");
}

TEST_F(Prefs, DuplicatesResetRestoresTheListAndTellsThePage) {
    model.resetDefaultsDup();
    const auto list = defaults.stringArrayForKey("excludedDirectoryNames");
    ASSERT_EQ(list.size(), 13u);
    EXPECT_EQ(list.front(), ".DS_Store");
    EXPECT_EQ(list[11], "/home/u/.Trash");
    EXPECT_EQ(list.back(), "/home/u/dropbox");
    EXPECT_EQ(defaults.stringForKey("DuplicatesFinderPath"), "/home/u/Documents/");
    EXPECT_EQ(defaults.stringForKey("analyzeAutomaticallyDuplicates"), "NO");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].name, "ResetDefaultsNotification");
    EXPECT_EQ(posted[0].info("notificationGroup"), "Duplicates Finder");
}

TEST_F(Prefs, ShredIndexOutsideItsRangeIsRewrittenAsZero) {
    defaults.setObject("secureDeleteAlgoIndex", std::int64_t{7});
    model.loadPrefsShredToNib();
    EXPECT_EQ(model.secureDeleteAlgoIndex(), 0);
    EXPECT_EQ(defaults.integerForKey("secureDeleteAlgoIndex"), 0);
    model.changeSecureDeleteAlgo(2);
    model.changeSecureDeleteAlgo(5);
    EXPECT_EQ(defaults.integerForKey("secureDeleteAlgoIndex"), 2);
    model.resetDefaultsAll();
    EXPECT_EQ(model.secureDeleteAlgoIndex(), 0);
    EXPECT_EQ(posted.size(), 1u) << "the Duplicates reset is the only one that posts";
}

TEST_F(Prefs, UpdateChoicesAndTheDiskUsageSwitchOnlyStoreTheirKeys) {
    model.automaticAnalyzeDiskUsage(1);
    EXPECT_EQ(defaults.stringForKey("analyzeAutomaticallyDiskUsage"), "1");
    EXPECT_EQ(model.analyzeAutomaticallyDiskUsage(), 1);
    model.automaticUpdateChecks(0);
    EXPECT_EQ(defaults.stringForKey("SUEnableAutomaticChecks"), "0");
    EXPECT_FALSE(model.automaticUpdateChecksEnabled());

    model.changeUpdateOccurence(3);
    EXPECT_EQ(defaults.stringForKey("updateOccurenceIndex"), "3");
    model.changeUpdateOccurence(4);
    model.changeUpdateOccurence(-1);
    EXPECT_EQ(model.updateOccurenceIndex(), 3) << "only the pop-up's four positions";
    defaults.setObject("updateOccurenceIndex", "9");
    EXPECT_EQ(model.updateOccurenceIndex(), 0);

    model.resetDefaultsGen();
    EXPECT_EQ(model.updateOccurenceIndex(), 1);
    EXPECT_TRUE(model.automaticUpdateChecksEnabled());
    EXPECT_EQ(model.analyzeAutomaticallyDiskUsage(), 1) << "no reset touches it";
    EXPECT_TRUE(posted.empty());
}

// --- Folder lists ------------------------------------------------------------------------------

TEST_F(Prefs, TypedNamesAreCheckedExpandedAndKeptUnique) {
    model.addFolderToDuplicates();
    EXPECT_EQ(model.selectDirName("   \n"), PreferenceModel::DirNameResult::KeepSheetOpen);
    EXPECT_EQ(model.selectDirName(".GIT"), PreferenceModel::DirNameResult::AlreadyIncluded);
    EXPECT_EQ(model.selectDirName("~/Music"), PreferenceModel::DirNameResult::Added);
    EXPECT_EQ(model.selectDirName("~/Nowhere"), PreferenceModel::DirNameResult::InvalidFolder);
    EXPECT_EQ(model.selectDirName("/opt/data/~/x"), PreferenceModel::DirNameResult::InvalidFolder)
        << "a ~/ inside a path is not expanded";
    EXPECT_EQ(model.selectDirName(" node_modules "), PreferenceModel::DirNameResult::Added);
    const std::vector<std::string> expected{".git", "/Volumes", "/home/u/Music", "node_modules"};
    EXPECT_EQ(model.folders(FolderList::ExcludedNames), expected);
    EXPECT_EQ(PreferenceModel::expandHome("a/~/b", "/h"), "a/~/b");
    EXPECT_EQ(model.alreadyIncludedAlert().message, "Already listed");
    EXPECT_EQ(model.invalidFolderAlert().informative, "Pick an existing folder");
}

TEST_F(Prefs, PanelsAddToTheListTheyWereOpenedFor) {
    const auto large = model.changeLargeFilesPath();
    EXPECT_EQ(large.startFolder, "/home/u/");
    EXPECT_TRUE(model.openPanelDidEnd(true, "/data/big"));
    EXPECT_EQ(defaults.stringForKey("LargeFilesPath"), "/data/big");

    EXPECT_EQ(model.addFolderToAppCleaner().startFolder, "/Applications");
    EXPECT_TRUE(model.openPanelDidEnd(true, "/opt/apps"));
    EXPECT_FALSE(model.openPanelDidEnd(true, "/OPT/APPS")) << "listed, ignoring case";
    EXPECT_FALSE(model.openPanelDidEnd(false, "/srv"));
    EXPECT_EQ(model.folders(FolderList::AppCleaner), std::vector<std::string>{"/opt/apps"});

    const auto browse = model.showOpenPanel();
    EXPECT_EQ(browse.key, "excludedDirectoryNames");
    EXPECT_EQ(browse.startFolder, "/home/u/Public");
    EXPECT_EQ(browse.prompt, "Choose");
}

TEST_F(Prefs, RemovingNeedsASelectedRow) {
    defaults.setObject("directoryForPartialDownloads", qcore::Array{"/a", "/b", "/c"});
    EXPECT_FALSE(model.removeFolder(FolderList::PartialDownloads, std::nullopt));
    EXPECT_FALSE(model.removeFolder(FolderList::PartialDownloads, 3));
    EXPECT_TRUE(model.removeFolder(FolderList::PartialDownloads, 1));
    EXPECT_EQ(model.folders(FolderList::PartialDownloads), (std::vector<std::string>{"/a", "/c"}));
}

// --- Languages, logs, texts --------------------------------------------------------------------

TEST_F(Prefs, LanguageRowsFollowTheExcludedAndRestrictedLists) {
    defaults.setObject("excludedLangaugeList", qcore::Array{"en", "de"});
    defaults.setObject("arrRestrictedRootLanguage", qcore::Array{"en"});
    model.fillLanguagesList({"fr", "de", "en"}, [](const std::string& c) { return "name-" + c; });
    const auto& rows = model.languages().rows();
    std::vector<std::string> ids;
    for (const auto& r : rows)
        ids.push_back(r.langID);
    EXPECT_EQ(ids, (std::vector<std::string>{"de", "en", "en-gb", "en-uk", "en-us", "fr"}));
    EXPECT_EQ(rows[4].checkState, 1) << "en-us is checked when en is excluded";
    EXPECT_EQ(rows[5].checkState, 0);
    EXPECT_EQ(rows[0].langName, "name-de");

    EXPECT_FALSE(model.setLanguageCheckState(2, 0)) << "restricted: EN-GB begins with EN";
    EXPECT_EQ(model.languages().rows()[2].checkState, 1);
    EXPECT_TRUE(model.setLanguageCheckState(5, 1));
    EXPECT_FALSE(model.setLanguageCheckState(99, 1));
    EXPECT_EQ(defaults.stringArrayForKey("excludedLangaugeList"),
              (std::vector<std::string>{"de", "en", "en-gb", "en-uk", "en-us", "fr"}));
}

TEST(ShellPreferenceLanguages, SystemCodesAreLanguagesNotLocaleNames) {
    const auto codes = PreferenceLanguages::systemLanguageCodes();
    ASSERT_FALSE(codes.empty());
    EXPECT_NE(std::find(codes.begin(), codes.end(), "fr"), codes.end());
    for (const std::string& code : codes) {
        EXPECT_TRUE(PreferenceLanguages::isLanguageCode(code)) << code;
        EXPECT_NE(PreferenceLanguages::displayName(code), "Default") << code;
    }
    for (const char* locale : {"C", "POSIX", ""})
        EXPECT_FALSE(PreferenceLanguages::isLanguageCode(locale)) << locale;
}

TEST_F(Prefs, SendLogsAndTexts) {
    model.sendLogs("me@example.com");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].name, "SendLogsNotification");
    EXPECT_EQ(posted[0].info("emailid"), "me@example.com");
    EXPECT_EQ(model.updateOccurencePopupData(),
              (std::vector<std::string>{"Day", "Week", "Month", "Year"}));
    EXPECT_EQ(model.preferenceSizeUnitPopupData().front(), "NA");
    const auto& tokens = PreferenceModel::languageTokenTable();
    EXPECT_EQ(model.textFor(tokens.front()), "Reset");
    EXPECT_EQ(PrefsTexts(table()).getTokenForGroup("GRP_CMN", "ID MNAME"), "NA")
        << "keys are used as given";
}

// --- Window and panes --------------------------------------------------------------------------

TEST(ShellPrefsWindow, PanesAreKeyedByModuleEvenWhenLabelsCollide) {
    const PrefsTexts empty{qcore::Dictionary{}};
    PrefsToolbarModel toolbar;
    EXPECT_THROW(toolbar.beginShowing(), std::logic_error);
    MyPrefsPanes::setupToolbar(toolbar, empty);
    ASSERT_EQ(toolbar.items().size(), 5u);
    EXPECT_EQ(toolbar.items()[4].label, "NA");
    EXPECT_EQ(toolbar.beginShowing().identifier, "Duplicates Finder");
    EXPECT_EQ(toolbar.displayViewForIdentifier("Old Downloads")->identifier, "Old Downloads");
    EXPECT_EQ(toolbar.displayViewForIdentifier("Uninstaller")->identifier, "Uninstaller");
    EXPECT_THROW(toolbar.addView("", "x", "x"), std::invalid_argument);
}

TEST(ShellPrefsWindow, SwitchingToTheShownPaneChangesNothing) {
    const PrefsTexts texts{table()};
    PrefsToolbarModel toolbar;
    MyPrefsPanes::setupToolbar(toolbar, texts);
    toolbar.beginShowing();
    EXPECT_EQ(toolbar.windowTitle(), "Duplicates");
    EXPECT_FALSE(toolbar.displayViewForIdentifier("Duplicates Finder"));
    EXPECT_FALSE(toolbar.displayViewForIdentifier("Nope"));
    ASSERT_TRUE(toolbar.displayViewForIdentifier("Large Files"));
    EXPECT_EQ(toolbar.windowTitle(), "Large");
    EXPECT_EQ(toolbar.items()[1].image, "Partial Downloads");

    // Opening again rebuilds the panes and starts on the first one.
    toolbar.clear();
    MyPrefsPanes::setupToolbar(toolbar, texts);
    EXPECT_EQ(toolbar.beginShowing().identifier, "Duplicates Finder");
    EXPECT_EQ(toolbar.current(), "Duplicates Finder");
}

TEST(ShellPrefsWindow, FrameFitsThePaneAndKeepsTheTopEdge) {
    const PrefsFrame window{100, 200, 1000, 1078};
    const PrefsFrame f = PrefsToolbarModel::frameForView(window, 1000, 480, 300);
    EXPECT_EQ(f, (PrefsFrame{100, 900, 480, 378}));
    EXPECT_EQ(f.y + f.height, window.y + window.height);
    EXPECT_EQ(PrefsToolbarModel::paneOriginY(1000, 300), 700);
}
