// The Misc Cleaning lists: what the three loaders list, what the removers take, and the typed
// confirmation.
#include "tests/pages/support/PageTestSupport.h"

#include "pages/tools/MiscCleaningConfirmation.h"
#include "pages/tools/MiscCleaningList.h"
#include "pages/tools/MiscCleaningLoader.h"
#include "pages/tools/MiscCleaningRemover.h"
#include "platform/core/FileManager.h"
#include "platform/core/Value.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

using qpages::MiscCleaningConfirmation;
using qpages::MiscCleaningList;
using qpages::MiscCleaningLoader;
using qpages::MiscCleaningRemover;
using qpages::MiscCleaningRow;

namespace {

const std::string kBackups = "Library/Application Support/MobileSync/Backup/";

class MiscCleaningLists : public PageTest {
protected:
    void writeBackup(const std::string& folder, const qcore::Dictionary& info) const {
        write(kBackups + folder + "/Manifest.db", "manifest bytes");
        ASSERT_TRUE(qcore::Value(info).writeXmlPlistAtomically(
            home_.file(kBackups + folder + "/Info.plist")));
    }
    std::vector<MiscCleaningRow> load(int which) const {
        MiscCleaningList list;
        int reported = 0;
        const auto added = [&](const MiscCleaningRow&) { ++reported; };
        const MiscCleaningLoader loader(*engine_, home_.path());
        if (which == 0) loader.loadTableviewBackups(list, added);
        if (which == 1) loader.loadTableviewMailDownloads(list, added);
        if (which == 2) loader.loadTrashData(list, added);
        EXPECT_EQ(reported, static_cast<int>(list.count()));
        return list.snapshot();
    }
    static std::vector<std::string> names(const std::vector<MiscCleaningRow>& rows) {
        std::vector<std::string> out;
        for (const auto& r : rows)
            out.push_back(r.name);
        return out;
    }
};

TEST_F(MiscCleaningLists, MissingFoldersGiveEmptyLists) {
    for (int which = 0; which < 3; ++which)
        EXPECT_TRUE(load(which).empty()) << which;
}

TEST_F(MiscCleaningLists, BackupsNeedAnInfoPlistAndTakeTheDeviceNameWhenThereIsOne) {
    writeBackup("0a1b", {{"Device Name", "Ann's phone"},
                         {"IMEI", "356938035643809"},
                         {"Serial Number", "F2LXK0AAHG7F"}});
    writeBackup("2c3d", {{"Product Type", "iPad7,5"}});
    write(kBackups + "4e5f/Manifest.db", "no info here");
    write(kBackups + "6a7b/Info.plist", "not a property list");
    const auto rows = load(0);
    ASSERT_EQ(names(rows), (std::vector<std::string>{"Ann's phone", "2c3d", "6a7b"}));
    EXPECT_EQ(rows[0].imei, "356938035643809");
    EXPECT_EQ(rows[0].serial, "F2LXK0AAHG7F");
    EXPECT_EQ(rows[0].url, home_.file(kBackups + "0a1b"));
    EXPECT_GT(rows[0].bytes(), 0u);
    EXPECT_FALSE(rows[0].bDate.empty());
    EXPECT_TRUE(rows[1].imei.empty());
    EXPECT_TRUE(rows[1].serial.empty());
    EXPECT_TRUE(rows[2].imei.empty());
    for (const auto& r : rows)
        EXPECT_EQ(r.checkState, 0);
}

TEST_F(MiscCleaningLists, MailDownloadsSkipHiddenAndEmptyItemsAndFollowTheMailContainer) {
    write("Library/Mail Downloads/report.pdf", "pdf bytes");
    write("Library/Mail Downloads/.hidden.pdf", "hidden bytes");
    write("Library/Mail Downloads/empty.txt", "");
    home_.mkdir("Library/Mail Downloads/empty folder");
    write("Library/Mail Downloads/photos/a.jpg", "jpeg");
    EXPECT_EQ(names(load(1)), (std::vector<std::string>{"photos", "report.pdf"}));

    // Once Mail has its container, only the container's folder counts.
    write("Library/Containers/com.apple.mail/Data/Library/Mail Downloads/inside.doc", "doc");
    EXPECT_EQ(names(load(1)), (std::vector<std::string>{"inside.doc"}));
}

TEST_F(MiscCleaningLists, TrashListsEmptyFilesAndLinksAsThemselvesButNotDSStore) {
    TempDir outside;
    const std::string big = outside.write("big.bin", std::string(50000, 'b'));
    write(".Trash/.DS_Store", "finder");
    write(".Trash/.DS_Store copy", "finder");
    write(".Trash/empty.txt", "");
    write(".Trash/old folder/a.txt", "12345");
    write(".Trash/old folder/b.txt", "123");
    ASSERT_EQ(::symlink(big.c_str(), home_.file(".Trash/link to big").c_str()), 0);
    ASSERT_EQ(::symlink(outside.path().c_str(), home_.file(".Trash/old folder/out").c_str()), 0);
    const auto rows = load(2);
    ASSERT_EQ(names(rows), (std::vector<std::string>{"empty.txt", "link to big", "old folder"}));
    EXPECT_EQ(rows[0].size, "0");
    // The link counts its own few bytes, never the 50000 it points at, nor does the folder.
    EXPECT_LT(rows[1].bytes(), 1000u);
    EXPECT_LT(rows[2].bytes(), 1000u);
    EXPECT_GE(rows[2].bytes(), 8u);

    // Entries the user may not delete are not offered (the superuser may delete anything).
    if (::geteuid() != 0) {
        ::chmod(home_.file(".Trash").c_str(), 0555);
        EXPECT_TRUE(load(2).empty());
        ::chmod(home_.file(".Trash").c_str(), 0755);
    }
}

TEST_F(MiscCleaningLists, AStopRequestEndsTheWalkAndMarksItAborted) {
    for (int i = 0; i < 5; ++i)
        write(".Trash/file" + std::to_string(i), "bytes");
    engine_->setStopFillingMiscCleaning(true);
    EXPECT_EQ(load(2).size(), 1u); // the Trash loader tests after each entry
    EXPECT_TRUE(engine_->abortedMiscCleaning());
    engine_->setStopFillingMiscCleaning(false);
}

TEST_F(MiscCleaningLists, RemoverTakesTickedRowsOnlyAndKeepsFailuresTicked) {
    write(".Trash/keep.txt", "keep");
    write(".Trash/go.txt", "go");
    write(".Trash/go folder/inner.txt", "inner");
    write(".Trash/changes.txt", "was a file");
    MiscCleaningList list;
    const MiscCleaningLoader loader(*engine_, home_.path());
    loader.loadTrashData(list, [](const MiscCleaningRow&) {});
    ASSERT_EQ(list.count(), 4u);
    list.setAllCheckStates(1);
    for (std::size_t i = 0; i < list.count(); ++i)
        if (list.rowAt(i)->name == "keep.txt") list.setCheckState(i, 0);
    // A file replaced by a folder after listing is not what was ticked.
    ASSERT_TRUE(qcore::FileManager::removeItem(home_.file(".Trash/changes.txt")));
    write(".Trash/changes.txt/now a folder.txt", "other");

    int removed = 0;
    int handled = 0;
    const MiscCleaningRemover remover(*engine_, home_.path(), loader.trashFolder(),
                                      " Error in deleting %@");
    EXPECT_EQ(
        remover.remove(list, {[&](const MiscCleaningRow&) { ++removed; }, [&] { ++handled; }}), 2);
    EXPECT_EQ(removed, 2);
    EXPECT_EQ(handled, 3);
    EXPECT_FALSE(qcore::FileManager::exists(home_.file(".Trash/go.txt")));
    EXPECT_FALSE(qcore::FileManager::exists(home_.file(".Trash/go folder")));
    EXPECT_TRUE(qcore::FileManager::exists(home_.file(".Trash/keep.txt")));
    EXPECT_TRUE(qcore::FileManager::exists(home_.file(".Trash/changes.txt/now a folder.txt")));
    const auto left = list.snapshot();
    ASSERT_EQ(names(left), (std::vector<std::string>{"changes.txt", "keep.txt"}));
    EXPECT_EQ(left[0].checkState, 1);
    EXPECT_EQ(left[1].checkState, 0);
}

TEST_F(MiscCleaningLists, RemoverRemovesALinkAsALinkAndNothingOutsideItsFolder) {
    TempDir outside;
    const std::string target = outside.write("precious.txt", "precious");
    ASSERT_EQ(::symlink(outside.path().c_str(), home_.file("link-to-outside").c_str()), 0);
    write(".Trash/placeholder", "x");
    ASSERT_EQ(::symlink(target.c_str(), home_.file(".Trash/link").c_str()), 0);
    MiscCleaningList list;
    const MiscCleaningLoader loader(*engine_, home_.path());
    loader.loadTrashData(list, [](const MiscCleaningRow&) {});
    // A row that claims a path outside the Trash (a list edited behind the page's back).
    MiscCleaningRow stray;
    stray.name = "precious.txt";
    stray.url = home_.file("link-to-outside/precious.txt");
    stray.checkState = 1;
    list.append(stray);
    list.setAllCheckStates(1);
    const MiscCleaningRemover remover(*engine_, home_.path(), loader.trashFolder(),
                                      " Error in deleting %@");
    EXPECT_EQ(remover.remove(list, {}), 2);
    EXPECT_FALSE(qcore::FileManager::exists(home_.file(".Trash/link")));
    EXPECT_EQ(qcore::FileManager::readFile(target).value_or(""), "precious");
    EXPECT_EQ(list.count(), 1u);
}

TEST_F(MiscCleaningLists, ATrashSwappedForALinkAfterTheScanLeadsNoRemovalOutside) {
    write(".Trash/victim.txt", "listed in the Trash");
    MiscCleaningList list;
    const MiscCleaningLoader loader(*engine_, home_.path());
    loader.loadTrashData(list, [](const MiscCleaningRow&) {});
    ASSERT_EQ(list.count(), 1u);
    list.setAllCheckStates(1);
    TempDir outside;
    const std::string victim = outside.write("victim.txt", "outside");
    ASSERT_EQ(::rename(home_.file(".Trash").c_str(), home_.file("old Trash").c_str()), 0);
    ASSERT_EQ(::symlink(outside.path().c_str(), home_.file(".Trash").c_str()), 0);

    const MiscCleaningRemover remover(*engine_, home_.path(), loader.trashFolder(),
                                      " Error in deleting %@");
    EXPECT_EQ(remover.remove(list, {}), 0);
    EXPECT_EQ(qcore::FileManager::readFile(victim).value_or(""), "outside");
    ASSERT_EQ(list.count(), 1u);
    EXPECT_TRUE(list.rowAt(0)->isChecked());
}

TEST_F(MiscCleaningLists, RemoverStopsBeforeTheNextTickedRow) {
    write(".Trash/a", "a");
    write(".Trash/b", "b");
    MiscCleaningList list;
    const MiscCleaningLoader loader(*engine_, home_.path());
    loader.loadTrashData(list, [](const MiscCleaningRow&) {});
    list.setAllCheckStates(1);
    const MiscCleaningRemover remover(*engine_, home_.path(), loader.trashFolder(),
                                      " Error in deleting %@");
    engine_->setStopRemovingMiscCleaning(false);
    MiscCleaningRemover::Callbacks callbacks;
    callbacks.removed = [&](const MiscCleaningRow&) { engine_->setStopRemovingMiscCleaning(true); };
    EXPECT_EQ(remover.remove(list, callbacks), 1);
    EXPECT_TRUE(engine_->abortedMiscCleaning());
    EXPECT_TRUE(qcore::FileManager::exists(home_.file(".Trash/b")));
    engine_->setStopRemovingMiscCleaning(false);
}

TEST(MiscCleaningConfirmationTest, TheNumberIsTypedExactlyAndStaysInRange) {
    for (std::time_t t : {0L, 1L, 1700000000L, 2000000000L}) {
        const int n = MiscCleaningConfirmation::drawNumber(t);
        EXPECT_GE(n, 100);
        EXPECT_LE(n, 1099);
        EXPECT_EQ(n, MiscCleaningConfirmation::drawNumber(t));
    }
    EXPECT_TRUE(MiscCleaningConfirmation::matches("512", 512));
    for (const char* wrong : {" 512", "512 ", "0512", "+512", "512.0", "", "5 12"})
        EXPECT_FALSE(MiscCleaningConfirmation::matches(wrong, 512)) << wrong;
}

TEST(MiscCleaningConfirmationTest, TheBackupsLineNamesEveryTickedBackup) {
    std::vector<MiscCleaningRow> rows(3);
    rows[0].name = "Ann's phone";
    rows[1].name = "Old iPad";
    rows[2].name = "Work phone";
    const std::string itemIn = "%@ in %@";
    const std::string itemsIn = "%@ items in %@";
    EXPECT_EQ(MiscCleaningConfirmation::backupsLine(rows, itemIn, itemsIn, "Backups"),
              "0 items in Backups");
    rows[1].checkState = 1;
    EXPECT_EQ(MiscCleaningConfirmation::backupsLine(rows, itemIn, itemsIn, "Backups"),
              "Old iPad in Backups");
    rows[0].checkState = 1;
    rows[2].checkState = 1;
    EXPECT_EQ(MiscCleaningConfirmation::backupsLine(rows, itemIn, itemsIn, "Backups"),
              "Ann's phone, Old iPad, Work phone in Backups");
}

} // namespace
