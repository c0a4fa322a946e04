// The Internet Privacy page in use: the browser alert before a scan, the tree of browsers and
// kinds, the running-browsers sheet and the access gates before a clean, and a history clean on
// databases in the browsers' current layouts.
#include "tests/engine/BrowserFixtures.h"
#include "tests/pages/support/PageJourney.h"

#include "pages/care/ResultsTreeModel.h"
#include "pages/care/RunningAppsSheet.h"
#include "pages/tools/FullDiskAccess.h"
#include "pages/tools/FullDiskAccessGuide.h"
#include "pages/tools/InternetPrivacyController.h"
#include "platform/core/FileManager.h"
#include "platform/core/Workspace.h"
#include "toolkit/CustomSheetWindow.h"
#include "toolkit/IMGButton.h"

#include "ui_FullDiskAccessGuide.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <unistd.h>

#include <filesystem>

using qpages::FullDiskAccess;
using qpages::InternetPrivacyController;

namespace {

const std::string kModule = "Internet Privacy";
const std::string kProfile = "Library/Application Support/Firefox/Profiles/abc.default-release";
const std::string kChrome = "Library/Application Support/Google/Chrome/Default/";

// Browsers "running" as processes of a fixture /proc.
class FakeProcesses {
public:
    FakeProcesses() { qcore::Workspace::setProcRootForTesting(dir_.file("proc")); }
    ~FakeProcesses() { qcore::Workspace::setProcRootForTesting(""); }
    void start(const std::string& program, int pid) {
        const std::string executable = dir_.write("bin/" + program, "#!/bin/sh\n");
        dir_.write("proc/" + std::to_string(pid) + "/comm", program + "\n");
        ASSERT_EQ(::symlink(executable.c_str(),
                            dir_.file("proc/" + std::to_string(pid) + "/exe").c_str()),
                  0);
    }
    void stop(int pid) { std::filesystem::remove_all(dir_.file("proc/" + std::to_string(pid))); }

private:
    TempDir dir_;
};

class InternetPrivacyPage : public PageJourney {
protected:
    void SetUp() override {
        PageJourney::SetUp();
        dir_ = std::make_unique<FakeProcesses>();
        dir_->start("bash", 100); // something that is no browser
    }
    void TearDown() override {
        if (page_) waitUntilIdle({kModule});
        page_.reset();
        dir_.reset();
        FullDiskAccess::setProbeForTesting({});
        PageJourney::TearDown();
    }
    std::string mkfile(const std::string& relative) const {
        std::filesystem::create_directories(
            std::filesystem::path(home_.file(relative)).parent_path());
        return home_.file(relative);
    }
    // Firefox history with a bookmark, Chrome history and Safari's download list.
    void writeBrowsers() {
        fixtures::firefoxPlaces(mkfile(kProfile + "/places.sqlite"), {1, 2, 3}, {2});
        fixtures::firefoxCookies(mkfile(kProfile + "/cookies.sqlite"), 3);
        engine_->setArrMozilaProfilePath({home_.file(kProfile)});
        fixtures::chromeHistory(mkfile(kChrome + "History"), 3);
        write("Library/Caches/Google/cache.bin", std::string(4000, 'g'));
        write("Library/Safari/Downloads.plist", std::string(300, 'd'));
    }
    void open() {
        page_ = std::make_unique<InternetPrivacyController>(*engine_);
        page_->view();
        showPage(*page_);
    }
    QTreeView* tree() const { return page_->findChild<QTreeView*>("outlineView"); }
    auto* model() const { return static_cast<qpages::ResultsTreeModel*>(tree()->model()); }
    QModelIndex group(const QString& title) const {
        for (int g = 0; g < model()->rowCount(); ++g) {
            const QModelIndex index = model()->index(g, 0);
            if (model()->nodeAt(index)->title() == title.toStdString()) return index;
        }
        return {};
    }
    QModelIndex item(const QString& groupTitle, const QString& title) const {
        const QModelIndex parent = group(groupTitle);
        for (int i = 0; i < model()->rowCount(parent); ++i) {
            const QModelIndex index = model()->index(i, 0, parent);
            if (model()->nodeAt(index)->title() == title.toStdString()) return index;
        }
        return {};
    }
    void scan() {
        click(page_->scanButton());
        ASSERT_TRUE(waitUntilIdle({kModule}));
        waitFor([this] { return !page_->scanButton()->isVisible() || page_->totalItems() == 0; });
    }
    int starts() const { return activities_->activities(kModule, "start"); }

