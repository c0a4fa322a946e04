// The running-applications sheet over a page: who is listed, Retry, Continue and Cancel, and
// what the calling page is told.
#include "tests/pages/support/PageJourney.h"

#include "pages/care/RunningAppsSheet.h"
#include "pages/care/TrashController.h"
#include "platform/core/Value.h"
#include "platform/core/Workspace.h"
#include "toolkit/CustomSheetWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;
using qpages::RunningAppsSheet;

namespace {

class RunningApps : public PageJourney {
protected:
    void SetUp() override {
        PageJourney::SetUp();
        installApp("Firefox", "org.mozilla.firefox", "firefox");
        installApp("Google Chrome", "com.google.Chrome", "chrome");
        proc_ = outside_.mkdir("proc");
        qcore::Workspace::setProcRootForTesting(proc_);
        page_ = std::make_unique<qpages::TrashController>(*engine_);
        page_->view();
        showPage(*page_);
    }
    void TearDown() override {
        page_.reset();
        qcore::Workspace::setProcRootForTesting("");
        PageJourney::TearDown();
    }

    void installApp(const std::string& name, const std::string& identifier,
                    const std::string& executable) const {
        const std::string bundle = "Applications/" + name + ".app";
        write(bundle + "/Contents/MacOS/" + executable, "#!/bin/sh\n");
        ASSERT_TRUE(qcore::Value(qcore::Dictionary{{"CFBundleIdentifier", identifier},
                                                   {"CFBundleExecutable", executable},
                                                   {"CFBundleName", name}})
                        .writeXmlPlistAtomically(home_.file(bundle + "/Contents/Info.plist")));
    }
    // A process of the user running the application's executable.
    void launch(int pid, const std::string& name, const std::string& executable) const {
        const std::string folder = proc_ + "/" + std::to_string(pid);
        fs::create_directories(folder);
        outside_.write("proc/" + std::to_string(pid) + "/comm", executable + "\n");
        fs::create_symlink(home_.file("Applications/" + name + ".app/Contents/MacOS/" + executable),
                           folder + "/exe");
    }
    void quit(int pid) const { fs::remove_all(proc_ + "/" + std::to_string(pid)); }

    // Each time the sheet shows, the next step runs inside its modal loop.
    void script(RunningAppsSheet& sheet, std::vector<std::function<void()>> steps) {
        auto* timer = new QTimer(page_.get());
        auto armed = std::make_shared<bool>(true);
        auto next = std::make_shared<std::size_t>(0);
        // Retry stays disabled from its press until the sheet shows again.
        QObject::connect(timer, &QTimer::timeout, timer,
                         [&sheet, steps = std::move(steps), armed, next] {
                             const bool ready = sheet.appsRunningSheet()->isVisible() &&
                                                retryButton(sheet)->isEnabled();
                             if (!ready) {
                                 *armed = true;
                             } else if (*armed && *next < steps.size()) {
                                 *armed = false;
                                 steps[(*next)++]();
                             }
                         });
        timer->start(10);
    }
    static std::vector<std::string> listed(RunningAppsSheet& sheet) {
        std::vector<std::string> names;
        auto* table = sheet.appsRunningTableview();
        for (int row = 0; row < table->rowCount(); ++row)
            names.push_back(table->item(row, 1)->text().toStdString());
        return names;
    }
    static QPushButton* buttonTitled(RunningAppsSheet& sheet, const QString& title) {
        for (auto* button : sheet.appsRunningSheet()->findChildren<QPushButton*>())
            if (button->text() == title) return button;
        return nullptr;
    }
    static QPushButton* retryButton(RunningAppsSheet& sheet) {
        return buttonTitled(sheet, "Retry");
    }
    static void press(RunningAppsSheet& sheet, const QString& title) {
        auto* button = buttonTitled(sheet, title);
        ASSERT_NE(button, nullptr) << title.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }

