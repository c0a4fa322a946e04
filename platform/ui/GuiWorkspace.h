#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QUrl>

#include <functional>

namespace qui {

// The desktop side of the workspace: file icons, showing files in the file manager and
// opening addresses. GUI thread only.
class GuiWorkspace {
public:
    static QIcon iconForFile(const QString& path);
    // The icon at `size` x `size` (16 by default, the size rows show).
    static QPixmap iconPixmapForFile(const QString& path, int size = 16);
    static QIcon genericFolderIcon();

    // Asks the desktop's file manager to show the item selected; falls back to opening the
    // folder holding it. False when the path does not exist. Does not block.
    static bool revealInFileManager(const QString& path);
    // Opens the address with the desktop's handler; false when none accepts it.
    static bool openUrl(const QUrl& url);
    // Routes every openUrl() to `opener` (empty: the desktop again), so tests record the
    // addresses instead of starting a browser.
    static void setUrlOpenerForTesting(std::function<bool(const QUrl&)> opener);
};

} // namespace qui
