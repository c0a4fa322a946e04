#include "platform/core/BinaryPropertyListReader.h"
#include "platform/core/PropertyListLimits.h"
#include "platform/core/Value.h"
#include "platform/core/XmlPropertyListReader.h"

#include "BinaryPlistBuilder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qcore;
using namespace std::string_literals;

namespace {

std::string nestedXml(int depth) {
    std::string text = "<plist version=\"1.0\">";
    for (int i = 0; i < depth; ++i)
        text += "<array>";
    for (int i = 0; i < depth; ++i)
        text += "</array>";
    return text + "</plist>";
}

std::string nestedBinary(int depth) {
    BinaryPlistBuilder builder;
    std::size_t inner = builder.addArray({});
    for (int i = 1; i < depth; ++i)
        inner = builder.addArray({inner});
    return builder.build(inner);
}

int depthOf(const Value& value) {
    int depth = 0;
    for (const Value* v = &value; v->array() && !v->array()->empty(); v = &v->array()->front())
        ++depth;
    return depth;
}

} // namespace

// A dictionary key holding U+0000 used to abort the whole process inside the library.
TEST(PropertyListReading, KeysWithNulAndLoneSurrogatesAreRead) {
    BinaryPlistBuilder builder;
    const auto key = builder.addUtf16(u"a\0b"s);
    const auto odd = builder.addUtf16(u"x\xD800y");
    const auto yes = builder.addTrue();
    const auto top = builder.addDictionary({{key, yes}, {odd, yes}});
    const auto value = Value::fromPlistData(builder.build(top));
    ASSERT_TRUE(value);
    EXPECT_TRUE((*value)[std::string("a\0b", 3)].toBool());
    EXPECT_TRUE((*value)["x\xEF\xBF\xBDy"].toBool());
}

TEST(PropertyListReading, NestingIsBoundedInBothEncodings) {
    constexpr int limit = PropertyListLimits::kMaxDepth;
    const auto xmlWithin = Value::fromPlistData(nestedXml(limit));
    ASSERT_TRUE(xmlWithin);
    EXPECT_EQ(depthOf(*xmlWithin), limit - 1);
    const auto binaryWithin = Value::fromPlistData(nestedBinary(limit));
    ASSERT_TRUE(binaryWithin);
    EXPECT_EQ(depthOf(*binaryWithin), limit - 1);

    std::string error;
    EXPECT_FALSE(Value::fromPlistData(nestedXml(37000), &error));
    EXPECT_EQ(error, "nested too deeply");
    EXPECT_FALSE(Value::fromPlistData(nestedBinary(limit + 2), &error));
    EXPECT_EQ(error, "nested too deeply");
}

TEST(PropertyListReading, SharedAndCyclicObjectsCannotExpandWithoutLimit) {
    // Each level refers twice to the one below: 2^40 leaves from a few hundred bytes.
    BinaryPlistBuilder doubling;
    std::size_t level = doubling.addTrue();
    for (int i = 0; i < 40; ++i)
        level = doubling.addArray({level, level});
    std::string error;
    EXPECT_FALSE(Value::fromPlistData(doubling.build(level), &error));
    EXPECT_EQ(error, "expands too much");

    BinaryPlistBuilder cycle;
    const auto self = cycle.reserve();
    cycle.set(self, std::string("\xA1\x00\x00", 3)); // an array holding itself
    EXPECT_FALSE(Value::fromPlistData(cycle.build(self), &error));
}

