#include "FuzzInput.h"

#include "shell/facts/ProcessorSpeed.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const auto khz = qshell::ProcessorSpeed::parseCpufreqKHz(std::string(fuzzText(data, size))))
        qshell::ProcessorSpeed::cpuCapacityText(*khz * 1000, ",");
    return 0;
}
