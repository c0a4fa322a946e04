#pragma once

#include "toolkit/WAYSelectorStack.h"
#include "toolkit/WindowDelegate.h"

namespace qtk {

// The delegate a WAYWindow installs on itself once its user sets a delegate: every callback
// goes first to the window (the first delegate), then to the user's (secondary) delegate.
// A callback that arrives again while it is being forwarded is dropped, so a delegate whose
// windowDidResize resizes the window does not recurse. Neither delegate is owned.
class WAYWindowDelegateProxy final : public WindowDelegate {
public:
    WindowDelegate* firstDelegate() const { return first_; }
    void setFirstDelegate(WindowDelegate* delegate) { first_ = delegate; }
    WindowDelegate* secondaryDelegate() const { return secondary_; }
    void setSecondaryDelegate(WindowDelegate* delegate) { secondary_ = delegate; }

    // Whether the callback is being forwarded right now.
    bool isForwarding(Callback callback) const { return stack_.containsSelector(callback); }

    std::optional<bool> windowShouldClose(WAYAppStoreWindow& window) override;
    void windowWillClose(WAYAppStoreWindow& window) override;
    void windowDidResize(WAYAppStoreWindow& window) override;
    void windowDidMove(WAYAppStoreWindow& window) override;
    void windowDidBecomeKey(WAYAppStoreWindow& window) override;
    void windowDidResignKey(WAYAppStoreWindow& window) override;
    void windowDidMiniaturize(WAYAppStoreWindow& window) override;
    void windowDidDeminiaturize(WAYAppStoreWindow& window) override;
    std::optional<qui::PointRect> windowWillPositionSheet(WAYAppStoreWindow& window, QWidget* sheet,
                                                          const qui::PointRect& rect) override;

private:
    template <typename Method, typename... Args>
    void forward(Callback callback, Method method, Args&&... args);
    // Answering callbacks: the secondary delegate's answer wins, as it is asked last.
    template <typename Result, typename Method, typename... Args>
    Result forwardForAnswer(Callback callback, Method method, Args&&... args);

    WAYSelectorStack stack_;
    WindowDelegate* secondary_ = nullptr;
    WindowDelegate* first_ = nullptr;
};

} // namespace qtk
