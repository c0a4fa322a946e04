// Large Files and Old Downloads driven as a user drives them on a fixture home: scan with the
// page's button, tick a row's box, clean after the confirmation, then the disk checked.
#include "tests/pages/support/PageJourney.h"
#include "tests/pages/support/PageTestSupport.h"
#include "tests/pages/tools/FinderTestSupport.h"
#include "tests/support/GuiDriving.h"

#include "engine/ModuleKeys.h"
#include "pages/tools/LargeFilesController.h"
#include "pages/tools/OldDownloads.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/IMGButton.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

using qengine::modules::kLargeFiles;
using qengine::modules::kOldDownloads;

namespace {

constexpr std::uint64_t kMB = 1ull << 20;

// A page in a window of the main window's size.
template <typename Page> class Shown {
public:
    explicit Shown(qengine::DataFiller& engine) {
        window_.resize(820, 560);
        auto* layout = new QVBoxLayout(&window_);
        layout->setContentsMargins(0, 0, 0, 0);
        page_ = new Page(engine, &window_);
        layout->addWidget(page_->view());
        window_.show();
    }
    Page& page() { return *page_; }
    QWidget& window() { return window_; }
    QString label(const char* name) const {
        return page_->template findChild<QLabel*>(name)->text();
    }

private:
    QWidget window_;
    Page* page_ = nullptr;
};

// --- Large Files -----------------------------------------------------------------------------

class LargeFilesJourney : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // The thresholds as the program registers them: Others 50 MB, Video 25 MB, the rest 1 MB.
        qcore::UserDefaults::standard().registerDefaults({
            {"searchFileMinSize_Large", "50"},
            {"searchSizeUnit_Large", "2"},
            {"searchFileMinSize_LargeM", "1"},
            {"searchSizeUnit_LargeM", "2"},
            {"searchFileMinSize_LargeD", "1"},
            {"searchSizeUnit_LargeD", "2"},
            {"searchFileMinSize_LargeV", "25"},
            {"searchSizeUnit_LargeV", "2"},
            {"searchFileMinSize_LargeP", "1"},
            {"searchSizeUnit_LargeP", "2"},
        });
        qcore::UserDefaults::standard().setObject("LargeFilesPath", home_.path() + "/");
    }
    void TearDown() override {
        qcore::UserDefaults::standard().removeObject("LargeFilesPath");
        PageTest::TearDown();
    }
    // A sparse file of `bytes`: the size is real, the disk stays empty.
    std::string sized(const std::string& relative, std::uint64_t bytes) const {
        const auto path = write(relative, "");
        std::filesystem::resize_file(path, bytes);
        return path;
    }
    // The titles listed under each category, in order.
    std::map<std::string, std::vector<std::string>> listed() const {
        std::map<std::string, std::vector<std::string>> result;
        engine_->mainDataSource(kLargeFiles).withLock([&](const auto& categories, const auto&) {
            for (const auto& category : categories) {
                auto& titles = result[category->fullPath()];
                for (const auto& item : category->children())
                    titles.push_back(item->title());
            }
        });
        return result;
    }
    std::vector<std::string> categoryOrder() const {
        std::vector<std::string> order;
        for (const auto& category : engine_->mainDataSource(kLargeFiles).nodesSnapshot())
            order.push_back(category->fullPath());
        return order;
    }
    static QModelIndex row(QTreeView& tree, const QString& title, const QModelIndex& parent = {}) {
        auto* model = tree.model();
        for (int r = 0; r < model->rowCount(parent); ++r)
            if (model->index(r, 2, parent).data().toString() == title)
                return model->index(r, 0, parent);
        return {};
    }
};

