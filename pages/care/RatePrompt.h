#pragma once

#include "platform/core/Value.h"

#include <functional>
#include <string>

namespace qcore {
class Bundle;
class UserDefaults;
} // namespace qcore

namespace qpages {

// When to ask the user to rate the program: after a clean the user started from the
// dashboard, for a build version not rated yet, at most once a calendar day. The decision
// state lives in the user defaults ("VersionRated", "rateDate"), so it survives restarts.
class RatePrompt {
public:
    using Clock = std::function<qcore::Date()>;

    static constexpr const char* kVersionRated = "VersionRated";
    static constexpr const char* kRateDate = "rateDate";

    RatePrompt(qcore::UserDefaults& defaults, const qcore::Bundle& bundle, Clock clock = {});

    // The version test: the build version differs from the one rated ("NONE" included).
    bool versionNotRated() const;
    // The day test: no prompt shown yet, or shown on a calendar day other than today's (a
    // day after today counts as other, as after the clock was set back).
    bool dayAllows() const;
    // Records today as the day of the last prompt.
    void markShown();
    // Records the build version as rated.
    void markRated();

    // "Would you like to rate this version(<short version>) of <name>?"
    std::string question() const;
    static std::string explanation();
    // The program's page in the desktop's software centre.
    std::string storeUrl() const;

private:
    qcore::UserDefaults& defaults_;
    const qcore::Bundle& bundle_;
    Clock clock_;
};

} // namespace qpages
