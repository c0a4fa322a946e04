#include "engine/FileOperations.h"
#include "tests/platform/core/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using qengine::FileOperations;

namespace {

const qcore::Dictionary kUnits{
    {"bytes", "bytes"}, {"KB", "KB"}, {"MB", "MB"}, {"GB", "GB"}, {"TB", "TB"}};

std::string sizeText(const std::string& bytes) {
    return FileOperations::convertBytesToApplicableUnit(kUnits, bytes);
}

} // namespace

TEST(FileOperations, SizeTextStepsOnlyAboveOneThousand) {
    EXPECT_EQ(sizeText("0"), "0 bytes");
    EXPECT_EQ(sizeText("1000"), "1000 bytes");
    EXPECT_EQ(sizeText("1001"), "1.0 KB");
    EXPECT_EQ(sizeText("1000000"), "1000.0 KB");
    EXPECT_EQ(sizeText("1500000"), "1.5 MB");
    EXPECT_EQ(sizeText("2000000000000000"), "2000.0 TB");
    EXPECT_EQ(sizeText("not a number"), "0 bytes");
    // Unit words are inserted as text, never used as a format.
    EXPECT_EQ(FileOperations::convertBytesToApplicableUnit({{"bytes", "%s%n"}}, "12"), "12 %s%n");
}

TEST(FileOperations, FileSizeAndFolderSizesCountLinksAsThemselves) {
    TempDir dir;
    EXPECT_EQ(FileOperations::getFileSize(dir.file("missing")), "0");
    const std::string empty = dir.mkdir("empty");
    EXPECT_EQ(FileOperations::folderSizeUnix(empty), "0");
    EXPECT_EQ(FileOperations::fastFolderSize(empty), "0");

    const std::string big = dir.write("big.bin", std::string(50000, 'x'));
    dir.write("tree/a.txt", "12345");
    dir.write("tree/sub/b.txt", "1234567890");
    const std::string link = dir.file("tree/link");
    ASSERT_EQ(::symlink(big.c_str(), link.c_str()), 0);
    const auto linkSize = big.size(); // a link's own size is the length of its target text
    const std::string expected = std::to_string(5 + 10 + linkSize);
    EXPECT_EQ(FileOperations::folderSizeUnix(dir.file("tree")), expected);
    EXPECT_EQ(FileOperations::fastFolderSize(dir.file("tree")), expected);
    EXPECT_EQ(FileOperations::getFileSize(big), "50000");
    EXPECT_EQ(FileOperations::getFileSize(link), std::to_string(linkSize));
}

TEST(FileOperations, FileRootWritesBothMessagesAndCountsZero) {
    TempDir dir;
    const std::string file = dir.write("plain.txt", "abc");
    testing::internal::CaptureStderr();
    EXPECT_EQ(qengine::RecursiveFolderSize(file), 0u);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("could not open directory '" + file + "'\n"), std::string::npos);
    EXPECT_NE(err.find("error is 20/"), std::string::npos); // ENOTDIR

    testing::internal::CaptureStderr();
    EXPECT_EQ(FileOperations::fastFolderSize(file), "0");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(FileOperations, FolderDeeperThanPathMaxIsSummedWhole) {
    TempDir dir;
    const std::string root = dir.mkdir("deep");
    const std::string name(200, 'd');
    const int levels = 40; // about 8000 bytes of path, twice PATH_MAX
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    for (int i = 0; i < levels; ++i) {
        ASSERT_EQ(::mkdirat(fd, name.c_str(), 0700), 0);
        const int file = ::openat(fd, "f", O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(file, 0);
        ASSERT_EQ(::write(file, "xyz", 3), 3);
        ::close(file);
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        ASSERT_GE(next, 0);
        fd = next;
    }
    ::close(fd);
    EXPECT_EQ(qengine::RecursiveFolderSize(root), static_cast<std::uint64_t>(3 * levels));
    EXPECT_EQ(FileOperations::fastFolderSize(root), std::to_string(3 * levels));
    // The standard library's removal cannot go that deep; rm can.
    EXPECT_EQ(std::system(("rm -rf '" + root + "'").c_str()), 0);
}

TEST(FileOperations, ItemDatesAndSizeTextRoundTrip) {
    TempDir dir;
    const std::string file = dir.write("dated.txt", "x");
    const struct timespec times[2] = {{1700000000, 0}, {1600000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    const auto dates = FileOperations::getItemAMCDates(file);
    ASSERT_TRUE(dates.count("aDate") && dates.count("mDate") && dates.count("cDate"));
    EXPECT_EQ(dates.at("aDate").date()->secondsSince1970, 1700000000);
    EXPECT_EQ(dates.at("mDate").date()->secondsSince1970, 1600000000);
    EXPECT_TRUE(FileOperations::getItemAMCDates(dir.file("missing")).empty());

    EXPECT_EQ(FileOperations::bytesOf("5000000000"), 5000000000ull);
    EXPECT_EQ(FileOperations::bytesOf("junk"), 0u);
    EXPECT_EQ(FileOperations::textOf(18446744073709551615ull), "18446744073709551615");
}
