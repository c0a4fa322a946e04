#include "platform/ui/TextMetrics.h"

#include <QFontMetricsF>

#include <limits>

namespace qui {

double textWidth(const QFont& font, const QString& text) {
    return QFontMetricsF(font).horizontalAdvance(text);
}

QSizeF textSize(const QFont& font, const QString& text) {
    if (text.isEmpty()) return {0, QFontMetricsF(font).height()};
    const double unbounded = std::numeric_limits<int>::max() / 2.0;
    return QFontMetricsF(font).boundingRect(QRectF(0, 0, unbounded, unbounded), 0, text).size();
}

QSizeF textSize(const QFont& font, const QString& text, double maxWidth) {
    const double unbounded = std::numeric_limits<int>::max() / 2.0;
    return QFontMetricsF(font)
        .boundingRect(QRectF(0, 0, maxWidth, unbounded), Qt::TextWordWrap, text)
        .size();
}

} // namespace qui
