#pragma once

#include "shell/app/AppController.h"
#include "shell/delegate/PellorAppDelegate.h"

#include "toolkit/WAYAppStoreWindow.h"

#include <memory>

namespace qcore {
class Bundle;
}

namespace qshell {

// What the main interface file makes and the launch does: the main window, the delegate with
// the status item, the preferences and the About box behind it, and the main window's
// controller. The entry point runs one; journey tests run one over a fixture home.
class Application {
public:
    // The program's name, icon and desktop entry as the desktop shows them (dialog titles
    // included), from the bundle's Info.plist. Needs the QApplication.
    static void applyIdentity(const qcore::Bundle& bundle);

    explicit Application(AppController::Options options = {});
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The launch set-up; the home-folder grant check follows from the event loop.
    void launch();

    qtk::WAYAppStoreWindow& window() const { return *window_; }
    PellorAppDelegate& delegate() { return delegate_; }
    AppController& controller() const { return *controller_; }

private:
    std::unique_ptr<qtk::WAYAppStoreWindow> window_;
    PellorAppDelegate delegate_;
    std::unique_ptr<AppController> controller_;
};

} // namespace qshell
