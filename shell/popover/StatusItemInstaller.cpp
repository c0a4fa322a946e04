#include "shell/popover/StatusItemInstaller.h"

#include "shell/delegate/PellorAppDelegate.h"
#include "shell/facts/SystemMonitorLauncher.h"
#include "shell/feedback/WebLinks.h"
#include "shell/popover/DockViewController.h"
#include "shell/popover/StatusItemController.h"
#include "shell/preferences/MyPrefsWindowController.h"

#include "engine/DataFiller.h"
#include "platform/ui/Alert.h"
#include "platform/ui/GuiWorkspace.h"

#include <QApplication>
#include <QUrl>

namespace qshell {

StatusItemInstaller::StatusItemInstaller(PellorAppDelegate& delegate)
    : QObject(&delegate), delegate_(delegate) {
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { statusItem_.reset(); });
}

StatusItemInstaller::~StatusItemInstaller() = default;

StatusItemInstaller& StatusItemInstaller::install(PellorAppDelegate& delegate) {
    auto* installer = new StatusItemInstaller(delegate);
    delegate.setSetUpStatusBarItemHook([installer] { installer->setUpStatusBarItem(); });
    delegate.setShowPopoverViewHook([installer] { installer->showPopoverView(); });
    delegate.setOpenPreferencesWindowHook([installer] { installer->openPreferencesWindow(); });
    return *installer;
}

DockViewModel::Setup StatusItemInstaller::liveSetup() {
    if (!texts_) texts_ = std::make_unique<qengine::DataFiller>();
    DockViewModel::Setup setup;
    setup.sources = DockViewModel::Sources::live(DockViewController::darkModeProbe());
    PellorAppDelegate* d = &delegate_;
    setup.delegate = {[d] { return d->isScanningOneClick(); },
                      [d] { return d->isRemovingOneClick(); },
                      [d] { return d->isScanningDups(); },
                      [d] { return d->isRemovingDups(); },
                      [d] { return static_cast<int>(d->itemCleanCountOneClickCare()); },
                      [d] { return static_cast<int>(d->itemRemaining()); }};
    setup.actions.dismissPopover = [this] {
        if (statusItem_) statusItem_->dismissStatusItemWindow();
    };
    setup.actions.openPreferencesWindow = [d] { d->openPreferencesWindow(); };
    setup.actions.terminate = [] { QApplication::quit(); };
    setup.actions.openUrl = [](const std::string& url) {
        return qui::GuiWorkspace::openUrl(QUrl(QString::fromStdString(url)));
    };
    setup.actions.showAlert = [](const DockViewModel::Alert& alert) {
        qui::Alert box;
        box.setMessageText(QString::fromStdString(alert.message))
            .setInformativeText(QString::fromStdString(alert.informative))
            .addButton(QString::fromStdString(alert.button));
        box.runModal();
    };
    // Without a system monitor the command stays disabled.
    if (const SystemMonitorLauncher launcher; launcher.isAvailable())
        setup.actions.launchActivityMonitor = [launcher] { return launcher.launch(); };
    setup.texts = TextSource::fromEngine(*texts_);
    setup.helpUrl = WebLinks::supportUrl();
    return setup;
}

void StatusItemInstaller::setUpStatusBarItem() {
    if (statusItem_) return;
    content_ = new DockViewController(liveSetup());
    statusItem_ = std::make_unique<StatusItemController>(content_);
    content_->viewDidLoad();
    statusItem_->present();
}

void StatusItemInstaller::showPopoverView() {
    setUpStatusBarItem();
    statusItem_->showStatusItemWindow();
}

void StatusItemInstaller::openPreferencesWindow() {
    MyPrefsWindowController::sharedPrefsWindowController().showWindow();
}

} // namespace qshell
