#include "shell/views/ShellDialogs.h"

#include "platform/ui/Alert.h"
#include "platform/ui/GuiWorkspace.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace qshell {

namespace {

void chooseFolderWithPanel(QWidget* window, const QString& title, const QString& prompt,
                           const QString& start, ShellDialogs::FolderDone done) {
    auto* panel = new QFileDialog(window, title, start);
    panel->setObjectName(QStringLiteral("folderPanel"));
    panel->setFileMode(QFileDialog::Directory);
    panel->setOption(QFileDialog::ShowDirsOnly);
    panel->setLabelText(QFileDialog::Accept, prompt);
    panel->setWindowModality(Qt::WindowModal);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(panel, &QFileDialog::finished, panel, [panel, done](int result) {
        const bool ok = result == QDialog::Accepted && !panel->selectedFiles().isEmpty();
        done(ok, ok ? panel->selectedFiles().first() : QString());
    });
    panel->open();
}

} // namespace

ShellDialogs ShellDialogs::standard() {
    ShellDialogs dialogs;
    dialogs.chooseFolder = chooseFolderWithPanel;
    dialogs.modalAlert = [](QWidget* window, const QString& message, const QString& informative,
                            const QString& okTitle) {
        qui::Alert()
            .setMessageText(message)
            .setInformativeText(informative)
            .addButton(okTitle)
            .runModal(window);
    };
    dialogs.sheetAlert = [](QWidget* window, const QString& message, const QString& okTitle) {
        qui::Alert()
            .setMessageText(message)
            .addButton(okTitle)
            .setStyle(qui::Alert::Style::Warning)
            .beginSheetModal(window);
    };
    // Queued, so a quit asked for inside a nested loop still ends the main loop.
    dialogs.quit = [] {
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    };
    dialogs.openUrl = [](const QUrl& url) { return qui::GuiWorkspace::openUrl(url); };
    return dialogs;
}

} // namespace qshell
