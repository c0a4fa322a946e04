#include "shell/facts/ProcessorSpeed.h"

#include "platform/core/FileManager.h"

#include <QLocale>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <sstream>

namespace qshell {

namespace {

constexpr std::uint64_t kMaxHz = std::numeric_limits<std::uint64_t>::max();
constexpr double kMaxMHz = static_cast<double>(kMaxHz / 1000000);

} // namespace

std::optional<std::uint64_t> ProcessorSpeed::parseCpufreqKHz(const std::string& text) {
    std::istringstream in(text);
    std::uint64_t khz = 0;
    if (!(in >> khz) || khz == 0) return std::nullopt;
    return std::min(khz, kMaxHz / 1000);
}

std::optional<std::uint64_t> ProcessorSpeed::parseCpuinfoMHz(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("cpu MHz", 0) != 0) continue;
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::istringstream value(line.substr(colon + 1));
        double mhz = 0;
        // Converted only within the range that still counts in hertz in 64 bits.
        if (value >> mhz && mhz >= 1)
            return mhz < kMaxMHz ? static_cast<std::uint64_t>(mhz) : kMaxHz / 1000000;
    }
    return std::nullopt;
}

std::uint64_t ProcessorSpeed::readFrequencyHz(const SystemFiles& files) {
    if (const auto text =
            SystemFiles::read(files.sys("devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq")))
        if (const auto khz = parseCpufreqKHz(*text)) return *khz * 1000;
    if (const auto text = SystemFiles::read(files.proc("cpuinfo")))
        if (const auto mhz = parseCpuinfoMHz(*text)) return *mhz * 1000000;
    return 0;
}

std::string ProcessorSpeed::speedText(std::uint64_t hz, const std::string& decimalPoint) {
    if (hz <= 1000000000ULL) return std::to_string(hz / 1000000ULL) + " MHz";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(hz) / 1e9);
    std::string number(buffer);
    if (const auto dot = number.find('.'); dot != std::string::npos)
        number.replace(dot, 1, decimalPoint);
    return number + " GHz";
}

std::string ProcessorSpeed::cpuCapacityText(std::uint64_t hz, const std::string& decimalPoint) {
    return "CPU: " + speedText(hz, decimalPoint);
}

std::string ProcessorSpeed::localDecimalPoint() {
    return QLocale::system().decimalPoint().toStdString();
}

} // namespace qshell
