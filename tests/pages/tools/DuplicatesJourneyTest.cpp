// The Duplicates Finder driven as a user drives it: the find button, the tree's check boxes,
// its context menu, the type filter and the clean, on a fixture folder; then the disk checked.
#include "tests/pages/support/PageJourney.h"
#include "tests/pages/tools/DuplicatesPageTest.h"
#include "tests/support/GuiDriving.h"

#include "engine/ModuleKeys.h"
#include "pages/tools/DuplicateFilesController.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/IMGButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeView>

#include <filesystem>
#include <fstream>

using qengine::modules::kDuplicatesFinder;
using qpages::DuplicateFilesController;

namespace {

const std::string kReport = "the quarterly report, word for word";
const std::string kPhoto = "pretend these bytes are a photograph";

class DuplicatesJourney : public DuplicatesPageTest {
protected:
    void SetUp() override {
        DuplicatesPageTest::SetUp();
        finders::useDuplicatesSettings(home_.path() + "/Documents/");
        reports_ = {write("Documents/report.txt", kReport),
                    write("Documents/a/report.txt", kReport),
                    write("Documents/b/report.txt", kReport)};
        photos_ = {write("Documents/photo.jpg", kPhoto), write("Documents/c/photo.jpg", kPhoto)};
        unique_ = write("Documents/notes.txt", "only one of these");
        outside_ = outsideHome_.write("report.txt", kReport);
        showPage();
    }

    void find() {
        QTest::mouseClick(page_->btnFindDups(), Qt::LeftButton);
        ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));
    }
    // Every file of the fixture home is a copy written with the shared fixture time.
    std::string write(const std::string& relative, const std::string& bytes) const {
        const auto path = PageTest::write(relative, bytes);
        finders::setFixtureTime(path);
        return path;
    }
    QModelIndex group(const std::string& title) const {
        auto* model = outline_->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const auto index = model->index(row, 2);
            if (index.data().toString().toStdString() == title) return index;
        }
        return {};
    }
    // The path of the first copy listed under the group.
    std::string firstCopy(const std::string& title) const {
        const auto parent = group(title).siblingAtColumn(0);
        return outline_->model()
            ->index(0, 2, parent)
            .data(Qt::ToolTipRole)
            .toString()
            .toStdString();
    }
    Qt::CheckState tick(const QModelIndex& index) const {
        return index.siblingAtColumn(0).data(Qt::CheckStateRole).value<Qt::CheckState>();
    }
    int remaining(const std::vector<std::string>& paths) const {
        int count = 0;
        for (const auto& path : paths)
            if (std::filesystem::exists(path)) ++count;
        return count;
    }
    QString countsLine() const { return page_->findChild<QLabel*>("lblSelectedItems")->text(); }

    TempDir outsideHome_;
    std::vector<std::string> reports_;
    std::vector<std::string> photos_;
    std::string unique_;
    std::string outside_;
};

TEST_F(DuplicatesJourney, SelectAllButFirstThenCleanKeepsOneCopyOfEveryGroup) {
    PageJourney::screenshot(window_, "duplicates-folder-face");
    find();
    EXPECT_FALSE(page_->isFolderFaceShown());
    ASSERT_EQ(outline_->model()->rowCount(), 2);
    EXPECT_EQ(countsLine(), "3 duplicates found");

    const auto keptReport = firstCopy("report.txt");
    const auto keptPhoto = firstCopy("photo.jpg");
    EXPECT_TRUE(
        PageJourney::chooseFromContextMenu(outline_, group("report.txt"), "Select All but First"));
    EXPECT_EQ(page_->selectedItems(), 3);
    EXPECT_EQ(countsLine(), "3 of 3 items selected");
    EXPECT_EQ(page_->findChild<QCheckBox*>("checkUncheckButton")->checkState(),
              Qt::PartiallyChecked);

    PageJourney::answerNextAlert("OK");
    QTest::mouseClick(page_->removeButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));

    EXPECT_EQ(remaining(reports_), 1);
    EXPECT_EQ(remaining(photos_), 1);
    EXPECT_EQ(finders::readFile(keptReport), kReport);
    EXPECT_EQ(finders::readFile(keptPhoto), kPhoto);
    EXPECT_EQ(finders::readFile(unique_), "only one of these");
    EXPECT_EQ(finders::readFile(outside_), kReport);
    EXPECT_EQ(outline_->model()->rowCount(), 0);
    EXPECT_TRUE(page_->scanButton()->isVisible());
    EXPECT_FALSE(page_->removeButton()->isVisible());
    // Nothing left to tick: the line asks for a scan again.
    EXPECT_EQ(page_->findChild<QLabel*>("lblDesc")->text().toStdString(),
              engine_->getTokenForActivity(kDuplicatesFinder, true, true));
}

