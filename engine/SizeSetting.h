#pragma once

#include <cstdint>
#include <string>

namespace qengine {

// A size setting: a number with a unit (1 KB, 2 MB, 3 GB, anything else bytes), turned into a
// byte count.
class SizeSetting {
public:
    // `number` shifted left by 10, 20 or 30 bits for the units 1, 2 and 3. A negative number
    // means no minimum (0); a number too large for 64 bits after the shift saturates at the
    // largest count, so a huge setting lists nothing instead of wrapping round to a small one.
    static std::uint64_t bytes(std::int64_t number, std::int64_t unit);

    // The pair as stored in the user defaults (digit strings read as integers).
    static std::uint64_t fromDefaults(const std::string& sizeKey, const std::string& unitKey);
};

} // namespace qengine
