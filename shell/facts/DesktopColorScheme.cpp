#include "shell/facts/DesktopColorScheme.h"

#include "platform/core/FileManager.h"
#include "platform/core/PlainText.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace qshell {

using qcore::PlainText;

namespace {

bool namesDarkTheme(const std::string& theme) {
    const std::string t = PlainText::lower(theme);
    return t.ends_with("-dark") || t.ends_with(":dark") || t.find("-dark-") != std::string::npos;
}

// Value of `key` in `[section]` of an ini-style text.
std::optional<std::string> iniValue(const std::string& text, const std::string& section,
                                    const std::string& key) {
    std::istringstream lines(text);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        line = PlainText::trim(line);
        if (line.starts_with('[')) {
            inSection = line == "[" + section + "]";
            continue;
        }
        const auto eq = line.find('=');
        if (inSection && eq != std::string::npos && PlainText::trim(line.substr(0, eq)) == key)
            return PlainText::trim(line.substr(eq + 1));
    }
    return std::nullopt;
}

std::optional<bool> fileProbe(const std::string& path,
                              std::optional<bool> (*parse)(const std::string&)) {
    const auto text = qcore::FileManager::readFile(path, qcore::readLimits::kSettingsText);
    return text ? parse(*text) : std::nullopt;
}

} // namespace

DesktopColorScheme DesktopColorScheme::forDesktop(const std::string& home,
                                                  std::optional<std::string> gtkThemeVariable,
                                                  Probe fallback) {
    std::vector<Probe> probes;
    probes.emplace_back([theme = std::move(gtkThemeVariable)]() -> std::optional<bool> {
        return theme ? fromGtkTheme(*theme) : std::nullopt;
    });
    for (const char* gtk : {"/.config/gtk-4.0/settings.ini", "/.config/gtk-3.0/settings.ini"})
        probes.emplace_back([path = home + gtk] { return fileProbe(path, &fromGtkSettings); });
    probes.emplace_back(
        [home] { return fileProbe(home + "/.config/kdeglobals", &fromKdeGlobals); });
    if (fallback) probes.push_back(std::move(fallback));
    return DesktopColorScheme(std::move(probes));
}

DesktopColorScheme DesktopColorScheme::forDesktop(const std::string& home, Probe fallback) {
    const char* theme = std::getenv("GTK_THEME");
    return forDesktop(home, theme ? std::optional<std::string>(theme) : std::nullopt,
                      std::move(fallback));
}

bool DesktopColorScheme::isDark() const {
    for (const Probe& probe : probes_)
        if (const auto answer = probe ? probe() : std::nullopt) return *answer;
    return false;
}

bool DesktopColorScheme::isDarkStyleName(const std::optional<std::string>& style) {
    return style && PlainText::lower(*style) == "dark";
}

std::optional<bool> DesktopColorScheme::fromGtkTheme(const std::string& themeVariable) {
    if (PlainText::trim(themeVariable).empty()) return std::nullopt;
    return namesDarkTheme(PlainText::trim(themeVariable));
}

std::optional<bool> DesktopColorScheme::fromGtkSettings(const std::string& settingsIni) {
    if (const auto prefer =
            iniValue(settingsIni, "Settings", "gtk-application-prefer-dark-theme")) {
        const std::string v = PlainText::lower(*prefer);
        if (v == "1" || v == "true") return true;
    }
    if (const auto theme = iniValue(settingsIni, "Settings", "gtk-theme-name"))
        return namesDarkTheme(*theme);
    return std::nullopt;
}

std::optional<bool> DesktopColorScheme::fromKdeGlobals(const std::string& kdeglobals) {
    const auto background = iniValue(kdeglobals, "Colors:Window", "BackgroundNormal");
    if (!background) return std::nullopt;
    std::istringstream in(*background);
    int rgb[3] = {0, 0, 0};
    char comma = 0;
    if (!(in >> rgb[0] >> comma >> rgb[1] >> comma >> rgb[2])) return std::nullopt;
    return isDarkColor(rgb[0], rgb[1], rgb[2]);
}

bool DesktopColorScheme::isDarkColor(int red, int green, int blue) {
    // Lightness as the HSL model has it: the mean of the brightest and darkest channel.
    const int hi = std::max({red, green, blue});
    const int lo = std::min({red, green, blue});
    return (hi + lo) / 2 < 128;
}

} // namespace qshell
