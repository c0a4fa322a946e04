#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

class QWidget;

namespace qui {

// A frame in points with the origin at the bottom left of the parent, y growing upwards.
struct PointRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double maxX() const { return x + width; }
    double maxY() const { return y + height; }
    friend bool operator==(const PointRect&, const PointRect&) = default;
};

// Conversions against a parent of the given height (Qt's frames are top-left, y down).
QRectF toQtF(const PointRect& rect, double parentHeight);
QRect toQt(const PointRect& rect, double parentHeight);
PointRect fromQt(const QRectF& rect, double parentHeight);
PointRect fromQt(const QRect& rect, int parentHeight);
QPointF toQt(const QPointF& point, double parentHeight);
QPointF fromQt(const QPointF& point, double parentHeight);

// Height that bottom-left frames of the widget are measured against: the parent's height,
// or for a window the height of its screen (the primary screen when it has none).
int referenceHeight(const QWidget* widget);

// Places the widget by a bottom-left frame; a window's frame is relative to its screen.
void setFrame(QWidget* widget, const PointRect& frame);
PointRect frameOf(const QWidget* widget);
// The widget's own bounds in bottom-left terms: origin 0,0, its size.
PointRect boundsOf(const QWidget* widget);

} // namespace qui
