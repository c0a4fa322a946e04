#include "platform/core/Value.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace qcore;

TEST(Value, CoercesLikeTheOriginalPlatform) {
    EXPECT_EQ(Value("4").toInt(), 4);
    EXPECT_EQ(Value("  12 MB").toInt(), 12);
    EXPECT_EQ(Value("-7").toInt(), -7);
    EXPECT_EQ(Value("abc").toInt(), 0);
    EXPECT_EQ(Value("99999999999999999999999").toInt(), INT64_MAX);
    EXPECT_EQ(Value(std::int64_t{5000000000}).toString(), "5000000000");
    EXPECT_EQ(Value(2.5).toString(), "2.5");
    EXPECT_EQ(Value(3.0).toString(), "3");
    EXPECT_EQ(Value(3.9).toInt(), 3);

    EXPECT_TRUE(Value("YES").toBool());
    EXPECT_TRUE(Value("true").toBool());
    EXPECT_TRUE(Value("007").toBool());
    EXPECT_FALSE(Value("NO").toBool());
    EXPECT_FALSE(Value("0").toBool());
    EXPECT_FALSE(Value("").toBool());
    EXPECT_FALSE(Value().toBool());
    EXPECT_EQ(Value().toString(), "");
}

TEST(Value, DictionaryLookUpNeverThrows) {
    const Value v(Dictionary{{"a", Value(Dictionary{{"b", "x"}})}});
    EXPECT_EQ(v["a"]["b"].toString(), "x");
    EXPECT_TRUE(v["missing"]["deeper"].isNull());
    EXPECT_TRUE(Value("text")["key"].isNull());
    EXPECT_TRUE(v.contains("a"));
    EXPECT_FALSE(v.contains("b"));
}

TEST(Value, PropertyListRoundTripKeepsEveryType) {
    const Value original(Dictionary{
        {"string", "héllo & <world>"},
        {"int", std::int64_t{42}},
        {"negative", std::int64_t{-3}},
        {"big", std::int64_t{5000000000}},
        {"real", 0.25},
        {"yes", true},
        {"date", Date{1700000000.0}}, // XML keeps whole seconds
        {"data", Data{0, 1, 2, 255}},
        {"array", Array{"a", std::int64_t{1}, Array{}}},
        {"empty", Dictionary{}},
    });
    TempDir dir;
    const std::string path = dir.file("x.plist");
    ASSERT_TRUE(original.writeXmlPlistAtomically(path));
    const auto loaded = Value::fromPlistFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ((*loaded)["string"].toString(), "héllo & <world>");
    EXPECT_EQ((*loaded)["int"].toInt(), 42);
    EXPECT_EQ((*loaded)["negative"].toInt(), -3);
    EXPECT_EQ((*loaded)["big"].toInt(), 5000000000);
    EXPECT_DOUBLE_EQ((*loaded)["real"].toDouble(), 0.25);
    EXPECT_TRUE((*loaded)["yes"].toBool());
    ASSERT_TRUE((*loaded)["date"].date());
    EXPECT_DOUBLE_EQ((*loaded)["date"].date()->secondsSince1970, 1700000000.0);
    EXPECT_EQ(*(*loaded)["data"].data(), (Data{0, 1, 2, 255}));
    EXPECT_EQ((*loaded)["array"].array()->size(), 3u);
    EXPECT_TRUE((*loaded)["empty"].isDictionary());
}

TEST(Value, BadPropertyListsAreRefused) {
    EXPECT_FALSE(Value::fromPlistData(""));
    EXPECT_FALSE(Value::fromPlistData("not a plist at all"));
    EXPECT_FALSE(Value::fromPlistFile("/nonexistent/file.plist"));
    TempDir dir;
    EXPECT_FALSE(Value("x").writeXmlPlistAtomically(dir.file("missing-folder/x.plist")));
}
