#include "pages/care/SortDirections.h"

#include <map>
#include <utility>

namespace qpages {

namespace {

// Main thread only, like every sort.
std::map<std::pair<std::string, QString>, bool>& descendingFlags() {
    static std::map<std::pair<std::string, QString>, bool> flags;
    return flags;
}

} // namespace

bool SortDirections::takeNext(const std::string& page, const QString& column) {
    bool& flag = descendingFlags()[{page, column}];
    const bool descending = flag;
    flag = !flag;
    return descending;
}

bool SortDirections::nextIsDescending(const std::string& page, const QString& column) {
    const auto& flags = descendingFlags();
    const auto it = flags.find({page, column});
    return it != flags.end() && it->second;
}

void SortDirections::resetForTesting() {
    descendingFlags().clear();
}

} // namespace qpages
