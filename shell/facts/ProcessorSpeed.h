#pragma once

// The processor's nominal speed: cpufreq's highest frequency of cpu0 (cpuinfo_max_freq, kHz),
// else the "cpu MHz" of /proc/cpuinfo, else 0 Hz. Held in 64 bits: a 32-bit count of hertz
// would wrap above 4.29 GHz.

#include "shell/facts/SystemFiles.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qshell {

class ProcessorSpeed {
public:
    static std::optional<std::uint64_t> parseCpufreqKHz(const std::string& text);
    static std::optional<std::uint64_t> parseCpuinfoMHz(const std::string& text);
    static std::uint64_t readFrequencyHz(const SystemFiles& files = {});

    // Up to 1,000,000,000 Hz "%d MHz" (integer division), above "%@ GHz" with one decimal in
    // the user's number format.
    static std::string speedText(std::uint64_t hz, const std::string& decimalPoint = ".");
    // "CPU: %@"
    static std::string cpuCapacityText(std::uint64_t hz, const std::string& decimalPoint = ".");
    // The decimal separator of the user's locale.
    static std::string localDecimalPoint();
};

} // namespace qshell
