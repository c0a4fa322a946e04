#include "toolkit/KLAppStoreWindowDelegateProxy.h"

#include "toolkit/WAYAppStoreWindow.h"

namespace qtk {

std::optional<bool> KLAppStoreWindowDelegateProxy::windowShouldClose(WAYAppStoreWindow& window) {
    return secondary_ ? secondary_->windowShouldClose(window) : std::nullopt;
}

void KLAppStoreWindowDelegateProxy::windowWillClose(WAYAppStoreWindow& window) {
    if (secondary_) secondary_->windowWillClose(window);
}

void KLAppStoreWindowDelegateProxy::windowDidResize(WAYAppStoreWindow& window) {
    if (secondary_) secondary_->windowDidResize(window);
}

void KLAppStoreWindowDelegateProxy::windowDidMove(WAYAppStoreWindow& window) {
    if (secondary_) secondary_->windowDidMove(window);
}

void KLAppStoreWindowDelegateProxy::windowDidBecomeKey(WAYAppStoreWindow& window) {
    if (secondary_) secondary_->windowDidBecomeKey(window);
}

void KLAppStoreWindowDelegateProxy::windowDidResignKey(WAYAppStoreWindow& window) {
    if (secondary_) secondary_->windowDidResignKey(window);
}

void KLAppStoreWindowDelegateProxy::windowDidMiniaturize(WAYAppStoreWindow& window) {
    if (secondary_) secondary_->windowDidMiniaturize(window);
}

void KLAppStoreWindowDelegateProxy::windowDidDeminiaturize(WAYAppStoreWindow& window) {
    if (secondary_) secondary_->windowDidDeminiaturize(window);
}

std::optional<qui::PointRect>
KLAppStoreWindowDelegateProxy::windowWillPositionSheet(WAYAppStoreWindow& window, QWidget* sheet,
                                                       const qui::PointRect& rect) {
    if (secondary_) {
        if (auto placed = secondary_->windowWillPositionSheet(window, sheet, rect)) return placed;
    }
    qui::PointRect belowBar = rect;
    belowBar.y = window.frame().height - window.titleBarHeight();
    return belowBar;
}

} // namespace qtk
