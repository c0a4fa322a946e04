#include "shell/LogFile.h"
#include "shell/PreferredLanguages.h"
#include "shell/SettingsRegistry.h"

#include "platform/core/Bundle.h"
#include "platform/core/Home.h"
#include "platform/core/UserDefaults.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
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

} // namespace

int main(int argc, char* argv[]) {
    const qcore::Bundle& bundle = qcore::Bundle::main();
    qshell::LogFile::prepare(qcore::Home::containerHome(bundle.bundleIdentifier()),
                             bundle.bundleName());
    QApplication app(argc, argv);
    registerSettings(bundle);
    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(bundle.bundleName()));
    window.setCentralWidget(new QLabel(QStringLiteral("Quendrix"), &window));
    window.resize(833, 560);
    window.show();
    // Lets the smoke test start the program and have it quit by itself.
    if (const char* ms = std::getenv("QUENDRIX_QUIT_AFTER_MS"))
        QTimer::singleShot(std::atoi(ms), &app, &QApplication::quit);
    return app.exec();
}
