#include "PlistNesting.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace qcore {

namespace {

constexpr std::size_t kTrailerSize = 32;
// Shared objects may be reached many times; a walk this long is no Info.plist.
constexpr std::size_t kMaxVisits = 1'000'000;

bool startsWith(const std::string& text, std::size_t at, const char* prefix) {
    return text.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Big-endian unsigned integer of `size` bytes at `at`; false when it does not fit.
bool readUnsigned(const std::string& bytes, std::size_t at, std::size_t size,
                  std::uint64_t& value) {
    if (size == 0 || size > 8 || at > bytes.size() || bytes.size() - at < size) return false;
    value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return true;
}

} // namespace

bool PlistNesting::isWithin(const std::string& bytes, int maxDepth) {
    if (startsWith(bytes, 0, "bplist")) return binaryWithin(bytes, maxDepth);
    return xmlWithin(bytes, maxDepth);
}

bool PlistNesting::xmlWithin(const std::string& bytes, int maxDepth) {
    int depth = 0;
    for (std::size_t at = bytes.find('<'); at != std::string::npos; at = bytes.find('<', at + 1)) {
        if (startsWith(bytes, at, "<!--")) {
            at = bytes.find("-->", at);
            if (at == std::string::npos) break;
            continue;
        }
        const bool closing = startsWith(bytes, at, "</");
        const std::size_t name = at + (closing ? 2 : 1);
        if (!startsWith(bytes, name, "array") && !startsWith(bytes, name, "dict")) continue;
        const std::size_t end = bytes.find('>', name);
        if (end == std::string::npos) break;
        if (closing)
            --depth;
        else if (bytes[end - 1] != '/' && ++depth > maxDepth)
            return false;
    }
    return true;
}

bool PlistNesting::binaryWithin(const std::string& bytes, int maxDepth) {
    if (bytes.size() < 8 + kTrailerSize) return false;
    const std::size_t trailer = bytes.size() - kTrailerSize;
    const auto offsetSize =
        static_cast<std::size_t>(static_cast<unsigned char>(bytes[trailer + 6]));
    const auto refSize = static_cast<std::size_t>(static_cast<unsigned char>(bytes[trailer + 7]));
    std::uint64_t objects = 0, top = 0, table = 0;
    if (!readUnsigned(bytes, trailer + 8, 8, objects) ||
        !readUnsigned(bytes, trailer + 16, 8, top) || !readUnsigned(bytes, trailer + 24, 8, table))
        return false;
    if (offsetSize == 0 || offsetSize > 8 || refSize == 0 || refSize > 8 ||
        objects > bytes.size() || top >= objects || table > trailer ||
        (trailer - table) / offsetSize < objects)
        return false;

    // Depth-first over the object graph with an explicit stack, so the check never recurses.
    std::vector<std::pair<std::uint64_t, int>> stack{{top, 1}};
    std::size_t visits = 0;
    while (!stack.empty()) {
        const auto [object, depth] = stack.back();
        stack.pop_back();
        if (++visits > kMaxVisits) return false;
        std::uint64_t offset = 0;
        if (!readUnsigned(bytes, table + object * offsetSize, offsetSize, offset) ||
            offset >= trailer)
            return false;
        const auto marker = static_cast<unsigned char>(bytes[offset]);
        const unsigned type = marker >> 4;
        if (type != 0xA && type != 0xC && type != 0xD) continue; // no children
        if (depth > maxDepth) return false;
        std::uint64_t count = marker & 0x0F;
        std::size_t refs = offset + 1;
        if (count == 0x0F) {
            const auto intMarker = static_cast<unsigned char>(bytes[refs]);
            const std::size_t intSize = std::size_t{1} << (intMarker & 0x0F);
            if ((intMarker >> 4) != 0x1 || !readUnsigned(bytes, refs + 1, intSize, count))
                return false;
            refs += 1 + intSize;
        }
        if (type == 0xD) count *= 2; // keys, then values
        if (count > (trailer - std::min<std::size_t>(refs, trailer)) / refSize) return false;
        for (std::uint64_t i = 0; i < count; ++i) {
            std::uint64_t child = 0;
            if (!readUnsigned(bytes, refs + i * refSize, refSize, child) || child >= objects)
                return false;
            stack.emplace_back(child, depth + 1);
        }
    }
    return true;
}

} // namespace qcore
