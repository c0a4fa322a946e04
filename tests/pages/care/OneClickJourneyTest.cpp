// A user's One Click run on a fixture home: the real dashboard and the four junk pages, the
// scan, the details of each module, the clean with its confirmation and the rate sheet, all
// through clicks on the visible controls; then the disk and the last-scan record. Each screen
// is written under the build's screenshots folder.
#include "engine/Pacer.h"
#include "pages/care/CacheController.h"
#include "pages/care/LogsController.h"
#include "pages/care/PartialDownloads.h"
#include "pages/care/RateMeWindow.h"
#include "pages/care/StatusController.h"
#include "pages/care/TrashController.h"
#include "platform/core/UserDefaults.h"
#include "tests/pages/support/PageJourney.h"
#include "toolkit/IMGButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class OneClickJourney : public PageJourney {
protected:
    void SetUp() override {
        PageJourney::SetUp();
        auto& defaults = qcore::UserDefaults::standard();
        defaults.removeObject("rateDate");
        defaults.setObject("VersionRated", "NONE");
        // The registered age of a partial download: one month.
        defaults.setObject("partialDownloadsValue", "1");
        defaults.setObject("partialDownloadsUnit", "2");
    }
    void TearDown() override {
        waitUntilIdle(four_);
        page_.reset();
        pages_.clear();
        PageJourney::TearDown();
        for (const auto* key :
             {"rateDate", "VersionRated", "lastScanSystemStatus", "lastScanSystemTime",
              "lastScanJunkSize", "partialDownloadsValue", "partialDownloadsUnit"})
            qcore::UserDefaults::standard().removeObject(key);
    }

    void makePages() {
        // As the shell makes them: the dashboard first, then the four modules' own pages.
        page_ = std::make_unique<qpages::StatusController>(*engine_);
        pages_.push_back(std::make_unique<qpages::CacheController>(*engine_));
        pages_.push_back(std::make_unique<qpages::LogsController>(*engine_));
        pages_.push_back(std::make_unique<qpages::TrashController>(*engine_));
        pages_.push_back(std::make_unique<qpages::PartialDownloads>(*engine_));
        page_->view();
        page_->resize(659, 492);
        page_->show();
        waitFor([this] { return page_->isVisible(); });
    }
    bool idle() const {
        return std::none_of(four_.begin(), four_.end(),
                            [this](const auto& m) { return engine_->isModuleBusy(m); });
    }
    template <typename T = QAbstractButton> T* child(const char* name) const {
        return page_->findChild<T*>(QString::fromLatin1(name));
    }
    void shot(const std::string& name, bool settle = true) {
        if (settle) QTest::qWait(kSettleMs);
        screenshot(*page_, "oneclick_" + name);
    }
    std::string writeOld(const std::string& relative, const std::string& bytes) const {
        const auto path = home_.write(relative, bytes);
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24 * 60));
        return path;
    }

    static constexpr int kSettleMs = qpages::StatusController::kSlideMs + 100;
    const std::vector<std::string> four_{qpages::StatusController::modules().begin(),
                                         qpages::StatusController::modules().end()};
    std::unique_ptr<qpages::StatusController> page_;
    std::vector<std::unique_ptr<QWidget>> pages_;
};

TEST_F(OneClickJourney, ScanDetailsCleanAndRate) {
    const std::vector<std::string> junk{
        home_.write("Library/Caches/com.example.editor/Cache.db", std::string(4096, 'c')),
        home_.write("Library/Caches/com.example.player/thumbs/1.bin", std::string(2048, 't')),
        home_.write("Library/Logs/Editor/editor.log", "started\n"),
        home_.write("Library/Logs/Player/player.log", "played\n"),
        home_.write("Library/Logs/DiagnosticReports/Editor_2026.crash", "crash report"),
        writeOld("Downloads/movie.mkv.part", std::string(3000, 'p')),
    };
    home_.write("Documents/notes.txt", "keep me");
    home_.write("Downloads/photo.jpg", "a photo");
    home_.write("Downloads/fresh.part", "still downloading");
    const auto outsideFile = outside_.write("Library/Caches/other/cache.bin", "not in the home");
    const auto homeBefore = homeContents();

    makePages();
    shot("dashboard_idle");

    // Scan, slowly enough to be seen at work.
    qengine::Pacer::setScale(1.0);
    click(page_->scanButton());
    ASSERT_TRUE(waitFor([&] { return child<QWidget>("progressCache")->isVisible(); }));
    EXPECT_EQ(page_->scanButton()->text(), "Stop Scan");
    shot("dashboard_scanning", false);
    ASSERT_TRUE(waitFor([&] { return idle() && page_->removeButton()->isVisible(); }));
    qengine::Pacer::setScale(0);
    EXPECT_EQ(child<QLabel>("textTotalJunkSize")->text(), "6");
    EXPECT_EQ(child<QLabel>("topJunkSize")->text(), "6 issues need your attention");
    EXPECT_EQ(qcore::UserDefaults::standard().stringForKey("lastScanSystemStatus"), "6");
    shot("dashboard_issues");

    for (const char* details : {"detailsCache", "detailsLogs", "detailsBin", "detailsLang"}) {
        click(child(details));
        ASSERT_TRUE(waitFor([&] { return child("backButton")->isVisible(); }));
        shot(std::string("details_") + (details + 7));
        click(child("backButton"));
        ASSERT_TRUE(waitFor([&] { return child("rescanButton")->isVisible(); }));
        QTest::qWait(kSettleMs);
    }

    // Clean from the alert box, confirm, and close the rate sheet that follows.
    bool rateSheetSeen = false;
    QTimer sheetWatch;
    QObject::connect(&sheetWatch, &QTimer::timeout, [&] {
        auto* sheet = page_->rateMeWindow();
        if (!sheet || !sheet->isRunning() || rateSheetSeen) return;
        rateSheetSeen = true;
        shot("rate_sheet");
        click(sheet->closeButton());
    });
    sheetWatch.start(50);
    answerNextAlert("OK");
    click(child("btnCleanOnAlert"));
    ASSERT_TRUE(waitFor([&] { return idle() && rateSheetSeen; }));
    sheetWatch.stop();
    ASSERT_TRUE(waitFor([&] { return page_->scanButton()->isVisible(); }));
    EXPECT_EQ(child<QLabel>("topJunkSize")->text(), "Congratulations! Your computer is clean.");
    EXPECT_EQ(child<QLabel>("textTotalJunkSize")->text(), "6");
    shot("dashboard_cleaned");

    for (const auto& path : junk)
        EXPECT_FALSE(fs::exists(path)) << path;
    // Everything else is as it was, byte for byte, and nothing outside the home was touched.
    auto expected = homeBefore;
    std::erase_if(expected, [&](const auto& file) {
        return std::any_of(junk.begin(), junk.end(), [&](const auto& path) {
            return path == home_.path() + "/" + file.first;
        });
    });
    EXPECT_EQ(homeContents(), expected);
    std::ifstream outside(outsideFile);
    std::string outsideText;
    std::getline(outside, outsideText);
    EXPECT_EQ(outsideText, "not in the home");
    const auto& defaults = qcore::UserDefaults::standard();
    EXPECT_EQ(defaults.stringForKey("lastScanSystemStatus"), "0");
    EXPECT_EQ(defaults.stringForKey("lastScanJunkSize"), "0 bytes");
    EXPECT_TRUE(defaults.dateForKey("rateDate").has_value());
}

} // namespace
