// A user's One Click run on a fixture home: the real dashboard and the four junk pages, the
// scan, the details of each module, the clean with its confirmation and the rate sheet, all
// through clicks on the visible controls; then the disk and the last-scan record. Each screen
// is written under the build's screenshots folder.
#include "engine/ModuleKeys.h"
#include "engine/Pacer.h"
#include "pages/care/CacheController.h"
#include "pages/care/LogsController.h"
#include "pages/care/ModuleSwitch.h"
#include "pages/care/PartialDownloads.h"
#include "pages/care/RateMeWindow.h"
#include "pages/care/StatusAppearance.h"
#include "pages/care/StatusController.h"
#include "pages/care/TrashController.h"
#include "platform/core/UserDefaults.h"
#include "shell/views/OneClickControl.h"
#include "tests/pages/support/PageJourney.h"
#include "tests/support/GuiDriving.h"
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
#include <thread>

namespace fs = std::filesystem;
using gui_driving::accessibilityAction;
using gui_driving::accessibleName;
using qengine::modules::kPartialDownloads;

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

    // One file for each of the four modules, three of them partial downloads.
    struct Junk {
        std::vector<std::string> partials;
        std::vector<std::string> others;
    };
    Junk writeJunkOfEachModule() const {
        return {{writeOld("Downloads/film.part", "partial film"),
                 writeOld("Downloads/song.part", "partial song"),
                 writeOld("Downloads/book.part", "partial book")},
                {home_.write("Library/Caches/com.example.editor/Cache.db", "cache"),
                 home_.write("Library/Logs/Editor/editor.log", "log"),
                 home_.write("Library/Logs/DiagnosticReports/Editor_2026.crash", "crash")}};
    }
    bool othersIdle(const std::string& module) const {
        return std::none_of(four_.begin(), four_.end(),
                            [&](const auto& m) { return m != module && engine_->isModuleBusy(m); });
    }
    // No rate sheet today: it was shown already.
    static void rateSheetShownToday() {
        qcore::UserDefaults::standard().setObject("rateDate", qcore::Date::now());
    }
    static QColor colourOf(QWidget* label) { return label->palette().color(QPalette::WindowText); }

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

TEST_F(OneClickJourney, ASwitchTurnedOffByAnAssistiveToolKeepsItsModuleOutOfTheClean) {
    const auto junk = writeJunkOfEachModule();
    rateSheetShownToday();
    makePages();
    click(page_->scanButton());
    ASSERT_TRUE(waitFor([&] { return idle() && page_->removeButton()->isVisible(); }));
    auto* selection = child<QLabel>("lblSelectedItems");
    EXPECT_EQ(selection->text(), "4 of 4 selected");

    // The mouse turns Logs off, the assistive tool's toggle turns it on again.
    auto* logs = child<qpages::ModuleSwitch>("buttonLogs");
    click(logs);
    QTest::qWait(kSettleMs);
    EXPECT_FALSE(logs->isChecked());
    EXPECT_EQ(selection->text(), "3 of 4 selected");
    ASSERT_TRUE(accessibilityAction(logs, QAccessibleActionInterface::toggleAction()));
    QTest::qWait(kSettleMs);
    EXPECT_TRUE(logs->isChecked());
    EXPECT_EQ(logs->knob()->x(), 0);
    EXPECT_EQ(selection->text(), "4 of 4 selected");

    // Partial Downloads off by two toggles in a row: the second comes while the knob slides,
    // is refused, and the switch goes on showing off.
    auto* partial = child<qpages::ModuleSwitch>("buttonLang");
    ASSERT_TRUE(accessibilityAction(partial, QAccessibleActionInterface::toggleAction()));
    ASSERT_TRUE(accessibilityAction(partial, QAccessibleActionInterface::toggleAction()));
    QTest::qWait(kSettleMs);
    EXPECT_FALSE(partial->isChecked());
    EXPECT_EQ(partial->knob()->x(), -qpages::ModuleSwitch::kTravel);
    EXPECT_EQ(selection->text(), "3 of 4 selected");
    shot("switch_off_by_assistive_tool");

    answerNextAlert("OK");
    click(page_->removeButton());
    ASSERT_TRUE(waitFor([&] { return idle() && page_->scanButton()->isVisible(); }));
    for (const auto& path : junk.partials)
        EXPECT_TRUE(fs::exists(path)) << path << " was cleaned while its module showed off";
    for (const auto& path : junk.others)
        EXPECT_FALSE(fs::exists(path)) << path;
}

