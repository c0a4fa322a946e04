#include "shell/facts/ProcessorLoad.h"
#include "shell/facts/SystemFiles.h"

#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <cmath>
#include <condition_variable>
#include <mutex>
#include <sstream>

namespace qshell {

std::optional<CpuTicks> ProcessorLoad::parseProcStat(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string label;
        fields >> label;
        if (label != "cpu") continue;
        std::uint64_t user = 0, nice = 0, system = 0, idle = 0;
        if (!(fields >> user >> nice >> system >> idle)) return std::nullopt;
        std::uint64_t iowait = 0, irq = 0, softirq = 0;
        fields >> iowait >> irq >> softirq; // absent on very old kernels
        return CpuTicks{system + irq + softirq, user + nice, idle + iowait};
    }
    return std::nullopt;
}

std::optional<CpuTicks> ProcessorLoad::readCpuLoadTicks(const std::string& path) {
    const auto text = SystemFiles::read(path);
    return text ? parseProcStat(*text) : std::nullopt;
}

int ProcessorLoad::loadPercent(const CpuTicks& before, const CpuTicks& after) {
    if (after.system < before.system || after.user < before.user || after.idle < before.idle)
        return 0;
    const double system = static_cast<double>(after.system - before.system);
    const double user = static_cast<double>(after.user - before.user);
    const double idle = static_cast<double>(after.idle - before.idle);
    const double total = system + user + idle;
    if (total <= 0) return 0;
    return static_cast<int>(std::lround((user + system) / (total / 100.0)));
}

std::optional<int> ProcessorLoad::sampleCpuLoad(const Reader& read,
                                                std::chrono::milliseconds interval,
                                                std::stop_token stop) {
    const auto first = read();
    if (!first) {
        qcore::log("oops: processor ticks unreadable");
        return std::nullopt;
    }
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    if (wake.wait_for(lock, stop, interval, [] { return false; }) || stop.stop_requested())
        return std::nullopt;
    const auto second = read();
    if (!second) {
        qcore::log("oops: processor ticks unreadable");
        return std::nullopt;
    }
    return loadPercent(*first, *second);
}

} // namespace qshell
