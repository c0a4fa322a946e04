// The duplicates results: the type filter, the kept copy, the tick rules that always leave one
// copy of a group, the sums, the sort and the list after a clean; and the folder exclusions.
#include "pages/tools/DuplicateResults.h"
#include "engine/DupOVNode.h"
#include "engine/ModuleList.h"
#include "pages/tools/DuplicatesTypeFilter.h"
#include "pages/tools/ExcludedFolders.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using qpages::DuplicateResults;
using qpages::DuplicatesTypeFilter;
using Click = DuplicateResults::Click;

namespace {

constexpr std::uint64_t kGB = 1000ull * 1000 * 1000;

class DuplicateResultsTest : public ::testing::Test {
protected:
    // A group whose copies are `paths`, each `bytes` long; its title is the first file's name.
    std::shared_ptr<qengine::DupOVNode> addGroup(const std::vector<std::string>& paths,
                                                 std::uint64_t bytes = 10) {
        auto group = std::make_shared<qengine::DupOVNode>();
        group->setIsDirectory(true);
        group->setState(0);
        group->setTitle(paths.front().substr(paths.front().rfind('/') + 1));
        for (const auto& path : paths) {
            auto copy = std::make_shared<qengine::OutlineViewNode>();
            copy->setTitle(path);
            copy->setFullPath(path);
            copy->setState(0);
            copy->setSize(std::to_string(bytes));
            group->children().push_back(copy);
        }
        list_.appendNode(group);
        return group;
    }
    std::vector<std::int64_t> states(const qengine::OutlineViewNode& group) const {
        std::vector<std::int64_t> result;
        for (const auto& copy : group.children())
            result.push_back(copy->state());
        return result;
    }
    std::string path(std::size_t group, std::size_t copy) const {
        return results_.copyPath(group, copy).value_or("");
    }

