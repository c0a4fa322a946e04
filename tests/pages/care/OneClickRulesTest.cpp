// The dashboard's numbers and frames: level steps, counts and sizes that never go below 0,
// totals above 4 GB, the finished record, and the box stack with its details layout.
#include "pages/care/OneClickLayout.h"
#include "pages/care/OneClickTally.h"

#include <gtest/gtest.h>

using qpages::OneClickLayout;
using qpages::OneClickTally;

namespace {

constexpr std::size_t kCache = 0, kLogs = 1, kBin = 2, kLang = 3;

TEST(OneClickTally, LevelStepsByModule) {
    const struct {
        std::size_t module;
        std::int32_t count;
        double level;
    } cases[] = {
        {kLogs, 0, 0},   {kLogs, 1, 1},   {kLogs, 5, 1},       {kLogs, 6, 2},  {kLogs, 25, 5},
        {kLogs, 26, 5},  {kBin, 5, 1},    {kBin, 6, 2},        {kBin, 30, 5},  {kCache, 10, 1},
        {kCache, 11, 2}, {kCache, 50, 5}, {kCache, 51, 5},     {kLang, 10, 1}, {kLang, 11, 2},
        {kLang, 41, 5},  {kCache, -3, 0}, {kLang, 1000000, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OneClickTally::level(c.module, c.count), c.level)
            << "module " << c.module << " count " << c.count;
}

TEST(OneClickTally, CleanCountsAndSizesNeverGoBelowZero) {
    OneClickTally tally;
    tally.applyScanUpdate(kLogs, 3, 300);
    tally[kLogs].lastCount = 3;
    // The engine reports more removed than the scan found (the list grew in between).
    tally.applyCleanUpdate(kLogs, 7, 900);
    EXPECT_EQ(tally[kLogs].shownCount, 0);
    EXPECT_EQ(tally[kLogs].count, 3) << "the found count is kept through the clean";
    EXPECT_EQ(tally.remainingFoundSize(kLogs), 0U);
    EXPECT_EQ(tally.cleanedCount(), 3);

    tally.applyCleanUpdate(kLogs, 1, 100);
    EXPECT_EQ(tally[kLogs].shownCount, 2);
    EXPECT_EQ(tally.remainingFoundSize(kLogs), 200U);
    EXPECT_EQ(tally.cleanedCount(), 1);

    // A count that rose since the last activity never makes a negative cleaned number.
    tally[kLogs].lastCount = 0;
    EXPECT_EQ(tally.cleanedCount(), 0);
}

TEST(OneClickTally, SizesAboveFourGigabytesCountInFullAndOnlyTickedModulesAddUp) {
    OneClickTally tally;
    const std::uint64_t big = 5'000'000'000ULL;
    tally.applyScanUpdate(kCache, 1, big);
    tally.applyScanUpdate(kBin, 2, 10);
    EXPECT_EQ(tally.checkedSize(), big + 10);
    EXPECT_EQ(tally.countSum(), 3);
    tally[kBin].checked = false;
    EXPECT_EQ(tally.checkedSize(), big);
    EXPECT_EQ(tally.checkedCount(), 3);
    EXPECT_EQ(tally.countSum(), 3) << "counts are summed over all four";
}

TEST(OneClickTally, FinishedRecordFollowsTheFourModulesOnly) {
    OneClickTally tally;
    EXPECT_TRUE(tally.allFinished());
    tally.setFinished("Logs Cleaner", false);
    tally.setFinished("Duplicates Finder", false);
    EXPECT_FALSE(tally.allFinished());
    tally.setFinished("Logs Cleaner", true);
    EXPECT_TRUE(tally.allFinished()) << "another module's activity is not waited for";
    tally.setFinished("Trash Cleaner", false);
    tally.initActivityFinishedStatus();
    EXPECT_TRUE(tally.allFinished());
    EXPECT_EQ(OneClickTally::indexOf("Partial Downloads"), 3);
    EXPECT_EQ(OneClickTally::indexOf("Large Files"), -1);
}

// A 659 x 492 view: title strip at top-left y 96 (24 high), boxes of 64, footer 60.
const qui::PointRect kTitle{0, 372, 659, 24};
const OneClickLayout::Boxes kBoxes{
    {{0, 308, 659, 64}, {0, 244, 659, 64}, {0, 180, 659, 64}, {0, 116, 659, 64}}};
const qui::PointRect kDetails{0, -248, 659, 248};

TEST(OneClickLayout, StacksTheBoxesUnderTheTitleStrip) {
    OneClickLayout::Boxes scattered = kBoxes;
    scattered[1].x = -659;
    scattered[2].y = 308;
    const auto home = OneClickLayout::stacked(kTitle, scattered, 800);
    for (std::size_t i = 0; i < OneClickLayout::kBoxes; ++i) {
        EXPECT_EQ(home[i].x, 0);
        EXPECT_EQ(home[i].width, 800);
        EXPECT_EQ(home[i].y, kBoxes[i].y) << i;
    }
}

TEST(OneClickLayout, DetailsOfAModuleRaiseItsBoxAndSendTheOthersLeft) {
    for (std::size_t chosen = 0; chosen < OneClickLayout::kBoxes; ++chosen) {
        OneClickLayout layout;
        layout.open(chosen, kBoxes, kDetails, kTitle, 659, 60);
        for (std::size_t i = 0; i < OneClickLayout::kBoxes; ++i) {
            if (i == chosen) {
                EXPECT_EQ(layout.target()[i].x, 0);
                EXPECT_EQ(layout.target()[i].y, kBoxes[0].y) << "takes the top slot";
            } else {
                EXPECT_EQ(layout.target()[i].x, -659) << chosen << " " << i;
                EXPECT_EQ(layout.target()[i].y, kBoxes[i].y);
            }
        }
        // Between the footer and the top slot.
        EXPECT_EQ(layout.detailsTarget().y, 60);
        EXPECT_EQ(layout.detailsTarget().height, 372 - 64 - 60);
        EXPECT_EQ(layout.detailsTarget().maxY(), kBoxes[0].y);
    }
}

TEST(OneClickLayout, ResizeWithDetailsOpenMovesOnlyTheBoxesOffTheLeftEdge) {
    OneClickLayout layout;
    layout.open(kLogs, kBoxes, kDetails, kTitle, 659, 60);
    const auto details = layout.detailsTarget();
    layout.rehome(kBoxes, kTitle, 900);
    const auto moved = layout.followWidthOffscreen(900);
    EXPECT_TRUE(moved[kCache] && moved[kBin] && moved[kLang]);
    EXPECT_FALSE(moved[kLogs]);
    EXPECT_EQ(layout.target()[kBin].x, -900);
    EXPECT_EQ(layout.target()[kBin].width, 900);
    EXPECT_EQ(layout.target()[kBin].y, kBoxes[kBin].y);
    EXPECT_EQ(layout.detailsTarget(), details) << "the details box is not re-laid out";
}

TEST(OneClickLayout, RestoreParksTheDetailsBelowTheView) {
    OneClickLayout layout;
    layout.open(kLang, kBoxes, kDetails, kTitle, 659, 60);
    layout.restore(layout.target(), layout.detailsTarget(), kTitle);
    EXPECT_EQ(layout.detailsHome().y, -layout.detailsHome().height);
    for (std::size_t i = 0; i < OneClickLayout::kBoxes; ++i)
        EXPECT_EQ(layout.home()[i], kBoxes[i]) << i;
}

} // namespace
