#include "platform/core/BinaryPropertyListReader.h"

#include "platform/core/PropertyListLimits.h"
#include "platform/core/Utf8.h"

#include <bit>
#include <cstdint>

namespace qcore {

namespace {

constexpr std::string_view kMagic = "bplist0";
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kTrailerSize = 32;
// Property-list dates count from 2001-01-01 UTC.
constexpr double kReferenceDate = 978307200.0;

class Parser {
public:
    explicit Parser(std::string_view bytes)
        : bytes_(bytes), budget_(PropertyListLimits::budgetFor(bytes.size())) {}

    Value run() {
        if (bytes_.size() < kHeaderSize + kTrailerSize) throw MalformedPropertyList{"too short"};
        const std::size_t trailer = bytes_.size() - kTrailerSize;
        offsetSize_ = byteAt(trailer + 6);
        refSize_ = byteAt(trailer + 7);
        objectCount_ = unsignedAt(trailer + 8, 8);
        const std::uint64_t top = unsignedAt(trailer + 16, 8);
        tableStart_ = unsignedAt(trailer + 24, 8);
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8)
            throw MalformedPropertyList{"bad integer sizes in the trailer"};
        if (objectCount_ == 0 || top >= objectCount_)
            throw MalformedPropertyList{"bad object count"};
        if (tableStart_ < kHeaderSize || tableStart_ > trailer ||
            objectCount_ > (trailer - tableStart_) / offsetSize_)
            throw MalformedPropertyList{"offset table out of range"};
        objectsEnd_ = trailer;
        return object(top, 0);
    }

private:
    std::uint8_t byteAt(std::uint64_t at) const {
        if (at >= bytes_.size()) throw MalformedPropertyList{"read past the end"};
        return static_cast<std::uint8_t>(bytes_[at]);
    }

    void require(std::uint64_t at, std::uint64_t length) const {
        if (at > objectsEnd_ || length > objectsEnd_ - at)
            throw MalformedPropertyList{"object out of range"};
    }

    // Big-endian unsigned integer of `size` bytes (at most 8).
    std::uint64_t unsignedAt(std::uint64_t at, unsigned size) const {
        if (at > bytes_.size() || size > bytes_.size() - at)
            throw MalformedPropertyList{"read past the end"};
        std::uint64_t value = 0;
        for (unsigned i = 0; i < size; ++i)
            value = (value << 8) | static_cast<std::uint8_t>(bytes_[at + i]);
        return value;
    }

    void spend(std::uint64_t cost) {
        if (cost > budget_) throw MalformedPropertyList{"expands too much"};
        budget_ -= cost;
    }

    std::uint64_t offsetOf(std::uint64_t index) const {
        if (index >= objectCount_) throw MalformedPropertyList{"reference out of range"};
        const std::uint64_t offset = unsignedAt(tableStart_ + index * offsetSize_, offsetSize_);
        if (offset < kHeaderSize || offset >= objectsEnd_)
            throw MalformedPropertyList{"offset out of range"};
        return offset;
    }

    // The count in the marker's low nibble, or the integer object that follows when it is 0xF.
    // `at` moves past the count.
    std::uint64_t count(std::uint8_t marker, std::uint64_t& at) const {
        const unsigned low = marker & 0x0F;
        if (low != 0x0F) return low;
        const std::uint8_t intMarker = byteAt(at);
        if ((intMarker & 0xF0) != 0x10 || (intMarker & 0x0F) > 3)
            throw MalformedPropertyList{"bad length marker"};
        const unsigned size = 1u << (intMarker & 0x0F);
        require(at + 1, size);
        const std::uint64_t value = unsignedAt(at + 1, size);
        at += 1 + size;
        return value;
    }

    Value object(std::uint64_t index, int depth) {
        if (depth > PropertyListLimits::kMaxDepth) throw MalformedPropertyList{"nested too deeply"};
        spend(PropertyListLimits::kValueCost);
        std::uint64_t at = offsetOf(index);
        const std::uint8_t marker = byteAt(at++);
        switch (marker >> 4) {
        case 0x0:
            return simple(marker);
        case 0x1:
            return integer(marker & 0x0F, at);
        case 0x2:
            return real(marker & 0x0F, at);
        case 0x3:
            if (marker != 0x33) throw MalformedPropertyList{"bad date marker"};
            require(at, 8);
            return Value(Date{kReferenceDate + std::bit_cast<double>(unsignedAt(at, 8))});
        case 0x4: {
            const std::uint64_t length = count(marker, at);
            require(at, length);
            spend(length);
            const auto* first = reinterpret_cast<const std::uint8_t*>(bytes_.data() + at);
            return Value(Data(first, first + length));
        }
        case 0x5:
        case 0x6:
            return Value(string(marker, at));
        case 0x8: {
            const unsigned size = (marker & 0x0F) + 1u;
            require(at, size);
            // Only the low 64 bits of an identifier this wide mean anything.
            const unsigned skip = size > 8 ? size - 8 : 0;
            return Value(static_cast<std::int64_t>(unsignedAt(at + skip, size - skip)));
        }
        case 0xA:
        case 0xC:
            return array(marker, at, depth);
        case 0xD:
            return dictionary(marker, at, depth);
        default:
            throw MalformedPropertyList{"unknown object type"};
        }
    }

