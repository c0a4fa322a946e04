#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace qshell {

// Whether the network answers: a plain HTTP request for one page, tried a few times. It
// blocks the calling thread, at most about attempts x timeout.
class NetworkProbe {
public:
    struct Address {
        std::string host;
        std::uint16_t port = 80;
        std::string path = "/";
    };

    // "http://host[:port][/path]"; nothing for anything else.
    static std::optional<Address> parseUrl(const std::string& url);

    explicit NetworkProbe(std::string url,
                          std::chrono::milliseconds timeout = std::chrono::seconds(5),
                          int attempts = 3);

    // Logs each failed try and the first success.
    bool isInternetConnected() const;
    // One request: true when an HTTP answer came back within the time-out.
    bool tryOnce() const;

private:
    std::string url_;
    std::chrono::milliseconds timeout_;
    int attempts_;
};

} // namespace qshell