TEST_F(DuplicatesJourney, ClicksNeverTickTheLastCopyAndTheFilterShowsOneType) {
    find();
    outline_->expand(group("report.txt").siblingAtColumn(0));
    // Indexes are taken again after every click: each one refreshes the model.
    auto copy = [&](int row) {
        return outline_->model()->index(row, 0, group("report.txt").siblingAtColumn(0));
    };

    PageJourney::clickCheckBoxOf(outline_, copy(0));
    PageJourney::clickCheckBoxOf(outline_, copy(1));
    EXPECT_EQ(tick(group("report.txt")), Qt::PartiallyChecked);
    EXPECT_EQ(countsLine(), "2 of 3 items selected");
    // The third would leave no copy: refused, nothing changes.
    PageJourney::clickCheckBoxOf(outline_, copy(2));
    EXPECT_EQ(tick(copy(2)), Qt::Unchecked);
    EXPECT_EQ(countsLine(), "2 of 3 items selected");

    // A mixed group unticks; an unticked one ticks all but its kept (first) copy.
    PageJourney::clickCheckBoxOf(outline_, group("report.txt").siblingAtColumn(0));
    EXPECT_EQ(page_->selectedItems(), 0);
    PageJourney::clickCheckBoxOf(outline_, group("report.txt").siblingAtColumn(0));
    EXPECT_EQ(tick(copy(0)), Qt::Unchecked);
    EXPECT_EQ(tick(copy(1)), Qt::Checked);
    EXPECT_EQ(tick(copy(2)), Qt::Checked);

    auto* filter = page_->findChild<QTabBar*>("segmentedControl");
    QTest::mouseClick(filter, Qt::LeftButton, {}, filter->tabRect(3).center());
    ASSERT_EQ(outline_->model()->rowCount(), 1);
    EXPECT_EQ(outline_->model()->index(0, 2).data().toString(), "photo.jpg");
    outline_->expandAll();
    PageJourney::screenshot(window_, "duplicates-results-filtered");
    // Ticks of groups the filter hides still count.
    EXPECT_EQ(page_->selectedItems(), 2);
}

TEST_F(DuplicatesJourney, SelectAllButLastUntickTwoThenCleanRemovesOnlyTheTickedCopy) {
    const auto four = std::vector<std::string>{
        write("Documents/four/1.txt", "four"), write("Documents/four/2.txt", "four"),
        write("Documents/four/3.txt", "four"), write("Documents/four/4.txt", "four")};
    find();
    ASSERT_TRUE(group("1.txt").isValid());
    EXPECT_TRUE(
        PageJourney::chooseFromContextMenu(outline_, group("1.txt"), "Select All but Last"));
    EXPECT_EQ(page_->selectedItems(), 6); // 3 + 2 + 1
    outline_->expand(group("1.txt").siblingAtColumn(0));
    auto copy = [&](int row) {
        return outline_->model()->index(row, 0, group("1.txt").siblingAtColumn(0));
    };
    PageJourney::clickCheckBoxOf(outline_, copy(0));
    PageJourney::clickCheckBoxOf(outline_, copy(2));
    EXPECT_EQ(page_->selectedItems(), 4);

    PageJourney::answerNextAlert("OK");
    QTest::mouseClick(page_->removeButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));
    EXPECT_EQ(remaining(four), 3);
    EXPECT_FALSE(std::filesystem::exists(four[1]));
    EXPECT_EQ(remaining(reports_), 1);
    EXPECT_EQ(remaining(photos_), 1);
    // The group of four stays with three copies; the kept copy is again the last.
    ASSERT_EQ(outline_->model()->rowCount(), 1);
    EXPECT_EQ(page_->results().shownSnapshot().front()->children().size(), 3u);
    EXPECT_TRUE(
        PageJourney::chooseFromContextMenu(outline_, group("1.txt"), "Select All but Last"));
    EXPECT_EQ(tick(copy(2)), Qt::Unchecked);
    EXPECT_EQ(tick(copy(0)), Qt::Checked);
}

