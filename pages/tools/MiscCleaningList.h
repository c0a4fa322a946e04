#pragma once

#include "pages/tools/MiscCleaningRow.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace qpages {

// One list of the Misc Cleaning page. A loader or remover thread changes it under its lock;
// the main thread reads it through snapshots and edits ticks and order under the same lock.
// No notification is posted and nothing waits on the main thread while the lock is held.
class MiscCleaningList {
public:
    void clear();
    void append(MiscCleaningRow row);
    // Removes the row at `index` when it still is the item at `url`; false otherwise.
    bool removeAt(std::size_t index, const std::string& url);

    std::vector<MiscCleaningRow> snapshot() const;
    std::optional<MiscCleaningRow> rowAt(std::size_t index) const;
    std::size_t count() const;
    std::size_t checkedCount() const;
    std::uint64_t totalBytes() const;
    std::uint64_t checkedBytes() const;
    bool isEmpty() const { return count() == 0; }
    bool allChecked() const;

    void setCheckState(std::size_t index, int state);
    void setAllCheckStates(int state);
    // Reorders the rows in place; `before` is a strict weak order.
    void sort(const std::function<bool(const MiscCleaningRow&, const MiscCleaningRow&)>& before);

private:
    mutable std::mutex mutex_;
    std::vector<MiscCleaningRow> rows_;
};

} // namespace qpages
