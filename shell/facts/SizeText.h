#pragma once

#include <cstdint>
#include <string>

namespace qshell {

// The popover's size texts, "%4.2f <unit>" or "0 bytes". Drives step by 1000, memory by 1024;
// both stop at the last unit, so 1000 TB reads "1000.00 TB" rather than running off the list.
class SizeText {
public:
    static std::string forDrive(std::uint64_t bytes);
    static std::string forMemory(std::uint64_t bytes);

private:
    static std::string format(double value, std::size_t unit);
};

} // namespace qshell
