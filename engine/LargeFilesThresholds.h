#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace qengine {

// The Large Files scan's minimum size per category, read from the user defaults at the start
// of every scan. Read from any thread.
class LargeFilesThresholds {
public:
    // Others, Music, Documents, Video, Pictures, in this order.
    void readFromDefaults();

    std::uint64_t others() const { return others_.load(); }
    std::uint64_t music() const { return music_.load(); }
    std::uint64_t documents() const { return documents_.load(); }
    std::uint64_t video() const { return video_.load(); }
    std::uint64_t pictures() const { return pictures_.load(); }

    // By the "CAT_NAME" of a category table; any other name is Others.
    std::uint64_t forCategory(const std::string& categoryName) const;
    // The walk's minimum: no file below it can be listed in any category.
    std::uint64_t smallest() const;

private:
    std::atomic<std::uint64_t> others_{0};
    std::atomic<std::uint64_t> music_{0};
    std::atomic<std::uint64_t> documents_{0};
    std::atomic<std::uint64_t> video_{0};
    std::atomic<std::uint64_t> pictures_{0};
};

} // namespace qengine
