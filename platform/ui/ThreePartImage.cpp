#include "platform/ui/ThreePartImage.h"

#include "platform/ui/ImageCache.h"

#include <QPainter>

namespace qui {

namespace {

// Natural length along the axis in device-independent pixels.
double lengthOf(const QPixmap& pixmap, Qt::Orientation orientation) {
    if (pixmap.isNull()) return 0;
    const QSizeF size = pixmap.deviceIndependentSize();
    return orientation == Qt::Horizontal ? size.width() : size.height();
}

} // namespace

ThreePartLayout threePartLayout(const QRectF& rect, double startLength, double endLength,
                                Qt::Orientation orientation) {
    const bool horizontal = orientation == Qt::Horizontal;
    const double available = horizontal ? rect.width() : rect.height();
    double start = std::max(0.0, startLength);
    double end = std::max(0.0, endLength);
    if (start + end > available && start + end > 0) {
        const double scale = std::max(0.0, available) / (start + end);
        start *= scale;
        end *= scale;
    }
    const double middle = std::max(0.0, available - start - end);

    if (horizontal) {
        const double x = rect.x();
        return {QRectF(x, rect.y(), start, rect.height()),
                QRectF(x + start, rect.y(), middle, rect.height()),
                QRectF(x + start + middle, rect.y(), end, rect.height())};
    }
    const double y = rect.y();
    return {QRectF(rect.x(), y, rect.width(), start),
            QRectF(rect.x(), y + start, rect.width(), middle),
            QRectF(rect.x(), y + start + middle, rect.width(), end)};
}

void drawThreePartImage(QPainter& painter, const QRectF& rect, const QPixmap& start,
                        const QPixmap& middle, const QPixmap& end, Qt::Orientation orientation) {
    const ThreePartLayout layout = threePartLayout(rect, lengthOf(start, orientation),
                                                   lengthOf(end, orientation), orientation);
    // Smooth scaling would blur the seams between parts.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    drawImage(painter, layout.start, start);
    drawImage(painter, layout.middle, middle);
    drawImage(painter, layout.end, end);
    painter.restore();
}

void drawThreePartImage(QPainter& painter, const QRectF& rect, const QString& start,
                        const QString& middle, const QString& end, Qt::Orientation orientation) {
    drawThreePartImage(painter, rect, namedImage(start), namedImage(middle), namedImage(end),
                       orientation);
}

} // namespace qui
