#include "Value.h"

#include "platform/core/BinaryPropertyListReader.h"
#include "platform/core/Log.h"
#include "platform/core/SafeFileReader.h"
#include "platform/core/XmlPropertyListReader.h"

#include <plist/plist.h>

#include <algorithm>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <unistd.h>

namespace qcore {

namespace {

// Property-list dates count from 2001-01-01 UTC.
constexpr double kAppleEpochOffset = 978307200.0;

struct PlistDeleter {
    void operator()(plist_t p) const {
        if (p) plist_free(p);
    }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

plist_t toNode(const Value& v) {
    switch (v.type()) {
    case Value::Type::Null:
        return plist_new_string("");
    case Value::Type::String:
        return plist_new_string(v.string()->c_str());
    case Value::Type::Integer:
        return plist_new_uint(static_cast<uint64_t>(v.toInt()));
    case Value::Type::Real:
        return plist_new_real(v.toDouble());
    case Value::Type::Boolean:
        return plist_new_bool(v.toBool() ? 1 : 0);
    case Value::Type::Date: {
        // The file format holds 32-bit seconds; dates beyond it are written as its bounds.
        double rel = v.date()->secondsSince1970 - kAppleEpochOffset;
        if (std::isnan(rel)) rel = 0.0;
        rel = std::clamp(rel, double{std::numeric_limits<int32_t>::min()},
                         double{std::numeric_limits<int32_t>::max()});
        const double whole = std::floor(rel);
        const auto micros = std::min(999999L, std::lround((rel - whole) * 1e6));
        return plist_new_date(static_cast<int32_t>(whole), static_cast<int32_t>(micros));
    }
    case Value::Type::Data: {
        // An empty vector has no buffer, and libplist copies from the pointer it is given.
        static const char kNoBytes = 0;
        const Data& d = *v.data();
        return plist_new_data(d.empty() ? &kNoBytes : reinterpret_cast<const char*>(d.data()),
                              d.size());
    }
    case Value::Type::Array: {
        plist_t a = plist_new_array();
        for (const Value& item : *v.array())
            plist_array_append_item(a, toNode(item));
        return a;
    }
    case Value::Type::Dictionary: {
        plist_t d = plist_new_dict();
        for (const auto& [key, item] : *v.dictionary())
            plist_dict_set_item(d, key.c_str(), toNode(item));
        return d;
    }
    }
    return plist_new_string("");
}

std::string formatReal(double d) {
    if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15) {
        return std::to_string(static_cast<long long>(d));
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

} // namespace

Date Date::now() {
    using namespace std::chrono;
    return Date{duration<double>(system_clock::now().time_since_epoch()).count()};
}

std::int64_t leadingInteger(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t maxValue = std::numeric_limits<std::int64_t>::max();
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        const int digit = s[i] - '0';
        if (value > (maxValue - digit) / 10)
            return negative ? std::numeric_limits<std::int64_t>::min() : maxValue;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

std::string Value::toString() const {
    switch (type()) {
    case Type::String:
        return *string();
    case Type::Integer:
        return std::to_string(std::get<std::int64_t>(v_));
    case Type::Real:
        return formatReal(std::get<double>(v_));
    case Type::Boolean:
        return std::get<bool>(v_) ? "1" : "0";
    default:
        return "";
    }
}

std::int64_t Value::toInt() const {
    switch (type()) {
    case Type::String:
        return leadingInteger(*string());
    case Type::Integer:
        return std::get<std::int64_t>(v_);
    case Type::Real: {
        const double d = std::get<double>(v_);
        if (!std::isfinite(d)) return 0;
        if (d >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
        if (d <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
        return static_cast<std::int64_t>(d);
    }
    case Type::Boolean:
        return std::get<bool>(v_) ? 1 : 0;
    default:
        return 0;
    }
}

double Value::toDouble() const {
    switch (type()) {
    case Type::String: {
        const char* s = string()->c_str();
        char* end = nullptr;
        errno = 0;
        const double d = std::strtod(s, &end);
        return end == s ? 0.0 : d;
    }
    case Type::Integer:
        return static_cast<double>(std::get<std::int64_t>(v_));
    case Type::Real:
        return std::get<double>(v_);
    case Type::Boolean:
        return std::get<bool>(v_) ? 1.0 : 0.0;
    case Type::Date:
        return std::get<Date>(v_).secondsSince1970;
    default:
        return 0.0;
    }
}

bool Value::toBool() const {
    switch (type()) {
    case Type::String: {
        // "YES", "true", "1".."9" (after blanks, signs and leading zeros) read as true.
        const std::string& s = *string();
        std::size_t i = 0;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        while (i < s.size() && s[i] == '0')
            ++i;
        if (i >= s.size()) return false;
        const char c = s[i];
        return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
    }
    case Type::Integer:
        return std::get<std::int64_t>(v_) != 0;
    case Type::Real:
        return std::get<double>(v_) != 0.0;
    case Type::Boolean:
        return std::get<bool>(v_);
    default:
        return false;
    }
}

std::optional<Date> Value::date() const {
    if (const Date* d = std::get_if<Date>(&v_)) return *d;
    return std::nullopt;
}

const Value& Value::operator[](const std::string& key) const {
    static const Value null;
    const Dictionary* d = dictionary();
    if (!d) return null;
    const auto it = d->find(key);
    return it == d->end() ? null : it->second;
}

bool Value::contains(const std::string& key) const {
    const Dictionary* d = dictionary();
    return d && d->count(key) > 0;
}

std::vector<std::string> Value::toStringList() const {
    std::vector<std::string> out;
    if (const Array* a = array()) {
        out.reserve(a->size());
        for (const Value& v : *a)
            out.push_back(v.toString());
    }
    return out;
}

std::optional<Value> Value::fromPlistData(std::string_view bytes, std::string* error) {
    if (BinaryPropertyListReader::looksBinary(bytes))
        return BinaryPropertyListReader::parse(bytes, error);
    return XmlPropertyListReader::parse(bytes, error);
}

std::optional<Value> Value::fromPlistFile(const std::string& path, std::size_t maxBytes) {
    const auto bytes = SafeFileReader::read(path, maxBytes);
    if (!bytes) return std::nullopt;
    std::string error;
    auto value = fromPlistData(*bytes, &error);
    if (!value) log("Skipping ", path, ": not a readable property list (", error, ")");
    return value;
}

std::string Value::toXmlPlist() const {
    PlistPtr root(toNode(*this));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    std::string out(xml ? xml : "", xml ? length : 0);
    if (xml) plist_to_xml_free(xml);
    return out;
}

bool Value::writeXmlPlistAtomically(const std::string& path) const {
    const std::string xml = toXmlPlist();
    static std::atomic<unsigned> counter{0};
    const std::string temp =
        path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(xml.data(), static_cast<std::streamsize>(xml.size()));
        out.flush();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

} // namespace qcore
