#include "toolkit/WAYWindowDelegateProxy.h"

namespace qtk {

template <typename Method, typename... Args>
void WAYWindowDelegateProxy::forward(Callback callback, Method method, Args&&... args) {
    if (stack_.containsSelector(callback)) return;
    stack_.pushSelector(callback);
    if (first_) (first_->*method)(args...);
    if (secondary_) (secondary_->*method)(args...);
    stack_.pop();
}

template <typename Result, typename Method, typename... Args>
Result WAYWindowDelegateProxy::forwardForAnswer(Callback callback, Method method, Args&&... args) {
    if (stack_.containsSelector(callback)) return std::nullopt;
    stack_.pushSelector(callback);
    Result answer;
    if (first_) answer = (first_->*method)(args...);
    if (secondary_) {
        if (Result second = (secondary_->*method)(args...)) answer = second;
    }
    stack_.pop();
    return answer;
}

std::optional<bool> WAYWindowDelegateProxy::windowShouldClose(WAYAppStoreWindow& window) {
    return forwardForAnswer<std::optional<bool>>(Callback::ShouldClose,
                                                 &WindowDelegate::windowShouldClose, window);
}

void WAYWindowDelegateProxy::windowWillClose(WAYAppStoreWindow& window) {
    forward(Callback::WillClose, &WindowDelegate::windowWillClose, window);
}

void WAYWindowDelegateProxy::windowDidResize(WAYAppStoreWindow& window) {
    forward(Callback::DidResize, &WindowDelegate::windowDidResize, window);
}

void WAYWindowDelegateProxy::windowDidMove(WAYAppStoreWindow& window) {
    forward(Callback::DidMove, &WindowDelegate::windowDidMove, window);
}

void WAYWindowDelegateProxy::windowDidBecomeKey(WAYAppStoreWindow& window) {
    forward(Callback::DidBecomeKey, &WindowDelegate::windowDidBecomeKey, window);
}

void WAYWindowDelegateProxy::windowDidResignKey(WAYAppStoreWindow& window) {
    forward(Callback::DidResignKey, &WindowDelegate::windowDidResignKey, window);
}

void WAYWindowDelegateProxy::windowDidMiniaturize(WAYAppStoreWindow& window) {
    forward(Callback::DidMiniaturize, &WindowDelegate::windowDidMiniaturize, window);
}

void WAYWindowDelegateProxy::windowDidDeminiaturize(WAYAppStoreWindow& window) {
    forward(Callback::DidDeminiaturize, &WindowDelegate::windowDidDeminiaturize, window);
}

std::optional<qui::PointRect>
WAYWindowDelegateProxy::windowWillPositionSheet(WAYAppStoreWindow& window, QWidget* sheet,
                                                const qui::PointRect& rect) {
    return forwardForAnswer<std::optional<qui::PointRect>>(
        Callback::WillPositionSheet, &WindowDelegate::windowWillPositionSheet, window, sheet, rect);
}

} // namespace qtk
