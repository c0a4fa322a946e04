#include "tests/shell/support/ScratchFolder.h"

#include "shell/common/ShellNotifications.h"
#include "shell/grant/FolderBookmark.h"
#include "shell/grant/HomeGrant.h"

#include "platform/core/MainThread.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

using qshell::FolderBookmark;
using qshell::HomeGrant;
using qshell::HomeGrantPresenter;
namespace fs = std::filesystem;

namespace {

// Plays the user: answers each folder panel from a script and records what was shown.
class ScriptedPresenter : public HomeGrantPresenter {
public:
    struct Answer {
        PanelResult result;
        std::optional<std::string> folder;
    };
    std::deque<Answer> answers;
    std::vector<std::string> events;

    void showSheet(const std::string& homePath) override { events.push_back("sheet " + homePath); }
    void closeSheet() override { events.push_back("close"); }
    void beginFolderPanel(const std::string& start, PanelCompletion completion) override {
        events.push_back("panel " + start);
        ASSERT_FALSE(answers.empty());
        const Answer answer = answers.front();
        answers.pop_front();
        completion(answer.result, answer.folder);
    }
    void showMismatchAlert(const std::string& message, const std::string&) override {
        events.push_back("alert " + message);
    }
    void quit() override { events.push_back("quit"); }
};

struct HomeGrantFlow : ::testing::Test {
    ScratchFolder scratch;
    std::string home = scratch.folder("home/ana");
    std::string store = scratch.path() + "/prefs.plist";
    qcore::ManualMainThread mainThread;
    qcore::NotificationCenter center;
    ScriptedPresenter presenter;
    std::vector<std::string> granted;

    std::unique_ptr<HomeGrant> makeGrant(qcore::UserDefaults& defaults) {
        auto grant = std::make_unique<HomeGrant>(
            defaults, home, presenter, [this](const std::string& f) { granted.push_back(f); },
            center);
        grant->observe(mainThread);
        return grant;
    }
};

} // namespace

TEST(HomeGrantBookmark, ResolvesOnlyWhileTheSameFolderIsThere) {
    ScratchFolder scratch;
    const std::string folder = scratch.folder("home/ana");
    const auto bookmark = FolderBookmark::create(folder);
    ASSERT_TRUE(bookmark);

    const auto reread = FolderBookmark::fromData(bookmark->data());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->path(), folder);
    EXPECT_EQ(reread->resolve(), folder);

    // Moved away and replaced by a new folder of the same name: no longer the granted folder.
    fs::rename(folder, scratch.path() + "/home/old-ana");
    EXPECT_FALSE(reread->resolve());
    scratch.folder("home/ana");
    EXPECT_FALSE(reread->resolve());

    // A link put in its place does not resolve either, even to the original folder.
    fs::remove(folder);
    fs::create_directory_symlink(scratch.path() + "/home/old-ana", folder);
    EXPECT_FALSE(reread->resolve());
}

TEST(HomeGrantBookmark, RefusesFilesAndForeignData) {
    ScratchFolder scratch;
    EXPECT_FALSE(FolderBookmark::create(scratch.file("a-file", "x")));
    EXPECT_FALSE(FolderBookmark::create(scratch.path() + "/missing"));
    EXPECT_FALSE(FolderBookmark::fromData({}));
    const std::string junk = "<plist><dict><key>path</key><string>/x</string></dict></plist>";
    EXPECT_FALSE(FolderBookmark::fromData(qcore::Data(junk.begin(), junk.end())));
}

