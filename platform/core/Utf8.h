#pragma once

#include <string>
#include <string_view>

namespace qcore {

// Conversions into UTF-8 for text read from files.
class Utf8 {
public:
    // Surrogate pairs are joined; a lone surrogate becomes U+FFFD.
    static std::string fromUtf16(std::u16string_view units);
    // Appends one code point; surrogates and values past U+10FFFF become U+FFFD.
    static void append(std::string& out, char32_t codePoint);
};

} // namespace qcore
