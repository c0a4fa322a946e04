#include "EngineTestSupport.h"

#include "engine/DupOVNode.h"
#include "engine/FileMD5StreamHash.h"
#include "engine/SizeSetting.h"
#include "platform/core/Digest.h"
#include "platform/core/FileManager.h"
#include "platform/core/UserDefaults.h"
#include "tests/platform/core/DeepTree.h"

#include <climits>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using qcore::FileManager;
using qcore::UserDefaults;
using qengine::SizeSetting;

namespace {

const std::string kDups = "Duplicates Finder";
const std::vector<std::string> kSettingKeys{"searchFileMinSize", "searchSizeUnit",
                                            "DuplicatesFinderPath", "excludedDirectoryNames"};

void setModified(const std::string& path, time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

std::string bytesOf(char fill, std::size_t count) {
    return std::string(count, fill);
}

} // namespace

class Duplicates : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        root_ = home_.mkdir("scan");
        auto& defaults = UserDefaults::standard();
        defaults.setObject("searchFileMinSize", "4");
        defaults.setObject("searchSizeUnit", "1");
        defaults.setObject("DuplicatesFinderPath", root_);
        exclude({".git", home_.path() + "/.Trash"});
        qengine::setHashObserverForTesting([this](const std::string& path, std::uint64_t bytes) {
            const std::lock_guard lock(hashMutex_);
            if (bytes == 0) ++hashes_[path];
            if (onChunk_) onChunk_(path, bytes);
        });
    }
    void TearDown() override {
        qengine::setHashObserverForTesting({});
        for (const auto& key : kSettingKeys)
            UserDefaults::standard().removeObject(key);
        EngineTest::TearDown();
    }

    void exclude(const std::vector<std::string>& entries) {
        qcore::Array list;
        for (const auto& entry : entries)
            list.emplace_back(entry);
        UserDefaults::standard().setObject("excludedDirectoryNames", list);
    }

    // A file below the scanned folder with a fixed modification time.
    std::string file(const std::string& relative, const std::string& bytes,
                     time_t modified = 1'600'000'000) {
        const std::string path = home_.write("scan/" + relative, bytes);
        setModified(path, modified);
        return path;
    }

    // The groups' copies by path, in list order.
    std::vector<std::vector<std::string>> groups() const {
        std::vector<std::vector<std::string>> out;
        for (const auto& group : engine_->mainDataSource(kDups).nodesSnapshot()) {
            out.emplace_back();
            for (const auto& copy : group->children())
                out.back().push_back(copy->fullPath());
        }
        return out;
    }

    std::vector<std::string> processed() const {
        std::vector<std::string> paths;
        for (const auto& n : recorder_->named("ProcessingFileNameNotification"))
            paths.push_back(n.info("fileName"));
        return paths;
    }

    std::map<std::string, int> hashCounts() {
        const std::lock_guard lock(hashMutex_);
        return hashes_;
    }

    std::string root_;
    std::mutex hashMutex_;
    std::map<std::string, int> hashes_;
    std::function<void(const std::string&, std::uint64_t)> onChunk_;
};

// --- Scan -----------------------------------------------------------------------------------

