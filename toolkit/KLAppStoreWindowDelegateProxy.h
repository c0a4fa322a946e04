#pragma once

#include "toolkit/WindowDelegate.h"

namespace qtk {

// The delegate a KLAppStoreWindow installs on itself: hands every callback to the user's
// delegate and, unless that delegate places sheets itself, opens sheets below the custom bar.
class KLAppStoreWindowDelegateProxy final : public WindowDelegate {
public:
    WindowDelegate* secondaryDelegate() const { return secondary_; }
    void setSecondaryDelegate(WindowDelegate* delegate) { secondary_ = delegate; }

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
    WindowDelegate* secondary_ = nullptr;
};

} // namespace qtk
