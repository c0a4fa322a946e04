#include "engine/TextFormat.h"

#include <algorithm>
#include <cctype>

namespace qengine::text {

int countPlaceholders(std::string_view text) {
    int count = 0;
    for (std::size_t at = text.find(kPlaceholder); at != std::string_view::npos;
         at = text.find(kPlaceholder, at + kPlaceholder.size()))
        ++count;
    return count;
}

std::string fillPlaceholders(std::string_view text, const std::vector<std::string>& arguments) {
    std::string result;
    std::size_t from = 0;
    for (const std::string& argument : arguments) {
        const std::size_t at = text.find(kPlaceholder, from);
        if (at == std::string_view::npos) break;
        result.append(text.substr(from, at - from)).append(argument);
        from = at + kPlaceholder.size();
    }
    result.append(text.substr(from));
    return result;
}

std::string upperCased(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::string removingBlanks(std::string_view s) {
    std::string out(s);
    out.erase(std::remove(out.begin(), out.end(), ' '), out.end());
    return out;
}

std::string moduleStem(std::string_view moduleKey) {
    std::string stem = upperCased(moduleKey);
    std::replace(stem.begin(), stem.end(), ' ', '_');
    return stem;
}

} // namespace qengine::text
