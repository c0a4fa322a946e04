#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

#include <functional>
#include <string>

class QPainter;

namespace qui {

// Named images from the resources, loaded once. A name is a file name ("close.png") or the
// same without extension (".png" is assumed). A missing image is a null pixmap, logged the
// first time it is asked for; drawing it draws nothing. GUI thread only (QPixmap).
class ImageCache {
public:
    // Maps a file name to the path to load it from.
    using PathResolver = std::function<std::string(const std::string& fileName)>;

    // Resolves names through the main bundle's image folder.
    static ImageCache& shared();

    explicit ImageCache(PathResolver resolver);

    QPixmap pixmap(const QString& name);
    bool contains(const QString& name) { return !pixmap(name).isNull(); }
    void clear() { cache_.clear(); }

    static QString fileNameFor(const QString& name);

private:
    PathResolver resolver_;
    QHash<QString, QPixmap> cache_; // null entries remember missing images
};

// The shared cache's pixmap.
QPixmap namedImage(const QString& name);

// Draws the pixmap scaled into `target`; a null pixmap draws nothing.
void drawImage(QPainter& painter, const QRectF& target, const QPixmap& pixmap);

} // namespace qui
