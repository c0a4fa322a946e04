#include "toolkit/CustomView.h"

#include <QPaintEvent>
#include <QPainter>

namespace qtk {

CustomView::CustomView(QWidget* parent) : QWidget(parent) {}

void CustomView::paintEvent(QPaintEvent* event) {
    QPainter(this).fillRect(event->rect(), backgroundColor());
    QWidget::paintEvent(event);
}

} // namespace qtk