    static Value simple(std::uint8_t marker) {
        switch (marker) {
        case 0x00:
        case 0x0F:
            return Value();
        case 0x08:
            return Value(false);
        case 0x09:
            return Value(true);
        default:
            throw MalformedPropertyList{"unknown simple object"};
        }
    }

    Value integer(unsigned sizeLog, std::uint64_t at) const {
        if (sizeLog > 4) throw MalformedPropertyList{"bad integer size"};
        const unsigned size = 1u << sizeLog;
        require(at, size);
        // 16-byte integers carry values beyond 64 bits; their low half is kept.
        const unsigned skip = size > 8 ? size - 8 : 0;
        return Value(static_cast<std::int64_t>(unsignedAt(at + skip, size - skip)));
    }

    Value real(unsigned sizeLog, std::uint64_t at) const {
        if (sizeLog == 2) {
            require(at, 4);
            return Value(static_cast<double>(
                std::bit_cast<float>(static_cast<std::uint32_t>(unsignedAt(at, 4)))));
        }
        if (sizeLog == 3) {
            require(at, 8);
            return Value(std::bit_cast<double>(unsignedAt(at, 8)));
        }
        throw MalformedPropertyList{"bad real size"};
    }

    std::string string(std::uint8_t marker, std::uint64_t at) {
        const std::uint64_t length = count(marker, at);
        if ((marker >> 4) == 0x5) {
            require(at, length);
            spend(length);
            return std::string(bytes_.substr(at, length));
        }
        if (length > objectsEnd_ / 2) throw MalformedPropertyList{"string out of range"};
        require(at, length * 2);
        spend(length * 3);
        std::u16string units(length, u'\0');
        for (std::uint64_t i = 0; i < length; ++i)
            units[i] = static_cast<char16_t>(unsignedAt(at + 2 * i, 2));
        return Utf8::fromUtf16(units);
    }

    // The references of a container, each checked to name an object.
    std::uint64_t reference(std::uint64_t at, std::uint64_t position) const {
        return unsignedAt(at + position * refSize_, refSize_);
    }

    std::uint64_t references(std::uint64_t length, std::uint64_t at, unsigned perEntry) const {
        if (length > objectsEnd_ / (static_cast<std::uint64_t>(refSize_) * perEntry))
            throw MalformedPropertyList{"container out of range"};
        require(at, length * refSize_ * perEntry);
        return length;
    }

    Value array(std::uint8_t marker, std::uint64_t at, int depth) {
        const std::uint64_t entries = count(marker, at);
        const std::uint64_t length = references(entries, at, 1);
        Array items;
        items.reserve(length);
        for (std::uint64_t i = 0; i < length; ++i)
            items.push_back(object(reference(at, i), depth + 1));
        return Value(std::move(items));
    }

    Value dictionary(std::uint8_t marker, std::uint64_t at, int depth) {
        const std::uint64_t pairs = count(marker, at);
        const std::uint64_t length = references(pairs, at, 2);
        Dictionary entries;
        for (std::uint64_t i = 0; i < length; ++i) {
            Value key = object(reference(at, i), depth + 1);
            if (!key.isString()) throw MalformedPropertyList{"dictionary key is not a string"};
            // The first of two equal keys wins, as it always has here.
            entries.try_emplace(*key.string(), object(reference(at, length + i), depth + 1));
        }
        return Value(std::move(entries));
    }

    std::string_view bytes_;
    std::size_t budget_;
    unsigned offsetSize_ = 0;
    unsigned refSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t tableStart_ = 0;
    std::uint64_t objectsEnd_ = 0;
};

} // namespace

bool BinaryPropertyListReader::looksBinary(std::string_view bytes) {
    return bytes.size() >= kHeaderSize && bytes.substr(0, kMagic.size()) == kMagic;
}

std::optional<Value> BinaryPropertyListReader::parse(std::string_view bytes, std::string* error) {
    if (!looksBinary(bytes)) {
        if (error) *error = "not a binary property list";
        return std::nullopt;
    }
    return PropertyListLimits::read([bytes] { return Parser(bytes).run(); }, error);
}

} // namespace qcore
