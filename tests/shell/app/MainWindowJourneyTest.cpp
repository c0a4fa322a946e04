// The whole main window as the entry point builds it, over a fixture home, driven only by
// mouse clicks and key presses on visible controls; web addresses go to a recorder.
#include "tests/shell/app/JourneyHome.h"

#include "ui_DockViewController.h"
#include "ui_MainMenu.h"

#include "shell/app/AboutBox.h"
#include "shell/app/ApplicationMenu.h"
#include "shell/grant/HomeFolderSheet.h"
#include "shell/popover/DockViewController.h"
#include "shell/views/SidebarTree.h"
#include "shell/views/SidebarView.h"

#include "engine/DataFiller.h"
#include "pages/care/PageBase.h"
#include "pages/care/RateMeWindow.h"
#include "platform/core/FileManager.h"
#include "toolkit/CustomSheetWindow.h"
#include "toolkit/IMGButton.h"
#include "toolkit/KLWindowButton.h"
#include "toolkit/LinkButton.h"
#include "toolkit/NSOutlineView_NEW.h"

#include <QApplication>
#include <QFileDialog>
#include <QGraphicsOpacityEffect>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

namespace m = qengine::modules;
using qshell::SidebarTree;

class MainWindowJourney : public ::testing::Test {
protected:
    JourneyHome home;

    qshell::AppController& controller() { return home.application().controller(); }
    Ui::MainMenuInterface& ui() { return controller().ui(); }

    static void click(QWidget* widget) { JourneyHome::click(widget); }
    void clickRow(int row) { home.clickSidebarRow(row); }

    // Opens `menuTitle` in the title bar's menu bar and clicks the item `itemText`.
    void chooseMenuItem(const QString& menuTitle, const QString& itemText) {
        QMenuBar* bar = controller().menu().menuBar();
        QAction* menuAction = nullptr;
        for (QAction* a : bar->actions())
            if (a->text() == menuTitle) menuAction = a;
        ASSERT_NE(menuAction, nullptr) << menuTitle.toStdString();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menuAction).center());
        QMenu* menu = menuAction->menu();
        ASSERT_TRUE(JourneyHome::waitFor([menu] { return menu->isVisible(); }));
        QAction* item = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == itemText) item = a;
        ASSERT_NE(item, nullptr) << itemText.toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }

    bool oneClickIdle() {
        for (const auto& module :
             {m::kSystemCleaner, m::kLogsCleaner, m::kTrashCleaner, m::kPartialDownloads})
            if (controller().engine().isModuleBusy(module)) return false;
        return true;
    }
};

