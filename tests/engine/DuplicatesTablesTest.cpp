#include "engine/CandidateTable.h"
#include "engine/PathArena.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using qengine::CandidateTable;
using qengine::PathArena;

TEST(CandidateTable, KeepsOneValuePerKeyThroughGrowthAndTellsPackagesFromFiles) {
    CandidateTable table;
    constexpr std::uint64_t kKeys = 50'000;
    bool inserted = false;
    for (std::uint64_t i = 0; i < kKeys; ++i) {
        // Keys that differ only in time, only in size, or only in being a package.
        table.findOrInsert({false, i / 2, static_cast<std::int64_t>(i % 2)}, i, inserted);
        ASSERT_TRUE(inserted) << i;
    }
    table.findOrInsert({true, 0, 0}, 99, inserted);
    EXPECT_TRUE(inserted);
    EXPECT_EQ(table.size(), kKeys + 1);
    for (std::uint64_t i = 0; i < kKeys; ++i) {
        auto& value =
            table.findOrInsert({false, i / 2, static_cast<std::int64_t>(i % 2)}, 0, inserted);
        ASSERT_FALSE(inserted) << i;
        ASSERT_EQ(value, i);
    }
    EXPECT_EQ(table.findOrInsert({true, 0, 0}, 0, inserted), 99u);
    table.findOrInsert({false, 0, -5}, 7, inserted); // a time before 1970
    EXPECT_TRUE(inserted);
    table.clear();
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(table.findOrInsert({false, 0, 0}, 3, inserted), 3u);
    EXPECT_TRUE(inserted);
}

TEST(PathArena, GivesBackEveryPathAcrossBlocksIncludingOnesLongerThanABlock) {
    PathArena arena;
    std::vector<std::pair<PathArena::Handle, std::string>> added;
    for (int i = 0; i < 40'000; ++i) {
        std::string path = "/home/user/folder " + std::to_string(i) + "/file";
        if (i == 20'000) path.append(std::size_t{3} << 20, 'l'); // longer than a block
        if (i == 20'001) path.clear();
        added.emplace_back(arena.add(path), path);
    }
    for (const auto& [handle, path] : added)
        ASSERT_EQ(arena.at(handle), path);
}