TEST_F(DuplicatesJourney, TheMediaLibraryCopyStaysWhereverItIsListed) {
    qcore::UserDefaults::standard().setObject("DuplicatesFinderPath", home_.path() + "/");
    const auto library = write("Music/iTunes/iTunes Media/Music/zz/song.mp3", "la la la");
    const auto loose = write("Desktop/song.mp3", "la la la");
    find();
    EXPECT_TRUE(
        PageJourney::chooseFromContextMenu(outline_, group("song.mp3"), "Select All but First"));
    outline_->expand(group("song.mp3").siblingAtColumn(0));
    const auto parent = group("song.mp3").siblingAtColumn(0);
    ASSERT_EQ(outline_->model()->rowCount(parent), 2);
    for (int row = 0; row < 2; ++row) {
        const auto index = outline_->model()->index(row, 2, parent);
        const bool inLibrary = index.data(Qt::ToolTipRole).toString().toStdString() == library;
        EXPECT_EQ(tick(index), inLibrary ? Qt::Unchecked : Qt::Checked) << row;
    }
    PageJourney::answerNextAlert("OK");
    QTest::mouseClick(page_->removeButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));
    EXPECT_TRUE(std::filesystem::exists(library));
    EXPECT_FALSE(std::filesystem::exists(loose));
}

TEST_F(DuplicatesJourney, FilterThenSortThenTickActsOnTheCopysOwnGroup) {
    const std::string longer(5000, 'x');
    write("Documents/long.txt", longer);
    write("Documents/d/long.txt", longer);
    find();
    auto* filter = page_->findChild<QTabBar*>("segmentedControl");
    QTest::mouseClick(filter, Qt::LeftButton, {}, filter->tabRect(4).center());
    ASSERT_EQ(outline_->model()->rowCount(), 2);
    auto* header = outline_->header();
    const int sizeColumn = 3;
    const QPoint sizeHeader(header->sectionViewportPosition(sizeColumn) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sizeHeader);
    const bool firstDescending = header->sortIndicatorOrder() == Qt::DescendingOrder;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sizeHeader);
    EXPECT_NE(header->sortIndicatorOrder() == Qt::DescendingOrder, firstDescending);
    const auto topTitle = outline_->model()->index(0, 2).data().toString().toStdString();
    EXPECT_EQ(topTitle,
              header->sortIndicatorOrder() == Qt::DescendingOrder ? "long.txt" : "report.txt");

    outline_->expand(group(topTitle).siblingAtColumn(0));
    const auto second = outline_->model()->index(1, 0, group(topTitle).siblingAtColumn(0));
    const auto path = second.siblingAtColumn(2).data(Qt::ToolTipRole).toString().toStdString();
    PageJourney::clickCheckBoxOf(outline_, second);
    EXPECT_EQ(page_->selectedItems(), 1);
    // The engine's own group of that copy holds the tick, whatever its place in the list.
    engine_->mainDataSource(kDuplicatesFinder).withLock([&](const auto& groups, const auto&) {
        for (const auto& g : groups)
            for (const auto& copy : g->children())
                EXPECT_EQ(copy->state(), copy->fullPath() == path ? 1 : 0) << copy->fullPath();
    });

    // Another filter keeps the sort shown, in the same direction.
    const auto order = header->sortIndicatorOrder();
    QTest::mouseClick(filter, Qt::LeftButton, {}, filter->tabRect(0).center());
    ASSERT_EQ(outline_->model()->rowCount(), 3);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorOrder(), order);
    const auto bytesAt = [&](int row) {
        return page_->results().shownSnapshot()[static_cast<std::size_t>(row)]->sizeInBytes();
    };
    for (int row = 1; row < 3; ++row)
        EXPECT_EQ(order == Qt::DescendingOrder, bytesAt(row - 1) >= bytesAt(row)) << row;
    QTest::mouseClick(filter, Qt::LeftButton, {}, filter->tabRect(4).center());

    // The check-all box ticks every copy but the kept one of each shown group, then unticks.
    auto* checkAll = page_->findChild<QCheckBox*>("checkUncheckButton");
    QTest::mouseClick(checkAll, Qt::LeftButton);
    EXPECT_EQ(page_->selectedItems(), 3);
    EXPECT_EQ(checkAll->checkState(), Qt::PartiallyChecked);
    QTest::mouseClick(checkAll, Qt::LeftButton);
    EXPECT_EQ(page_->selectedItems(), 0);
    EXPECT_EQ(checkAll->checkState(), Qt::Unchecked);
    // An assistive tool's toggle does the same.
    const auto toggle = [checkAll] {
        return gui_driving::accessibilityAction(checkAll,
                                                QAccessibleActionInterface::toggleAction());
    };
    ASSERT_TRUE(toggle());
    EXPECT_EQ(page_->selectedItems(), 3);
    EXPECT_EQ(checkAll->checkState(), Qt::PartiallyChecked);
    ASSERT_TRUE(toggle());
    EXPECT_EQ(page_->selectedItems(), 0);
    EXPECT_EQ(checkAll->checkState(), Qt::Unchecked);
}

