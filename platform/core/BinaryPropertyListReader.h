#pragma once

#include "platform/core/Value.h"

#include <optional>
#include <string>
#include <string_view>

namespace qcore {

// Reads a binary property list ("bplist00") into a value. Every offset, length and reference is
// checked against the input; nesting and expansion through shared objects are bounded. A
// malformed list gives nothing and, when asked, the reason.
class BinaryPropertyListReader {
public:
    static bool looksBinary(std::string_view bytes);
    static std::optional<Value> parse(std::string_view bytes, std::string* error = nullptr);
};

} // namespace qcore