TEST(HomeGrantMatch, CanonicalPathsMustMatchExactly) {
    ScratchFolder scratch;
    const std::string home = scratch.folder("home/ana");
    const std::string upper = scratch.folder("home/ANA"); // a different folder here
    fs::create_directory_symlink(home, scratch.path() + "/link-to-ana");

    EXPECT_TRUE(HomeGrant::isHomeFolder(home, home));
    EXPECT_TRUE(HomeGrant::isHomeFolder(home + "/", home));
    EXPECT_TRUE(HomeGrant::isHomeFolder(scratch.path() + "/home/./ana", home));
    EXPECT_TRUE(HomeGrant::isHomeFolder(scratch.path() + "/link-to-ana", home));
    EXPECT_FALSE(HomeGrant::isHomeFolder(upper, home));
    EXPECT_FALSE(HomeGrant::isHomeFolder(scratch.path() + "/home", home));
    EXPECT_FALSE(HomeGrant::isHomeFolder("", home));
}

TEST_F(HomeGrantFlow, WrongFolderAsksAgainThenTheRightOneIsStoredAndResolvesNextStart) {
    {
        qcore::UserDefaults defaults(store);
        auto grant = makeGrant(defaults);
        presenter.answers = {{HomeGrantPresenter::PanelResult::Cancel, std::nullopt},
                             {HomeGrantPresenter::PanelResult::OK, scratch.path()},
                             {HomeGrantPresenter::PanelResult::OK, home}};

        grant->check();
        EXPECT_EQ(grant->state(), HomeGrant::State::AskingUser);
        grant->confirm(); // panel cancelled: the sheet comes back without an alert
        mainThread.drain();
        grant->confirm(); // another folder: the alert, then the sheet again
        mainThread.drain();
        grant->confirm(); // the home folder
        mainThread.drain();

        const std::string sheet = "sheet " + home;
        const std::string panel = "panel " + home;
        const std::vector<std::string> expected{
            sheet, "close", panel, sheet, "close", panel, "alert " + HomeGrant::kMismatchMessage,
            sheet, "close", panel};
        EXPECT_EQ(presenter.events, expected);
        EXPECT_EQ(grant->state(), HomeGrant::State::Granted);
        EXPECT_EQ(granted, std::vector<std::string>{home});
        EXPECT_TRUE(defaults.dataForKey("pathData"));
    }

    // Next start: the stored grant resolves, no sheet, access at once.
    presenter.events.clear();
    granted.clear();
    qcore::UserDefaults defaults(store);
    auto grant = makeGrant(defaults);
    center.post(qshell::notifications::kCheckHomeAccess, nullptr);
    EXPECT_TRUE(granted.empty()); // handed over, not run inline
    mainThread.drain();
    EXPECT_TRUE(presenter.events.empty());
    EXPECT_EQ(granted, std::vector<std::string>{home});
}

TEST_F(HomeGrantFlow, StaleGrantIsTreatedAsNoneAndReplaced) {
    qcore::UserDefaults defaults(store);
    const auto elsewhere = FolderBookmark::create(scratch.folder("gone"));
    defaults.setObject("pathData", elsewhere->data());
    fs::remove(scratch.path() + "/gone");
    defaults.setObject("unrelated", "kept");

    auto grant = makeGrant(defaults);
    presenter.answers = {{HomeGrantPresenter::PanelResult::OK, home}};
    grant->check();
    EXPECT_EQ(presenter.events.front(), "sheet " + home);
    grant->confirm();
    EXPECT_EQ(grant->state(), HomeGrant::State::Granted);
    const auto stored = FolderBookmark::fromData(*defaults.dataForKey("pathData"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->resolve(), home);
}

TEST_F(HomeGrantFlow, CancelOnTheSheetQuitsAndStoresNothing) {
    qcore::UserDefaults defaults(store);
    auto grant = makeGrant(defaults);
    grant->check();
    grant->cancel();
    EXPECT_EQ(presenter.events.back(), "quit");
    EXPECT_EQ(grant->state(), HomeGrant::State::Quitting);
    EXPECT_FALSE(defaults.dataForKey("pathData"));
    EXPECT_TRUE(granted.empty());
    // A late check does not bring the sheet back while quitting.
    const auto shown = presenter.events.size();
    grant->check();
    EXPECT_EQ(presenter.events.size(), shown);
}
