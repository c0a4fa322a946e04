#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace qshell {

// The dialogs and desktop calls the shell's windows make, in one place so tests can script
// them: the folder panel, the two kinds of alert, quitting and opening addresses.
struct ShellDialogs {
    using FolderDone = std::function<void(bool ok, const QString& folder)>;
    // A folders-only panel at `start`, titled `title`, whose accept button reads `prompt`;
    // `done` runs when it ends.
    using FolderChooser =
        std::function<void(QWidget* window, const QString& title, const QString& prompt,
                           const QString& start, FolderDone done)>;
    // An application-modal alert with one button; returns when it is dismissed.
    using ModalAlert = std::function<void(QWidget* window, const QString& message,
                                          const QString& informative, const QString& okTitle)>;
    // An alert on the window with one button; returns at once.
    using SheetAlert =
        std::function<void(QWidget* window, const QString& message, const QString& okTitle)>;

    FolderChooser chooseFolder;
    ModalAlert modalAlert;
    SheetAlert sheetAlert;
    std::function<void()> quit;
    std::function<bool(const QUrl&)> openUrl;

    // The real ones: QFileDialog, message boxes, the application's quit, the desktop's handler.
    static ShellDialogs standard();
};

} // namespace qshell
