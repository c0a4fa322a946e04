#pragma once

#include "platform/core/PlainText.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace qengine::names {

// ASCII lower case: the name filters compare bundle-identifier-like names.
inline std::string lowerCased(std::string s) {
    return qcore::PlainText::lower(std::move(s));
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
