// The sidebar's selection rules and the System Status header, driven through the widgets and
// through notifications posted as the engine posts them.
#include "tests/shell/app/ShellFixture.h"

#include "ui_MainMenu.h"

#include "shell/app/ApplicationMenu.h"
#include "shell/common/ShellNotifications.h"
#include "shell/views/SidebarView.h"
#include "shell/views/StatusHeaderView.h"
#include "shell/views/SystemStatusHeader.h"

#include "engine/DataFiller.h"
#include "pages/care/PageBase.h"
#include "platform/core/Bundle.h"
#include "platform/core/NotificationCenter.h"
#include "toolkit/IMGButton.h"
#include "toolkit/NSOutlineView_NEW.h"

#include <QMenuBar>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

namespace m = qengine::modules;
using qshell::SidebarTree;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        shell.grantHomeInAdvance();
        shell.create();
        shell.launch();
    }
    qshell::SidebarView& sidebar() { return shell.controller().sidebar(); }
    Ui::MainMenuInterface& ui() { return shell.controller().ui(); }
    // Clicks the middle of a row of the outline.
    void clickRow(int row) {
        auto& outline = *ui().myOutlineView;
        const QModelIndex index =
            sidebar()
                .model()
                .match(sidebar().model().index(0, 0), qshell::SidebarView::kRowRole, row, 1,
                       Qt::MatchExactly | Qt::MatchRecursive)
                .first();
        QTest::mouseClick(outline.viewport(), Qt::LeftButton, {},
                          outline.visualRect(index).center());
    }
    // Posts from a thread of its own, as a worker does, serving the main thread meanwhile
    // since some hand-overs make the poster wait.
    static void postFromWorker(const std::string& name, qcore::Dictionary info) {
        std::atomic<bool> done = false;
        std::thread worker([&] {
            qcore::NotificationCenter::defaultCenter().post(name, nullptr, info);
            done = true;
        });
        ShellFixture::waitFor([&done] { return done.load(); });
        worker.join();
    }
    std::string name(const std::string& module) { return shell.controller().displayName(module); }

    ShellFixture shell;
};

TEST_F(MainWindowTest, ClicksNeverSelectHeadingsOrSpacersButShowModulePages) {
    shell.window().show();
    clickRow(SidebarTree::kLogsCleaner);
    EXPECT_EQ(sidebar().selectedRow(), SidebarTree::kLogsCleaner);
    EXPECT_EQ(shell.controller().shownView(), shell.controller().page(name(m::kLogsCleaner)));

    for (const int row :
         {int(SidebarTree::kCleaningHeading), 2, 9, int(SidebarTree::kOptimizationHeading)}) {
        clickRow(row);
        EXPECT_EQ(sidebar().selectedRow(), SidebarTree::kLogsCleaner) << row;
    }
    // Back to System Status: the page goes and the System Status view is what shows.
    clickRow(SidebarTree::kSystemStatus);
    EXPECT_EQ(shell.controller().shownView(), nullptr);
    EXPECT_TRUE(shell.controller().headerView().isFadedIn());
}

TEST_F(MainWindowTest, OnlyTheFirstVisitOfOneClickPostsTheOneTimeScan) {
    int posted = 0;
    auto& center = qcore::NotificationCenter::defaultCenter();
    const auto id = center.addObserver(nullptr, qshell::notifications::kOneTimeStartScan,
                                       [&posted](const qcore::Notification&) { ++posted; });
    sidebar().selectRow(SidebarTree::kOneClickCleaning);
    sidebar().selectRow(SidebarTree::kSystemStatus);
    sidebar().selectRow(SidebarTree::kOneClickCleaning);
    center.removeObserver(id);
    EXPECT_EQ(posted, 1);
    // The empty fixture home leaves nothing running.
    EXPECT_TRUE(ShellFixture::waitFor(
        [this] { return !shell.controller().engine().isModuleBusy(m::kSystemCleaner); }));
}

TEST_F(MainWindowTest, PageRequestsSelectTheirRowOrTheHeading) {
    postFromWorker(qshell::notifications::kMyNotification,
                   {{qshell::notifications::kShowView, name(m::kTrashCleaner)}});
    EXPECT_EQ(sidebar().selectedRow(), SidebarTree::kTrashCleaner);
    EXPECT_EQ(shell.controller().shownView(), shell.controller().page(name(m::kTrashCleaner)));

    // Any other page falls back to the heading, which only clears the page area.
    postFromWorker(qshell::notifications::kMyNotification,
                   {{qshell::notifications::kShowView, name(m::kLargeFiles)}});
    EXPECT_EQ(sidebar().selectedRow(), SidebarTree::kCleaningHeading);
    EXPECT_EQ(shell.controller().shownView(), nullptr);
}