TEST_F(DuplicatesJourney, StopMidwayKeepsWhatWasFoundAndShowsTheStopImage) {
    for (int i = 0; i < 12; ++i) {
        const auto name = "Documents/more/file" + std::to_string(i);
        write(name + ".txt", "content " + std::to_string(i));
        write(name + "-copy.txt", "content " + std::to_string(i));
    }
    QTest::mouseClick(page_->btnFindDups(), Qt::LeftButton);
    // Each progress update waits for the page, so the scan is still going here.
    ASSERT_TRUE(runUntil([&] { return countsLine() == "1 duplicate found"; }));
    EXPECT_TRUE(page_->findChild<QWidget*>("boxFileNameShow")->isVisible());
    EXPECT_FALSE(page_->findChild<QLabel*>("lblFileName")->text().isEmpty());
    PageJourney::screenshot(window_, "duplicates-scanning-file-name");
    QTest::mouseClick(page_->scanButton(), Qt::LeftButton);
    EXPECT_FALSE(page_->scanButton()->isEnabled());
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));

    EXPECT_TRUE(engine_->abortedDuplicateFiles());
    EXPECT_TRUE(page_->findChild<QLabel*>("imgStopScanClean")->isVisible());
    EXPECT_FALSE(page_->findChild<QWidget*>("boxFileNameShow")->isVisible());
    EXPECT_LT(page_->results().groupCount(), 14u);
    EXPECT_TRUE(page_->scanButton()->isEnabled());
}

TEST_F(DuplicatesJourney, RescanShowsTheFolderFaceWithTheLinkBackToTheResults) {
    auto* link = page_->findChild<QWidget*>("viewLastResults");
    EXPECT_FALSE(link->isVisible());
    find();
    QTest::mouseClick(page_->findChild<QWidget*>("rescanButton"), Qt::LeftButton);
    EXPECT_TRUE(page_->isFolderFaceShown());
    EXPECT_TRUE(link->isVisible());
    // The picture's caption and the check box are gone after the first search.
    EXPECT_FALSE(page_->findChild<QWidget*>("checkAnalyzeNextTimeButton")->isVisible());
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_FALSE(page_->isFolderFaceShown());
    EXPECT_EQ(outline_->model()->rowCount(), 2);
}

