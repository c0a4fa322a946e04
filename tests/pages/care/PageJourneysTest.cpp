// Journeys through the four junk-cleaner pages as a user makes them: scan, untick some rows,
// clean after confirming, stop a clean; then the disk holds exactly what was left unticked.
#include "tests/pages/support/PageJourney.h"

#include "engine/ModuleKeys.h"
#include "pages/care/CacheController.h"
#include "pages/care/LogsController.h"
#include "pages/care/PartialDownloads.h"
#include "pages/care/TrashController.h"
#include "platform/core/UserDefaults.h"
#include "tests/support/GuiDriving.h"
#include "toolkit/IMGButton.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;
using gui_driving::accessibilityAction;
using gui_driving::accessibleName;
using qengine::modules::kLogsCleaner;
using qengine::modules::kPartialDownloads;
using qengine::modules::kSystemCleaner;
using qengine::modules::kTrashCleaner;

namespace {

// What one page's journey needs: its fixture, which rows to untick and what must be gone.
struct JourneyCase {
    std::string shot;
    std::string module;
    std::string lastScanWord;
    std::vector<std::string> untick; // row titles
    std::vector<std::string> gone;   // home-relative paths the first clean removes
    std::vector<std::string> kept;   // home-relative paths of the unticked rows
    bool expandByMenu = false;
};

class Journeys : public PageJourney {
protected:
    std::string label(QWidget& page, const char* name) const {
        auto* found = page.findChild<QLabel*>(name);
        return found ? found->text().toStdString() : std::string("<no label>");
    }
    std::string title(QWidget& page, const char* name) const {
        auto* found = page.findChild<QAbstractButton*>(name);
        return found ? found->text().toStdString() : std::string("<no button>");
    }
    QAbstractButton* button(QWidget& page, const char* name) const {
        return page.findChild<QAbstractButton*>(name);
    }
    QCheckBox* checkAll(QWidget& page) const {
        return page.findChild<QCheckBox*>("checkUncheckButton");
    }
    QLabel* stopImage(QWidget& page) const { return page.findChild<QLabel*>("imgStopScanClean"); }

    QAbstractItemView* resultsOf(QWidget& page) const {
        if (auto* tree = page.findChild<QTreeView*>("outlineView")) return tree;
        return page.findChild<QTableView*>("tableView");
    }
    // The row titled `title` at the top level or inside a group.
    static QModelIndex findRow(QAbstractItemModel* model, const std::string& title) {
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex top = model->index(row, 0);
            if (model->index(row, 2).data().toString().toStdString() == title) return top;
            for (int item = 0; item < model->rowCount(top); ++item)
                if (model->index(item, 2, top).data().toString().toStdString() == title)
                    return model->index(item, 0, top);
        }
        ADD_FAILURE() << "no row " << title;
        return {};
    }
    std::string lastScanStatus(const std::string& word) const {
        return qcore::UserDefaults::standard().stringForKey("lastScanStatus_" + word);
    }

    void runJourney(qpages::ModuleViewController& page, const JourneyCase& c);

    // Clicks Scan and, with the scan held after its third item, takes the scanning picture.
    void scanWithPicture(QWidget& page, const std::string& module, const std::string& shot) {
        int updates = 0;
        NotificationHold hold("DataFillerUpdateNotification",
                              [&updates, module](const qcore::Notification& n) {
                                  return n.info("notificationGroup") == module && ++updates == 3;
                              });
        click(button(page, "scanButton"));
        ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
        waitFor([&] { return label(page, "lblSelectedItems").rfind("3 ", 0) == 0; }, 2000);
        EXPECT_EQ(label(page, "lblSelectedItems"), "3 items found");
        EXPECT_EQ(title(page, "scanButton"), "Stop Scan");
        EXPECT_FALSE(button(page, "rescanButton")->isEnabled());
        screenshot(page, shot + "_scanning");
        hold.release();
        ASSERT_TRUE(waitUntilIdle({module}));
    }

