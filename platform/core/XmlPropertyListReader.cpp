#include "platform/core/XmlPropertyListReader.h"

#include "platform/core/PropertyListLimits.h"
#include "platform/core/Utf8.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace qcore {

namespace {

// Property-list dates count from 2001-01-01 UTC.
constexpr double kReferenceDate = 978307200.0;
constexpr std::string_view kBlanks = " \t\r\n";

struct Tag {
    std::string_view name;
    bool selfClosing = false;
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Digits too large for 64 bits saturate, as strtoll and strtoull do.
std::int64_t integerOf(std::string_view text) {
    text = trimmed(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error == std::errc::result_out_of_range)
        magnitude = std::numeric_limits<std::uint64_t>::max();
    if (!negative) return static_cast<std::int64_t>(magnitude); // beyond 2^63 reads as unsigned
    constexpr std::uint64_t smallest = std::uint64_t{1} << 63;
    if (magnitude >= smallest) return std::numeric_limits<std::int64_t>::min();
    return -static_cast<std::int64_t>(magnitude);
}

double realOf(std::string_view text) {
    text = trimmed(text);
    if (text.starts_with('+')) text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) return value;
    return error == std::errc() ? value : 0.0;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

// "2024-05-01T12:30:00Z"; anything unreadable is the reference date, as it always read here.
Date dateOf(std::string_view text) {
    text = trimmed(text);
    std::array<unsigned, 6> parts{};
    const std::array<char, 6> separators{'-', '-', 'T', ':', ':', 'Z'};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto [next, error] = std::from_chars(at, end, parts[i]);
        if (error != std::errc() || parts[i] > 99999) return Date{kReferenceDate};
        at = next;
        if (at < end && *at == separators[i])
            ++at;
        else if (i < 5)
            return Date{kReferenceDate};
    }
    const auto [year, month, day, hour, minute, second] = parts;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 24 || minute > 59 || second > 60)
        return Date{kReferenceDate};
    const std::int64_t days = daysFromCivil(year, month, day);
    return Date{static_cast<double>(days) * 86400.0 + hour * 3600.0 + minute * 60.0 + second};
}

