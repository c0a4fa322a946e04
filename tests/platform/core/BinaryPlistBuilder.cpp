#include "BinaryPlistBuilder.h"

namespace {

std::string bigEndian(std::uint64_t value, unsigned size) {
    std::string out(size, '\0');
    for (unsigned i = 0; i < size; ++i)
        out[size - 1 - i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

} // namespace

std::size_t BinaryPlistBuilder::add(std::string encoded) {
    objects_.push_back(std::move(encoded));
    return objects_.size() - 1;
}

std::string BinaryPlistBuilder::marker(unsigned type, std::size_t count) const {
    if (count < 15) return std::string(1, static_cast<char>((type << 4) | count));
    return std::string(1, static_cast<char>((type << 4) | 0x0F)) + "\x13" + bigEndian(count, 8);
}

std::string BinaryPlistBuilder::reference(std::size_t index) {
    return bigEndian(index, refSize());
}

std::size_t BinaryPlistBuilder::addAscii(const std::string& text) {
    return add(marker(0x5, text.size()) + text);
}

std::size_t BinaryPlistBuilder::addUtf16(const std::u16string& text) {
    std::string encoded = marker(0x6, text.size());
    for (const char16_t unit : text)
        encoded += bigEndian(unit, 2);
    return add(encoded);
}

std::size_t BinaryPlistBuilder::addArray(const std::vector<std::size_t>& items) {
    // The index is taken first so an array may refer to itself in tests of cycles.
    const std::size_t index = reserve();
    std::string encoded = marker(0xA, items.size());
    for (const std::size_t item : items)
        encoded += reference(item);
    set(index, encoded);
    return index;
}

std::size_t
BinaryPlistBuilder::addDictionary(const std::vector<std::pair<std::size_t, std::size_t>>& entries) {
    const std::size_t index = reserve();
    std::string encoded = marker(0xD, entries.size());
    for (const auto& entry : entries)
        encoded += reference(entry.first);
    for (const auto& entry : entries)
        encoded += reference(entry.second);
    set(index, encoded);
    return index;
}

std::string BinaryPlistBuilder::build(std::size_t top) const {
    std::string out = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const std::string& object : objects_) {
        offsets.push_back(out.size());
        out += object;
    }
    const std::uint64_t table = out.size();
    for (const std::uint64_t offset : offsets)
        out += bigEndian(offset, 8);
    out += std::string(6, '\0');
    out += static_cast<char>(8);
    out += static_cast<char>(refSize());
    out += bigEndian(objects_.size(), 8) + bigEndian(top, 8) + bigEndian(table, 8);
    return out;
}
