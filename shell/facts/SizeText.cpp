#include "shell/facts/SizeText.h"

#include <array>
#include <cstdio>

namespace qshell {

namespace {

constexpr std::array<const char*, 5> kUnits{"bytes", "KB", "MB", "GB", "TB"};
constexpr std::size_t kLastUnit = kUnits.size() - 1;

} // namespace

std::string SizeText::forDrive(std::uint64_t bytes) {
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (value >= 1000.0 && unit < kLastUnit) {
        value /= 1000.0;
        ++unit;
    }
    return format(value, unit);
}

std::string SizeText::forMemory(std::uint64_t bytes) {
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (value >= 1024.0 && unit < kLastUnit) {
        value *= 1.0 / 1024.0;
        ++unit;
    }
    return format(value, unit);
}

std::string SizeText::format(double value, std::size_t unit) {
    if (value == 0.0) return std::string("0 ") + kUnits[unit];
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%4.2f %s", value, kUnits[unit]);
    std::string text(buffer);
    const auto first = text.find_first_not_of(" \t\n\r");
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace qshell