TEST_F(Duplicates, IdenticalCopiesWithTheSameSizeAndTimeFormOneGroupInWalkOrder) {
    const std::string content = bytesOf('a', 4096);
    const auto a = file("a.bin", content);
    const auto b = file("sub/b.bin", content);
    const auto c = file("z.bin", content);
    file("other.bin", bytesOf('o', 4096));     // same size, other bytes
    file("later.bin", content, 1'600'000'100); // same bytes, other time
    file("small1.bin", bytesOf('s', 4095));    // below the minimum
    file("small2.bin", bytesOf('s', 4095));

    engine_->fillDuplicateFiles();

    ASSERT_EQ(groups(), (std::vector<std::vector<std::string>>{{a, b, c}}));
    const auto nodes = engine_->mainDataSource(kDups).nodesSnapshot();
    const auto& group = *nodes.front();
    EXPECT_NE(dynamic_cast<const qengine::DupOVNode*>(&group), nullptr);
    EXPECT_EQ(group.title(), "a.bin");
    EXPECT_EQ(group.fullPath(), "");
    EXPECT_EQ(group.parentIndex(), -1);
    EXPECT_EQ(group.state(), 0);
    EXPECT_TRUE(group.isDirectory());
    for (const auto& copy : group.children()) {
        EXPECT_EQ(copy->title(), copy->fullPath());
        EXPECT_EQ(copy->state(), 0);
        EXPECT_FALSE(copy->isDirectory());
        EXPECT_EQ(copy->parentIndex(), 0);
        EXPECT_EQ(copy->size(), "4096");
    }
    // Progress counts the copies beyond the first of each group.
    std::vector<std::pair<std::string, std::string>> progress;
    for (const auto& n : recorder_->named("DataFillerUpdateNotification"))
        progress.emplace_back(n.info("count"), n.info("size"));
    EXPECT_EQ(progress, (std::vector<std::pair<std::string, std::string>>{
                            {"0", "0"}, {"1", "4096"}, {"2", "8192"}}));
    EXPECT_EQ(engine_->itemsCount_Dups(), 2);
    EXPECT_EQ(engine_->itemsSize_Dups(), 8192u);
    EXPECT_EQ(recorder_->sequence(kDups),
              (std::vector<std::string>{"start", "update", "reload", "update", "reload", "update",
                                        "reload", "stop"}));
    EXPECT_EQ(processed().size(), 8u); // every entry, the folder "sub" included
    EXPECT_FALSE(engine_->isFillingDuplicateFiles());
    EXPECT_EQ(engine_->getItemsCountOfModule(kDups), 3);
}

TEST_F(Duplicates, ADatabaseLogOrIndexIsNeverACopy) {
    const std::string content = bytesOf('w', 8192);
    const auto a = file("a/store.sqlite", bytesOf('s', 4096));
    const auto b = file("b/store.sqlite", bytesOf('s', 4096));
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        file(std::string("a/store.sqlite") + suffix, content);
        file(std::string("b/store.sqlite") + suffix, content);
    }

    engine_->fillDuplicateFiles();

    EXPECT_EQ(groups(), (std::vector<std::vector<std::string>>{{a, b}}));
}

