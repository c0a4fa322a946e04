#include "tests/shell/app/JourneyHome.h"
#include "tests/shell/app/ShellFixture.h"

#include "ui_MainMenu.h"

#include "shell/common/SettingsKeys.h"
#include "shell/common/SettingsRegistry.h"
#include "shell/grant/FolderBookmark.h"
#include "shell/views/SidebarView.h"

#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/Home.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/GuiWorkspace.h"
#include "toolkit/NSOutlineView_NEW.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char* const kXdgVariables[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME",
                                     "XDG_DATA_DIRS"};

const char* const kProfilesIni = "[General]\nStartWithLastProfile=1\n\n"
                                 "[Profile0]\nName=default\nIsRelative=1\n"
                                 "Path=Profiles/abc.default\n";

} // namespace

JourneyHome::Responder::Responder() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
        // Actions run from timers of their own: a timer never fires again while its own slot
        // runs, and an action may open a nested loop (a modal alert) in which the other rules
        // must still answer. A rule already running waits for itself.
        for (std::size_t i = 0; i < rules_.size(); ++i) {
            if (rules_[i].running || !rules_[i].condition()) continue;
            rules_[i].running = true;
            QTimer::singleShot(0, &poll_, [this, i] {
                const auto action = rules_[i].action; // rules_ may grow meanwhile
                action();
                rules_[i].running = false;
            });
        }
    });
    poll_.start(10);
}

void JourneyHome::Responder::whenever(std::function<bool()> condition,
                                      std::function<void()> action) {
    rules_.push_back({std::move(condition), std::move(action), false});
}

void JourneyHome::Responder::answerAlerts() {
    whenever([] { return visibleTopLevel<QMessageBox>("alert") != nullptr; },
             [this] {
                 QMessageBox* box = visibleTopLevel<QMessageBox>("alert");
                 alerts.push_back({box->windowTitle(), box->text()});
                 QString name = box->text().left(40);
                 name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9 ]")), QString());
                 if (shoot) shoot("alert " + name.trimmed(), *box);
                 QAbstractButton* first = box->buttons().isEmpty() ? nullptr : box->buttons()[0];
                 if (auto* defaultButton = box->defaultButton()) first = defaultButton;
                 if (first) QTest::mouseClick(first, Qt::LeftButton, {}, first->rect().center());
             });
}

JourneyHome::JourneyHome()
    : home_(scratch_.folder("home")), xdg_(scratch_.folder("xdg")),
      outside_(scratch_.folder("outside")) {
#ifdef QUENDRIX_TEST_RESOURCES
    if (qEnvironmentVariableIsEmpty("QUENDRIX_RESOURCES"))
        qcore::Bundle::setMainResourcePath(QUENDRIX_TEST_RESOURCES);
#endif
    for (const char* name : kXdgVariables) {
        if (const char* value = std::getenv(name)) savedEnvironment_[name] = value;
        const std::string folder = scratch_.folder("xdg/" + std::string(name));
        ::setenv(name, folder.c_str(), 1);
    }
    qcore::Home::setOverrideForTesting(home_);
    qcore::MainThread::install(&mainThread_);
    ShellFixture::forgetEarlierRuns();
    qshell::SettingsRegistry::registerDefaults(qcore::UserDefaults::standard(), home_, {"en"});
    qtk::WAYAppStoreWindow::resetClassChoiceForTesting();
    qui::GuiWorkspace::setUrlOpenerForTesting([this](const QUrl& url) {
        openedUrls.push_back(url);
        return openSucceeds_;
    });
    qshell::Application::applyIdentity(qcore::Bundle::main());
    responder.shoot = [this](const QString& name, QWidget& widget) { shoot(name, widget); };

    const auto put = [this](const std::string& relative, const std::string& text, bool junk) {
        const std::string path = scratch_.file("home/" + relative, text);
        if (junk)
            junk_.push_back(path);
        else
            kept_[path] = text;
    };
    for (int i = 0; i < 3; ++i) {
        put("Library/Caches/com.example.app" + std::to_string(i) + "/cache.db-journal",
            std::string(2048 + 97 * i, 'c'), true);
        put("Library/Logs/tool" + std::to_string(i) + ".log", std::string(4096, 'l'), true);
        put("Library/Logs/DiagnosticReports/app" + std::to_string(i) + ".crash",
            std::string(1500, 'r'), true);
    }
    put("Documents/report.txt", "keep me", false);
    put("Downloads/photo.jpg", std::string(3000, 'p'), false);
    put("Library/Preferences/com.example.plist", "<plist/>", false);
    put("Library/Application Support/Firefox/profiles.ini", kProfilesIni, false);
    kept_[scratch_.file("outside/keep.txt", "outside the home")] = "outside the home";
}

