// Start-up order, the page registry, the status-bar commands and closing, through the
// controller as main() builds it.
#include "tests/shell/app/ShellFixture.h"

#include "shell/app/SingleInstance.h"
#include "shell/common/ShellNotifications.h"
#include "shell/popover/StatusBarCommands.h"
#include "shell/views/SidebarView.h"
#include "shell/views/SystemStatusHeader.h"

#include "engine/DataFiller.h"
#include "pages/care/PageBase.h"
#include "platform/core/Bundle.h"
#include "platform/core/NotificationCenter.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Geometry.h"
#include "toolkit/CustomSheetWindow.h"
#include "toolkit/GradientBox.h"
#include "toolkit/KLWindowButton.h"

#include <QLabel>
#include <QUuid>
#include <cctype>

#include <gtest/gtest.h>

namespace {

namespace m = qengine::modules;

void command(const std::string& name) {
    qcore::NotificationCenter::defaultCenter().post(
        qshell::notifications::kPerformOperationFromStatusBarItem, nullptr,
        {{qshell::notifications::kCommand, name}});
}

class AppControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        shell.grantHomeInAdvance();
        shell.create();
        shell.launch();
        ASSERT_TRUE(ShellFixture::waitFor([this] { return shell.statusItemCalls == 1; }));
    }
    std::string name(const std::string& module) { return shell.controller().displayName(module); }
    qpages::PageBase* pageOf(const std::string& module) {
        return shell.controller().page(name(module));
    }
    bool showing(const std::string& module) {
        const auto* page = pageOf(module);
        return page && shell.controller().shownView() == page;
    }

    ShellFixture shell;
};

TEST_F(AppControllerTest, StartsInOrderWithEveryPageAndTheSystemStatusView) {
    auto& controller = shell.controller();
    const std::vector<std::string> expected{
        name("One Click Cleaning"), name(m::kSystemCleaner),    name(m::kLogsCleaner),
        name(m::kTrashCleaner),     name(m::kPartialDownloads), name(m::kDuplicatesFinder),
        name(m::kUninstaller),      name(m::kInternetPrivacy),  name(m::kMiscCleaning),
        name(m::kLargeFiles),       name(m::kOldDownloads)};
    EXPECT_EQ(controller.pageNames(), expected);
    for (const auto& display : expected)
        EXPECT_NE(controller.page(display), nullptr) << display;

    EXPECT_EQ(controller.sidebar().selectedRow(), qshell::SidebarTree::kSystemStatus);
    EXPECT_EQ(controller.shownView(), nullptr);

    // Launch set-up: the size, the 40-point bar with header, logo and our three buttons.
    const qui::PointRect frame = shell.window().frame();
    EXPECT_EQ(frame.width, 833);
    // The toolkit's window keeps its content area when the bar grows from the system's height.
    EXPECT_GE(frame.height, 560);
    QWidget* bar = shell.delegate().titleBarView();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->height(), 40);
    EXPECT_NE(bar->findChild<qtk::GradientBox*>("headerBox"), nullptr);
    EXPECT_EQ(bar->findChild<QLabel*>("headerLogo")->size(), QSize(194, 40));
    const auto& buttons = shell.delegate().windowButtons();
    const double xs[] = {13, 33, 53};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        ASSERT_NE(buttons[i], nullptr);
        EXPECT_EQ(qui::frameOf(buttons[i]).x, xs[i]);
        EXPECT_EQ(qui::frameOf(buttons[i]).y, 14);
    }
    // The search folders go back to the home folder at every launch.
    const auto& defaults = qcore::UserDefaults::standard();
    EXPECT_EQ(defaults.stringForKey("LargeFilesPath"), shell.home() + "/");
    EXPECT_EQ(defaults.stringForKey("DuplicatesFinderPath"), shell.home() + "/");
    EXPECT_EQ(shell.delegate().strHomeDirectory().toStdString(), shell.home());
}

TEST_F(AppControllerTest, DelegateAndSheetWindowAgreeOnYosemiteOrLater) {
    for (const auto& profile : {qcore::SystemVersion(10, 9, 5), qcore::SystemVersion(10, 10, 0),
                                qcore::SystemVersion(10, 15, 7), qcore::SystemVersion(13, 0, 0)}) {
        qshell::PellorAppDelegate delegate(profile);
        delegate.checkYosemite();
        EXPECT_EQ(delegate.isYosemite(), qtk::CustomSheetWindow::isYosemite(profile))
            << profile.major() << "." << profile.minor();
    }
}