// Scan and Clean pressed as an assistive tool presses them.
TEST_F(OneClickJourney, WhileItRunsTheButtonsSayWhatTheyDoAndTheIssueCountStaysRed) {
    writeJunkOfEachModule();
    rateSheetShownToday();
    makePages();
    EXPECT_EQ(accessibleName(page_->scanButton()), "Start Scan");
    {
        // Held at Partial Downloads' first update, after the other three have finished.
        NotificationHold hold("DataFillerUpdateNotification", [](const qcore::Notification& n) {
            return n.info("notificationGroup") == kPartialDownloads;
        });
        ASSERT_TRUE(
            accessibilityAction(page_->scanButton(), QAccessibleActionInterface::pressAction()));
        ASSERT_TRUE(waitFor([&] { return hold.reached() && othersIdle(kPartialDownloads); }));
        QTest::qWait(50);
        EXPECT_EQ(page_->scanButton()->text(), "Stop Scan");
        EXPECT_EQ(accessibleName(page_->scanButton()), "Stop Scan");
        EXPECT_EQ(colourOf(child<QLabel>("textTotalJunkSize")), qpages::StatusAppearance::red());
        EXPECT_EQ(colourOf(child<QLabel>("ValSizeToBeRecovered")), QColor(Qt::black));
        // The hold goes only once its thread has left it.
        hold.release();
        ASSERT_TRUE(waitUntilIdle(four_));
    }
    ASSERT_TRUE(waitFor([&] { return page_->removeButton()->isVisible(); }));
    EXPECT_EQ(accessibleName(page_->removeButton()), "Clean Now");
    {
        NotificationHold hold("ActivityStartStopNotification",
                              NotificationHold::startOf(kPartialDownloads, "remove"));
        answerNextAlert("OK");
        ASSERT_TRUE(
            accessibilityAction(page_->removeButton(), QAccessibleActionInterface::pressAction()));
        ASSERT_TRUE(waitFor([&] { return hold.reached(); }));
        QTest::qWait(50);
        EXPECT_EQ(page_->removeButton()->text(), "Stop Cleaning");
        EXPECT_EQ(accessibleName(page_->removeButton()), "Stop Cleaning");
        hold.release();
        ASSERT_TRUE(waitUntilIdle(four_));
    }
    ASSERT_TRUE(waitFor([&] { return page_->scanButton()->isVisible(); }));
    EXPECT_EQ(accessibleName(page_->scanButton()), "Start Scan");
}

TEST_F(OneClickJourney, OpenedWhileTheHeaderScansItFollowsThatScanToItsEnd) {
    writeJunkOfEachModule();
    rateSheetShownToday();
    PostedNotifications finished({"StopOneClickCareScan"});
    // The pages exist from the start, as the shell makes them; the dashboard is not shown yet.
    page_ = std::make_unique<qpages::StatusController>(*engine_);
    std::vector<std::jthread> workers;
    NotificationHold hold("ActivityStartStopNotification",
                          NotificationHold::startOf(kPartialDownloads, "scan"));
    // Partial Downloads starts first: the dashboard has seen its start before another stops.
    const auto scans = qshell::OneClickControl::engineScans();
    const auto scanInTurn = [&hold, scans](qengine::DataFiller& engine, const std::string& module) {
        while (module != kPartialDownloads && !hold.reached())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        scans(engine, module);
    };
    qshell::OneClickControl header(*engine_, scanInTurn, [&workers](std::function<void()> work) {
        workers.emplace_back(std::move(work));
        return true;
    });
    ASSERT_EQ(header.startScanNow().size(), 4U);
    ASSERT_TRUE(waitFor([&] { return hold.reached() && othersIdle(kPartialDownloads); }));

    // The user opens One Click while Partial Downloads still scans.
    page_->view();
    page_->resize(659, 492);
    page_->show();
    ASSERT_TRUE(waitFor([&] { return page_->isVisible(); }));
    QTest::qWait(50);
    shot("opened_during_header_scan", false);
    EXPECT_TRUE(page_->scanButton()->isVisible());
    EXPECT_TRUE(page_->scanButton()->isEnabled()) << "it stops the scan";
    EXPECT_EQ(accessibleName(page_->scanButton()), "Stop Scan");
    EXPECT_FALSE(page_->removeButton()->isEnabled());
    auto* rescan = child("rescanButton");
    EXPECT_FALSE(rescan->isVisible());
    EXPECT_FALSE(rescan->isEnabled());
    EXPECT_FALSE(accessibilityAction(rescan, QAccessibleActionInterface::pressAction()));
    for (const char* name : {"buttonCache", "buttonLogs", "buttonBin", "buttonLang"})
        EXPECT_FALSE(child(name)->isEnabled()) << name;
    EXPECT_EQ(finished.count("StopOneClickCareScan"), 0);

    hold.release();
    ASSERT_TRUE(waitUntilIdle(four_));
    ASSERT_TRUE(waitFor([&] { return page_->removeButton()->isVisible(); }));
    EXPECT_EQ(finished.count("StopOneClickCareScan"), 1);
    EXPECT_EQ(child<QLabel>("textTotalJunkSize")->text(), "6");
    EXPECT_TRUE(rescan->isVisible());
    EXPECT_TRUE(rescan->isEnabled());
}

} // namespace
