#pragma once

#include "platform/core/SafeFileReader.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qcore {

class Value;

using Array = std::vector<Value>;
using Dictionary = std::map<std::string, Value>;
using Data = std::vector<std::uint8_t>;

// A point in time as seconds since 1970-01-01 UTC (fractions allowed).
struct Date {
    double secondsSince1970 = 0.0;
    static Date now();
    bool operator==(const Date&) const = default;
};

// One property-list value: null, string, integer, real, boolean, date, data, array or
// dictionary. Arrays and dictionaries are held by value; copies are deep.
class Value {
public:
    enum class Type { Null, String, Integer, Real, Boolean, Date, Data, Array, Dictionary };

    Value() = default;
    Value(std::string s) : v_(std::move(s)) {}
    Value(const char* s) : v_(std::string(s)) {}
    Value(std::int64_t i) : v_(i) {}
    Value(int i) : v_(static_cast<std::int64_t>(i)) {}
    Value(unsigned i) : v_(static_cast<std::int64_t>(i)) {}
    Value(long long i) : v_(static_cast<std::int64_t>(i)) {}
    Value(unsigned long i) : v_(static_cast<std::int64_t>(i)) {}
    Value(double d) : v_(d) {}
    Value(bool b) : v_(b) {}
    Value(Date d) : v_(d) {}
    Value(Data d) : v_(std::move(d)) {}
    Value(Array a) : v_(std::move(a)) {}
    Value(Dictionary d) : v_(std::move(d)) {}

    Type type() const { return static_cast<Type>(v_.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isString() const { return type() == Type::String; }
    bool isNumber() const {
        return type() == Type::Integer || type() == Type::Real || type() == Type::Boolean;
    }
    bool isArray() const { return type() == Type::Array; }
    bool isDictionary() const { return type() == Type::Dictionary; }
    bool isData() const { return type() == Type::Data; }
    bool isDate() const { return type() == Type::Date; }

    // Coercing readers, in the manner of the original platform's strings and numbers:
    // "4" reads as 4, " 12abc" as 12, "YES"/"true"/"1".."9" as true, a number as its text.
    std::string toString() const;
    std::int64_t toInt() const;
    double toDouble() const;
    bool toBool() const;

    // Exact accessors; nullptr when the value has another type.
    const std::string* string() const { return std::get_if<std::string>(&v_); }
    const Array* array() const { return std::get_if<Array>(&v_); }
    Array* array() { return std::get_if<Array>(&v_); }
    const Dictionary* dictionary() const { return std::get_if<Dictionary>(&v_); }
    Dictionary* dictionary() { return std::get_if<Dictionary>(&v_); }
    const Data* data() const { return std::get_if<Data>(&v_); }
    std::optional<Date> date() const;

    // Dictionary member look-up; a null value when this is no dictionary or the key is absent.
    const Value& operator[](const std::string& key) const;
    bool contains(const std::string& key) const;
    // Array of strings (non-strings are turned into text).
    std::vector<std::string> toStringList() const;

    bool operator==(const Value& other) const = default;

    // Property lists in: XML or binary, malformed or hostile input refused (with the reason in
    // `error`). A file is read through SafeFileReader; a refused file is logged.
    static std::optional<Value> fromPlistData(std::string_view bytes, std::string* error = nullptr);
    static std::optional<Value> fromPlistFile(const std::string& path,
                                              std::size_t maxBytes = kPlistFileLimit);
    static constexpr std::size_t kPlistFileLimit = readLimits::kPropertyList;
    // XML out, through libplist.
    std::string toXmlPlist() const;
    // Writes to a temporary file beside the target and renames it into place.
    bool writeXmlPlistAtomically(const std::string& path) const;

private:
    std::variant<std::monostate, std::string, std::int64_t, double, bool, Date, Data, Array,
                 Dictionary>
        v_;
};

// Integer value of a string's leading number, as the original platform reads "4" or "12 MB"
// (leading blanks skipped, optional sign, digits; 0 when there are none; saturates).
std::int64_t leadingInteger(const std::string& s);

} // namespace qcore