JourneyHome::~JourneyHome() {
    // Workers still waiting on the main thread are let go before the pages join them.
    mainThread_.shutdown();
    application_.reset();
    qui::GuiWorkspace::setUrlOpenerForTesting({});
    qcore::MainThread::install(nullptr);
    qcore::Home::setOverrideForTesting("");
    qtk::WAYAppStoreWindow::resetClassChoiceForTesting();
    for (const char* name : kXdgVariables) {
        const auto saved = savedEnvironment_.find(name);
        if (saved == savedEnvironment_.end())
            ::unsetenv(name);
        else
            ::setenv(name, saved->second.c_str(), 1);
    }
}

void JourneyHome::grantInAdvance() const {
    qcore::UserDefaults::standard().setObject(qshell::settings::kPathData,
                                              qshell::FolderBookmark::create(home_)->data());
}

bool JourneyHome::storedGrant() const {
    return !qcore::UserDefaults::standard().objectForKey(qshell::settings::kPathData).isNull();
}

void JourneyHome::launch() {
    qshell::AppController::Options options;
    options.dialogs.quit = [this] { ++quits; };
    options.scriptsFolder = scratch_.folder("scripts");
    options.networkUp = [] { return true; };
    options.popoverDelayMs = 50;
    application_ = std::make_unique<qshell::Application>(std::move(options));
    application_->launch();
}

bool JourneyHome::junkIsGone() const {
    for (const std::string& path : junk_)
        if (qcore::FileManager::exists(path)) return false;
    return true;
}

void JourneyHome::expectKeptFilesUntouched() const {
    for (const auto& [path, text] : kept_) {
        const auto now = qcore::FileManager::readFile(path);
        ASSERT_TRUE(now) << path;
        EXPECT_EQ(*now, text) << path;
    }
}

void JourneyHome::registerSoftwareCentre() const {
    const std::string applications = xdg_ + "/XDG_DATA_HOME/applications";
    QDir().mkpath(QString::fromStdString(applications));
    scratch_.file("xdg/XDG_DATA_HOME/applications/software.desktop",
                  "[Desktop Entry]\nType=Application\nName=Software\nExec=software %u\n"
                  "MimeType=x-scheme-handler/appstream;\n");
}

void JourneyHome::shoot(const QString& name, QWidget& widget) const {
#ifdef QUENDRIX_SCREENSHOT_DIR
    const QString folder = QStringLiteral(QUENDRIX_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
#else
    (void)name;
    (void)widget;
#endif
}

bool JourneyHome::waitFor(const std::function<bool()>& done, int timeoutMs) {
    return ShellFixture::waitFor(done, timeoutMs);
}

void JourneyHome::click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString();
    ASSERT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void JourneyHome::clickSidebarRow(int row) {
    qshell::AppController& controller = application().controller();
    auto& outline = *controller.ui().myOutlineView;
    qshell::SidebarView& sidebar = controller.sidebar();
    const QModelIndexList found =
        sidebar.model().match(sidebar.model().index(0, 0), qshell::SidebarView::kRowRole, row, 1,
                              Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty()) << "row " << row;
    outline.scrollTo(found.first());
    QTest::mouseClick(outline.viewport(), Qt::LeftButton, {},
                      outline.visualRect(found.first()).center());
}