TEST_F(LargeFilesJourney, CategoriesByThresholdLargestFirstThenCleanTheTickedFile) {
    const auto song = sized("Music/song.mp3", 2 * kMB);
    sized("Movies/clip.mov", 20 * kMB);
    sized("Movies/film.mp4", 30 * kMB);
    const auto report = sized("Documents/a-report.pdf", 2 * kMB);
    sized("Documents/z-bigger.pdf", 3 * kMB);
    sized("Data/blob.xyz", 60 * kMB);
    sized("Data/small.xyz", 10 * kMB);
    sized("Library/Caches/cache.bin", 100 * kMB);
    sized("Music/.hidden.mp3", 2 * kMB);
    Shown<qpages::LargeFilesController> shown(*engine_);
    auto& page = shown.page();

    QTest::mouseClick(page.scanButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kLargeFiles}));
    auto found = listed();
    EXPECT_EQ(found["Music"], std::vector<std::string>{"song.mp3"});
    EXPECT_EQ(found["Video"], std::vector<std::string>{"film.mp4"});
    EXPECT_EQ(found["Documents"], (std::vector<std::string>{"z-bigger.pdf", "a-report.pdf"}));
    EXPECT_EQ(found["Others"], std::vector<std::string>{"blob.xyz"});
    EXPECT_TRUE(found["Pictures"].empty());
    EXPECT_EQ(shown.label("lblSelectedItems"), "5 items found");
    // Largest first, in every category and across them, with the descending indicator.
    EXPECT_EQ(categoryOrder(),
              (std::vector<std::string>{"Others", "Video", "Documents", "Music", "Pictures"}));
    auto* header = page.findChild<QTreeView*>("outlineView")->header();
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(page.selectedItems(), 0);
    EXPECT_FALSE(page.removeButton()->isEnabled());

    auto& tree = *page.findChild<QTreeView*>("outlineView");
    const auto documents = row(tree, "Documents");
    tree.expand(documents);
    PageJourney::clickCheckBoxOf(&tree, row(tree, "a-report.pdf", documents));
    EXPECT_EQ(row(tree, "Documents").data(Qt::CheckStateRole).value<Qt::CheckState>(),
              Qt::PartiallyChecked);
    EXPECT_EQ(page.selectedItems(), 1);
    EXPECT_TRUE(page.removeButton()->isEnabled());
    tree.expandAll();
    PageJourney::screenshot(shown.window(), "large-files-results");

    PageJourney::answerNextAlert("OK");
    QTest::mouseClick(page.removeButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kLargeFiles}));
    EXPECT_FALSE(std::filesystem::exists(report));
    EXPECT_TRUE(std::filesystem::exists(song));
    EXPECT_EQ(std::filesystem::file_size(home_.file("Documents/z-bigger.pdf")), 3 * kMB);
    EXPECT_EQ(listed()["Documents"], std::vector<std::string>{"z-bigger.pdf"});
    // After a clean the size order turns round.
    EXPECT_EQ(categoryOrder(),
              (std::vector<std::string>{"Pictures", "Music", "Documents", "Video", "Others"}));
    EXPECT_EQ(row(tree, "Documents").data(Qt::CheckStateRole).value<Qt::CheckState>(),
              Qt::Unchecked);

    // A second scan after the categories were reordered still files every file by its kind.
    ASSERT_TRUE(page.findChild<QPushButton*>("rescanButton")->isVisible());
    QTest::mouseClick(page.findChild<QPushButton*>("rescanButton"), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kLargeFiles}));
    found = listed();
    EXPECT_EQ(found["Music"], std::vector<std::string>{"song.mp3"});
    EXPECT_EQ(found["Others"], std::vector<std::string>{"blob.xyz"});
}

TEST_F(LargeFilesJourney, NothingLargeEnoughLeavesFiveEmptyCategories) {
    sized("Movies/clip.mov", 20 * kMB);
    write("Documents/note.txt", "small");
    Shown<qpages::LargeFilesController> shown(*engine_);
    QTest::mouseClick(shown.page().scanButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kLargeFiles}));
    EXPECT_EQ(engine_->mainDataSource(kLargeFiles).nodeCount(), 5u);
    EXPECT_EQ(shown.label("lblSelectedItems"), "0 items found");
    EXPECT_TRUE(shown.page().scanButton()->isVisible());
    EXPECT_FALSE(shown.page().removeButton()->isVisible());
    EXPECT_FALSE(shown.page().findChild<QCheckBox*>("checkUncheckButton")->isEnabled());

    // A folder that is not there gives a scan that starts and stops with nothing.
    qcore::UserDefaults::standard().setObject("LargeFilesPath", home_.file("gone") + "/");
    QTest::mouseClick(shown.page().scanButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kLargeFiles}));
    EXPECT_EQ(activities_->activities(kLargeFiles, "stop"), 2);
    EXPECT_EQ(shown.label("lblSelectedItems"), "0 items found");
}

