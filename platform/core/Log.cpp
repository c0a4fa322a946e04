#include "Log.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <unistd.h>

namespace qcore {

namespace {

std::mutex logMutex;

// The stamp's seconds, made again only when the second changes. Guarded by logMutex.
struct SecondStamp {
    std::time_t seconds = -1;
    char text[40] = {};
};
SecondStamp lastStamp;

const char* stampOf(std::time_t seconds) {
    if (seconds != lastStamp.seconds) {
        std::tm local{};
        ::localtime_r(&seconds, &local);
        std::strftime(lastStamp.text, sizeof lastStamp.text, "%Y-%m-%d %H:%M:%S", &local);
        lastStamp.seconds = seconds;
    }
    return lastStamp.text;
}

} // namespace

void logLine(std::string_view line) {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::lock_guard lock(logMutex);
    std::fprintf(stderr, "%s.%03lld quendrix[%d] %.*s\n", stampOf(seconds),
                 static_cast<long long>(millis), static_cast<int>(::getpid()),
                 static_cast<int>(line.size()), line.data());
    std::fflush(stderr);
}

bool redirectStandardErrorTo(const std::string& path) {
    std::lock_guard lock(logMutex);
    return std::freopen(path.c_str(), "a", stderr) != nullptr;
}

} // namespace qcore
