#pragma once

#include "platform/core/Value.h"

#include <array>
#include <cstdint>
#include <string>

namespace qshell {

// The header's running junk total: the latest size each of the four junk modules and the
// Duplicates Finder reported. A report replaces the module's size; it never adds to it.
class JunkTotals {
public:
    // The modules counted, in field order.
    static const std::array<std::string, 5>& modules();

    // False for a module not counted.
    bool update(const std::string& module, std::uint64_t size);
    void reset(const std::string& module) { update(module, 0); }
    std::uint64_t sizeOf(const std::string& module) const;
    std::uint64_t total() const;

    // "Junk Found: %@" after a scan, "Junk Cleaned: %@" after a clean, with the total as text.
    std::string label(bool isScan, const qcore::Dictionary& sizeWords) const;

private:
    std::array<std::uint64_t, 5> sizes_{};
};

} // namespace qshell
