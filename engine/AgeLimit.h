#pragma once

#include "platform/core/Value.h"

#include <cstdint>
#include <string>

namespace qengine {

// An age setting: a number with a unit (1 weeks, 2 months of 30 days, 3 years of 365 days,
// anything else days), turned into a cut-off time. An entry is old when its date is not later
// than the cut-off.
class AgeLimit {
public:
    static std::int64_t days(std::int64_t value, std::int64_t unit);
    // Seconds since 1970 of `now` minus the age. Computed in 64 bits, so long ages do not wrap
    // round into the future; a negative age counts as none.
    static double cutOff(std::int64_t value, std::int64_t unit, qcore::Date now);
    // The pair as stored in the user defaults, against the current time.
    static double cutOffFromDefaults(const std::string& valueKey, const std::string& unitKey);
    static bool isOld(qcore::Date date, double cutOff) { return date.secondsSince1970 <= cutOff; }
};

} // namespace qengine