    // Confirms a clean in the alert and, held at the clean's start, takes the cleaning picture.
    void cleanWithPicture(QWidget& page, const std::string& module, const std::string& shot) {
        NotificationHold hold("ActivityStartStopNotification",
                              NotificationHold::startOf(module, "remove"));
        answerNextAlert("OK");
        click(button(page, "removeButton"));
        ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
        waitFor([&] { return title(page, "removeButton") == "Stop Cleaning"; }, 2000);
        EXPECT_TRUE(button(page, "scanButton")->isHidden());
        EXPECT_FALSE(checkAll(page)->isEnabled());
        screenshot(page, shot + "_cleaning");
        hold.release();
        ASSERT_TRUE(waitUntilIdle({module}));
    }

    // Starts a clean, presses Stop Cleaning while it is held at its start, and takes the
    // stopped picture.
    void stoppedCleanWithPicture(QWidget& page, const std::string& module,
                                 const std::string& shot) {
        NotificationHold hold("ActivityStartStopNotification",
                              NotificationHold::startOf(module, "remove"));
        answerNextAlert("OK");
        click(button(page, "removeButton"));
        ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
        waitFor([&] { return !button(page, "removeButton")->isHidden(); }, 2000);
        click(button(page, "removeButton")); // Stop Cleaning
        EXPECT_FALSE(button(page, "removeButton")->isEnabled());
        hold.release();
        ASSERT_TRUE(waitUntilIdle({module}));
        EXPECT_TRUE(stopImage(page)->isVisible());
        EXPECT_TRUE(checkAll(page)->isChecked());
        screenshot(page, shot + "_stopped_clean");
    }

    void expectGone(const std::vector<std::string>& paths) const {
        for (const auto& path : paths)
            EXPECT_FALSE(fs::exists(home_.file(path))) << path;
    }
    void expectKept(const std::vector<std::string>& paths) const {
        for (const auto& path : paths)
            EXPECT_TRUE(fs::exists(home_.file(path))) << path;
    }
};

// Scan, untick, clean, look at the disk; tick all again and stop the next clean.
void Journeys::runJourney(qpages::ModuleViewController& page, const JourneyCase& c) {
    write("Documents/keep.txt", "mine");
    const std::string outside = outside_.write("elsewhere.txt", "not the home's");
    const auto before = homeContents();
    const auto rows = c.untick.size() + c.gone.size();
    const auto left = c.untick.size();
    auto counts = [](std::size_t a, std::size_t b, const char* what) {
        return std::to_string(a) + " of " + std::to_string(b) + " items " + what;
    };

    page.view();
    showPage(page);
    screenshot(page, c.shot + "_empty");
    EXPECT_FALSE(button(page, "scanButton")->isHidden());
    EXPECT_TRUE(button(page, "removeButton")->isHidden());

    scanWithPicture(page, c.module, c.shot);
    EXPECT_EQ(label(page, "lblSelectedItems"), counts(rows, rows, "selected"));
    EXPECT_TRUE(button(page, "scanButton")->isHidden());
    EXPECT_TRUE(button(page, "removeButton")->isEnabled());
    EXPECT_EQ(lastScanStatus(c.lastScanWord), "Last scan");

    auto* view = resultsOf(page);
    if (c.expandByMenu) {
        ASSERT_TRUE(chooseFromContextMenu(view, {}, "Expand All"));
    }
    screenshot(page, c.shot + "_results");
    std::size_t selected = rows;
    for (const auto& title : c.untick) {
        clickCheckBoxOf(view, findRow(view->model(), title));
        EXPECT_EQ(label(page, "lblSelectedItems"), counts(--selected, rows, "selected"));
    }
    EXPECT_FALSE(checkAll(page)->isChecked());
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
        EXPECT_TRUE(tree->isExpanded(tree->model()->index(0, 0))) << "a tick collapsed the tree";
    }

    cleanWithPicture(page, c.module, c.shot);
    expectGone(c.gone);
    expectKept(c.kept);
    // Everything but what was ticked is as it was, byte for byte.
    auto expected = before;
    std::erase_if(expected, [&](const auto& file) {
        return std::any_of(c.gone.begin(), c.gone.end(),
                           [&](const auto& g) { return file.first.rfind(g, 0) == 0; });
    });
    EXPECT_EQ(homeContents(), expected);
    EXPECT_TRUE(fs::exists(outside));
    EXPECT_EQ(label(page, "lblSelectedItems"), counts(rows - left, rows, "cleaned"));
    EXPECT_EQ(label(page, "lblOccupyRecover"), "Space Recovered");
    // Unticked rows remain: Clean shows but is disabled; Scan hides.
    EXPECT_FALSE(button(page, "removeButton")->isHidden());
    EXPECT_FALSE(button(page, "removeButton")->isEnabled());
    EXPECT_TRUE(button(page, "scanButton")->isHidden());
    EXPECT_EQ(lastScanStatus(c.lastScanWord), "Last clean");

    click(checkAll(page));
    EXPECT_EQ(label(page, "lblSelectedItems"), counts(left, left, "selected"));
    stoppedCleanWithPicture(page, c.module, c.shot);
    expectKept(c.kept);
    EXPECT_NE(lastScanStatus(c.lastScanWord).find("Last clean(incomplete)"), std::string::npos);
}

