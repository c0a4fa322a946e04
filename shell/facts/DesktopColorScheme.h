#pragma once

// Whether the desktop runs a dark colour scheme, the counterpart of the "Dark" interface
// style. Asked in turn, first answer wins: the probes given (the widget layer adds the
// application palette's window lightness), then GTK_THEME (":dark" variant or a "-dark"
// theme), the GTK 3 settings file (gtk-application-prefer-dark-theme, or a "-dark" theme
// name), then KDE's kdeglobals window background. No answer means light.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qshell {

class DesktopColorScheme {
public:
    // true: dark, false: light, nothing: this source does not know.
    using Probe = std::function<std::optional<bool>()>;

    explicit DesktopColorScheme(std::vector<Probe> probes) : probes_(std::move(probes)) {}
    // The desktop's own settings under `home`, after `first` (may be empty).
    static DesktopColorScheme forDesktop(const std::string& home, Probe first = {});

    bool isDark() const;

    // --- Pure parts ---------------------------------------------------------------------------
    // A style name that equals "dark" ignoring case.
    static bool isDarkStyleName(const std::optional<std::string>& style);
    static std::optional<bool> fromGtkTheme(const std::string& themeVariable);
    static std::optional<bool> fromGtkSettings(const std::string& settingsIni);
    static std::optional<bool> fromKdeGlobals(const std::string& kdeglobals);
    // Window backgrounds darker than mid-grey count as dark.
    static bool isDarkColor(int red, int green, int blue);

private:
    std::vector<Probe> probes_;
};

} // namespace qshell
