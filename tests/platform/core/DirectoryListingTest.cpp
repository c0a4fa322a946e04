#include "platform/core/DirectoryListing.h"
#include "platform/core/FileManager.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

using namespace qcore;

namespace {

std::vector<std::string> namesOf(const DirectoryListing& listing) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < listing.size(); ++i) {
        EXPECT_EQ(std::string(listing.name(i)).size(), listing.nameLength(i));
        names.emplace_back(listing.name(i), listing.nameLength(i));
    }
    return names;
}

DirectoryListing listed(const std::string& folder, bool sorted) {
    DirectoryListing listing;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    EXPECT_GE(fd, 0);
    listing.read(fd);
    ::close(fd);
    if (sorted) listing.sortByName();
    return listing;
}

} // namespace

// The sort compares eight-byte keys first; names that tie there, are shorter than a key, or
// carry bytes above 0x7f must still come out in std::string's order.
TEST(DirectoryListing, SortsNamesInStringOrderWhateverTheirPrefixesAndBytes) {
    TempDir dir;
    std::vector<std::string> names = {"b",
                                      "a",
                                      "ab",
                                      "abcdefgh",
                                      "abcdefghi",
                                      "abcdefgh0",
                                      "abcdefg",
                                      "abcdefgz",
                                      "\x01x",
                                      "a b",
                                      "a-b",
                                      "\xc3\xa9t\xc3\xa9",
                                      "\xff",
                                      "IMG_0001.jpg",
                                      "IMG_0001.JPG",
                                      "same-long-prefix-2",
                                      "same-long-prefix-10",
                                      ".hidden"};
    for (const auto& name : names)
        dir.write(name, "");
    dir.mkdir("folder");
    names.push_back("folder");

    const auto listing = listed(dir.path(), true);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(namesOf(listing), names); // "." and ".." left out

    bool sawFolder = false;
    for (std::size_t i = 0; i < listing.size(); ++i)
        if (std::string(listing.name(i)) == "folder") {
            sawFolder = true;
            const auto type = listing.type(i);
            EXPECT_TRUE(type == DT_DIR || type == DT_UNKNOWN);
        }
    EXPECT_TRUE(sawFolder);
}

// Several times more names than one read of the kernel's listing returns, including the longest a
// name can be; an empty folder lists nothing.
TEST(DirectoryListing, ReadsLargeFoldersWholeAndEmptyOnesAsEmpty) {
    TempDir dir;
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) // about 56 KB of records
        names.push_back("entry-" + std::to_string(i) +
                        std::string(static_cast<std::size_t>(i % 40), 'x'));
    names.push_back(std::string(255, 'L'));
    const int many = ::open(dir.mkdir("many").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const auto& name : names)
        ::close(::openat(many, name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600));
    ::close(many);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(namesOf(listed(dir.file("many"), true)), names);

    auto unsorted = namesOf(listed(dir.file("many"), false));
    std::sort(unsorted.begin(), unsorted.end());
    EXPECT_EQ(unsorted, names);

    dir.mkdir("empty");
    EXPECT_TRUE(listed(dir.file("empty"), true).empty());
}

// Entries replace only their last component in the walker's reused paths: after a deep folder,
// its siblings and its parent's siblings come out whole, whatever slash the root ends with.
TEST(DirectoryEnumerator, PathsStayWholeAcrossDescentsAndReturnsWithAnyRootSpelling) {
    TempDir dir;
    dir.write("tree/a/b/c/deep.txt", "1");
    dir.write("tree/a/b/sibling", "2");
    dir.write("tree/a/z", "3");
    dir.write("tree/top", "4");
    const std::vector<std::string> expected = {"a",           "a/b", "a/b/c", "a/b/c/deep.txt",
                                               "a/b/sibling", "a/z", "top"};
    for (const std::string& root : {dir.file("tree"), dir.file("tree") + "/"}) {
        std::vector<std::string> relative;
        DirectoryEnumerator walker(root);
        while (const auto* entry = walker.advance()) {
            relative.push_back(entry->relativePath);
            EXPECT_EQ(entry->path, dir.file("tree") + "/" + entry->relativePath);
            EXPECT_EQ(walker.level(),
                      1 + std::count(entry->relativePath.begin(), entry->relativePath.end(), '/'));
        }
        EXPECT_EQ(relative, expected) << root;
    }
}
