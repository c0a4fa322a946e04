#include "toolkit/KLTitlebarContainer.h"

#include <QMouseEvent>

namespace qtk {

KLTitlebarContainer::KLTitlebarContainer(QWidget* parent) : qui::TitleBar(parent) {
    setObjectName(QStringLiteral("KLTitlebarContainer"));
}

void KLTitlebarContainer::mouseMoveEvent(QMouseEvent* event) {
    if (window()->isFullScreen()) {
        event->accept();
        return;
    }
    qui::TitleBar::mouseMoveEvent(event);
}

void KLTitlebarContainer::mouseDoubleClickEvent(QMouseEvent* event) {
    // Double clicks belong to the title-bar view (they miniaturize); the container only drags.
    event->ignore();
}

} // namespace qtk
