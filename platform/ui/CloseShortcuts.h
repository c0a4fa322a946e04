#pragma once

#include <functional>

class QWidget;

namespace qui {

// Escape and the desktop's close shortcut (Ctrl+W) close a secondary window, so it can be
// dismissed from the keyboard also where no window manager draws a close button.
class CloseShortcuts {
public:
    // `close` runs in place of `window`'s own close() when given.
    static void install(QWidget& window, std::function<void()> close = {});
};

} // namespace qui
