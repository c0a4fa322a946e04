#pragma once

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qengine::names {

// ASCII lower case: the name filters compare bundle-identifier-like names.
inline std::string lowerCased(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

inline bool startsWithAny(std::string_view s, std::initializer_list<std::string_view> prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](std::string_view prefix) { return s.starts_with(prefix); });
}

inline bool endsWithAny(std::string_view s, std::initializer_list<std::string_view> suffixes) {
    return std::any_of(suffixes.begin(), suffixes.end(),
                       [&](std::string_view suffix) { return s.ends_with(suffix); });
}

} // namespace qengine::names
