#pragma once

#include "shell/common/TextSource.h"
#include "shell/views/BaseNode.h"

#include "platform/core/Value.h"

#include <functional>
#include <string>
#include <vector>

namespace qshell {

// The sidebar's fixed list: three titled sections padded with spacer rows, every section
// expanded. Rows are addressed by number elsewhere, so the order is binding.
class SidebarTree {
public:
    enum Row : int {
        kFirstSpacerSection = 0,
        kCleaningHeading = 1,
        kSystemStatus = 3,
        kOneClickCleaning = 4,
        kSystemCleaner = 5,
        kLogsCleaner = 6,
        kTrashCleaner = 7,
        kPartialDownloads = 8,
        kManualCleaningHeading = 10,
        kOptimizationHeading = 17,
        kDuplicatesFinder = 19,
    };
    inline static const std::string kSpacer = " ";
    inline static const std::string kSystemStatusName = "System Status";
    inline static const std::string kOneClickCleaningName = "One Click Cleaning";

    // Icon image path of a module name; "" for none.
    using IconLookup = std::function<std::string(const std::string& moduleName)>;
    // The layout table's "static" value of a key; a null value when missing.
    using LayoutLookup = std::function<qcore::Value(const std::string& key)>;

    explicit SidebarTree(TextSource texts, const IconLookup& icons = {});

    const TextSource& texts() const { return texts_; }

    // The top-level sections, top to bottom.
    const std::vector<BaseNode::Ptr>& contents() const { return contents_; }
    // Every row with every section expanded.
    const std::vector<BaseNode::Ptr>& rows() const { return rows_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Nullptr outside the list.
    BaseNode::Ptr nodeAt(int row) const;
    int rowOf(const BaseNode* node) const; // -1 when absent

    // Headings and spacers, which a click never selects.
    bool isSpecialGroup(const BaseNode& node) const;
    bool shouldSelectRow(int row) const;

    // The row a page request ("My_Notification" "showView") selects.
    int rowForViewRequest(const std::string& displayName) const;

    double rowHeight(int row, const LayoutLookup& layout) const;

private:
    void addSection(const std::string& title, const std::vector<std::string>& children,
                    const IconLookup& icons);

    TextSource texts_;
    std::vector<BaseNode::Ptr> contents_;
    std::vector<BaseNode::Ptr> rows_;
};

} // namespace qshell