TEST_F(LargeFilesJourney, RescanClearsTheCategoriesTicksAsScanDoes) {
    const auto report = sized("Documents/report.pdf", 2 * kMB);
    const auto manual = sized("Documents/manual.pdf", 3 * kMB);
    const auto song = sized("Music/song.mp3", 2 * kMB);
    Shown<qpages::LargeFilesController> shown(*engine_);
    auto& page = shown.page();
    auto& tree = *page.findChild<QTreeView*>("outlineView");
    auto* rescan = page.findChild<QPushButton*>("rescanButton");
    const auto documentsTick = [&] {
        return row(tree, "Documents").data(Qt::CheckStateRole).value<Qt::CheckState>();
    };
    QTest::mouseClick(page.scanButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kLargeFiles}));

    // By the mouse, then as an assistive tool presses it.
    for (const bool byMouse : {true, false}) {
        PageJourney::clickCheckBoxOf(&tree, row(tree, "Documents"));
        ASSERT_EQ(documentsTick(), Qt::Checked) << byMouse;
        ASSERT_EQ(page.selectedItems(), 2) << byMouse;
        ASSERT_TRUE(rescan->isVisible() && rescan->isEnabled()) << byMouse;
        const int scans = activities_->activities(kLargeFiles, "start");
        if (byMouse)
            QTest::mouseClick(rescan, Qt::LeftButton);
        else
            ASSERT_TRUE(gui_driving::accessibilityAction(
                rescan, QAccessibleActionInterface::pressAction()));
        // The accessibility press clicks a moment later, from the event loop.
        ASSERT_TRUE(runUntil([&] {
            QCoreApplication::processEvents();
            return activities_->activities(kLargeFiles, "start") > scans;
        })) << byMouse;
        ASSERT_TRUE(runUntilIdle({kLargeFiles}));
        EXPECT_EQ(listed()["Documents"], (std::vector<std::string>{"manual.pdf", "report.pdf"}));
        EXPECT_EQ(documentsTick(), Qt::Unchecked) << byMouse;
        EXPECT_EQ(page.selectedItems(), 0) << byMouse;
        EXPECT_FALSE(page.removeButton()->isEnabled()) << byMouse;
        EXPECT_EQ(shown.label("lblSelectedItems"), "3 items found") << byMouse;
    }
    for (const auto& path : {report, manual, song})
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
}

// --- Old Downloads ---------------------------------------------------------------------------

class OldDownloadsJourney : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // As the program registers it: two months.
        qcore::UserDefaults::standard().registerDefaults(
            {{"oldDownloadsValue", "2"}, {"oldDownloadsUnit", "2"}});
    }
    void TearDown() override {
        for (const auto* key : {"oldDownloadsValue", "oldDownloadsUnit",
                                "lastScanStatus_OldDownloads", "lastScanTime_OldDownloads"})
            qcore::UserDefaults::standard().removeObject(key);
        PageTest::TearDown();
    }
    // A download last opened `days` ago.
    std::string download(const std::string& name, int days, const std::string& bytes = "data") {
        const auto path = write("Downloads/" + name, bytes);
        age(path, days);
        return path;
    }
    static void age(const std::string& path, int days) {
        const auto when = std::chrono::system_clock::now() - std::chrono::hours(24 * days);
        const auto seconds =
            std::chrono::duration_cast<std::chrono::seconds>(when.time_since_epoch()).count();
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
    }
    std::vector<std::string> listedNames() const {
        std::vector<std::string> names;
        for (const auto& r : engine_->mainDataSource(kOldDownloads).rowsSnapshot())
            names.push_back(qengine::row::fullPath(r).substr(home_.path().size() + 11));
        std::sort(names.begin(), names.end());
        return names;
    }
    void scan(qpages::OldDownloads& page) {
        QTest::mouseClick(page.scanButton(), Qt::LeftButton);
        ASSERT_TRUE(runUntilIdle({kOldDownloads}));
    }
};

