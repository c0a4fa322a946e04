#include "engine/LastScanDateTime.h"
#include "engine/MyArrayExtensions.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

using qengine::LastScanDateTime;

namespace {

// A local time as a date.
qcore::Date localDate(int year, int month, int day, int hour, int minute, int second = 0) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return qcore::Date{static_cast<double>(std::mktime(&t))};
}

} // namespace

TEST(LastScanDateTime, StoredFormRoundTripsToTodayAndTwelveHourClock) {
    const auto now = localDate(2024, 3, 7, 14, 5, 9);
    const std::string stored = LastScanDateTime::getCurrentDateInColonFormat(now);
    EXPECT_EQ(stored, "07:03:2024:14:05:09");
    EXPECT_EQ(LastScanDateTime::getDateInCurrentFormat(stored, now), "Today");
    EXPECT_EQ(LastScanDateTime::getTimeinAmPmFormat(stored), "02:05 PM");
    EXPECT_EQ(LastScanDateTime::getDateInCurrentFormat("06:03:2024:10:00:00", now),
              "March 6, 2024");
    EXPECT_EQ(LastScanDateTime::getTimeinAmPmFormat("01:01:2024:12:00:00"), "12:00 PM");
    EXPECT_EQ(LastScanDateTime::getTimeinAmPmFormat("01:01:2024:00:15:00"), "12:15 AM");
    EXPECT_EQ(LastScanDateTime::getTimeinAmPmFormat("01:01:2024:09:07:00"), "09:07 AM");
    EXPECT_EQ(LastScanDateTime::getTimeinAmPmFormat("01:01:2024:23:05:00"), "11:05 PM");
}

TEST(LastScanDateTime, MalformedStoredTextsGiveEmptyText) {
    const auto now = localDate(2024, 3, 7, 14, 5);
    for (const std::string bad :
         {"", "07:03:2024", "07:03:2024:14:05", "aa:03:2024:14:05:09", "07:13:2024:14:05:09",
          "30:02:2024:14:05:09", "07:03:2024:24:05:09", "07:03:2024:14:60:09",
          "07:03:2024:14:05:09:11", "-1:03:2024:14:05:09", "07::2024:14:05:09",
          "07:03:99999999999:14:05:09"}) {
        EXPECT_EQ(LastScanDateTime::getDateInCurrentFormat(bad, now), "") << bad;
        EXPECT_EQ(LastScanDateTime::getTimeinAmPmFormat(bad), "") << bad;
    }
    EXPECT_EQ(LastScanDateTime::getDateInCurrentFormat("29:02:2024:14:05:09", now),
              "February 29, 2024");
}

TEST(LastScanDateTime, DateTextsOfDates) {
    const auto now = localDate(2024, 3, 7, 14, 5);
    EXPECT_EQ(LastScanDateTime::getDateInFormat(localDate(2024, 3, 7, 1, 0), now), "Today");
    EXPECT_EQ(LastScanDateTime::getDateInFormat(localDate(2023, 3, 7, 1, 0), now),
              "March 07, 2023");
    EXPECT_EQ(LastScanDateTime::getTimeInFormat(localDate(2024, 3, 7, 14, 5, 59)), "Thu, 02:05 PM");
    EXPECT_EQ(LastScanDateTime::getTimeInFormat(localDate(2024, 3, 10, 0, 30)), "Sun, 12:30 AM");
}

TEST(MyArrayExtensions, SortDescOrdersByKeyLargestFirst) {
    const auto byValue = [](int v) { return v; };
    EXPECT_TRUE(qengine::sortDesc(std::vector<int>{}, byValue).empty());
    EXPECT_EQ(qengine::sortDesc(std::vector<int>{4}, byValue), std::vector<int>{4});
    const std::vector<int> items{3, 10, 7};
    EXPECT_EQ(qengine::sortDesc(items, byValue), (std::vector<int>{10, 7, 3}));
    EXPECT_EQ(items, (std::vector<int>{3, 10, 7})); // the input is left as it was

    struct App {
        std::string name;
        double memory;
    };
    const auto sorted = qengine::sortDesc(std::vector<App>{{"a", 1.5}, {"b", 9}, {"c", 1.5}},
                                          [](const App& app) { return app.memory; });
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted[0].name, "b");
}
