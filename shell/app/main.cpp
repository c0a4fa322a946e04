#include "shell/app/Application.h"
#include "shell/app/LogFile.h"
#include "shell/app/PreferredLanguages.h"
#include "shell/app/SingleInstance.h"
#include "shell/common/SettingsRegistry.h"

#include "engine/Pacer.h"
#include "platform/core/Bundle.h"
#include "platform/core/Home.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/QtMainThread.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>

namespace {

// Before any window or engine object reads a setting, every default is registered.
void registerSettings(const qcore::Bundle& bundle) {
    const std::string container = qcore::Home::containerHome(bundle.bundleIdentifier());
    qcore::UserDefaults::setStandardPath(container + "/Library/Preferences/" +
                                         bundle.bundleIdentifier() + ".plist");
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
    qshell::LogFile::prepare(qcore::Home::containerHome(bundle.bundleIdentifier()),
                             bundle.bundleName());
    QApplication app(argc, argv);
    // Closing the window only hides it; the application goes on behind the status item.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second launch brings the running copy forward and leaves.
    qshell::SingleInstance instance(
        qshell::SingleInstance::keyFor(QString::fromStdString(bundle.bundleIdentifier())));
    if (instance.forwardToRunning()) return 0;

    registerSettings(bundle);
    InstalledMainThread mainThread;
    // A worker paused for a page that will never redraw again must not hold up the quit.
    QObject::connect(&app, &QCoreApplication::aboutToQuit,
                     [] { qengine::Pacer::setShuttingDown(true); });

    qshell::Application::applyIdentity(bundle);
    qshell::Application application;
    instance.listen([&application] { application.delegate().applicationShouldHandleReopen(); });
    // Its "CheckHomeAccessNotification" is answered once the event loop runs.
    application.launch();

    // Lets the smoke test start the program and have it quit by itself.
    if (const char* ms = std::getenv("QUENDRIX_QUIT_AFTER_MS"))
        QTimer::singleShot(std::atoi(ms), &app, &QApplication::quit);
    return app.exec();
}
