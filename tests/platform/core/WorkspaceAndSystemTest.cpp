#include "platform/core/Bundle.h"
#include "platform/core/Digest.h"
#include "platform/core/FileManager.h"
#include "platform/core/SystemVersion.h"
#include "platform/core/Workspace.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace qcore;
namespace fs = std::filesystem;

TEST(Md5, KnownDigestsAndStreaming) {
    EXPECT_EQ(Md5::ofString(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5::ofString("The quick brown fox jumps over the lazy dog"),
              "9e107d9d372bb6826bd81d3542a419d6");
    Md5 streamed;
    streamed.update("The quick brown fox ", 20);
    streamed.update("jumps over the lazy dog", 23);
    EXPECT_EQ(streamed.finishHex(), "9e107d9d372bb6826bd81d3542a419d6");
}

TEST(SystemVersion, AnswersAsTheOriginalSystemWould) {
    const SystemVersion ventura; // the default profile
    EXPECT_EQ(ventura.major(), 13);
    EXPECT_EQ(ventura.sysv(), 0x1099);
    EXPECT_TRUE(ventura.hasVisualEffectView());
    EXPECT_GE(ventura.appKitVersionNumber(), 1343);

    const SystemVersion snowLeopard(10, 6, 8);
    EXPECT_EQ(snowLeopard.sysv(), 0x1068);
    EXPECT_FALSE(snowLeopard.hasVisualEffectView());
    EXPECT_LT(snowLeopard.appKitVersionNumber(), 1343);
    EXPECT_EQ(SystemVersion(10, 10, 5).appKitVersionNumber(), 1343);
    EXPECT_EQ(SystemVersion(10, 13, 4).sysv(), 0x1094); // minor saturates at 9

    EXPECT_FALSE(SystemVersion::operatingSystemName().empty());
}

TEST(Workspace, PackagesAndRunningApplicationsFromAProcTree) {
    TempDir dir;
    dir.mkdir("Tool.app/Contents");
    dir.mkdir("Notes.rtfd");
    dir.write("plain.app", "a file is no package");
    EXPECT_TRUE(Workspace::isFilePackage(dir.file("Tool.app")));
    EXPECT_TRUE(Workspace::isFilePackage(dir.file("Notes.rtfd")));
    EXPECT_FALSE(Workspace::isFilePackage(dir.file("plain.app")));
    EXPECT_FALSE(Workspace::isFilePackage(dir.path()));

    // A fake /proc: one browser, one process inside an .app bundle, one kernel thread.
    const std::string bundle = dir.mkdir("apps/Editor.app/Contents/MacOS");
    dir.write("apps/Editor.app/Contents/Info.plist",
              R"(<?xml version="1.0"?><plist version="1.0"><dict>
                 <key>CFBundleIdentifier</key><string>com.example.Editor</string>
                 <key>CFBundleName</key><string>Editor</string></dict></plist>)");
    dir.write("apps/Editor.app/Contents/MacOS/editor", "");
    dir.write("apps/firefox-esr", "");
    dir.mkdir("proc/100");
    fs::create_symlink(dir.file("apps/firefox-esr"), dir.file("proc/100/exe"));
    dir.write("proc/100/comm", "firefox-esr\n");
    dir.mkdir("proc/200");
    fs::create_symlink(bundle + "/editor", dir.file("proc/200/exe"));
    dir.write("proc/200/comm", "editor\n");
    dir.mkdir("proc/2");
    dir.mkdir("proc/self");

    Workspace::setProcRootForTesting(dir.file("proc"));
    const auto apps = Workspace::runningApplications();
    Workspace::setProcRootForTesting("");
    ASSERT_EQ(apps.size(), 2u);
    EXPECT_EQ(apps[0].pid, 100);
    EXPECT_EQ(apps[0].bundleIdentifier, "org.mozilla.firefox");
    EXPECT_EQ(apps[0].name, "Firefox");
    EXPECT_EQ(apps[1].bundleIdentifier, "com.example.Editor");
    EXPECT_EQ(apps[1].name, "Editor");
    EXPECT_EQ(apps[1].bundlePath, dir.file("apps/Editor.app"));

    EXPECT_FALSE(Workspace::runningApplications().empty()); // this very test runs
    EXPECT_FALSE(Workspace::applicationPathForBundleIdentifier("com.example.none"));
}

TEST(Bundle, FindsInfoAndResources) {
    TempDir dir;
    dir.write("Info.plist", R"(<?xml version="1.0"?><plist version="1.0"><dict>
        <key>CFBundleIdentifier</key><string>com.quendrix.test</string>
        <key>CFBundleName</key><string>Quendrix</string></dict></plist>)");
    dir.write("SettingsList.plist", "<plist><dict/></plist>");
    const Bundle bundle(dir.path());
    EXPECT_EQ(bundle.bundleIdentifier(), "com.quendrix.test");
    EXPECT_EQ(bundle.bundleName(), "Quendrix");
    EXPECT_EQ(bundle.pathForResource("SettingsList", "plist"), dir.file("SettingsList.plist"));
    EXPECT_FALSE(bundle.pathForResource("Missing", "plist"));
    EXPECT_EQ(bundle.infoString("CFBundleVersion"), "");
}