TEST_F(OldDownloadsJourney, OldEntriesListedUntickedThenTheTickedOneCleaned) {
    const auto old = download("old.zip", 61);
    const auto recent = download("recent.zip", 59);
    download("movie.part", 90);
    download(".hidden", 90);
    download("empty.txt", 90, "");
    write("Downloads/folder/a.txt", "12345");
    write("Downloads/folder/b.txt", "67890");
    age(home_.file("Downloads/folder"), 70);
    Shown<qpages::OldDownloads> shown(*engine_);
    auto& page = shown.page();

    scan(page);
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"folder", "old.zip"}));
    EXPECT_EQ(shown.label("lblSelectedItems"), "2 items found");
    EXPECT_EQ(shown.label("lblSize"), "14 bytes");
    EXPECT_TRUE(page.removeButton()->isVisible());
    EXPECT_FALSE(page.removeButton()->isEnabled());
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_OldDownloads"),
              "Last scan");
    // The Trash Cleaner's line is left alone.
    EXPECT_TRUE(qcore::UserDefaults::standard().stringForKey("lastScanStatus_Binary").empty());

    auto& table = *page.findChild<QTableView*>("tableView");
    int oldRow = -1;
    for (int r = 0; r < table.model()->rowCount(); ++r)
        if (table.model()->index(r, 2).data().toString() == "old.zip") oldRow = r;
    ASSERT_GE(oldRow, 0);
    PageJourney::clickCheckBoxOf(&table, table.model()->index(oldRow, 0));
    EXPECT_EQ(page.selectedItems(), 1);
    PageJourney::screenshot(shown.window(), "old-downloads-results");

    PageJourney::answerNextAlert("OK");
    QTest::mouseClick(page.removeButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kOldDownloads}));
    EXPECT_FALSE(std::filesystem::exists(old));
    EXPECT_EQ(finders::readFile(recent), "data");
    EXPECT_EQ(finders::readFile(home_.file("Downloads/folder/a.txt")), "12345");
    EXPECT_EQ(finders::readFile(home_.file("Downloads/movie.part")), "data");
    EXPECT_EQ(listedNames(), std::vector<std::string>{"folder"});
}

TEST_F(OldDownloadsJourney, TheAgeFollowsItsUnitAndValue) {
    download("22days.bin", 22);
    download("20days.bin", 20);
    download("11days.bin", 11);
    download("9days.bin", 9);
    auto& defaults = qcore::UserDefaults::standard();
    Shown<qpages::OldDownloads> shown(*engine_);

    defaults.setObject("oldDownloadsUnit", "1");
    defaults.setObject("oldDownloadsValue", "3");
    scan(shown.page());
    EXPECT_EQ(listedNames(), std::vector<std::string>{"22days.bin"});
    EXPECT_EQ(shown.label("lblSelectedItems"), "1 item found");

    defaults.setObject("oldDownloadsUnit", "0");
    defaults.setObject("oldDownloadsValue", "10");
    scan(shown.page());
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"11days.bin", "20days.bin", "22days.bin"}));
}

TEST_F(OldDownloadsJourney, NoDownloadsFolderListsNothing) {
    Shown<qpages::OldDownloads> shown(*engine_);
    scan(shown.page());
    EXPECT_EQ(engine_->mainDataSource(kOldDownloads).rowCount(), 0u);
    EXPECT_EQ(shown.label("lblSelectedItems"), "0 items found");
    EXPECT_TRUE(shown.page().scanButton()->isVisible());
    EXPECT_FALSE(shown.page().removeButton()->isVisible());
}

TEST_F(OldDownloadsJourney, StopMidwayShowsTheStopImageAndTheIncompleteLine) {
    for (int i = 0; i < 40; ++i)
        download("file" + std::to_string(100 + i) + ".bin", 100);
    Shown<qpages::OldDownloads> shown(*engine_);
    auto& page = shown.page();
    QTest::mouseClick(page.scanButton(), Qt::LeftButton);
    // Each reload waits for the table, so the scan is still going here.
    ASSERT_TRUE(runUntil([&] { return engine_->mainDataSource(kOldDownloads).rowCount() >= 5; }));
    QTest::mouseClick(page.scanButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kOldDownloads}));
    EXPECT_LT(engine_->mainDataSource(kOldDownloads).rowCount(), 40u);
    EXPECT_TRUE(engine_->abortedOldDownloads());
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_OldDownloads"),
              "Last scan (incomplete)");

    scan(page);
    EXPECT_EQ(engine_->mainDataSource(kOldDownloads).rowCount(), 40u);
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanStatus_OldDownloads"),
              "Last scan");
}

} // namespace
