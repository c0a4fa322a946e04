#include "platform/ui/GuiWorkspace.h"

#include "platform/core/Log.h"

#include <QDesktopServices>
#include <QFileIconProvider>
#include <QFileInfo>

#ifdef QUENDRIX_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#endif

namespace qui {

namespace {

std::function<bool(const QUrl&)>& urlOpener() {
    static std::function<bool(const QUrl&)> opener;
    return opener;
}

QFileIconProvider& iconProvider() {
    static QFileIconProvider provider;
    return provider;
}

void openContainingFolder(const QFileInfo& info) {
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        qcore::log("Could not open folder ", folder.toStdString());
}

#ifdef QUENDRIX_HAVE_DBUS
// org.freedesktop.FileManager1.ShowItems; false when there is no session bus to ask.
bool showItemsOverDBus(const QFileInfo& info) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(info.absoluteFilePath()).toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [info](QDBusPendingCallWatcher* finished) {
                         if (finished->isError()) openContainingFolder(info);
                         finished->deleteLater();
                     });
    return true;
}
#endif

} // namespace

QIcon GuiWorkspace::iconForFile(const QString& path) {
    return iconProvider().icon(QFileInfo(path));
}

QPixmap GuiWorkspace::iconPixmapForFile(const QString& path, int size) {
    return iconForFile(path).pixmap(size, size);
}

QIcon GuiWorkspace::genericFolderIcon() {
    return iconProvider().icon(QFileIconProvider::Folder);
}

bool GuiWorkspace::revealInFileManager(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return false;
#ifdef QUENDRIX_HAVE_DBUS
    if (showItemsOverDBus(info)) return true;
#endif
    openContainingFolder(info);
    return true;
}

bool GuiWorkspace::openUrl(const QUrl& url) {
    if (!url.isValid()) return false;
    if (const auto& opener = urlOpener()) return opener(url);
    return QDesktopServices::openUrl(url);
}

void GuiWorkspace::setUrlOpenerForTesting(std::function<bool(const QUrl&)> opener) {
    urlOpener() = std::move(opener);
}

} // namespace qui
