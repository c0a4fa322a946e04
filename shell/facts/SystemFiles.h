#pragma once

#include "platform/core/SafeFileReader.h"

#include <optional>
#include <string>

namespace qshell {

// Where the system facts are read from. Tests point the roots at fixture trees laid out like
// the real ones ("<proc>/meminfo", "<sys>/devices/system/cpu/...", "<etc>/os-release").
struct SystemFiles {
    std::string procRoot = "/proc";
    std::string sysRoot = "/sys";
    std::string etcRoot = "/etc";
    std::string devRoot = "/dev";

    std::string proc(const std::string& rel) const { return procRoot + "/" + rel; }
    std::string sys(const std::string& rel) const { return sysRoot + "/" + rel; }
    std::string etc(const std::string& rel) const { return etcRoot + "/" + rel; }
    std::string dev(const std::string& rel) const { return devRoot + "/" + rel; }

    // A system file: links followed (/etc/os-release usually is one), yet only a regular file
    // and only up to the size limit of system texts.
    static std::optional<std::string> read(const std::string& path) {
        return qcore::SafeFileReader::read(path, qcore::readLimits::kSystemText,
                                           qcore::SafeFileReader::Links::Follow);
    }
};

} // namespace qshell
