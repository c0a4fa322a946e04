#include "tests/shell/app/ShellFixture.h"

#include "tests/support/EventLoopWait.h"

#include "shell/common/SettingsKeys.h"
#include "shell/common/SettingsRegistry.h"
#include "shell/grant/FolderBookmark.h"

#include "platform/core/Bundle.h"
#include "platform/core/Home.h"
#include "platform/core/UserDefaults.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace {

// Keys a run leaves behind that would change the next test's start.
const char* const kRunKeys[] = {"pathData",         "lastScanSystemStatus", "lastScanSystemTime",
                                "lastScanJunkSize", "VersionRated",         "rateDate"};

} // namespace

ShellFixture::ShellFixture() : home_(scratch_.path()) {
#ifdef QUENDRIX_TEST_RESOURCES
    // The test runner does not always pass QUENDRIX_RESOURCES on; the texts, layout and
    // images are needed either way.
    static const bool resourcesSet = [] {
        if (!qEnvironmentVariableIsEmpty("QUENDRIX_RESOURCES")) return false;
        qcore::Bundle::setMainResourcePath(QUENDRIX_TEST_RESOURCES);
        return true;
    }();
    (void)resourcesSet;
#endif
    qcore::Home::setOverrideForTesting(home_);
    qcore::MainThread::install(&mainThread_);
    forgetEarlierRuns();
    qshell::SettingsRegistry::registerDefaults(qcore::UserDefaults::standard(), home_, {"en"});
    qtk::WAYAppStoreWindow::resetClassChoiceForTesting();
    window_ = qtk::WAYAppStoreWindow::create();
    window_->resize(833, 560);
    delegate_.setSetUpStatusBarItemHook([this] { ++statusItemCalls; });
    delegate_.setShowPopoverViewHook([this] { ++popoverCalls; });
    panelScript = [this](const QString&, qshell::ShellDialogs::FolderDone done) {
        done(true, QString::fromStdString(home_));
    };
}

ShellFixture::~ShellFixture() {
    // Workers still waiting on the main thread are let go before the pages join them.
    mainThread_.shutdown();
    controller_.reset();
    window_.reset();
    qcore::MainThread::install(nullptr);
    qcore::Home::setOverrideForTesting("");
    qtk::WAYAppStoreWindow::resetClassChoiceForTesting();
}

void ShellFixture::forgetEarlierRuns() {
    qcore::UserDefaults& defaults = qcore::UserDefaults::standard();
    for (const char* key : kRunKeys)
        defaults.removeObject(key);
}

void ShellFixture::addJunk(int caches, int logs, int crashReports) const {
    for (int i = 0; i < caches; ++i)
        scratch_.file("Library/Caches/com.example.app" + std::to_string(i) + "/cache.db-journal",
                      std::string(2048 + 97 * i, 'c'));
    for (int i = 0; i < logs; ++i)
        scratch_.file("Library/Logs/tool" + std::to_string(i) + ".log", std::string(4096, 'l'));
    for (int i = 0; i < crashReports; ++i)
        scratch_.file("Library/Logs/DiagnosticReports/app" + std::to_string(i) + ".crash",
                      std::string(1500, 'r'));
}

void ShellFixture::grantHomeInAdvance() const {
    qcore::UserDefaults& defaults = qcore::UserDefaults::standard();
    defaults.setObject(qshell::settings::kPathData, qshell::FolderBookmark::create(home_)->data());
}

void ShellFixture::create() {
    qshell::AppController::Options options;
    options.dialogs.chooseFolder = [this](QWidget*, const QString& title, const QString&,
                                          const QString& start,
                                          qshell::ShellDialogs::FolderDone done) {
        record_.panelTitles.push_back(title);
        record_.panelStarts.push_back(start);
        panelScript(start, std::move(done));
    };
    options.dialogs.modalAlert = [this](QWidget*, const QString& message, const QString&,
                                        const QString&) { record_.modalAlerts.push_back(message); };
    options.dialogs.sheetAlert = [this](QWidget*, const QString& message, const QString&) {
        record_.sheetAlerts.push_back(message);
    };
    options.dialogs.quit = [this] { ++record_.quits; };
    options.dialogs.openUrl = [this](const QUrl& url) {
        record_.openedUrls.push_back(url);
        return true;
    };
    options.scriptsFolder = scratch_.folder("scripts");
    options.networkUp = [] { return true; };
    options.popoverDelayMs = 50;
    controller_ = std::make_unique<qshell::AppController>(
        *window_, delegate_, qcore::UserDefaults::standard(), std::move(options));
}

void ShellFixture::launch() {
    delegate_.applicationDidFinishLaunching(*window_, qcore::UserDefaults::standard());
    window_->orderFront();
}

bool ShellFixture::waitFor(const std::function<bool()>& done, int timeoutMs) {
    return gui_driving::waitFor(done, timeoutMs);
}
