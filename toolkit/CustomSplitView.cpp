#include "toolkit/CustomSplitView.h"

#include "toolkit/CustomView.h"

#include <QPaintEvent>
#include <QPainter>

namespace qtk {

CustomSplitView::CustomSplitView(QWidget* parent) : QSplitter(parent) {}

CustomSplitView::CustomSplitView(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent) {}

void CustomSplitView::paintEvent(QPaintEvent* event) {
    QSplitter::paintEvent(event);
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), CustomView::backgroundColor());
    }
    QSplitter::paintEvent(event);
}

} // namespace qtk
