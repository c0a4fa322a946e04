#pragma once

// Opens this desktop's system monitor: the one of the
// running desktop (XDG_CURRENT_DESKTOP) first, then any installed one, searched on PATH:
// gnome-system-monitor, plasma-systemmonitor, ksysguard, xfce4-taskmanager,
// mate-system-monitor, lxtask. With none installed the command is disabled.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qshell {

class SystemMonitorLauncher {
public:
    using IsExecutable = std::function<bool(const std::string& path)>;

    // From the environment (XDG_CURRENT_DESKTOP, PATH).
    SystemMonitorLauncher();
    explicit SystemMonitorLauncher(std::optional<std::string> program)
        : program_(std::move(program)) {}

    bool isAvailable() const { return program_.has_value(); }
    const std::optional<std::string>& program() const { return program_; }
    // Starts it detached; false when there is none or it could not start.
    bool launch() const;

    // --- Pure parts ---------------------------------------------------------------------------
    static std::vector<std::string> preferenceOrder(const std::string& currentDesktop);
    static std::optional<std::string> find(const std::string& currentDesktop,
                                           const std::string& pathVariable,
                                           const IsExecutable& isExecutable);

private:
    std::optional<std::string> program_;
};

} // namespace qshell
