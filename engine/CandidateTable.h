#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qengine {

// The duplicates scan's table of files met by size and modification time, kept in one flat
// array (no allocation per file): the walk adds an entry for nearly every file it meets, so
// this table sets the scan's memory.
class CandidateTable {
public:
    struct Key {
        bool isPackage = false;
        std::uint64_t size = 0;
        std::int64_t modifiedSecond = 0;
        bool operator==(const Key&) const = default;
    };

    // The value stored under `key`, inserting `value` when the key is new; `inserted` tells
    // which. The reference stays valid until the next insertion.
    std::uint64_t& findOrInsert(const Key& key, std::uint64_t value, bool& inserted);
    std::size_t size() const { return count_; }
    void clear();

private:
    struct Slot {
        std::uint64_t size = 0;
        std::int64_t modifiedSecond = 0;
        std::uint64_t value = 0;
    };
    enum State : std::uint8_t { Empty = 0, File = 1, Package = 2 };

    static std::size_t hashOf(const Key& key);
    static State stateOf(const Key& key) { return key.isPackage ? Package : File; }
    // The slot holding `key`, or the empty slot where it would go.
    std::size_t probe(const Key& key) const;
    void grow();

    std::vector<Slot> slots_;
    std::vector<State> states_; // beside the slots, so a slot stays 24 bytes
    std::size_t count_ = 0;
};

} // namespace qengine
