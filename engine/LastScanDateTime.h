#pragma once

#include "platform/core/Value.h"

#include <string>

namespace qengine {

// The stored form of a last-scan time ("dd:MM:yyyy:HH:mm:ss", local time) and its display
// texts. A stored string that is malformed (wrong number of fields, non-numbers, values out of
// range) gives an empty text. Every reader takes "now" as an optional argument for tests.
class LastScanDateTime {
public:
    static std::string getCurrentDateInColonFormat();
    static std::string getCurrentDateInColonFormat(qcore::Date now);

    // "Today", or the stored day as "March 7, 2024".
    static std::string getDateInCurrentFormat(const std::string& stored);
    static std::string getDateInCurrentFormat(const std::string& stored, qcore::Date now);

    // "12:30 AM", "12:30 PM", "11:05 PM" from the stored hour and minute.
    static std::string getTimeinAmPmFormat(const std::string& stored);

    // "Thu, 02:05 PM".
    static std::string getTimeInFormat(qcore::Date date);

    // "Today", or the date as "March 07, 2024".
    static std::string getDateInFormat(qcore::Date date);
    static std::string getDateInFormat(qcore::Date date, qcore::Date now);
};

} // namespace qengine