TEST(PropertyListReading, BinaryOffsetsAndLengthsOutsideTheFileAreRefused) {
    BinaryPlistBuilder builder;
    const auto text = builder.addAscii("hello");
    const std::string good = builder.build(text);
    ASSERT_EQ(Value::fromPlistData(good)->toString(), "hello");

    std::string longString = good;
    longString[8] = '\x5F'; // length follows as an integer object ...
    longString.insert(9, "\x13\x7f\xff\xff\xff\xff\xff\xff\xff");
    EXPECT_FALSE(Value::fromPlistData(longString));

    std::string badTrailer = good;
    badTrailer[badTrailer.size() - 1] = '\x7f'; // offset table beyond the end
    EXPECT_FALSE(Value::fromPlistData(badTrailer));

    std::string badTop = good;
    badTop[badTop.size() - 9] = '\x05'; // top object past the object count
    EXPECT_FALSE(Value::fromPlistData(badTop));

    for (std::size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(Value::fromPlistData(good.substr(0, cut))) << cut;
}

TEST(PropertyListReading, BinaryScalarsOfEveryWidth) {
    BinaryPlistBuilder builder;
    const auto small = builder.add("\x10\x7f");
    const auto wide = builder.add(std::string("\x13\xff\xff\xff\xff\xff\xff\xff\xfe", 9));
    const auto huge = builder.add(std::string("\x14", 1) + std::string(15, '\0') + "\x05");
    const auto single = builder.add(std::string("\x22\x3f\xc0\x00\x00", 5));
    const auto date = builder.add(std::string("\x33\x41\xd0\x00\x00\x00\x00\x00\x00", 9));
    const auto data = builder.add(std::string("\x42\x00\xff", 3));
    const auto uid = builder.add(std::string("\x80\x07", 2));
    const auto emoji = builder.addUtf16(u"\U0001F600");
    const auto top = builder.addArray({small, wide, huge, single, date, data, uid, emoji});
    const auto value = Value::fromPlistData(builder.build(top));
    ASSERT_TRUE(value);
    const Array& items = *value->array();
    EXPECT_EQ(items[0].toInt(), 127);
    EXPECT_EQ(items[1].toInt(), -2);
    EXPECT_EQ(items[2].toInt(), 5);
    EXPECT_DOUBLE_EQ(items[3].toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(items[4].date()->secondsSince1970, 978307200.0 + 1073741824.0);
    EXPECT_EQ(*items[5].data(), (Data{0, 255}));
    EXPECT_EQ(items[6].toInt(), 7);
    EXPECT_EQ(items[7].toString(), "\xF0\x9F\x98\x80");
}

TEST(PropertyListReading, XmlMarkupEntitiesAndLenientScalars) {
    const auto value = Value::fromPlistData(
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- note -->\n"
        "<!DOCTYPE plist PUBLIC \"-//x//DTD PLIST 1.0//EN\" \"http://x/y.dtd\" [ <!ENTITY a 'b'> ]>"
        "<plist version='1.0'><dict>"
        "<key>text</key><string>a &amp; b &lt;&#x263A;&#65;<![CDATA[<raw>]]><!-- c --></string>"
        "<key>empty</key><string/>"
        "<key>int</key><integer> -42 </integer><key>hex</key><integer>0x10</integer>"
        "<key>big</key><integer>99999999999999999999999</integer>"
        "<key>real</key><real>+2.5e3</real><key>inf</key><real>inf</real>"
        "<key>date</key><date>2001-01-02T00:00:01Z</date><key>bad date</key><date>soon</date>"
        "<key>data</key><data>\n AP8=\n</data>"
        "<key>yes</key><true/><key>no</key><false></false>"
        "<key>text</key><string>second wins not</string>"
        "</dict></plist>trailing bytes are ignored");
    ASSERT_TRUE(value);
    EXPECT_EQ((*value)["text"].toString(), "a & b <\xE2\x98\xBA"
                                           "A<raw>");
    EXPECT_EQ((*value)["empty"].toString(), "");
    EXPECT_EQ((*value)["int"].toInt(), -42);
    EXPECT_EQ((*value)["hex"].toInt(), 16);
    EXPECT_EQ((*value)["big"].toInt(), -1); // saturated to 2^64-1, read as unsigned
    EXPECT_DOUBLE_EQ((*value)["real"].toDouble(), 2500.0);
    EXPECT_TRUE(std::isinf((*value)["inf"].toDouble()));
    EXPECT_DOUBLE_EQ((*value)["date"].date()->secondsSince1970, 978307200.0 + 86401.0);
    EXPECT_DOUBLE_EQ((*value)["bad date"].date()->secondsSince1970, 978307200.0);
    EXPECT_EQ(*(*value)["data"].data(), (Data{0, 255}));
    EXPECT_TRUE((*value)["yes"].toBool());
    EXPECT_FALSE((*value)["no"].toBool());
}

TEST(PropertyListReading, MalformedXmlIsRefusedWithAReason) {
    for (const char* text :
         {"<plist><dict><key>a</key></dict></plist>", "<plist><dict><string>a</string>",
          "<plist><array><string>a</array></plist>", "<plist><string>&bogus;</string></plist>",
          "<plist><string>&#0;</string></plist>", "<plist><string>&#xD800;</string></plist>",
          "<plist><string>a<b/></string></plist>", "<plist><unknown/></plist>", "<plist/>",
          "<!-- never closed", "<plist><array>", "<![CDATA[x]]>", "plain text"}) {
        std::string error;
        EXPECT_FALSE(XmlPropertyListReader::parse(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

// Writing back what was read must not be undefined for values the file format cannot hold.
TEST(PropertyListWriting, OutOfRangeDatesAndEmptyDataRoundTrip) {
    const Value original(Dictionary{{"far", Date{1e300}},
                                    {"past", Date{-1e18}},
                                    {"nan", Date{std::nan("")}},
                                    {"empty", Data{}}});
    const auto loaded = Value::fromPlistData(original.toXmlPlist());
    ASSERT_TRUE(loaded);
    EXPECT_DOUBLE_EQ((*loaded)["far"].date()->secondsSince1970, 978307200.0 + 2147483647.0);
    EXPECT_DOUBLE_EQ((*loaded)["past"].date()->secondsSince1970, 978307200.0 - 2147483648.0);
    EXPECT_DOUBLE_EQ((*loaded)["nan"].date()->secondsSince1970, 978307200.0);
    ASSERT_TRUE((*loaded)["empty"].data());
    EXPECT_TRUE((*loaded)["empty"].data()->empty());
}
