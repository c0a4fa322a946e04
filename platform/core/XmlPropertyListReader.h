#pragma once

#include "platform/core/Value.h"

#include <optional>
#include <string>
#include <string_view>

namespace qcore {

// Reads an XML property list into a value: the prolog (declaration, comments, document type),
// an optional <plist> wrapper and one value with entities and CDATA sections decoded.
// Nesting is bounded. Malformed input gives nothing and, when asked, the reason.
class XmlPropertyListReader {
public:
    static std::optional<Value> parse(std::string_view text, std::string* error = nullptr);
};

} // namespace qcore
