#include "EngineTestSupport.h"

#include "engine/LargeFilesScan.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/UserDefaults.h"

#include <filesystem>
#include <map>
#include <unistd.h>

using qcore::FileManager;
using qcore::UserDefaults;
using qengine::LargeFilesScan;

namespace {

const std::string kLarge = "Large Files";
constexpr std::uint64_t kMB = 1 << 20;

const std::map<std::string, std::string> kSettings{
    {"searchFileMinSize_Large", "50"},  {"searchSizeUnit_Large", "2"},
    {"searchFileMinSize_LargeM", "1"},  {"searchSizeUnit_LargeM", "2"},
    {"searchFileMinSize_LargeD", "1"},  {"searchSizeUnit_LargeD", "2"},
    {"searchFileMinSize_LargeV", "25"}, {"searchSizeUnit_LargeV", "2"},
    {"searchFileMinSize_LargeP", "1"},  {"searchSizeUnit_LargeP", "2"},
};

// Adds the category titles to the fixture language table.
void addCategoryTexts(const std::string& bundleFolder) {
    const std::string path = bundleFolder + "/Quendrix_EN.plist";
    auto table = qcore::Value::fromPlistFile(path);
    ASSERT_TRUE(table && table->dictionary());
    auto& common = *(*table->dictionary())["[GRP_CMN]"].dictionary();
    for (const auto& [key, title] :
         std::map<std::string, std::string>{{"ID_MUSIC", "Music"},
                                            {"ID_PICTURES", "Pictures"},
                                            {"ID_VIDEO", "Video"},
                                            {"ID_DOCUMENTS", "Documents"},
                                            {"ID_OTHERS", "Others"}})
        common[key] = title;
    ASSERT_TRUE(table->writeXmlPlistAtomically(path));
}

} // namespace

class LargeFiles : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (withCategoryTexts_) {
            addCategoryTexts(bundleDir_.path());
            recorder_.reset();
            engine_ = std::make_unique<qengine::DataFiller>(qcore::Bundle(bundleDir_.path()));
            recorder_ = std::make_unique<NotificationRecorder>(engine_.get());
        }
        auto& defaults = UserDefaults::standard();
        for (const auto& [key, value] : kSettings)
            defaults.setObject(key, value);
        defaults.setObject("LargeFilesPath", home_.path() + "/");
        engine_->addNodesToLargeFiles(kLarge);
    }
    void TearDown() override {
        for (const auto& [key, value] : kSettings)
            UserDefaults::standard().removeObject(key);
        UserDefaults::standard().removeObject("LargeFilesPath");
        EngineTest::TearDown();
    }

    // A sparse file of `bytes` below the home folder.
    std::string big(const std::string& relative, std::uint64_t bytes) {
        const std::string path = home_.write(relative);
        std::filesystem::resize_file(path, bytes);
        return path;
    }

    // Category title -> listed file names.
    std::map<std::string, std::vector<std::string>> listed() const {
        std::map<std::string, std::vector<std::string>> out;
        for (const auto& category : engine_->mainDataSource(kLarge).nodesSnapshot()) {
            auto& names = out[category->title()];
            for (const auto& item : category->children())
                names.push_back(item->title());
        }
        return out;
    }

    void tick(const std::vector<std::string>& paths, std::int64_t categoryState = -1) {
        engine_->mainDataSource(kLarge).withLock([&](auto& categories, auto&) {
            for (const auto& category : categories)
                for (const auto& item : category->children())
                    if (std::find(paths.begin(), paths.end(), item->fullPath()) != paths.end()) {
                        item->setState(1);
                        category->setState(categoryState);
                    }
        });
    }

    void clearRecorder() { recorder_ = std::make_unique<NotificationRecorder>(engine_.get()); }

    bool withCategoryTexts_ = true;
};

// --- Scan -----------------------------------------------------------------------------------

