#include "platform/core/FileManager.h"
#include "platform/core/Home.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace qcore;
namespace fs = std::filesystem;

namespace {
std::vector<std::string> walk(const std::string& root) {
    std::vector<std::string> seen;
    DirectoryEnumerator e(root);
    while (auto entry = e.next())
        seen.push_back(entry->relativePath);
    return seen;
}
} // namespace

TEST(DirectoryEnumerator, ParentsBeforeContentsSortedHiddenIncludedLinksNotFollowed) {
    TempDir dir;
    dir.write("b/inner.txt", "x");
    dir.write("a.txt", "hello");
    dir.write(".hidden", "");
    dir.mkdir("outside/deep");
    dir.write("outside/deep/secret", "s");
    fs::create_directory_symlink(dir.file("outside"), dir.file("b/link"));

    const auto seen = walk(dir.path());
    EXPECT_EQ(seen, (std::vector<std::string>{".hidden", "a.txt", "b", "b/inner.txt", "b/link",
                                              "outside", "outside/deep", "outside/deep/secret"}));

    DirectoryEnumerator e(dir.file("b"));
    while (auto entry = e.next()) {
        if (entry->relativePath == "link") {
            EXPECT_TRUE(entry->attributes.isLink());
        }
        if (entry->relativePath == "inner.txt") {
            EXPECT_EQ(entry->attributes.size, 1u);
        }
    }
}

TEST(DirectoryEnumerator, SkipsDescendantsUnreadableAndVanishingEntries) {
    TempDir dir;
    dir.write("a/1", "");
    dir.write("b/2", "");
    dir.write("c/3", "");
    dir.write("d", "");

    DirectoryEnumerator e(dir.path());
    std::vector<std::string> seen;
    while (auto entry = e.next()) {
        seen.push_back(entry->relativePath);
        if (entry->relativePath == "a") e.skipDescendants();
        if (entry->relativePath == "b/2") fs::remove_all(dir.file("c")); // vanishes mid-walk
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "b/2", "d"}));

    EXPECT_TRUE(walk(dir.file("missing")).empty());
    EXPECT_TRUE(walk(dir.file("d")).empty()); // a file is no folder to walk

    if (::geteuid() != 0) { // root reads everything
        dir.write("locked/x", "");
        ::chmod(dir.file("locked").c_str(), 0);
        const auto all = walk(dir.path());
        EXPECT_NE(std::find(all.begin(), all.end(), "locked"), all.end());
        EXPECT_EQ(std::find(all.begin(), all.end(), "locked/x"), all.end());
    }
}

