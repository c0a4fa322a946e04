#include "tests/shell/support/FakeTexts.h"

#include "shell/views/SidebarSelection.h"
#include "shell/views/SidebarTree.h"

#include <gtest/gtest.h>

#include <map>

using qshell::SidebarSelection;
using qshell::SidebarTree;
using Action = SidebarSelection::Action;

namespace {

std::vector<std::string> titles(const SidebarTree& tree) {
    std::vector<std::string> out;
    for (const auto& row : tree.rows())
        out.push_back(row->nodeTitle());
    return out;
}

SidebarTree::LayoutLookup layout(std::map<std::string, qcore::Value> values) {
    return [values](const std::string& key) {
        const auto it = values.find(key);
        return it == values.end() ? qcore::Value() : it->second;
    };
}

} // namespace

TEST(SidebarTree, TwentyTwoRowsInTheFixedOrder) {
    const SidebarTree tree(fakeTexts());
    const std::vector<std::string> expected{" ",
                                            "<CLEANING>",
                                            " ",
                                            "System Status*",
                                            "One Click Cleaning*",
                                            "System Cleaner*",
                                            "Logs Cleaner*",
                                            "Trash Cleaner*",
                                            "Partial Downloads*",
                                            " ",
                                            "<MANUAL CLEANING>",
                                            " ",
                                            "Internet Privacy*",
                                            "Misc Cleaning*",
                                            "Large Files*",
                                            "Old Downloads*",
                                            " ",
                                            "<OPTIMIZATION>",
                                            " ",
                                            "Duplicates Finder*",
                                            "Uninstaller*",
                                            " "};
    EXPECT_EQ(titles(tree), expected);
    EXPECT_EQ(tree.contents().size(), 4u);
    EXPECT_TRUE(tree.contents().front()->children().empty());
    EXPECT_EQ(tree.nodeAt(SidebarTree::kDuplicatesFinder)->urlString(), "Duplicates Finder");
    EXPECT_EQ(tree.nodeAt(2)->urlString(), " ");
    EXPECT_FALSE(tree.nodeAt(SidebarTree::kCleaningHeading)->isLeaf());
    EXPECT_TRUE(tree.nodeAt(SidebarTree::kSystemStatus)->isLeaf());
    EXPECT_EQ(tree.rowOf(tree.nodeAt(14).get()), 14);
    EXPECT_EQ(tree.nodeAt(22), nullptr);
}

TEST(SidebarTree, IconsForModulesOnlyAndDragging) {
    const SidebarTree tree(fakeTexts(),
                           [](const std::string& m) { return "/icons/" + m + ".png"; });
    EXPECT_EQ(tree.nodeAt(SidebarTree::kLogsCleaner)->nodeIcon(), "/icons/Logs Cleaner.png");
    EXPECT_TRUE(tree.nodeAt(SidebarTree::kLogsCleaner)->isDraggable());
    EXPECT_TRUE(tree.nodeAt(2)->nodeIcon().empty());
    EXPECT_FALSE(tree.nodeAt(2)->isDraggable());
}

TEST(SidebarTree, HeadingsAndSpacersAreNotSelectable) {
    const SidebarTree tree(fakeTexts());
    for (int row : {0, 1, 2, 9, 10, 11, 16, 17, 18, 21})
        EXPECT_FALSE(tree.shouldSelectRow(row)) << row;
    for (int row : {3, 4, 5, 8, 12, 15, 19, 20})
        EXPECT_TRUE(tree.shouldSelectRow(row)) << row;
    EXPECT_FALSE(tree.shouldSelectRow(-1));
}

TEST(SidebarTree, RowHeightsFollowTheRulesAndTheLayoutTable) {
    const SidebarTree tree(fakeTexts());
    const auto empty = layout({});
    EXPECT_EQ(tree.rowHeight(0, empty), 20.0);
    EXPECT_EQ(tree.rowHeight(1, empty), 24.0);
    for (int row : {2, 11, 18})
        EXPECT_EQ(tree.rowHeight(row, empty), 6.0) << row;
    for (int row : {9, 16, 21})
        EXPECT_EQ(tree.rowHeight(row, empty), 10.0) << row;
    EXPECT_EQ(tree.rowHeight(5, {}), 24.0);

    const auto table = layout({{"OVDefRowHeight", "30"},
                               {"OVSpFirst", 12.5},
                               {"OVDoubleRows", qcore::Array{qcore::Dictionary{{"row", 5}}}},
                               {"heightOVRow", 44}});
    EXPECT_EQ(tree.rowHeight(5, table), 44.0);
    EXPECT_EQ(tree.rowHeight(6, table), 30.0);
    EXPECT_EQ(tree.rowHeight(0, table), 12.5);
    EXPECT_EQ(tree.rowHeight(2, table), 6.0);
}

TEST(SidebarTree, PageRequestsSelectTheirRowOrTheHeading) {
    const SidebarTree tree(fakeTexts());
    EXPECT_EQ(tree.rowForViewRequest("System Cleaner*"), 5);
    EXPECT_EQ(tree.rowForViewRequest("Logs Cleaner*"), 6);
    EXPECT_EQ(tree.rowForViewRequest("Trash Cleaner*"), 7);
    EXPECT_EQ(tree.rowForViewRequest("Partial Downloads*"), 8);
    EXPECT_EQ(tree.rowForViewRequest("Large Files*"), 1);
    EXPECT_EQ(tree.rowForViewRequest("System Cleaner"), 1); // module name, not display text
}

TEST(SidebarSelection, WhatEachRowShows) {
    const SidebarTree tree(fakeTexts());
    SidebarSelection selection(tree);

    auto outcome = selection.selectionChanged({SidebarTree::kSystemStatus});
    EXPECT_EQ(outcome.action, Action::ShowSystemStatus);
    EXPECT_FALSE(outcome.postOneTimeStartScan);

    outcome = selection.selectionChanged({SidebarTree::kDuplicatesFinder});
    EXPECT_EQ(outcome.action, Action::ShowPage);
    EXPECT_EQ(outcome.displayName, "Duplicates Finder*");

    // A heading chosen by number leaves only the System Status panel.
    EXPECT_EQ(selection.selectionChanged({SidebarTree::kCleaningHeading}).action,
              Action::RemoveAllViews);
    // Ignored: while building, several rows, no row.
    EXPECT_EQ(selection.selectionChanged({5}, true).action, Action::Nothing);
    EXPECT_EQ(selection.selectionChanged({5, 6}).action, Action::Nothing);
    EXPECT_EQ(selection.selectionChanged({}).action, Action::Nothing);
    EXPECT_EQ(selection.selectionChanged({40}).action, Action::Nothing);
}

TEST(SidebarSelection, OnlyTheFirstVisitOfOneClickStartsItsScan) {
    const SidebarTree tree(fakeTexts());
    SidebarSelection selection(tree);
    const auto first = selection.selectionChanged({SidebarTree::kOneClickCleaning});
    EXPECT_EQ(first.action, Action::ShowPage);
    EXPECT_EQ(first.displayName, "One Click Cleaning*");
    EXPECT_TRUE(first.postOneTimeStartScan);
    EXPECT_FALSE(selection.selectionChanged({SidebarTree::kOneClickCleaning}).postOneTimeStartScan);

    // The header's start or fix action clears the flag before selecting the row.
    SidebarSelection fresh(tree);
    fresh.clearOneTimeStartScan();
    EXPECT_FALSE(fresh.selectionChanged({SidebarTree::kOneClickCleaning}).postOneTimeStartScan);
}
