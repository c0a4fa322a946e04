#include "FuzzInput.h"

#include "shell/facts/ProcessorLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using qshell::ProcessorLoad;
    const auto ticks = ProcessorLoad::parseProcStat(std::string(fuzzText(data, size)));
    if (!ticks) return 0;
    for (const auto& before : {qshell::CpuTicks{}, *ticks}) {
        const int load = ProcessorLoad::loadPercent(before, *ticks);
        if (load < 0 || load > 100) fuzzFailure("load outside 0..100");
    }
    return 0;
}
