#include "FuzzInput.h"

#include "shell/facts/MemStatus.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using qshell::MemStatus;
    const auto stats = MemStatus::parseMeminfo(std::string(fuzzText(data, size)), 4096);
    if (!stats) return 0;
    for (const auto& version : {qcore::SystemVersion(10, 8, 0), qcore::SystemVersion(10, 9, 0),
                                qcore::SystemVersion(13, 0, 0)}) {
        const auto rule = MemStatus::usedRule(version);
        if (MemStatus::freeOf(*stats, rule) > MemStatus::total(*stats))
            fuzzFailure("free memory above the total");
        MemStatus::memoryData(*stats, version).toDictionary();
    }
    return 0;
}
