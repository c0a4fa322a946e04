#pragma once

#include <string>

namespace qcore {

// Byte-wise helpers for names, identifiers and lines of settings files.
class PlainText {
public:
    // Each byte through std::tolower.
    static std::string lower(std::string text);
    // Each byte through std::toupper.
    static std::string upper(std::string text);
    // Without leading and trailing blanks, tabs, carriage returns and line feeds.
    static std::string trim(const std::string& text);
};

} // namespace qcore
