#include "tests/shell/support/ScratchFolder.h"

#include "shell/grant/FirefoxProfileRequest.h"
#include "shell/grant/ScriptInstaller.h"

#include "engine/DataFiller.h"
#include "platform/core/Bundle.h"
#include "platform/core/MainThread.h"
#include "platform/core/ScriptTask.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <sys/stat.h>

using qcore::ScriptTask;
using qshell::FirefoxProfileRequest;
using qshell::ScriptInstaller;
namespace fs = std::filesystem;

namespace {
const std::string kScript = QUENDRIX_SCRIPT_SOURCE;
const std::string kIni = "[General]\nStartWithLastProfile=1\n\n"
                         "[Profile0]\nName=default\nIsRelative=1\nPath=Profiles/abc.first\n"
                         "Default=1\n\n"
                         "[Profile1]\nName=second\nIsRelative=1\nPath=Profiles/abc.second\r\n";
} // namespace

TEST(ShellScriptTask, ArgumentsTravelAsTheyAreNeverThroughAShell) {
    ScratchFolder scratch;
    // Echoes its arguments one per line.
    const std::string echo =
        scratch.file("echo.sh", "printf '%s\\n' \"$1\"; printf '%s\\n' \"$2\"\n");
    const std::string marker = scratch.path() + "/marker";
    const ScriptTask task(echo);
    const auto result = task.run("chock", "$(touch " + marker + "); `id` 'q\" * ;");
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.output, "chock\n$(touch " + marker + "); `id` 'q\" * ;\n");
    EXPECT_FALSE(fs::exists(marker));
}

TEST(ShellScriptTask, FailuresAreReported) {
    ScratchFolder scratch;
    EXPECT_FALSE(ScriptTask(scratch.path() + "/missing.sh").run("chock", "x").success);

    const auto failed = ScriptTask(scratch.file("fail.sh", "echo partial; exit 3\n")).run("a", "b");
    EXPECT_FALSE(failed.success);
    EXPECT_EQ(failed.exitStatus, 3);
    EXPECT_EQ(failed.output, "partial\n");

    ScriptTask slow(scratch.file("slow.sh", "sleep 5\n"));
    slow.setTimeout(std::chrono::milliseconds(200));
    const auto timedOut = slow.run("a", "b");
    EXPECT_FALSE(timedOut.success);
    EXPECT_EQ(timedOut.error, "timed out");
}

TEST(ShellScriptTask, ExecuteCallsBackOnAWorkerThread) {
    ScratchFolder scratch;
    ScriptTask task(scratch.file("hi.sh", "echo \"hi $1\"\n"));
    std::promise<std::pair<std::string, std::thread::id>> answer;
    task.execute("there", "", [&answer](const ScriptTask::Result& result) {
        answer.set_value({result.output, std::this_thread::get_id()});
    });
    const auto [output, thread] = answer.get_future().get();
    EXPECT_EQ(output, "hi there\n");
    EXPECT_NE(thread, std::this_thread::get_id());
}

TEST(ShellScriptHandlers, ChockPrintsOnlyProfilesIni) {
    ScratchFolder scratch;
    const std::string ini = scratch.file("home/.mozilla/firefox/profiles.ini", kIni);
    const ScriptTask task(kScript);
    const auto result = task.run("chock", ini);
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.output, kIni);

    EXPECT_FALSE(task.run("chock", scratch.file("home/secret.txt", "no")).success);
    EXPECT_FALSE(task.run("chock", scratch.path() + "/missing/profiles.ini").success);
    EXPECT_FALSE(task.run("nope", ini).success);
}

