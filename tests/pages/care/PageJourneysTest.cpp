// Journeys through the four junk-cleaner pages as a user makes them: scan, untick some rows,
// clean after confirming, stop a clean; then the disk holds exactly what was left unticked.
#include "tests/pages/support/PageJourney.h"

#include "engine/ModuleKeys.h"
#include "pages/care/CacheController.h"
#include "pages/care/LogsController.h"
#include "pages/care/PartialDownloads.h"
#include "pages/care/TrashController.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/IMGButton.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

#include <filesystem>

namespace fs = std::filesystem;
using qengine::modules::kLogsCleaner;
using qengine::modules::kPartialDownloads;
using qengine::modules::kSystemCleaner;
using qengine::modules::kTrashCleaner;

namespace {

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
    // The row whose title column reads `title`, under `parent`.
    static QModelIndex rowTitled(QAbstractItemModel* model, const QString& title,
                                 const QModelIndex& parent = {}) {
        for (int row = 0; row < model->rowCount(parent); ++row)
            if (model->index(row, 2, parent).data().toString() == title)
                return model->index(row, 0, parent);
        ADD_FAILURE() << "no row " << title.toStdString();
        return {};
    }

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

TEST_F(Journeys, SystemCleanerScansUntickedRowsSurviveTheClean) {
    for (const char* app : {"com.example.alpha", "com.example.beta", "com.example.gamma",
                            "com.example.delta", "com.example.omega"})
        write(std::string("Library/Caches/") + app + "/cache.db", std::string(app) + " bytes");
    write("Documents/keep.txt", "mine");
    const std::string outside = outside_.write("elsewhere.txt", "not the home's");
    const auto untouchedBefore = homeContents();

    qpages::CacheController page(*engine_);
    page.view();
    showPage(page);
    screenshot(page, "system_cleaner_empty");
    EXPECT_FALSE(button(page, "scanButton")->isHidden());
    EXPECT_TRUE(button(page, "removeButton")->isHidden());

    scanWithPicture(page, kSystemCleaner, "system_cleaner");
    EXPECT_EQ(label(page, "lblSelectedItems"), "5 of 5 items selected");
    EXPECT_TRUE(button(page, "scanButton")->isHidden());
    EXPECT_TRUE(button(page, "removeButton")->isEnabled());
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_Cache"), "Last scan");

    auto* tree = page.findChild<QTreeView*>("outlineView");
    ASSERT_TRUE(chooseFromContextMenu(tree, {}, "Expand All"));
    const QModelIndex userCaches = tree->model()->index(0, 0);
    ASSERT_EQ(tree->model()->rowCount(userCaches), 5);
    EXPECT_TRUE(tree->isExpanded(userCaches));
    screenshot(page, "system_cleaner_results");

    clickCheckBoxOf(tree, rowTitled(tree->model(), "com.example.beta", userCaches));
    EXPECT_EQ(label(page, "lblSelectedItems"), "4 of 5 items selected");
    EXPECT_TRUE(tree->isExpanded(userCaches)) << "a tick must not collapse the tree";
    EXPECT_EQ(tree->model()->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::PartiallyChecked);
    clickCheckBoxOf(tree, rowTitled(tree->model(), "com.example.delta", userCaches));
    EXPECT_EQ(label(page, "lblSelectedItems"), "3 of 5 items selected");
    EXPECT_FALSE(checkAll(page)->isChecked());

    cleanWithPicture(page, kSystemCleaner, "system_cleaner");
    expectGone({"Library/Caches/com.example.alpha", "Library/Caches/com.example.gamma",
                "Library/Caches/com.example.omega"});
    expectKept({"Library/Caches/com.example.beta/cache.db",
                "Library/Caches/com.example.delta/cache.db", "Documents/keep.txt"});
    EXPECT_TRUE(fs::exists(outside));
    EXPECT_EQ(label(page, "lblSelectedItems"), "3 of 5 items cleaned");
    EXPECT_EQ(label(page, "lblOccupyRecover"), "Space Recovered");
    // Two unticked rows remain: Clean shows, disabled; Scan hides.
    EXPECT_FALSE(button(page, "removeButton")->isHidden());
    EXPECT_FALSE(button(page, "removeButton")->isEnabled());
    EXPECT_TRUE(button(page, "scanButton")->isHidden());
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_Cache"), "Last clean");

    // Tick everything again and stop the next clean before it removes anything.
    click(checkAll(page));
    EXPECT_EQ(label(page, "lblSelectedItems"), "2 of 2 items selected");
    stoppedCleanWithPicture(page, kSystemCleaner, "system_cleaner");
    expectKept(
        {"Library/Caches/com.example.beta/cache.db", "Library/Caches/com.example.delta/cache.db"});
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_Cache"),
              " Last clean(incomplete)");
    (void)untouchedBefore;
}

} // namespace
