// The Uninstaller's bundle reading, leftover discovery and removal, including bundles built to
// make it delete what it must not.
#include "engine/AppBundle.h"
#include "engine/ApplicationRemover.h"
#include "engine/LeftoverFinder.h"
#include "platform/core/ScriptTask.h"
#include "tests/engine/UninstallFixtures.h"
#include "tests/platform/core/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace uninstall_fixtures;
using qengine::AppBundle;
using qengine::ApplicationRemover;
using qengine::LeftoverFinder;

namespace {

bool runningAsRoot() {
    return ::geteuid() == 0;
}

class UninstallTest : public ::testing::Test {
protected:
    std::string home() const { return dir_.path() + "/home"; }
    std::string outside() const { return dir_.path() + "/outside"; }
    std::string applications() const { return home() + "/Applications"; }

    AppBundle open(const std::string& path) const {
        std::string why;
        auto bundle = AppBundle::open(path, home(), &why);
        if (!bundle) ADD_FAILURE() << path << ": " << why;
        return bundle.value();
    }
    std::vector<std::string> foundPaths(const AppBundle& bundle) const {
        std::vector<std::string> paths;
        for (const auto& e :
             LeftoverFinder(home()).find(bundle.name(), bundle.identifier(), bundle.path()))
            paths.push_back(e.path);
        return paths;
    }

    // Lifted before the folder goes.
    void protect(const std::string& path) {
        if (!protection_.protect(path)) GTEST_SKIP() << "cannot protect " << path << " here";
    }

