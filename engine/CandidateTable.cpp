#include "engine/CandidateTable.h"

namespace qengine {

namespace {

constexpr std::size_t kInitialSlots = 1024;

} // namespace

std::size_t CandidateTable::hashOf(const Key& key) {
    std::uint64_t h = key.size * 0x9e3779b97f4a7c15ULL;
    h ^= static_cast<std::uint64_t>(key.modifiedSecond) + 0x7f4a7c159e3779b9ULL + (h << 6) +
         (h >> 2);
    h ^= static_cast<std::uint64_t>(key.isPackage);
    h ^= h >> 31;
    h *= 0xbf58476d1ce4e5b9ULL;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

// Linear probing over a power-of-two table.
std::size_t CandidateTable::probe(const Key& key) const {
    const std::size_t mask = slots_.size() - 1;
    const State wanted = stateOf(key);
    for (std::size_t i = hashOf(key) & mask;; i = (i + 1) & mask) {
        if (states_[i] == Empty) return i;
        const Slot& slot = slots_[i];
        if (states_[i] == wanted && slot.size == key.size &&
            slot.modifiedSecond == key.modifiedSecond)
            return i;
    }
}

std::uint64_t& CandidateTable::findOrInsert(const Key& key, std::uint64_t value, bool& inserted) {
    // At most seven eighths full, so a probe always ends at an empty slot.
    if ((count_ + 1) * 8 > slots_.size() * 7) grow();
    const std::size_t i = probe(key);
    inserted = states_[i] == Empty;
    if (inserted) {
        slots_[i] = Slot{key.size, key.modifiedSecond, value};
        states_[i] = stateOf(key);
        ++count_;
    }
    return slots_[i].value;
}

void CandidateTable::grow() {
    std::vector<Slot> oldSlots(slots_.empty() ? kInitialSlots : slots_.size() * 2);
    std::vector<State> oldStates(oldSlots.size(), Empty);
    oldSlots.swap(slots_);
    oldStates.swap(states_);
    for (std::size_t j = 0; j < oldSlots.size(); ++j) {
        if (oldStates[j] == Empty) continue;
        const Slot& slot = oldSlots[j];
        const Key key{oldStates[j] == Package, slot.size, slot.modifiedSecond};
        const std::size_t i = probe(key);
        slots_[i] = slot;
        states_[i] = oldStates[j];
    }
}

void CandidateTable::clear() {
    slots_ = {};
    states_ = {};
    count_ = 0;
}

} // namespace qengine
