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

// `path` is `folder` or lies below it, compared as text by whole components: "/a/b" holds
// "/a/b/c" but not "/a/bc". Both are normalised absolute paths; it runs for every walked entry.
inline bool isAtOrBelow(std::string_view path, std::string_view folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.remove_suffix(1);
    if (folder == "/") return path.starts_with('/');
    // The byte after the folder's length settles most paths without comparing the rest.
    if (path.size() < folder.size() || (path.size() > folder.size() && path[folder.size()] != '/'))
        return false;
    return path.starts_with(folder);
}

} // namespace qengine::names