    TempDir dir_;
    Protection protection_;
};

TEST_F(UninstallTest, ReadsTheBundleAndNamesItAfterItsBundleNameOrFileName) {
    const auto app = makeApp(applications(), "Foo Bar.app", infoFor("Foo Bar", "com.example.foo"));
    const AppBundle bundle = open(app);
    EXPECT_EQ(bundle.path(), app);
    EXPECT_EQ(bundle.fileName(), "Foo Bar.app");
    EXPECT_EQ(bundle.name(), "foo bar");
    EXPECT_EQ(bundle.identifier(), "com.example.foo");
    EXPECT_EQ(bundle.version(), "2.1");

    // Without a usable CFBundleName: the file name, lower-cased, without its extension.
    qcore::Dictionary info = infoFor("", "com.example.other");
    info["CFBundleName"] = qcore::Array{"not", "a", "name"};
    EXPECT_EQ(open(makeApp(applications(), "Other Tool.APP", info)).name(), "other tool");

    // A link is resolved: the real bundle is what is shown and removed.
    fs::create_symlink(app, applications() + "/Alias.app");
    EXPECT_EQ(open(applications() + "/Alias.app").path(), app);
}

TEST_F(UninstallTest, RefusesWhatIsNoApplicationBundle) {
    dir_.write("home/Applications/File.app", "a plain file");
    dir_.mkdir("home/Applications/Empty.app");
    const auto fifoApp = makeApp(applications(), "Fifo.app", {});
    fs::remove(fifoApp + "/Contents/Info.plist");
    ASSERT_EQ(::mkfifo((fifoApp + "/Contents/Info.plist").c_str(), 0600), 0);
    const auto linkedInfo = makeApp(applications(), "Linked.app", {});
    fs::remove(linkedInfo + "/Contents/Info.plist");
    fs::create_symlink(dir_.write("info.plist", qcore::Value(infoFor("x", "y")).toXmlPlist()),
                       linkedInfo + "/Contents/Info.plist");
    // Nested deep enough to overflow the parser's recursion.
    const auto deep = makeApp(applications(), "Deep.app", {});
    std::string deepInfo = "<plist><dict><key>CFBundleName</key>";
    for (int i = 0; i < 65000; ++i)
        deepInfo += "<array>";
    dir_.write("home/Applications/Deep.app/Contents/Info.plist", deepInfo + "</dict></plist>");
    const auto notApp = makeApp(applications(), "Tool.bundle", infoFor("Tool", "com.t"));
    fs::create_symlink(outside(), applications() + "/Outside.app");
    fs::create_directories(outside());
    const auto holdsHome = makeApp(dir_.path(), "Holder.app", infoFor("h", "com.h"));
    fs::create_directories(holdsHome + "/home");

    for (const std::string& path :
         {applications() + "/File.app", applications() + "/Empty.app", fifoApp, linkedInfo, deep,
          notApp, applications() + "/Outside.app", std::string()})
        EXPECT_FALSE(AppBundle::open(path, home()).has_value()) << path;
    EXPECT_FALSE(AppBundle::open(holdsHome, holdsHome + "/home").has_value());
    EXPECT_TRUE(AppBundle::looksLikeApplication(fifoApp));
    EXPECT_FALSE(AppBundle::looksLikeApplication(applications() + "/File.app"));
}

TEST_F(UninstallTest, FindsTheIconFileOnlyInsideTheBundleResources) {
    qcore::Dictionary info = infoFor("Iconic", "com.example.iconic");
    info["CFBundleIconFile"] = "AppIcon";
    const auto app = makeApp(applications(), "Iconic.app", info);
    dir_.write("home/Applications/Iconic.app/Contents/Resources/AppIcon.icns", "icns");
    EXPECT_EQ(open(app).iconFilePath(), app + "/Contents/Resources/AppIcon.icns");
    EXPECT_EQ(open(app).iconData(), "icns");

    info["CFBundleIconFile"] = "../../../../outside/secret";
    dir_.write("outside/secret", "not an icon");
    EXPECT_EQ(open(makeApp(applications(), "Sneaky.app", info)).iconFilePath(), "");
    EXPECT_EQ(open(makeApp(applications(), "Plain.app", infoFor("p", "com.p"))).iconFilePath(), "");
}

TEST_F(UninstallTest, ABundleIsProtectedWhenTheUserCannotRemoveIt) {
    const auto free = makeApp(applications(), "Free.app", infoFor("f", "com.f"));
    EXPECT_FALSE(open(free).isProtected());

    const auto readOnly = makeApp(applications(), "ReadOnly.app", infoFor("r", "com.r"));
    protect(readOnly);
    EXPECT_TRUE(open(readOnly).isProtected());

    // Writable itself, but in a folder the user cannot change.
    const auto locked = makeApp(home() + "/Locked", "Inner.app", infoFor("i", "com.i"));
    protect(home() + "/Locked");
    const AppBundle inner = open(locked);
    EXPECT_TRUE(inner.isWritable());
    EXPECT_TRUE(inner.isProtected());

    EXPECT_TRUE(AppBundle::isSystemApplication("com.apple.Safari"));
    EXPECT_TRUE(AppBundle::isOwnFamily("com.morvane.tool"));
    EXPECT_FALSE(AppBundle::isOwnFamily("com.example.foo"));
}

TEST_F(UninstallTest, FindsTheSevenPlacesInOrderAndOnlyTheirExactNames) {
    const auto app = makeApp(applications(), "Foo Bar.app", infoFor("Foo Bar", "com.example.foo"));
    const auto expected = writeLeftovers(home(), "foo bar", "com.example.foo");
    // Near misses of the preferences and log rules, and names in another case.
    dir_.write("home/Library/Preferences/com.example.foo", "no extension");
    dir_.write("home/Library/Preferences/foo bar.plist", "by name");
    dir_.write("home/Library/Preferences/sub/com.example.foo.plist", "not directly there");
    dir_.write("home/Library/Logs/com.example.foo.log", "by identifier");
    dir_.write("home/Library/Logs/foo bar/run.log", "a folder, not name.log");
    dir_.write("home/Library/Caches/Foo Bar/x", "other case");

    const auto found = LeftoverFinder(home()).find("foo bar", "com.example.foo", app);
    ASSERT_EQ(found.size(), 7u);
    for (std::size_t i = 0; i < found.size(); ++i)
        EXPECT_EQ(found[i].path, expected[i]) << i;
    EXPECT_TRUE(found[1].isDir);
    EXPECT_FALSE(found[3].isDir);
    EXPECT_GT(LeftoverFinder::totalSize(found), 0u);

    // No identifier: no identifier places. A name equal to the identifier: each path once.
    EXPECT_EQ(LeftoverFinder(home()).find("foo bar", "", app).size(), 4u);
    dir_.write("home/Library/Caches/same/x", "x");
    EXPECT_EQ(LeftoverFinder(home()).find("same", "same", app).size(), 1u);
    EXPECT_TRUE(LeftoverFinder(home()).find("nothing", "com.none", app).empty());
}

TEST_F(UninstallTest, RemovesTheBundleThenItsLeftoversAndReportsWhatFailed) {
    const auto app = makeApp(applications(), "Foo.app", infoFor("Foo", "com.example.foo"));
    const auto paths = writeLeftovers(home(), "foo", "com.example.foo");
    const AppBundle bundle = open(app);
    auto leftovers = LeftoverFinder(home()).find(bundle.name(), bundle.identifier(), app);
    // One leftover swapped for a link to a folder outside after it was found.
    dir_.write("outside/keep/precious.txt", "precious");
    fs::remove_all(paths[5]);
    fs::create_symlink(outside() + "/keep", paths[5]);

    const auto outcome = ApplicationRemover::removeBundleAndLeftovers(bundle, leftovers);
    EXPECT_TRUE(outcome.bundleRemoved);
    EXPECT_FALSE(fs::exists(app));
    EXPECT_EQ(outcome.removedLeftovers.size(), 6u);
    EXPECT_EQ(outcome.failedLeftovers, std::vector<std::string>{paths[5]});
    EXPECT_TRUE(fs::exists(outside() + "/keep/precious.txt"));
    for (std::size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(fs::exists(fs::symlink_status(paths[i])), i == 5) << paths[i];
}

TEST_F(UninstallTest, ABundleThatCannotGoWholeIsLeftWholeWithEveryLeftover) {
    const auto app = makeApp(applications(), "Stuck.app", infoFor("Stuck", "com.example.stuck"));
    writeLeftovers(home(), "stuck", "com.example.stuck");
    const AppBundle bundle = open(app);
    const auto leftovers = LeftoverFinder(home()).find(bundle.name(), bundle.identifier(), app);
    protect(app + "/Contents/Resources");
    const auto before = treeSnapshot(home());

    const auto outcome = ApplicationRemover::removeBundleAndLeftovers(bundle, leftovers);
    EXPECT_FALSE(outcome.bundleRemoved);
    EXPECT_FALSE(outcome.bundleError.empty());
    EXPECT_TRUE(outcome.removedLeftovers.empty());
    EXPECT_EQ(changes(before, treeSnapshot(home())), "");
}

TEST_F(UninstallTest, TheScriptRefusesABundleItCannotRemoveAndKeepsTheLeftovers) {
    qcore::ScriptTask task(std::string(QUENDRIX_TEST_RESOURCES) + "/runScript.scpt");
    const auto held = makeApp(home() + "/System", "Held.app", infoFor("Held", "com.ex.held"));
    writeLeftovers(home(), "held", "com.ex.held");
    const AppBundle heldBundle = open(held);
    const auto heldLeftovers =
        LeftoverFinder(home()).find(heldBundle.name(), heldBundle.identifier(), held);
    protect(home() + "/System");
    const auto before = treeSnapshot(home());
    const auto refused = ApplicationRemover::removeThroughScript(task, heldBundle, heldLeftovers);
    EXPECT_FALSE(refused.bundleRemoved);
    EXPECT_EQ(changes(before, treeSnapshot(home())), "");
}

TEST_F(UninstallTest, TheScriptRemovesABundleItsOwnerMadeReadOnly) {
    if (runningAsRoot()) GTEST_SKIP() << "read-only folders do not bind root";
    qcore::ScriptTask task(std::string(QUENDRIX_TEST_RESOURCES) + "/runScript.scpt");
    const auto app = makeApp(applications(), "Locked.APP", infoFor("Locked", "com.ex.locked"));
    const auto paths = writeLeftovers(home(), "locked", "com.ex.locked");
    const AppBundle bundle = open(app);
    const auto leftovers = LeftoverFinder(home()).find(bundle.name(), bundle.identifier(), app);
    for (const char* folder : {"/Contents/Resources", "/Contents", ""})
        fs::permissions(app + folder, fs::perms::owner_write, fs::perm_options::remove);
    ASSERT_TRUE(bundle.isProtected());

    const auto outcome = ApplicationRemover::removeThroughScript(task, bundle, leftovers);
    EXPECT_TRUE(outcome.bundleRemoved) << outcome.bundleError;
    EXPECT_FALSE(fs::exists(app));
    EXPECT_EQ(outcome.removedLeftovers, paths);
}

// --- Hostile bundles: each may cost its own bundle and exact leftovers, nothing else ---------

class HostileBundle : public UninstallTest {
protected:
    void SetUp() override {
        // A Library with every standard folder holding something, and a folder outside.
        for (const char* folder :
             {"Preferences", "Caches", "Logs", "Application Support", "Containers", "Mail",
              "Safari", "Keychains", "Application Support/Google", "Caches/com.other.app"})
            dir_.write(std::string("home/Library/") + folder + "/keep.txt", folder);
        dir_.write("home/Documents/letter.txt", "dear");
        dir_.write("outside/data/important.txt", "important");
    }

    // Drops the bundle: everything it finds and removes is checked against what must stay.
    void uninstall(const std::string& app) {
        const auto homeBefore = treeSnapshot(home());
        const auto outsideBefore = treeSnapshot(outside());
        const auto bundle = AppBundle::open(app, home());
        if (bundle) {
            const auto leftovers =
                LeftoverFinder(home()).find(bundle->name(), bundle->identifier(), bundle->path());
            const auto outcome = ApplicationRemover::removeBundleAndLeftovers(*bundle, leftovers);
            EXPECT_TRUE(outcome.bundleRemoved) << app;
        }
        auto expected = homeBefore;
        if (bundle) {
            const std::string relative =
                fs::path(bundle->path()).lexically_relative(home()).string();
            std::erase_if(expected, [&](const auto& entry) {
                return entry.first == relative || entry.first.rfind(relative + "/", 0) == 0;
            });
        }
        EXPECT_EQ(changes(expected, treeSnapshot(home())), "") << app;
        EXPECT_EQ(changes(outsideBefore, treeSnapshot(outside())), "") << app;
    }

    int count_ = 0;
    std::string nextFileName() { return "Hostile" + std::to_string(++count_) + ".app"; }
};

TEST_F(HostileBundle, NamesAndIdentifiersThatAreNoSingleNameOrAStandardFolderDeleteNothing) {
    for (const std::string value :
         {"", ".", "..", "../..", "/", "a/b", "../../../outside", "Preferences", "caches", "LOGS",
          "Application Support", "application SUPPORT", "Containers", "Mail", "SAFARI", "Keychains",
          "Library", "Application Support/Google"}) {
        SCOPED_TRACE(value);
        uninstall(makeApp(applications(), nextFileName(), infoFor(value, value)));
    }
}

TEST_F(HostileBundle, ComponentsWithANulOrASlashAreNeverJoined) {
    LeftoverFinder finder(home());
    EXPECT_FALSE(finder.placePath("Caches", std::string("a\0b", 3)).has_value());
    EXPECT_FALSE(finder.placePath("", "Caches").has_value());
    EXPECT_FALSE(finder.placePath("Caches", "..").has_value());
    EXPECT_TRUE(finder.find(std::string("keep.txt\0x", 10), std::string("\0", 1), "").empty());
    EXPECT_EQ(finder.placePath("Caches", "com.example"), home() + "/Library/Caches/com.example");
}

TEST_F(HostileBundle, LinksAreRemovedAsLinksAndLinkedFoldersAreNotEntered) {
    // The bundle itself is a link to a folder that is no application.
    fs::create_directories(applications());
    fs::create_symlink(outside() + "/data", applications() + "/Data.app");
    uninstall(applications() + "/Data.app");

    // A leftover place that links outside the Library: the link goes, its target stays.
    const auto app = makeApp(applications(), "Linked.app", infoFor("Linked", "com.ex.linked"));
    fs::create_symlink(outside() + "/data", home() + "/Library/Application Support/linked");
    fs::create_symlink(outside() + "/data/important.txt", home() + "/Library/Logs/linked.log");
    auto bundle = *AppBundle::open(app, home());
    const auto leftovers = LeftoverFinder(home()).find(bundle.name(), bundle.identifier(), app);
    ASSERT_EQ(leftovers.size(), 2u);
    EXPECT_TRUE(ApplicationRemover::removeBundleAndLeftovers(bundle, leftovers).bundleRemoved);
    EXPECT_FALSE(fs::exists(fs::symlink_status(home() + "/Library/Application Support/linked")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(home() + "/Library/Logs/linked.log")));
    EXPECT_EQ(treeSnapshot(outside()).size(), 2u);

    // A standard Library folder that is itself a link to elsewhere is not looked into.
    fs::remove_all(home() + "/Library/Caches");
    dir_.write("outside/caches/com.ex.other/x", "foreign cache");
    fs::create_symlink(outside() + "/caches", home() + "/Library/Caches");
    uninstall(makeApp(applications(), "Other.app", infoFor("Other", "com.ex.other")));
}

TEST_F(HostileBundle, ABundleInsideTheLibraryNeverTakesTheFolderAroundIt) {
    // Dropped from inside the place that its own name would clear.
    const auto inSupport = makeApp(home() + "/Library/Application Support/tool", "Tool.app",
                                   infoFor("Tool", "com.ex.tool"));
    dir_.write("home/Library/Application Support/tool/settings.json", "{}");
    uninstall(inSupport);
    EXPECT_TRUE(fs::exists(home() + "/Library/Application Support/tool/settings.json"));

    // A bundle that is itself one of its leftover places.
    uninstall(makeApp(home() + "/Library/Caches", "com.ex.cached.app",
                      infoFor("Cached", "com.ex.cached.app")));
    // The Library's own folder named like an application.
    dir_.mkdir("home/Library/Fake.app/Contents");
    EXPECT_FALSE(AppBundle::open(home() + "/Library/Fake.app", home()).has_value());
    uninstall(home() + "/Library/Fake.app");
}

} // namespace
