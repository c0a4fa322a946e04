#pragma once

#include <cstddef>

namespace qcore {

// Bounds on what a property list read may build, whoever wrote the file.
struct PropertyListLimits {
    // Arrays and dictionaries nested deeper than this are refused (values are converted and
    // destroyed recursively, so depth costs stack).
    static constexpr int kMaxDepth = 512;

    // What one read may build, in bytes of values: a binary list can reference one object
    // many times, so a small file could otherwise expand without limit.
    static std::size_t budgetFor(std::size_t inputBytes) {
        return (std::size_t{16} << 20) + 32 * inputBytes;
    }
    // Rough cost of one value besides its payload.
    static constexpr std::size_t kValueCost = 64;
};

} // namespace qcore
