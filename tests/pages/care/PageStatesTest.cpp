// The faces of the module pages through the sequences a user meets: stops during a scan and a
// clean, a cancelled confirmation, nothing found, rows of size 0, other modules' reloads, runs
// started elsewhere and a first show after a clean; sorting, the context menu and reveal.
#include "tests/pages/support/PageJourney.h"

#include "engine/ModuleKeys.h"
#include "pages/care/CacheController.h"
#include "pages/care/LogsController.h"
#include "pages/care/PartialDownloads.h"
#include "pages/care/TrashController.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Geometry.h"
#include "toolkit/IMGButton.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include <filesystem>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using qengine::modules::kLogsCleaner;
using qengine::modules::kPartialDownloads;
using qengine::modules::kSystemCleaner;
using qengine::modules::kTrashCleaner;

namespace {

// What the user sees of a page's controls, in one line, so sequences read as recorded.
std::string faceOf(QWidget& page) {
    std::ostringstream face;
    const auto describe = [&](const char* name) {
        auto* button = page.findChild<qtk::IMGButton*>(name);
        face << name << ":";
        if (!button || button->isHidden()) {
            face << "hidden ";
            return;
        }
        face << button->text().toStdString() << "/" << button->state()
             << (button->isEnabled() ? "" : "/disabled") << " ";
    };
    describe("scanButton");
    describe("removeButton");
    auto* box = page.findChild<QCheckBox*>("checkUncheckButton");
    face << "all:" << (box->isChecked() ? "ticked" : "unticked")
         << (box->isEnabled() ? "" : "/disabled");
    face << " stop:"
         << (page.findChild<QLabel*>("imgStopScanClean")->isVisible() ? "shown" : "hidden");
    return face.str();
}

class PageStates : public PageJourney {
protected:
    std::string counts(QWidget& page) const {
        return page.findChild<QLabel*>("lblSelectedItems")->text().toStdString();
    }
    std::string lastScan(QWidget& page) const {
        return page.findChild<QLabel*>("lblLastScan")->text().toStdString();
    }
    QAbstractButton* button(QWidget& page, const char* name) const {
        return page.findChild<QAbstractButton*>(name);
    }
    void writeCaches(int n) const {
        for (int i = 0; i < n; ++i)
            home_.write("Library/Caches/com.example.app" + std::to_string(i) + "/c.bin",
                        std::string(static_cast<std::size_t>(10 + i), 'c'));
    }
    void writeReports(const std::vector<std::pair<std::string, std::string>>& reports) const {
        for (const auto& [name, bytes] : reports)
            home_.write("Library/Logs/DiagnosticReports/" + name, bytes);
    }
    template <typename Page> void show(Page& page) {
        page.view();
        showPage(page);
    }
    void scan(qpages::ModuleViewController& page) {
        click(button(page, "scanButton"));
        ASSERT_TRUE(waitUntilIdle({page.activityName()}));
    }
    // The titles of the table's rows (or of a tree's group and its items), top to bottom.
    static std::vector<std::string> titles(QAbstractItemModel* model,
                                           const QModelIndex& parent = {}) {
        std::vector<std::string> list;
        for (int row = 0; row < model->rowCount(parent); ++row)
            list.push_back(model->index(row, 2, parent).data().toString().toStdString());
        return list;
    }
    std::vector<std::string> engineOrder(const std::string& module) const {
        std::vector<std::string> list;
        for (const auto& row : engine_->mainDataSource(module).rowsSnapshot())
            list.push_back(fs::path(qengine::row::fullPath(row)).filename().string());
        return list;
    }
};

TEST_F(PageStates, StopScanDisablesTheButtonUntilTheStopThenShowsWhatWasFound) {
    writeCaches(8);
    qpages::CacheController page(*engine_);
    show(page);
    int updates = 0;
    NotificationHold hold("DataFillerUpdateNotification", [&updates](const qcore::Notification& n) {
        return n.info("notificationGroup") == kSystemCleaner && ++updates == 3;
    });
    click(button(page, "scanButton"));
    ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
    EXPECT_EQ(faceOf(page),
              "scanButton:Stop Scan/0 removeButton:hidden all:ticked/disabled stop:hidden");

    click(button(page, "scanButton")); // Stop Scan
    EXPECT_EQ(
        faceOf(page),
        "scanButton:Stop Scan/1/disabled removeButton:hidden all:ticked/disabled stop:hidden");
    hold.release();
    ASSERT_TRUE(waitUntilIdle({kSystemCleaner}));
    EXPECT_EQ(faceOf(page), "scanButton:hidden removeButton:Clean Now/1 all:ticked stop:shown");
    EXPECT_EQ(counts(page), "3 of 3 items selected");
    EXPECT_EQ(lastScan(page).rfind("Last scan (incomplete): Today, ", 0), 0u) << lastScan(page);
}

TEST_F(PageStates, StopCleaningKeepsTheRemainingRowsAndTicksTheBox) {
    writeCaches(4);
    qpages::CacheController page(*engine_);
    show(page);
    scan(page);
    NotificationHold hold("ActivityStartStopNotification",
                          NotificationHold::startOf(kSystemCleaner, "remove"));
    answerNextAlert("OK");
    click(button(page, "removeButton"));
    ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
    waitFor([&] { return !button(page, "removeButton")->isHidden(); }, 2000);
    EXPECT_EQ(faceOf(page),
              "scanButton:hidden removeButton:Stop Cleaning/0 all:ticked/disabled stop:hidden");
    click(button(page, "removeButton")); // Stop Cleaning
    EXPECT_EQ(
        faceOf(page),
        "scanButton:hidden removeButton:Stop Cleaning/0/disabled all:ticked/disabled stop:hidden");
    hold.release();
    ASSERT_TRUE(waitUntilIdle({kSystemCleaner}));
    EXPECT_EQ(faceOf(page), "scanButton:hidden removeButton:Clean Now/1 all:ticked stop:shown");
    EXPECT_EQ(counts(page), "0 of 4 items cleaned");
    EXPECT_EQ(engine_->getItemsCountOfModule(kSystemCleaner), 4);
    EXPECT_EQ(lastScan(page).rfind(" Last clean(incomplete): ", 0), 0u) << lastScan(page);
    // A tick hides the stop image again.
    click(page.findChild<QCheckBox*>("checkUncheckButton"));
    EXPECT_EQ(faceOf(page),
              "scanButton:hidden removeButton:Clean Now/1/disabled all:unticked stop:hidden");
}

TEST_F(PageStates, CancelInTheConfirmationStartsNothing) {
    writeReports({{"a.crash", "one"}, {"b.crash", "two"}});
    qpages::TrashController page(*engine_);
    show(page);
    scan(page);
    const int cleansBefore = activities_->activities(kTrashCleaner, "start");
    answerNextAlert("Cancel");
    click(button(page, "removeButton"));
    EXPECT_FALSE(engine_->isModuleBusy(kTrashCleaner));
    EXPECT_EQ(activities_->activities(kTrashCleaner, "start"), cleansBefore);
    EXPECT_EQ(faceOf(page), "scanButton:hidden removeButton:Clean Now/1 all:ticked stop:hidden");
    EXPECT_TRUE(fs::exists(home_.file("Library/Logs/DiagnosticReports/a.crash")));
}

TEST_F(PageStates, NothingFoundOffersAnotherScan) {
    qpages::CacheController tree(*engine_);
    show(tree);
    scan(tree);
    EXPECT_EQ(faceOf(tree),
              "scanButton:Start Scan/1 removeButton:hidden all:ticked/disabled stop:hidden");
    EXPECT_EQ(lastScan(tree).rfind("Last scan: Today", 0), 0u);

    // The flat page keeps its box enabled and ticked (0 of 0 is everything) and offers no menu.
    qpages::TrashController flat(*engine_);
    show(flat);
    scan(flat);
    EXPECT_EQ(faceOf(flat), "scanButton:Start Scan/1 removeButton:hidden all:ticked stop:hidden");
    for (const auto& [title, enabled] :
         contextMenuItems(flat.findChild<QTableView*>("tableView"), {}))
        EXPECT_FALSE(enabled) << title.toStdString();
}

TEST_F(PageStates, RowsOfSizeZeroOfferNoCleanOnAFlatPage) {
    writeReports({{"empty1.crash", ""}, {"empty2.crash", ""}});
    qpages::TrashController page(*engine_);
    show(page);
    scan(page);
    EXPECT_EQ(page.findChild<QTableView*>("tableView")->model()->rowCount(), 2);
    EXPECT_EQ(faceOf(page), "scanButton:Start Scan/1 removeButton:hidden all:ticked stop:hidden");
}

TEST_F(PageStates, AReloadOfAnotherModuleChangesNothing) {
    writeCaches(2);
    qpages::CacheController page(*engine_);
    show(page);
    scan(page);
    const std::string before = faceOf(page) + counts(page);
    engine_->setPauseLogsCleaner(true);
    engine_->sendReloadNotification(kLogsCleaner);
    waitFor([] { return false; }, 50);
    EXPECT_TRUE(engine_->pauseLogsCleaner());
    EXPECT_EQ(faceOf(page) + counts(page), before);
    engine_->setPauseLogsCleaner(false);
}

TEST_F(PageStates, ARunStartedElsewhereMovesThePageAndIsReleasedAtItsPauses) {
    writeCaches(12);
    qpages::CacheController page(*engine_);
    show(page);
    // As the One Click dashboard does it: claim, then the engine's scan on a thread of its own.
    NotificationHold hold("ActivityStartStopNotification",
                          NotificationHold::startOf(kSystemCleaner, "scan"));
    ASSERT_TRUE(engine_->claimModule(kSystemCleaner));
    std::thread dashboard([this] { engine_->fillCacheCleaner(); });
    ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
    EXPECT_EQ(faceOf(page),
              "scanButton:Stop Scan/0 removeButton:hidden all:ticked/disabled stop:hidden");
    EXPECT_FALSE(page.findChild<QPushButton*>("rescanButton")->isEnabled());
    hold.release();
    ASSERT_TRUE(waitUntilIdle({kSystemCleaner}));
    dashboard.join();
    EXPECT_EQ(activities_->activities(kSystemCleaner, "start"), 1);
    EXPECT_EQ(counts(page), "12 of 12 items selected");
}

TEST_F(PageStates, AFirstShowAfterAFinishedCleanShowsThatClean) {
    writeReports({{"a.crash", "aaaa"}, {"b.crash", "bb"}, {"c.crash", "c"}});
    qpages::TrashController page(*engine_);
    ASSERT_TRUE(page.scanNow());
    ASSERT_TRUE(waitUntilIdle({kTrashCleaner}));
    // Untick "b" in the engine, as another view would, then clean before the view exists.
    engine_->mainDataSource(kTrashCleaner).withLock([](auto&, auto& rows) {
        for (auto& row : rows)
            if (qengine::row::fullPath(row).ends_with("b.crash")) qengine::row::setState(row, 0);
    });
    ASSERT_TRUE(page.removeNow());
    ASSERT_TRUE(waitUntilIdle({kTrashCleaner}));
    const auto stored = qcore::UserDefaults::standard().stringForKey("lastScanTime_Binary");

    page.view();
    showPage(page);
    EXPECT_EQ(counts(page), "2 of 3 items cleaned");
    EXPECT_EQ(page.findChild<QLabel*>("lblOccupyRecover")->text().toStdString(), "Space Recovered");
    EXPECT_EQ(page.findChild<QLabel*>("lblSize")->text().toStdString(), "5 bytes");
    EXPECT_EQ(faceOf(page),
              "scanButton:hidden removeButton:Clean Now/1/disabled all:unticked stop:hidden");
    // Showing the page recorded nothing.
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanTime_Binary"), stored);
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_Binary"), "Last clean");
}

TEST_F(PageStates, StartScanRetitlesAtTheClickOnlyOnTheSystemCleaner) {
    qpages::CacheController cache(*engine_);
    qpages::LogsController logs(*engine_);
    show(cache);
    show(logs);
    NotificationHold holdCache("ActivityStartStopNotification",
                               NotificationHold::startOf(kSystemCleaner, "scan"));
    NotificationHold holdLogs("ActivityStartStopNotification",
                              NotificationHold::startOf(kLogsCleaner, "scan"));
    // Read before the engine's start is handed over.
    QTest::mouseClick(button(cache, "scanButton"), Qt::LeftButton);
    EXPECT_EQ(button(cache, "scanButton")->text().toStdString(), "Stop Scan");
    QTest::mouseClick(button(logs, "scanButton"), Qt::LeftButton);
    EXPECT_EQ(button(logs, "scanButton")->text().toStdString(), "Start Scan");
    ASSERT_TRUE(waitFor([&] { return holdLogs.reached(); }));
    EXPECT_EQ(button(logs, "scanButton")->text().toStdString(), "Stop Scan");
    holdCache.release();
    holdLogs.release();
    ASSERT_TRUE(waitUntilIdle({kSystemCleaner, kLogsCleaner}));
}

TEST_F(PageStates, ALongCaptionTakesTwoLinesAndAShortOneReturnsToOne) {
    qpages::TrashController page(*engine_);
    show(page);
    auto* caption = page.findChild<QLabel*>("lblOccupyRecover");
    auto* size = page.findChild<QLabel*>("lblSize");
    EXPECT_EQ(qui::frameOf(caption).height, 16);
    caption->setText(QString(60, QLatin1Char('W')));
    NotificationHold hold("ActivityStartStopNotification",
                          NotificationHold::startOf(kTrashCleaner, "scan"));
    click(button(page, "scanButton"));
    ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
    waitFor([&] { return qui::frameOf(caption).height == 32; }, 2000);
    EXPECT_EQ(qui::frameOf(caption).y, 4);
    EXPECT_EQ(qui::frameOf(caption).height, 32);
    EXPECT_EQ(qui::frameOf(size).y, 36);
    hold.release();
    ASSERT_TRUE(waitUntilIdle({kTrashCleaner}));
    EXPECT_EQ(qui::frameOf(caption).y, 12);
    EXPECT_EQ(qui::frameOf(caption).height, 16);
    EXPECT_EQ(qui::frameOf(size).y, 28);
}

TEST_F(PageStates, TheModifiedDateFollowsTheUsersLocale) {
    qengine::ModuleRow row = qengine::row::makePartialDownloadsRow(
        "/h/Downloads/a.part", 1, qcore::Date{1700000000.0}, qcore::Date{1700000000.0});
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString american = qpages::PartialDownloads::modifiedText(row);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString german = qpages::PartialDownloads::modifiedText(row);
    QLocale::setDefault(before);
    EXPECT_NE(american, german);
    EXPECT_TRUE(german.contains(QStringLiteral("11.23")) ||
                german.contains(QStringLiteral("11.2023")))
        << german.toStdString();
}

// --- Sorting ---------------------------------------------------------------------------------

TEST_F(PageStates, FlatSortAlternatesPerColumnKeepsTiesAndWritesTheOrderBack) {
    writeReports({{"b.crash", "22"}, {"B.crash", "4444"}, {"a.crash", "22"}, {"c.crash", "1"}});
    qpages::TrashController page(*engine_);
    show(page);
    scan(page);
    auto* table = page.findChild<QTableView*>("tableView");
    auto* header = table->horizontalHeader();
    EXPECT_FALSE(header->isSortIndicatorShown());

    clickHeader(header, 3); // size: ascending, ties in their former order
    EXPECT_EQ(titles(table->model()),
              (std::vector<std::string>{"c.crash", "a.crash", "b.crash", "B.crash"}));
    EXPECT_EQ(header->sortIndicatorSection(), 3);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(engineOrder(kTrashCleaner), titles(table->model()));

    clickHeader(header, 2); // title: case-sensitive, upper case first
    EXPECT_EQ(titles(table->model()),
              (std::vector<std::string>{"B.crash", "a.crash", "b.crash", "c.crash"}));
    clickHeader(header, 3); // size again: descending, ties still consistent
    EXPECT_EQ(titles(table->model()),
              (std::vector<std::string>{"B.crash", "a.crash", "b.crash", "c.crash"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    clickHeader(header, 1); // icon: no order, no indicator
    EXPECT_FALSE(header->isSortIndicatorShown());
    EXPECT_EQ(titles(table->model()),
              (std::vector<std::string>{"B.crash", "a.crash", "b.crash", "c.crash"}));

    // A new scan shows no indicator, but the size column goes on where it was: ascending.
    click(page.findChild<QPushButton*>("rescanButton"));
    ASSERT_TRUE(waitUntilIdle({kTrashCleaner}));
    EXPECT_FALSE(header->isSortIndicatorShown());
    clickHeader(header, 3);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(PageStates, AHeaderClickDuringAScanChangesNothing) {
    writeReports({{"b.crash", "22"}, {"a.crash", "1"}});
    qpages::TrashController page(*engine_);
    show(page);
    scan(page);
    auto* table = page.findChild<QTableView*>("tableView");
    clickHeader(table->horizontalHeader(), 3);
    const auto order = titles(table->model());

    NotificationHold hold("ActivityStartStopNotification",
                          NotificationHold::startOf(kTrashCleaner, "scan"));
    click(page.findChild<QPushButton*>("rescanButton"));
    ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
    clickHeader(table->horizontalHeader(), 3);
    EXPECT_EQ(table->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_TRUE(table->horizontalHeader()->isSortIndicatorShown());
    hold.release();
    ASSERT_TRUE(waitUntilIdle({kTrashCleaner}));
    // The refused click did not flip the column: the next one sorts descending.
    clickHeader(table->horizontalHeader(), 3);
    EXPECT_EQ(table->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_NE(titles(table->model()), order);
}

TEST_F(PageStates, TreeSortOrdersGroupsAndItemsAndTicksFollowTheNewPlaces) {
    write("Library/Caches/com.example.big/c.bin", std::string(300, 'b'));
    write("Library/Caches/com.example.small/c.bin", "s");
    write("Library/Caches/com.example.mid/c.bin", std::string(40, 'm'));
    write("Library/Containers/com.example.box/Data/Library/Caches/one", std::string(5000, 'x'));
    qpages::CacheController page(*engine_);
    show(page);
    scan(page);
    auto* tree = page.findChild<QTreeView*>("outlineView");
    clickHeader(tree->header(), 3);
    auto* model = tree->model();
    // Ascending: the user caches (341 bytes) before the sandbox (5000), items smallest first.
    EXPECT_EQ(titles(model), (std::vector<std::string>{"User Cache", "Sandbox Cache"}));
    EXPECT_EQ(
        titles(model, model->index(0, 0)),
        (std::vector<std::string>{"com.example.small", "com.example.mid", "com.example.big"}));
    clickHeader(tree->header(), 3);
    EXPECT_EQ(titles(model), (std::vector<std::string>{"Sandbox Cache", "User Cache"}));
    EXPECT_EQ(
        titles(model, model->index(1, 0)),
        (std::vector<std::string>{"com.example.big", "com.example.mid", "com.example.small"}));

    chooseFromContextMenu(tree, {}, "Expand All");
    clickCheckBoxOf(tree, model->index(0, 0, model->index(1, 0)));
    EXPECT_EQ(model->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::PartiallyChecked);
    EXPECT_EQ(model->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    // A mixed group ticked from its box ticks every item again.
    clickCheckBoxOf(tree, model->index(1, 0));
    EXPECT_EQ(model->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(counts(page), "4 of 4 items selected");
}

TEST_F(PageStates, PartialDownloadsSortByNameAndByEqualDates) {
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("partialDownloadsValue", "0");
    defaults.setObject("partialDownloadsUnit", "0");
    const auto when = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"b.part", "C.part", "a.part"}) {
        write(std::string("Downloads/") + name, name);
        fs::last_write_time(home_.file(std::string("Downloads/") + name), when);
    }
    qpages::PartialDownloads page(*engine_);
    show(page);
    scan(page);
    auto* table = page.findChild<QTableView*>("tableView");
    clickHeader(table->horizontalHeader(), 2);
    EXPECT_EQ(titles(table->model()), (std::vector<std::string>{"C.part", "a.part", "b.part"}));
    clickHeader(table->horizontalHeader(), 4); // equal dates keep their order both ways
    EXPECT_EQ(titles(table->model()), (std::vector<std::string>{"C.part", "a.part", "b.part"}));
    clickHeader(table->horizontalHeader(), 4);
    EXPECT_EQ(titles(table->model()), (std::vector<std::string>{"C.part", "a.part", "b.part"}));
    defaults.removeObject("partialDownloadsValue");
    defaults.removeObject("partialDownloadsUnit");
}

// --- Context menu and reveal -------------------------------------------------------------

TEST_F(PageStates, ShowInFileManagerNeedsAnItemRowAndRevealsItsPath) {
    write("Library/Caches/com.example.app/c.bin", "c");
    write("Library/Containers/com.example.box/Data/Library/Caches/first", "1");
    write("Library/Containers/com.example.box/Data/Library/Caches/second", "2");
    qpages::CacheController page(*engine_);
    std::vector<std::string> revealed;
    page.setRevealer([&revealed](const std::string& path) { revealed.push_back(path); });
    show(page);
    scan(page);
    auto* tree = page.findChild<QTreeView*>("outlineView");
    auto* model = tree->model();
    chooseFromContextMenu(tree, {}, "Expand All");

    const auto onGroup = contextMenuItems(tree, model->index(0, 0));
    ASSERT_EQ(onGroup.size(), 3u);
    EXPECT_FALSE(onGroup[0].second);
    EXPECT_TRUE(onGroup[1].second);
    EXPECT_FALSE(contextMenuItems(tree, {})[0].second); // empty space
    EXPECT_TRUE(contextMenuItems(tree, model->index(0, 0, model->index(0, 0)))[0].second);

    EXPECT_TRUE(chooseFromContextMenu(tree, model->index(0, 0, model->index(0, 0)),
                                      "Show in File Manager"));
    // The sandbox item stands for several paths and reveals the last.
    EXPECT_TRUE(chooseFromContextMenu(tree, model->index(0, 0, model->index(1, 0)),
                                      "Show in File Manager"));
    ASSERT_EQ(revealed.size(), 2u);
    EXPECT_EQ(revealed[0], home_.file("Library/Caches/com.example.app"));
    EXPECT_EQ(revealed[1],
              home_.file("Library/Containers/com.example.box/Data/Library/Caches/second"));

    // The Logs Cleaner reveals its items' own paths; its group row offers no reveal either.
    write("Library/Logs/a.log", "log");
    qpages::LogsController logs(*engine_);
    logs.setRevealer([&revealed](const std::string& path) { revealed.push_back(path); });
    show(logs);
    scan(logs);
    auto* logsTree = logs.findChild<QTreeView*>("outlineView");
    const QModelIndex logsGroup = logsTree->model()->index(0, 0);
    EXPECT_FALSE(chooseFromContextMenu(logsTree, logsGroup, "Show in File Manager"));
    EXPECT_TRUE(chooseFromContextMenu(logsTree, logsTree->model()->index(0, 0, logsGroup),
                                      "Show in File Manager"));
    ASSERT_EQ(revealed.size(), 3u);
    EXPECT_EQ(revealed[2], home_.file("Library/Logs/a.log"));
}

TEST_F(PageStates, AnItemStandingForPathsItDoesNotListRevealsNothing) {
    qpages::CacheController page(*engine_);
    std::vector<std::string> revealed;
    page.setRevealer([&revealed](const std::string& path) { revealed.push_back(path); });
    show(page);
    scan(page);
    auto item = std::make_shared<qengine::OutlineViewNode>();
    item->setTitle("com.example.empty");
    item->setFullPath(home_.file("Library/Containers/com.example.empty"));
    item->setIsMultiplePaths(true);
    ASSERT_TRUE(engine_->mainDataSource(kSystemCleaner).appendChild(0, item));
    engine_->sendReloadNotification(kSystemCleaner);
    auto* tree = page.findChild<QTreeView*>("outlineView");
    ASSERT_TRUE(waitFor([&] { return tree->model()->rowCount(tree->model()->index(0, 0)) == 1; }));
    tree->expandAll();
    EXPECT_TRUE(chooseFromContextMenu(tree, tree->model()->index(0, 0, tree->model()->index(0, 0)),
                                      "Show in File Manager"));
    EXPECT_TRUE(revealed.empty());
}

TEST_F(PageStates, AFlatPageRevealsNothingForEmptySpace) {
    writeReports({{"a.crash", "one"}});
    qpages::TrashController page(*engine_);
    std::vector<std::string> revealed;
    page.setRevealer([&revealed](const std::string& path) { revealed.push_back(path); });
    show(page);
    scan(page);
    auto* table = page.findChild<QTableView*>("tableView");
    // The flat menu is enabled wherever the click was; below the last row it reveals nothing.
    EXPECT_TRUE(chooseFromContextMenu(table, {}, "Show in File Manager"));
    EXPECT_TRUE(revealed.empty());
    EXPECT_TRUE(chooseFromContextMenu(table, table->model()->index(0, 0), "Show in File Manager"));
    ASSERT_EQ(revealed.size(), 1u);
    EXPECT_EQ(revealed[0], home_.file("Library/Logs/DiagnosticReports/a.crash"));
}

} // namespace