    qengine::ModuleList list_{"Duplicates Finder"};
    DuplicateResults results_{list_};
};

TEST_F(DuplicateResultsTest, ATickThatWouldLeaveNoCopyIsRefused) {
    const auto group = addGroup({"/h/a.txt", "/h/b.txt", "/h/c.txt"});
    EXPECT_EQ(results_.clickCopy(0, 0, path(0, 0), true), Click::Accepted);
    EXPECT_EQ(group->state(), -1);
    EXPECT_EQ(results_.clickCopy(0, 1, path(0, 1), true), Click::Accepted);
    EXPECT_EQ(results_.clickCopy(0, 2, path(0, 2), true), Click::Refused);
    EXPECT_EQ(states(*group), (std::vector<std::int64_t>{1, 1, 0}));
    EXPECT_EQ(results_.selection().items, 2);
    // A row the view showed before the list changed is not acted on.
    EXPECT_EQ(results_.clickCopy(0, 0, "/h/elsewhere.txt", false), Click::Ignored);
    EXPECT_EQ(results_.clickCopy(3, 0, "/h/a.txt", false), Click::Ignored);
    EXPECT_EQ(results_.clickCopy(0, 0, path(0, 0), false), Click::Accepted);
    EXPECT_EQ(group->state(), -1);
}

TEST_F(DuplicateResultsTest, GroupClicksTickAllButTheKeptCopyThenUntickAll) {
    const auto group = addGroup({"/h/a.txt", "/h/b.txt", "/h/c.txt"});
    results_.updateIndexToRetain(true);
    EXPECT_EQ(results_.clickGroup(0, "a.txt"), Click::Accepted);
    EXPECT_EQ(states(*group), (std::vector<std::int64_t>{0, 1, 1}));
    EXPECT_EQ(group->state(), -1);
    EXPECT_EQ(results_.clickGroup(0, "a.txt"), Click::Accepted);
    EXPECT_EQ(states(*group), (std::vector<std::int64_t>{0, 0, 0}));
    EXPECT_EQ(group->state(), 0);
    EXPECT_EQ(results_.clickGroup(0, "other.txt"), Click::Ignored);
}

TEST_F(DuplicateResultsTest, AKeptIndexOutOfRangeKeepsTheFirstCopy) {
    const auto group = addGroup({"/h/a.txt", "/h/b.txt"});
    // Never chosen (-1) and past the end both keep copy 0.
    results_.checkUncheckAll(true);
    EXPECT_EQ(states(*group), (std::vector<std::int64_t>{0, 1}));
    group->setIndexToRetain(7);
    results_.checkUncheckAll(true);
    EXPECT_EQ(states(*group), (std::vector<std::int64_t>{0, 1}));
}

TEST_F(DuplicateResultsTest, SelectAllButFirstOrLastAndTheCheckBoxSums) {
    const auto first = addGroup({"/h/a.txt", "/h/b.txt", "/h/c.txt", "/h/d.txt"}, 100);
    const auto second = addGroup({"/h/x.pdf", "/h/y.pdf"}, 5);
    const auto totals = results_.totals();
    EXPECT_EQ(totals.items, 4); // all copies but one per group
    EXPECT_EQ(totals.bytes, 410u);
    EXPECT_EQ(first->size(), "400");

    results_.selectAllButLast();
    EXPECT_FALSE(results_.isFirstExcluded());
    EXPECT_EQ(states(*first), (std::vector<std::int64_t>{1, 1, 1, 0}));
    EXPECT_EQ(states(*second), (std::vector<std::int64_t>{1, 0}));
    EXPECT_EQ(results_.selection().items, totals.items);
    EXPECT_EQ(results_.selection().bytes, 305u);

    results_.clickCopy(0, 0, path(0, 0), false);
    EXPECT_LT(results_.selection().items, totals.items);

    results_.selectAllButFirst();
    EXPECT_EQ(states(*first), (std::vector<std::int64_t>{0, 1, 1, 1}));
    results_.checkUncheckAll(false);
    EXPECT_EQ(results_.selection().items, 0);
    EXPECT_EQ(first->state(), 0);
}

TEST_F(DuplicateResultsTest, TheMediaLibraryCopyIsKeptWhereverItIsListed) {
    results_.setHomeFolder("/home/u");
    const auto song = addGroup({"/home/u/Desktop/song.MP3", "/home/u/tmp/song.MP3",
                                "/home/u/Music/iTunes/iTunes Media/Music/song.MP3"});
    const auto text = addGroup({"/home/u/a.txt", "/home/u/Music/iTunes/iTunes Media/a.txt"});
    results_.selectAllButFirst();
    EXPECT_EQ(states(*song), (std::vector<std::int64_t>{1, 1, 0}));
    // The rule is for audio and video only.
    EXPECT_EQ(states(*text), (std::vector<std::int64_t>{0, 1}));
    results_.selectAllButLast();
    EXPECT_EQ(states(*song), (std::vector<std::int64_t>{1, 1, 0}));
    EXPECT_EQ(states(*text), (std::vector<std::int64_t>{1, 0}));
}

TEST_F(DuplicateResultsTest, TheTypeFilterMatchesNameEndsIgnoringCase) {
    EXPECT_EQ(DuplicatesTypeFilter::entries(DuplicatesTypeFilter::Audio).size(), 19u);
    EXPECT_EQ(DuplicatesTypeFilter::entries(DuplicatesTypeFilter::Video).size(), 18u);
    EXPECT_EQ(DuplicatesTypeFilter::entries(DuplicatesTypeFilter::Images).size(), 32u);
    EXPECT_EQ(DuplicatesTypeFilter::entries(DuplicatesTypeFilter::Documents).size(), 24u);
    EXPECT_TRUE(DuplicatesTypeFilter::segmentShows(1, "song.MP3"));
    EXPECT_TRUE(DuplicatesTypeFilter::segmentShows(4, "report.DOCX"));
    for (int segment = 1; segment <= 4; ++segment)
        EXPECT_FALSE(DuplicatesTypeFilter::segmentShows(segment, "archive.zip")) << segment;
    EXPECT_TRUE(DuplicatesTypeFilter::segmentShows(5, "archive.zip"));
    EXPECT_TRUE(DuplicatesTypeFilter::segmentShows(0, "anything"));
    EXPECT_TRUE(DuplicatesTypeFilter::matches(DuplicatesTypeFilter::Audio, "plateau"));
    EXPECT_FALSE(DuplicatesTypeFilter::matches(DuplicatesTypeFilter::Images, "notes.md"));
}

TEST_F(DuplicateResultsTest, FilterSortAndTickActOnTheCopysOwnGroup) {
    addGroup({"/h/song.mp3", "/h/b/song.mp3"}, 7);
    addGroup({"/h/big.pdf", "/h/b/big.pdf", "/h/c/big.pdf"}, 50);
    const auto small = addGroup({"/h/small.pdf", "/h/b/small.pdf", "/h/c/small.pdf"}, 2);
    results_.selectCategory(4);
    ASSERT_EQ(results_.shownCount(), 2u);
    results_.totals();
    results_.sort(DuplicateResults::SortKey::Size, false);
    results_.updateParentIndexForDups();
    const auto shown = results_.shownSnapshot();
    ASSERT_EQ(shown.front()->title(), "small.pdf");
    EXPECT_EQ(shown.front()->children().front()->parentIndex(), 0);

    EXPECT_EQ(results_.clickCopy(0, 1, path(0, 1), true), Click::Accepted);
    EXPECT_EQ(small->children()[1]->state(), 1);
    EXPECT_EQ(small->state(), -1);
    // Without a filter the engine's own order is untouched by the filtered sort.
    results_.selectCategory(0);
    EXPECT_EQ(results_.shownSnapshot().front()->title(), "song.mp3");
}

TEST_F(DuplicateResultsTest, SizesSortAsSixtyFourBitCounts) {
    addGroup({"/h/five.bin", "/h/b/five.bin"}, 5 * kGB);
    addGroup({"/h/three.bin", "/h/b/three.bin"}, 3 * kGB);
    addGroup({"/h/tiny.bin", "/h/b/tiny.bin"}, 1);
    results_.sort(DuplicateResults::SortKey::Size, false);
    auto shown = results_.shownSnapshot();
    EXPECT_EQ(shown[0]->title(), "tiny.bin");
    EXPECT_EQ(shown[1]->title(), "three.bin");
    EXPECT_EQ(shown[2]->title(), "five.bin");
    EXPECT_EQ(shown[2]->size(), std::to_string(10 * kGB));
    results_.sort(DuplicateResults::SortKey::Title, true);
    shown = results_.shownSnapshot();
    EXPECT_EQ(shown[0]->title(), "tiny.bin");
    EXPECT_EQ(shown[2]->title(), "five.bin");
}

TEST_F(DuplicateResultsTest, AfterACleanOnlyGroupsWithNothingLeftTickedGo) {
    const auto cleaned = addGroup({"/h/a.txt", "/h/b.txt"});
    const auto failed = addGroup({"/h/c.txt", "/h/d.txt"});
    const auto partial = addGroup({"/h/e.txt", "/h/f.txt", "/h/g.txt", "/h/h.txt"});
    results_.selectAllButLast();
    // Copies 1 and 3 of the group of four unticked: only copy 2 goes.
    results_.clickCopy(2, 0, path(2, 0), false);
    results_.clickCopy(2, 2, path(2, 2), false);
    cleaned->children()[0]->setIsDeleted(true);
    cleaned->setIsDeleted(true);
    // The engine marked this group done although its ticked copy could not be removed.
    failed->setIsDeleted(true);
    partial->children()[1]->setIsDeleted(true);

    results_.updateDatabaseAfterDeletion();
    results_.updateIndexToRetain(results_.isFirstExcluded());
    results_.settleGroupStates();
    ASSERT_EQ(list_.nodeCount(), 2u);
    EXPECT_EQ(results_.shownSnapshot()[0]->title(), "c.txt");
    EXPECT_EQ(states(*failed), (std::vector<std::int64_t>{1, 0}));
    EXPECT_EQ(failed->state(), -1);
    ASSERT_EQ(partial->children().size(), 3u);
    EXPECT_EQ(partial->indexToRetain(), 2);
    EXPECT_EQ(partial->state(), 0);
}

TEST(ExcludedFoldersTest, WholeComponentsIgnoringCase) {
    const qpages::ExcludedFolders excluded({"/Library", "/Volumes/", ".git", "/home/u/.Trash"});
    EXPECT_TRUE(excluded.contains("/Library"));
    EXPECT_TRUE(excluded.contains("/library/Preferences"));
    EXPECT_TRUE(excluded.contains("/Volumes/Backup"));
    EXPECT_TRUE(excluded.contains("/home/u/.trash/"));
    EXPECT_FALSE(excluded.contains("/LibraryX"));
    EXPECT_FALSE(excluded.contains("/home/u/project/.git"));
    EXPECT_FALSE(excluded.contains("/home/u/Documents"));
    EXPECT_FALSE(qpages::ExcludedFolders({}).contains("/Library"));
    EXPECT_TRUE(qpages::ExcludedFolders({"/"}).contains("/anything"));
}

} // namespace
