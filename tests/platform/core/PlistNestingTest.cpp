// The nesting check that guards the property-list parser against files nested deep enough to
// overflow its recursion.
#include "platform/core/PlistNesting.h"
#include "platform/core/Value.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using qcore::PlistNesting;

namespace {

std::string nestedXml(int depth) {
    std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>k</key>";
    for (int i = 0; i < depth; ++i)
        xml += "<array>";
    xml += "<array/><dict/>"; // empty ones add no level
    for (int i = 0; i < depth; ++i)
        xml += "</array>";
    return xml + "</dict></plist>";
}

void appendBigEndian(std::string& out, std::uint64_t value, int size) {
    for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// A binary list of `depth` arrays, each holding the next; the last one is empty.
std::string nestedBinary(std::uint32_t depth) {
    std::string out = "bplist00";
    std::string table;
    for (std::uint32_t i = 0; i < depth; ++i) {
        appendBigEndian(table, out.size(), 4);
        if (i + 1 < depth) {
            out += static_cast<char>(0xA1);
            appendBigEndian(out, i + 1, 4);
        } else {
            out += static_cast<char>(0xA0);
        }
    }
    const std::uint64_t tableOffset = out.size();
    out += table;
    out += std::string(6, '\0');
    out += static_cast<char>(4); // offset size
    out += static_cast<char>(4); // reference size
    appendBigEndian(out, depth, 8);
    appendBigEndian(out, 0, 8);
    appendBigEndian(out, tableOffset, 8);
    return out;
}

TEST(PlistNesting, XmlDeeperThanTheLimitIsRefusedBeforeParsing) {
    EXPECT_TRUE(PlistNesting::isWithin(nestedXml(30), 32));
    EXPECT_TRUE(qcore::Value::fromPlistData(nestedXml(30)).has_value());
    EXPECT_FALSE(PlistNesting::isWithin(nestedXml(32), 32));
    EXPECT_FALSE(PlistNesting::isWithin(nestedXml(70000), 32)); // would overflow the parser
    // Tags inside comments do not count.
    EXPECT_TRUE(PlistNesting::isWithin("<plist><!-- <array><array><array> --></plist>", 1));
}

TEST(PlistNesting, BinaryListsAreWalkedWithoutRecursionAndMalformedOnesRefused) {
    EXPECT_TRUE(PlistNesting::isWithin(nestedBinary(5), 32));
    EXPECT_TRUE(qcore::Value::fromPlistData(nestedBinary(5)).has_value());
    EXPECT_FALSE(PlistNesting::isWithin(nestedBinary(33), 32));
    EXPECT_FALSE(PlistNesting::isWithin(nestedBinary(200000), 32));

    std::string truncated = nestedBinary(5);
    truncated.erase(10, 4);
    EXPECT_FALSE(PlistNesting::isWithin(truncated, 32));
    std::string badReference = nestedBinary(3);
    badReference[9 + 3] = 0x7F; // the first array points past the object table
    EXPECT_FALSE(PlistNesting::isWithin(badReference, 32));
    EXPECT_FALSE(PlistNesting::isWithin("bplist00", 32));
}

} // namespace