TEST_F(Journeys, SystemCleanerScansUntickedRowsSurviveTheClean) {
    JourneyCase c;
    c.shot = "system_cleaner";
    c.module = kSystemCleaner;
    c.lastScanWord = "Cache";
    c.untick = {"com.example.beta", "com.example.delta"};
    for (const char* app : {"alpha", "beta", "gamma", "delta", "omega"}) {
        const std::string folder = std::string("Library/Caches/com.example.") + app;
        write(folder + "/cache.db", std::string(app) + " bytes");
        (c.untick.end() !=
                 std::find(c.untick.begin(), c.untick.end(), "com.example." + std::string(app))
             ? c.kept
             : c.gone)
            .push_back(folder);
    }
    c.expandByMenu = true;
    qpages::CacheController page(*engine_);
    runJourney(page, c);
}

TEST_F(Journeys, LogsCleanerShowsItsGroupExpandedAndKeepsUntickedLogs) {
    JourneyCase c;
    c.shot = "logs_cleaner";
    c.module = kLogsCleaner;
    c.lastScanWord = "Logs";
    c.untick = {"b.log", "Tool"};
    write("Library/Logs/a.log", "first");
    write("Library/Logs/b.log", "second");
    write("Library/Logs/c.log", "third");
    write("Library/Logs/Tool/run.log", "fourth");
    write("Library/Logs/z.log", "fifth");
    c.gone = {"Library/Logs/a.log", "Library/Logs/c.log", "Library/Logs/z.log"};
    c.kept = {"Library/Logs/b.log", "Library/Logs/Tool/run.log"};
    qpages::LogsController page(*engine_);
    runJourney(page, c);
}

TEST_F(Journeys, TrashCleanerRemovesTheTickedCrashReportsOnly) {
    JourneyCase c;
    c.shot = "trash_cleaner";
    c.module = kTrashCleaner;
    c.lastScanWord = "Binary";
    c.untick = {"Beta.crash", "gamma.ips"};
    const std::string reports = "Library/Logs/DiagnosticReports/";
    for (const char* name : {"Alpha.crash", "Beta.crash", "gamma.ips", "Delta.crash", "omega.ips"})
        write(reports + name, std::string("report ") + name);
    write(reports + "com.apple.kept.crash", "the system's own");
    c.gone = {reports + "Alpha.crash", reports + "Delta.crash", reports + "omega.ips"};
    c.kept = {reports + "Beta.crash", reports + "gamma.ips", reports + "com.apple.kept.crash"};
    qpages::TrashController page(*engine_);
    runJourney(page, c);
}

