#pragma once

// Processor load from the "cpu" line of /proc/stat, reduced to the three counters the load
// formula uses: user = user + nice, system = system + irq + softirq, idle = idle + iowait.
// Steal time (taken by a hypervisor) belongs to none of them and is left out.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>

namespace qshell {

struct CpuTicks {
    std::uint64_t system = 0;
    std::uint64_t user = 0;
    std::uint64_t idle = 0;
};

class ProcessorLoad {
public:
    using Reader = std::function<std::optional<CpuTicks>()>;

    static std::optional<CpuTicks> parseProcStat(const std::string& text);
    static std::optional<CpuTicks> readCpuLoadTicks(const std::string& path = "/proc/stat");

    // round((Δuser + Δsystem) / (total / 100)); 0 when no tick passed or a counter went back.
    static int loadPercent(const CpuTicks& before, const CpuTicks& after);

    // Two readings `interval` apart; nothing when either read fails or `stop` is requested.
    static std::optional<int> sampleCpuLoad(const Reader& read, std::chrono::milliseconds interval,
                                            std::stop_token stop = {});
};

} // namespace qshell