TEST_F(LargeFiles, EachCategoryAppliesItsOwnThreshold) {
    big("song.mp3", 2 * kMB);
    big("clip.mov", 2 * kMB);
    big("film.MOV", 25 * kMB); // exactly at the threshold, any letter case
    big("blob.xyz", 30 * kMB);
    big("disk.img", 50 * kMB);
    big("notes.pdf", kMB - 1);
    big("report.log", 60 * kMB);
    big("RivozorevBackup.log", 60 * kMB);
    big("zolvane-run.LOG", 60 * kMB);
    big("photo.jpeg", kMB);

    engine_->fillLargeFiles();

    EXPECT_EQ(listed(),
              (std::map<std::string, std::vector<std::string>>{{"Music", {"song.mp3"}},
                                                               {"Pictures", {"photo.jpeg"}},
                                                               {"Video", {"film.MOV"}},
                                                               {"Documents", {"report.log"}},
                                                               {"Others", {"disk.img"}}}));
    const auto categories = engine_->mainDataSource(kLarge).nodesSnapshot();
    ASSERT_EQ(categories.size(), 5u);
    for (std::size_t i = 0; i < categories.size(); ++i) {
        EXPECT_TRUE(categories[i]->isDirectory());
        for (const auto& item : categories[i]->children()) {
            EXPECT_EQ(item->state(), 0);
            EXPECT_EQ(item->parentIndex(), static_cast<std::int64_t>(i));
        }
    }
    EXPECT_EQ(engine_->minfileSizeV(), 25 * kMB);
    EXPECT_EQ(engine_->getItemsCountOfModule(kLarge), 5);
    const auto last = recorder_->named("DataFillerUpdateNotification").back();
    EXPECT_EQ(last.info("count"), "5");
    EXPECT_EQ(last.info("size"), std::to_string((2 + 1 + 25 + 60 + 50) * kMB));
}

TEST_F(LargeFiles, LibraryTrashPackagesAndHiddenEntriesAreLeftOutButHiddenFoldersWalked) {
    big("Library/Caches/cache.mp3", 2 * kMB);
    big(".Trash/old.mp3", 2 * kMB);
    big("Tool.app/Contents/theme.mp3", 2 * kMB);
    big(".secret.mp3", 2 * kMB);
    big(".config/tune.mp3", 2 * kMB);
    big("LibraryNotes/tune2.mp3", 2 * kMB);

    engine_->fillLargeFiles();

    EXPECT_EQ(listed().at("Music"), (std::vector<std::string>{"tune.mp3", "tune2.mp3"}));

    const std::string home = home_.path();
    EXPECT_EQ(engine_->checkIfLargeFileExcluded(home + "/Library"), 2);
    EXPECT_EQ(engine_->checkIfLargeFileExcluded(home + "/.Trash/x"), 2);
    EXPECT_EQ(engine_->checkIfLargeFileExcluded(home + "/a/.x"), 1);
    EXPECT_EQ(engine_->checkIfLargeFileExcluded("/Volumes/Disk/x"), 0);
    EXPECT_EQ(engine_->checkIfLargeFileExcluded(home + "/a"), 0);
    EXPECT_EQ(engine_->checkIfLargeFileExcluded(home + "2/a"), 2);
    EXPECT_EQ(engine_->checkIfLargeFileExcluded("/etc/passwd"), 2);
}

TEST_F(LargeFiles, DatabaseCompanionsAreNeverListedOnTheirOwn) {
    big("Mail/index.db", 60 * kMB);
    big("Mail/index.db-wal", 60 * kMB);
    big("Mail/index.db-shm", 60 * kMB);
    big("Mail/old.sqlite-journal", 60 * kMB);

    engine_->fillLargeFiles();

    EXPECT_EQ(listed().at("Others"), std::vector<std::string>{"index.db"});
}

TEST_F(LargeFiles, ReloadsComeBeforeTheEleventhAndTwentyFirstCandidate) {
    // Candidates reach the smallest threshold, whether their category takes them or not.
    for (int i = 0; i < 25; ++i)
        big("f" + std::to_string(100 + i) + (i % 2 ? ".mp3" : ".mov"), kMB);

    engine_->fillLargeFiles();

    std::vector<std::string> expected{"start"};
    for (int i = 0; i < 25; ++i) {
        if (i == 10 || i == 20) expected.push_back("reload");
        if (i % 2) expected.push_back("update");
    }
    expected.push_back("stop");
    EXPECT_EQ(recorder_->sequence(kLarge), expected);
}

class LargeFilesWithoutTexts : public LargeFiles {
protected:
    void SetUp() override {
        withCategoryTexts_ = false;
        LargeFiles::SetUp();
    }
};

TEST_F(LargeFilesWithoutTexts, FilesFindTheirCategoryByItsPlaceWhateverTheTitlesRead) {
    big("doc.pdf", 2 * kMB);
    big("pic.png", 2 * kMB);
    engine_->fillLargeFiles();
    const auto categories = engine_->mainDataSource(kLarge).nodesSnapshot();
    ASSERT_EQ(categories.size(), 5u);
    std::vector<std::size_t> counts;
    for (const auto& category : categories) {
        EXPECT_EQ(category->title(), "NA");
        counts.push_back(category->children().size());
    }
    EXPECT_EQ(counts, (std::vector<std::size_t>{0, 1, 0, 1, 0}));
}