TEST(DirectoryEnumerator, WalksTreesDeeperThanThePathLimit) {
    TempDir dir;
    const std::string segment(200, 'd');
    std::string rel;
    int fd = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < 30; ++i) { // about 6000 bytes of path
        ASSERT_EQ(::mkdirat(fd, segment.c_str(), 0700), 0);
        const int next = ::openat(fd, segment.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    const int file = ::openat(fd, "leaf", O_CREAT | O_WRONLY, 0600);
    ASSERT_EQ(::write(file, "abc", 3), 3);
    ::close(file);
    ::close(fd);

    int count = 0;
    std::uint64_t bytes = 0;
    DirectoryEnumerator e(dir.path());
    while (auto entry = e.next()) {
        ++count;
        if (entry->attributes.isRegular()) bytes += entry->attributes.size;
    }
    EXPECT_EQ(count, 31);
    EXPECT_EQ(bytes, 3u);
    EXPECT_TRUE(FileManager::removeItem(dir.file(segment)));
    EXPECT_FALSE(FileManager::exists(dir.file(segment)));
}

TEST(FileManager, RemovalNeverFollowsLinks) {
    TempDir dir;
    const std::string keep = dir.write("keep/precious.txt", "data");
    dir.mkdir("victim");
    fs::create_directory_symlink(dir.file("keep"), dir.file("victim/link-to-folder"));
    fs::create_symlink(keep, dir.file("victim/link-to-file"));

    std::string error;
    EXPECT_TRUE(FileManager::removeItem(dir.file("victim"), &error));
    EXPECT_FALSE(FileManager::exists(dir.file("victim")));
    EXPECT_TRUE(FileManager::exists(keep));

    fs::create_symlink(dir.file("keep"), dir.file("lone-link"));
    EXPECT_TRUE(FileManager::removeItem(dir.file("lone-link")));
    EXPECT_TRUE(FileManager::exists(keep));

    EXPECT_FALSE(FileManager::removeItem(dir.file("missing"), &error));
    EXPECT_FALSE(error.empty());
}

TEST(FileManager, OpenFolderBelowFollowsNoLinkUnderTheRoot) {
    TempDir dir;
    dir.mkdir("home/real/deeper");
    dir.mkdir("elsewhere/deeper");
    dir.write("home/file", "f");
    fs::create_directory_symlink(dir.file("elsewhere"), dir.file("home/link"));
    fs::create_directory_symlink(dir.file("home"), dir.file("home link"));
    const std::string home = dir.file("home");
    std::string stoppedAt;
    const auto opens = [&](const std::string& root, const std::string& path) {
        stoppedAt.clear();
        return FileManager::openFolderBelow(root, path, &stoppedAt).valid();
    };

    EXPECT_TRUE(opens(home, home + "/real/deeper/"));
    EXPECT_TRUE(opens(home, home));
    // The root itself may be a link.
    EXPECT_TRUE(opens(dir.file("home link"), dir.file("home link/real/deeper")));
    EXPECT_FALSE(opens(home, home + "/link"));
    EXPECT_EQ(errno, ELOOP);
    EXPECT_EQ(stoppedAt, home + "/link");
    EXPECT_FALSE(opens(home, home + "/link/deeper"));
    EXPECT_EQ(errno, ELOOP);
    EXPECT_EQ(stoppedAt, home + "/link");
    EXPECT_FALSE(opens(home, home + "/file"));
    EXPECT_EQ(errno, ENOTDIR);
    EXPECT_FALSE(opens(home, home + "/missing/deeper"));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(stoppedAt, home + "/missing");
    // Nothing outside the root, by name or by "..".
    EXPECT_FALSE(opens(home, dir.file("elsewhere")));
    EXPECT_EQ(errno, EXDEV);
    EXPECT_FALSE(opens(home, home + "/real/../../elsewhere"));
    EXPECT_EQ(errno, EXDEV);
    EXPECT_FALSE(opens(home, "real"));
}

TEST(FileManager, AttributesDeletableAndWritable) {
    TempDir dir;
    const std::string file = dir.write("f.txt", "12345");
    const auto a = FileManager::attributes(file);
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->isRegular());
    EXPECT_EQ(a->size, 5u);
    EXPECT_GT(a->created.secondsSince1970, 0);
    fs::create_symlink("nowhere", dir.file("dangling"));
    EXPECT_TRUE(FileManager::exists(dir.file("dangling")));
    EXPECT_FALSE(FileManager::attributes(dir.file("dangling"), true));
    EXPECT_TRUE(FileManager::isDeletable(file));
    EXPECT_TRUE(FileManager::isWritable(file));
    EXPECT_FALSE(FileManager::isDeletable(dir.file("missing")));

    if (::geteuid() != 0) {
        dir.write("ro/x", "");
        ::chmod(dir.file("ro").c_str(), 0500);
        EXPECT_FALSE(FileManager::isDeletable(dir.file("ro/x")));
        ::chmod(dir.file("ro").c_str(), 0700);
    }
}

TEST(FileManager, PathHelpers) {
    EXPECT_EQ(FileManager::lastPathComponent("/a/b.tar.gz"), "b.tar.gz");
    EXPECT_EQ(FileManager::lastPathComponent("/a/b/"), "b");
    EXPECT_EQ(FileManager::pathExtension("/a/b.tar.gz"), "gz");
    EXPECT_EQ(FileManager::pathExtension("/a/.hidden"), "");
    EXPECT_EQ(FileManager::pathExtension("/a.d/file"), "");
    EXPECT_EQ(FileManager::deletingPathExtension("/a/b.part"), "/a/b");
    EXPECT_EQ(FileManager::deletingLastPathComponent("/a/b"), "/a");
    EXPECT_EQ(FileManager::deletingLastPathComponent("/a"), "/");
    EXPECT_EQ(FileManager::appendingPathComponent("/a/", "b"), "/a/b");
    EXPECT_EQ(FileManager::appendingPathComponent("/a", "/b"), "/a/b");
    EXPECT_TRUE(FileManager::isInside("/home/u/Library/Caches/x", "/home/u/Library/Caches/"));
    EXPECT_TRUE(FileManager::isInside("/home/u/Library/Caches", "/home/u/Library/Caches"));
    EXPECT_FALSE(FileManager::isInside("/home/u/Library/CachesX/x", "/home/u/Library/Caches"));
    EXPECT_FALSE(FileManager::isInside("/home/u/Library/Caches/../../x", "/home/u/Library/Caches"));
}

TEST(Home, RealHomeIsAbsoluteAndTheOverrideIsUsedByEveryone) {
    EXPECT_TRUE(Home::isUsable(Home::realHomeDirectory()));
    EXPECT_FALSE(Home::isUsable(""));
    EXPECT_FALSE(Home::isUsable("relative/home"));
    EXPECT_FALSE(Home::isUsable("/"));

    Home::setOverrideForTesting("/tmp/fixture-home/");
    EXPECT_EQ(Home::realHomeDirectory(), "/tmp/fixture-home");
    EXPECT_EQ(Home::containerHome("com.x"), "/tmp/fixture-home/Library/Containers/com.x/Data");
    EXPECT_EQ(Home::applicationScriptsFolder("com.x"),
              "/tmp/fixture-home/Library/Application Scripts/com.x/");
    Home::setOverrideForTesting("");
    EXPECT_NE(Home::realHomeDirectory(), "/tmp/fixture-home");
}
