#pragma once

#include <atomic>
#include <cstdint>

namespace qengine {

// What the last Partial Downloads scan left behind: its cut-off and totals, kept by the engine
// until the next scan resets them. Written by the scan's worker, readable from any thread.
struct PartialDownloadsState {
    std::atomic<double> timeRef{0.0};        // seconds since 1970; older entries are listed
    std::atomic<std::int32_t> itemsCount{0}; // rows found
    std::atomic<std::uint64_t> itemsSize{0}; // bytes found
    std::atomic<std::int32_t> count{0};      // the every-fifth-row reload counter
};

} // namespace qengine
