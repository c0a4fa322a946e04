// The rate prompt: once a calendar day at most, not again for a rated build, only after a
// clean the user started from the dashboard, and its sheet's texts and buttons.
#include "tests/pages/support/PageTestSupport.h"

#include "pages/care/RateMeWindow.h"
#include "pages/care/RatePrompt.h"
#include "pages/care/StatusController.h"
#include "platform/core/Bundle.h"
#include "platform/core/UserDefaults.h"
#include "toolkit/IMGButton.h"

#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <iterator>

using qpages::RatePrompt;

namespace {

qcore::Date at(int year, int month, int day, int hour = 12) {
    return {
        static_cast<double>(QDateTime(QDate(year, month, day), QTime(hour, 0)).toSecsSinceEpoch())};
}

class RateRules : public ::testing::Test {
protected:
    void TearDown() override {
        defaults_.removeObject(RatePrompt::kRateDate);
        defaults_.removeObject(RatePrompt::kVersionRated);
    }
    RatePrompt promptAt(qcore::Date now) {
        return RatePrompt(defaults_, bundle_, [now] { return now; });
    }

    qcore::UserDefaults& defaults_ = qcore::UserDefaults::standard();
    qcore::Bundle bundle_{QUENDRIX_TEST_RESOURCES};
};

TEST_F(RateRules, OnceACalendarDayUntilThisBuildIsRated) {
    defaults_.setObject(RatePrompt::kVersionRated, "NONE");
    auto morning = promptAt(at(2026, 3, 10, 8));
    EXPECT_TRUE(morning.versionNotRated());
    EXPECT_TRUE(morning.dayAllows()) << "never shown";
    morning.markShown();
    EXPECT_FALSE(promptAt(at(2026, 3, 10, 23)).dayAllows()) << "same day";
    EXPECT_TRUE(promptAt(at(2026, 3, 11, 0)).dayAllows()) << "next day";
    EXPECT_TRUE(promptAt(at(2026, 3, 9)).dayAllows()) << "the clock was set back";

    promptAt(at(2026, 3, 11)).markRated();
    EXPECT_FALSE(promptAt(at(2026, 3, 12)).versionNotRated());
    EXPECT_EQ(defaults_.stringForKey(RatePrompt::kVersionRated),
              bundle_.infoString("CFBundleVersion"));
    // Another build version asks again.
    defaults_.setObject(RatePrompt::kVersionRated, "0.0.1-older");
    EXPECT_TRUE(promptAt(at(2026, 3, 12)).versionNotRated());
}

TEST_F(RateRules, TheQuestionShowsTheShortVersionAndTheName) {
    const auto question = promptAt(at(2026, 3, 10)).question();
    EXPECT_EQ(question, "Would you like to rate this version(" +
                            bundle_.infoString("CFBundleShortVersionString") + ") of " +
                            bundle_.bundleName() + "?");
    EXPECT_FALSE(promptAt(at(2026, 3, 10)).storeUrl().empty());
}

class RateSheet : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        if (!resources_.empty())
            engine_ = std::make_unique<qengine::DataFiller>(qcore::Bundle(resources_));
        write("Library/Logs/ToolA/a.log", "a");
        write("Library/Logs/ToolB/b.log", "b");
        defaults_.removeObject(RatePrompt::kRateDate);
        defaults_.setObject(RatePrompt::kVersionRated, "NONE");
        page_ = std::make_unique<qpages::StatusController>(*engine_);
        page_->setRateClock([this] { return now_; });
        page_->setCleanConfirmation([] { return true; });
        page_->setUrlOpener([this](const QUrl& url) {
            opened_.push_back(url);
            return true;
        });
        QObject::connect(&sheetTimer_, &QTimer::timeout, [this] { answerSheet(); });
        page_->view();
        page_->resize(659, 492);
        page_->show();
    }
    void TearDown() override {
        page_.reset();
        for (const auto* key : {RatePrompt::kRateDate, RatePrompt::kVersionRated,
                                "lastScanSystemStatus", "lastScanSystemTime", "lastScanJunkSize"})
            defaults_.removeObject(key);
        PageTest::TearDown();
    }
    const std::vector<std::string> four_{qpages::StatusController::modules().begin(),
                                         qpages::StatusController::modules().end()};

    // Runs the page's activity to its end; `answer` presses a sheet button if one opens.
    bool run(const std::function<void()>& start, const char* answer = "close") {
        sheetShown_ = false;
        answer_ = answer;
        // The sheet opens after the finishing steps, from the main-thread queue, and runs
        // its own loop, in which the timer answers it.
        sheetTimer_.start(20);
        start();
        const bool idle = runUntilIdle(four_);
        mainThread_->drain();
        sheetTimer_.stop();
        return idle;
    }
    void answerSheet() {
        auto* sheet = page_->rateMeWindow();
        if (!sheet || !sheet->isRunning()) return;
        sheetShown_ = true;
        heading_ = sheet->lblHeadingRateMe()->text();
        buttonTitles_ = {sheet->rateButton()->text(), sheet->closeButton()->text()};
        (answer_ == "rate" ? sheet->rateButton() : sheet->closeButton())->click();
    }
    void scan() { page_->startScan(); }
    void clean() {
        page_->removeButton()->setState(1);
        page_->cleanFromAlert();
    }

    qcore::UserDefaults& defaults_ = qcore::UserDefaults::standard();
    // Resources with another language table for the engine; empty: the shipped ones.
    std::string resources_;
    std::vector<QString> buttonTitles_;
    std::unique_ptr<qpages::StatusController> page_;
    qcore::Date now_ = at(2026, 3, 10);
    std::vector<QUrl> opened_;
    bool sheetShown_ = false;
    QString heading_;
    std::string answer_;
    QTimer sheetTimer_;
};

