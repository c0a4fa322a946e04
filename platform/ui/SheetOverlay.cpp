#include "platform/ui/SheetOverlay.h"

#include "platform/core/Log.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>

#include <algorithm>

namespace qui {

namespace {

bool isInputEvent(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::Enter:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// The widget an event to `object` acts on: the object itself, or a shortcut's owner.
QWidget* targetWidget(QObject* object) {
    if (auto* widget = qobject_cast<QWidget*>(object)) return widget;
    if (auto* shortcut = qobject_cast<QShortcut*>(object))
        return qobject_cast<QWidget*>(shortcut->parent());
    return nullptr;
}

} // namespace

SheetOverlay::SheetOverlay(QWidget* host) : QWidget(host) {
    setFocusPolicy(Qt::StrongFocus); // takes Esc when the box has nothing focusable
    hide();
    if (host) {
        host->installEventFilter(this);
        fitHost();
    }
}

SheetOverlay::~SheetOverlay() {
    if (auto* app = QCoreApplication::instance()) app->removeEventFilter(this);
    if (loop_) loop_->exit(kCancelledCode);
}

void SheetOverlay::setContentWidget(QWidget* box) {
    if (box_ == box) return;
    if (box_) box_->hide();
    box_ = box;
    if (box) {
        box->setParent(this);
        if (box->size().isEmpty()) box->resize(box->sizeHint());
        box->show();
    }
    placeBox();
}

void SheetOverlay::setBoxAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    placeBox();
}

void SheetOverlay::setDimming(double alpha) {
    dimming_ = std::clamp(alpha, 0.0, 1.0);
    update();
}

int SheetOverlay::runModal() {
    if (loop_) {
        qcore::log("A sheet is already running on this window");
        return kCancelledCode;
    }
    previousFocus_ = QApplication::focusWidget();
    fitHost();
    show();
    raise();
    qApp->installEventFilter(this);
    focusBox();

    QEventLoop loop;
    loop_ = &loop;
    const QPointer<SheetOverlay> self(this);
    const int code = loop.exec();
    if (!self) return code; // the host and this overlay are gone

    loop_ = nullptr;
    qApp->removeEventFilter(this);
    hide();
    if (previousFocus_) previousFocus_->setFocus();
    return code;
}

void SheetOverlay::endSheet(int returnCode) {
    if (loop_) loop_->exit(returnCode);
}

void SheetOverlay::fitHost() {
    if (!parentWidget()) return;
    setGeometry(parentWidget()->rect());
    placeBox();
}

void SheetOverlay::placeBox() {
    if (!box_) return;
    box_->setGeometry(QStyle::alignedRect(Qt::LeftToRight, alignment_, box_->size(), rect()));
}

void SheetOverlay::focusBox() {
    QWidget* target = box_ ? box_.data() : this;
    // The first widget in the box's tab chain that takes focus; the overlay when none does.
    QWidget* candidate = target;
    do {
        if (candidate->isVisible() && candidate->isEnabled() &&
            (candidate->focusPolicy() & Qt::TabFocus) && isAncestorOf(candidate)) {
            candidate->setFocus(Qt::OtherFocusReason);
            return;
        }
        candidate = candidate->nextInFocusChain();
    } while (candidate && candidate != target);
    setFocus(Qt::OtherFocusReason);
}

bool SheetOverlay::isBlockedInput(QObject* watched, QEvent* event) const {
    if (!isInputEvent(event->type())) return false;
    const QWidget* target = targetWidget(watched);
    if (!target || target->window() != window()) return false;
    return target != this && !isAncestorOf(target);
}

bool SheetOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) fitHost();
    if (!loop_) return QWidget::eventFilter(watched, event);
    if (isBlockedInput(watched, event)) return true;
    if (event->type() == QEvent::FocusIn) {
        const QWidget* target = targetWidget(watched);
        if (target && target->window() == window() && target != this && !isAncestorOf(target))
            focusBox();
    }
    return QWidget::eventFilter(watched, event);
}

void SheetOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, static_cast<float>(dimming_)));
}

void SheetOverlay::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && escapeCode_) endSheet(*escapeCode_);
    event->accept(); // never let keys fall through to the window below
}

void SheetOverlay::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
void SheetOverlay::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}
void SheetOverlay::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
void SheetOverlay::wheelEvent(QWheelEvent* event) {
    event->accept();
}

} // namespace qui
