#include "shell/common/ShellNotifications.h"
#include "shell/delegate/PellorAppDelegate.h"
#include "shell/popover/DockViewController.h"
#include "shell/popover/StatusItemController.h"
#include "shell/popover/StatusItemInstaller.h"
#include "shell/preferences/MyPrefsWindowController.h"

#include "tests/shell/support/ScratchFolder.h"

#include "platform/ui/QtMainThread.h"

#include "platform/core/Bundle.h"

#include "ui_DockViewController.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using qshell::DockViewController;
using qshell::DockViewModel;

namespace {

const std::string kFixtures = QUENDRIX_SHELL_FIXTURES;

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct PopoverWidget : ::testing::Test {
    qui::QtMainThread mainThread;
    qcore::NotificationCenter center;
    qcore::UserDefaults defaults{""};
    ScratchFolder scratch;
    std::string meminfo = scratch.file("proc/meminfo", readFile(kFixtures + "/proc/meminfo"));
    std::vector<std::string> commands;
    std::vector<std::string> effects;
    bool scanningOneClick = false;
    bool scanningDups = false;
    bool monitor = false;

    PopoverWidget() {
        // Images and tables come from the source tree, whatever the environment says.
        qcore::Bundle::setMainResourcePath(QUENDRIX_TEST_RESOURCES);
        center.addObserver(this, qshell::notifications::kPerformOperationFromStatusBarItem,
                           [this](const qcore::Notification& n) {
                               commands.push_back(n.info(qshell::notifications::kCommand));
                           });
    }

    DockViewModel::Setup setup() {
        DockViewModel::Setup s;
        s.sources.meminfoPath = meminfo;
        s.sources.pageSize = 4096;
        s.sources.applications = [] {
            std::vector<qshell::AppMemoryEntry> apps(2);
            apps[0].identifier = "Editor";
            apps[0].memoryUsed = "512.00 MB";
            apps[1].identifier = "Browser";
            apps[1].memoryUsed = "1.50 GB";
            return apps;
        };
        s.sources.drives = [] {
            return std::vector<qshell::Drive>{
                {"/media/u/Stick", "Stick", 64000000000ULL, 16000000000ULL, true, true, true,
                 "VFAT Volumes"},
                {"/", "Computer", 500000000000ULL, 125000000000ULL, false, true, false, {}}};
        };
        s.sources.frequencyHz = [] { return std::uint64_t{2400000000ULL}; };
        s.sources.cpuTicks = [] { return std::optional<qshell::CpuTicks>(); };
        s.sources.sampleInterval = std::chrono::milliseconds(0);
        s.sources.isDarkMode = [] { return DockViewController::paletteIsDark(qApp->palette()); };
        s.delegate.isScanningOneClick = [this] { return scanningOneClick; };
        s.delegate.isScanningDups = [this] { return scanningDups; };
        s.actions.dismissPopover = [this] { effects.push_back("dismiss"); };
        s.actions.openPreferencesWindow = [this] { effects.push_back("preferences"); };
        if (monitor)
            s.actions.launchActivityMonitor = [this] {
                effects.push_back("monitor");
                return true;
            };
        s.center = &center;
        s.defaults = &defaults;
        s.mainThread = &mainThread;
        return s;
    }

    std::unique_ptr<DockViewController> make() {
        auto view = std::make_unique<DockViewController>(setup());
        view->viewDidLoad();
        return view;
    }

    void post(const std::string& name, qcore::Dictionary info) {
        center.post(name, nullptr, std::move(info));
    }
};

} // namespace

TEST_F(PopoverWidget, ShowsTheFixtureFiguresAndRefreshesThemOnTheTimer) {
    const auto view = make();
    auto& ui = view->ui();
    EXPECT_EQ(ui.lbl_pecentage->text(), "26.61% Used");
    EXPECT_EQ(ui.lblTotalMemoryRAM->text(), "Memory: 16.00 GB");
    EXPECT_EQ(ui.progressMemoryAvailable->value(), 27);
    EXPECT_EQ(ui.cpuCapacityLbl->text(), "CPU: 2.4 GHz");
    ASSERT_EQ(ui.popUpBtn->count(), 2);
    EXPECT_EQ(ui.popUpBtn->currentText(), "Computer") << "the drive at / is selected";
    EXPECT_EQ(ui.hdDriveNamelbl->text(), "Computer");
    EXPECT_EQ(ui.progressHDSpace->value(), 75);
    EXPECT_EQ(ui.imgAppSignify2->toolTip(), "Browser using 1.50 GB");
    EXPECT_TRUE(ui.imgAppSignify3->toolTip().isEmpty()) << "a slot without an application";
    EXPECT_FALSE(ui.btnActivityMonitor->isEnabled()) << "no system monitor installed";

    EXPECT_TRUE(view->updateTimer()->isActive());
    EXPECT_EQ(view->updateTimer()->interval(), 3000);
    std::string text = readFile(meminfo);
    text.replace(text.find("16777216"), 8, "08388608");
    scratch.file("proc/meminfo", text);
    view->updateTimer()->setInterval(10);
    QTRY_COMPARE_WITH_TIMEOUT(ui.lblTotalMemoryRAM->text(), QString("Memory: 8.00 GB"), 2000);

    emit ui.popUpBtn->activated(0);
    EXPECT_EQ(ui.hdDriveNamelbl->text(), "Stick");
    EXPECT_EQ(ui.hdTotalSpacelbl->text(), "Total: 64.00 GB");
}

