#include "pages/tools/MiscCleaningList.h"

#include "engine/FileOperations.h"

#include <algorithm>
#include <numeric>

namespace qpages {

std::uint64_t MiscCleaningRow::bytes() const {
    return qengine::FileOperations::bytesOf(size);
}

void MiscCleaningList::clear() {
    const std::lock_guard lock(mutex_);
    rows_.clear();
}

void MiscCleaningList::append(MiscCleaningRow row) {
    const std::lock_guard lock(mutex_);
    rows_.push_back(std::move(row));
}

bool MiscCleaningList::removeAt(std::size_t index, const std::string& url) {
    const std::lock_guard lock(mutex_);
    if (index >= rows_.size() || rows_[index].url != url) return false;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

std::vector<MiscCleaningRow> MiscCleaningList::snapshot() const {
    const std::lock_guard lock(mutex_);
    return rows_;
}

std::optional<MiscCleaningRow> MiscCleaningList::rowAt(std::size_t index) const {
    const std::lock_guard lock(mutex_);
    if (index >= rows_.size()) return std::nullopt;
    return rows_[index];
}

std::size_t MiscCleaningList::count() const {
    const std::lock_guard lock(mutex_);
    return rows_.size();
}

std::size_t MiscCleaningList::checkedCount() const {
    const std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(
        std::count_if(rows_.begin(), rows_.end(), [](const auto& r) { return r.isChecked(); }));
}

std::uint64_t MiscCleaningList::totalBytes() const {
    const std::lock_guard lock(mutex_);
    return std::accumulate(rows_.begin(), rows_.end(), std::uint64_t{0},
                           [](std::uint64_t sum, const auto& r) { return sum + r.bytes(); });
}

std::uint64_t MiscCleaningList::checkedBytes() const {
    const std::lock_guard lock(mutex_);
    return std::accumulate(
        rows_.begin(), rows_.end(), std::uint64_t{0},
        [](std::uint64_t sum, const auto& r) { return r.isChecked() ? sum + r.bytes() : sum; });
}

bool MiscCleaningList::allChecked() const {
    const std::lock_guard lock(mutex_);
    return !rows_.empty() &&
           std::all_of(rows_.begin(), rows_.end(), [](const auto& r) { return r.isChecked(); });
}

void MiscCleaningList::setCheckState(std::size_t index, int state) {
    const std::lock_guard lock(mutex_);
    if (index < rows_.size()) rows_[index].checkState = state;
}

void MiscCleaningList::setAllCheckStates(int state) {
    const std::lock_guard lock(mutex_);
    for (auto& r : rows_)
        r.checkState = state;
}

void MiscCleaningList::sort(
    const std::function<bool(const MiscCleaningRow&, const MiscCleaningRow&)>& before) {
    const std::lock_guard lock(mutex_);
    std::stable_sort(rows_.begin(), rows_.end(), before);
}

} // namespace qpages
