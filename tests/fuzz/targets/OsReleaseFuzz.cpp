#include "FuzzInput.h"

#include "shell/facts/SystemInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(fuzzText(data, size));
    for (const char* key : {"VERSION", "VERSION_ID", "PRETTY_NAME", "NAME"})
        qshell::SystemInfo::osReleaseValue(text, key);
    if (qshell::SystemInfo::productVersion(text, "6.1.0").empty())
        fuzzFailure("no product version");
    return 0;
}
