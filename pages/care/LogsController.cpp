#include "pages/care/LogsController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "engine/OutlineViewNode.h"
#include "platform/core/Log.h"

#include "ui_Logs.h"

namespace qpages {

namespace {

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kLogsCleaner;
    id.lastScanWord = "Logs";
    id.updateHandOver = PageBase::HandOver::NoWait;
    id.reloadHandOver = PageBase::HandOver::NoWait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillLogsCleaner(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removeLogsCleaner(); };
    return id;
}

} // namespace

LogsController::LogsController(qengine::DataFiller& dataFiller, QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {}

LogsController::~LogsController() = default;

void LogsController::loadInterface() {
    ui_ = std::make_unique<Ui::LogsInterface>();
    ui_->setupUi(this);
}

void LogsController::resultsSettled() {
    expandGroupsWithItems();
}

std::optional<std::string> LogsController::revealPathForNode(const qengine::OutlineViewNode& node,
                                                             bool) const {
    return node.fullPath();
}

void LogsController::activityHandled(bool isStart, bool isScan) {
    if (!isStart && isScan) qcore::log("Scan Stopped ");
}

} // namespace qpages