TEST_F(Duplicates, EachFileIsHashedAtMostOnceAndLoneKeysNeverAreHashed) {
    const auto x1 = file("x1", bytesOf('x', 5000));
    const auto x2 = file("x2", bytesOf('x', 5000));
    const auto x3 = file("x3", bytesOf('x', 5000));
    const auto y = file("y", bytesOf('y', 5000));
    const auto lone = file("lone", bytesOf('x', 6000));
    const auto otherTime = file("x4", bytesOf('x', 5000), 1'700'000'000);

    engine_->fillDuplicateFiles();

    const auto counts = hashCounts();
    for (const auto& path : {x1, x2, x3, y})
        EXPECT_EQ(counts.count(path) ? counts.at(path) : 0, 1) << path;
    EXPECT_EQ(counts.count(lone), 0u);
    EXPECT_EQ(counts.count(otherTime), 0u);
    EXPECT_EQ(groups(), (std::vector<std::vector<std::string>>{{x1, x2, x3}}));
}

TEST_F(Duplicates, ExcludedNamesAndFoldersAreLeftOut) {
    const std::string content = bytesOf('e', 4096);
    file("keep1", content);
    file("keep2", content);
    file("repo/.git/objects/o1", content);
    file("repo/.GIT/o2", content); // names compare ignoring case
    file("private/p1", content);
    file("privateer/p2", content); // only a text prefix of an excluded folder: compared
    exclude({".git", root_ + "/Private"});

    engine_->fillDuplicateFiles();

    EXPECT_EQ(groups(), (std::vector<std::vector<std::string>>{
                            {root_ + "/keep1", root_ + "/keep2", root_ + "/privateer/p2"}}));
    const auto seen = processed();
    // A name entry does not stop the walk; a folder entry skips its whole subtree.
    EXPECT_NE(std::find(seen.begin(), seen.end(), root_ + "/repo/.git/objects/o1"), seen.end());
    EXPECT_EQ(std::find(seen.begin(), seen.end(), root_ + "/private/p1"), seen.end());

    exclude({"/"});
    engine_->fillDuplicateFiles();
    EXPECT_TRUE(groups().empty());
    EXPECT_TRUE(engine_->checkFolderToBeExcludedFromDuplicates("/"));
    EXPECT_TRUE(engine_->fileExistsWithFolderName(root_ + "/keep1"));
}

TEST_F(Duplicates, LinksAreNeitherFollowedNorListedAndHiddenFilesAreCompared) {
    const std::string content = bytesOf('l', 8192);
    const auto real = file("real.bin", content);
    const auto hidden = file(".hidden.bin", content);
    ASSERT_EQ(::symlink(real.c_str(), (root_ + "/link.bin").c_str()), 0);
    // A linked folder outside the scan, full of further copies, is never entered.
    const std::string outside = home_.mkdir("outside");
    home_.write("outside/o1.bin", content);
    home_.write("outside/o2.bin", content);
    ASSERT_EQ(::symlink(outside.c_str(), (root_ + "/linked-folder").c_str()), 0);
    // A hard link is the same file, not a copy whose removal would free anything.
    ASSERT_EQ(::link(real.c_str(), (root_ + "/hard.bin").c_str()), 0);

    engine_->fillDuplicateFiles();

    // The hard link comes first in the walk, so it stands for the file.
    EXPECT_EQ(groups(), (std::vector<std::vector<std::string>>{{hidden, root_ + "/hard.bin"}}));
    for (const auto& seen : processed())
        EXPECT_FALSE(seen.starts_with(root_ + "/linked-folder/")) << seen;
}

TEST_F(Duplicates, PackagesAreNotEnteredAndSystemPackagesAreSkippedWhole) {
    const std::string content = bytesOf('p', 4096);
    file("Thing.app/Contents/Info.plist",
         "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleIdentifier</key>"
         "<string>org.example.thing</string></dict></plist>");
    file("Thing.app/Contents/Resources/r1", content);
    file("Thing.app/Contents/Resources/r2", content);
    file("System.app/Contents/Info.plist",
         "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleIdentifier</key>"
         "<string>com.apple.system</string></dict></plist>");
    file("System.app/Contents/s1", content);
    file("Bare.bundle/b1", content); // no Info.plist: skipped with its contents
    file("Bare.bundle/b2", content);

    engine_->fillDuplicateFiles();

    EXPECT_TRUE(groups().empty());
    for (const auto& seen : processed()) {
        EXPECT_FALSE(seen.starts_with(root_ + "/Thing.app/")) << seen;
        EXPECT_FALSE(seen.starts_with(root_ + "/System.app/")) << seen;
        EXPECT_FALSE(seen.starts_with(root_ + "/Bare.bundle/")) << seen;
    }
}

TEST_F(Duplicates, AStopDuringAHashEndsItAfterTheChunkAndEndsTheScan) {
    const std::string content = bytesOf('h', 64 * 1024);
    const auto first = file("a.bin", content);
    file("b.bin", content);
    file("c.bin", content);
    std::vector<std::uint64_t> chunksOfFirst;
    onChunk_ = [&](const std::string& path, std::uint64_t bytes) {
        if (path != first) return;
        chunksOfFirst.push_back(bytes);
        if (bytes == 8192) engine_->setStopFillingDuplicateFiles(true);
    };

    engine_->fillDuplicateFiles();

    EXPECT_EQ(chunksOfFirst, (std::vector<std::uint64_t>{0, 4096, 8192}));
    EXPECT_TRUE(groups().empty());
    EXPECT_TRUE(engine_->abortedDuplicateFiles());
    EXPECT_FALSE(engine_->stopFillingDuplicateFiles());
    EXPECT_EQ(hashCounts().count(root_ + "/c.bin"), 0u); // the walk ended before it
    EXPECT_EQ(recorder_->sequence(kDups), (std::vector<std::string>{"start", "stop"}));
}

TEST_F(Duplicates, SlashMeansTheHomeFolder) {
    const auto a = home_.write("a.txt", bytesOf('q', 4096));
    const auto b = home_.write("b.txt", bytesOf('q', 4096));
    setModified(a, 1'600'000'000);
    setModified(b, 1'600'000'000);
    UserDefaults::standard().setObject("DuplicatesFinderPath", "/");
    engine_->fillDuplicateFiles();
    EXPECT_EQ(groups(), (std::vector<std::vector<std::string>>{
                            {home_.path() + "/a.txt", home_.path() + "/b.txt"}}));
    EXPECT_EQ(engine_->filesArrayInDuplicatesFinder().root(), home_.path() + "/");
}

TEST(FileMD5StreamHash, MatchesTheDigestOfTheWholeFileAndRefusesWhatIsNoRegularFile) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 10000; ++i)
        bytes.push_back(static_cast<char>(i * 7));
    const auto path = dir.write("f", bytes);
    EXPECT_EQ(qengine::FileMD5StreamHash(path, 0, nullptr), qcore::Md5::ofString(bytes));
    EXPECT_EQ(qengine::FileMD5StreamHash(path, 3, nullptr), qcore::Md5::ofString(bytes));
    EXPECT_EQ(qengine::FileMD5StreamHash(dir.write("empty"), 4096, nullptr),
              qcore::Md5::ofString(""));
    ASSERT_EQ(::symlink(path.c_str(), dir.file("link").c_str()), 0);
    EXPECT_FALSE(qengine::FileMD5StreamHash(dir.file("link"), 4096, nullptr));
    EXPECT_FALSE(qengine::FileMD5StreamHash(dir.path(), 4096, nullptr));
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(qengine::FileMD5StreamHash(dir.file("pipe"), 4096, nullptr));
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(qengine::FileMD5StreamHash(path, 4096, &stop));
}

TEST(SizeSetting, ShiftsByUnitAndNeverOverflows) {
    EXPECT_EQ(SizeSetting::bytes(4, 1), 4096u);
    EXPECT_EQ(SizeSetting::bytes(1, 2), 1u << 20);
    EXPECT_EQ(SizeSetting::bytes(3, 3), 3ull << 30);
    EXPECT_EQ(SizeSetting::bytes(77, 0), 77u);
    EXPECT_EQ(SizeSetting::bytes(77, 4), 77u);
    EXPECT_EQ(SizeSetting::bytes(-5, 2), 0u);
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(SizeSetting::bytes((std::int64_t{1} << 34) - 1, 3), ((std::uint64_t{1} << 34) - 1)
                                                                      << 30);
    EXPECT_EQ(SizeSetting::bytes(std::int64_t{1} << 34, 3), kMax);
    EXPECT_EQ(SizeSetting::bytes(std::numeric_limits<std::int64_t>::max(), 1), kMax);
}

// --- Clean ----------------------------------------------------------------------------------

class DuplicatesClean : public Duplicates {
protected:
    // Scans `copies` identical files and ticks the copies at `ticked`.
    std::vector<std::string> scanGroup(int copies, const std::vector<int>& ticked,
                                       char fill = 'd') {
        std::vector<std::string> paths;
        for (int i = 0; i < copies; ++i)
            paths.push_back(file(std::string(1, fill) + std::to_string(i), bytesOf(fill, 5000)));
        engine_->fillDuplicateFiles();
        tick(paths, ticked);
        return paths;
    }
    void tick(const std::vector<std::string>& paths, const std::vector<int>& ticked) {
        engine_->mainDataSource(kDups).withLock([&](auto& groups, auto&) {
            for (const auto& group : groups) {
                group->setState(-1);
                for (const auto& copy : group->children())
                    for (int index : ticked)
                        if (copy->fullPath() == paths[static_cast<std::size_t>(index)])
                            copy->setState(1);
            }
        });
    }
    std::map<std::string, bool> deletedMarks() const {
        std::map<std::string, bool> marks;
        for (const auto& group : engine_->mainDataSource(kDups).nodesSnapshot())
            for (const auto& copy : group->children())
                marks[copy->fullPath()] = copy->isDeleted();
        return marks;
    }
    bool groupDeleted(std::size_t index) const {
        return engine_->mainDataSource(kDups).nodesSnapshot().at(index)->isDeleted();
    }
    void clearRecorder() { recorder_ = std::make_unique<NotificationRecorder>(engine_.get()); }
    void keep(std::size_t group, std::int32_t index) {
        engine_->mainDataSource(kDups).withLock([&](auto& groups, auto&) {
            std::dynamic_pointer_cast<qengine::DupOVNode>(groups.at(group))
                ->setIndexToRetain(index);
        });
    }
};

TEST_F(DuplicatesClean, RemovesOnlyTickedCopiesAndMarksAGroupWithOneCopyLeft) {
    const auto paths = scanGroup(3, {1, 2});
    clearRecorder();

    engine_->removeDuplicateFiles();

    EXPECT_TRUE(FileManager::exists(paths[0]));
    EXPECT_FALSE(FileManager::exists(paths[1]));
    EXPECT_FALSE(FileManager::exists(paths[2]));
    EXPECT_EQ(deletedMarks(),
              (std::map<std::string, bool>{{paths[0], false}, {paths[1], true}, {paths[2], true}}));
    EXPECT_TRUE(groupDeleted(0));
    EXPECT_EQ(recorder_->sequence(kDups),
              (std::vector<std::string>{"start", "update", "update", "stop"}));
    const auto last = recorder_->named("DataFillerUpdateNotification").back();
    EXPECT_EQ(last.info("count"), "2");
    EXPECT_EQ(last.info("size"), "10000");
    EXPECT_FALSE(engine_->isRemovingDuplicateFiles());
}

TEST_F(DuplicatesClean, ACopySwappedForALinkOrAFolderOrMovedOutsideIsLeftAlone) {
    const auto paths = scanGroup(4, {0, 1, 2});
    keep(0, 3);
    const auto precious = home_.write("precious.txt", "keep me");
    // 0 becomes a link to a file outside the scanned folder.
    ASSERT_EQ(::unlink(paths[0].c_str()), 0);
    ASSERT_EQ(::symlink(precious.c_str(), paths[0].c_str()), 0);
    // 1 becomes a folder: a listed file is never removed recursively.
    ASSERT_EQ(::unlink(paths[1].c_str()), 0);
    home_.write("scan/d1/inside.txt", "folder content");
    // 2 is gone: marked, but nothing was freed.
    ASSERT_EQ(::unlink(paths[2].c_str()), 0);
    clearRecorder();

    engine_->removeDuplicateFiles();

    EXPECT_TRUE(FileManager::attributes(paths[0])->isLink());
    EXPECT_EQ(FileManager::readFile(precious), "keep me");
    EXPECT_TRUE(FileManager::exists(paths[1] + "/inside.txt"));
    EXPECT_TRUE(FileManager::exists(paths[3]));
    EXPECT_EQ(deletedMarks(),
              (std::map<std::string, bool>{
                  {paths[0], false}, {paths[1], false}, {paths[2], true}, {paths[3], false}}));
    // Two refused copies remain, so the group keeps its rows.
    EXPECT_FALSE(groupDeleted(0));
    // The copy that was already gone counts as cleaned but freed nothing.
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].info("count"), "1");
    EXPECT_EQ(updates[0].info("size"), "0");
}

