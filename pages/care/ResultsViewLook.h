#pragma once

class QAbstractItemView;
class QHeaderView;

namespace qpages {

// One look for the tree and the flat results views: narrow tick and icon columns, the title
// column taking the free width, a fixed size column, one row height and headers alike.
class ResultsViewLook {
public:
    static constexpr int kRowHeight = 22;
    static constexpr int kTickColumnWidth = 26;
    static constexpr int kIconColumnWidth = 24;
    static constexpr int kSizeColumnWidth = 96;
    static constexpr int kDateColumnWidth = 140;

    // `titleColumn` stretches; columns past the size column (a page's own) get the date width.
    static void apply(QAbstractItemView* view, QHeaderView* header, int titleColumn);
};

} // namespace qpages
