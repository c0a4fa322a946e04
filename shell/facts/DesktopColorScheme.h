#pragma once

// Whether the desktop runs a dark colour scheme, the counterpart of the "Dark" interface
// style. Asked in turn, first answer wins: GTK_THEME (":dark" variant or a "-dark" theme),
// the GTK 4 and then the GTK 3 settings file (gtk-application-prefer-dark-theme, or a
// "-dark" theme name), KDE's kdeglobals window background, and last the fallback given (the
// widget layer passes the application palette's window lightness, which follows the desktop
// only where Qt has a theme plugin for it). No answer means light.

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
    // The desktop's own settings under `home` and in `gtkThemeVariable` (GTK_THEME), then
    // `fallback` (may be empty).
    static DesktopColorScheme forDesktop(const std::string& home,
                                         std::optional<std::string> gtkThemeVariable,
                                         Probe fallback = {});
    // The same with this process's GTK_THEME.
    static DesktopColorScheme forDesktop(const std::string& home, Probe fallback = {});

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
