#include "pages/tools/ManualCleanController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"

#include "ui_ManualClean.h"

namespace qpages {

ManualCleanController::ManualCleanController(qengine::DataFiller& dataFiller, QWidget* parent)
    : PageBase(dataFiller, parent) {}

ManualCleanController::~ManualCleanController() {
    finishPage({qengine::modules::kMiscCleaning});
}

void ManualCleanController::loadInterface() {
    ui_ = std::make_unique<Ui::ManualCleanInterface>();
    ui_->setupUi(this);
}

void ManualCleanController::viewDidLoad() {
    const auto& module = qengine::modules::kMiscCleaning;
    ui_->lblTitle->setText(moduleDisplayName(module));
    ui_->lblDesc->setText(
        QString::fromStdString(dataFiller().getTokenForActivity(module, true, true)));
    applyViewFormatting();
    dataFiller().sendAwakeNotification(module);
}

} // namespace qpages
