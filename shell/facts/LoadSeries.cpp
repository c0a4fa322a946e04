#include "shell/facts/LoadSeries.h"

#include <algorithm>

namespace qshell {

void LoadSeries::updateData(double value) {
    if (points_.size() >= 21) points_.erase(points_.begin(), points_.begin() + 3);
    points_.insert(points_.end(), 3, value);
    yMax_ = yMaxFor(*std::max_element(points_.begin(), points_.end()));
    lastValue_ = value;
}

double LoadSeries::yMaxFor(double maximum) {
    if (maximum < 10) return 10;
    if (maximum < 20) return 20;
    if (maximum < 50) return 50;
    if (maximum < 70) return 90;
    return 100;
}

} // namespace qshell
