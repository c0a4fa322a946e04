#pragma once

#include <QPixmap>
#include <QRectF>

class QPainter;

namespace qui {

// Where the three parts of a stretchable image go: the caps keep their natural length along
// the axis (shrunk in proportion when they do not fit), the middle takes what lies between.
// Across the axis every part fills `rect`.
struct ThreePartLayout {
    QRectF start;
    QRectF middle;
    QRectF end;
};

ThreePartLayout threePartLayout(const QRectF& rect, double startLength, double endLength,
                                Qt::Orientation orientation = Qt::Horizontal);

// Left cap, stretched middle, right cap (top, middle, bottom when vertical). A null part is
// left empty and a null cap takes no room.
void drawThreePartImage(QPainter& painter, const QRectF& rect, const QPixmap& start,
                        const QPixmap& middle, const QPixmap& end,
                        Qt::Orientation orientation = Qt::Horizontal);

// The same with images from the shared cache by name.
void drawThreePartImage(QPainter& painter, const QRectF& rect, const QString& start,
                        const QString& middle, const QString& end,
                        Qt::Orientation orientation = Qt::Horizontal);

} // namespace qui
