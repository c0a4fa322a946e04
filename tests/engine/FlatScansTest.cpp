#include "CareFixtures.h"
#include "EngineTestSupport.h"

#include "engine/AgeLimit.h"
#include "engine/CrashReportsScan.h"
#include "engine/ModuleRow.h"

#include <algorithm>
#include <cmath>

using qengine::AgeLimit;
using qengine::CrashReportsScan;
namespace row = qengine::row;

namespace {

const std::string kPartial = "Partial Downloads";
const std::string kTrash = "Trash Cleaner";
const std::string kOld = "Old Downloads";
constexpr double kDay = 86400;

} // namespace

TEST(AgeLimit, UnitsAndTheCutOffSecond) {
    EXPECT_EQ(AgeLimit::days(1, 1), 7);
    EXPECT_EQ(AgeLimit::days(1, 2), 30);
    EXPECT_EQ(AgeLimit::days(1, 3), 365);
    EXPECT_EQ(AgeLimit::days(10, 0), 10);
    EXPECT_EQ(AgeLimit::days(10, 4), 10);
    EXPECT_EQ(AgeLimit::days(-3, 1), 0);

    const qcore::Date now{1'700'000'000};
    const double cutOff = AgeLimit::cutOff(2, 1, now);
    EXPECT_EQ(cutOff, 1'700'000'000 - 14 * kDay);
    EXPECT_TRUE(AgeLimit::isOld({cutOff}, cutOff));
    EXPECT_FALSE(AgeLimit::isOld({cutOff + 1}, cutOff));
    // 100 years do not fit 32-bit seconds; the cut-off still lies in the past.
    EXPECT_LT(AgeLimit::cutOff(100, 3, now), 0.0);
}

TEST(CrashReportNames, OnlyApplicationsReports) {
    for (const char* listed : {"Foo_2020-01-01.ips", "Foo_2020-01-01.crash", "Foo.crash"})
        EXPECT_TRUE(CrashReportsScan::isReportName(listed)) << listed;
    for (const char* skipped :
         {"com.apple.Safari_2020-01-01.crash", "Foo.IPS", "Foo.crash.bak", "Foo.diag", "Retired"})
        EXPECT_FALSE(CrashReportsScan::isReportName(skipped)) << skipped;
}

class FlatScan : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        care::setDownloadAgeLimits(10);
    }
    void TearDown() override {
        care::removeDownloadAgeLimits();
        EngineTest::TearDown();
    }
    // A download whose access and modification times lie `days` back.
    std::string download(const std::string& name, const std::string& bytes, double days) {
        return care::writeDownload(home_, name, bytes, days);
    }
    qengine::ModuleList::Rows rows(const std::string& module) const {
        return engine_->mainDataSource(module).rowsSnapshot();
    }
};

TEST_F(FlatScan, PartialDownloadsListsOldUnfinishedDownloadsOnly) {
    download("old.part", std::string(3000, 'p'), 10); // exactly at the cut-off
    download("new.part", "p", 10 - 2.0 / kDay);
    download("x.PART", "p", 30);
    download("movie.mp4", "m", 30);
    home_.write("Downloads/big.download/data.bin", std::string(700, 'd'));
    const double when = std::floor(care::now()) - 20 * kDay;
    care::setTimes(home_.path() + "/Downloads/big.download", when, when);

    engine_->fillPartialDownloads();

    const auto found = rows(kPartial);
    ASSERT_EQ(care::fileNames(found), (std::vector<std::string>{"big.download", "old.part"}));
    EXPECT_TRUE(found[1].at(row::kSize).isNumber());
    EXPECT_EQ(found[1].at(row::kSize).toInt(), 3000);
    EXPECT_EQ(found[0].at(row::kSize).toInt(), 700); // a folder counts what it holds
    EXPECT_EQ(found[1].at(row::kState).toInt(), 1);
    EXPECT_FALSE(found[1].at(row::kIsITunes).toBool());
    EXPECT_TRUE(found[1].at(row::kMDate).isDate());
    EXPECT_FALSE(found[1].contains(row::kName));
    EXPECT_EQ(engine_->itemsCount_PD(), 2);
    EXPECT_EQ(engine_->itemsSize_PD(), 3700u);
    EXPECT_NEAR(engine_->timeRefPartialDownloads(), care::now() - 10 * kDay, 60);
    EXPECT_FALSE(engine_->isiTunesPartialDownloadsToClean());
    EXPECT_EQ(recorder_->sequence(kPartial),
              (std::vector<std::string>{"start", "update", "update", "stop"}));
}

