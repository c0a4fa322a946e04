#include "shell/app/Application.h"
#include "shell/app/PreferredLanguages.h"
#include "shell/app/SingleInstance.h"
#include "shell/app/StartUpFiles.h"
#include "shell/common/SettingsRegistry.h"

#include "engine/Pacer.h"
#include "platform/core/Bundle.h"
#include "platform/core/Home.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/QtMainThread.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <memory>

namespace {

// Before any window or engine object reads a setting, every default is registered.
void registerSettings() {
    qshell::SettingsRegistry::registerDefaults(qcore::UserDefaults::standard(),
                                               qcore::Home::realHomeDirectory(),
                                               qshell::PreferredLanguages::fromEnvironment());
}

// The main-thread hand-over over the event loop, installed for the run.
class InstalledMainThread {
public:
    InstalledMainThread() { qcore::MainThread::install(&mainThread_); }
    ~InstalledMainThread() {
        mainThread_.shutdown();
        qcore::MainThread::install(nullptr);
    }

private:
    qui::QtMainThread mainThread_;
};

} // namespace

int main(int argc, char* argv[]) {
    const qcore::Bundle& bundle = qcore::Bundle::main();
    QApplication app(argc, argv);
    // Closing the window only hides it; the application goes on behind the status item.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second launch brings the running copy forward and leaves.
    qshell::SingleInstance instance(
        qshell::SingleInstance::keyFor(QString::fromStdString(bundle.bundleIdentifier())));
    if (instance.forwardToRunning()) return 0;
    // Requests are read from the event loop, once the application below exists.
    std::unique_ptr<qshell::Application> application;
    const auto listening = instance.listen([&application] {
        if (application) application->delegate().applicationShouldHandleReopen();
    });
    // A copy that started at the same moment got the socket first: it is the one that runs.
    if (listening == qshell::SingleInstance::Listen::AnotherIsRunning &&
        instance.forwardToRunning())
        return 0;
    // Only now: a copy that hands over must not take the running copy's log away.
    qshell::StartUpFiles(bundle).prepare();

    registerSettings();
    InstalledMainThread mainThread;
    // A worker paused for a page that will never redraw again must not hold up the quit.
    QObject::connect(&app, &QCoreApplication::aboutToQuit,
                     [] { qengine::Pacer::setShuttingDown(true); });

    qshell::Application::applyIdentity(bundle);
    application = std::make_unique<qshell::Application>();
    // Its "CheckHomeAccessNotification" is answered once the event loop runs.
    application->launch();

    // Lets the smoke test start the program and have it quit by itself.
    if (const char* ms = std::getenv("QUENDRIX_QUIT_AFTER_MS"))
        QTimer::singleShot(std::atoi(ms), &app, &QApplication::quit);
    const int status = app.exec();
    // The application goes before the main-thread hand-over it posts through.
    application.reset();
    return status;
}
