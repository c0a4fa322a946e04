#pragma once

#include <QString>

#include <string>

namespace qpages {

// The direction of each sortable column of each page, for the life of the process: the first
// sort by a column is ascending, the next descending, and so on; a new scan does not reset it.
class SortDirections {
public:
    // Whether the next sort of `column` on `page` is descending; then flips it.
    static bool takeNext(const std::string& page, const QString& column);
    static bool nextIsDescending(const std::string& page, const QString& column);
    // Tests start from ascending again.
    static void resetForTesting();
};

} // namespace qpages