TEST_F(Journeys, PartialDownloadsRemovesTheTickedOldDownloadsOnly) {
    // Downloads unfinished for a month or more.
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("partialDownloadsValue", "1");
    defaults.setObject("partialDownloadsUnit", "2");
    JourneyCase c;
    c.shot = "partial_downloads";
    c.module = kPartialDownloads;
    c.lastScanWord = "Partial";
    c.untick = {"movie.part", "folder.download"};
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 90);
    for (const char* name : {"movie.part", "song.part", "disk.download", "book.part"}) {
        write(std::string("Downloads/") + name, std::string("partial ") + name);
        fs::last_write_time(home_.file(std::string("Downloads/") + name), old);
    }
    write("Downloads/folder.download/data", "inside");
    fs::last_write_time(home_.file("Downloads/folder.download"), old);
    write("Downloads/fresh.part", "too new to list");
    write("Downloads/finished.zip", "not partial");
    c.gone = {"Downloads/song.part", "Downloads/disk.download", "Downloads/book.part"};
    c.kept = {"Downloads/movie.part", "Downloads/folder.download/data", "Downloads/fresh.part",
              "Downloads/finished.zip"};
    qpages::PartialDownloads page(*engine_);
    runJourney(page, c);
    // The page's own column: each download's last-modified date.
    auto* table = page.findChild<QTableView*>("tableView");
    EXPECT_EQ(table->model()->headerData(4, Qt::Horizontal).toString(), "Last Modified");
    EXPECT_FALSE(table->model()->index(0, 4).data().toString().isEmpty());
    defaults.removeObject("partialDownloadsValue");
    defaults.removeObject("partialDownloadsUnit");
}

TEST_F(Journeys, ASingleItemIsCountedInTheSingular) {
    write("Library/Logs/DiagnosticReports/Only.crash", "one report");
    qpages::TrashController page(*engine_);
    page.view();
    showPage(page);
    click(button(page, "scanButton"));
    ASSERT_TRUE(waitUntilIdle({kTrashCleaner}));
    EXPECT_EQ(label(page, "lblSelectedItems"), "1 of 1 item selected");
    auto* view = resultsOf(page);
    clickCheckBoxOf(view, findRow(view->model(), "Only.crash"));
    EXPECT_EQ(label(page, "lblSelectedItems"), "0 of 1 item selected");
    clickCheckBoxOf(view, findRow(view->model(), "Only.crash"));
    answerNextAlert("OK");
    click(button(page, "removeButton"));
    ASSERT_TRUE(waitUntilIdle({kTrashCleaner}));
    EXPECT_EQ(label(page, "lblSelectedItems"), "1 of 1 item cleaned");
}

TEST_F(Journeys, SortingTheTreeKeepsItsOpenGroupsOpen) {
    for (const char* app : {"alpha", "beta", "gamma"})
        write(std::string("Library/Caches/com.example.") + app + "/cache.db",
              std::string(app) + " cache bytes");
    qpages::CacheController page(*engine_);
    page.view();
    showPage(page);
    click(button(page, "scanButton"));
    ASSERT_TRUE(waitUntilIdle({kSystemCleaner}));
    auto* tree = page.findChild<QTreeView*>("outlineView");
    ASSERT_TRUE(chooseFromContextMenu(tree, {}, "Expand All"));
    const QModelIndex beta = findRow(tree->model(), "com.example.beta");
    const QModelIndex group = beta.parent();
    ASSERT_TRUE(tree->isExpanded(group));
    const auto* model = tree->model();
    for (int click = 0; click < 2; ++click) {
        clickHeader(tree->header(), 3);
        const QModelIndex moved = findRow(tree->model(), "com.example.beta").parent();
        EXPECT_TRUE(tree->isExpanded(moved)) << "sort " << click << " collapsed the group";
        EXPECT_EQ(model->rowCount(moved), 3);
    }
    // A tick after the sort lands on the row the user clicked, under its moved group.
    clickCheckBoxOf(tree, findRow(tree->model(), "com.example.beta"));
    EXPECT_EQ(label(page, "lblSelectedItems"), "2 of 3 items selected");
}

