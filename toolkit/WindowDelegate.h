#pragma once

#include "platform/ui/Geometry.h"

#include <optional>

class QWidget;

namespace qtk {

class WAYAppStoreWindow;

// What a window tells its delegate. Every callback has a default, so a delegate overrides only
// what it cares about. Callbacks that answer return std::nullopt by default, meaning "this
// delegate has no answer" and the window's own behaviour applies.
class WindowDelegate {
public:
    // Identifies a callback while it is being forwarded (see WAYWindowDelegateProxy).
    enum class Callback {
        ShouldClose,
        WillClose,
        DidResize,
        DidMove,
        DidBecomeKey,
        DidResignKey,
        DidMiniaturize,
        DidDeminiaturize,
        WillPositionSheet,
    };

    virtual ~WindowDelegate();

    // Asked when the user closes the window; false keeps it open.
    virtual std::optional<bool> windowShouldClose(WAYAppStoreWindow& window);
    virtual void windowWillClose(WAYAppStoreWindow& window);
    virtual void windowDidResize(WAYAppStoreWindow& window);
    virtual void windowDidMove(WAYAppStoreWindow& window);
    virtual void windowDidBecomeKey(WAYAppStoreWindow& window);
    virtual void windowDidResignKey(WAYAppStoreWindow& window);
    virtual void windowDidMiniaturize(WAYAppStoreWindow& window);
    virtual void windowDidDeminiaturize(WAYAppStoreWindow& window);
    // Where a sheet opening on the window goes (bottom-left frame in the window).
    virtual std::optional<qui::PointRect>
    windowWillPositionSheet(WAYAppStoreWindow& window, QWidget* sheet, const qui::PointRect& rect);
};

} // namespace qtk
