#include "engine/FirefoxProfiles.h"

#include "platform/core/FileManager.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>

namespace qengine {

namespace {

constexpr const char* kWhiteSpace = " \t\r\n\v\f";
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

std::optional<std::string> sectionName(const std::string& line) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return trimmed(line.substr(1, line.size() - 2));
}

bool isComment(const std::string& line) {
    return line.starts_with(';') || line.starts_with('#');
}

// Lexically normalised, without a trailing "/".
std::string normalised(const std::string& path) {
    std::string result = std::filesystem::path(path).lexically_normal().string();
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}

std::optional<std::string> profileFolder(const FirefoxProfiles::Section& section,
                                         const std::string& firefoxFolder) {
    const auto& values = section.values;
    // Firefox marks the profile in use with "Default=1": that mark must not hide it. Install
    // and background-task sections carry no "Path" of a profile and so fall out below.
    if (!section.name.starts_with("Profile")) return std::nullopt;
    const auto path = values.find("Path");
    if (path == values.end() || path->second.empty()) return std::nullopt;

    const auto relative = values.find("IsRelative");
    if (relative != values.end() && relative->second == "0") {
        // An absolute profile can live anywhere; a relative path here has no base.
        if (!path->second.starts_with('/')) return std::nullopt;
        return normalised(path->second);
    }
    // String joining, so a stray leading "/" stays below the Firefox folder.
    return normalised(firefoxFolder + "/" + path->second);
}

} // namespace

FirefoxProfiles::Sections FirefoxProfiles::getDictionary(const std::string& text) {
    Sections sections;
    Section* current = nullptr;
    std::istringstream lines(text.starts_with(kByteOrderMark) ? text.substr(3) : text);
    for (std::string raw; std::getline(lines, raw, '\n');) {
        const std::string line = trimmed(raw);
        if (line.empty() || isComment(line)) continue;
        if (const auto name = sectionName(line)) {
            auto found = std::find_if(sections.begin(), sections.end(),
                                      [&](const Section& s) { return s.name == *name; });
            if (found == sections.end()) found = sections.insert(sections.end(), {*name, {}});
            found->values.clear();
            current = &*found;
            continue;
        }
        const auto equals = line.find('=');
        if (!current || equals == std::string::npos) continue;
        current->values[trimmed(line.substr(0, equals))] = trimmed(line.substr(equals + 1));
    }
    return sections;
}

std::vector<std::string> FirefoxProfiles::profilePaths(const std::string& text,
                                                       const std::string& firefoxFolder) {
    std::vector<std::string> folders;
    for (const auto& section : getDictionary(text)) {
        const auto folder = profileFolder(section, firefoxFolder);
        if (folder && std::find(folders.begin(), folders.end(), *folder) == folders.end())
            folders.push_back(*folder);
    }
    return folders;
}

std::string FirefoxProfiles::firefoxFolder(const std::string& home) {
    return home + "/Library/Application Support/Firefox";
}

std::string FirefoxProfiles::profilesIniPath(const std::string& home) {
    return firefoxFolder(home) + "/profiles.ini";
}

std::vector<std::string> FirefoxProfiles::readProfilePaths(const std::string& home) {
    const auto text =
        qcore::FileManager::readFile(profilesIniPath(home), qcore::readLimits::kSettingsText);
    if (!text) return {};
    return profilePaths(*text, firefoxFolder(home));
}

} // namespace qengine
