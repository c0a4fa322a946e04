#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Every target below is one libFuzzer entry point; the regression runner calls the same entry
// with each kept input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

inline std::string_view fuzzText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Ends the run the way a sanitizer report would, for faults that are wrong results rather
// than crashes.
[[noreturn]] void fuzzFailure(const char* what);