TEST_F(MainWindowJourney, EveryVisibleControlOfTheMainWindowDoesItsWork) {
    home.launch();
    qtk::WAYAppStoreWindow& window = home.application().window();

    home.responder.answerAlerts();
    // The grant: the sheet's Confirm, then the folder panel, titled with the grant's heading.
    qshell::HomeFolderSheet& sheet = controller().homeFolderSheet();
    home.responder.whenever([&] { return sheet.sheet()->isRunning() && sheet.box()->isVisible(); },
                            [&] {
                                for (auto* b : sheet.box()->findChildren<QPushButton*>())
                                    if (b->text() == "Confirm") click(b);
                            });
    QString panelTitle;
    QString panelPrompt;
    QString typed;
    home.responder.whenever(
        [] { return JourneyHome::visibleTopLevel<QFileDialog>("folderPanel") != nullptr; },
        [&] {
            auto* panel = JourneyHome::visibleTopLevel<QFileDialog>("folderPanel");
            panelTitle = panel->windowTitle();
            panelPrompt = panel->labelText(QFileDialog::Accept);
            auto* name = panel->findChild<QLineEdit*>("fileNameEdit");
            QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(name, QString::fromStdString(home.home()));
            typed = name->text();
            QTest::keyClick(name, Qt::Key_Return);
        });
    ASSERT_TRUE(JourneyHome::waitFor([&] { return home.storedGrant(); }, 20000));
    EXPECT_TRUE(home.responder.alerts.empty()) << typed.toStdString();
    EXPECT_EQ(panelTitle, "Quendrix needs access to your Home folder");
    EXPECT_EQ(panelPrompt, "Confirm");
    // With the grant in, the script reads Firefox's profile list into the engine.
    ASSERT_TRUE(JourneyHome::waitFor(
        [&] { return !controller().engine().arrMozilaProfilePath().empty(); }, 20000));
    EXPECT_EQ(controller().engine().arrMozilaProfilePath(),
              std::vector<std::string>{
                  home.home() + "/Library/Application Support/Firefox/Profiles/abc.default"});

    // The header's scan, on the System Status view shown at start.
    EXPECT_EQ(controller().sidebar().selectedRow(), SidebarTree::kSystemStatus);
    click(ui().scanButton);
    ASSERT_TRUE(JourneyHome::waitFor(
        [&] { return oneClickIdle() && ui().removeButton->isVisible(); }, 30000));
    EXPECT_EQ(ui().removeButton->text(), "Clean Now");
    EXPECT_TRUE(ui().textTotalJunkSize->text().startsWith("Junk Found: "));

    // The lock slides and back.
    const int lockX = ui().lockButton->x();
    click(ui().lockButton);
    ASSERT_TRUE(JourneyHome::waitFor([&] { return ui().lockButton->x() != lockX; }));
    click(ui().lockButton);
    ASSERT_TRUE(JourneyHome::waitFor([&] { return ui().lockButton->x() == lockX; }));

    // The panel's Fix Now goes to the One Click page and scans there; its Clean Now asks first,
    // then removes what was found.
    ASSERT_TRUE(ui().btnFixNow->isVisible());
    click(ui().btnFixNow);
    EXPECT_EQ(controller().sidebar().selectedRow(), SidebarTree::kOneClickCleaning);
    const std::string oneClick = controller().displayName(SidebarTree::kOneClickCleaningName);
    QWidget* dashboard = controller().page(oneClick)->view();
    EXPECT_EQ(controller().shownView(), dashboard);
    ASSERT_TRUE(JourneyHome::waitFor([&] { return oneClickIdle(); }, 30000));
    auto* clean = dashboard->findChild<qtk::IMGButton*>("removeButton");
    ASSERT_TRUE(JourneyHome::waitFor([&] { return clean->isVisible() && clean->isEnabled(); }));
    // After the clean the rate prompt asks once; with no software centre on this desktop its
    // Rate Now opens the product web site.
    bool rated = false;
    home.responder.whenever(
        [&] {
            auto* prompt = window.findChild<qpages::RateMeWindow*>();
            return !rated && prompt && prompt->isRunning() && prompt->rateButton()->isVisible();
        },
        [&] {
            rated = true;
            auto* prompt = window.findChild<qpages::RateMeWindow*>();
            home.shoot("rate prompt", window);
            click(prompt->rateButton());
        });
    click(clean);
    ASSERT_TRUE(JourneyHome::waitFor([&] { return oneClickIdle() && home.junkIsGone(); }, 30000));
    ASSERT_TRUE(JourneyHome::waitFor([&] { return rated && !home.openedUrls.empty(); }));
    EXPECT_EQ(home.openedUrls.back(), QUrl("https://www.quendrix.example/lite/"));
    home.openedUrls.clear();
    ASSERT_FALSE(home.responder.alerts.empty()) << "the clean is confirmed first";
    EXPECT_EQ(home.responder.alerts.front().title, "Quendrix");
    home.expectKeptFilesUntouched();

    // Every sidebar row shows its page; System Status shows the header.
    const SidebarTree& tree = controller().sidebar().tree();
    for (int row = 0; row < tree.rowCount(); ++row) {
        const auto node = tree.nodeAt(row);
        if (!node->isLeaf() || node->nodeTitle() == SidebarTree::kSpacer) continue;
        clickRow(row);
        ASSERT_EQ(controller().sidebar().selectedRow(), row) << node->nodeTitle();
        if (row == SidebarTree::kSystemStatus) {
            EXPECT_EQ(controller().shownView(), nullptr);
            EXPECT_TRUE(ui().topBox->isVisible());
            continue;
        }
        qpages::PageBase* page = controller().page(node->nodeTitle());
        ASSERT_NE(page, nullptr) << "no page for the row " << node->nodeTitle();
        EXPECT_EQ(controller().shownView(), page->view()) << node->nodeTitle();
        EXPECT_TRUE(page->view()->isVisible()) << node->nodeTitle();
        home.shoot("page " + QString::fromStdString(node->nodeTitle()), window);
    }
    clickRow(SidebarTree::kSystemStatus);
    // The header fades back in over the System Status view.
    ASSERT_TRUE(JourneyHome::waitFor([&] {
        auto* effect = qobject_cast<QGraphicsOpacityEffect*>(ui().topBox->graphicsEffect());
        return !effect || effect->opacity() == 1.0;
    }));

    // The footer's links open the product web site; Rate Us too, with no software centre.
    click(ui().linkWebsite);
    click(ui().btnRateUs);
    ASSERT_EQ(home.openedUrls.size(), 2u);
    EXPECT_EQ(home.openedUrls[0], QUrl("https://www.quendrix.example/lite/"));
    EXPECT_EQ(home.openedUrls[1], QUrl("https://www.quendrix.example/lite/"));
    home.registerSoftwareCentre();
    click(ui().btnRateUs);
    EXPECT_EQ(home.openedUrls.back(), QUrl("appstream://com.quendrix.app"));

    // The menu: About, its web link and Escape; the help page; the preferences and Ctrl+W.
    chooseMenuItem("Quendrix", "About Quendrix");
    ASSERT_TRUE(JourneyHome::waitFor(
        [] { return JourneyHome::visibleTopLevel<qshell::AboutBox>("aboutBox"); }));
    auto* about = JourneyHome::visibleTopLevel<qshell::AboutBox>("aboutBox");
    EXPECT_EQ(about->windowTitle(), "About Quendrix");
    EXPECT_EQ(about->findChild<QLabel*>("aboutName")->text(), "Quendrix");
    EXPECT_EQ(about->findChild<QLabel*>("aboutVersion")->text(), "Version 1.0 (1.0.0)");
    EXPECT_FALSE(about->findChild<QLabel*>("aboutIcon")->pixmap().isNull());
    home.shoot("about box", *about);
    click(about->findChild<qtk::LinkButton*>("aboutWebsite"));
    EXPECT_EQ(home.openedUrls.back(), QUrl("https://www.quendrix.example/lite/"));
    QApplication::setActiveWindow(about);
    QTest::keyClick(about, Qt::Key_Escape);
    ASSERT_TRUE(JourneyHome::waitFor(
        [] { return !JourneyHome::visibleTopLevel<qshell::AboutBox>("aboutBox"); }));

    chooseMenuItem("Help", "Quendrix Help");
    EXPECT_EQ(home.openedUrls.back().path(), "/zebkin.php");

    chooseMenuItem("Quendrix", "Preferences…");
    QWidget* prefs = nullptr;
    ASSERT_TRUE(JourneyHome::waitFor([&] {
        prefs = JourneyHome::visibleTopLevel<QWidget>("Preferences");
        return prefs != nullptr;
    }));
    QApplication::setActiveWindow(prefs);
    QTest::keyClick(prefs, Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(JourneyHome::waitFor([&] { return !prefs->isVisible(); }));

    // Zoom fills the screen's available area and comes back.
    const QRect normal = window.geometry();
    auto* zoom = home.application().delegate().windowButtons()[2];
    click(zoom);
    EXPECT_EQ(window.geometry(), window.screen()->availableGeometry());
    home.shoot("main window zoomed", window);
    click(zoom);
    EXPECT_EQ(window.geometry(), normal);

    // Closing hides the window and opens the popover; the popover brings the window back.
    click(home.application().delegate().windowButtons()[0]);
    EXPECT_FALSE(window.isVisible());
    QWidget* popover = nullptr;
    ASSERT_TRUE(JourneyHome::waitFor([&] {
        popover = JourneyHome::visibleTopLevel<QWidget>("statusItemWindow");
        return popover != nullptr;
    }));
    EXPECT_EQ(home.quits, 0);
    auto* open = popover->findChild<QWidget*>("btnOpenQRVApplication");
    click(open);
    ASSERT_TRUE(JourneyHome::waitFor([&] { return window.isVisible(); }));
    EXPECT_FALSE(popover->isVisible());
    EXPECT_EQ(home.quits, 0);

    // Every alert on the way carried the program's name, never the executable's.
    for (const auto& alert : home.responder.alerts)
        EXPECT_EQ(alert.title, "Quendrix") << alert.text.toStdString();
}

// The alerts on the way: a wrong folder in the grant's panel, a web page that cannot be
// opened. Each is titled with the program's name and answered from the keyboard's default.
TEST_F(MainWindowJourney, AlertsAreTitledWithTheProgramsName) {
    home.responder.answerAlerts();
    qshell::HomeFolderSheet* sheet = nullptr;
    home.responder.whenever(
        [&] { return sheet && sheet->sheet()->isRunning() && sheet->box()->isVisible(); },
        [&] {
            for (auto* b : sheet->box()->findChildren<QPushButton*>())
                if (b->text() == "Confirm") click(b);
        });
    int panels = 0;
    home.responder.whenever(
        [] { return JourneyHome::visibleTopLevel<QFileDialog>("folderPanel") != nullptr; },
        [&] {
            auto* panel = JourneyHome::visibleTopLevel<QFileDialog>("folderPanel");
            auto* name = panel->findChild<QLineEdit*>("fileNameEdit");
            // First a folder that is not the home, then the home.
            const std::string folder = panels++ == 0 ? home.outside() : home.home();
            QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(name, QString::fromStdString(folder));
            QTest::keyClick(name, Qt::Key_Return);
        });
    home.launch();
    sheet = &controller().homeFolderSheet();
    ASSERT_TRUE(JourneyHome::waitFor([&] { return home.storedGrant(); }, 20000));
    EXPECT_EQ(panels, 2);
    ASSERT_EQ(home.responder.alerts.size(), 1u);
    EXPECT_EQ(home.responder.alerts[0].text, "Home Directory does not match!!");

    home.failToOpenUrls();
    click(ui().linkWebsite);
    ASSERT_TRUE(JourneyHome::waitFor([&] { return home.responder.alerts.size() == 2; }));
    EXPECT_EQ(home.responder.alerts[1].text,
              "The page https://www.quendrix.example/lite/ could not be opened.");
    for (const auto& alert : home.responder.alerts)
        EXPECT_EQ(alert.title, "Quendrix") << alert.text.toStdString();
}

// At its minimum size no control of the System Status view lies over another, and the logo
// keeps its proportions whatever the width.
TEST_F(MainWindowJourney, AtItsMinimumSizeNothingOverlapsAndTheLogoKeepsItsShape) {
    home.grantInAdvance();
    home.launch();
    qtk::WAYAppStoreWindow& window = home.application().window();
    window.resize(480, 330);
    QApplication::processEvents();
    const QSize screen = window.screen()->availableGeometry().size();
    EXPECT_GE(window.width(), std::min(833, screen.width()));
    EXPECT_GE(window.height(), std::min(560, screen.height()));
    window.resize(window.minimumSize());
    QApplication::processEvents();
    home.shoot("main window at its minimum size", window);

    for (QWidget* parent : std::initializer_list<QWidget*>{
             ui().topBox, ui().boxSystemStatus, ui().boxGreen, ui().boxStatus, ui().boxYellow,
             ui().globalFooter, ui().whiteBox, home.application().delegate().titleBarView()}) {
        std::vector<QWidget*> shown;
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && !child->objectName().isEmpty() &&
                child->objectName() != "headerBox")
                shown.push_back(child);
        for (QWidget* child : shown)
            EXPECT_TRUE(parent->rect().contains(child->geometry()))
                << child->objectName().toStdString() << " cut off";
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
                    << shown[i]->objectName().toStdString() << " over "
                    << shown[j]->objectName().toStdString();
    }

    QWidget* bar = home.application().delegate().titleBarView();
    auto* logo = bar->findChild<QLabel*>("headerLogo");
    for (const int width : {833, 1100, 1600}) {
        window.resize(width, window.height());
        QApplication::processEvents();
        EXPECT_EQ(logo->size(), QSize(194, 40)) << width;
        EXPECT_NEAR(logo->geometry().center().x(), bar->width() / 2, 1) << width;
    }
}

} // namespace
