#pragma once

#include <atomic>
#include <cstdint>

namespace qengine {

// One module's switches, shared between the page (main thread) and the module's worker, and
// the claim that keeps two operations of one module from overlapping.
class ModuleFlags {
public:
    std::atomic<bool> isFilling{false};
    std::atomic<bool> stopFilling{false};
    std::atomic<bool> isRemoving{false};
    std::atomic<bool> stopRemoving{false};
    std::atomic<bool> pause{false};
    std::atomic<bool> aborted{false};

    enum class Claim : std::uint8_t { Free, Reserved, Running };

    // Reserves the module for an operation about to start; false when it is reserved or busy.
    bool reserve();
    // Gives up a reservation whose operation never started.
    void cancelReservation();
    // Called by a frame as it begins: takes over a reservation, or claims a free module;
    // false when an operation already runs.
    bool beginOperation();
    // Called by a frame just before its "stop" notification.
    void endOperation();
    Claim claim() const { return claim_.load(); }
    bool isBusy() const { return claim_.load() != Claim::Free; }

    void clear();

private:
    std::atomic<Claim> claim_{Claim::Free};
};

} // namespace qengine