    std::unique_ptr<FakeProcesses> dir_;
    std::unique_ptr<InternetPrivacyController> page_;
};

TEST_F(InternetPrivacyPage, CleansFirefoxHistoryAndKeepsTheBookmarkedPlace) {
    writeBrowsers();
    open();
    scan();
    ASSERT_TRUE(group("Firefox").isValid());
    ASSERT_TRUE(group("Google Chrome").isValid());
    ASSERT_TRUE(group("Safari").isValid());
    // A fresh scan selects nothing and shows every group open.
    EXPECT_EQ(page_->selectedItems(), 0);
    for (const char* g : {"Safari", "Firefox", "Google Chrome"})
        EXPECT_TRUE(tree()->isExpanded(group(g))) << g;
    screenshot(*page_, "privacy_results");

    const QModelIndex history = item("Firefox", "Internet History");
    ASSERT_TRUE(history.isValid());
    clickCheckBoxOf(tree(), history);
    EXPECT_EQ(page_->selectedItems(), 1);
    const auto chromeBefore = fixtures::rowCount(home_.file(kChrome + "History"), "urls");
    answerNextAlert("OK");
    click(page_->removeButton());
    ASSERT_TRUE(waitUntilIdle({kModule}));

    const std::string places = home_.file(kProfile + "/places.sqlite");
    EXPECT_EQ(fixtures::integrityCheck(places), "ok");
    EXPECT_EQ(fixtures::ids(places, "SELECT id FROM moz_places ORDER BY id"),
              std::vector<std::int64_t>{2});
    EXPECT_EQ(fixtures::rowCount(places, "moz_bookmarks"), 2);
    EXPECT_EQ(fixtures::rowCount(home_.file(kChrome + "History"), "urls"), chromeBefore);
    EXPECT_EQ(fixtures::rowCount(home_.file(kProfile + "/cookies.sqlite"), "moz_cookies"), 3);
    EXPECT_TRUE(qcore::FileManager::exists(home_.file("Library/Caches/Google/cache.bin")));
    // Items are left: the clean button stays, the scan button hides.
    EXPECT_TRUE(page_->removeButton()->isVisible());
    EXPECT_FALSE(page_->scanButton()->isVisible());
    EXPECT_FALSE(item("Firefox", "Internet History").isValid());
    screenshot(*page_, "privacy_after_clean");
}

TEST_F(InternetPrivacyPage, ARunningBrowserIsAnnouncedBeforeTheScan) {
    writeBrowsers();
    dir_->start("firefox", 200);
    open();
    QString message;
    answerNextAlert("Cancel", [&](QMessageBox* box) { message = box->text(); });
    click(page_->scanButton());
    EXPECT_EQ(message, InternetPrivacyController::runningBrowsersMessage());
    EXPECT_EQ(starts(), 0);
    EXPECT_EQ(page_->scanButton()->state(), 1);

    answerNextAlert("Continue");
    click(page_->scanButton());
    ASSERT_TRUE(waitUntilIdle({kModule}));
    EXPECT_EQ(starts(), 1);
    EXPECT_GT(page_->totalItems(), 0);
}

TEST_F(InternetPrivacyPage, StopDuringTheScanAsksNothing) {
    writeBrowsers();
    dir_->start("firefox", 200);
    open();
    NotificationHold hold("ActivityStartStopNotification",
                          NotificationHold::startOf(kModule, "scan"));
    answerNextAlert("Continue");
    click(page_->scanButton());
    ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
    hold.release();
    ASSERT_TRUE(waitFor([&] { return page_->scanButton()->state() == 0; }));
    click(page_->scanButton()); // Stop Scan: an alert now would hang the click
    EXPECT_TRUE(engine_->stopFillingInternetPrivacy() || !engine_->isModuleBusy(kModule));
    ASSERT_TRUE(waitUntilIdle({kModule}));
    EXPECT_EQ(starts(), 1);
}

TEST_F(InternetPrivacyPage, TheSheetListsTickedRunningBrowsersOnly) {
    writeBrowsers();
    open();
    scan();
    dir_->start("firefox", 200);
    // Only Chrome ticked while Firefox runs: no sheet, the clean goes on.
    clickCheckBoxOf(tree(), item("Google Chrome", "Internet History"));
    answerNextAlert("OK");
    click(page_->removeButton());
    ASSERT_TRUE(waitUntilIdle({kModule}));
    EXPECT_EQ(activities_->activities(kModule, "start"), 2);

    // Firefox ticked and running: the sheet; Cancel gives up.
    clickCheckBoxOf(tree(), item("Firefox", "Cookies"));
    auto* sheetWindow = page_->runningAppsSheet().appsRunningSheet();
    answerNextAlert("OK");
    whenReady([sheetWindow] { return sheetWindow->isVisible(); },
              [&] {
                  EXPECT_EQ(page_->runningAppsSheet().tableArray().size(), 1u);
                  EXPECT_EQ(page_->runningAppsSheet().tableArray()[0].appName, "Firefox");
                  screenshot(*sheetWindow, "privacy_running_sheet");
              });
    pressInSheetWhenShown(page_.get(), "Cancel");
    click(page_->removeButton());
    EXPECT_EQ(activities_->activities(kModule, "start"), 2);
    EXPECT_EQ(page_->removeButton()->state(), 1);

    // Continue with every ticked browser running: nothing to clean either.
    answerNextAlert("OK");
    pressInSheetWhenShown(page_.get(), "Continue");
    click(page_->removeButton());
    EXPECT_EQ(activities_->activities(kModule, "start"), 2);
    EXPECT_EQ(page_->removeButton()->state(), 1);

    // Continue with Safari ticked too: the clean runs and skips Firefox.
    clickCheckBoxOf(tree(), item("Safari", "Download History"));
    answerNextAlert("OK");
    pressInSheetWhenShown(page_.get(), "Continue");
    click(page_->removeButton());
    ASSERT_TRUE(waitUntilIdle({kModule}));
    EXPECT_EQ(activities_->activities(kModule, "start"), 3);
    EXPECT_FALSE(qcore::FileManager::exists(home_.file("Library/Safari/Downloads.plist")));
    EXPECT_EQ(fixtures::rowCount(home_.file(kProfile + "/cookies.sqlite"), "moz_cookies"), 3);
    EXPECT_TRUE(item("Firefox", "Cookies").isValid());

    // Retry once the browser has quit: the sheet goes and the clean starts.
    answerNextAlert("OK");
    whenReady([sheetWindow] { return sheetWindow->isVisible(); }, [&] { dir_->stop(200); });
    pressInSheetWhenShown(page_.get(), "Retry");
    click(page_->removeButton());
    ASSERT_TRUE(waitUntilIdle({kModule}));
    EXPECT_EQ(activities_->activities(kModule, "start"), 4);
    EXPECT_EQ(fixtures::rowCount(home_.file(kProfile + "/cookies.sqlite"), "moz_cookies"), 0);
}

TEST_F(InternetPrivacyPage, AfterACleanThatRemovedNothingTheCleanButtonStays) {
    writeBrowsers();
    open();
    scan();
    // The listed file became a folder: the clean refuses it and removes nothing.
    const std::string downloads = home_.file("Library/Safari/Downloads.plist");
    ASSERT_TRUE(qcore::FileManager::removeItem(downloads));
    write("Library/Safari/Downloads.plist/inside", "not what was listed");
    clickCheckBoxOf(tree(), item("Safari", "Download History"));
    answerNextAlert("OK");
    click(page_->removeButton());
    ASSERT_TRUE(waitUntilIdle({kModule}));
    EXPECT_TRUE(qcore::FileManager::exists(downloads + "/inside"));
    EXPECT_TRUE(item("Safari", "Download History").isValid());
    EXPECT_TRUE(page_->removeButton()->isVisible());
    EXPECT_TRUE(page_->removeButton()->isEnabled());
    EXPECT_FALSE(page_->scanButton()->isVisible());
}

TEST_F(InternetPrivacyPage, WithoutAccessTickedSafariItemsOpenTheGuideInsteadOfTheClean) {
    writeBrowsers();
    open();
    scan();
    FullDiskAccess::setProbeForTesting(
        [](const std::string&) { return FullDiskAccess::FolderState::Denied; });
    clickCheckBoxOf(tree(), item("Safari", "Download History"));
    click(page_->removeButton());
    EXPECT_TRUE(page_->guide().isVisible());
    EXPECT_EQ(starts(), 1);
    EXPECT_EQ(page_->removeButton()->state(), 1);
    EXPECT_TRUE(page_->removeButton()->isEnabled());
    page_->guide().window()->close();

    // Safari untouched: no gate, the confirmation comes.
    clickCheckBoxOf(tree(), item("Safari", "Download History"));
    clickCheckBoxOf(tree(), item("Google Chrome", "Internet History"));
    answerNextAlert("Cancel");
    click(page_->removeButton());
    EXPECT_FALSE(page_->guide().isVisible());
}

TEST_F(InternetPrivacyPage, AnEmptyScanWithoutAccessOpensTheGuideAndClosingItSettlesTheButton) {
    FullDiskAccess::setProbeForTesting(
        [](const std::string&) { return FullDiskAccess::FolderState::Denied; });
    open();
    scan();
    ASSERT_TRUE(waitFor([this] { return page_->guide().isVisible(); }));
    EXPECT_EQ(page_->totalItems(), 0);
    QTest::mouseClick(page_->guide().ui().stepNext, Qt::LeftButton);
    QTest::mouseClick(page_->guide().ui().stepCancel, Qt::LeftButton);
    EXPECT_FALSE(page_->guide().isVisible());
    EXPECT_EQ(page_->scanButton()->state(), 1);
    EXPECT_TRUE(page_->scanButton()->isEnabled());
    ASSERT_TRUE(waitFor(
        [this] { return page_->findChild<QCheckBox*>("checkUncheckButton")->isEnabled(); }));
    EXPECT_TRUE(page_->scanButton()->isVisible());
    EXPECT_FALSE(page_->removeButton()->isVisible());
}

} // namespace

TEST_F(InternetPrivacyPage, TheCheckAllBoxFollowsAFreshScanThatTicksNothing) {
    writeBrowsers();
    open();
    scan();
    auto* box = page_->findChild<QCheckBox*>("checkUncheckButton");
    ASSERT_TRUE(waitFor([&] { return box->isEnabled(); }));
    ASSERT_GT(page_->totalItems(), 0);
    EXPECT_EQ(page_->selectedItems(), 0);
    EXPECT_FALSE(box->isChecked());

    click(box);
    EXPECT_EQ(page_->selectedItems(), page_->totalItems());
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(page_->removeButton()->isEnabled());
}