TEST_F(DuplicatesJourney, TheFolderDialogTakesAFolderAndRefusesAnExcludedOne) {
    const auto before = qcore::UserDefaults::standard().stringForKey("DuplicatesFinderPath");
    const auto choose = [&](const QString& folder) {
        QTest::mouseClick(page_->findChild<QPushButton*>("changeFolderButton"), Qt::LeftButton);
        auto* dialog = window_.findChild<QFileDialog*>("folderDialog");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
        dialog->setDirectory(folder);
        dialog->selectFile(folder);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        QTest::mouseClick(buttons->button(QDialogButtonBox::Open), Qt::LeftButton);
        QApplication::processEvents();
    };
    write("Library/Preferences/settings.plist", "x");
    qcore::UserDefaults::standard().setObject(
        "excludedDirectoryNames", qcore::Array{qcore::Value(home_.path() + "/Library")});
    bool alerted = false;
    PageJourney::answerNextAlert("OK", [&](QMessageBox*) { alerted = true; });
    choose(QString::fromStdString(home_.file("Library/Preferences")));
    EXPECT_TRUE(alerted);
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("DuplicatesFinderPath"), before);

    // A sibling whose name only begins like an excluded folder is no part of it.
    const auto sibling = home_.mkdir("LibraryOld");
    choose(QString::fromStdString(sibling));
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("DuplicatesFinderPath"), sibling);
    EXPECT_EQ(page_->findChild<QLabel*>("lblSelectedFolder")->toolTip().toStdString(),
              "Selected folder: " + sibling);
}

TEST_F(DuplicatesJourney, HardLinksOfOneFileAreNotCopiesOfIt) {
    const auto original = write("Documents/link/original.bin", "one file, two names");
    const auto link = home_.file("Documents/link/second-name.bin");
    std::filesystem::create_hard_link(original, link);
    const auto copy = write("Documents/link/z-copy.bin", "one file, two names");
    find();
    const auto parent = group("original.bin").siblingAtColumn(0);
    ASSERT_TRUE(parent.isValid());
    EXPECT_EQ(outline_->model()->rowCount(parent), 2);
    EXPECT_TRUE(PageJourney::chooseFromContextMenu(outline_, group("original.bin"),
                                                   "Select All but First"));
    PageJourney::answerNextAlert("OK");
    QTest::mouseClick(page_->removeButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));
    EXPECT_EQ(finders::readFile(original), "one file, two names");
    EXPECT_EQ(finders::readFile(link), "one file, two names");
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST_F(DuplicatesJourney, EachCleanShowsItsOwnFiguresAndTheHintsGoWithTheLastGroup) {
    find();
    auto* hint = page_->findChild<QLabel*>("lblHint");
    auto* ctrlClick = page_->findChild<QLabel*>("lblCtrlClick");
    auto* size = page_->findChild<QLabel*>("lblSize");
    EXPECT_TRUE(hint->isVisible());
    const auto answerAndClean = [&] {
        PageJourney::answerNextAlert("OK");
        QTest::mouseClick(page_->removeButton(), Qt::LeftButton);
    };
    PageJourney::clickCheckBoxOf(outline_, group("report.txt").siblingAtColumn(0));
    answerAndClean();
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));
    EXPECT_EQ(remaining(reports_), 1);
    EXPECT_EQ(countsLine(), "2 of 3 items cleaned");

    // Stopped before its first removal: this clean removed nothing.
    const auto keptPhoto = firstCopy("photo.jpg");
    const auto otherPhoto = keptPhoto == photos_[0] ? photos_[1] : photos_[0];
    PageJourney::clickCheckBoxOf(outline_, group("photo.jpg").siblingAtColumn(0));
    ASSERT_EQ(page_->selectedItems(), 1);
    {
        NotificationHold hold("ActivityStartStopNotification",
                              NotificationHold::startOf(kDuplicatesFinder, "remove"));
        answerAndClean();
        ASSERT_TRUE(runUntil([&] { return hold.reached(); }));
        QTest::mouseClick(page_->removeButton(), Qt::LeftButton); // Stop Cleaning
        hold.release();
        ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));
    }
    EXPECT_EQ(finders::readFile(otherPhoto), kPhoto);
    EXPECT_EQ(countsLine(), "0 of 1 items cleaned");
    EXPECT_EQ(size->text(), "0 bytes");

    // The kept copy changed after the scan: the removal of the other copy is refused.
    std::ofstream(keptPhoto, std::ios::trunc) << "edited since the scan";
    ASSERT_EQ(page_->selectedItems(), 1) << "the refused copy is still ticked";
    answerAndClean();
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));
    EXPECT_EQ(finders::readFile(otherPhoto), kPhoto);
    EXPECT_EQ(finders::readFile(keptPhoto), "edited since the scan");
    EXPECT_EQ(countsLine(), "0 of 1 items cleaned");
    EXPECT_EQ(size->text(), "0 bytes");
    EXPECT_TRUE(hint->isVisible()) << "the photo's group is still listed";

    // With the photo as it was and a new search, a clean empties the list: the hints go.
    write(keptPhoto.substr(home_.path().size() + 1), kPhoto);
    QTest::mouseClick(page_->findChild<QPushButton*>("rescanButton"), Qt::LeftButton);
    find();
    ASSERT_EQ(outline_->model()->rowCount(), 1);
    PageJourney::clickCheckBoxOf(outline_, group("photo.jpg").siblingAtColumn(0));
    answerAndClean();
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));
    EXPECT_EQ(outline_->model()->rowCount(), 0);
    EXPECT_EQ(countsLine(), "1 of 1 items cleaned");
    EXPECT_EQ(finders::readFile(keptPhoto), kPhoto);
    EXPECT_FALSE(std::filesystem::exists(otherPhoto));
    EXPECT_FALSE(hint->isVisible());
    EXPECT_FALSE(ctrlClick->isVisible());
    PageJourney::screenshot(window_, "duplicates-after-emptying-clean");
}