TEST(ShellScriptHandlers, SetSafariUrlRemovesOnlyAnApplicationBundleFolder) {
    ScratchFolder scratch;
    const ScriptTask task(kScript);
    const std::string app = scratch.folder("Applications/Tool.app");
    scratch.file("Applications/Tool.app/Contents/Info.plist", "x");
    const std::string notApp = scratch.folder("Applications/Tool");
    const std::string fileApp = scratch.file("Applications/File.app", "x");
    const std::string linkApp = scratch.path() + "/Applications/Link.app";
    fs::create_directory_symlink(notApp, linkApp);

    EXPECT_FALSE(task.run("setSafariURL", notApp).success);
    EXPECT_FALSE(task.run("setSafariURL", fileApp).success);
    EXPECT_FALSE(task.run("setSafariURL", linkApp).success);
    EXPECT_FALSE(task.run("setSafariURL", "Applications/Tool.app").success); // relative
    EXPECT_FALSE(task.run("setSafariURL", notApp + "/../Tool.app").success);
    EXPECT_FALSE(task.run("setSafariURL", "").success);
    EXPECT_TRUE(fs::exists(app) && fs::exists(notApp) && fs::exists(fileApp));

    EXPECT_TRUE(task.run("setSafariURL", app + "/").success);
    EXPECT_FALSE(fs::exists(app));
    EXPECT_TRUE(fs::exists(notApp)); // the link's target is untouched
}

TEST(ShellScriptInstaller, CopiesAndReplacesAnOlderCopy) {
    ScratchFolder scratch;
    const std::string folder = scratch.path() + "/Library/Application Scripts/app.id/";
    ASSERT_TRUE(ScriptInstaller::install(kScript, folder));
    const std::string target = ScriptInstaller::targetPath(folder);
    EXPECT_EQ(fs::file_size(target), fs::file_size(kScript));

    scratch.file("Library/Application Scripts/app.id/runScript.scpt", "old");
    ASSERT_TRUE(ScriptInstaller::install(kScript, folder));
    EXPECT_EQ(fs::file_size(target), fs::file_size(kScript));
}

TEST(ShellScriptInstaller, GivesUpAfterBoundedAttempts) {
    ScratchFolder scratch;
    // The source is missing: every attempt fails, and install returns instead of spinning.
    EXPECT_FALSE(
        ScriptInstaller::install(scratch.path() + "/missing.scpt", scratch.path() + "/scripts", 3));
    // A folder cannot be created over a file.
    const std::string blocked = scratch.file("blocked", "x");
    EXPECT_FALSE(ScriptInstaller::install(kScript, blocked + "/scripts"));
}

TEST(ShellFirefoxProfiles, PrefersTheHomeLibraryFolderElseTheLinuxOne) {
    ScratchFolder scratch;
    const std::string home = scratch.folder("home");
    EXPECT_EQ(FirefoxProfileRequest::profilesIniPath(home),
              home + "/.mozilla/firefox/profiles.ini");
    scratch.file("home/Library/Application Support/Firefox/profiles.ini", kIni);
    EXPECT_EQ(FirefoxProfileRequest::firefoxFolder(home),
              home + "/Library/Application Support/Firefox/");
}

TEST(ShellFirefoxProfiles, TheScriptAnswerFillsTheEngineListOnTheMainThread) {
    ScratchFolder scratch;
    const std::string home = scratch.folder("home");
    scratch.file("home/.mozilla/firefox/profiles.ini", kIni);
    qcore::ManualMainThread mainThread;
    qengine::DataFiller engine{qcore::Bundle(QUENDRIX_TEST_RESOURCES)};
    engine.setArrMozilaProfilePath({"stale"});

    ScriptTask task(kScript);
    FirefoxProfileRequest::startForEngine(task, home, engine, mainThread);
    EXPECT_TRUE(engine.arrMozilaProfilePath().empty());
    ASSERT_TRUE(mainThread.runUntil([&] { return !engine.arrMozilaProfilePath().empty(); }));
    // Both profiles, the one marked default included, joined to the Firefox folder.
    EXPECT_EQ(engine.arrMozilaProfilePath(),
              (std::vector<std::string>{home + "/.mozilla/firefox/Profiles/abc.first",
                                        home + "/.mozilla/firefox/Profiles/abc.second"}));
}

TEST(ShellFirefoxProfiles, NoFileLeavesTheListEmpty) {
    ScratchFolder scratch;
    ScriptTask task(kScript);
    std::promise<std::vector<std::string>> delivered;
    FirefoxProfileRequest::start(task, scratch.folder("home"),
                                 [&](std::vector<std::string> f) { delivered.set_value(f); });
    EXPECT_TRUE(delivered.get_future().get().empty());
}