TEST_F(MainWindowTest, HeaderFollowsTheEnginesNotifications) {
    // Sizes replace each other per module; they are not added up.
    for (const char* size : {"100", "300"})
        postFromWorker("DataFillerUpdateNotification",
                       {{"notificationGroup", m::kLogsCleaner}, {"count", "1"}, {"size", size}});
    ASSERT_TRUE(ShellFixture::waitFor(
        [this] { return ui().textTotalJunkSize->text().contains(QLatin1String("300")); }));
    EXPECT_TRUE(ui().textTotalJunkSize->text().startsWith(QLatin1String("Junk Found")));
    EXPECT_FALSE(ui().textTotalJunkSize->text().contains(QLatin1String("400")));

    // A scan of a junk module starts: the scan button reads "Stop Scan", the clean one hides.
    auto& engine = shell.controller().engine();
    engine.flags(m::kSystemCleaner).isFilling = true;
    postFromWorker(
        "ActivityStartStopNotification",
        {{"activityName", m::kSystemCleaner}, {"operation", "start"}, {"activityType", "scan"}});
    EXPECT_TRUE(ui().scanButton->isVisibleTo(ui().topBox));
    EXPECT_EQ(ui().scanButton->text().toStdString(),
              engine.getTokenForGroup("GRP_CMN", "ID_STOP_SCAN"));
    EXPECT_FALSE(ui().removeButton->isVisibleTo(ui().topBox));
    EXPECT_TRUE(shell.delegate().isScanningOneClick());

    engine.flags(m::kSystemCleaner).isFilling = false;
    postFromWorker(
        "ActivityStartStopNotification",
        {{"activityName", m::kSystemCleaner}, {"operation", "stop"}, {"activityType", "scan"}});
    EXPECT_EQ(ui().scanButton->text().toStdString(),
              engine.getTokenForGroup("GRP_CMN", "ID_START_SCAN"));
    EXPECT_FALSE(shell.delegate().isScanningOneClick());
    EXPECT_EQ(shell.controller().header().removingFlag(), 0);
}

TEST_F(MainWindowTest, LockButtonSlidesWithTheRemovalObject) {
    QWidget* lock = ui().lockButton;
    const int lockedX = lock->x();
    // Unlocking prepares the removal object; the engine's notification slides the lock left.
    QTest::mouseClick(lock, Qt::LeftButton);
    EXPECT_TRUE(shell.controller().engine().isRemoveObjectInitialized());
    EXPECT_TRUE(ShellFixture::waitFor([&] { return lock->x() == lockedX - 27; }));
    EXPECT_FALSE(shell.controller().header().lockFlag());

    QTest::mouseClick(lock, Qt::LeftButton);
    EXPECT_FALSE(shell.controller().engine().isRemoveObjectInitialized());
    EXPECT_TRUE(ShellFixture::waitFor([&] { return lock->x() == lockedX; }));
    EXPECT_TRUE(shell.controller().header().lockFlag());
}

// The menu bar's titles, then the Window menu's items.
std::vector<QString> menuTitles(const qshell::TextSource& texts) {
    QWidget titleBar;
    const qshell::ApplicationMenu menu(titleBar, texts, QStringLiteral("Quendrix"), {}, {});
    std::vector<QString> titles;
    for (const QAction* item : menu.menuBar()->actions())
        titles.push_back(item->text());
    const QList<QAction*> bar = menu.menuBar()->actions();
    if (bar.size() > 1 && bar[1]->menu())
        for (const QAction* item : bar[1]->menu()->actions())
            titles.push_back(item->text());
    return titles;
}

TEST(ApplicationMenuTexts, TheMenusTitlesComeFromTheLanguageTable) {
    qshell::TextSource keys;
    keys.token = [](const std::string& group, const std::string& key) { return group + "/" + key; };
    keys.moduleName = [](const std::string& module, bool) { return module; };
    EXPECT_EQ(menuTitles(keys),
              (std::vector<QString>{"Quendrix", "GRP_MAIN_MENU/ID_WINDOW", "GRP_MAIN_MENU/ID_HELP",
                                    "GRP_MAIN_MENU/ID_APP_MINIMIZE", "GRP_MAIN_MENU/ID_APP_ZOOM"}));

    const qengine::DataFiller engine(qcore::Bundle(QUENDRIX_TEST_RESOURCES));
    EXPECT_EQ(menuTitles(qshell::TextSource::fromEngine(engine)),
              (std::vector<QString>{"Quendrix", "Window", "Help", "Minimize", "Zoom"}));
}

} // namespace
