#pragma once

#include <atomic>

namespace qengine {

// Every sleep of the engine's cadence goes through here, so tests and benchmarks can run the
// scans and cleans at full speed (scale 0) without changing their order of events.
class Pacer {
public:
    // Factor applied to every sleep; 0 turns sleeps into a yield. Default 1.0.
    static void setScale(double scale);
    static double scale();

    static void sleep(double seconds);

    // Waits while `flag` is set, re-reading it every `pollSeconds` (scaled, but never faster
    // than a 1 ms real-time poll). True when the flag cleared, false when the engine is
    // shutting down.
    static bool waitWhile(const std::atomic<bool>& flag, double pollSeconds);

    // At quit nobody clears pause flags any more; waiters give up.
    static void setShuttingDown(bool shuttingDown);
    static bool isShuttingDown();
};

} // namespace qengine
