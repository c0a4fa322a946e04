#include "FuzzInput.h"

#include "shell/facts/ProcessorSpeed.h"
#include "shell/facts/SystemInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(fuzzText(data, size));
    if (const auto mhz = qshell::ProcessorSpeed::parseCpuinfoMHz(text))
        qshell::ProcessorSpeed::speedText(*mhz * 1000000);
    qshell::SystemInfo::parseBrandName(qshell::SystemInfo::brandFromCpuinfo(text));
    return 0;
}