TEST_F(DuplicatesJourney, AStatusItemScanDuringACleanLeavesTheCleanAndItsControlsAlone) {
    const auto scanStarts = [&] {
        int count = 0;
        for (const auto& n : activities_->named("ActivityStartStopNotification"))
            if (NotificationHold::startOf(kDuplicatesFinder, "scan")(n)) ++count;
        return count;
    };
    find();
    EXPECT_TRUE(
        PageJourney::chooseFromContextMenu(outline_, group("report.txt"), "Select All but First"));
    auto* filter = page_->findChild<QTabBar*>("segmentedControl");
    NotificationHold hold("ActivityStartStopNotification",
                          NotificationHold::startOf(kDuplicatesFinder, "remove"));
    PageJourney::answerNextAlert("OK");
    QTest::mouseClick(page_->removeButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return hold.reached(); }));
    EXPECT_FALSE(filter->isEnabled());

    // The status item reads Scan Now during a clean; the shell hands its command to the page
    // as a press of the find button.
    page_->findDups(page_->btnFindDups());
    EXPECT_FALSE(filter->isEnabled());
    EXPECT_FALSE(page_->findChild<QPushButton*>("rescanButton")->isEnabled());
    EXPECT_FALSE(page_->findChild<QCheckBox*>("checkUncheckButton")->isEnabled());
    EXPECT_FALSE(page_->isFolderFaceShown());
    EXPECT_EQ(page_->removeButton()->text(), "Stop Cleaning");
    EXPECT_TRUE(page_->removeButton()->isVisible());
    hold.release();
    ASSERT_TRUE(runUntilIdle({kDuplicatesFinder}));

    EXPECT_EQ(scanStarts(), 1);
    EXPECT_EQ(remaining(reports_), 1);
    EXPECT_EQ(remaining(photos_), 1);
    EXPECT_EQ(finders::readFile(unique_), "only one of these");
    EXPECT_EQ(countsLine(), "3 of 3 items cleaned");
    EXPECT_TRUE(filter->isEnabled());
}

} // namespace
