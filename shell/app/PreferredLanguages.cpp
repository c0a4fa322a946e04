#include "shell/app/PreferredLanguages.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace qshell {

namespace {

std::optional<std::string> processEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

void appendIfMissing(std::vector<std::string>& list, const std::string& tag) {
    if (!tag.empty() && std::find(list.begin(), list.end(), tag) == list.end()) list.push_back(tag);
}

} // namespace

std::string PreferredLanguages::toLanguageTag(const std::string& locale) {
    std::string tag = locale.substr(0, locale.find_first_of(".@"));
    if (tag == "C" || tag == "POSIX") return {};
    std::replace(tag.begin(), tag.end(), '_', '-');
    return tag;
}

std::vector<std::string> PreferredLanguages::fromEnvironment(const Environment& environment) {
    const Environment lookUp = environment ? environment : Environment(processEnvironment);

    std::optional<std::string> locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = lookUp(name);
        if (locale && !locale->empty()) break;
    }
    const std::string localeTag = locale ? toLanguageTag(*locale) : std::string();

    std::vector<std::string> languages;
    // As gettext does, LANGUAGE counts only when a real locale is set.
    if (!localeTag.empty()) {
        if (const auto list = lookUp("LANGUAGE")) {
            std::istringstream entries(*list);
            std::string entry;
            while (std::getline(entries, entry, ':'))
                appendIfMissing(languages, toLanguageTag(entry));
        }
    }
    appendIfMissing(languages, localeTag);
    if (languages.empty()) languages.push_back("en");
    return languages;
}

} // namespace qshell
