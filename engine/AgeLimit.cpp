#include "engine/AgeLimit.h"

#include "platform/core/UserDefaults.h"

#include <limits>

namespace qengine {

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;
} // namespace

std::int64_t AgeLimit::days(std::int64_t value, std::int64_t unit) {
    std::int64_t factor = 1;
    if (unit == 1) factor = 7;
    if (unit == 2) factor = 30;
    if (unit == 3) factor = 365;
    if (value <= 0) return 0;
    constexpr std::int64_t kMaxDays = std::numeric_limits<std::int64_t>::max() / (365 * 86400);
    return value > kMaxDays / factor ? kMaxDays : value * factor;
}

double AgeLimit::cutOff(std::int64_t value, std::int64_t unit, qcore::Date now) {
    const auto seconds = static_cast<double>(days(value, unit) * kSecondsPerDay);
    return now.secondsSince1970 - seconds;
}

double AgeLimit::cutOffFromDefaults(const std::string& valueKey, const std::string& unitKey) {
    const auto& defaults = qcore::UserDefaults::standard();
    return cutOff(defaults.integerForKey(valueKey), defaults.integerForKey(unitKey),
                  qcore::Date::now());
}

} // namespace qengine
