#include "shell/app/Application.h"

#include "shell/popover/StatusItemInstaller.h"

#include "platform/core/Bundle.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/ImageCache.h"

#include <QApplication>
#include <QIcon>

namespace qshell {

void Application::applyIdentity(const qcore::Bundle& bundle) {
    // Left alone, dialogs and the desktop would show the executable's name.
    QGuiApplication::setApplicationDisplayName(QString::fromStdString(bundle.bundleName()));
    QGuiApplication::setDesktopFileName(QString::fromStdString(bundle.bundleIdentifier()));
    QIcon icon;
    for (const char* name : {"quendrix_app_48.png", "quendrix_app.png"})
        icon.addPixmap(qui::namedImage(QString::fromLatin1(name)));
    if (!icon.isNull()) QApplication::setWindowIcon(icon);
}

Application::Application(AppController::Options options)
    : window_(qtk::WAYAppStoreWindow::create()) {
    window_->resize(833, 560);
    // The status item, its popover and the preferences window come up once the grant is in.
    StatusItemInstaller::install(delegate_);
    controller_ = std::make_unique<AppController>(
        *window_, delegate_, qcore::UserDefaults::standard(), std::move(options));
}

Application::~Application() {
    controller_.reset();
    window_.reset();
}

void Application::launch() {
    delegate_.applicationDidFinishLaunching(*window_, qcore::UserDefaults::standard());
    window_->orderFront();
}

} // namespace qshell
