#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qshell {

// The user's preferred languages as tags ("nb-NO"), most preferred first, read from the locale
// environment: LANGUAGE's list, then the first of LC_ALL, LC_MESSAGES and LANG.
class PreferredLanguages {
public:
    using Environment = std::function<std::optional<std::string>(const std::string& name)>;

    // `environment` answers a variable's value; the process environment when not given.
    static std::vector<std::string> fromEnvironment(const Environment& environment = {});

    // "nb_NO.UTF-8" -> "nb-NO", "sr_RS@latin" -> "sr-RS"; "" for "C", "POSIX" or nothing.
    static std::string toLanguageTag(const std::string& locale);
};

} // namespace qshell
