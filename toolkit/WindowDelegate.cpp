#include "toolkit/WindowDelegate.h"

namespace qtk {

WindowDelegate::~WindowDelegate() = default;

std::optional<bool> WindowDelegate::windowShouldClose(WAYAppStoreWindow&) {
    return std::nullopt;
}
void WindowDelegate::windowWillClose(WAYAppStoreWindow&) {}
void WindowDelegate::windowDidResize(WAYAppStoreWindow&) {}
void WindowDelegate::windowDidMove(WAYAppStoreWindow&) {}
void WindowDelegate::windowDidBecomeKey(WAYAppStoreWindow&) {}
void WindowDelegate::windowDidResignKey(WAYAppStoreWindow&) {}
void WindowDelegate::windowDidMiniaturize(WAYAppStoreWindow&) {}
void WindowDelegate::windowDidDeminiaturize(WAYAppStoreWindow&) {}

std::optional<qui::PointRect> WindowDelegate::windowWillPositionSheet(WAYAppStoreWindow&, QWidget*,
                                                                      const qui::PointRect&) {
    return std::nullopt;
}

} // namespace qtk
