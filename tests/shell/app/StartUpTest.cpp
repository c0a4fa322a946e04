#include "tests/shell/support/ScratchFolder.h"

#include "shell/app/LogFile.h"
#include "shell/app/PreferredLanguages.h"
#include "shell/delegate/VersionFlags.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using qshell::PreferredLanguages;
using qshell::VersionFlags;

namespace {

PreferredLanguages::Environment environment(std::map<std::string, std::string> values) {
    return [values](const std::string& name) -> std::optional<std::string> {
        const auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    };
}

} // namespace

TEST(ShellStartUpLanguages, LocaleBecomesALanguageTag) {
    EXPECT_EQ(PreferredLanguages::toLanguageTag("nb_NO.UTF-8"), "nb-NO");
    EXPECT_EQ(PreferredLanguages::toLanguageTag("sr_RS@latin"), "sr-RS");
    EXPECT_EQ(PreferredLanguages::toLanguageTag("de"), "de");
    EXPECT_EQ(PreferredLanguages::toLanguageTag("C.UTF-8"), "");
    EXPECT_EQ(PreferredLanguages::toLanguageTag("POSIX"), "");
}

TEST(ShellStartUpLanguages, EnvironmentOrderFollowsTheLocaleRules) {
    // LC_ALL wins over LC_MESSAGES and LANG.
    EXPECT_EQ(PreferredLanguages::fromEnvironment(
                  environment({{"LC_ALL", "nb_NO.UTF-8"}, {"LANG", "en_US.UTF-8"}})),
              std::vector<std::string>{"nb-NO"});
    EXPECT_EQ(PreferredLanguages::fromEnvironment(
                  environment({{"LC_MESSAGES", "fr_CA.UTF-8"}, {"LANG", "en_US.UTF-8"}})),
              std::vector<std::string>{"fr-CA"});
    // LANGUAGE lists come first, and count only under a real locale.
    EXPECT_EQ(PreferredLanguages::fromEnvironment(
                  environment({{"LANGUAGE", "pt_BR:pt"}, {"LANG", "en_GB.UTF-8"}})),
              (std::vector<std::string>{"pt-BR", "pt", "en-GB"}));
    EXPECT_EQ(
        PreferredLanguages::fromEnvironment(environment({{"LANGUAGE", "pt_BR"}, {"LANG", "C"}})),
        std::vector<std::string>{"en"});
    EXPECT_EQ(PreferredLanguages::fromEnvironment(environment({})), std::vector<std::string>{"en"});
}

TEST(ShellStartUpVersionFlags, CatalinaSetsFifteenAndElevenFlags) {
    const VersionFlags flags = VersionFlags::fromProfile(qcore::SystemVersion(10, 15, 7));
    EXPECT_TRUE(flags.isOSX_15_AndAbove);
    EXPECT_TRUE(flags.isOSX_11_AndAbove1);
    EXPECT_FALSE(flags.isOSX_10_AndAbove1 || flags.isOSX_10_WITHSUBVERSION1);
    EXPECT_TRUE(flags.isOSXGreaterThan11);
    EXPECT_FALSE(flags.isOSXGreaterThan13);
    EXPECT_TRUE(flags.isYosemite);
    EXPECT_EQ(flags.versionText, "10.15");
}

TEST(ShellStartUpVersionFlags, YosemiteWithPatchSetsOnlyTheSubversionFlag) {
    const VersionFlags flags = VersionFlags::fromProfile(qcore::SystemVersion(10, 10, 5));
    EXPECT_TRUE(flags.isOSX_10_WITHSUBVERSION1);
    EXPECT_FALSE(flags.isOSX_7_AndAbove1 || flags.isOSX_8_AndAbove1 || flags.isOSX_9_AndAbove1 ||
                 flags.isOSX_10_AndAbove1 || flags.isOSX_11_AndAbove1 || flags.isOSX_15_AndAbove);
    EXPECT_TRUE(flags.isYosemite);
    EXPECT_FALSE(flags.isOSXGreaterThan11);

    const VersionFlags plain = VersionFlags::fromProfile(qcore::SystemVersion(10, 10, 0));
    EXPECT_TRUE(plain.isOSX_10_AndAbove1);
    EXPECT_FALSE(plain.isOSX_10_WITHSUBVERSION1);
}

TEST(ShellStartUpVersionFlags, OlderSystemsAndTheDefaultProfile) {
    EXPECT_TRUE(VersionFlags::fromProfile(qcore::SystemVersion(10, 7, 5)).isOSX_7_AndAbove1);
    EXPECT_FALSE(VersionFlags::fromProfile(qcore::SystemVersion(10, 9, 5)).isYosemite);
    // Before 10.10 there is no process-information version to ask.
    EXPECT_FALSE(VersionFlags::fromProfile(qcore::SystemVersion(10, 9, 0)).isOSXGreaterThan11);

    const VersionFlags ventura = VersionFlags::fromProfile(qcore::SystemVersion());
    EXPECT_EQ(ventura.versionText, "13.0");
    EXPECT_TRUE(ventura.isOSX_11_AndAbove1);
    EXPECT_FALSE(ventura.isOSX_15_AndAbove);
    EXPECT_TRUE(ventura.isOSXGreaterThan11);
    EXPECT_TRUE(ventura.isOSXGreaterThan13);
    // Systems after 10.x count as "Yosemite or later", as the sheet window decides.
    EXPECT_TRUE(ventura.isYosemite);
    EXPECT_FALSE(VersionFlags::fromProfile(qcore::SystemVersion(12, 6, 0)).isOSXGreaterThan13);
}

TEST(ShellStartUpLogFile, PathAndRemovalOfThePreviousRun) {
    ScratchFolder scratch;
    const std::string container = scratch.path() + "/Data";
    const std::string path = qshell::LogFile::path(container, "Quendrix");
    EXPECT_EQ(path, container + "/Library/Logs/Quendrix.log");

    EXPECT_FALSE(qshell::LogFile::removePrevious(path)); // nothing there is no error
    scratch.file("Data/Library/Logs/Quendrix.log", "last run\n");
    EXPECT_TRUE(qshell::LogFile::removePrevious(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}
