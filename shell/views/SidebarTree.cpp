#include "shell/views/SidebarTree.h"

#include <algorithm>

namespace qshell {

namespace {

const std::string kCleaning = "CLEANING";
const std::string kManualCleaning = "MANUAL CLEANING";
const std::string kOptimization = "OPTIMIZATION";

double valueOr(const qcore::Value& value, double fallback) {
    return value.isNull() ? fallback : value.toDouble();
}

bool listsRow(const qcore::Value& doubleRows, int row) {
    const qcore::Array* entries = doubleRows.array();
    if (!entries) return false;
    return std::any_of(entries->begin(), entries->end(), [row](const qcore::Value& entry) {
        return entry.contains("row") && entry["row"].toInt() == row;
    });
}

} // namespace

SidebarTree::SidebarTree(TextSource texts, const IconLookup& icons) : texts_(std::move(texts)) {
    // Top to bottom as the build leaves them: each section went in at the top.
    addSection(kSpacer, {}, icons);
    addSection(texts_.section(kCleaning),
               {kSpacer, kSystemStatusName, kOneClickCleaningName, "System Cleaner", "Logs Cleaner",
                "Trash Cleaner", "Partial Downloads", kSpacer},
               icons);
    addSection(
        texts_.section(kManualCleaning),
        {kSpacer, "Internet Privacy", "Misc Cleaning", "Large Files", "Old Downloads", kSpacer},
        icons);
    addSection(texts_.section(kOptimization),
               {kSpacer, "Duplicates Finder", "Uninstaller", kSpacer}, icons);
}

void SidebarTree::addSection(const std::string& title, const std::vector<std::string>& children,
                             const IconLookup& icons) {
    auto section = BaseNode::makeSection(title);
    rows_.push_back(section);
    for (const auto& url : children) {
        const bool spacer = url == kSpacer;
        auto leaf = BaseNode::makeLeaf(url, spacer ? kSpacer : texts_.module(url),
                                       icons && !spacer ? icons(url) : std::string());
        section->addChild(leaf);
        rows_.push_back(leaf);
    }
    contents_.push_back(section);
}

BaseNode::Ptr SidebarTree::nodeAt(int row) const {
    if (row < 0 || row >= rowCount()) return nullptr;
    return rows_[static_cast<std::size_t>(row)];
}

int SidebarTree::rowOf(const BaseNode* node) const {
    const auto it = std::find_if(rows_.begin(), rows_.end(),
                                 [node](const BaseNode::Ptr& row) { return row.get() == node; });
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

bool SidebarTree::isSpecialGroup(const BaseNode& node) const {
    const std::string& title = node.nodeTitle();
    return title == kSpacer || title == texts_.section(kCleaning) ||
           title == texts_.section(kManualCleaning) || title == texts_.section(kOptimization);
}

bool SidebarTree::shouldSelectRow(int row) const {
    const auto node = nodeAt(row);
    return node && !isSpecialGroup(*node);
}

int SidebarTree::rowForViewRequest(const std::string& displayName) const {
    static const std::pair<const char*, int> kRequestRows[] = {
        {"System Cleaner", kSystemCleaner},
        {"Logs Cleaner", kLogsCleaner},
        {"Trash Cleaner", kTrashCleaner},
        {"Partial Downloads", kPartialDownloads},
    };
    for (const auto& [module, row] : kRequestRows)
        if (displayName == texts_.module(module)) return row;
    return kCleaningHeading;
}

double SidebarTree::rowHeight(int row, const LayoutLookup& layout) const {
    const auto value = [&layout](const std::string& key) {
        return layout ? layout(key) : qcore::Value();
    };
    const qcore::Value doubleRowHeight = value("heightOVRow");
    if (!doubleRowHeight.isNull() && listsRow(value("OVDoubleRows"), row))
        return doubleRowHeight.toDouble();
    switch (row) {
    case 0:
        return valueOr(value("OVSpFirst"), 20.0);
    case 2:
    case 11:
    case 18:
        return valueOr(value("OVSpBetweenCatAndSub"), 6.0);
    case 9:
    case 16:
    case 21:
        return valueOr(value("OVSpBetweenCat"), 10.0);
    default:
        return valueOr(value("OVDefRowHeight"), 24.0);
    }
}

} // namespace qshell
