#include "shell/facts/SystemInfo.h"

#include "platform/core/FileManager.h"
#include "platform/core/PlainText.h"

#include <cctype>
#include <limits>
#include <sstream>
#include <sys/utsname.h>
#include <vector>

namespace qshell {

using qcore::PlainText;

namespace {

// Bytes of multi-byte characters count as letters, so non-ASCII words stay whole.
bool isWordByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || std::isalnum(u);
}

std::optional<std::string> readTrimmed(const std::string& path) {
    const auto text = SystemFiles::read(path);
    if (!text) return std::nullopt;
    // Device-tree strings end in NUL.
    std::string value = PlainText::trim(std::string(text->c_str()));
    if (value.empty()) return std::nullopt;
    return value;
}

} // namespace

SystemInfo::SystemInfo(SystemFiles files) : files_(std::move(files)) {}

qcore::Dictionary SystemInfo::systemInformation() {
    utsname names{};
    const bool haveUname = ::uname(&names) == 0;
    sysOSName_ =
        productVersion(SystemFiles::read(files_.etc("os-release")), haveUname ? names.release : "");
    sysModelID_ = modelName(files_);
    const auto cpuinfo = SystemFiles::read(files_.proc("cpuinfo"));
    sysProcessorName_ =
        parseBrandName(cpuinfo ? brandFromCpuinfo(*cpuinfo) : std::nullopt).value_or("");
    const std::uint64_t memory = physicalMemory(files_);
    sysPhysicalMemory_ = std::to_string(memory);
    return {{"ProductVersion", sysOSName_},
            {"Model Name", sysModelID_},
            {"Processor Name", sysProcessorName_},
            {"Memory", memoryText(memory)}};
}

std::optional<std::string> SystemInfo::parseBrandName(const std::optional<std::string>& brand) {
    if (!brand) return std::nullopt;
    std::vector<std::string> pieces(1);
    for (const char c : *brand) {
        if (isWordByte(c))
            pieces.back() += c;
        else
            pieces.emplace_back();
    }
    std::string name;
    for (const std::string& piece : pieces) {
        if (piece == "CPU") break;
        if (piece.empty() || PlainText::lower(piece) == "r" || PlainText::lower(piece) == "tm")
            continue;
        if (std::isdigit(static_cast<unsigned char>(piece.front()))) continue;
        if (!name.empty()) name += ' ';
        name += piece;
    }
    return name;
}

std::string SystemInfo::memoryText(std::uint64_t bytes) {
    constexpr std::uint64_t kGiB = 1073741824ULL;
    if (bytes < kGiB) return std::to_string(bytes >> 20) + " MB RAM";
    return std::to_string(bytes >> 30) + " GB RAM";
}

std::optional<std::string> SystemInfo::osReleaseValue(const std::string& text,
                                                      const std::string& key) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos || PlainText::trim(line.substr(0, eq)) != key) continue;
        std::string value = PlainText::trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (!value.empty()) return value;
    }
    return std::nullopt;
}

std::string SystemInfo::productVersion(const std::optional<std::string>& osRelease,
                                       const std::string& kernelRelease) {
    if (osRelease) {
        for (const char* key : {"VERSION", "VERSION_ID"})
            if (auto value = osReleaseValue(*osRelease, key)) return *value;
    }
    return kernelRelease;
}

std::optional<std::string> SystemInfo::brandFromCpuinfo(const std::string& text) {
    for (const char* key : {"model name", "Hardware", "Processor", "cpu model"}) {
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            const auto colon = line.find(':');
            if (colon == std::string::npos || PlainText::trim(line.substr(0, colon)) != key)
                continue;
            const std::string value = PlainText::trim(line.substr(colon + 1));
            if (!value.empty()) return value;
        }
    }
    return std::nullopt;
}

std::string SystemInfo::modelName(const SystemFiles& files) {
    if (auto name = readTrimmed(files.sys("class/dmi/id/product_name"))) return *name;
    if (auto name = readTrimmed(files.proc("device-tree/model"))) return *name;
    utsname names{};
    return ::uname(&names) == 0 ? names.machine : "";
}

std::uint64_t SystemInfo::physicalMemory(const SystemFiles& files) {
    const std::string memoryDir = files.sys("devices/system/memory");
    if (const auto blockText = readTrimmed(memoryDir + "/block_size_bytes")) {
        std::uint64_t blockSize = 0;
        std::istringstream(*blockText) >> std::hex >> blockSize;
        std::uint64_t online = 0;
        for (const std::string& entry : qcore::FileManager::contentsOfDirectory(memoryDir)) {
            if (entry.rfind("memory", 0) != 0 || entry.size() == 6 ||
                !std::isdigit(static_cast<unsigned char>(entry[6])))
                continue;
            const auto state = readTrimmed(memoryDir + "/" + entry + "/online");
            if (!state || *state == "1") ++online;
        }
        if (blockSize > 0 && online > 0) return blockSize * online;
    }
    if (const auto meminfo = SystemFiles::read(files.proc("meminfo"))) {
        std::istringstream lines(*meminfo);
        std::string label;
        std::uint64_t kb = 0;
        while (lines >> label) {
            if (label == "MemTotal:" && lines >> kb) return kb * 1024;
            lines.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        }
    }
    return 0;
}

} // namespace qshell