TEST_F(RateSheet, FollowsAConfirmedCleanOnlyOnceADay) {
    ASSERT_TRUE(run([this] { scan(); }));
    EXPECT_FALSE(sheetShown_) << "a scan alone never asks";
    EXPECT_FALSE(defaults_.dateForKey(RatePrompt::kRateDate).has_value());

    ASSERT_TRUE(run([this] { clean(); }));
    EXPECT_TRUE(sheetShown_) << "first clean ever";
    EXPECT_TRUE(heading_.startsWith("Would you like to rate this version("));
    EXPECT_EQ(defaults_.stringForKey(RatePrompt::kVersionRated), "NONE") << "closed, not rated";

    write("Library/Logs/ToolC/c.log", "c");
    ASSERT_TRUE(run([this] { scan(); }));
    ASSERT_TRUE(run([this] { clean(); }));
    EXPECT_FALSE(sheetShown_) << "same day";

    now_ = at(2026, 3, 11);
    write("Library/Logs/ToolD/d.log", "d");
    ASSERT_TRUE(run([this] { scan(); }));
    ASSERT_TRUE(run([this] { clean(); }, "rate"));
    EXPECT_TRUE(sheetShown_) << "next day";
    ASSERT_EQ(opened_.size(), 1U);
    EXPECT_EQ(defaults_.stringForKey(RatePrompt::kVersionRated),
              qcore::Bundle::main().infoString("CFBundleVersion"));

    now_ = at(2026, 3, 12);
    write("Library/Logs/ToolE/e.log", "e");
    ASSERT_TRUE(run([this] { scan(); }));
    ASSERT_TRUE(run([this] { clean(); }));
    EXPECT_FALSE(sheetShown_) << "this version is rated";
}

// The shipped resources with the rate sheet's button texts worded otherwise in the language
// table.
class RateSheetReworded : public RateSheet {
protected:
    void SetUp() override {
        const std::string shipped = QUENDRIX_TEST_RESOURCES;
        for (const char* name : {"Info.plist", "SettingsList.plist"})
            std::filesystem::copy_file(shipped + "/" + name, folder_.file(name));
        std::ifstream in(shipped + "/Quendrix_EN.plist");
        std::string table((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"Rate Now", "Rate It"},
                                       {"Not Now", "Maybe Later"}}) {
            const std::string shown = "<string>" + from + "</string>";
            if (const auto at = table.find(shown); at != std::string::npos)
                table.replace(at, shown.size(), "<string>" + to + "</string>");
        }
        folder_.write("Quendrix_EN.plist", table);
        resources_ = folder_.path();
        RateSheet::SetUp();
    }
    TempDir folder_;
};

TEST_F(RateSheetReworded, ButtonsFollowTheLanguageTable) {
    ASSERT_TRUE(run([this] { scan(); }));
    ASSERT_TRUE(run([this] { clean(); }));
    ASSERT_TRUE(sheetShown_);
    EXPECT_EQ(buttonTitles_, (std::vector<QString>{"Rate It", "Maybe Later"}));
}

} // namespace
