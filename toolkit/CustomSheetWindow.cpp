#include "toolkit/CustomSheetWindow.h"

#include "platform/core/NotificationCenter.h"
#include "platform/ui/FramelessMainWindow.h"
#include "platform/ui/SheetOverlay.h"

#include <QPainter>

namespace qtk {

CustomSheetWindow::CustomSheetWindow(const qui::PointRect& contentRect, unsigned,
                                     const qcore::SystemVersion& profile, QWidget* parent)
    : QWidget(parent), profile_(profile), backgroundColor_(palette().color(QPalette::Window)) {
    resize(static_cast<int>(contentRect.width), static_cast<int>(contentRect.height));
    styleMask_ = TitledWindowMask;
    if (isYosemite()) setStyleMask(BorderlessWindowMask);
    setOpaque(false);
    setHasShadow(false);
}

CustomSheetWindow::~CustomSheetWindow() {
    // The overlay belongs to the window's content area and would outlive the sheet.
    if (overlay_) {
        overlay_->endSheet(qui::SheetOverlay::kCancelledCode);
        overlay_->deleteLater();
    }
}

bool CustomSheetWindow::isYosemite(const qcore::SystemVersion& profile) {
    return profile.major() > 10 || profile.minor() > 9;
}

void CustomSheetWindow::setStyleMask(unsigned mask) {
    styleMask_ = mask;
    update();
}

void CustomSheetWindow::setOpaque(bool opaque) {
    opaque_ = opaque;
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void CustomSheetWindow::setBackgroundColor(const QColor& colour) {
    backgroundColor_ = colour;
    update();
}

void CustomSheetWindow::setContentSize(const QSizeF& size) {
    resize(size.toSize());
}

void CustomSheetWindow::setContentMinSize(const QSizeF& size) {
    setMinimumSize(size.toSize());
}

void CustomSheetWindow::setContentMaxSize(const QSizeF& size) {
    setMaximumSize(size.toSize());
}

void CustomSheetWindow::beginSheet(QWidget* window) {
    if (!window) return;
    auto* frameless = qobject_cast<qui::FramelessMainWindow*>(window);
    QWidget* host = frameless ? frameless->contentView() : window;
    if (overlay_ && overlay_->parentWidget() != host && !overlay_->isRunning()) detach();
    attachedWindow_ = window;
    if (!overlay_) homeParent_ = parentWidget();
    if (!overlay_) {
        overlay_ = new qui::SheetOverlay(host);
        // The sheet paints its own background; the layer around it stays clear.
        overlay_->setDimming(0);
    }
    overlay_->setContentWidget(this);
    show();
}

int CustomSheetWindow::runModal() {
    if (!overlay_) return qui::SheetOverlay::kCancelledCode;
    show();
    const QPointer<CustomSheetWindow> self(this);
    const int code = overlay_->runModal();
    if (self) detach();
    return code;
}

void CustomSheetWindow::detach() {
    // Back to whoever owned the sheet before, so the window's teardown never frees it.
    hide();
    setParent(homeParent_);
    if (overlay_) {
        overlay_->setContentWidget(nullptr);
        overlay_->deleteLater();
        overlay_ = nullptr;
    }
}

bool CustomSheetWindow::isRunning() const {
    return overlay_ && overlay_->isRunning();
}

void CustomSheetWindow::endSheet(int returnCode) {
    if (overlay_) overlay_->endSheet(returnCode);
    orderOut();
    if (attachedWindow_)
        qcore::NotificationCenter::defaultCenter().post(
            kWindowDidEndSheetNotification, static_cast<const QWidget*>(attachedWindow_.data()));
}

void CustomSheetWindow::orderOut() {
    hide();
    if (overlay_ && !overlay_->isRunning()) detach();
}

void CustomSheetWindow::paintEvent(QPaintEvent*) {
    if (!opaque_ && backgroundColor_.alpha() == 0) return;
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor_);
}

} // namespace qtk
