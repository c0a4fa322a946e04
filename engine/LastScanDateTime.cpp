#include "engine/LastScanDateTime.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace qengine {

namespace {

constexpr std::array<const char*, 12> kMonths{"January",   "February", "March",    "April",
                                              "May",       "June",     "July",     "August",
                                              "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> kWeekdays{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

struct StoredTime {
    int day, month, year, hour, minute, second;
};

std::tm localTime(qcore::Date date) {
    const std::time_t seconds = static_cast<std::time_t>(date.secondsSince1970);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int month, int year) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::optional<int> parseField(std::string_view field) {
    if (field.empty() || field.size() > 4) return std::nullopt;
    int value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (result.ec != std::errc() || result.ptr != field.data() + field.size() || value < 0)
        return std::nullopt;
    return value;
}

std::optional<StoredTime> parseStored(std::string_view stored) {
    std::vector<int> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = stored.find(':', start);
        const auto field = parseField(stored.substr(start, colon - start));
        if (!field) return std::nullopt;
        fields.push_back(*field);
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    if (fields.size() != 6) return std::nullopt;
    const StoredTime t{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    if (t.month < 1 || t.month > 12 || t.year < 1) return std::nullopt;
    if (t.day < 1 || t.day > daysInMonth(t.month, t.year)) return std::nullopt;
    if (t.hour > 23 || t.minute > 59 || t.second > 60) return std::nullopt;
    return t;
}

bool isSameDay(const std::tm& a, int day, int month, int year) {
    return a.tm_mday == day && a.tm_mon + 1 == month && a.tm_year + 1900 == year;
}

std::string format(const char* pattern, auto... values) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

std::string colonFormat(const std::tm& t) {
    return format("%02d:%02d:%04d:%02d:%02d:%02d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900,
                  t.tm_hour, t.tm_min, t.tm_sec);
}

int twelveHour(int hour) {
    const int h = hour % 12;
    return h == 0 ? 12 : h;
}

} // namespace

std::string LastScanDateTime::getCurrentDateInColonFormat() {
    return getCurrentDateInColonFormat(qcore::Date::now());
}

std::string LastScanDateTime::getCurrentDateInColonFormat(qcore::Date now) {
    return colonFormat(localTime(now));
}

std::string LastScanDateTime::getDateInCurrentFormat(const std::string& stored) {
    return getDateInCurrentFormat(stored, qcore::Date::now());
}

std::string LastScanDateTime::getDateInCurrentFormat(const std::string& stored, qcore::Date now) {
    const auto t = parseStored(stored);
    if (!t) return "";
    if (isSameDay(localTime(now), t->day, t->month, t->year)) return "Today";
    return format("%s %d, %d", kMonths[static_cast<std::size_t>(t->month - 1)], t->day, t->year);
}

std::string LastScanDateTime::getTimeinAmPmFormat(const std::string& stored) {
    const auto t = parseStored(stored);
    if (!t) return "";
    return format("%02d:%02d %s", twelveHour(t->hour), t->minute, t->hour < 12 ? "AM" : "PM");
}

std::string LastScanDateTime::getTimeInFormat(qcore::Date date) {
    // localtime_r works in whole seconds: the same cut the stored form makes.
    const auto t = localTime(date);
    return format("%s, %02d:%02d %s", kWeekdays[static_cast<std::size_t>(t.tm_wday)],
                  twelveHour(t.tm_hour), t.tm_min, t.tm_hour < 12 ? "AM" : "PM");
}

std::string LastScanDateTime::getDateInFormat(qcore::Date date) {
    return getDateInFormat(date, qcore::Date::now());
}

std::string LastScanDateTime::getDateInFormat(qcore::Date date, qcore::Date now) {
    const auto t = localTime(date);
    if (isSameDay(localTime(now), t.tm_mday, t.tm_mon + 1, t.tm_year + 1900)) return "Today";
    return format("%s %02d, %04d", kMonths[static_cast<std::size_t>(t.tm_mon)], t.tm_mday,
                  t.tm_year + 1900);
}

} // namespace qengine
