#pragma once

#include <algorithm>
#include <vector>

namespace qengine {

// A copy of `items` ordered from the largest key to the smallest; `key` is called for both
// elements of every comparison (nothing cached). Equal keys come in no promised order.
template <typename T, typename KeyFn>
std::vector<T> sortDesc(const std::vector<T>& items, KeyFn&& key) {
    std::vector<T> sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&key](const T& a, const T& b) { return key(b) < key(a); });
    return sorted;
}

} // namespace qengine
