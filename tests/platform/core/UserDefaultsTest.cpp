#include "platform/core/UserDefaults.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <thread>

using namespace qcore;

TEST(UserDefaults, StoredValuesWinOverRegisteredAndSurviveReload) {
    TempDir dir;
    const std::string path = dir.file("Library/Preferences/test.plist");
    {
        UserDefaults defaults(path);
        defaults.registerDefaults({{"searchFileMinSize", "4"},
                                   {"secureDeleteAlgoIndex", std::int64_t{0}},
                                   {"excludedDirectoryNames", Array{".git", "/System"}},
                                   {"analyzeAutomaticallyDuplicates", "NO"}});
        EXPECT_EQ(defaults.integerForKey("searchFileMinSize"), 4);
        EXPECT_EQ(defaults.stringForKey("secureDeleteAlgoIndex"), "0");
        EXPECT_FALSE(defaults.boolForKey("analyzeAutomaticallyDuplicates"));
        EXPECT_EQ(defaults.stringArrayForKey("excludedDirectoryNames").size(), 2u);
        EXPECT_FALSE(defaults.hasStoredValue("searchFileMinSize"));

        defaults.setObject("searchFileMinSize", "12");
        defaults.setObject("pathData", Data{1, 2, 3});
        defaults.setObject("rateDate", Date{1234.0});
        ASSERT_TRUE(defaults.synchronize());
    }
    UserDefaults reloaded(path);
    EXPECT_EQ(reloaded.integerForKey("searchFileMinSize"), 12);
    EXPECT_EQ(*reloaded.dataForKey("pathData"), (Data{1, 2, 3}));
    EXPECT_DOUBLE_EQ(reloaded.dateForKey("rateDate")->secondsSince1970, 1234.0);
    // Registered values are never saved.
    EXPECT_TRUE(reloaded.objectForKey("secureDeleteAlgoIndex").isNull());

    reloaded.removeObject("searchFileMinSize");
    reloaded.registerDefaults({{"searchFileMinSize", "4"}});
    EXPECT_EQ(reloaded.stringForKey("searchFileMinSize"), "4");
    EXPECT_FALSE(reloaded.arrayForKey("searchFileMinSize"));
    EXPECT_FALSE(reloaded.dataForKey("missing"));
}

TEST(UserDefaults, ACorruptFileStartsEmptyAndConcurrentUseIsSafe) {
    TempDir dir;
    const std::string path = dir.write("prefs.plist", "<plist><dict><key>broken");
    UserDefaults defaults(path);
    EXPECT_TRUE(defaults.objectForKey("anything").isNull());

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i) {
                defaults.setObject("key" + std::to_string(t), std::int64_t{i});
                defaults.synchronize();
                (void)defaults.integerForKey("key0");
            }
        });
    }
    for (auto& th : threads)
        th.join();
    UserDefaults reloaded(path);
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(reloaded.integerForKey("key" + std::to_string(t)), 49);
}
