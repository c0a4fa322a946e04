// Renders the status-bar popover (light and dark) and each preference pane into PNG files for
// review: shell_popover_screenshots <output folder>.
#include "shell/common/SettingsRegistry.h"
#include "shell/popover/DockViewController.h"
#include "shell/preferences/MyPrefsWindowController.h"

#include "platform/core/Bundle.h"
#include "platform/ui/QtMainThread.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QToolBar>
#include <QVariantAnimation>

#include <cstdio>

namespace {

bool save(QWidget* widget, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name + ".png");
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

void finish(QVariantAnimation* animation) {
    if (animation) animation->setCurrentTime(animation->duration());
}

qshell::DockViewModel::Setup popoverSetup(qcore::NotificationCenter& center,
                                          qcore::UserDefaults& defaults,
                                          qcore::MainThread& mainThread, bool dark) {
    qshell::DockViewModel::Setup s;
    s.sources.meminfoPath = std::string(QUENDRIX_SHELL_FIXTURES) + "/proc/meminfo";
    s.sources.pageSize = 4096;
    s.sources.applications = [] {
        std::vector<qshell::AppMemoryEntry> apps(3);
        const char* names[] = {"Files", "Terminal", "Text Editor"};
        const char* sizes[] = {"1.52 GB", "812.40 MB", "402.10 MB"};
        for (int i = 0; i < 3; ++i) {
            apps[i].identifier = names[i];
            apps[i].memoryUsed = sizes[i];
            apps[i].executablePath = "/usr/bin/env";
        }
        return apps;
    };
    s.sources.drives = [] {
        return std::vector<qshell::Drive>{
            {"/", "Computer", 500000000000ULL, 182000000000ULL, false, true, false, {}},
            {"/media/u/Backup", "Backup", 2000000000000ULL, 1500000000000ULL, true, true, true,
             "EXT4 Volumes"}};
    };
    s.sources.frequencyHz = [] { return std::uint64_t{2400000000ULL}; };
    s.sources.cpuTicks = [] { return std::optional<qshell::CpuTicks>(); };
    s.sources.sampleInterval = std::chrono::milliseconds(0);
    s.sources.isDarkMode = [dark] { return dark; };
    s.actions.launchActivityMonitor = [] { return true; };
    s.center = &center;
    s.defaults = &defaults;
    s.mainThread = &mainThread;
    return s;
}

bool shootPopover(const QString& folder, bool dark) {
    qcore::NotificationCenter center;
    qcore::UserDefaults defaults("");
    defaults.setObject("lastScanSystemStatus", "23");
    qui::QtMainThread mainThread;
    qshell::DockViewController view(popoverSetup(center, defaults, mainThread, dark));
    view.viewDidLoad();
    for (const int load : {12, 18, 35, 28, 41, 37, 22})
        view.model().showCpuLoad(load);
    view.show();
    QApplication::processEvents();
    finish(view.lineChart()->strokeAnimation());
    finish(view.lineChart()->pathAnimation());
    return save(&view, folder, dark ? "popover_dark" : "popover_light");
}

bool shootPreferences(const QString& folder) {
    qcore::UserDefaults defaults("");
    qshell::SettingsRegistry::registerDefaults(defaults, "/home/user", {"en-GB"});
    defaults.setObject("directoryForPartialDownloads",
                       qcore::Array{qcore::Value("/home/user/Downloads")});
    qcore::NotificationCenter center;
    qshell::MyPrefsWindowController::Environment environment;
    environment.defaults = &defaults;
    environment.home = "/home/user";
    environment.center = &center;
    environment.formatListDict =
        qshell::MyPrefsWindowController::formatListFor(qcore::Bundle::main());
    qshell::MyPrefsWindowController window(qshell::PrefsTexts(qcore::Bundle::main()),
                                           std::move(environment));
    window.showWindow();
    bool ok = true;
    for (QAction* action : window.toolbar()->actions()) {
        action->trigger();
        QApplication::processEvents();
        ok = save(&window, folder, "prefs_" + action->objectName().toLower().replace(' ', '_')) &&
             ok;
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    bool ok = shootPopover(folder, false);
    ok = shootPreferences(folder) && ok;
    // The desktop dark, the application's palette left light, as under a dark GTK theme.
    ok = shootPopover(folder, true) && ok;
    return ok ? 0 : 1;
}
