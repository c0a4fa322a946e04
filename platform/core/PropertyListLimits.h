#pragma once

#include "platform/core/Value.h"

#include <cstddef>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

namespace qcore {

// Thrown inside a reader when the input breaks its format; never leaves the reader.
struct MalformedPropertyList {
    const char* reason;
};

// Bounds on what a property list read may build, whoever wrote the file.
struct PropertyListLimits {
    // Arrays and dictionaries nested deeper than this are refused (values are converted and
    // destroyed recursively, so depth costs stack).
    static constexpr int kMaxDepth = 512;

    // What one read may build, in bytes of values: a binary list can reference one object
    // many times, so a small file could otherwise expand without limit.
    static std::size_t budgetFor(std::size_t inputBytes) {
        return (std::size_t{16} << 20) + 32 * inputBytes;
    }
    // Rough cost of one value besides its payload.
    static constexpr std::size_t kValueCost = 64;

    // Runs a reader; a malformed input or one too large to build gives nothing and the reason.
    template <typename Parse> static std::optional<Value> read(Parse&& parse, std::string* error) {
        const char* reason = nullptr;
        try {
            return std::forward<Parse>(parse)();
        } catch (const MalformedPropertyList& malformed) {
            reason = malformed.reason;
        } catch (const std::bad_alloc&) {
            reason = "out of memory";
        } catch (const std::length_error&) {
            reason = "too large";
        }
        if (error) *error = reason;
        return std::nullopt;
    }
};

} // namespace qcore
