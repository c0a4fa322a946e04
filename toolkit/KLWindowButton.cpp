#include "toolkit/KLWindowButton.h"

#include "platform/ui/FramelessMainWindow.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/KLWindowButtonGroup.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindowStateChangeEvent>

namespace qtk {

KLWindowButton* KLWindowButton::windowButtonWithSize(QSize size, const QString& groupIdentifier,
                                                     QWidget* parent) {
    return new KLWindowButton(size, groupIdentifier, parent);
}

KLWindowButton::KLWindowButton(QSize size, const QString& groupIdentifier, QWidget* parent)
    : QAbstractButton(parent), groupIdentifier_(groupIdentifier) {
    resize(size);
    setFocusPolicy(Qt::NoFocus);
    setText({});
    const KLWindowButtonGroup* ownGroup = &group();
    groupObserver_ = qcore::NotificationCenter::defaultCenter().addObserver(
        this, KLWindowButtonGroup::kDidUpdateRolloverStateNotification,
        [this, ownGroup](const qcore::Notification& note) {
            if (note.object == ownGroup) windowButtonGroupDidUpdateRolloverState();
        });
    if (parent) viewDidMoveToWindow();
}

KLWindowButton::~KLWindowButton() {
    qcore::NotificationCenter::defaultCenter().removeObserversOf(this);
    viewWillMoveToWindow();
    if (trackedParent_) trackedParent_->removeEventFilter(this);
}

KLWindowButtonGroup& KLWindowButton::group() const {
    return KLWindowButtonGroup::groupWithIdentifier(groupIdentifier_);
}

void KLWindowButton::setEnabled(bool enabled) {
    QAbstractButton::setEnabled(enabled);
    updateActiveImage();
}

void KLWindowButton::updateRollOverImage() {
    if (group().shouldDisplayRollOver() && isEnabled())
        display(rolloverImage_);
    else
        updateImage();
}

void KLWindowButton::updateImage() {
    if (!isInKeyWindow())
        display(activeNotKeyWindowImage_);
    else
        updateActiveImage();
}

void KLWindowButton::updateActiveImage() {
    display(isEnabled() ? activeImage_ : inactiveImage_);
}

void KLWindowButton::display(const QPixmap& image) {
    image_ = image;
    update();
}

void KLWindowButton::windowButtonGroupDidUpdateRolloverState() {
    updateRollOverImage();
}

QWidget* KLWindowButton::hostWindow() const {
    QWidget* top = window();
    return top == this ? nullptr : top;
}

bool KLWindowButton::isInKeyWindow() const {
    const QWidget* top = hostWindow();
    return top && top->isActiveWindow();
}

void KLWindowButton::updateTrackingAreas() {
    trackingArea_ =
        geometry().adjusted(-kTrackingOutset, -kTrackingOutset, kTrackingOutset, kTrackingOutset);
}

void KLWindowButton::mouseEntered() {
    group().didCaptureMousePointer();
    updateRollOverImage();
}

void KLWindowButton::mouseExited() {
    group().didReleaseMousePointer();
    updateRollOverImage();
}

void KLWindowButton::setMouseInside(bool inside) {
    if (inside == mouseInside_) return;
    mouseInside_ = inside;
    if (inside)
        mouseEntered();
    else
        mouseExited();
}

void KLWindowButton::viewDidEndLiveResize() {
    group().resetMouseCaptures();
}

void KLWindowButton::windowDidMiniaturize() {
    group().resetMouseCaptures();
}

void KLWindowButton::windowWillEnterFullScreen() {
    group().resetMouseCaptures();
    hide();
}

void KLWindowButton::windowWillExitFullScreen() {
    group().resetMouseCaptures();
    show();
}

void KLWindowButton::viewWillMoveToWindow() {
    if (observedWindow_) observedWindow_->removeEventFilter(this);
    observedWindow_ = nullptr;
}

void KLWindowButton::viewDidMoveToWindow() {
    if (QWidget* top = hostWindow()) {
        observedWindow_ = top;
        top->installEventFilter(this);
        updateImage();
    }
    trackParent();
    updateTrackingAreas();
}

void KLWindowButton::trackParent() {
    if (trackedParent_ == parentWidget()) return;
    if (trackedParent_) trackedParent_->removeEventFilter(this);
    trackedParent_ = parentWidget();
    if (!trackedParent_) return;
    // Moves over the parent (and over siblings that ignore them) tell when the mouse comes
    // within reach of the button, which lies partly outside its own bounds.
    trackedParent_->setMouseTracking(true);
    trackedParent_->installEventFilter(this);
}

bool KLWindowButton::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ParentAboutToChange:
        viewWillMoveToWindow();
        break;
    case QEvent::ParentChange:
        viewDidMoveToWindow();
        break;
    case QEvent::Show:
        if (hostWindow() != observedWindow_) {
            viewWillMoveToWindow();
            viewDidMoveToWindow();
        } else {
            updateImage();
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
        updateTrackingAreas();
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

bool KLWindowButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == trackedParent_) {
        if (event->type() == QEvent::MouseMove)
            setMouseInside(
                trackingArea_.contains(static_cast<QMouseEvent*>(event)->position().toPoint()));
        else if (event->type() == QEvent::Leave)
            setMouseInside(false);
    }
    if (watched == observedWindow_) {
        if (event->type() == qui::FramelessMainWindow::liveResizeEndedEventType()) {
            viewDidEndLiveResize();
        } else if (event->type() == QEvent::ActivationChange) {
            windowDidChangeFocus();
        } else if (event->type() == QEvent::WindowStateChange) {
            const auto* change = static_cast<QWindowStateChangeEvent*>(event);
            const Qt::WindowStates now = observedWindow_->windowState();
            const Qt::WindowStates before = change->oldState();
            if (now.testFlag(Qt::WindowMinimized) && !before.testFlag(Qt::WindowMinimized))
                windowDidMiniaturize();
            if (now.testFlag(Qt::WindowFullScreen) != before.testFlag(Qt::WindowFullScreen)) {
                if (now.testFlag(Qt::WindowFullScreen))
                    windowWillEnterFullScreen();
                else
                    windowWillExitFullScreen();
            }
        }
    }
    return QAbstractButton::eventFilter(watched, event);
}

void KLWindowButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) updateActiveImage();
    QAbstractButton::changeEvent(event);
}

void KLWindowButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap& shown = (isDown() && !pressedImage_.isNull()) ? pressedImage_ : image_;
    qui::drawImage(painter, QRectF(rect()), shown);
}

} // namespace qtk
