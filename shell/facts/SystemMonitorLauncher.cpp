#include "shell/facts/SystemMonitorLauncher.h"

#include "platform/core/Log.h"

#include <QProcess>
#include <QString>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace qshell {

namespace {

struct Monitor {
    const char* desktop; // as XDG_CURRENT_DESKTOP names it, upper case
    const char* program;
};

constexpr std::array<Monitor, 6> kMonitors{{
    {"GNOME", "gnome-system-monitor"},
    {"KDE", "plasma-systemmonitor"},
    {"KDE", "ksysguard"},
    {"XFCE", "xfce4-taskmanager"},
    {"MATE", "mate-system-monitor"},
    {"LXDE", "lxtask"},
}};

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(s);
    std::string part;
    while (std::getline(in, part, separator))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

} // namespace

SystemMonitorLauncher::SystemMonitorLauncher() {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const char* path = std::getenv("PATH");
    program_ = find(desktop ? desktop : "", path ? path : "/usr/bin:/bin",
                    [](const std::string& p) { return ::access(p.c_str(), X_OK) == 0; });
}

bool SystemMonitorLauncher::launch() const {
    if (!program_) return false;
    const bool started = QProcess::startDetached(QString::fromStdString(*program_), {});
    if (!started) qcore::log("Could not start ", *program_);
    return started;
}

std::vector<std::string> SystemMonitorLauncher::preferenceOrder(const std::string& currentDesktop) {
    std::vector<std::string> order;
    // XDG_CURRENT_DESKTOP is a colon-separated list such as "ubuntu:GNOME".
    for (const std::string& desktop : split(upper(currentDesktop), ':'))
        for (const Monitor& m : kMonitors)
            if (desktop == m.desktop &&
                std::find(order.begin(), order.end(), m.program) == order.end())
                order.emplace_back(m.program);
    for (const Monitor& m : kMonitors)
        if (std::find(order.begin(), order.end(), m.program) == order.end())
            order.emplace_back(m.program);
    return order;
}

std::optional<std::string> SystemMonitorLauncher::find(const std::string& currentDesktop,
                                                       const std::string& pathVariable,
                                                       const IsExecutable& isExecutable) {
    const std::vector<std::string> dirs = split(pathVariable, ':');
    for (const std::string& program : preferenceOrder(currentDesktop))
        for (const std::string& dir : dirs)
            if (const std::string candidate = dir + "/" + program; isExecutable(candidate))
                return candidate;
    return std::nullopt;
}

} // namespace qshell
