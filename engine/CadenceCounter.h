#pragma once

namespace qengine {

// The every-Nth-item cadence: checked before each counted item; when it already stands at N
// the reload is due first and the counter restarts at 1 with the item in hand. So with N = 5
// the first reload comes before the 6th item, then before the 11th, 16th ...
class CadenceCounter {
public:
    explicit CadenceCounter(int every) : every_(every) {}

    // Counts one item; true when the reload is due before it.
    bool tick() {
        const bool due = count_ == every_;
        if (due) count_ = 0;
        ++count_;
        return due;
    }
    int count() const { return count_; }

private:
    int every_;
    int count_ = 0;
};

} // namespace qengine
