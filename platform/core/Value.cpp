#include "Value.h"

#include <plist/plist.h>

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

Value fromNode(plist_t node) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return Value(b != 0);
    }
    case PLIST_UINT: {
        uint64_t u = 0;
        plist_get_uint_val(node, &u);
        return Value(static_cast<std::int64_t>(u));
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return Value(d);
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        uint64_t len = 0;
        const char* p = plist_get_string_ptr(node, &len);
        return Value(std::string(p ? p : "", p ? len : 0));
    }
    case PLIST_DATA: {
        uint64_t len = 0;
        const char* p = plist_get_data_ptr(node, &len);
        Data d;
        if (p)
            d.assign(reinterpret_cast<const std::uint8_t*>(p),
                     reinterpret_cast<const std::uint8_t*>(p) + len);
        return Value(std::move(d));
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        return Value(Date{kAppleEpochOffset + sec + usec / 1e6});
    }
    case PLIST_ARRAY: {
        Array a;
        const uint32_t n = plist_array_get_size(node);
        a.reserve(n);
        for (uint32_t i = 0; i < n; ++i)
            a.push_back(fromNode(plist_array_get_item(node, i)));
        return Value(std::move(a));
    }
    case PLIST_DICT: {
        Dictionary d;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char* key = nullptr;
            plist_t val = nullptr;
            plist_dict_next_item(node, it, &key, &val);
            if (!val) {
                std::free(key);
                break;
            }
            d.emplace(key ? key : "", fromNode(val));
            std::free(key);
        }
        std::free(it);
        return Value(std::move(d));
    }
    case PLIST_UID: {
        uint64_t u = 0;
        plist_get_uid_val(node, &u);
        return Value(static_cast<std::int64_t>(u));
    }
    default:
        return Value();
    }
}

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
        const double rel = v.date()->secondsSince1970 - kAppleEpochOffset;
        const double whole = std::floor(rel);
        return plist_new_date(static_cast<int32_t>(whole),
                              static_cast<int32_t>(std::lround((rel - whole) * 1e6)));
    }
    case Value::Type::Data: {
        const Data& d = *v.data();
        return plist_new_data(reinterpret_cast<const char*>(d.data()), d.size());
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

std::optional<Value> Value::fromPlistData(const std::string& bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    plist_t root = nullptr;
    const auto length = static_cast<uint32_t>(bytes.size());
    if (plist_is_binary(bytes.data(), length)) {
        plist_from_bin(bytes.data(), length, &root);
    } else {
        plist_from_xml(bytes.data(), length, &root);
    }
    if (!root) return std::nullopt;
    PlistPtr holder(root);
    return fromNode(root);
}

std::optional<Value> Value::fromPlistFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return fromPlistData(buffer.str());
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
