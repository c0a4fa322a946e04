#include "toolkit/BlackView.h"

#include <QPaintEvent>
#include <QPainter>

namespace qtk {

BlackView::BlackView(QWidget* parent) : QWidget(parent) {
    setTTag(0);
}

void BlackView::setTTag(std::int64_t tag) {
    tTag_ = tag;
    setProperty("tag", QVariant::fromValue<qint64>(tag));
}

BlackView* BlackView::findOverlay(const QWidget* contentView) {
    if (!contentView) return nullptr;
    for (QObject* child : contentView->children()) {
        auto* overlay = qobject_cast<BlackView*>(child);
        if (overlay && overlay->tTag() == kOverlayTag) return overlay;
    }
    return nullptr;
}

bool BlackView::removeOverlay(QWidget* contentView) {
    BlackView* overlay = findOverlay(contentView);
    if (!overlay) return false;
    // The box inside outlives its overlay: the next run places it again.
    for (QObject* child : overlay->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child)) {
            const QRect frame = widget->geometry().translated(overlay->pos());
            widget->setParent(contentView);
            widget->setGeometry(frame);
        }
    }
    overlay->hide();
    overlay->setParent(nullptr);
    overlay->deleteLater();
    return true;
}

void BlackView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor::fromRgbF(0, 0, 0, static_cast<float>(kAlpha)));
}

} // namespace qtk