TEST_F(PopoverWidget, EngineNotificationsReachTheCountsAndButtonTitles) {
    const auto view = make();
    auto& ui = view->ui();
    post("ActivityStartStopNotification",
         {{"activityName", "System Cleaner"}, {"operation", "start"}, {"activityType", "scan"}});
    EXPECT_EQ(ui.btnQuickClean->text(), "Stop Scan");
    scanningOneClick = true;
    post("DataFillerUpdateNotification", {{"notificationGroup", "Logs Cleaner"}, {"count", "4"}});
    post("DataFillerUpdateNotification", {{"notificationGroup", "Trash Cleaner"}, {"count", "3"}});
    EXPECT_EQ(ui.txtOneClickIssues->text(), "7");
    EXPECT_EQ(ui.lblIssuesOneClick->text(), "Issues found");
    post("StopOneClickCareScan", {{"operation", "stop"}});
    EXPECT_EQ(ui.btnQuickClean->text(), "Scan Now");

    EXPECT_EQ(ui.lblDupsFoundText->text(), "Duplicates") << "the interface file's own text";
    post("ActivityStartStopNotification",
         {{"activityName", "Duplicates Finder"}, {"operation", "start"}, {"activityType", "scan"}});
    scanningDups = true;
    post("DataFillerUpdateNotification",
         {{"notificationGroup", "Duplicates Finder"}, {"count", "5"}});
    EXPECT_EQ(ui.btnFixDuplicates->text(), "Stop Scan");
    EXPECT_EQ(ui.lblDupsFoundText->text(), "Duplicates Found");
    EXPECT_EQ(ui.txtDuplicatesCount->text(), "5");
}

TEST_F(PopoverWidget, ButtonsAndMenuPostTheirCommandsAndCloseThePopover) {
    monitor = true;
    const auto view = make();
    auto& ui = view->ui();
    QTest::mouseClick(ui.btnQuickClean, Qt::LeftButton);
    post("ActivityStartStopNotification",
         {{"activityName", "Duplicates Finder"}, {"operation", "start"}, {"activityType", "scan"}});
    QTest::mouseClick(ui.btnFixDuplicates, Qt::LeftButton);
    QTest::mouseClick(ui.btnOpenQRVApplication, Qt::LeftButton);
    EXPECT_EQ(commands, (std::vector<std::string>{"ONECLICK-Scan", "DUPLICATE-Stop", "OPENAPP"}));
    EXPECT_EQ(std::count(effects.begin(), effects.end(), "dismiss"), 3);

    QTest::mouseClick(ui.btnOptimize, Qt::LeftButton);
    EXPECT_EQ(ui.btnOptimize->text(), "Optimizing...");
    EXPECT_FALSE(ui.btnQuickClean->isEnabled());
    view->model().updateDataWithTimer();
    EXPECT_EQ(ui.btnOptimize->text(), "Optimize") << "the next refresh ends it";
    EXPECT_TRUE(ui.btnQuickClean->isEnabled());

    const auto actions = view->mainmenu()->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_TRUE(actions[2]->isSeparator());
    actions[1]->trigger(); // Preferences
    EXPECT_EQ(commands.back(), "OPENAPP");
    EXPECT_EQ(effects.back(), "preferences");

    ASSERT_TRUE(ui.btnActivityMonitor->isEnabled());
    QTest::mouseClick(ui.btnActivityMonitor, Qt::LeftButton);
    EXPECT_EQ(effects.back(), "monitor");
}

TEST_F(PopoverWidget, ADarkPaletteTurnsTheStatusTextWhite) {
    const auto view = make();
    QSignalSpy spy(view.get(), &DockViewController::statusBarChanged);
    const QPalette light = qApp->palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    QApplication::setPalette(dark);
    QApplication::processEvents();
    QApplication::setPalette(light);
    ASSERT_FALSE(spy.isEmpty());
    EXPECT_TRUE(spy.first().at(1).toBool());
    EXPECT_EQ(spy.first().at(0).toString(),
              QString::fromStdString(view->model().state().statusBarText));
}