// --- Clean ----------------------------------------------------------------------------------

TEST_F(LargeFiles, CleanRemovesTickedFilesAndUnticksEveryWalkedCategory) {
    const auto a = big("a.mp3", 2 * kMB);
    const auto b = big("b.mp3", 2 * kMB);
    const auto c = big("c.mp3", 2 * kMB);
    const auto d = big("d.pdf", 2 * kMB);
    engine_->fillLargeFiles();
    tick({a, c});
    clearRecorder();

    engine_->removeLargeFiles();

    EXPECT_FALSE(FileManager::exists(a));
    EXPECT_TRUE(FileManager::exists(b));
    EXPECT_FALSE(FileManager::exists(c));
    EXPECT_TRUE(FileManager::exists(d));
    EXPECT_EQ(listed().at("Music"), (std::vector<std::string>{"b.mp3"}));
    EXPECT_EQ(listed().at("Documents"), (std::vector<std::string>{"d.pdf"}));
    for (const auto& category : engine_->mainDataSource(kLarge).nodesSnapshot())
        EXPECT_EQ(category->state(), 0);
    EXPECT_EQ(recorder_->sequence(kLarge),
              (std::vector<std::string>{"start", "update", "reload", "reload", "update", "reload",
                                        "stop"}));
    const auto last = recorder_->named("DataFillerUpdateNotification").back();
    EXPECT_EQ(last.info("count"), "2");
    EXPECT_EQ(last.info("size"), std::to_string(4 * kMB));
}

TEST_F(LargeFiles, AStopLeavesLaterCategoriesInPlaceAndUnticked) {
    const auto a = big("a.mp3", 2 * kMB);
    const auto b = big("b.mp3", 2 * kMB);
    const auto p = big("p.png", 2 * kMB);
    engine_->fillLargeFiles();
    tick({a, b, p}, 1);
    const auto stopper = qcore::NotificationCenter::defaultCenter().addObserver(
        this, "DataFillerUpdateNotification",
        [this](const qcore::Notification&) { engine_->setStopRemovingLargeFiles(true); });

    engine_->removeLargeFiles();
    qcore::NotificationCenter::defaultCenter().removeObserver(stopper);

    EXPECT_FALSE(FileManager::exists(a));
    EXPECT_TRUE(FileManager::exists(b));
    EXPECT_TRUE(FileManager::exists(p));
    EXPECT_TRUE(engine_->abortedLargeFiles());
    EXPECT_FALSE(engine_->stopRemovingLargeFiles());
    for (const auto& category : engine_->mainDataSource(kLarge).nodesSnapshot())
        EXPECT_EQ(category->state(), 0);
    EXPECT_EQ(listed().at("Pictures"), (std::vector<std::string>{"p.png"}));
}

TEST_F(LargeFiles, CleanLeavesAFileSwappedForALinkOrMovedOutOfTheFolder) {
    const auto a = big("music/a.mp3", 2 * kMB);
    const auto b = big("b.mp3", 2 * kMB);
    const auto gone = big("gone.mp3", 2 * kMB);
    engine_->fillLargeFiles();
    tick({a, b, gone});
    // b becomes a link to a file the scan never listed.
    const auto precious = home_.write("precious.txt", "keep me");
    ASSERT_EQ(::unlink(b.c_str()), 0);
    ASSERT_EQ(::symlink(precious.c_str(), b.c_str()), 0);
    // The folder of a now leads outside the scanned folder.
    TempDir outside;
    const auto victim = outside.write("a.mp3", "not listed");
    std::filesystem::remove_all(home_.path() + "/music");
    ASSERT_EQ(::symlink(outside.path().c_str(), (home_.path() + "/music").c_str()), 0);
    // gone.mp3 vanished: its row goes and counts, but it freed nothing here.
    ASSERT_EQ(::unlink(gone.c_str()), 0);
    clearRecorder();

    engine_->removeLargeFiles();

    EXPECT_EQ(FileManager::readFile(precious), "keep me");
    EXPECT_TRUE(FileManager::attributes(b)->isLink());
    EXPECT_EQ(FileManager::readFile(victim), "not listed");
    EXPECT_EQ(listed().at("Music"), (std::vector<std::string>{"b.mp3", "a.mp3"}));
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].info("count"), "1");
    EXPECT_EQ(updates[0].info("size"), "0");
}
