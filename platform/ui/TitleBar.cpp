#include "platform/ui/TitleBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

namespace qui {

TitleBar::TitleBar(QWidget* parent) : QWidget(parent) {}

QPoint TitleBar::dragTarget(QPoint windowStart, QPoint pressGlobal, QPoint currentGlobal) {
    return windowStart + (currentGlobal - pressGlobal);
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    drag_ = Drag::Pending;
    pressGlobal_ = event->globalPosition().toPoint();
    windowStart_ = window()->pos();
    event->accept();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event) {
    if (drag_ == Drag::None || !(event->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    const QPoint global = event->globalPosition().toPoint();
    if (drag_ == Drag::Pending) {
        // Starting the move on press would swallow double clicks under some window managers.
        if ((global - pressGlobal_).manhattanLength() < QApplication::startDragDistance()) return;
        QWindow* handle = window()->windowHandle();
        const bool maximized = window()->isMaximized();
        drag_ = (!maximized && handle && handle->startSystemMove()) ? Drag::System : Drag::Manual;
    }
    if (drag_ == Drag::Manual && !window()->isMaximized())
        window()->move(dragTarget(windowStart_, pressGlobal_, global));
    event->accept();
}

void TitleBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) drag_ = Drag::None;
    QWidget::mouseReleaseEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    drag_ = Drag::None;
    emit doubleClicked();
    event->accept();
}

} // namespace qui