TEST_F(DuplicatesClean, EveryCopyTickedStillKeepsTheKeptCopy) {
    // Kept index as the page set it, then none chosen, then one past the copies: copy 0.
    for (const auto& [index, expectedKept] :
         std::vector<std::pair<std::int32_t, std::size_t>>{{2, 2}, {-1, 0}, {7, 0}}) {
        std::filesystem::remove_all(root_);
        const auto paths = scanGroup(3, {0, 1, 2});
        keep(0, index);

        engine_->removeDuplicateFiles();

        for (std::size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(FileManager::exists(paths[i]), i == expectedKept) << index << " " << i;
        EXPECT_TRUE(groupDeleted(0)); // one copy left: no longer a set of duplicates
    }
}

TEST_F(DuplicatesClean, AKeptCopyThatChangedSinceTheScanStopsTheRemovalOfItsTwins) {
    const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> changes{
        {"rewritten with its old time put back",
         [](const std::string& kept) {
             // The status-change time needs a clock tick to move.
             std::this_thread::sleep_for(std::chrono::milliseconds(20));
             const int fd = ::open(kept.c_str(), O_WRONLY);
             ASSERT_GE(fd, 0);
             const std::string other = bytesOf('X', 5000);
             ASSERT_EQ(::write(fd, other.data(), other.size()), 5000);
             ::close(fd);
             setModified(kept, 1'600'000'000);
         }},
        {"removed", [](const std::string& kept) { ASSERT_EQ(::unlink(kept.c_str()), 0); }},
        {"replaced by a second name of its twin",
         [this](const std::string& kept) {
             ASSERT_EQ(::unlink(kept.c_str()), 0);
             ASSERT_EQ(::link((root_ + "/d1").c_str(), kept.c_str()), 0);
         }},
    };
    for (const auto& [what, change] : changes) {
        std::filesystem::remove_all(root_);
        const auto paths = scanGroup(2, {1});
        change(paths[0]);
        clearRecorder();

        engine_->removeDuplicateFiles();

        EXPECT_TRUE(FileManager::exists(paths[1])) << what;
        EXPECT_FALSE(deletedMarks().at(paths[1])) << what;
        EXPECT_TRUE(recorder_->named("DataFillerUpdateNotification").empty()) << what;
    }
}

TEST_F(DuplicatesClean, ATickedCopyThatChangedSinceTheScanIsLeftAlone) {
    const auto paths = scanGroup(3, {1, 2});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(::chmod(paths[1].c_str(), 0600), 0); // same bytes and times, a new change time

    engine_->removeDuplicateFiles();

    EXPECT_TRUE(FileManager::exists(paths[1]));
    EXPECT_FALSE(FileManager::exists(paths[2]));
    EXPECT_FALSE(groupDeleted(0));
}

TEST_F(DuplicatesClean, AFolderSwappedForALinkLeadsNowhereOutsideTheScan) {
    const auto a = file("sub/a", bytesOf('s', 5000));
    const auto b = file("b", bytesOf('s', 5000));
    engine_->fillDuplicateFiles();
    tick({a, b}, {0});
    // The copy's folder now leads outside; a file of the same name waits there.
    const auto outside = home_.mkdir("elsewhere");
    const auto victim = home_.write("elsewhere/a", "not a duplicate");
    std::filesystem::remove_all(root_ + "/sub");
    ASSERT_EQ(::symlink(outside.c_str(), (root_ + "/sub").c_str()), 0);
    clearRecorder();

    engine_->removeDuplicateFiles();

    EXPECT_EQ(FileManager::readFile(victim), "not a duplicate");
    EXPECT_TRUE(recorder_->named("DataFillerUpdateNotification").empty());
    EXPECT_FALSE(deletedMarks().at(a));
}

TEST_F(DuplicatesClean, AStopEndsTheCleanAtOnceAndGroupsKeepTheirStates) {
    const auto paths = scanGroup(2, {0});
    engine_->setStopRemovingDuplicateFiles(true);
    clearRecorder();

    engine_->removeDuplicateFiles();

    EXPECT_TRUE(FileManager::exists(paths[0]));
    EXPECT_EQ(engine_->mainDataSource(kDups).nodesSnapshot()[0]->state(), -1);
    EXPECT_TRUE(engine_->abortedDuplicateFiles());
    EXPECT_FALSE(engine_->stopRemovingDuplicateFiles());
    EXPECT_EQ(recorder_->sequence(kDups), (std::vector<std::string>{"start", "stop"}));
}

TEST_F(DuplicatesClean, ARowTheScanDidNotListIsNeverRemoved) {
    scanGroup(2, {});
    const auto stranger = file("stranger", "bytes");
    engine_->mainDataSource(kDups).withLock([&](auto& groups, auto&) {
        auto row = std::make_shared<qengine::OutlineViewNode>();
        row->setFullPath(stranger);
        row->setState(1);
        groups[0]->children().push_back(row);
        groups[0]->setState(-1);
    });
    engine_->removeDuplicateFiles();
    EXPECT_TRUE(FileManager::exists(stranger));
}

// Deep trees were walked only down to the descriptor limit and long paths were never hashed.
TEST_F(DuplicatesClean, CopiesAtAnyDepthAndPathLengthAreFoundHashedAndRemoved) {
    const std::string content = bytesOf('d', 5000);
    const std::string deep = makeDeepTree(root_, 1500, "deep.bin", content);
    ASSERT_GT(deep.size(), static_cast<std::size_t>(PATH_MAX));
    const auto modified = FileManager::attributes(deep)->modified.secondsSince1970;
    const std::string shallow = file("a-shallow.bin", content, static_cast<time_t>(modified));
    {
        DescriptorLimit limit(64);
        engine_->fillDuplicateFiles();
    }
    ASSERT_EQ(groups(), (std::vector<std::vector<std::string>>{{shallow, deep}}));
    EXPECT_EQ(hashCounts()[deep], 1);
    tick({shallow, deep}, {1}); // the first copy is the one a group keeps

    engine_->removeDuplicateFiles();

    EXPECT_FALSE(FileManager::exists(deep));
    EXPECT_TRUE(FileManager::exists(shallow));
}

// --- Agreement with an independent grouping ---------------------------------------------------

namespace {

using Groups = std::vector<std::vector<std::string>>;

Groups sortedGroups(Groups groups) {
    for (auto& group : groups)
        std::sort(group.begin(), group.end());
    std::sort(groups.begin(), groups.end());
    return groups;
}

// What the scan must list, found by reading every file: a file is compared only when another
// file shares its size and modification second, and the compared files of the same bytes form a
// group.
Groups referenceGroups(const std::string& root) {
    namespace fs = std::filesystem;
    struct Seen {
        std::string path;
        std::pair<std::uint64_t, std::int64_t> key;
    };
    std::vector<Seen> files;
    std::map<std::pair<std::uint64_t, std::int64_t>, int> keyCounts;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
        if (it->path().filename() == ".git") {
            it.disable_recursion_pending();
            continue;
        }
        const std::string path = it->path().string();
        const auto attributes = FileManager::attributes(path);
        if (!attributes || !attributes->isRegular() || attributes->size < 4096) continue;
        if (path.ends_with("-wal")) continue;
        const auto second = static_cast<std::int64_t>(attributes->modified.secondsSince1970);
        files.push_back({path, {attributes->size, second}});
        ++keyCounts[files.back().key];
    }
    std::map<std::string, std::vector<std::string>> byContent;
    for (const auto& file : files) {
        if (keyCounts[file.key] < 2) continue;
        const auto bytes = FileManager::readFile(file.path);
        EXPECT_TRUE(bytes) << file.path;
        if (bytes) byContent[*bytes].push_back(file.path);
    }
    Groups groups;
    for (auto& [bytes, paths] : byContent)
        if (paths.size() > 1) groups.push_back(std::move(paths));
    return sortedGroups(std::move(groups));
}

} // namespace

// Thousands of files, so every table of the scan grows while it walks: copies in one folder and
// across folders, the same bytes at other times, the same size with other bytes, odd names,
// links, hidden and excluded copies and a database log.
TEST_F(Duplicates, GroupsAgreeWithAGroupingByContentOfTheFilesSharingSizeAndTime) {
    constexpr int kFiles = 3000;
    for (int i = 0; i < kFiles; ++i) {
        const int content = i % 700;
        std::string bytes = "content " + std::to_string(content) + "\n";
        bytes.resize(4096 + static_cast<std::size_t>(content % 50) * 3, 'x');
        if (i % 97 == 0) bytes.back() = 'y'; // same size, other bytes
        const std::string name = "f" + std::to_string(i) + (i % 11 == 0 ? " \xc3\xa9 name" : "");
        file("d" + std::to_string(i % 37) + "/" + name, bytes, 1'600'000'000 + i % 3);
    }
    const std::string copy(4200, 'c');
    file(".hidden/copy", copy);
    file("visible/copy", copy);
    file("repo/.git/copy", copy);
    file("db/store-wal", copy);
    file("small/a", std::string(100, 's'));
    file("small/b", std::string(100, 's'));
    ASSERT_EQ(::symlink((root_ + "/visible/copy").c_str(), (root_ + "/link").c_str()), 0);

    engine_->fillDuplicateFiles();

    const Groups expected = referenceGroups(root_);
    ASSERT_GT(expected.size(), 500u);
    EXPECT_EQ(sortedGroups(groups()), expected);
    for (const auto& [path, count] : hashCounts())
        EXPECT_EQ(count, 1) << path;
    for (const auto& group : engine_->mainDataSource(kDups).nodesSnapshot())
        for (const auto& copy : group->children())
            EXPECT_EQ(copy->sizeInBytes(), FileManager::attributes(copy->fullPath())->size);
}
