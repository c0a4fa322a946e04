#include "FuzzInput.h"

#include "engine/FirefoxProfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(fuzzText(data, size));
    const std::string folder = "/home/user/Library/Application Support/Firefox";
    for (const std::string& path : qengine::FirefoxProfiles::profilePaths(text, folder))
        if (path.empty() || path.front() != '/') fuzzFailure("profile folder is not absolute");
    return 0;
}
