#include "engine/FirefoxProfiles.h"
#include "tests/platform/core/TempDir.h"

#include <gtest/gtest.h>

using qengine::FirefoxProfiles;
using Strings = std::vector<std::string>;

namespace {

const std::string kFolder = "/home/u/Library/Application Support/Firefox";

Strings profiles(const std::string& text) {
    return FirefoxProfiles::profilePaths(text, kFolder);
}

} // namespace

TEST(FirefoxProfilesParsing, SectionsKeysAndValuesAreTrimmedAndKeptInFileOrder) {
    const auto sections = FirefoxProfiles::getDictionary("\xEF\xBB\xBF"
                                                         "ignored=before any section\r\n"
                                                         "[ General ]\r\n"
                                                         "  StartWithLastProfile = 1 \r\n"
                                                         "\r\n"
                                                         "; a comment = not a key\r\n"
                                                         "# another = comment\r\n"
                                                         "no equals sign here\r\n"
                                                         "[Profile0]\r\n"
                                                         "Name=a=b\r\n"
                                                         "Name=c=d\r\n");
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].name, "General");
    EXPECT_EQ(sections[0].values,
              (std::map<std::string, std::string>{{"StartWithLastProfile", "1"}}));
    EXPECT_EQ(sections[1].name, "Profile0");
    // Split at the first "=": a later equal key replaces an earlier one.
    EXPECT_EQ(sections[1].values, (std::map<std::string, std::string>{{"Name", "c=d"}}));
}

TEST(FirefoxProfilesParsing, RepeatedSectionStartsAfreshAndBracketsInValuesOpenNothing) {
    const auto sections = FirefoxProfiles::getDictionary("[Profile0]\n"
                                                         "Name=old\n"
                                                         "Path=Profiles/a[1]\n"
                                                         "[Profile1]\n"
                                                         "Name=other\n"
                                                         "[Profile0]\n"
                                                         "Path=Profiles/new\n");
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].name, "Profile0");
    EXPECT_EQ(sections[0].values, (std::map<std::string, std::string>{{"Path", "Profiles/new"}}));
    EXPECT_EQ(sections[1].name, "Profile1");
    EXPECT_TRUE(FirefoxProfiles::getDictionary("").empty());
}

TEST(FirefoxProfilesSelection, CurrentLayoutListsEveryProfileAlsoTheOneMarkedDefault) {
    const std::string ini = "[Install4F96D1932A9F858E]\n"
                            "Default=Profiles/xyz.default-release\n"
                            "Locked=1\n"
                            "\n"
                            "[Profile1]\n"
                            "Name=default\n"
                            "IsRelative=1\n"
                            "Path=Profiles/abc.default\n"
                            "Default=1\n"
                            "\n"
                            "[Profile0]\n"
                            "Name=default-release\n"
                            "IsRelative=1\n"
                            "Path=Profiles/xyz.default-release\n"
                            "\n"
                            "[BackgroundTasksProfiles]\n"
                            "MozillaBackgroundTask-123=abc.background\n"
                            "\n"
                            "[General]\n"
                            "StartWithLastProfile=1\n"
                            "Version=2\n"
                            "Path=Profiles/not-a-profile\n";
    EXPECT_EQ(profiles(ini), (Strings{kFolder + "/Profiles/abc.default",
                                      kFolder + "/Profiles/xyz.default-release"}));
}

TEST(FirefoxProfilesSelection, RelativeAndAbsolutePathsFollowIsRelative) {
    const std::string ini = "[Profile0]\nIsRelative=1\nPath=Profiles/rel.one/\n"
                            "[Profile1]\nIsRelative=0\nPath=/data/firefox/abs.two\n"
                            "[Profile2]\nPath=Profiles/./implicit.three\n"
                            "[Profile3]\nIsRelative=0\nPath=relative/but/marked/absolute\n"
                            "[Profile4]\nIsRelative=1\nPath=/odd/leading/slash\n";
    EXPECT_EQ(profiles(ini),
              (Strings{kFolder + "/Profiles/rel.one", "/data/firefox/abs.two",
                       kFolder + "/Profiles/implicit.three", kFolder + "/odd/leading/slash"}));
}

TEST(FirefoxProfilesSelection, SectionsWithoutUsablePathAreSkippedAndFoldersListedOnce) {
    const std::string ini = "[Profile0]\nName=no path\n"
                            "[Profile1]\nPath=\n"
                            "[Profile2]\nPath=Profiles/same\n"
                            "[Profile3]\nPath=Profiles/same/\n"
                            "[Profile4]\nPath=Profiles/second\n";
    EXPECT_EQ(profiles(ini), (Strings{kFolder + "/Profiles/same", kFolder + "/Profiles/second"}));
    EXPECT_TRUE(profiles("").empty());
    EXPECT_EQ(profiles("[Profile0]\nDefault=1\nPath=Profiles/only\n"),
              Strings{kFolder + "/Profiles/only"});
    EXPECT_TRUE(profiles("[OldProfile]\nPath=Profiles/not-at-the-start\n").empty());
}

TEST(FirefoxProfilesSelection, ReadsTheHomesProfilesIni) {
    TempDir home;
    EXPECT_TRUE(FirefoxProfiles::readProfilePaths(home.path()).empty());

    home.write("Library/Application Support/Firefox/profiles.ini",
               "[Profile0]\r\nName=x\r\nIsRelative=1\r\nPath=Profiles/abc.second\r\n");
    EXPECT_EQ(FirefoxProfiles::profilesIniPath(home.path()),
              home.path() + "/Library/Application Support/Firefox/profiles.ini");
    EXPECT_EQ(FirefoxProfiles::readProfilePaths(home.path()),
              Strings{home.path() + "/Library/Application Support/Firefox/Profiles/abc.second"});
}
