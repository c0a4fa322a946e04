// A user's One Click run on a fixture home: the real dashboard and the four junk pages, the
// scan, the details of each module, the clean with its confirmation and the rate sheet, all
// through clicks on the visible controls; then the disk and the last-scan record. Each screen
// is written under the build's screenshots folder.
#include "engine/DataFiller.h"
#include "engine/Pacer.h"
#include "pages/care/CacheController.h"
#include "pages/care/LogsController.h"
#include "pages/care/PartialDownloads.h"
#include "pages/care/RateMeWindow.h"
#include "pages/care/StatusController.h"
#include "pages/care/TrashController.h"
#include "platform/core/Bundle.h"
#include "platform/core/Home.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/QtMainThread.h"
#include "tests/platform/core/TempDir.h"
#include "toolkit/IMGButton.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::map<std::string, std::string> snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files[entry.path().string()] = contentsOf(entry.path());
    return files;
}

bool waitFor(const std::function<bool()>& done, int timeoutMs = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QTest::qWait(10);
    }
    return true;
}

class OneClickJourney : public ::testing::Test {
protected:
    void SetUp() override {
        qengine::Pacer::setScale(0);
        qcore::Home::setOverrideForTesting(home_.path());
        mainThread_ = std::make_unique<qui::QtMainThread>();
        qcore::MainThread::install(mainThread_.get());
        engine_ = std::make_unique<qengine::DataFiller>(qcore::Bundle(QUENDRIX_TEST_RESOURCES));
        auto& defaults = qcore::UserDefaults::standard();
        defaults.removeObject("rateDate");
        defaults.setObject("VersionRated", "NONE");
        // The registered age of a partial download: one month.
        defaults.setObject("partialDownloadsValue", "1");
        defaults.setObject("partialDownloadsUnit", "2");
        QDir().mkpath(QStringLiteral(QUENDRIX_SCREENSHOTS));
    }
    void TearDown() override {
        waitFor([this] { return idle(); });
        page_.reset();
        pages_.clear();
        engine_.reset();
        qcore::MainThread::install(nullptr);
        mainThread_.reset();
        qcore::Home::setOverrideForTesting("");
        qengine::Pacer::setScale(1.0);
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
    }
    bool idle() const {
        for (const auto& module : qpages::StatusController::modules())
            if (engine_->isModuleBusy(module)) return false;
        return true;
    }
    template <typename T = QWidget> T* child(const char* name) const {
        return page_->findChild<T*>(QString::fromLatin1(name));
    }
    void click(QWidget* widget) const {
        ASSERT_NE(widget, nullptr);
        ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
        ASSERT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    void shot(const QString& name, bool settle = true) const {
        if (settle) QTest::qWait(StatusController_kSettle);
        EXPECT_TRUE(page_->grab().save(QStringLiteral(QUENDRIX_SCREENSHOTS "/") + name + ".png"))
            << name.toStdString();
    }
    // Presses the confirmation's OK as soon as it is up.
    void confirmWhenAsked() const {
        QTimer::singleShot(50, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            for (auto* button : box->findChildren<QPushButton*>())
                if (button->text() == "OK") QTest::mouseClick(button, Qt::LeftButton);
        });
    }
    std::string writeOld(const std::string& relative, const std::string& bytes) const {
        const auto path = home_.write(relative, bytes);
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24 * 60));
        return path;
    }

    static constexpr int StatusController_kSettle = qpages::StatusController::kSlideMs + 100;
    TempDir home_;
    TempDir outside_;
    std::unique_ptr<qui::QtMainThread> mainThread_;
    std::unique_ptr<qengine::DataFiller> engine_;
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
    outside_.write("Library/Caches/other/cache.bin", "not in the home");
    const auto untouchedBefore = [&] {
        auto files = snapshot(home_.path());
        for (const auto& path : junk)
            files.erase(path);
        return files;
    }();
    const auto outsideBefore = snapshot(outside_.path());

    makePages();
    shot("dashboard_idle");

    // Scan, slowly enough to be seen at work.
    qengine::Pacer::setScale(1.0);
    click(page_->scanButton());
    ASSERT_TRUE(waitFor([&] { return child("progressCache")->isVisible(); }));
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
        shot(QStringLiteral("details_%1").arg(QString::fromLatin1(details + 7)));
        click(child("backButton"));
        ASSERT_TRUE(waitFor([&] { return child("rescanButton")->isVisible(); }));
        QTest::qWait(StatusController_kSettle);
    }

    // Clean from the alert box, confirm, and close the rate sheet that follows.
    bool rateSheetSeen = false;
    QTimer sheetWatch;
    QObject::connect(&sheetWatch, &QTimer::timeout, [&] {
        auto* sheet = page_->rateMeWindow();
        if (!sheet || !sheet->isRunning() || rateSheetSeen) return;
        rateSheetSeen = true;
        shot("rate_sheet");
        QTest::mouseClick(sheet->closeButton(), Qt::LeftButton);
    });
    sheetWatch.start(50);
    confirmWhenAsked();
    click(child("btnCleanOnAlert"));
    ASSERT_TRUE(waitFor([&] { return idle() && rateSheetSeen; }));
    sheetWatch.stop();
    ASSERT_TRUE(waitFor([&] { return page_->scanButton()->isVisible(); }));
    EXPECT_EQ(child<QLabel>("topJunkSize")->text(), "Congratulations! Your computer is clean.");
    EXPECT_EQ(child<QLabel>("textTotalJunkSize")->text(), "6");
    shot("dashboard_cleaned");

    for (const auto& path : junk)
        EXPECT_FALSE(fs::exists(path)) << path;
    auto untouchedAfter = snapshot(home_.path());
    for (const auto& [path, bytes] : untouchedBefore) {
        ASSERT_TRUE(untouchedAfter.count(path)) << path;
        EXPECT_EQ(untouchedAfter[path], bytes) << path;
    }
    EXPECT_EQ(snapshot(outside_.path()), outsideBefore);
    const auto& defaults = qcore::UserDefaults::standard();
    EXPECT_EQ(defaults.stringForKey("lastScanSystemStatus"), "0");
    EXPECT_EQ(defaults.stringForKey("lastScanJunkSize"), "0 bytes");
    EXPECT_TRUE(defaults.dateForKey("rateDate").has_value());
}

} // namespace
