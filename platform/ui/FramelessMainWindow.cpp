#include "platform/ui/FramelessMainWindow.h"

#include "platform/ui/TitleBar.h"

#include <QCloseEvent>
#include <QSizeGrip>
#include <QVBoxLayout>

namespace qui {

namespace {
constexpr int kDefaultTitleBarHeight = 40;
}

FramelessMainWindow::FramelessMainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), titleBar_(new TitleBar(this)),
      content_(new QWidget(this)), contentLayout_(new QVBoxLayout(content_)),
      sizeGrip_(new QSizeGrip(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(titleBar_);
    layout->addWidget(content_, 1);
    contentLayout_->setContentsMargins(0, 0, 0, 0);
    contentLayout_->setSpacing(0);
    setTitleBarHeight(kDefaultTitleBarHeight);
    connect(titleBar_, &TitleBar::doubleClicked, this, &FramelessMainWindow::performZoom);
    sizeGrip_->raise();
}

FramelessMainWindow::~FramelessMainWindow() = default;

void FramelessMainWindow::setTitleBarHeight(int height) {
    titleBar_->setFixedHeight(height);
}

int FramelessMainWindow::titleBarHeight() const {
    return titleBar_->height();
}

QWidget* FramelessMainWindow::titleBarView() const {
    return titleBar_;
}

void FramelessMainWindow::setContentWidget(QWidget* widget) {
    if (widget == contentWidget_) return;
    if (contentWidget_) {
        contentLayout_->removeWidget(contentWidget_);
        contentWidget_->deleteLater(); // may be on the stack of the event that replaced it
    }
    contentWidget_ = widget;
    if (widget) contentLayout_->addWidget(widget);
    sizeGrip_->raise();
}

void FramelessMainWindow::setResizable(bool resizable) {
    sizeGrip_->setVisible(resizable);
}

void FramelessMainWindow::performClose() {
    closeFromButton_ = true;
    close();
    closeFromButton_ = false;
}

void FramelessMainWindow::performMiniaturize() {
    emit willMiniaturize();
    showMinimized();
}

void FramelessMainWindow::performZoom() {
    isMaximized() ? showNormal() : showMaximized();
}

void FramelessMainWindow::closeEvent(QCloseEvent* event) {
    const bool askedByUser = closeFromButton_ || event->spontaneous();
    if (askedByUser && closeHandler_ && !closeHandler_()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void FramelessMainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        emit activeChanged(isActiveWindow());
    } else if (event->type() == QEvent::WindowStateChange) {
        const bool minimized = isMinimized();
        if (minimized != minimized_) {
            minimized_ = minimized;
            if (minimized)
                emit didMiniaturize();
            else
                emit didDeminiaturize();
        }
    }
    QWidget::changeEvent(event);
}

void FramelessMainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeSizeGrip();
}

void FramelessMainWindow::placeSizeGrip() {
    const QSize hint = sizeGrip_->sizeHint();
    sizeGrip_->setGeometry(width() - hint.width(), height() - hint.height(), hint.width(),
                           hint.height());
    sizeGrip_->raise();
}

} // namespace qui
