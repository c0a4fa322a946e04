#pragma once

#include "shell/popover/DockViewController.h"
#include "shell/popover/DockViewModel.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace qengine {
class DataFiller;
}

namespace qshell {

class DockViewController;
class PellorAppDelegate;
class StatusItemController;

// Gives the application delegate its status item, popover and preferences window: install()
// fills the delegate's setUpStatusBarItem, showPopoverView and openPreferencesWindow hooks.
// The installer lives as long as the delegate (its Qt child).
class StatusItemInstaller : public QObject {
    Q_OBJECT
public:
    static StatusItemInstaller& install(PellorAppDelegate& delegate);
    ~StatusItemInstaller() override;

    // Creates the popover and the tray icon once; later calls do nothing.
    void setUpStatusBarItem();
    // Shows the popover, setting the status item up first when needed.
    void showPopoverView();
    void openPreferencesWindow();

    DockViewController* statusItemView() const { return content_; }
    StatusItemController* statusItem() const { return statusItem_.get(); }

    // The popover's live sources and the delegate's answers and actions.
    DockViewModel::Setup liveSetup();

private:
    explicit StatusItemInstaller(PellorAppDelegate& delegate);

    PellorAppDelegate& delegate_;
    // The popover's own engine object, for its texts only.
    std::unique_ptr<qengine::DataFiller> texts_;
    QPointer<DockViewController> content_;
    // Not a Qt child: it goes at quit, before the main-thread hand-over and the application
    // object it samples through.
    std::unique_ptr<StatusItemController> statusItem_;
};

} // namespace qshell
