#include "platform/core/SafeFileReader.h"
#include "platform/core/FileManager.h"
#include "platform/core/Value.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace qcore;
using Status = SafeFileReader::Status;
using Links = SafeFileReader::Links;

// Each of these once blocked a scan for ever or read without limit.
TEST(SafeFileReader, PipesDevicesAndLinksAreRefusedWithoutBlocking) {
    TempDir dir;
    const std::string fifo = dir.file("Info.plist");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto pipe = SafeFileReader::readWithStatus(fifo, 1024);
    EXPECT_EQ(pipe.status, Status::Refused);
    EXPECT_EQ(pipe.reason, "it is a pipe");
    EXPECT_FALSE(Value::fromPlistFile(fifo));

    const std::string zero = dir.file("profiles.ini");
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
    EXPECT_EQ(SafeFileReader::readWithStatus(zero, 1024).reason, "it is a link");
    // Even where links are followed (system files), a device is never read.
    EXPECT_EQ(SafeFileReader::readWithStatus(zero, 1024, Links::Follow).reason, "it is a device");
    EXPECT_FALSE(FileManager::readFile(zero));

    const std::string real = dir.write("real.txt", "contents");
    const std::string link = dir.file("link.txt");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    EXPECT_EQ(SafeFileReader::readWithStatus(link, 1024).status, Status::Refused);
    EXPECT_EQ(SafeFileReader::read(link, 1024, Links::Follow), "contents");

    EXPECT_EQ(SafeFileReader::readWithStatus(dir.path(), 1024).reason, "it is a folder");
}

TEST(SafeFileReader, SizeLimitsHoldForFilesThatDoNotTellTheirSize) {
    TempDir dir;
    const std::string file = dir.write("big.txt", std::string(2000, 'x'));
    EXPECT_EQ(SafeFileReader::read(file, 2000)->size(), 2000u);
    const auto refused = SafeFileReader::readWithStatus(file, 1999);
    EXPECT_EQ(refused.status, Status::Refused);
    EXPECT_EQ(refused.reason, "it is larger than 1999 bytes");

    // /proc files report a size of 0; the limit still holds while reading.
    const auto status = SafeFileReader::read("/proc/self/status", 1 << 20);
    ASSERT_TRUE(status);
    EXPECT_NE(status->find("Name:"), std::string::npos);
    EXPECT_EQ(SafeFileReader::readWithStatus("/proc/self/status", 10).status, Status::Refused);
}

TEST(SafeFileReader, MissingFilesAreToldApartFromRefusedOnes) {
    TempDir dir;
    EXPECT_EQ(SafeFileReader::readWithStatus(dir.file("none"), 10).status, Status::Missing);
    EXPECT_EQ(SafeFileReader::readWithStatus(dir.file("none/deeper"), 10).status, Status::Missing);
    EXPECT_EQ(SafeFileReader::readWithStatus("", 10).status, Status::Missing);
    const std::string empty = dir.write("empty", "");
    const auto read = SafeFileReader::readWithStatus(empty, 10);
    EXPECT_EQ(read.status, Status::Read);
    EXPECT_TRUE(read.bytes.empty());
}
