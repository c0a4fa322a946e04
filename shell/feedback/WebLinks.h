#pragma once

#include "shell/common/TextSource.h"

#include <string>

namespace qshell {

// Every web address the shell uses, in one place: the three links, and the page the
// feedback form probes to learn whether the network is up (settable, so tests point it at a
// loopback server).
class WebLinks {
public:
    enum class Link { Help, SpeedTest, Website };

    static std::string supportUrl();
    static std::string websiteUrl();
    // Where Rate Us goes: the product's page in the desktop's software centre when the desktop
    // has one to open it, else the product web site.
    static std::string ratingUrl(const std::string& bundleIdentifier);
    // The engine's speed-test address (empty: the speed-test button stays hidden).
    static std::string speedTestUrl(const std::string& engineSpeedTestUrl) {
        return engineSpeedTestUrl;
    }

    static std::string probeUrl();
    static void setProbeUrl(const std::string& url);
    static void resetProbeUrl();

    // The alert shown when `link` (at `url`) cannot be opened.
    struct FailureAlert {
        std::string message;
        std::string informative;
        std::string okTitle;
    };
    static FailureAlert failureAlert(Link link, const std::string& url, const TextSource& texts);
};

} // namespace qshell