// The desktop's setting is read again on every tick: the popover and the status item's icon
// change with it while the application runs.
TEST_F(PopoverWidget, ADarkDesktopSchemeDarkensThePopoverAndWhitensTheIconOnTheNextTick) {
    bool desktopDark = false;
    DockViewModel::Setup s = setup();
    s.sources.isDarkMode = [&desktopDark] { return desktopDark; };
    auto* view = new DockViewController(std::move(s));
    view->viewDidLoad();
    qshell::StatusItemController item(view);
    QSignalSpy spy(view, &DockViewController::statusBarChanged);
    EXPECT_FALSE(view->showsDarkScheme());
    EXPECT_FALSE(DockViewController::paletteIsDark(view->palette()));

    desktopDark = true;
    view->updateTimer()->setInterval(10);
    QTRY_VERIFY_WITH_TIMEOUT(view->showsDarkScheme(), 2000);
    EXPECT_TRUE(DockViewController::paletteIsDark(view->palette()));
    ASSERT_FALSE(spy.isEmpty());
    EXPECT_TRUE(spy.last().at(1).toBool()) << "the icon and its text turn white";

    desktopDark = false;
    QTRY_VERIFY_WITH_TIMEOUT(!view->showsDarkScheme(), 2000);
    EXPECT_FALSE(DockViewController::paletteIsDark(view->palette()));
    EXPECT_FALSE(spy.last().at(1).toBool());
}

TEST_F(PopoverWidget, WithoutATrayThePopoverIsAWindowWhoseClosingBringsTheAppBack) {
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()) << "tests run without a tray";
    auto* view = new DockViewController(setup());
    view->viewDidLoad();
    qshell::StatusItemController item(view);
    item.present();
    EXPECT_EQ(item.trayIcon(), nullptr);
    item.showStatusItemWindow();
    ASSERT_TRUE(item.isPopoverShown());
    EXPECT_NE(item.popoverWindow()->windowType(), Qt::Popup);
    item.dismissStatusItemWindow();
    EXPECT_TRUE(commands.empty()) << "dismissing is not closing";

    item.showStatusItemWindow();
    item.popoverWindow()->close();
    EXPECT_EQ(commands, std::vector<std::string>{"OPENAPP"});
    EXPECT_FALSE(item.isPopoverShown());

    // Escape closes it the same way, where no window manager draws a close button.
    item.showStatusItemWindow();
    QApplication::setActiveWindow(item.popoverWindow());
    QTest::keyClick(item.popoverWindow(), Qt::Key_Escape);
    EXPECT_FALSE(item.isPopoverShown());
    EXPECT_EQ(commands, (std::vector<std::string>{"OPENAPP", "OPENAPP"}));
}

TEST(StatusItemPlacement, BesideTheTrayIconAndAlwaysOnScreen) {
    using qshell::StatusItemController;
    const QRect screen(0, 0, 1920, 1080);
    const QSize popover(360, 372);
    // A top panel: under the icon, centred on it.
    EXPECT_EQ(StatusItemController::popoverGeometry(popover, QRect(900, 0, 24, 24), screen),
              QRect(732, 24, 360, 372));
    // A bottom panel: above the icon.
    EXPECT_EQ(
        StatusItemController::popoverGeometry(popover, QRect(900, 1056, 24, 24), screen).bottom(),
        1055);
    // At the right edge it moves in, keeping a margin.
    EXPECT_EQ(
        StatusItemController::popoverGeometry(popover, QRect(1900, 0, 20, 24), screen).right(),
        1911);
    // No icon place known: the top-right corner.
    EXPECT_EQ(StatusItemController::popoverGeometry(popover, QRect(), screen),
              QRect(1552, 8, 360, 372));
}

TEST(StatusItemPlacement, TheTemplateImageTakesThePanelTextColour) {
    QPixmap image(4, 4);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.fillRect(0, 0, 2, 4, QColor(0, 0, 0, 200));
    }
    const QImage tinted = qshell::StatusItemController::tintedTemplate(image, Qt::white).toImage();
    EXPECT_EQ(tinted.pixelColor(0, 0).rgb(), QColor(Qt::white).rgb());
    EXPECT_EQ(tinted.pixelColor(0, 0).alpha(), 200);
    EXPECT_EQ(tinted.pixelColor(3, 0).alpha(), 0);
}

TEST_F(PopoverWidget, TheInstallerGivesTheDelegateItsPopoverAndPreferences) {
    qcore::MainThread::install(&mainThread);
    {
        qshell::PellorAppDelegate delegate;
        auto& installer = qshell::StatusItemInstaller::install(delegate);
        delegate.showPopoverView();
        ASSERT_NE(installer.statusItem(), nullptr);
        EXPECT_TRUE(installer.statusItem()->isPopoverShown());
        EXPECT_FALSE(installer.statusItemView()->ui().cpuCapacityLbl->text().isEmpty());
        delegate.openPreferencesWindow();
        EXPECT_TRUE(qshell::MyPrefsWindowController::sharedPrefsWindowController().isVisible());
        qshell::MyPrefsWindowController::releaseSharedPrefsWindowController();
    }
    qcore::MainThread::install(nullptr);
}
