#include "platform/ui/ImageCache.h"

#include "platform/core/Bundle.h"
#include "platform/core/Log.h"

#include <QFileInfo>
#include <QPainter>

namespace qui {

ImageCache& ImageCache::shared() {
    static ImageCache cache(
        [](const std::string& fileName) { return qcore::Bundle::main().imagePath(fileName); });
    return cache;
}

ImageCache::ImageCache(PathResolver resolver) : resolver_(std::move(resolver)) {}

QString ImageCache::fileNameFor(const QString& name) {
    return QFileInfo(name).suffix().isEmpty() ? name + QStringLiteral(".png") : name;
}

QPixmap ImageCache::pixmap(const QString& name) {
    if (name.isEmpty()) return {};
    const QString fileName = fileNameFor(name);
    if (const auto it = cache_.constFind(fileName); it != cache_.constEnd()) return *it;

    QPixmap loaded;
    const std::string path = resolver_ ? resolver_(fileName.toStdString()) : std::string();
    if (path.empty() || !loaded.load(QString::fromStdString(path)))
        qcore::log("Image not found: ", fileName.toStdString());
    cache_.insert(fileName, loaded);
    return loaded;
}

QPixmap namedImage(const QString& name) {
    return ImageCache::shared().pixmap(name);
}

void drawImage(QPainter& painter, const QRectF& target, const QPixmap& pixmap) {
    if (pixmap.isNull() || target.isEmpty()) return;
    painter.drawPixmap(target, pixmap, QRectF(pixmap.rect()));
}

} // namespace qui
