#pragma once

// The system summary of the main window's header line:
//   "ProductVersion"  VERSION of /etc/os-release (else VERSION_ID, else the kernel release);
//   "Model Name"      the firmware's product name (<sys>/class/dmi/id/product_name), else the
//                     device tree's model, else the machine type (uname);
//   "Processor Name"  the cleaned "model name" of /proc/cpuinfo (or "Hardware", "Processor",
//                     "cpu model" on other architectures); "" when none is found, for the caller
//                     to show its own "unknown" text;
//   "Memory"          installed memory: the online memory blocks of
//                     <sys>/devices/system/memory, else MemTotal.

#include "shell/facts/SystemFiles.h"

#include "platform/core/Value.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qshell {

class SystemInfo {
public:
    explicit SystemInfo(SystemFiles files = {});

    // Fills the four properties and returns them as the dictionary above.
    qcore::Dictionary systemInformation();

    const std::string& sysOSName() const { return sysOSName_; }
    const std::string& sysModelID() const { return sysModelID_; }
    const std::string& sysProcessorName() const { return sysProcessorName_; }
    const std::string& sysPhysicalMemory() const { return sysPhysicalMemory_; }

    // --- Pure parts ---------------------------------------------------------------------------
    // The cleaned processor name: word pieces before "CPU", without "r", "tm" and pieces that
    // start with a digit, joined by blanks; nothing for no input.
    static std::optional<std::string> parseBrandName(const std::optional<std::string>& brand);
    // "%d MB RAM" below 1 GiB, else "%d GB RAM" (whole units, rounded down).
    static std::string memoryText(std::uint64_t bytes);
    // A value of an os-release style file, quotes removed.
    static std::optional<std::string> osReleaseValue(const std::string& text,
                                                     const std::string& key);
    static std::string productVersion(const std::optional<std::string>& osRelease,
                                      const std::string& kernelRelease);
    static std::optional<std::string> brandFromCpuinfo(const std::string& text);

    // --- Readers --------------------------------------------------------------------------------
    static std::string modelName(const SystemFiles& files);
    static std::uint64_t physicalMemory(const SystemFiles& files);

private:
    SystemFiles files_;
    std::string sysOSName_;
    std::string sysModelID_;
    std::string sysProcessorName_;
    std::string sysPhysicalMemory_;
};

} // namespace qshell
