#include "platform/ui/Geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace qui {

namespace {

int rounded(double v) {
    return static_cast<int>(std::lround(v));
}

QRect screenGeometry(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

} // namespace

QRectF toQtF(const PointRect& rect, double parentHeight) {
    return {rect.x, parentHeight - rect.maxY(), rect.width, rect.height};
}

QRect toQt(const PointRect& rect, double parentHeight) {
    // Round the edges, not origin and size apart, so adjacent frames stay adjacent.
    const int left = rounded(rect.x);
    const int top = rounded(parentHeight - rect.maxY());
    const int right = rounded(rect.maxX());
    const int bottom = rounded(parentHeight - rect.y);
    return {left, top, right - left, bottom - top};
}

PointRect fromQt(const QRectF& rect, double parentHeight) {
    return {rect.x(), parentHeight - rect.y() - rect.height(), rect.width(), rect.height()};
}

PointRect fromQt(const QRect& rect, int parentHeight) {
    return fromQt(QRectF(rect), static_cast<double>(parentHeight));
}

QPointF toQt(const QPointF& point, double parentHeight) {
    return {point.x(), parentHeight - point.y()};
}

QPointF fromQt(const QPointF& point, double parentHeight) {
    return {point.x(), parentHeight - point.y()};
}

int referenceHeight(const QWidget* widget) {
    if (!widget) return 0;
    if (widget->isWindow()) return screenGeometry(widget).height();
    return widget->parentWidget()->height();
}

void setFrame(QWidget* widget, const PointRect& frame) {
    if (!widget) return;
    QRect rect = toQt(frame, referenceHeight(widget));
    if (widget->isWindow()) rect.translate(screenGeometry(widget).topLeft());
    widget->setGeometry(rect);
}

PointRect frameOf(const QWidget* widget) {
    if (!widget) return {};
    QRect rect = widget->geometry();
    if (widget->isWindow()) rect.translate(-screenGeometry(widget).topLeft());
    return fromQt(rect, referenceHeight(widget));
}

PointRect boundsOf(const QWidget* widget) {
    if (!widget) return {};
    return {0, 0, static_cast<double>(widget->width()), static_cast<double>(widget->height())};
}

} // namespace qui