TEST_F(AppControllerTest, StatusBarCommandsReachThePages) {
    auto& engine = shell.controller().engine();
    shell.window().hide();
    command(qshell::StatusBarCommands::kOpenApp);
    EXPECT_TRUE(shell.window().isVisible());
    EXPECT_EQ(shell.controller().shownView(), nullptr);

    // The duplicates scan of an empty home folder starts and ends by itself.
    shell.window().hide();
    command(qshell::StatusBarCommands::kDuplicateScan);
    EXPECT_TRUE(shell.window().isVisible());
    EXPECT_EQ(shell.controller().sidebar().selectedRow(), qshell::SidebarTree::kDuplicatesFinder);
    EXPECT_TRUE(showing(m::kDuplicatesFinder));
    EXPECT_TRUE(ShellFixture::waitFor([&] { return !engine.isModuleBusy(m::kDuplicatesFinder); }));
    // Stop with no scan running starts none.
    command(qshell::StatusBarCommands::kDuplicateStop);
    EXPECT_TRUE(showing(m::kDuplicatesFinder));
    EXPECT_FALSE(engine.isModuleBusy(m::kDuplicatesFinder));
    EXPECT_FALSE(engine.abortedDuplicateFiles());

    shell.addJunk(40, 10, 3);
    command(qshell::StatusBarCommands::kOneClickScan);
    EXPECT_EQ(shell.controller().sidebar().selectedRow(), qshell::SidebarTree::kOneClickCleaning);
    EXPECT_TRUE(showing("One Click Cleaning"));
    command(qshell::StatusBarCommands::kOneClickStop);
    for (const auto& module :
         {m::kSystemCleaner, m::kLogsCleaner, m::kTrashCleaner, m::kPartialDownloads})
        EXPECT_TRUE(ShellFixture::waitFor([&] { return !engine.isModuleBusy(module); })) << module;
    EXPECT_TRUE(
        ShellFixture::waitFor([&] { return shell.controller().header().removingFlag() == 0; }));
    EXPECT_FALSE(shell.delegate().isScanningOneClick());
}

// The popover's One Click count comes from the page, through the delegate the shell hands it.
TEST_F(AppControllerTest, PagesReportTheirCountsToTheDelegate) {
    auto& engine = shell.controller().engine();
    shell.addJunk(4, 2, 1);
    command(qshell::StatusBarCommands::kOneClickScan);
    for (const auto& module :
         {m::kSystemCleaner, m::kLogsCleaner, m::kTrashCleaner, m::kPartialDownloads})
        EXPECT_TRUE(ShellFixture::waitFor([&] { return !engine.isModuleBusy(module); })) << module;
    EXPECT_TRUE(ShellFixture::waitFor([&] { return shell.delegate().itemRemaining() > 0; }));
}

TEST_F(AppControllerTest, ClosingHidesAndShowTheAppBringsTheWindowBack) {
    shell.window().performClose();
    EXPECT_FALSE(shell.window().isVisible());
    // The application goes on; the popover opens a moment later.
    EXPECT_EQ(shell.record().quits, 0);
    EXPECT_TRUE(ShellFixture::waitFor([this] { return shell.popoverCalls == 1; }));

    EXPECT_TRUE(shell.delegate().applicationShouldHandleReopen());
    EXPECT_TRUE(shell.window().isVisible());
}

TEST(SingleInstanceTest, ASecondLaunchForwardsToTheRunningOneAndLeaves) {
    const QString key =
        QStringLiteral("quendrix-test-") + QUuid::createUuid().toString(QUuid::Id128);
    qshell::SingleInstance second(key);
    // Nobody runs yet: the launch goes ahead.
    EXPECT_FALSE(second.forwardToRunning(200));

    qshell::SingleInstance running(key);
    int requests = 0;
    ASSERT_TRUE(running.listen([&requests] { ++requests; }));
    EXPECT_TRUE(second.forwardToRunning());
    EXPECT_TRUE(ShellFixture::waitFor([&requests] { return requests == 1; }));
}

} // namespace

// Every description line the pages show, in every phase, from the shipped language table:
// the module's name at most once in any letter case, no placeholder left, no "NA" for a missing
// key.
TEST(ShellTexts, DescriptionLinesNameTheirModuleAtMostOnce) {
#ifdef QUENDRIX_TEST_RESOURCES
    qcore::Bundle::setMainResourcePath(QUENDRIX_TEST_RESOURCES);
#endif
    const qengine::DataFiller engine;
    std::vector<std::string> modules = qengine::modules::keys();
    modules.push_back("One Click Cleaning");
    for (const std::string& module : modules) {
        const auto lower = [](std::string text) {
            for (char& c : text)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return text;
        };
        const std::string name = lower(engine.getModuleName(module, true));
        for (const bool start : {true, false})
            for (const bool scan : {true, false}) {
                const std::string line = lower(engine.getTokenForActivity(module, start, scan));
                const auto first = line.find(name);
                EXPECT_TRUE(first == std::string::npos ||
                            line.find(name, first + name.size()) == std::string::npos)
                    << line;
                EXPECT_EQ(line.find("%@"), std::string::npos) << line;
                EXPECT_NE(line, "na") << module << " " << start << scan;
            }
    }
}
