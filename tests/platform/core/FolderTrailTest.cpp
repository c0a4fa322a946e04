#include "platform/core/FolderTrail.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace qcore;
namespace fs = std::filesystem;

namespace {

constexpr int kLevels = 40; // well below the folders kept open

std::size_t openDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

ino_t inodeOf(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? st.st_ino : 0;
}

ino_t inodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

FileDescriptor openIn(int folder, const char* name) {
    return FileDescriptor(::openat(folder, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// A chain of kLevels folders named "d" below "root" in `dir`; the root's path.
std::string makeChain(const TempDir& dir) {
    std::string chain = "root";
    for (int i = 0; i < kLevels; ++i)
        chain += "/d";
    dir.mkdir(chain);
    return dir.file("root");
}

// Goes down a chain of folders named "d" below `root`; the paths of the levels, root first.
std::vector<std::string> descendChain(FolderTrail& trail, const std::string& root) {
    std::vector<std::string> paths{root};
    EXPECT_TRUE(trail.enter(FileDescriptor(::open(root.c_str(), O_RDONLY | O_DIRECTORY))));
    for (int i = 0; i < kLevels; ++i) {
        paths.push_back(paths.back() + "/d");
        EXPECT_TRUE(trail.enter(openIn(trail.current(), "d")));
    }
    return paths;
}

} // namespace

// Deep walks hold a bounded number of descriptors, and every way back up, kept open or found
// again through "..", lands on the folder the walk came down from.
TEST(FolderTrail, HoldsFewDescriptorsAndReturnsToEachFolderOnTheWayUp) {
    TempDir dir;
    const std::string root = makeChain(dir);
    const std::size_t before = openDescriptors();
    FolderTrail trail;
    const auto paths = descendChain(trail, root);
    EXPECT_LE(openDescriptors() - before, FolderTrail::kKeptOpen + 1);
    EXPECT_EQ(trail.depth(), paths.size());

    for (std::size_t level = paths.size(); level-- > 1;) {
        EXPECT_EQ(inodeOf(trail.current()), inodeOf(paths[level])) << level;
        ASSERT_TRUE(trail.leave()) << level;
    }
    EXPECT_EQ(inodeOf(trail.current()), inodeOf(paths[0]));
    EXPECT_FALSE(trail.leave()); // the root has nothing above it
    EXPECT_EQ(openDescriptors(), before);
}

// A folder moved elsewhere while the walk was inside it: below the folders kept open, ".."
// leads somewhere the walk never came from, so the trail ends instead of going on there.
TEST(FolderTrail, EndsWhenTheWayBackLeadsSomewhereElse) {
    TempDir dir;
    const std::string root = makeChain(dir);
    dir.mkdir("elsewhere");
    FolderTrail trail;
    const auto paths = descendChain(trail, root);
    ASSERT_EQ(std::rename(paths.back().c_str(), dir.file("elsewhere/d").c_str()), 0);
    EXPECT_FALSE(trail.leave());
    EXPECT_EQ(trail.depth(), 0u);
    EXPECT_EQ(trail.current(), -1);
}
