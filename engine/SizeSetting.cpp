#include "engine/SizeSetting.h"

#include "platform/core/UserDefaults.h"

#include <limits>

namespace qengine {

std::uint64_t SizeSetting::bytes(std::int64_t number, std::int64_t unit) {
    if (number <= 0) return 0;
    int shift = 0;
    if (unit == 1) shift = 10;
    if (unit == 2) shift = 20;
    if (unit == 3) shift = 30;
    const auto value = static_cast<std::uint64_t>(number);
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    if (value > (kMax >> shift)) return kMax;
    return value << shift;
}

std::uint64_t SizeSetting::fromDefaults(const std::string& sizeKey, const std::string& unitKey) {
    const auto& defaults = qcore::UserDefaults::standard();
    return bytes(defaults.integerForKey(sizeKey), defaults.integerForKey(unitKey));
}

} // namespace qengine
