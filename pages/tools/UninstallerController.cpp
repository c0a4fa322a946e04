#include "pages/tools/UninstallerController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "pages/care/PageNotifications.h"

#include "ui_Uninstaller.h"

namespace qpages {

UninstallerController::UninstallerController(qengine::DataFiller& dataFiller, QWidget* parent)
    : PageBase(dataFiller, parent) {
    const QPointer<UninstallerController> page(this);
    observe(notes::kResize, [page](const qcore::Notification& n) {
        handOver(page, &UninstallerController::mainthread_handleResizeNotification, n,
                 HandOver::Wait);
    });
}

UninstallerController::~UninstallerController() {
    finishPage({qengine::modules::kUninstaller});
}

void UninstallerController::loadInterface() {
    ui_ = std::make_unique<Ui::UninstallerInterface>();
    ui_->setupUi(this);
}

void UninstallerController::viewDidLoad() {
    const auto& module = qengine::modules::kUninstaller;
    ui_->lblTitle->setText(moduleDisplayName(module));
    ui_->lblDesc->setText(
        QString::fromStdString(dataFiller().getTokenForActivity(module, true, true)));
    applyViewFormatting();
    dataFiller().sendAwakeNotification(module);
}

void UninstallerController::handleResizeNotification(const qcore::Notification& n) {
    handOver(QPointer(this), &UninstallerController::mainthread_handleResizeNotification, n,
             HandOver::Wait);
}

void UninstallerController::mainthread_handleResizeNotification(const qcore::Notification&) {
    // The layouts follow the new size; the description may need more lines.
    if (isViewLoaded()) ui_->lblDesc->updateGeometry();
}

} // namespace qpages
