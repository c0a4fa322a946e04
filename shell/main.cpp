#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/Home.h"
#include "platform/core/Log.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstdlib>

namespace {

// The run's log file lives in the application's own container home and holds one run.
void prepareLogFile() {
    const qcore::Bundle& bundle = qcore::Bundle::main();
    const std::string folder =
        qcore::Home::containerHome(bundle.bundleIdentifier()) + "/Library/Logs/";
    const std::string logPath = folder + bundle.bundleName() + ".log";
    const bool deleted = qcore::FileManager::removeItem(logPath);
    qcore::log("success=", deleted ? 1 : 0);
    qcore::log("logPath=", logPath);
    qcore::FileManager::createDirectories(folder);
    qcore::redirectStandardErrorTo(logPath);
}

} // namespace

int main(int argc, char* argv[]) {
    prepareLogFile();
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(qcore::Bundle::main().bundleName()));
    window.setCentralWidget(new QLabel(QStringLiteral("Quendrix"), &window));
    window.resize(833, 560);
    window.show();
    // Lets the smoke test start the program and have it quit by itself.
    if (const char* ms = std::getenv("QUENDRIX_QUIT_AFTER_MS"))
        QTimer::singleShot(std::atoi(ms), &app, &QApplication::quit);
    return app.exec();
}
