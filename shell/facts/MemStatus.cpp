#include "shell/facts/MemStatus.h"
#include "shell/facts/SystemFiles.h"

#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <map>
#include <sstream>
#include <unistd.h>

namespace qshell {

namespace {

using Fields = std::map<std::string, std::uint64_t>; // kB

Fields parseFields(const std::string& text) {
    Fields fields;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::istringstream value(line.substr(colon + 1));
        std::uint64_t kb = 0;
        if (value >> kb) fields[line.substr(0, colon)] = kb;
    }
    return fields;
}

std::uint64_t field(const Fields& fields, const char* name) {
    const auto it = fields.find(name);
    return it == fields.end() ? 0 : it->second;
}

std::uint64_t minus(std::uint64_t a, std::uint64_t b) {
    return a > b ? a - b : 0;
}

} // namespace

qcore::Dictionary MemoryData::toDictionary() const {
    const auto num = [](std::uint64_t v) { return qcore::Value(static_cast<std::int64_t>(v)); };
    return {{"available", num(available)}, {"used", num(used)},         {"app", num(app)},
            {"wired", num(wired)},         {"compress", num(compress)}, {"total", num(total)}};
}

MemStatus::MemStatus(std::string meminfoPath, std::uint64_t pageSize, qcore::SystemVersion version)
    : meminfoPath_(std::move(meminfoPath)), pageSize_(pageSize ? pageSize : 4096),
      version_(version) {}

bool MemStatus::get_stats() {
    const auto text = SystemFiles::read(meminfoPath_);
    const auto stats = text ? parseMeminfo(*text, pageSize_) : std::nullopt;
    if (!stats) {
        qcore::log("Memory statistics unreadable at ", meminfoPath_, "; keeping the last figures");
        return false;
    }
    vmStats_ = *stats;
    hasSnapshot_ = true;
    return true;
}

std::optional<VmStats> MemStatus::parseMeminfo(const std::string& text, std::uint64_t pageSize) {
    const Fields f = parseFields(text);
    for (const char* required : {"MemTotal", "MemFree", "Active", "Inactive"})
        if (!f.contains(required)) return std::nullopt;
    if (pageSize == 0) return std::nullopt;
    const auto pages = [pageSize](std::uint64_t kb) { return kb * 1024 / pageSize; };

    VmStats s;
    s.pageSize = pageSize;
    s.totalBytes = field(f, "MemTotal") * 1024;
    s.freePages = pages(field(f, "MemFree"));
    s.activePages = pages(field(f, "Active"));
    s.inactivePages = pages(field(f, "Inactive"));
    s.wiredPages = pages(field(f, "SUnreclaim") + field(f, "KernelStack") + field(f, "PageTables") +
                         field(f, "Unevictable"));
    s.compressedPages = pages(field(f, "Zswap"));
    s.internalPages = pages(field(f, "Active(anon)") + field(f, "Inactive(anon)"));
    s.purgeablePages = 0;
    s.externalPages = pages(field(f, "Active(file)") + field(f, "Inactive(file)"));
    return s;
}

MemStatus::UsedRule MemStatus::usedRule(const qcore::SystemVersion& v) {
    if (v.major() == 10 && (v.minor() == 7 || v.minor() == 8)) return UsedRule::ActiveInactiveWired;
    if (v.major() == 10 && (v.minor() == 9 || (v.minor() == 10 && v.patch() == 0)))
        return UsedRule::AppCompressedWiredCache;
    return UsedRule::AppCompressedWired;
}

std::uint64_t MemStatus::app(const VmStats& s, bool lion) {
    if (lion) return s.internalPages * s.pageSize;
    return minus(s.internalPages, s.purgeablePages) * s.pageSize;
}

std::uint64_t MemStatus::fileCache(const VmStats& s, bool lion) {
    if (lion) return s.externalPages * s.pageSize;
    return (s.purgeablePages + s.externalPages) * s.pageSize;
}

std::uint64_t MemStatus::used(const VmStats& s, UsedRule rule) {
    switch (rule) {
    case UsedRule::ActiveInactiveWired:
        return (s.activePages + s.inactivePages + s.wiredPages) * s.pageSize;
    case UsedRule::AppCompressedWiredCache:
        return compressed(s) + wired(s) + app(s, false) + fileCache(s, false);
    case UsedRule::AppCompressedWired:
        break;
    }
    return app(s, false) + compressed(s) + wired(s);
}

std::uint64_t MemStatus::freeOf(const VmStats& s, UsedRule rule) {
    return minus(total(s), used(s, rule));
}

MemoryData MemStatus::memoryData(const VmStats& s, const qcore::SystemVersion& version) {
    const UsedRule rule = usedRule(version);
    const bool oldMinor = version.minor() == 7 || version.minor() == 8;
    MemoryData d;
    d.available = freeOf(s, rule);
    d.used = used(s, rule);
    d.app = oldMinor ? active(s) : app(s, rule == UsedRule::ActiveInactiveWired);
    d.wired = wired(s);
    d.compress = oldMinor ? inactive(s) : compressed(s);
    d.total = total(s);
    return d;
}

std::uint64_t MemStatus::systemPageSize() {
    const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? static_cast<std::uint64_t>(size) : 4096;
}

} // namespace qshell