TEST_F(Journeys, AnAssistiveToolDrivesThePageAndHearsWhatEachButtonDoes) {
    std::vector<std::string> caches;
    for (const char* app : {"alpha", "beta", "gamma"})
        caches.push_back(write(std::string("Library/Caches/com.example.") + app + "/cache.db",
                               std::string(app) + " cache bytes"));
    qpages::CacheController page(*engine_);
    page.view();
    showPage(page);
    auto* scan = button(page, "scanButton");
    auto* clean = button(page, "removeButton");
    const auto press = [](QAbstractButton* control) {
        return accessibilityAction(control, QAccessibleActionInterface::pressAction());
    };
    EXPECT_EQ(accessibleName(scan), "Start Scan");
    {
        NotificationHold hold("DataFillerUpdateNotification", [](const qcore::Notification& n) {
            return n.info("notificationGroup") == kSystemCleaner;
        });
        ASSERT_TRUE(press(scan));
        ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
        waitFor([&] { return title(page, "scanButton") == "Stop Scan"; }, 2000);
        EXPECT_EQ(accessibleName(scan), "Stop Scan");
        // The hold goes only once its thread has left it.
        hold.release();
        ASSERT_TRUE(waitUntilIdle({kSystemCleaner}));
    }
    EXPECT_EQ(label(page, "lblSelectedItems"), "3 of 3 items selected");
    EXPECT_EQ(accessibleName(clean), "Clean Now");

    // The check-all box: cleared by the tool's toggle, ticked again by the mouse.
    ASSERT_TRUE(accessibilityAction(checkAll(page), QAccessibleActionInterface::toggleAction()));
    EXPECT_FALSE(checkAll(page)->isChecked());
    EXPECT_EQ(label(page, "lblSelectedItems"), "0 of 3 items selected");
    EXPECT_FALSE(clean->isEnabled());
    click(checkAll(page));
    EXPECT_EQ(label(page, "lblSelectedItems"), "3 of 3 items selected");

    // The module is claimed elsewhere: Rescan is refused and the page keeps its face.
    ASSERT_TRUE(engine_->claimModule(kSystemCleaner));
    ASSERT_TRUE(press(button(page, "rescanButton")));
    QTest::qWait(300);
    EXPECT_TRUE(scan->isHidden()) << "a refused rescan showed the Scan button";
    EXPECT_FALSE(clean->isHidden());
    engine_->cancelModuleClaim(kSystemCleaner);

    // Claimed while the user confirms: the clean cannot start and the button stays Clean Now.
    answerNextAlert("OK", [this](QMessageBox*) { engine_->claimModule(kSystemCleaner); });
    click(clean);
    EXPECT_EQ(title(page, "removeButton"), "Clean Now");
    EXPECT_EQ(accessibleName(clean), "Clean Now");
    for (const auto& path : caches)
        EXPECT_TRUE(fs::exists(path)) << path;
    engine_->cancelModuleClaim(kSystemCleaner);

    // Now the tool's press cleans, and its names follow the button through the clean.
    {
        NotificationHold hold("ActivityStartStopNotification",
                              NotificationHold::startOf(kSystemCleaner, "remove"));
        answerNextAlert("OK");
        ASSERT_TRUE(press(clean));
        ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
        waitFor([&] { return title(page, "removeButton") == "Stop Cleaning"; }, 2000);
        EXPECT_EQ(accessibleName(clean), "Stop Cleaning");
        hold.release();
        ASSERT_TRUE(waitUntilIdle({kSystemCleaner}));
    }
    for (const auto& path : caches)
        EXPECT_FALSE(fs::exists(path)) << path;
    EXPECT_FALSE(scan->isHidden());
    EXPECT_EQ(accessibleName(scan), "Start Scan");

    // A scan the tool asks for while the module is claimed is refused; the next one runs.
    ASSERT_TRUE(engine_->claimModule(kSystemCleaner));
    ASSERT_TRUE(press(scan));
    QTest::qWait(300);
    EXPECT_EQ(title(page, "scanButton"), "Start Scan");
    engine_->cancelModuleClaim(kSystemCleaner);
    const int scans = activities_->activities(kSystemCleaner, "start");
    ASSERT_TRUE(press(scan));
    ASSERT_TRUE(
        waitFor([&] { return activities_->activities(kSystemCleaner, "start") > scans; }, 3000))
        << "the second press was taken for Stop Scan";
    ASSERT_TRUE(waitUntilIdle({kSystemCleaner}));
    EXPECT_TRUE(scan->isEnabled());
}

} // namespace
