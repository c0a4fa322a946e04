#include "platform/core/FileManager.h"

#include "DeepTree.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qcore;

namespace {

constexpr int kDepth = 1500;         // deeper than the usual limit of 1,024 open files
constexpr unsigned long kLimit = 64; // and walked with far fewer

} // namespace

// Walks used to hold a descriptor per level and paths were used whole, so deep or long trees
// were cut short silently.
TEST(DeepTrees, TheWalkFindsEveryEntryAtAnyDepthAndPathLength) {
    TempDir dir;
    const std::string bottom = makeDeepTree(dir.path(), kDepth, "bottom.txt", "found");
    ASSERT_GT(bottom.size(), static_cast<std::size_t>(PATH_MAX));
    dir.write("beside.txt", "x");
    DescriptorLimit limit(kLimit);

    DirectoryEnumerator walker(dir.path());
    int entries = 0;
    std::optional<DirectoryEnumerator::Entry> last;
    while (auto entry = walker.next()) {
        ++entries;
        if (entry->attributes.isRegular() && entry->relativePath != "beside.txt") last = entry;
    }
    EXPECT_EQ(entries, kDepth + 2);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->path, bottom);

    const auto attributes = FileManager::attributes(bottom);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->size, 5u);
    FileDescriptor file = FileManager::openFile(bottom, O_RDONLY | O_CLOEXEC);
    EXPECT_TRUE(file.valid());
}

TEST(DeepTrees, RemovalTakesTheWholeTreeWithFewDescriptors) {
    TempDir dir;
    const std::string top = dir.mkdir("ticked");
    makeDeepTree(top, kDepth, "bottom.txt", "gone");
    makeDeepTree(top, 3, "other.txt", "gone", "side");
    const std::string keep = dir.write("keep.txt", "keep");
    DescriptorLimit limit(kLimit);

    std::string error;
    EXPECT_TRUE(FileManager::removeItem(top, &error)) << error;
    EXPECT_FALSE(FileManager::exists(top));
    EXPECT_TRUE(FileManager::exists(keep));
}

TEST(DeepTrees, RemovalNeverFollowsLinksOrNamesThatLeadUp) {
    TempDir dir;
    const std::string outside = dir.write("outside/keep.txt", "keep");
    dir.write("ticked/inner/file", "goes");
    ASSERT_EQ(::symlink(dir.file("outside").c_str(), dir.file("ticked/inner/link").c_str()), 0);

    std::string error;
    EXPECT_FALSE(FileManager::removeItem(dir.file("ticked/inner/.."), &error));
    EXPECT_TRUE(FileManager::exists(dir.file("ticked/inner/file")));
    EXPECT_TRUE(FileManager::removeItem(dir.file("ticked"), &error)) << error;
    EXPECT_FALSE(FileManager::exists(dir.file("ticked")));
    EXPECT_TRUE(FileManager::exists(outside));
    EXPECT_FALSE(FileManager::removeItem(dir.file("ticked"), &error));
    EXPECT_EQ(error, "No such file or directory");
}

TEST(DeepTrees, FolderContainmentIsJudgedByIdentityAtAnyLength) {
    TempDir dir;
    const std::string bottom = makeDeepTree(dir.mkdir("module"), kDepth, "f", "x");
    const std::string outside = dir.mkdir("outside");
    ASSERT_EQ(::symlink(outside.c_str(), dir.file("module/escape").c_str()), 0);
    const FileDescriptor module = FileManager::openFolder(dir.file("module"));
    const auto deep = FileManager::openParent(bottom);
    ASSERT_TRUE(deep);
    EXPECT_TRUE(FileManager::isFolderWithin(deep->folder.get(), module.get()));
    EXPECT_TRUE(FileManager::isFolderWithin(module.get(), module.get()));
    const FileDescriptor escaped = FileManager::openFolder(dir.file("module/escape"));
    EXPECT_FALSE(FileManager::isFolderWithin(escaped.get(), module.get()));
    EXPECT_FALSE(FileManager::isFolderWithin(module.get(), deep->folder.get()));
}