int base64Digit(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Blanks and other stray characters are passed over; "=" ends the data.
Data dataOf(std::string_view text) {
    Data out;
    out.reserve(text.size() * 3 / 4);
    std::uint32_t bits = 0;
    int held = 0;
    for (const char c : text) {
        if (c == '=') break;
        const int digit = base64Digit(c);
        if (digit < 0) continue;
        bits = (bits << 6) | static_cast<std::uint32_t>(digit);
        held += 6;
        if (held >= 8) {
            held -= 8;
            out.push_back(static_cast<std::uint8_t>((bits >> held) & 0xFF));
        }
    }
    return out;
}

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    Value document() {
        if (s_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
        skipMisc();
        const Tag root = openTag();
        if (root.name != "plist") return value(root, 0);
        if (root.selfClosing) throw MalformedPropertyList{"empty property list"};
        skipMisc();
        Value result = value(openTag(), 0);
        skipMisc();
        closeTag("plist");
        return result; // whatever follows the root is not looked at
    }

private:
    bool ahead(std::string_view text) const { return s_.substr(pos_).starts_with(text); }

    void skipPast(std::string_view terminator) {
        const auto found = s_.find(terminator, pos_);
        if (found == std::string_view::npos) throw MalformedPropertyList{"unterminated markup"};
        pos_ = found + terminator.size();
    }

    void skipBlanks() {
        const auto next = s_.find_first_not_of(kBlanks, pos_);
        pos_ = next == std::string_view::npos ? s_.size() : next;
    }

    // Moves past the ">" that ends the markup, passing over quoted values and, in a document
    // type declaration, its internal subset in brackets.
    void skipToMarkupEnd(bool bracketsNest) {
        int brackets = 0;
        char quote = 0;
        for (; pos_ < s_.size(); ++pos_) {
            const char c = s_[pos_];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (bracketsNest && c == '[') {
                ++brackets;
            } else if (bracketsNest && c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                ++pos_;
                return;
            }
        }
        throw MalformedPropertyList{"unterminated markup"};
    }

    // Blanks, processing instructions, comments and declarations between elements.
    void skipMisc() {
        for (;;) {
            skipBlanks();
            if (ahead("<?")) {
                skipPast("?>");
            } else if (ahead("<!--")) {
                pos_ += 4;
                skipPast("-->");
            } else if (ahead("<!") && !ahead("<![CDATA[")) {
                skipToMarkupEnd(true);
            } else {
                return;
            }
        }
    }

    Tag openTag() {
        if (!ahead("<") || ahead("</")) throw MalformedPropertyList{"expected an element"};
        ++pos_;
        const auto nameEnd = s_.find_first_of(" \t\r\n/>", pos_);
        if (nameEnd == std::string_view::npos) throw MalformedPropertyList{"unterminated element"};
        Tag tag{s_.substr(pos_, nameEnd - pos_), false};
        pos_ = nameEnd;
        skipToMarkupEnd(false);
        tag.selfClosing = s_[pos_ - 2] == '/';
        return tag;
    }

    void closeTag(std::string_view name) {
        if (!ahead("</")) throw MalformedPropertyList{"expected an end tag"};
        pos_ += 2;
        if (!ahead(name)) throw MalformedPropertyList{"mismatched end tag"};
        pos_ += name.size();
        skipBlanks();
        if (!ahead(">")) throw MalformedPropertyList{"mismatched end tag"};
        ++pos_;
    }

    void appendEntity(std::string& out) {
        const auto semicolon = s_.find(';', pos_);
        if (semicolon == std::string_view::npos || semicolon - pos_ > 12)
            throw MalformedPropertyList{"bad entity"};
        const std::string_view name = s_.substr(pos_ + 1, semicolon - pos_ - 1);
        pos_ = semicolon + 1;
        static constexpr std::array<std::pair<std::string_view, char>, 5> named{
            {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}}};
        for (const auto& [entity, character] : named) {
            if (name == entity) {
                out.push_back(character);
                return;
            }
        }
        if (name.size() < 2 || name[0] != '#') throw MalformedPropertyList{"unknown entity"};
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        std::uint32_t code = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
        if (error != std::errc() || end != digits.data() + digits.size() || code == 0 ||
            code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            throw MalformedPropertyList{"bad character reference"};
        Utf8::append(out, code);
    }

    // Character data up to the element's end tag, with entities and CDATA sections decoded.
    std::string text(std::string_view name) {
        std::string out;
        while (pos_ < s_.size()) {
            const auto special = s_.find_first_of("<&", pos_);
            if (special == std::string_view::npos) break;
            out.append(s_.substr(pos_, special - pos_));
            pos_ = special;
            if (s_[pos_] == '&') {
                appendEntity(out);
            } else if (ahead("<![CDATA[")) {
                const auto start = pos_ + 9;
                skipPast("]]>");
                out.append(s_.substr(start, pos_ - 3 - start));
            } else if (ahead("<!--")) {
                pos_ += 4;
                skipPast("-->");
            } else {
                closeTag(name);
                return out;
            }
        }
        throw MalformedPropertyList{"unterminated text"};
    }

    std::string textOf(const Tag& tag) { return tag.selfClosing ? std::string() : text(tag.name); }

    Value value(const Tag& tag, int depth) {
        const std::string_view name = tag.name;
        if (name == "dict") return dictionary(tag, depth);
        if (name == "array") return array(tag, depth);
        if (name == "string") return Value(textOf(tag));
        if (name == "integer") return Value(integerOf(textOf(tag)));
        if (name == "real") return Value(realOf(textOf(tag)));
        if (name == "date") return Value(dateOf(textOf(tag)));
        if (name == "data") return Value(dataOf(textOf(tag)));
        if (name == "true" || name == "false") {
            if (!tag.selfClosing) {
                skipBlanks();
                closeTag(name);
            }
            return Value(name == "true");
        }
        throw MalformedPropertyList{"unknown element"};
    }

    Value array(const Tag& tag, int depth) {
        if (depth >= PropertyListLimits::kMaxDepth)
            throw MalformedPropertyList{"nested too deeply"};
        Array items;
        if (tag.selfClosing) return Value(std::move(items));
        for (;;) {
            skipMisc();
            if (ahead("</")) break;
            items.push_back(value(openTag(), depth + 1));
        }
        closeTag("array");
        return Value(std::move(items));
    }

    Value dictionary(const Tag& tag, int depth) {
        if (depth >= PropertyListLimits::kMaxDepth)
            throw MalformedPropertyList{"nested too deeply"};
        Dictionary entries;
        if (tag.selfClosing) return Value(std::move(entries));
        for (;;) {
            skipMisc();
            if (ahead("</")) break;
            const Tag keyTag = openTag();
            if (keyTag.name != "key") throw MalformedPropertyList{"dictionary entry without a key"};
            std::string key = textOf(keyTag);
            skipMisc();
            // The first of two equal keys wins, as it always has here.
            entries.try_emplace(std::move(key), value(openTag(), depth + 1));
        }
        closeTag("dict");
        return Value(std::move(entries));
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<Value> XmlPropertyListReader::parse(std::string_view text, std::string* error) {
    return PropertyListLimits::read([text] { return Parser(text).document(); }, error);
}

} // namespace qcore
