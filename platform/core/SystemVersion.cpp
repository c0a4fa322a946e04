#include "SystemVersion.h"

#include "FileManager.h"
#include "SafeFileReader.h"

#include <algorithm>
#include <mutex>
#include <sstream>

namespace qcore {

namespace {
std::mutex profileMutex;
SystemVersion profile;
} // namespace

int SystemVersion::sysv() const {
    if (major_ > 10) return 0x1099;
    const int minor = std::clamp(minor_, 0, 9);
    const int patch = std::clamp(patch_, 0, 9);
    return 0x1000 + minor * 0x10 + patch;
}

double SystemVersion::appKitVersionNumber() const {
    if (major_ >= 13) return 2299;
    if (major_ == 12) return 2113;
    if (major_ == 11) return 2022;
    static constexpr double kTenDotX[] = {0,    0,    0,    0,    824,  949,  1038, 1138,
                                          1187, 1265, 1343, 1404, 1504, 1561, 1671, 1894};
    const int minor = std::clamp(minor_, 0, 15);
    return kTenDotX[minor];
}

bool SystemVersion::hasVisualEffectView() const {
    return major_ > 10 || minor_ >= 10;
}

const SystemVersion& SystemVersion::current() {
    std::lock_guard lock(profileMutex);
    return profile;
}

void SystemVersion::setCurrent(const SystemVersion& p) {
    std::lock_guard lock(profileMutex);
    profile = p;
}

std::string SystemVersion::operatingSystemName() {
    // A system file, commonly a link into /usr/lib.
    const auto text = SafeFileReader::read("/etc/os-release", readLimits::kSystemText,
                                           SafeFileReader::Links::Follow);
    if (!text) return "Linux";
    std::istringstream lines(*text);
    std::string line;
    std::string name = "Linux";
    while (std::getline(lines, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        std::string value = line.substr(eq + 1);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\''))
            value = value.substr(1, value.size() - 2);
        if (key == "PRETTY_NAME" && !value.empty()) return value;
        if (key == "NAME" && !value.empty()) name = value;
    }
    return name;
}

} // namespace qcore
