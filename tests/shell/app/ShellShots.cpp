// The main window as the application shows it, rendered into PNG files for review: the
// home-folder sheet at the first start, the System Status view, a One Click scan under way,
// its results, the System Status view after it, and the feedback form.
#include "tests/shell/app/ShellFixture.h"

#include "shell/feedback/FeedbackSheetView.h"
#include "shell/grant/HomeFolderSheet.h"
#include "shell/grant/HomeGrant.h"
#include "shell/views/SidebarView.h"
#include "shell/views/SystemStatusHeader.h"

#include "engine/DataFiller.h"
#include "engine/Pacer.h"
#include "toolkit/CustomSheetWindow.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

QString outDir;

void save(QWidget& window, const char* name) {
    QApplication::processEvents();
    const QString path = outDir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!window.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::printf("wrote %s\n", qPrintable(path));
}

bool anyJunkScanRunning(ShellFixture& shell) {
    return shell.controller().header().removingFlag() > 0;
}

void renderShots(ShellFixture& shell) {
    shell.addJunk(60, 40, 12);
    shell.create();
    shell.launch();

    // The first start: the grant check runs the sheet in a loop of its own, so the shot and
    // the confirmation are made from inside it.
    qshell::HomeFolderSheet& sheet = shell.controller().homeFolderSheet();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!sheet.sheet()->isRunning()) return;
        poll.stop();
        save(shell.window(), "main_home_folder_sheet");
        sheet.confirmButton()->click();
    });
    poll.start(20);
    ShellFixture::waitFor([&] {
        return shell.controller().homeGrant().state() == qshell::HomeGrant::State::Granted;
    });
    save(shell.window(), "main_start");

    // A One Click scan, shot while it runs and once all four modules have stopped.
    shell.controller().fixNow();
    ShellFixture::waitFor([&] {
        return anyJunkScanRunning(shell) && shell.controller().header().totals().total() > 0;
    });
    save(shell.window(), "main_one_click_scanning");
    ShellFixture::waitFor([&] { return !anyJunkScanRunning(shell); }, 60000);
    ShellFixture::waitFor([] { return false; }, 400);
    save(shell.window(), "main_one_click_results");

    shell.controller().sidebar().selectRow(qshell::SidebarTree::kSystemStatus);
    ShellFixture::waitFor([] { return false; }, 400);
    save(shell.window(), "main_system_status_after_scan");

    QTimer::singleShot(100, [&] {
        save(shell.window(), "main_feedback_sheet");
        shell.controller().feedbackView().cancelFeedbackSheet();
    });
    shell.controller().openFeedbackWindow();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) return 1;
    // Slow enough to catch the scan under way, quick enough for a test run.
    qengine::Pacer::setScale(0.5);
    {
        ShellFixture shell;
        renderShots(shell);
    }
    return 0;
}