TEST_F(FlatScan, PartialDownloadsReloadsBeforeTheSixthRowAndHonoursAnEarlyStop) {
    for (int i = 0; i < 6; ++i)
        download("f" + std::to_string(i) + ".part", "x", 11);
    engine_->fillPartialDownloads();
    EXPECT_EQ(recorder_->sequence(kPartial),
              (std::vector<std::string>{"start", "update", "update", "update", "update", "update",
                                        "reload", "update", "stop"}));
    EXPECT_EQ(engine_->count_PD(), 1);

    engine_->setStopFillingPartialDownloads(true);
    engine_->fillPartialDownloads();
    EXPECT_TRUE(rows(kPartial).empty());
    EXPECT_TRUE(engine_->abortedPartialDownloads());
    EXPECT_FALSE(engine_->stopFillingPartialDownloads());
    EXPECT_EQ(engine_->itemsCount_PD(), 0);
}

TEST_F(FlatScan, TrashCleanerListsReportsOfBothFoldersTicked) {
    home_.write("Library/Logs/DiagnosticReports/App_2020-01-01.crash", std::string(3000, 'c'));
    home_.write("Library/Logs/DiagnosticReports/com.apple.Safari_2020-01-01.crash", "c");
    home_.write("Library/Logs/DiagnosticReports/Foo.IPS", "c");
    home_.write("Library/Logs/DiagnosticReports/Retired/Old_2019.ips", "12");

    engine_->fillTemporaryData();

    const auto found = rows(kTrash);
    ASSERT_EQ(care::fileNames(found),
              (std::vector<std::string>{"App_2020-01-01.crash", "Old_2019.ips"}));
    EXPECT_EQ(found[0].at(row::kSize), qcore::Value("3000"));
    EXPECT_EQ(found[0].at(row::kName), qcore::Value("App_2020-01-01.crash"));
    EXPECT_EQ(found[1].at(row::kState).toInt(), 1);
    const auto updates = recorder_->named("DataFillerUpdateNotification");
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates.back().info("size"), "3002");
}

TEST_F(FlatScan, TrashCleanerReloadsBeforeTheSixthReport) {
    for (int i = 0; i < 7; ++i)
        home_.write("Library/Logs/DiagnosticReports/r" + std::to_string(i) + ".crash", "c");
    engine_->fillTemporaryData();
    const auto sequence = recorder_->sequence(kTrash);
    EXPECT_EQ(std::count(sequence.begin(), sequence.end(), "reload"), 1);
    EXPECT_EQ(sequence[6], "reload"); // start, five updates, then the reload
}

TEST_F(FlatScan, OldDownloadsListsOldVisibleEntriesUnticked) {
    download("report.pdf", std::string(1234, 'r'), 30);
    download("recent.pdf", "r", 1);
    download("empty.txt", "", 30);
    download(".localized", "l", 30);
    download("half.part", "h", 30);
    download("half.download", "h", 30);
    home_.write("Downloads/album/song.mp3", std::string(50, 's'));
    const double when = std::floor(care::now()) - 40 * kDay;
    care::setTimes(home_.path() + "/Downloads/album", when, when);

    engine_->fillDownloadsData();

    const auto found = rows(kOld);
    ASSERT_EQ(care::fileNames(found), (std::vector<std::string>{"album", "report.pdf"}));
    EXPECT_EQ(found[0].at(row::kSize), qcore::Value("50"));
    const auto& report = found[1];
    EXPECT_EQ(report.at(row::kSize), qcore::Value("1234"));
    EXPECT_EQ(report.at(row::kState).toInt(), 0);
    EXPECT_EQ(report.at(row::kName), qcore::Value("report.pdf"));
    EXPECT_NEAR(std::stod(report.at(row::kADateVal).toString()), care::now() - 30 * kDay, 5);
    EXPECT_FALSE(report.at(row::kADate).toString().empty());
    EXPECT_TRUE(report.at(row::kMDate).isString());
    EXPECT_TRUE(report.contains(row::kIcon));
}

TEST_F(FlatScan, OldDownloadsCountsEveryEntryButPartialOnesForItsReloads) {
    for (int i = 0; i < 11; ++i)
        download("file" + std::to_string(10 + i), "x", i % 2 == 0 ? 30 : 0); // listed or not
    download("skipped.part", "x", 30);
    engine_->fillDownloadsData();
    const auto sequence = recorder_->sequence(kOld);
    EXPECT_EQ(std::count(sequence.begin(), sequence.end(), "reload"), 2);
    EXPECT_EQ(rows(kOld).size(), 6u);
}
