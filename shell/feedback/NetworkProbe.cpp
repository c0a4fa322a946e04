#include "shell/feedback/NetworkProbe.h"

#include "platform/core/FileDescriptor.h"
#include "platform/core/Log.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <memory>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qshell {

namespace {

using Clock = std::chrono::steady_clock;

struct AddrInfoDeleter {
    void operator()(addrinfo* info) const { ::freeaddrinfo(info); }
};

int millisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, millisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR) continue;
        return ready > 0 && (p.revents & (events | POLLHUP)) != 0;
    }
}

bool connectWithin(int fd, const addrinfo& address, Clock::time_point deadline) {
    if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) return true;
    if (errno != EINPROGRESS) return false;
    if (!waitFor(fd, POLLOUT, deadline)) return false;
    int error = 0;
    socklen_t length = sizeof error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

bool sendAll(int fd, const std::string& bytes, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (!waitFor(fd, POLLOUT, deadline)) return false;
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

// True once the answer's first bytes show an HTTP status line.
bool receiveAnswer(int fd, Clock::time_point deadline) {
    std::string answer;
    char buffer[512];
    while (answer.size() < 5) {
        if (!waitFor(fd, POLLIN, deadline)) return false;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return false;
        answer.append(buffer, static_cast<std::size_t>(n));
    }
    return answer.compare(0, 5, "HTTP/") == 0;
}

} // namespace

std::optional<NetworkProbe::Address> NetworkProbe::parseUrl(const std::string& url) {
    const std::string scheme = "http://";
    if (url.compare(0, scheme.size(), scheme) != 0) return std::nullopt;
    const std::string rest = url.substr(scheme.size());
    const auto slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    Address address;
    address.path = slash == std::string::npos ? "/" : rest.substr(slash);
    const auto colon = authority.rfind(':');
    address.host = authority.substr(0, colon);
    if (colon != std::string::npos) {
        const std::string port = authority.substr(colon + 1);
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), value);
        if (ec != std::errc() || end != port.data() + port.size() || value == 0 || value > 65535)
            return std::nullopt;
        address.port = static_cast<std::uint16_t>(value);
    }
    if (address.host.empty()) return std::nullopt;
    return address;
}

NetworkProbe::NetworkProbe(std::string url, std::chrono::milliseconds timeout, int attempts)
    : url_(std::move(url)), timeout_(timeout), attempts_(attempts) {}

bool NetworkProbe::tryOnce() const {
    const auto address = parseUrl(url_);
    if (!address) return false;
    const auto deadline = Clock::now() + timeout_;

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address->host.c_str(), std::to_string(address->port).c_str(), &hints,
                      &found) != 0)
        return false;
    const std::unique_ptr<addrinfo, AddrInfoDeleter> results(found);

    // A fresh request each time: nothing cached in between may answer for the network.
    const std::string request = "GET " + address->path + " HTTP/1.0\r\nHost: " + address->host +
                                "\r\nCache-Control: no-cache\r\nPragma: no-cache\r\n"
                                "Connection: close\r\n\r\n";
    for (const addrinfo* candidate = results.get(); candidate; candidate = candidate->ai_next) {
        const qcore::FileDescriptor socket(
            ::socket(candidate->ai_family, candidate->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                     candidate->ai_protocol));
        if (socket.get() < 0) continue;
        if (!connectWithin(socket.get(), *candidate, deadline)) continue;
        return sendAll(socket.get(), request, deadline) && receiveAnswer(socket.get(), deadline);
    }
    return false;
}

bool NetworkProbe::isInternetConnected() const {
    for (int attempt = 1; attempt <= attempts_; ++attempt) {
        if (tryOnce()) {
            qcore::log("Submitting Feedback: Connected to Internet!");
            return true;
        }
        qcore::log("Submitting Feedback: Attempting to connect with internet: Retry(", attempt,
                   ")");
    }
    return false;
}

} // namespace qshell
