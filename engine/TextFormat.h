#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qengine {

// Texts from the language table are data, never printf formats: "%@" placeholders are filled
// literally, anything else (a stray "%d" or "%s") stays as it is.
namespace text {

inline constexpr std::string_view kPlaceholder = "%@";

int countPlaceholders(std::string_view text);
// Replaces successive "%@" with the arguments; placeholders beyond the arguments stay.
std::string fillPlaceholders(std::string_view text, const std::vector<std::string>& arguments);

std::string upperCased(std::string_view s);
std::string removingBlanks(std::string_view s);
// "Old Downloads" -> "OLD_DOWNLOADS": the stem of a module's text group and keys.
std::string moduleStem(std::string_view moduleKey);

} // namespace text

} // namespace qengine
