#include "pages/care/TrashController.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"

#include "ui_TrashCleaner.h"

namespace qpages {

namespace {

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kTrashCleaner;
    id.lastScanWord = "Binary";
    // The scan and the clean wait at each reload until the table has been redrawn.
    id.updateHandOver = PageBase::HandOver::NoWait;
    id.reloadHandOver = PageBase::HandOver::Wait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillTemporaryData(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removeTrashCleaner(); };
    return id;
}

} // namespace

TrashController::TrashController(qengine::DataFiller& dataFiller, QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {}

TrashController::~TrashController() = default;

void TrashController::loadInterface() {
    ui_ = std::make_unique<Ui::TrashCleanerInterface>();
    ui_->setupUi(this);
}

} // namespace qpages