    std::string proc_;
    std::unique_ptr<qpages::TrashController> page_;
};

TEST_F(RunningApps, NothingRunningGoesStraightOn) {
    RunningAppsSheet sheet(*engine_, *page_);
    bool proceeded = false;
    sheet.runChecked(RunningAppsSheet::browsers(), [&] { proceeded = true; });
    EXPECT_TRUE(proceeded);
    EXPECT_TRUE(sheet.tableArray().empty());
    EXPECT_FALSE(sheet.appsRunningSheet()->isVisible());
}

TEST_F(RunningApps, RetryChecksAgainUntilNothingRuns) {
    launch(200, "Google Chrome", "chrome");
    launch(100, "Firefox", "firefox");
    RunningAppsSheet sheet(*engine_, *page_);
    std::vector<std::vector<std::string>> shown;
    std::vector<QString> headings;
    const auto heading = [&] {
        return sheet.appsRunningSheet()->findChild<QLabel*>("appsRunningHeading")->text();
    };
    // Both are listed in the page's order; Firefox quits, then Retry.
    // Chrome alone is listed; it quits too, then Retry: the sheet closes and the page goes on.
    script(sheet, {[&] {
                       shown.push_back(listed(sheet));
                       headings.push_back(heading());
                       screenshot(*page_, "running_apps_sheet");
                       quit(100);
                       press(sheet, "Retry");
                   },
                   [&] {
                       shown.push_back(listed(sheet));
                       headings.push_back(heading());
                       quit(200);
                       press(sheet, "Retry");
                   }});
    bool proceeded = false;
    sheet.runChecked(
        RunningAppsSheet::browsers(), [&] { proceeded = true; },
        [] { ADD_FAILURE() << "cancelled"; });
    EXPECT_TRUE(proceeded);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (std::vector<std::string>{"Firefox", "Google Chrome"}));
    EXPECT_EQ(shown[1], (std::vector<std::string>{"Google Chrome"}));
    EXPECT_EQ(headings, (std::vector<QString>{"The following browsers are running:",
                                              "The following browser is running:"}));
    EXPECT_TRUE(sheet.tableArray().empty());
}

TEST_F(RunningApps, ContinueGoesOnWithTheApplicationStillRunning) {
    launch(100, "Firefox", "firefox");
    RunningAppsSheet sheet(*engine_, *page_);
    script(sheet, {[&] { press(sheet, "Continue"); }});
    bool proceeded = false;
    sheet.runChecked(RunningAppsSheet::browsers(), [&] { proceeded = true; });
    EXPECT_TRUE(proceeded);
    EXPECT_TRUE(sheet.isContinue());
    ASSERT_EQ(sheet.tableArray().size(), 1u);
    EXPECT_EQ(sheet.tableArray()[0].executable.toStdString(), "firefox");
}

TEST_F(RunningApps, CancelStopsThePagesWork) {
    launch(200, "Google Chrome", "chrome");
    RunningAppsSheet sheet(*engine_, *page_);
    script(sheet, {[&] { press(sheet, "Cancel"); }});
    bool proceeded = false;
    bool cancelled = false;
    sheet.runChecked(
        RunningAppsSheet::browsers(), [&] { proceeded = true; }, [&] { cancelled = true; });
    EXPECT_FALSE(proceeded);
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(sheet.isCanceled());
}

TEST_F(RunningApps, ContinueRightAfterRetryEndsTheSheetOnceAndLeavesItsNextShowingAlone) {
    launch(100, "Firefox", "firefox");
    RunningAppsSheet sheet(*engine_, *page_);
    int ends = 0;
    const int observer = 0;
    qcore::NotificationCenter::defaultCenter().addObserver(
        &observer, qtk::CustomSheetWindow::kWindowDidEndSheetNotification,
        [&ends](const qcore::Notification&) { ++ends; });
    int laterShowings = 0;
    // Retry, then Continue at once, well within Retry's pause. The next check shows the sheet
    // again, and it stays until Cancel, pressed after Retry's pause has run out.
    script(sheet, {[&] {
                       press(sheet, "Retry");
                       press(sheet, "Continue");
                   },
                   [&] {
                       ++laterShowings;
                       QTimer::singleShot(800, page_.get(), [&] {
                           if (sheet.appsRunningSheet()->isVisible()) press(sheet, "Cancel");
                       });
                   },
                   [&] {
                       ++laterShowings;
                       press(sheet, "Cancel");
                   }});
    EXPECT_EQ(sheet.checkRunningApps(RunningAppsSheet::browsers()),
              RunningAppsSheet::Outcome::Continued);
    EXPECT_EQ(ends, 1);
    // Soon, so Retry's pause runs out while the sheet shows again.
    QTest::qWait(50);
    EXPECT_EQ(sheet.checkRunningApps(RunningAppsSheet::browsers()),
              RunningAppsSheet::Outcome::Cancelled);
    EXPECT_EQ(laterShowings, 1) << "the sheet was ended without an answer";
    QTest::qWait(600);
    EXPECT_EQ(ends, 2);
    qcore::NotificationCenter::defaultCenter().removeObserversOf(&observer);
}

TEST_F(RunningApps, AnApplicationThatCannotBeLocatedIsNotListed) {
    // Firefox runs, but its application has been deleted from under it.
    launch(100, "Firefox", "firefox");
    fs::remove_all(home_.file("Applications/Firefox.app"));
    RunningAppsSheet sheet(*engine_, *page_);
    script(sheet, {[&] {
               ADD_FAILURE() << "the sheet showed";
               press(sheet, "Cancel");
           }});
    EXPECT_FALSE(sheet.checkApp("Firefox", "org.mozilla.firefox"));
    EXPECT_EQ(sheet.checkRunningApps(RunningAppsSheet::browsers()),
              RunningAppsSheet::Outcome::NoneRunning);
}

} // namespace
