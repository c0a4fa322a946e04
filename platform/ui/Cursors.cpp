#include "platform/ui/Cursors.h"

#include <QWidget>

namespace qui {

void useHandCursor(QWidget* widget) {
    if (widget) widget->setCursor(Qt::PointingHandCursor);
}

void trackHover(QWidget* widget) {
    if (!widget) return;
    widget->setMouseTracking(true);
    widget->setAttribute(Qt::WA_Hover, true);
}

} // namespace qui
