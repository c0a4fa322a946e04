#include "engine/Pacer.h"

#include <chrono>
#include <thread>

namespace qengine {

namespace {

std::atomic<double> gScale{1.0};
std::atomic<bool> gShuttingDown{false};

constexpr std::chrono::milliseconds kMinimalPoll{1};

std::chrono::nanoseconds scaled(double seconds) {
    const double s = seconds * gScale.load();
    return std::chrono::nanoseconds(static_cast<long long>(s > 0 ? s * 1e9 : 0));
}

} // namespace

void Pacer::setScale(double scale) {
    gScale.store(scale < 0 ? 0 : scale);
}
double Pacer::scale() {
    return gScale.load();
}

void Pacer::sleep(double seconds) {
    const auto duration = scaled(seconds);
    if (duration.count() > 0)
        std::this_thread::sleep_for(duration);
    else
        std::this_thread::yield();
}

bool Pacer::waitWhile(const std::atomic<bool>& flag, double pollSeconds) {
    while (flag.load()) {
        if (gShuttingDown.load()) return false;
        const auto poll = scaled(pollSeconds);
        std::this_thread::sleep_for(poll > kMinimalPoll ? poll : kMinimalPoll);
    }
    return true;
}

void Pacer::setShuttingDown(bool shuttingDown) {
    gShuttingDown.store(shuttingDown);
}
bool Pacer::isShuttingDown() {
    return gShuttingDown.load();
}

} // namespace qengine
