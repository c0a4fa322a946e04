#include "platform/ui/FramelessMainWindow.h"

#include "platform/ui/TitleBar.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
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
    sizeGrip_->installEventFilter(this);
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

QEvent::Type FramelessMainWindow::liveResizeEndedEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QRect FramelessMainWindow::availableArea() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

bool FramelessMainWindow::isZoomed() const {
    const QRect area = availableArea();
    return area.isValid() && geometry() == area;
}

// Done by hand rather than by the window manager's maximize: without a manager (or with one
// that ignores undecorated windows) that does nothing, and some put the window under panels.
void FramelessMainWindow::performZoom() {
    if (isMaximized() || isFullScreen()) showNormal();
    if (isZoomed()) {
        if (unzoomedGeometry_.isValid()) setGeometry(unzoomedGeometry_);
        return;
    }
    const QRect area = availableArea();
    if (!area.isValid()) return;
    unzoomedGeometry_ = geometry();
    setGeometry(area);
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

bool FramelessMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sizeGrip_ && event->type() == QEvent::MouseButtonRelease) {
        QEvent ended(liveResizeEndedEventType());
        QCoreApplication::sendEvent(this, &ended);
    }
    return QWidget::eventFilter(watched, event);
}

void FramelessMainWindow::placeSizeGrip() {
    const QSize hint = sizeGrip_->sizeHint();
    sizeGrip_->setGeometry(width() - hint.width(), height() - hint.height(), hint.width(),
                           hint.height());
    sizeGrip_->raise();
}

} // namespace qui
